#include "app/Sinais.h"

#include <QSocketNotifier>
#include <atomic>
#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

std::atomic<int> MRecebido{0};

sigset_t SinaisDeTermino()
{
    sigset_t xSinais;
    sigemptyset(&xSinais);
    sigaddset(&xSinais, SIGINT);
    sigaddset(&xSinais, SIGTERM);
    sigaddset(&xSinais, SIGHUP);
    return xSinais;
}

} // namespace

namespace Sinais {

void Bloqueia()
{
    const sigset_t xSinais = SinaisDeTermino();
    pthread_sigmask(SIG_BLOCK, &xSinais, nullptr);
}

void Desbloqueia()
{
    const sigset_t xSinais = SinaisDeTermino();
    pthread_sigmask(SIG_UNBLOCK, &xSinais, nullptr);
}

int Recebido()
{
    return MRecebido.load();
}

void TerminaPeloSinal()
{
    const int xSinal = MRecebido.load();
    if (xSinal == 0)
        return;
    struct sigaction xPadrao = {};
    xPadrao.sa_handler = SIG_DFL;
    sigemptyset(&xPadrao.sa_mask);
    sigaction(xSinal, &xPadrao, nullptr);
    // Pending for this thread while blocked; delivered, with its default action, as soon as it is unblocked.
    raise(xSinal);
    sigset_t xSo;
    sigemptyset(&xSo);
    sigaddset(&xSo, xSinal);
    pthread_sigmask(SIG_UNBLOCK, &xSo, nullptr);
    _exit(128 + xSinal); // not reached
}

} // namespace Sinais

TLeitorSinais::TLeitorSinais(QObject* pParent) : QObject(pParent)
{
    const sigset_t xSinais = SinaisDeTermino();
    vDescritor = signalfd(-1, &xSinais, SFD_NONBLOCK | SFD_CLOEXEC);
    if (vDescritor < 0)
        return;
    vAviso = new QSocketNotifier(vDescritor, QSocketNotifier::Read, this);
    connect(vAviso, &QSocketNotifier::activated, this, &TLeitorSinais::Le);
}

TLeitorSinais::~TLeitorSinais()
{
    if (vDescritor >= 0)
        close(vDescritor);
}

void TLeitorSinais::Le()
{
    signalfd_siginfo xInfo;
    while (read(vDescritor, &xInfo, sizeof xInfo) == ssize_t(sizeof xInfo)) {
        const int xSinal = int(xInfo.ssi_signo);
        int xNenhum = 0;
        if (!MRecebido.compare_exchange_strong(xNenhum, xSinal)) {
            // Asked again while ending: the user does not want to wait for the clean-up.
            Sinais::TerminaPeloSinal();
        }
        emit Recebido(xSinal);
    }
}
