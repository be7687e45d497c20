#pragma once

// Reads our archives back with readers that are not ours: Python's zipfile, unzip and 7z, programs of
// the build machine (also when the tests run under Wine).

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QVector>

#include "support/ProcessoHospedeiro.h"

struct TEntradaZip
{
    QString Nome;
    QByteArray Dados;
    int Metodo = -1;  // 8 = Deflate
    QDateTime Quando; // local time as the entry records it
};

// Every entry of the archive, in the archive's order, through Python's zipfile; pErro tells why not.
inline QVector<TEntradaZip> LeZip(const QString& pCaminho, QString* pErro = nullptr)
{
    static const char* SCRIPT = R"(
import base64, json, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    print(json.dumps([{"n": i.filename, "d": base64.b64encode(z.read(i)).decode(), "m": i.compress_type,
                       "t": list(i.date_time)} for i in z.infolist()]))
)";
    const TResultadoHospedeiro xPython = ExecutaNoHospedeiro(
        QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromLatin1(SCRIPT), CaminhoNoHospedeiro(pCaminho)});
    QVector<TEntradaZip> xEntradas;
    if (!xPython.Terminou || xPython.Codigo != 0) {
        if (pErro)
            *pErro = QString::fromUtf8(xPython.Erros);
        return xEntradas;
    }
    const QJsonArray xLista = QJsonDocument::fromJson(xPython.Saida).array();
    for (const auto& xValor : xLista) {
        const QJsonObject xObjeto = xValor.toObject();
        const QJsonArray t = xObjeto[QStringLiteral("t")].toArray();
        xEntradas.push_back({xObjeto[QStringLiteral("n")].toString(),
                             QByteArray::fromBase64(xObjeto[QStringLiteral("d")].toString().toLatin1()),
                             xObjeto[QStringLiteral("m")].toInt(),
                             QDateTime(QDate(t[0].toInt(), t[1].toInt(), t[2].toInt()),
                                       QTime(t[3].toInt(), t[4].toInt(), t[5].toInt()))});
    }
    if (pErro)
        pErro->clear();
    return xEntradas;
}

inline QStringList NomesZip(const QString& pCaminho)
{
    QStringList xNomes;
    for (const TEntradaZip& xEntrada : LeZip(pCaminho))
        xNomes << xEntrada.Nome;
    return xNomes;
}

// unzip -t, 7z t and Python's zipfile (entry count and CRCs) each accept the archive holding pEntradas
// entries; returns what failed, empty when all three accept it. unzip says "zipfile is empty" with exit
// code 1 for an archive without entries, which is accepted.
inline QString VerificaZipExterno(const QString& pCaminho, qint64 pEntradas)
{
    QString xFalhas;
    auto Executa = [&](const QString& pPrograma, const QStringList& pArgumentos, QByteArray& pSaida) {
        const TResultadoHospedeiro xResultado = ExecutaNoHospedeiro(pPrograma, pArgumentos, 600000);
        pSaida = xResultado.Saida + xResultado.Erros;
        return xResultado.Terminou ? xResultado.Codigo : -1;
    };
    const QString xCaminho = CaminhoNoHospedeiro(pCaminho);
    QByteArray xSaida;
    const int xUnzip = Executa(QStringLiteral("unzip"), {QStringLiteral("-tqq"), xCaminho}, xSaida);
    if (!(xUnzip == 0 || (pEntradas == 0 && xUnzip == 1)))
        xFalhas +=
            QStringLiteral("unzip -t: exit %1: %2\n").arg(xUnzip).arg(QString::fromUtf8(xSaida.right(400)));
    const int x7z = Executa(QStringLiteral("7z"), {QStringLiteral("t"), xCaminho}, xSaida);
    if (x7z != 0 || (pEntradas > 0 && !xSaida.contains("Everything is Ok")))
        xFalhas += QStringLiteral("7z t: exit %1: %2\n").arg(x7z).arg(QString::fromUtf8(xSaida.right(400)));
    const int xPython =
        Executa(QStringLiteral("python3"),
                {QStringLiteral("-c"),
                 QStringLiteral("import sys, zipfile\n"
                                "z = zipfile.ZipFile(sys.argv[1])\n"
                                "bad = z.testzip()\n"
                                "n = len(z.infolist())\n"
                                "print(n)\n"
                                "sys.exit(0 if bad is None and n == int(sys.argv[2]) else 3)\n"),
                 xCaminho, QString::number(pEntradas)},
                xSaida);
    if (xPython != 0)
        xFalhas += QStringLiteral("python zipfile: exit %1: %2\n")
                       .arg(xPython)
                       .arg(QString::fromUtf8(xSaida.right(400)));
    return xFalhas;
}
