#include "sistema/Termino.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <atomic>
#include <mutex>
#include <windows.h>

namespace {

std::atomic<int> MRecebido{0};
// GUI thread only: the session's query and the blocks that answer it.
bool MConsultado = false;
int MBloqueios = 0;
std::mutex MMutexAviso;          // the watcher is not destroyed while a console event reaches it
TAvisoTermino* MAviso = nullptr; // the watcher the console's events go to

// Records pPedido as the request to end; false when one had come already.
bool Registra(int pPedido)
{
    int xNenhum = 0;
    return MRecebido.compare_exchange_strong(xNenhum, pPedido);
}

// Ends the process where it stands, for the request received, without the libraries' own clean-up: the
// threads are stopped wherever they are (a worker may hold the heap's lock, or a library's own), and a
// library detaching after them could wait on such a lock forever (the Firebird client waits for its own
// threads). Used when the program's clean-up cannot run first or has already been done.
[[noreturn]] void TerminaJa()
{
    TerminateProcess(GetCurrentProcess(), UINT(128 + MRecebido.load()));
    ExitProcess(UINT(128 + MRecebido.load())); // not reached
}

// The console's events come on a thread of the system's own. Ctrl+C and Ctrl+Break are answered at once
// and the program ends by itself; the closing of the console, a log-off and a shutdown end the process as
// soon as this returns, so it waits for the clean-up, which ends the process from the GUI thread.
BOOL WINAPI AoEventoConsole(DWORD pEvento)
{
    int xPedido = 0;
    switch (pEvento) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        xPedido = Termino::PEDIDO_INTERRUPCAO;
        break;
    case CTRL_CLOSE_EVENT:
        xPedido = Termino::PEDIDO_FIM_DO_TERMINAL;
        break;
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        xPedido = Termino::PEDIDO_TERMINO;
        break;
    default:
        return FALSE;
    }
    {
        std::lock_guard xTrava(MMutexAviso);
        TAvisoTermino* const xAviso = MAviso;
        if (!xAviso)
            return FALSE; // the system's default: the process ends
        if (!Registra(xPedido))
            TerminaJa(); // asked again while ending: no waiting for the clean-up
        QMetaObject::invokeMethod(
            xAviso, [xAviso, xPedido] { emit xAviso->Recebido(xPedido); }, Qt::QueuedConnection);
    }
    if (xPedido == Termino::PEDIDO_INTERRUPCAO)
        return TRUE;
    Sleep(INFINITE);
    return TRUE;
}

} // namespace

namespace Termino {

void Bloqueia() {}

void Desbloqueia() {}

int Recebido()
{
    return MRecebido.load();
}

bool FimDaSessaoConsultado()
{
    return MConsultado;
}

void TerminaComoPedido()
{
    const int xPedido = MRecebido.load();
    if (xPedido == 0)
        return;
    ExitProcess(UINT(128 + xPedido));
}

} // namespace Termino

// The session's messages, as the GUI thread's windows receive them (each top-level window gets its own
// copy of each). WM_QUERYENDSESSION is recorded and, while a block lives, answered here with no (every
// copy alike); otherwise Qt answers it, yes, through its session manager (commitDataRequest, which the
// program does not use). WM_ENDSESSION with wParam TRUE: the session ends as soon as it is answered, so
// the ending happens right here. With FALSE the session goes on.
struct TAvisoTermino::TVigia : public QAbstractNativeEventFilter
{
    TAvisoTermino& vAviso;

    explicit TVigia(TAvisoTermino& pAviso) : vAviso(pAviso) {}

    bool nativeEventFilter(const QByteArray& pTipo, void* pMensagem, qintptr* pResultado) override
    {
        if (pTipo != "windows_generic_MSG" && pTipo != "windows_dispatcher_MSG")
            return false;
        const MSG* xMensagem = static_cast<const MSG*>(pMensagem);
        if (xMensagem->message == WM_QUERYENDSESSION) {
            MConsultado = true;
            if (MBloqueios > 0) {
                if (pResultado)
                    *pResultado = FALSE;
                return true;
            }
        } else if (xMensagem->message == WM_ENDSESSION) {
            MConsultado = false;
            if (xMensagem->wParam) {
                if (Registra(Termino::PEDIDO_TERMINO))
                    emit vAviso.Recebido(Termino::PEDIDO_TERMINO);
                emit vAviso.SemEspera(Termino::Recebido());
                TerminaJa();
            }
        }
        return false;
    }
};

TBloqueioFimDaSessao::TBloqueioFimDaSessao(quintptr pJanela, const QString& pMotivo) : vJanela(pJanela)
{
    ++MBloqueios;
    // Windows keeps one reason per window; the answer to the query does not depend on it (Wine, for one,
    // keeps none).
    if (vJanela)
        ShutdownBlockReasonCreate(reinterpret_cast<HWND>(vJanela),
                                  reinterpret_cast<LPCWSTR>(pMotivo.utf16()));
}

TBloqueioFimDaSessao::~TBloqueioFimDaSessao()
{
    --MBloqueios;
    if (vJanela)
        ShutdownBlockReasonDestroy(reinterpret_cast<HWND>(vJanela));
}

bool TBloqueioFimDaSessao::Algum()
{
    return MBloqueios > 0;
}

TAvisoTermino::TAvisoTermino(QObject* pParent) : QObject(pParent), vVigia(std::make_unique<TVigia>(*this))
{
    QCoreApplication::instance()->installNativeEventFilter(vVigia.get());
    {
        std::lock_guard xTrava(MMutexAviso);
        MAviso = this;
    }
    if (GetConsoleWindow())
        SetConsoleCtrlHandler(AoEventoConsole, TRUE);
}

TAvisoTermino::~TAvisoTermino()
{
    if (GetConsoleWindow())
        SetConsoleCtrlHandler(AoEventoConsole, FALSE);
    {
        std::lock_guard xTrava(MMutexAviso);
        MAviso = nullptr;
    }
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(vVigia.get());
}

bool TAvisoTermino::Ativo() const
{
    return true;
}
