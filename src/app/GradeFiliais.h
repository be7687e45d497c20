#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class TClientDataSetFiliais;
class TImageList;

// Paints the cells of the branch grid: the current row in sky blue, every other row white, black text;
// the tick column shows only an image of the image list (the tick for "S", nothing for "N").
class TDesenhoFiliais : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static inline const QColor COR_SELECIONADA{166, 202, 240};

    TDesenhoFiliais(const TClientDataSetFiliais* pTabela, const TImageList* pImagens,
                    QObject* pParent = nullptr);

    void paint(QPainter* pPintor, const QStyleOptionViewItem& pOpcao,
               const QModelIndex& pIndice) const override;

private:
    const TClientDataSetFiliais* vTabela;
    const TImageList* vImagens;
};
