#include "support/ProcessoHospedeiro.h"

#include <QProcess>

QString CaminhoNoHospedeiro(const QString& pCaminho)
{
    return pCaminho;
}

TResultadoHospedeiro ExecutaNoHospedeiro(const QString& pPrograma, const QStringList& pArgumentos, int pEsperaMs)
{
    TResultadoHospedeiro xResultado;
    QProcess xProcesso;
    xProcesso.start(pPrograma, pArgumentos);
    if (!xProcesso.waitForFinished(pEsperaMs)) {
        xProcesso.kill();
        xProcesso.waitForFinished(5000);
        xResultado.Erros = xProcesso.errorString().toUtf8();
        return xResultado;
    }
    xResultado.Terminou = xProcesso.exitStatus() == QProcess::NormalExit;
    xResultado.Codigo = xResultado.Terminou ? xProcesso.exitCode() : -1;
    xResultado.Saida = xProcesso.readAllStandardOutput();
    xResultado.Erros = xProcesso.readAllStandardError();
    return xResultado;
}

struct TProcessoHospedeiro::TImplementacao
{
    QProcess Processo;
    QByteArray Saida;
    QByteArray Erros;

    void Le()
    {
        if (!Processo.isOpen())
            return;
        Saida += Processo.readAllStandardOutput();
        Erros += Processo.readAllStandardError();
    }
};

TProcessoHospedeiro::TProcessoHospedeiro() : vImpl(std::make_unique<TImplementacao>()) {}

TProcessoHospedeiro::~TProcessoHospedeiro()
{
    Parar();
}

bool TProcessoHospedeiro::Iniciar(const QString& pPrograma, const QStringList& pArgumentos)
{
    Parar();
    vImpl->Saida.clear();
    vImpl->Erros.clear();
    vImpl->Processo.start(pPrograma, pArgumentos);
    if (vImpl->Processo.waitForStarted(10000))
        return true;
    vErro = QStringLiteral("cannot start %1: %2").arg(pPrograma, vImpl->Processo.errorString());
    return false;
}

bool TProcessoHospedeiro::EmExecucao()
{
    return vImpl->Processo.state() == QProcess::Running;
}

QByteArray TProcessoHospedeiro::Saida()
{
    vImpl->Le();
    return vImpl->Saida;
}

QByteArray TProcessoHospedeiro::Erros()
{
    vImpl->Le();
    return vImpl->Erros;
}

bool TProcessoHospedeiro::EsperaSaida(int pEsperaMs)
{
    const qsizetype xAntes = Saida().size();
    if (vImpl->Processo.state() == QProcess::Running)
        vImpl->Processo.waitForReadyRead(pEsperaMs);
    return Saida().size() > xAntes;
}

qint64 TProcessoHospedeiro::Pid()
{
    return vImpl->Processo.state() == QProcess::NotRunning ? -1 : vImpl->Processo.processId();
}

void TProcessoHospedeiro::Parar()
{
    if (vImpl->Processo.state() != QProcess::NotRunning) {
        vImpl->Processo.kill();
        vImpl->Processo.waitForFinished(5000);
    }
    vImpl->Le();
}
