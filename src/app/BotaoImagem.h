#pragma once

#include <QPushButton>

// A push button with its image above the caption.
class TBotaoImagem : public QPushButton
{
    Q_OBJECT
public:
    TBotaoImagem(const QString& pCaption, const QPixmap& pImagem, QWidget* pParent = nullptr);

protected:
    void paintEvent(QPaintEvent* pEvento) override;
};
