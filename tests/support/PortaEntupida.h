#pragma once

#include <QtGlobal>

// A local port whose connections never complete: it listens, but its queue is full and the kernel drops
// further connection requests, so a client waits for its connect time-out.
class TPortaEntupida
{
public:
    TPortaEntupida();
    ~TPortaEntupida();
    TPortaEntupida(const TPortaEntupida&) = delete;
    TPortaEntupida& operator=(const TPortaEntupida&) = delete;

    // 0 when the port could not be prepared.
    quint16 Porta() const { return vPorta; }

private:
    qintptr vOuvinte = -1;
    qintptr vClientes[3] = {-1, -1, -1};
    quint16 vPorta = 0;
};
