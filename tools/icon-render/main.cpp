// Renders the program's own window icon, drawn in code, into the PNG files of the desktop's icon theme:
// <folder>/<n>x<n>/apps/tarnwick.png for every size n given. Runs at build time, without a display.
// Usage: icon-render <folder> <size>...
#include "app/Imagens.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: icon-render <folder> <size>...\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication xAplicacao(argc, argv);
    const QString xRaiz = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool xOk = false;
        const int xLado = QByteArray(argv[i]).toInt(&xOk);
        if (!xOk || xLado < 16 || xLado > 1024) {
            std::fprintf(stderr, "icon-render: bad size %s\n", argv[i]);
            return 2;
        }
        const QString xPasta = QStringLiteral("%1/%2x%2/apps").arg(xRaiz).arg(xLado);
        const QString xArquivo = xPasta + QStringLiteral("/tarnwick.png");
        const QImage xImagem = Imagens::IconeJanela(xLado).toImage();
        if (!QDir().mkpath(xPasta) || xImagem.size() != QSize(xLado, xLado) ||
            !xImagem.save(xArquivo, "PNG")) {
            std::fprintf(stderr, "icon-render: cannot write %s\n", qPrintable(xArquivo));
            return 1;
        }
    }
    return 0;
}
