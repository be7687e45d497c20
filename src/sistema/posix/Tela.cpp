#include "sistema/Tela.h"

#include <QByteArray>

void PreparaEscalaDaTela()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", QByteArrayLiteral("0"));
}
