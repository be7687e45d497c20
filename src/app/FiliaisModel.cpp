#include "app/FiliaisModel.h"

#include "util/Exception.h"

#include <algorithm>

const QStringList& TClientDataSetFiliais::NomesCampos()
{
    static const QStringList xNomes = {QStringLiteral("CHECKED"), QStringLiteral("CODEMPRESA"),
                                       QStringLiteral("DESCRICAO"), QStringLiteral("CGC")};
    return xNomes;
}

int TClientDataSetFiliais::TamanhoCampo(int pCampo)
{
    static const int xTamanhos[] = {1, 2, 35, 18};
    return pCampo >= 0 && pCampo < 4 ? xTamanhos[pCampo] : 0;
}

TClientDataSetFiliais::TClientDataSetFiliais(QObject* pParent) : QAbstractTableModel(pParent)
{
    setObjectName(QStringLiteral("cdsFiliais"));
}

QString& TClientDataSetFiliais::Campo(TFilial& pFilial, int pCampo)
{
    switch (pCampo) {
    case CHECKED:
        return pFilial.CHECKED;
    case CODEMPRESA:
        return pFilial.CODEMPRESA;
    case DESCRICAO:
        return pFilial.DESCRICAO;
    default:
        return pFilial.CGC;
    }
}

const QString& TClientDataSetFiliais::Campo(const TFilial& pFilial, int pCampo)
{
    return Campo(const_cast<TFilial&>(pFilial), pCampo);
}

int TClientDataSetFiliais::IndiceCampo(const QString& pCampo) const
{
    const int xIndice = static_cast<int>(NomesCampos().indexOf(pCampo.toUpper()));
    if (xIndice < 0)
        throw Exception(QStringLiteral("cdsFiliais: Campo '%1' não encontrado.").arg(pCampo));
    return xIndice;
}

void TClientDataSetFiliais::ExigeAtivo() const
{
    if (!Active())
        throw Exception(QStringLiteral("cdsFiliais: Operação não permitida com a tabela fechada."));
}

void TClientDataSetFiliais::Open(const TListaFiliais& pFiliais)
{
    for (const TFilial& xFilial : pFiliais)
        if (xFilial.CHECKED != u"S" && xFilial.CHECKED != u"N")
            throw Exception(QStringLiteral("cdsFiliais: Valor inválido para o campo CHECKED: '%1'.")
                                .arg(xFilial.CHECKED));
    beginResetModel();
    vLinhas = pFiliais;
    vEstado = TEstado::dsBrowse;
    vAtual = 0;
    vEof = vLinhas.empty();
    vBof = true;
    endResetModel();
    NotificaLinha(vAtual);
}

void TClientDataSetFiliais::Close()
{
    beginResetModel();
    vLinhas.clear();
    vEstado = TEstado::dsInactive;
    vAtual = 0;
    vEof = vBof = true;
    endResetModel();
    NotificaLinha(0);
}

void TClientDataSetFiliais::MoveParaLinha(int pLinha)
{
    if (vEstado == TEstado::dsEdit)
        Post();
    const int xAnterior = vAtual;
    vAtual = pLinha;
    if (vAtual != xAnterior)
        NotificaLinha(vAtual);
}

void TClientDataSetFiliais::NotificaLinha(int pLinha)
{
    if (!ControlsDisabled())
        emit RegistroAtualAlterado(vLinhas.empty() ? 0 : pLinha + 1);
}

void TClientDataSetFiliais::SetRecNo(int pRecNo)
{
    if (!Active() || vLinhas.empty())
        return;
    MoveParaLinha(std::clamp(pRecNo, 1, RecordCount()) - 1);
    vEof = vBof = false;
}

void TClientDataSetFiliais::First()
{
    if (!Active())
        return;
    if (!vLinhas.empty())
        MoveParaLinha(0);
    vBof = true;
    vEof = vLinhas.empty();
}

void TClientDataSetFiliais::Last()
{
    if (!Active())
        return;
    if (!vLinhas.empty())
        MoveParaLinha(RecordCount() - 1);
    vEof = true;
    vBof = vLinhas.empty();
}

