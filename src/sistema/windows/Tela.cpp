#include "sistema/Tela.h"

#include <QByteArray>

void PreparaEscalaDaTela()
{
    // Qt scales by the monitor's own factor; rounding it would leave a 125 % display unscaled and draw
    // 175 % at 200 %.
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR_ROUNDING_POLICY"))
        qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", QByteArrayLiteral("PassThrough"));
}
