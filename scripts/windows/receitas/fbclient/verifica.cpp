// Checks a cross-built fbclient.dll the way the program uses the client: loads it by name, takes its
// master interface, and over TCP creates a database, runs a query and drops the database again.
//
//   verifica <host/port> <database file on the server> <SYSDBA password>
//
// Prints "fbclient.dll: select 1 from rdb$database = 1" and exits 0 when all of it works.
#include <cstdio>
#include <cstring>
#include <firebird/Interface.h>
#include <string>
#include <vector>
#include <windows.h>

using namespace Firebird;

typedef IMaster*(ISC_EXPORT* TObtemMestre)();

int main(int pArgc, char** pArgv)
{
    if (pArgc != 4) {
        std::fprintf(stderr, "usage: verifica <host/port> <database> <password>\n");
        return 2;
    }
    HMODULE xModulo = LoadLibraryW(L"fbclient.dll");
    if (xModulo == NULL) {
        std::fprintf(stderr, "LoadLibraryW(fbclient.dll) failed: error %lu\n", GetLastError());
        return 1;
    }
    TObtemMestre xObtemMestre =
        reinterpret_cast<TObtemMestre>(GetProcAddress(xModulo, "fb_get_master_interface"));
    if (xObtemMestre == NULL) {
        std::fprintf(stderr, "fbclient.dll does not export fb_get_master_interface\n");
        return 1;
    }

    IMaster* xMestre = xObtemMestre();
    IUtil* xUtil = xMestre->getUtilInterface();
    ThrowStatusWrapper xStatus(xMestre->getStatus());
    IProvider* xProvedor = xMestre->getDispatcher();
    const std::string xBanco = std::string(pArgv[1]) + ":" + pArgv[2];
    int xUm = 0;
    try {
        IXpbBuilder* xDpb = xUtil->getXpbBuilder(&xStatus, IXpbBuilder::DPB, NULL, 0);
        xDpb->insertString(&xStatus, isc_dpb_user_name, "SYSDBA");
        xDpb->insertString(&xStatus, isc_dpb_password, pArgv[3]);
        IAttachment* xConexao = xProvedor->createDatabase(
            &xStatus, xBanco.c_str(), xDpb->getBufferLength(&xStatus), xDpb->getBuffer(&xStatus));
        xDpb->dispose();

        ITransaction* xTransacao = xConexao->startTransaction(&xStatus, 0, NULL);
        // The row is asked for as one INTEGER, whatever type the server gives the literal.
        IMetadataBuilder* xConstrutor = xMestre->getMetadataBuilder(&xStatus, 1);
        xConstrutor->setType(&xStatus, 0, SQL_LONG);
        xConstrutor->setLength(&xStatus, 0, sizeof(ISC_LONG));
        IMessageMetadata* xLinha = xConstrutor->getMetadata(&xStatus);
        xConstrutor->release();
        std::vector<unsigned char> xDados(xLinha->getMessageLength(&xStatus));
        IResultSet* xCursor = xConexao->openCursor(&xStatus, xTransacao, 0, "select 1 from rdb$database", 3,
                                                   NULL, NULL, xLinha, NULL, 0);
        if (xCursor->fetchNext(&xStatus, xDados.data()) == IStatus::RESULT_OK) {
            ISC_LONG xValor;
            std::memcpy(&xValor, &xDados[xLinha->getOffset(&xStatus, 0)], sizeof(xValor));
            xUm = xValor;
        }
        xCursor->close(&xStatus);
        xTransacao->commit(&xStatus);
        xConexao->dropDatabase(&xStatus);
    } catch (const FbException& pErro) {
        char xTexto[1024];
        xUtil->formatStatus(xTexto, sizeof(xTexto), pErro.getStatus());
        std::fprintf(stderr, "%s: %s\n", xBanco.c_str(), xTexto);
        return 1;
    }
    std::printf("fbclient.dll: select 1 from rdb$database = %d\n", xUm);
    return xUm == 1 ? 0 : 1;
}
