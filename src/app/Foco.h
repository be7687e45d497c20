#pragma once

class QWidget;

// Focus helpers of the window and its dialogs.
namespace Foco {

// True when the control exists, is visible and enabled, and its window is showing and enabled.
bool PodeReceberFoco(const QWidget* pControle);

// Gives the control the keyboard focus when it can take it; a control that cannot is skipped silently.
void FocaSePuder(QWidget* pControle);

} // namespace Foco
