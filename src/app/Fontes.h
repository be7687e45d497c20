#pragma once

#include <QFont>

// The program's faces. The layout is in fixed pixels and was drawn for Tahoma 8 point (11 pixels), with
// bold Arial on the captions of the large buttons; where those are missing, the condensed DejaVu face one
// pixel smaller keeps every caption inside its place. Call once the application object exists.
namespace Fontes {

// The window's face: every control, and every dialog and picker the program opens.
QFont Janela();
// The captions of the large push buttons.
QFont Botoes();

// Makes the window's face the application's, for every kind of widget: dialogs and pickers are windows
// of their own and do not inherit the main window's face, and the platform gives some kinds faces of
// their own (message boxes, item views, menus: on Windows the system's message font, which under Wine is
// "MS Shell Dlg", a name the toolkit does not resolve and draws in a serif face).
void AplicaNaAplicacao();

} // namespace Fontes
