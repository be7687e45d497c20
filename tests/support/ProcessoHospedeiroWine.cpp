// The Windows build's tests run under Wine; this starts programs of the Linux machine underneath.
// Test support only: the program itself never runs anything.
#include "support/ProcessoHospedeiro.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <windows.h>

namespace {

// Wine maps the Unix root to drive Z:, so a folder made there is shared by both sides.
constexpr auto PASTA_TROCA = "Z:/tmp/tarnwick-hospedeiro-XXXXXX";

QByteArray Aspas(const QString& pTexto)
{
    QByteArray xTexto = pTexto.toUtf8();
    xTexto.replace('\'', "'\\''");
    return '\'' + xTexto + '\'';
}

QByteArray LeArquivo(const QString& pCaminho)
{
    QFile xArquivo(pCaminho);
    return xArquivo.open(QIODevice::ReadOnly) ? xArquivo.readAll() : QByteArray();
}

} // namespace

QString CaminhoNoHospedeiro(const QString& pCaminho)
{
    // Wine's own export, absent from Windows: the Unix name of a DOS path.
    using TConversao = char*(CDECL*)(LPCWSTR);
    static const auto xConverte = reinterpret_cast<TConversao>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!xConverte)
        return pCaminho;
    const QString xNativo = QDir::toNativeSeparators(QDir::cleanPath(QDir(pCaminho).absolutePath()));
    char* xUnix = xConverte(reinterpret_cast<LPCWSTR>(xNativo.utf16()));
    if (!xUnix)
        return pCaminho;
    QString xResultado = QString::fromUtf8(xUnix);
    HeapFree(GetProcessHeap(), 0, xUnix);
    // Drive C: comes through the prefix's link "dosdevices/c:", whose colon Firebird would read as the end
    // of a host name: the folder the link names instead.
    xResultado.replace(QStringLiteral("/dosdevices/c:/"), QStringLiteral("/drive_c/"));
    return xResultado;
}

struct TProcessoHospedeiro::TImplementacao
{
    QTemporaryDir Pasta{QString::fromLatin1(PASTA_TROCA)};
    bool Iniciado = false;

    QString Arquivo(const char* pNome) const { return Pasta.filePath(QString::fromLatin1(pNome)); }
    bool Terminou() const { return QFile::exists(Arquivo("rc")); }

    // The program runs under /bin/sh: its output to files, its exit code to "rc" when it ends, and a
    // watchdog that stops it once the exchange folder is gone (the test is done with it, or died) or
    // after pPrazoS seconds.
    bool Inicia(const QString& pPrograma, const QStringList& pArgumentos, int pPrazoS, QString& pErro)
    {
        if (!Pasta.isValid()) {
            pErro = QStringLiteral("no exchange folder under Z:/tmp");
            return false;
        }
        const QByteArray xPasta = Aspas(CaminhoNoHospedeiro(Pasta.path()));
        QByteArray xComando = Aspas(pPrograma);
        for (const QString& xArgumento : pArgumentos)
            xComando += ' ' + Aspas(xArgumento);
        QByteArray xScript = "D=" + xPasta + "\n" +
                             "exec </dev/null >\"$D/saida\" 2>\"$D/erros\"\n" + xComando + " &\n" +
                             "filho=$!\n"
                             "echo $filho >\"$D/pid\"\n"
                             "( n=0; while [ -d \"$D\" ] && kill -0 $filho 2>/dev/null && [ $n -lt " +
                             QByteArray::number(pPrazoS * 2) +
                             " ]; do sleep 0.5; n=$((n+1)); done; kill $filho 2>/dev/null ) &\n"
                             "wait $filho\n"
                             "echo $? >\"$D/rc.tmp\" && mv \"$D/rc.tmp\" \"$D/rc\"\n";
        QFile xArquivo(Arquivo("roda.sh"));
        if (!xArquivo.open(QIODevice::WriteOnly) || xArquivo.write(xScript) != xScript.size()) {
            pErro = QStringLiteral("cannot write %1").arg(xArquivo.fileName());
            return false;
        }
        xArquivo.close();
        // Wine runs the Unix program from the command line's first word; the handles it returns are empty.
        std::wstring xLinha = L"Z:\\bin\\sh " + CaminhoNoHospedeiro(xArquivo.fileName()).toStdWString();
        STARTUPINFOW xInicio{};
        xInicio.cb = sizeof xInicio;
        PROCESS_INFORMATION xProcesso{};
        if (!CreateProcessW(nullptr, xLinha.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &xInicio,
                            &xProcesso)) {
            pErro = QStringLiteral("cannot start /bin/sh under Wine (error %1)").arg(GetLastError());
            return false;
        }
        if (xProcesso.hProcess)
            CloseHandle(xProcesso.hProcess);
        if (xProcesso.hThread)
            CloseHandle(xProcesso.hThread);
        Iniciado = true;
        return true;
    }

