#pragma once

#include <QtGlobal>

class QKeyEvent;

// Key codes as the window's state keeps them (vKey): the desktop's virtual-key numbering.
namespace Teclas {

inline constexpr quint16 VK_BACK = 8;
inline constexpr quint16 VK_TAB = 9;
inline constexpr quint16 VK_RETURN = 13;
inline constexpr quint16 VK_SHIFT = 16;
inline constexpr quint16 VK_CONTROL = 17;
inline constexpr quint16 VK_MENU = 18;
inline constexpr quint16 VK_ESCAPE = 27;
inline constexpr quint16 VK_SPACE = 32;
inline constexpr quint16 VK_DELETE = 46;

// The code of a pressed key; keys without a code of their own give 0xFFFF (never 0, which means none).
quint16 CodigoTecla(const QKeyEvent* pEvento);

} // namespace Teclas
