// A program that watches for the system's request to end, run by tst_sistema_termino. It prints what it
// sees, one line each: "pronto" once it watches, "recebido <n>", "sem espera <n>", "limpeza <loop's
// result>" after its message loop, "sem pedido" when it goes on after TerminaComoPedido, "tempo" when
// nothing ended it in time.
//
// Arguments: "sai" (leaves its loop at the first request, as the program does) or "insiste" (stays in
// it, as a program in the midst of a run); the milliseconds it waits before ending by itself; on Windows
// the session messages it then posts to itself: "consulta" (WM_QUERYENDSESSION), "fim" (WM_ENDSESSION,
// the session ends) and "cancelado" (WM_ENDSESSION, the session goes on).
#include "sistema/Termino.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

void Diz(const QString& pLinha)
{
    std::printf("%s\n", qPrintable(pLinha));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    Termino::Bloqueia();
    QCoreApplication xAplicacao(argc, argv);
    const QStringList xArgumentos = QCoreApplication::arguments().mid(1);
    if (xArgumentos.size() < 2)
        return 2;
    const bool xSai = xArgumentos[0] == u"sai";
    const int xEspera = xArgumentos[1].toInt();

    TAvisoTermino xAviso;
    if (!xAviso.Ativo())
        return 3;
    QObject::connect(&xAviso, &TAvisoTermino::Recebido, [xSai](int pPedido) {
        Diz(QStringLiteral("recebido %1").arg(pPedido));
        if (xSai)
            QCoreApplication::exit(128 + pPedido);
    });
    QObject::connect(&xAviso, &TAvisoTermino::SemEspera,
                     [](int pPedido) { Diz(QStringLiteral("sem espera %1").arg(pPedido)); });
    QTimer::singleShot(0, [&xArgumentos] {
        Diz(QStringLiteral("pronto"));
#ifdef Q_OS_WIN
        for (const QString& xMensagem : xArgumentos.mid(2)) {
            if (xMensagem == u"consulta")
                PostThreadMessageW(GetCurrentThreadId(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
            else
                PostThreadMessageW(GetCurrentThreadId(), WM_ENDSESSION, xMensagem == u"fim",
                                   ENDSESSION_LOGOFF);
        }
#endif
    });
    QTimer::singleShot(xEspera, [] {
        Diz(QStringLiteral("tempo"));
        QCoreApplication::exit(0);
    });
    const int xResultado = xAplicacao.exec();
    Diz(QStringLiteral("limpeza %1").arg(xResultado));
    Termino::TerminaComoPedido();
    Diz(QStringLiteral("sem pedido"));
    return xResultado;
}
