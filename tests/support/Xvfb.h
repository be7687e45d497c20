#pragma once

// A private virtual X display for tests that start a real program (the Linux one, or the Windows one under
// Wine) and drive it as a user would: xdotool for the mouse, the keys and the windows' titles, ImageMagick
// for screenshots, xclip for the clipboard. Linux build only.

#include <QDeadlineTimer>
#include <QProcess>
#include <QSize>
#include <QTest>

// A program of the test run to its end (or stopped after pLimiteMs): its exit code and output.
struct TSaidaPrograma
{
    int Codigo = -1; // -1: did not start, did not end in time, or crashed
    QByteArray Saida;
    QByteArray Erros;
    QString Texto() const { return QString::fromUtf8(Saida + Erros); }
};

inline TSaidaPrograma ExecutaPrograma(const QString& pPrograma, const QStringList& pArgumentos,
                                      const QProcessEnvironment& pAmbiente = {}, int pLimiteMs = 120000,
                                      const QString& pPasta = {})
{
    QProcess xProcesso;
    if (!pPasta.isEmpty())
        xProcesso.setWorkingDirectory(pPasta);
    if (!pAmbiente.isEmpty())
        xProcesso.setProcessEnvironment(pAmbiente);
    xProcesso.start(pPrograma, pArgumentos);
    TSaidaPrograma xSaida;
    if (!xProcesso.waitForFinished(pLimiteMs)) {
        xProcesso.kill();
        xProcesso.waitForFinished();
        xSaida.Erros = "não terminou: " + pPrograma.toUtf8() + ' ' + xProcesso.errorString().toUtf8();
        return xSaida;
    }
    xSaida.Saida = xProcesso.readAllStandardOutput();
    xSaida.Erros = xProcesso.readAllStandardError();
    xSaida.Codigo = xProcesso.exitStatus() == QProcess::NormalExit ? xProcesso.exitCode() : -1;
    return xSaida;
}

class TXvfb
{
public:
    bool Inicia(QSize pTela = QSize(1024, 768))
    {
        const QString xTela = QStringLiteral("%1x%2x24").arg(pTela.width()).arg(pTela.height());
        // -displayfd: the server picks a free display and writes its number when it is ready.
        vServidor.start(QStringLiteral("Xvfb"),
                        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                         QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                         xTela});
        QDeadlineTimer xLimite(30000);
        while (!vServidor.canReadLine() && !xLimite.hasExpired() && vServidor.state() != QProcess::NotRunning)
            vServidor.waitForReadyRead(200);
        const QByteArray xNumero = vServidor.readLine().trimmed();
        if (xNumero.isEmpty())
            return false;
        vDisplay = QStringLiteral(":") + QString::fromLatin1(xNumero);
        return true;
    }
    ~TXvfb()
    {
        vServidor.terminate();
        if (!vServidor.waitForFinished(5000))
            vServidor.kill();
        vServidor.waitForFinished();
    }
    QString Display() const { return vDisplay; }
    // The environment of a program of this display: the test's, with DISPLAY set.
    QProcessEnvironment Ambiente() const
    {
        QProcessEnvironment xAmbiente = QProcessEnvironment::systemEnvironment();
        xAmbiente.insert(QStringLiteral("DISPLAY"), vDisplay);
        return xAmbiente;
    }
    // xdotool on this display; its output.
    QString Xdotool(const QStringList& pArgumentos) const
    {
        return ExecutaPrograma(QStringLiteral("xdotool"), pArgumentos, Ambiente(), 30000).Texto().trimmed();
    }
    // The id of the first window whose title matches pTitulo (a regular expression), or empty.
    QString Janela(const QString& pTitulo) const
    {
        return Xdotool({QStringLiteral("search"), QStringLiteral("--name"), pTitulo}).section(u'\n', 0, 0);
    }
    // Waits until such a window exists; its id, or empty when pLimiteMs ran out.
    QString AguardaJanela(const QString& pTitulo, int pLimiteMs = 60000) const
    {
        QDeadlineTimer xLimite(pLimiteMs);
        QString xJanela = Janela(pTitulo);
        while (xJanela.isEmpty() && !xLimite.hasExpired()) {
            QTest::qWait(200);
            xJanela = Janela(pTitulo);
        }
        return xJanela;
    }
    // The window's size, from xdotool's geometry report.
    QSize Tamanho(const QString& pJanela) const
    {
        const QString xGeometria = Xdotool({QStringLiteral("getwindowgeometry"), pJanela});
        const qsizetype xPos = xGeometria.indexOf(QStringLiteral("Geometry: "));
        if (xPos < 0)
            return {};
        const QStringList xLados = xGeometria.mid(xPos + 10).section(u'\n', 0, 0).split(u'x');
        return xLados.size() == 2 ? QSize(xLados[0].toInt(), xLados[1].toInt()) : QSize();
    }
    // A click (or a double click) at (pX, pY) inside the window, as a user's mouse would give it.
    void Clica(const QString& pJanela, int pX, int pY, int pCliques = 1) const
    {
        Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), pJanela, QString::number(pX),
                 QString::number(pY), QStringLiteral("click"), QStringLiteral("--repeat"),
                 QString::number(pCliques), QStringLiteral("1")});
    }
    // The left button pressed at (pX1, pY1) and let go at (pX2, pY2): a selection dragged with the mouse.
    void Arrasta(const QString& pJanela, int pX1, int pY1, int pX2, int pY2) const
    {
        Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), pJanela, QString::number(pX1),
                 QString::number(pY1), QStringLiteral("mousedown"), QStringLiteral("1"),
                 QStringLiteral("mousemove"), QStringLiteral("--window"), pJanela, QString::number(pX2),
                 QString::number(pY2), QStringLiteral("mouseup"), QStringLiteral("1")});
    }
    void Digita(const QString& pTexto) const
    {
        Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), pTexto});
    }
    void Tecla(const QString& pJanela, const QString& pTecla) const
    {
        Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), pJanela, QStringLiteral("key"),
                 pTecla});
    }
    // The whole screen, or one window, as a PNG file; false when ImageMagick could not take it.
    bool Captura(const QString& pArquivo, const QString& pJanela = QStringLiteral("root")) const
    {
        return ExecutaPrograma(QStringLiteral("import"), {QStringLiteral("-window"), pJanela, pArquivo},
                               Ambiente(), 30000)
                   .Codigo == 0;
    }
    // The text on the clipboard of this display, empty when none.
    QString AreaDeTransferencia() const
    {
        return QString::fromUtf8(
            ExecutaPrograma(QStringLiteral("xclip"),
                            {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")},
                            Ambiente(), 10000)
                .Saida);
    }

private:
    QProcess vServidor;
    QString vDisplay;
};
