#include "support/PortaEntupida.h"

#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

TPortaEntupida::TPortaEntupida()
{
    sockaddr_in xEndereco{};
    xEndereco.sin_family = AF_INET;
    xEndereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t xTamanho = sizeof xEndereco;
    vOuvinte = socket(AF_INET, SOCK_STREAM, 0);
    if (vOuvinte < 0 || bind(int(vOuvinte), reinterpret_cast<sockaddr*>(&xEndereco), xTamanho) != 0 ||
        listen(int(vOuvinte), 0) != 0 ||
        getsockname(int(vOuvinte), reinterpret_cast<sockaddr*>(&xEndereco), &xTamanho) != 0)
        return;
    vPorta = ntohs(xEndereco.sin_port);
    for (qintptr& xCliente : vClientes) {
        xCliente = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(int(xCliente), reinterpret_cast<sockaddr*>(&xEndereco), xTamanho);
    }
    QThread::msleep(100);
}

TPortaEntupida::~TPortaEntupida()
{
    for (qintptr xCliente : vClientes)
        if (xCliente >= 0)
            close(int(xCliente));
    if (vOuvinte >= 0)
        close(int(vOuvinte));
}
