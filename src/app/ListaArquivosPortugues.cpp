#include "app/ListaArquivosPortugues.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace {

enum TColuna
{
    COLUNA_TAMANHO = 1,
    COLUNA_TIPO = 2,
    COLUNA_DATA = 3
};

const QLocale& Brasil()
{
    static const QLocale xBrasil(QLocale::Portuguese, QLocale::Brazil);
    return xBrasil;
}

// The widest text of a column, so that such a column is never cut: sizes stay below 1024 of their unit.
QString TextoMaisLargo(int pColuna)
{
    switch (pColuna) {
    case COLUNA_TAMANHO:
        return QStringLiteral("1.023,99 KiB");
    case COLUNA_TIPO:
        return QStringLiteral("Arquivo WWWW");
    case COLUNA_DATA:
        return QStringLiteral("00/00/0000 00:00");
    }
    return QString();
}

// The picker's file list with the size, type and date columns in Portuguese; the rest as the model gives it.
class TColunasPortugues : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& pIndice, int pPapel) const override
    {
        const auto* xArquivos = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (pPapel != Qt::DisplayRole || !xArquivos || !pIndice.isValid())
            return QIdentityProxyModel::data(pIndice, pPapel);
        const QModelIndex xOrigem = mapToSource(pIndice);
        switch (pIndice.column()) {
        case COLUNA_TAMANHO:
            return xArquivos->isDir(xOrigem) ? QString() : Tamanho(xArquivos->size(xOrigem));
        case COLUNA_TIPO:
            return Tipo(xArquivos->fileInfo(xOrigem));
        case COLUNA_DATA:
            return Brasil().toString(xArquivos->lastModified(xOrigem), QStringLiteral("dd/MM/yyyy HH:mm"));
        }
        return QIdentityProxyModel::data(pIndice, pPapel);
    }

private:
    static QString Tamanho(qint64 pBytes)
    {
        return pBytes == 1 ? QStringLiteral("1 byte") : Brasil().formattedDataSize(pBytes);
    }
    static QString Tipo(const QFileInfo& pInfo)
    {
        if (pInfo.isRoot())
            return QStringLiteral("Unidade");
        if (pInfo.isDir())
            return QStringLiteral("Pasta");
        const QString xExtensao = pInfo.suffix().toUpper();
        return xExtensao.isEmpty() ? QStringLiteral("Arquivo") : QStringLiteral("Arquivo ") + xExtensao;
    }
};

// The dialog sizes its columns for English texts; the Portuguese titles are longer. Each column is widened
// to its title and to the widest text it shows.
void AlargaColunas(QTreeView& pLista)
{
    QHeaderView* xCabecalho = pLista.header();
    const QFontMetrics xFonte(pLista.font());
    const int xMargem =
        2 * (pLista.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &pLista) + 1) +
        pLista.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, xCabecalho);
    for (int c = 0; c < xCabecalho->count(); ++c) {
        const int xTexto = xFonte.horizontalAdvance(TextoMaisLargo(c)) + xMargem;
        xCabecalho->resizeSection(
            c, std::max({xCabecalho->sectionSize(c), xCabecalho->sectionSizeHint(c), xTexto}));
    }
}

// When the list is first shown and its width known, the name column gives the others the room they need,
// so that the last one is not cut by the list's edge (a scroll bar's width is kept for a long list). It
// keeps room for a dozen letters; a list narrower than that scrolls sideways.
class TEncaixeColunas : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* pObjeto, QEvent* pEvento) override
    {
        if (pEvento->type() == QEvent::Show) {
            pObjeto->removeEventFilter(this);
            Encaixa(*static_cast<QTreeView*>(pObjeto));
        }
        return false;
    }

private:
    static void Encaixa(QTreeView& pLista)
    {
        QHeaderView* xCabecalho = pLista.header();
        int xOutras = 0;
        for (int c = 1; c < xCabecalho->count(); ++c)
            if (!xCabecalho->isSectionHidden(c))
                xOutras += xCabecalho->sectionSize(c);
        int xLargura = pLista.viewport()->width();
        if (!pLista.verticalScrollBar()->isVisible())
            xLargura -= pLista.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &pLista);
        const int xMinimo = std::max(xCabecalho->sectionSizeHint(0),
                                     QFontMetrics(pLista.font()).horizontalAdvance(QString(12, u'w')));
        const int xNome = std::max(xMinimo, xLargura - xOutras);
        if (xNome < xCabecalho->sectionSize(0))
            xCabecalho->resizeSection(0, xNome);
    }
};

} // namespace

void ListaArquivosEmPortugues(QFileDialog& pDialogo)
{
    pDialogo.setProxyModel(new TColunasPortugues(&pDialogo));
    for (QTreeView* xLista : pDialogo.findChildren<QTreeView*>()) {
        AlargaColunas(*xLista);
        xLista->installEventFilter(new TEncaixeColunas(&pDialogo));
    }
}
