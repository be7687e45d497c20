#include "download/ServiceHost.h"

#include <QDir>
#include <QFile>

#ifndef TARNWICK_NOTES_HOST_DEFAULT
#define TARNWICK_NOTES_HOST_DEFAULT "localhost"
#endif

QString LeValorIni(const QString& pArquivo, const QString& pSecao, const QString& pChave)
{
    QFile xArquivo(pArquivo);
    if (!xArquivo.open(QIODevice::ReadOnly))
        return {};
    // The configuration file is written in the system's 8-bit code page.
    const QStringList xLinhas = QString::fromLocal8Bit(xArquivo.readAll()).split(u'\n');
    bool xNaSecao = false;
    for (const QString& xBruta : xLinhas) {
        const QString xLinha = xBruta.trimmed();
        if (xLinha.isEmpty() || xLinha.startsWith(u';'))
            continue;
        if (xLinha.startsWith(u'[')) {
            const qsizetype xFecha = xLinha.indexOf(u']');
            xNaSecao =
                xFecha > 0 && xLinha.mid(1, xFecha - 1).trimmed().compare(pSecao, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype xIgual = xLinha.indexOf(u'=');
        if (!xNaSecao || xIgual < 0 ||
            xLinha.left(xIgual).trimmed().compare(pChave, Qt::CaseInsensitive) != 0)
            continue;
        QString xValor = xLinha.mid(xIgual + 1).trimmed();
        if (xValor.size() >= 2 && (xValor.front() == u'"' || xValor.front() == u'\'') &&
            xValor.back() == xValor.front())
            xValor = xValor.mid(1, xValor.size() - 2);
        return xValor;
    }
    return {};
}

QString HostServicoNotas()
{
    const QString xHost = LeValorIni(QDir(QDir::currentPath()).filePath(QStringLiteral("Tarnwick.ini")),
                                     QStringLiteral("RECEPCAONF"), QStringLiteral("Host"))
                              .trimmed();
    return xHost.isEmpty() ? QStringLiteral(TARNWICK_NOTES_HOST_DEFAULT) : xHost;
}
