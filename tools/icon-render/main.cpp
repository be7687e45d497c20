// Renders the program's own window icon, drawn in code, into the icon files the packages install:
//   icon-render <folder> <size>...      the PNG files of the desktop's icon theme,
//                                        <folder>/<n>x<n>/apps/tarnwick.png for every size n;
//   icon-render --ico <file> <size>...  one Windows icon file holding every size (PNG-compressed
//                                        images, as Windows reads them since Vista).
// Runs at build time, without a display.
#include "app/Imagens.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

namespace {

bool Tamanhos(int argc, char* argv[], int pPrimeiro, QList<int>& pLados)
{
    for (int i = pPrimeiro; i < argc; ++i) {
        bool xOk = false;
        const int xLado = QByteArray(argv[i]).toInt(&xOk);
        if (!xOk || xLado < 16 || xLado > 1024) {
            std::fprintf(stderr, "icon-render: bad size %s\n", argv[i]);
            return false;
        }
        pLados << xLado;
    }
    return !pLados.isEmpty();
}

bool GravaPngs(const QString& pRaiz, const QList<int>& pLados)
{
    for (const int xLado : pLados) {
        const QString xPasta = QStringLiteral("%1/%2x%2/apps").arg(pRaiz).arg(xLado);
        const QString xArquivo = xPasta + QStringLiteral("/tarnwick.png");
        const QImage xImagem = Imagens::IconeJanela(xLado).toImage();
        if (!QDir().mkpath(xPasta) || xImagem.size() != QSize(xLado, xLado) ||
            !xImagem.save(xArquivo, "PNG")) {
            std::fprintf(stderr, "icon-render: cannot write %s\n", qPrintable(xArquivo));
            return false;
        }
    }
    return true;
}

// The ICO layout: a 6-byte header (0, type 1, count), a 16-byte entry per image (width and height, 0
// meaning 256; colours, reserved, planes, bits per pixel, size, offset), then the images.
bool GravaIco(const QString& pArquivo, const QList<int>& pLados)
{
    QList<QByteArray> xImagens;
    for (const int xLado : pLados) {
        if (xLado > 256) {
            std::fprintf(stderr, "icon-render: an icon file holds sizes up to 256\n");
            return false;
        }
        QByteArray xPng;
        QBuffer xBuffer(&xPng);
        xBuffer.open(QIODevice::WriteOnly);
        if (!Imagens::IconeJanela(xLado)
                 .toImage()
                 .convertToFormat(QImage::Format_ARGB32)
                 .save(&xBuffer, "PNG"))
            return false;
        xImagens << xPng;
    }
    QByteArray xIco;
    const auto U16 = [&xIco](quint16 pValor) { xIco.append(reinterpret_cast<const char*>(&pValor), 2); };
    const auto U32 = [&xIco](quint32 pValor) { xIco.append(reinterpret_cast<const char*>(&pValor), 4); };
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the icon file is little-endian");
    U16(0);
    U16(1);
    U16(quint16(xImagens.size()));
    quint32 xPosicao = quint32(6 + 16 * xImagens.size());
    for (qsizetype i = 0; i < xImagens.size(); ++i) {
        const char xLado = char(pLados[i] == 256 ? 0 : pLados[i]);
        xIco.append(xLado).append(xLado).append('\0').append('\0');
        U16(1);
        U16(32);
        U32(quint32(xImagens[i].size()));
        U32(xPosicao);
        xPosicao += quint32(xImagens[i].size());
    }
    for (const QByteArray& xImagem : xImagens)
        xIco += xImagem;
    QFile xSaida(pArquivo);
    if (!xSaida.open(QIODevice::WriteOnly) || xSaida.write(xIco) != xIco.size()) {
        std::fprintf(stderr, "icon-render: cannot write %s\n", qPrintable(pArquivo));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool xIco = argc >= 2 && qstrcmp(argv[1], "--ico") == 0;
    if (argc < (xIco ? 4 : 3)) {
        std::fputs("usage: icon-render <folder> <size>...\n       icon-render --ico <file> <size>...\n",
                   stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication xAplicacao(argc, argv);
    QList<int> xLados;
    if (!Tamanhos(argc, argv, xIco ? 3 : 2, xLados))
        return 2;
    const QString xDestino = QString::fromLocal8Bit(argv[xIco ? 2 : 1]);
    return (xIco ? GravaIco(xDestino, xLados) : GravaPngs(xDestino, xLados)) ? 0 : 1;
}
