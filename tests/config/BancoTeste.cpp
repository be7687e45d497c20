#include "BancoTeste.h"

#include "config/ClienteFirebird.h"

#include <firebird/Interface.h>
#include <stdexcept>

using namespace Firebird;

namespace BancoTeste {

namespace {

QByteArray Codifica(const QString& pTexto, const QString& pCharset)
{
    if (pCharset.compare(QStringLiteral("UTF8"), Qt::CaseInsensitive) == 0)
        return pTexto.toUtf8();
    QByteArray xBytes;
    for (const QChar xChar : pTexto) {
        const char16_t xCodigo = xChar.unicode();
        if (xCodigo == 0x20AC)
            xBytes.append('\x80');
        else if (xCodigo < 0x100)
            xBytes.append(static_cast<char>(xCodigo));
        else
            throw std::runtime_error("test text outside WIN1252");
    }
    return xBytes;
}

} // namespace

void Cria(const QString& pCaminho, const QString& pCharsetBanco, const QStringList& pComandos,
          const QString& pUsuario, const QString& pSenha, const QString& pCharsetConexao)
{
    IMaster* xMaster = ClienteFirebird::Master();
    IStatus* xStatusBruto = xMaster->getStatus();
    ThrowStatusWrapper xStatus(xStatusBruto);
    IProvider* xProvedor = xMaster->getDispatcher();
    IXpbBuilder* xDpb = nullptr;
    IAttachment* xAnexo = nullptr;
    try {
        xDpb = xMaster->getUtilInterface()->getXpbBuilder(&xStatus, IXpbBuilder::DPB, nullptr, 0);
        xDpb->insertTag(&xStatus, isc_dpb_utf8_filename);
        xDpb->insertString(&xStatus, isc_dpb_user_name, pUsuario.toUtf8().constData());
        xDpb->insertString(&xStatus, isc_dpb_password, pSenha.toUtf8().constData());
        xDpb->insertString(&xStatus, isc_dpb_lc_ctype, pCharsetConexao.toUtf8().constData());
        xDpb->insertString(&xStatus, isc_dpb_set_db_charset, pCharsetBanco.toUtf8().constData());
        xDpb->insertInt(&xStatus, isc_dpb_sql_dialect, 3);
        xAnexo = xProvedor->createDatabase(&xStatus, pCaminho.toUtf8().constData(),
                                           xDpb->getBufferLength(&xStatus), xDpb->getBuffer(&xStatus));
        for (const QString& xComando : pComandos) {
            ITransaction* xTransacao = xAnexo->startTransaction(&xStatus, 0, nullptr);
            xAnexo->execute(&xStatus, xTransacao, 0, Codifica(xComando, pCharsetConexao).constData(), 3,
                            nullptr, nullptr, nullptr, nullptr);
            xTransacao->commit(&xStatus);
        }
        xAnexo->detach(&xStatus);
        xAnexo = nullptr;
    } catch (const FbException& xErro) {
        char xTexto[2048];
        xMaster->getUtilInterface()->formatStatus(xTexto, sizeof xTexto, xErro.getStatus());
        if (xAnexo)
            xAnexo->release();
        if (xDpb)
            xDpb->dispose();
        xProvedor->release();
        xStatusBruto->dispose();
        throw std::runtime_error(xTexto);
    }
    xDpb->dispose();
    xProvedor->release();
    xStatusBruto->dispose();
}

QStringList TabelaFiliais(const QList<TLinha>& pLinhas, const QString& pTipoCodigo, const QString& pTipoNome)
{
    QStringList xComandos{QStringLiteral("CREATE TABLE Filiais (CodEmpresa %1 NOT NULL PRIMARY KEY, "
                                         "NomeEmpresa %2, Estado CHAR(2), CGC VARCHAR(18))")
                              .arg(pTipoCodigo, pTipoNome)};
    const auto xLiteral = [](const QString& pValor) {
        return pValor.isNull()
                   ? QStringLiteral("NULL")
                   : u'\'' + QString(pValor).replace(QStringLiteral("'"), QStringLiteral("''")) + u'\'';
    };
    for (const TLinha& xLinha : pLinhas) {
        xComandos.append(QStringLiteral("INSERT INTO Filiais (CodEmpresa, NomeEmpresa, Estado, CGC) "
                                        "VALUES (%1, %2, %3, %4)")
                             .arg(xLiteral(xLinha.Codigo), xLiteral(xLinha.Nome), xLiteral(xLinha.Estado),
                                  xLiteral(xLinha.Cgc)));
    }
    return xComandos;
}

} // namespace BancoTeste
