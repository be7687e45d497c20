#pragma once

#include <QObject>
#include <QString>
#include <memory>

// The system asking the program to end, which it then does cleanly and without questions.
//
// POSIX: the signals SIGINT, SIGTERM and SIGHUP (Ctrl+C, a terminal closing, a logout or a shutdown). The
// program owns them: Bloqueia, called first in main() before any thread exists, blocks them in every
// thread to come, so neither a thread nor a handler some library installs (the Firebird client installs
// its own at its first connection, and then shuts the program's connection) ever receives them;
// TAvisoTermino reads them on the GUI thread instead.
//
// Windows: the end of the session (a log-off or a shutdown), seen by the GUI thread's windows: only
// WM_ENDSESSION with wParam TRUE ends the program. The question before it, WM_QUERYENDSESSION, is only
// recorded (FimDaSessaoConsultado) and answered: yes, unless a TBloqueioFimDaSessao lives, in which case no,
// and Windows shows its reason and lets the user end the session anyway or cancel it; WM_ENDSESSION with
// FALSE (cancelled, by the user or another program) clears the record and the program goes on. And, when
// the program has a console, its Ctrl+C, Ctrl+Break, closing, log-off and shutdown events.
namespace Termino {

// Requests are numbered as the POSIX signals of the same meaning, on every system.
inline constexpr int PEDIDO_FIM_DO_TERMINAL = 1; // SIGHUP; a console window closed
inline constexpr int PEDIDO_INTERRUPCAO = 2;     // SIGINT; Ctrl+C, Ctrl+Break
inline constexpr int PEDIDO_TERMINO = 15;        // SIGTERM; a log-off or shutdown

// Blocks the requests in the calling thread (and so in every thread it starts afterwards); nothing to do
// on Windows.
void Bloqueia();
// Unblocks them in the calling thread again: without a TAvisoTermino they keep their default effect.
void Desbloqueia();

// The request that asked the program to end; 0 while none has.
int Recebido();
// A request to end has come: no dialog opens any more, none of its questions is asked.
inline bool Encerrando()
{
    return Recebido() != 0;
}

// Windows: the session asked whether it may end and has not said yet whether it does. Never on POSIX.
bool FimDaSessaoConsultado();

// After the program's clean-up: ends the process the way the system expects for the request received.
// POSIX: by the signal received, with its default action, so the exit status tells the parent which
// signal ended it. Windows: ExitProcess with 128 + the request's number. Returns only when no request
// was received.
void TerminaComoPedido();

} // namespace Termino

// While it lives, an end of the session waits for the user (Windows): asked whether it may end, the program
// answers no and gives Windows pMotivo, shown beside the program's name. pJanela is the main window's
// native handle (QWidget::winId); made and destroyed on the GUI thread. Nothing on POSIX, where a request
// to end does not ask first.
class TBloqueioFimDaSessao
{
public:
    TBloqueioFimDaSessao(quintptr pJanela, const QString& pMotivo);
    ~TBloqueioFimDaSessao();
    TBloqueioFimDaSessao(const TBloqueioFimDaSessao&) = delete;
    TBloqueioFimDaSessao& operator=(const TBloqueioFimDaSessao&) = delete;

    // At least one block lives.
    static bool Algum();

private:
    quintptr vJanela;
};

// Watches for the requests on the GUI thread (it must be made there, after the application object):
// records the first one (Termino::Recebido) and reports each one. A second request while the program is
// already ending ends the process at once.
class TAvisoTermino : public QObject
{
    Q_OBJECT
public:
    explicit TAvisoTermino(QObject* pParent = nullptr);
    ~TAvisoTermino() override;

    // False when the requests cannot be watched (they then keep their default effect: see Desbloqueia).
    bool Ativo() const;

signals:
    // The system asks the program to end: it should stop what it does, close its dialogs and leave its
    // message loop, then clean up and call Termino::TerminaComoPedido.
    void Recebido(int pPedido);
    // The system will not wait for the message loop to end (Windows: the session ends as soon as
    // WM_ENDSESSION is answered, possibly from inside a run): what must still happen, the log's closing
    // line, happens in the slots of this signal, right then; the process ends when they return, at once:
    // its threads stop where they stand and no library's own clean-up runs. Comes after Recebido. Never on
    // POSIX.
    void SemEspera(int pPedido);

private:
    struct TVigia;
    std::unique_ptr<TVigia> vVigia;
};
