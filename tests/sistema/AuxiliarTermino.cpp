// A program that watches for the system's request to end, run by tst_sistema_termino. It prints what it
// sees, one line each: "pronto" once it watches, "recebido <n>", "sem espera <n>", "limpeza <loop's
// result>" after its message loop, "sem pedido" when it goes on after TerminaComoPedido, "tempo" when
// nothing ended it in time.
//
// Arguments: "sai" (leaves its loop at the first request, as the program does) or "insiste" (stays in
// it, as a program in the midst of a run); the milliseconds it waits before ending by itself; on Windows
// what it then does, in order: "bloqueia" (a TBloqueioFimDaSessao on its window, as a run has), and the
// session messages it sends to its window as Windows does: "consulta" (WM_QUERYENDSESSION; prints
// "resposta <its answer>"), "fim" (WM_ENDSESSION, the session ends) and "cancelado" (WM_ENDSESSION, the
// session goes on); "estado" prints "consultado <0|1>" (Termino::FimDaSessaoConsultado).
#include "sistema/Termino.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <memory>
#ifdef Q_OS_WIN
#include <QGuiApplication>
#include <QWindow>
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
#ifdef Q_OS_WIN
    // A window of the toolkit's, whose messages pass where the program's do.
    QGuiApplication xAplicacao(argc, argv);
    QWindow xJanela;
    xJanela.create();
    const HWND xHandle = reinterpret_cast<HWND>(xJanela.winId());
    std::unique_ptr<TBloqueioFimDaSessao> xBloqueio;
#else
    QCoreApplication xAplicacao(argc, argv);
#endif
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
    QTimer::singleShot(0, [&] {
        Diz(QStringLiteral("pronto"));
#ifdef Q_OS_WIN
        for (const QString& xMensagem : xArgumentos.mid(2)) {
            if (xMensagem == u"bloqueia")
                xBloqueio = std::make_unique<TBloqueioFimDaSessao>(quintptr(xHandle),
                                                                   QStringLiteral("Download em andamento"));
            else if (xMensagem == u"consulta")
                Diz(QStringLiteral("resposta %1")
                        .arg(SendMessageW(xHandle, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF)));
            else if (xMensagem == u"estado")
                Diz(QStringLiteral("consultado %1").arg(int(Termino::FimDaSessaoConsultado())));
            else
                SendMessageW(xHandle, WM_ENDSESSION, xMensagem == u"fim", ENDSESSION_LOGOFF);
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
