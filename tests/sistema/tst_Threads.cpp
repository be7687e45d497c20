// The calling thread as the system knows it: its id (the log's thread column) and its lowered priority
// (the compression worker's).
#include "sistema/Threads.h"

#include <QtTest>
#include <set>
#include <thread>
#include <vector>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// The calling thread's priority as the system reports it; higher is more urgent on both systems here.
int PrioridadeAtual()
{
#ifdef Q_OS_WIN
    return GetThreadPriority(GetCurrentThread());
#else
    return -getpriority(PRIO_PROCESS, id_t(gettid()));
#endif
}

} // namespace

class TesteThreads : public QObject
{
    Q_OBJECT

private slots:
    // Each thread its own id, the same for its whole life.
    void idThreadAtual()
    {
        const quint32 xPrincipal = IdThreadAtual();
        QVERIFY(xPrincipal != 0);
        QCOMPARE(IdThreadAtual(), xPrincipal);
        std::vector<quint32> xIds(4);
        std::vector<std::thread> xThreads;
        for (quint32& xId : xIds)
            xThreads.emplace_back([&xId] { xId = IdThreadAtual() == IdThreadAtual() ? IdThreadAtual() : 0; });
        for (std::thread& xThread : xThreads)
            xThread.join();
        std::set<quint32> xDiferentes(xIds.begin(), xIds.end());
        xDiferentes.insert(xPrincipal);
        QCOMPARE(xDiferentes.size(), size_t(5));
        QVERIFY(!xDiferentes.count(0));
    }

    // Lowered for the calling thread alone: the others keep theirs.
    void reduzPrioridade()
    {
        const int xAntes = PrioridadeAtual();
        int xDepois = xAntes;
        int xVizinha = xAntes;
        std::thread([&] {
            ReduzPrioridadeDaThread();
            xDepois = PrioridadeAtual();
        }).join();
        std::thread([&] { xVizinha = PrioridadeAtual(); }).join();
        QVERIFY2(xDepois < xAntes, qPrintable(QStringLiteral("%1 -> %2").arg(xAntes).arg(xDepois)));
        QCOMPARE(PrioridadeAtual(), xAntes);
        QCOMPARE(xVizinha, xAntes);
    }
};

QTEST_GUILESS_MAIN(TesteThreads)
#include "tst_Threads.moc"
