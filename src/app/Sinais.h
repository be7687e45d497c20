#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP (Ctrl+C, a terminal closing, a logout or a shutdown) end the program
// cleanly and without questions. The program owns them: Bloqueia, called first in main() before any
// thread exists, blocks them in every thread to come, so neither a thread nor a handler some library
// installs (the Firebird client installs its own at its first connection, and then shuts the program's
// connection) ever receives them; TLeitorSinais reads them on the GUI thread instead.
namespace Sinais {

// Blocks the three signals in the calling thread (and so in every thread it starts afterwards).
void Bloqueia();
// Unblocks them in the calling thread again.
void Desbloqueia();

// The signal that asked the program to end; 0 while none has.
int Recebido();
// A signal asked the program to end: no dialog opens any more, none of its questions is asked.
inline bool Encerrando()
{
    return Recebido() != 0;
}

// After the program's clean-up: ends the process by the signal received, with its default action, so the
// exit status tells the parent which signal ended it. Returns only when no signal was received.
void TerminaPeloSinal();

} // namespace Sinais

// Reads the blocked signals from a signal descriptor watched by the event loop of the thread that creates
// it, records the first one (Sinais::Recebido) and reports each one. A second signal while the program is
// already ending ends the process at once.
class TLeitorSinais : public QObject
{
    Q_OBJECT
public:
    explicit TLeitorSinais(QObject* pParent = nullptr);
    ~TLeitorSinais() override;

    bool Ativo() const { return vDescritor >= 0; }

signals:
    void Recebido(int pSinal);

private:
    void Le();

    int vDescritor = -1;
    QSocketNotifier* vAviso = nullptr;
};