    void Para()
    {
        if (!Iniciado)
            return;
        const QByteArray xPid = LeArquivo(Arquivo("pid")).trimmed();
        if (!xPid.isEmpty() && !Terminou()) {
            TImplementacao xKill;
            QString xErro;
            if (xKill.Inicia(QStringLiteral("kill"), {QString::fromLatin1(xPid)}, 10, xErro)) {
                const QDeadlineTimer xPrazo(5000);
                while (!xKill.Terminou() && !xPrazo.hasExpired())
                    QThread::msleep(20);
            }
            const QDeadlineTimer xPrazo(5000);
            while (!Terminou() && !xPrazo.hasExpired())
                QThread::msleep(20);
        }
        Iniciado = false;
    }
};

TResultadoHospedeiro ExecutaNoHospedeiro(const QString& pPrograma, const QStringList& pArgumentos, int pEsperaMs)
{
    TResultadoHospedeiro xResultado;
    TProcessoHospedeiro::TImplementacao xImpl;
    QString xErro;
    if (!xImpl.Inicia(pPrograma, pArgumentos, pEsperaMs / 1000 + 5, xErro)) {
        xResultado.Erros = xErro.toUtf8();
        return xResultado;
    }
    const QDeadlineTimer xPrazo(pEsperaMs);
    while (!xImpl.Terminou() && !xPrazo.hasExpired())
        QThread::msleep(10);
    xResultado.Terminou = xImpl.Terminou();
    xResultado.Codigo = xResultado.Terminou ? LeArquivo(xImpl.Arquivo("rc")).trimmed().toInt() : -1;
    xResultado.Saida = LeArquivo(xImpl.Arquivo("saida"));
    xResultado.Erros = LeArquivo(xImpl.Arquivo("erros"));
    if (!xResultado.Terminou)
        xImpl.Para();
    return xResultado;
}

TProcessoHospedeiro::TProcessoHospedeiro() : vImpl(std::make_unique<TImplementacao>()) {}

TProcessoHospedeiro::~TProcessoHospedeiro()
{
    Parar();
}

bool TProcessoHospedeiro::Iniciar(const QString& pPrograma, const QStringList& pArgumentos)
{
    Parar();
    vImpl = std::make_unique<TImplementacao>();
    // A server lives at most as long as a test program may run.
    return vImpl->Inicia(pPrograma, pArgumentos, 1800, vErro);
}

bool TProcessoHospedeiro::EmExecucao()
{
    return vImpl->Iniciado && !vImpl->Terminou();
}

QByteArray TProcessoHospedeiro::Saida()
{
    return LeArquivo(vImpl->Arquivo("saida"));
}

QByteArray TProcessoHospedeiro::Erros()
{
    return LeArquivo(vImpl->Arquivo("erros"));
}

bool TProcessoHospedeiro::EsperaSaida(int pEsperaMs)
{
    const qsizetype xAntes = Saida().size();
    const QDeadlineTimer xPrazo(pEsperaMs);
    while (Saida().size() == xAntes && EmExecucao() && !xPrazo.hasExpired())
        QThread::msleep(10);
    return Saida().size() > xAntes;
}

qint64 TProcessoHospedeiro::Pid()
{
    // The shell writes it as soon as the program has started.
    bool xOk = false;
    const qint64 xPid = LeArquivo(vImpl->Arquivo("pid")).trimmed().toLongLong(&xOk);
    return vImpl->Iniciado && xOk ? xPid : -1;
}

void TProcessoHospedeiro::Parar()
{
    if (vImpl)
        vImpl->Para();
}