void TClientDataSetFiliais::Next()
{
    if (!Active() || vLinhas.empty())
        return;
    if (vAtual + 1 < RecordCount()) {
        MoveParaLinha(vAtual + 1);
        vBof = false;
    } else {
        if (vEstado == TEstado::dsEdit)
            Post();
        vEof = true;
    }
}

void TClientDataSetFiliais::Prior()
{
    if (!Active() || vLinhas.empty())
        return;
    if (vAtual > 0) {
        MoveParaLinha(vAtual - 1);
        vEof = false;
    } else {
        if (vEstado == TEstado::dsEdit)
            Post();
        vBof = true;
    }
}

QString TClientDataSetFiliais::FieldByName(const QString& pCampo) const
{
    const int xCampo = IndiceCampo(pCampo);
    if (vEstado == TEstado::dsEdit)
        return Campo(vEdicao, xCampo);
    if (vLinhas.empty())
        return {};
    return Campo(vLinhas[static_cast<size_t>(vAtual)], xCampo);
}

void TClientDataSetFiliais::Edit()
{
    ExigeAtivo();
    if (vEstado == TEstado::dsEdit)
        return;
    if (vLinhas.empty())
        throw Exception(QStringLiteral("cdsFiliais: Não há registro para editar."));
    vEdicao = vLinhas[static_cast<size_t>(vAtual)];
    vEstado = TEstado::dsEdit;
}

void TClientDataSetFiliais::SetFieldByName(const QString& pCampo, const QString& pValor)
{
    const int xCampo = IndiceCampo(pCampo);
    if (vEstado != TEstado::dsEdit)
        throw Exception(QStringLiteral("cdsFiliais: A tabela não está em modo de edição."));
    if (xCampo == CHECKED && pValor != u"S" && pValor != u"N")
        throw Exception(QStringLiteral("cdsFiliais: Valor inválido para o campo CHECKED: '%1'.").arg(pValor));
    Campo(vEdicao, xCampo) = pValor;
}

void TClientDataSetFiliais::Post()
{
    if (vEstado != TEstado::dsEdit)
        return;
    vLinhas[static_cast<size_t>(vAtual)] = vEdicao;
    vEstado = TEstado::dsBrowse;
    if (!ControlsDisabled())
        emit dataChanged(index(vAtual, 0), index(vAtual, columnCount() - 1));
}

void TClientDataSetFiliais::Cancel()
{
    if (vEstado == TEstado::dsEdit)
        vEstado = TEstado::dsBrowse;
}

void TClientDataSetFiliais::DisableControls()
{
    ++vSuspensoes;
}

void TClientDataSetFiliais::EnableControls()
{
    if (vSuspensoes == 0)
        return;
    if (--vSuspensoes > 0)
        return;
    // One repaint for everything done while suspended, and the grid catches up with the current row.
    if (!vLinhas.empty())
        emit dataChanged(index(0, 0), index(RecordCount() - 1, columnCount() - 1));
    NotificaLinha(vAtual);
}

int TClientDataSetFiliais::rowCount(const QModelIndex& pPai) const
{
    return pPai.isValid() ? 0 : RecordCount();
}

int TClientDataSetFiliais::columnCount(const QModelIndex& pPai) const
{
    return pPai.isValid() ? 0 : static_cast<int>(NomesCampos().size());
}

QVariant TClientDataSetFiliais::data(const QModelIndex& pIndice, int pPapel) const
{
    if (!pIndice.isValid() || pIndice.row() >= RecordCount() || pIndice.column() >= columnCount())
        return {};
    if (pPapel != Qt::DisplayRole)
        return {};
    return Campo(vLinhas[static_cast<size_t>(pIndice.row())], pIndice.column());
}

QVariant TClientDataSetFiliais::headerData(int pSecao, Qt::Orientation pOrientacao, int pPapel) const
{
    if (pOrientacao == Qt::Horizontal && pPapel == Qt::DisplayRole && pSecao >= 0 && pSecao < columnCount())
        return NomesCampos()[pSecao];
    return QAbstractTableModel::headerData(pSecao, pOrientacao, pPapel);
}
