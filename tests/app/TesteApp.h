#pragma once

#include "app/Aplicacao.h"
#include "util/GlobalVar.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The test programs of the window run inside the program's own application object, so that failures
// escaping a handler reach its error report as they do in the program, and in an empty working folder,
// so that no configuration file is found there: the window's start-up always takes the same path.
#define TARNWICK_APP_TEST_MAIN(Classe)                                                                       \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        MVersaoSoftware = QString::fromLatin1(VERSAO_SOFTWARE);                                              \
        TAplicacao xAplicacao(argc, argv);                                                                   \
        const QString xAnterior = QDir::currentPath();                                                       \
        QTemporaryDir xPasta;                                                                                \
        QDir::setCurrent(xPasta.path());                                                                     \
        Classe xTeste;                                                                                       \
        const int xResultado = QTest::qExec(&xTeste, argc, argv);                                            \
        /* Windows keeps a process's working folder from being removed. */                                   \
        QDir::setCurrent(xAnterior);                                                                         \
        return xResultado;                                                                                   \
    }
