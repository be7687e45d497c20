#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>

// The window's own images, drawn in code: the button glyphs, the grid's tick marks and the window icon.
namespace Imagens {

QPixmap Informacao();   // blue circle with a white question mark (20 x 20)
QPixmap Engrenagens();  // two gears (20 x 20)
QPixmap Download();     // arrow down into a tray (24 x 24)
QPixmap Vassoura();     // a broom (24 x 24)
QPixmap Sair();         // red square with a white cross (24 x 24)
QPixmap TestaConexao(); // database cylinder with a plug (24 x 24)
QPixmap Salvar();       // a floppy disk (24 x 24)
QPixmap Cancelar();     // an arrow turning back (24 x 24)
QPixmap Marcado();      // green tick mark (16 x 16)
QPixmap Transparente(); // nothing visible (16 x 16)
QIcon IconeJanela();              // the drawing below at 16, 32 and 48
QPixmap IconeJanela(int pLado); // the window icon drawn at pLado x pLado (the desktop icons too)

} // namespace Imagens

// The grid's image list: image 0 transparent, image 1 the green tick, both 16 x 16.
class TImageList : public QObject
{
    Q_OBJECT
public:
    explicit TImageList(QObject* pParent = nullptr);
    int Count() const { return 2; }
    QPixmap Imagem(int pIndice) const;

private:
    QPixmap vImagens[2];
};
