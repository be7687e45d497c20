#include "support/PortaEntupida.h"

#include <QThread>
#include <winsock2.h>

TPortaEntupida::TPortaEntupida()
{
    WSADATA xDados;
    if (WSAStartup(MAKEWORD(2, 2), &xDados) != 0)
        return;
    sockaddr_in xEndereco{};
    xEndereco.sin_family = AF_INET;
    xEndereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int xTamanho = sizeof xEndereco;
    const SOCKET xOuvinte = socket(AF_INET, SOCK_STREAM, 0);
    vOuvinte = xOuvinte == INVALID_SOCKET ? -1 : qintptr(xOuvinte);
    if (vOuvinte < 0 || bind(xOuvinte, reinterpret_cast<sockaddr*>(&xEndereco), xTamanho) != 0 ||
        listen(xOuvinte, 0) != 0 || getsockname(xOuvinte, reinterpret_cast<sockaddr*>(&xEndereco), &xTamanho) != 0)
        return;
    vPorta = ntohs(xEndereco.sin_port);
    for (qintptr& xCliente : vClientes) {
        const SOCKET xSocket = socket(AF_INET, SOCK_STREAM, 0);
        if (xSocket == INVALID_SOCKET)
            continue;
        u_long xSemBloqueio = 1;
        ioctlsocket(xSocket, FIONBIO, &xSemBloqueio);
        ::connect(xSocket, reinterpret_cast<sockaddr*>(&xEndereco), xTamanho);
        xCliente = qintptr(xSocket);
    }
    QThread::msleep(100);
}

TPortaEntupida::~TPortaEntupida()
{
    for (qintptr xCliente : vClientes)
        if (xCliente >= 0)
            closesocket(SOCKET(xCliente));
    if (vOuvinte >= 0)
        closesocket(SOCKET(vOuvinte));
    WSACleanup();
}
