#include "sistema/Termino.h"

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

namespace Termino {

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

bool FimDaSessaoConsultado()
{
    return false;
}

void TerminaComoPedido()
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

} // namespace Termino

// A signal does not ask first: the blocks only count.
namespace {
int MBloqueios = 0;
}

TBloqueioFimDaSessao::TBloqueioFimDaSessao(quintptr pJanela, const QString&) : vJanela(pJanela)
{
    ++MBloqueios;
}

TBloqueioFimDaSessao::~TBloqueioFimDaSessao()
{
    --MBloqueios;
}

bool TBloqueioFimDaSessao::Algum()
{
    return MBloqueios > 0;
}

// The blocked signals, read from a signal descriptor that the event loop of the creating thread watches.
struct TAvisoTermino::TVigia
{
    int vDescritor = -1;
    QSocketNotifier* vAviso = nullptr;

    ~TVigia()
    {
        if (vDescritor >= 0)
            close(vDescritor);
    }

    void Le(TAvisoTermino& pAviso)
    {
        signalfd_siginfo xInfo;
        while (read(vDescritor, &xInfo, sizeof xInfo) == ssize_t(sizeof xInfo)) {
            const int xSinal = int(xInfo.ssi_signo);
            int xNenhum = 0;
            if (!MRecebido.compare_exchange_strong(xNenhum, xSinal)) {
                // Asked again while ending: the user does not want to wait for the clean-up.
                Termino::TerminaComoPedido();
            }
            emit pAviso.Recebido(xSinal);
        }
    }
};

TAvisoTermino::TAvisoTermino(QObject* pParent) : QObject(pParent), vVigia(std::make_unique<TVigia>())
{
    const sigset_t xSinais = SinaisDeTermino();
    vVigia->vDescritor = signalfd(-1, &xSinais, SFD_NONBLOCK | SFD_CLOEXEC);
    if (vVigia->vDescritor < 0)
        return;
    vVigia->vAviso = new QSocketNotifier(vVigia->vDescritor, QSocketNotifier::Read, this);
    connect(vVigia->vAviso, &QSocketNotifier::activated, this, [this] { vVigia->Le(*this); });
}

TAvisoTermino::~TAvisoTermino()
{
    // The notifier (a child) goes before the descriptor it watches.
    delete vVigia->vAviso;
}

bool TAvisoTermino::Ativo() const
{
    return vVigia->vDescritor >= 0;
}
