#include "app/Foco.h"

#include <QWidget>

namespace Foco {

bool PodeReceberFoco(const QWidget* pControle)
{
    if (!pControle)
        return false;
    const QWidget* xJanela = pControle->window();
    return pControle->isVisible() && pControle->isEnabled() && xJanela->isVisible() && xJanela->isEnabled();
}

void FocaSePuder(QWidget* pControle)
{
    if (PodeReceberFoco(pControle))
        pControle->setFocus(Qt::OtherFocusReason);
}

} // namespace Foco
