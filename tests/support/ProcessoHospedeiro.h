#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

// Programs of the build machine (Linux) run from a test: readers of our archives, the stand-in of the
// notes service, a Firebird server. In the Linux build they are plain child processes. In the Windows
// build the tests run under Wine, which starts a Unix program but gives no handle, pipe or exit code of
// it back: there the program runs under /bin/sh with its output and exit code in files that the test
// reads, and a watchdog stops it once the test lets it go (or dies).

// pCaminho, a path of this system, as the build machine names it (the same path on Linux; under Wine
// the Unix path of a Windows one, "C:\users\..." -> "/root/.wine/drive_c/users/...").
QString CaminhoNoHospedeiro(const QString& pCaminho);

struct TResultadoHospedeiro
{
    bool Terminou = false; // false: did not start, or not done within the wait (then stopped)
    int Codigo = -1;       // exit code
    QByteArray Saida;      // standard output
    QByteArray Erros;      // standard error
};

// Runs pPrograma (a name on the build machine's PATH or its absolute path) to its end. Arguments are
// passed as they are: give paths through CaminhoNoHospedeiro.
TResultadoHospedeiro ExecutaNoHospedeiro(const QString& pPrograma, const QStringList& pArgumentos,
                                         int pEsperaMs = 120000);

// A program of the build machine left running in the background: a server.
class TProcessoHospedeiro
{
public:
    TProcessoHospedeiro();
    ~TProcessoHospedeiro(); // stops it
    TProcessoHospedeiro(const TProcessoHospedeiro&) = delete;
    TProcessoHospedeiro& operator=(const TProcessoHospedeiro&) = delete;

    bool Iniciar(const QString& pPrograma, const QStringList& pArgumentos);
    bool EmExecucao();
    // Everything it wrote so far.
    QByteArray Saida();
    QByteArray Erros();
    // Waits up to pEsperaMs for more standard output; false when none came.
    bool EsperaSaida(int pEsperaMs);
    // Its process id on the build machine; -1 when not known (yet).
    qint64 Pid();
    void Parar();
    QString Erro() const { return vErro; }

    struct TImplementacao;

private:
    std::unique_ptr<TImplementacao> vImpl;
    QString vErro;
};
