#include "app/Traducao.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool CarregaTraducoesQt(QCoreApplication& pAplicacao)
{
    // Installed once per application; the translator lives as long as the application does.
    if (auto* xExistente = pAplicacao.findChild<QTranslator*>(QStringLiteral("TraducaoQtBase")))
        return !xExistente->isEmpty();

    const QString xPasta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale xPortugues(QLocale::Portuguese, QLocale::Brazil);
    auto* xBase = new QTranslator(&pAplicacao);
    xBase->setObjectName(QStringLiteral("TraducaoQtBase"));
    // qtbase holds the widgets' texts: file dialog, line edit menu, standard buttons.
    const bool xCarregou = xBase->load(xPortugues, QStringLiteral("qtbase"), QStringLiteral("_"), xPasta);
    if (xCarregou)
        QCoreApplication::installTranslator(xBase);
    return xCarregou;
}
