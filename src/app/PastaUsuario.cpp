#include "app/PastaUsuario.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>

QString EntraNaPastaDoUsuario(int argc, const char* const* argv)
{
    bool xPedida = false;
    for (int i = 1; i < argc && !xPedida; ++i)
        xPedida = std::strcmp(argv[i], ARGUMENTO_PASTA_DO_USUARIO) == 0;
    if (!xPedida)
        return {};

    const QString xPasta = PastaConfiguracaoDoUsuario();
    if (!CriaPastaPrivada(xPasta))
        return QStringLiteral("Não foi possível criar a pasta de configuração \"%1\".")
            .arg(QDir::toNativeSeparators(xPasta));
    if (!QDir::setCurrent(xPasta))
        return QStringLiteral("Não foi possível abrir a pasta de configuração \"%1\".")
            .arg(QDir::toNativeSeparators(xPasta));
    return {};
}

QString PastaInicialDosSeletores()
{
    const QString xTrabalho = QDir::currentPath();
    const QString xConfiguracao = QFileInfo(PastaConfiguracaoDoUsuario()).canonicalFilePath();
    if (!xConfiguracao.isEmpty() && QFileInfo(xTrabalho).canonicalFilePath() == xConfiguracao)
        return PastaPessoalDoUsuario();
    return xTrabalho;
}
