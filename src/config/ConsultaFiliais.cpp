#include "config/ConsultaFiliais.h"

#include <QStringList>

namespace ConsultaFiliais {

QString TextoConsulta()
{
    return QStringList{
        QStringLiteral("Select 'N' as CHECKED, CodEmpresa, NomeEmpresa, Estado, CGC, "),
        QStringLiteral("           CodEmpresa || ' - ' || NomeEmpresa As Descricao"),
        QStringLiteral("From Filiais"),
        QStringLiteral("Order By CodEmpresa"),
    }
        .join(u'\n');
}

TListaFiliais Carrega(const TConexaoBD& pConexao)
{
    const TResultadoConsulta xResultado = pConexao.Consulta(TextoConsulta());
    const auto xColuna = [&](const char* pNome) {
        const int xPosicao = xResultado.Coluna(QLatin1String(pNome));
        if (xPosicao < 0)
            throw EConexaoBD(QStringLiteral("Campo '%1' não encontrado.").arg(QLatin1String(pNome)));
        return xPosicao;
    };
    const int xChecked = xColuna("CHECKED");
    const int xCodigo = xColuna("CODEMPRESA");
    const int xDescricao = xColuna("DESCRICAO");
    const int xCgc = xColuna("CGC");

    TListaFiliais xFiliais;
    xFiliais.reserve(xResultado.Linhas.size());
    for (const QStringList& xLinha : xResultado.Linhas) {
        TFilial xFilial;
        xFilial.CHECKED = xLinha[xChecked];
        xFilial.CODEMPRESA = xLinha[xCodigo];
        xFilial.DESCRICAO = xLinha[xDescricao];
        xFilial.CGC = xLinha[xCgc];
        xFiliais.push_back(std::move(xFilial));
    }
    return xFiliais;
}

} // namespace ConsultaFiliais
