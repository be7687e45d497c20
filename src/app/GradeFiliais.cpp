#include "app/GradeFiliais.h"

#include "app/FiliaisModel.h"
#include "app/Imagens.h"

#include <QPainter>

TDesenhoFiliais::TDesenhoFiliais(const TClientDataSetFiliais* pTabela, const TImageList* pImagens,
                                 QObject* pParent)
    : QStyledItemDelegate(pParent), vTabela(pTabela), vImagens(pImagens)
{
}

void TDesenhoFiliais::paint(QPainter* pPintor, const QStyleOptionViewItem& pOpcao,
                            const QModelIndex& pIndice) const
{
    // With whole-row selection the cells of the current row are the selected ones.
    const bool xSelecionada = vTabela->RecordCount() > 0 && pIndice.row() + 1 == vTabela->RecNo();
    const QColor xFundo = xSelecionada ? COR_SELECIONADA : QColor(Qt::white);
    const QRect xRet = pOpcao.rect;

    pPintor->save();
    pPintor->fillRect(xRet, xFundo);
    if (pIndice.column() == TClientDataSetFiliais::CHECKED) {
        const bool xMarcado = pIndice.data().toString() == u"S";
        pPintor->drawPixmap(xRet.left() + 1, xRet.top() + 1, vImagens->Imagem(xMarcado ? 1 : 0));
    } else {
        pPintor->setPen(Qt::black);
        pPintor->setFont(pOpcao.font);
        pPintor->setClipRect(xRet);
        pPintor->drawText(xRet.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          pIndice.data().toString());
    }
    pPintor->restore();
}
