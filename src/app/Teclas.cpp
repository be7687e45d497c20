#include "app/Teclas.h"

#include <QKeyEvent>

namespace Teclas {

quint16 CodigoTecla(const QKeyEvent* pEvento)
{
    const int xTecla = pEvento->key();
    if (xTecla >= Qt::Key_A && xTecla <= Qt::Key_Z)
        return static_cast<quint16>(xTecla);
    if (xTecla >= Qt::Key_0 && xTecla <= Qt::Key_9)
        return static_cast<quint16>(xTecla);
    if (xTecla >= Qt::Key_F1 && xTecla <= Qt::Key_F24)
        return static_cast<quint16>(112 + (xTecla - Qt::Key_F1));
    switch (xTecla) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Menu:
        return 93;
    default:
        return 0xFFFF;
    }
}

} // namespace Teclas
