// Logs the number of lines asked for and returns from main without releasing the log, as a program
// that forgets to would: the log must then be released at exit, its closing line written, and nothing
// may crash while writers are still running.
// Usage: tst_log_auxiliar_saida <log folder> <lines>
#include "log/LogArquivo.h"
#include "util/GlobalVar.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    MVersaoSoftware = QString::fromLatin1(VERSAO_SOFTWARE);
    TLogArquivo::DefinePastaLog(QString::fromLocal8Bit(argv[1]));
    const int xLinhas = std::atoi(argv[2]);
    for (int i = 0; i < xLinhas; ++i)
        Log().Info(nullptr, QStringLiteral("linha %1").arg(i));
    return 0;
}
