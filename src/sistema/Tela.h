#pragma once

// How the window meets the display's scale. Called once, before the application object exists.
// POSIX: the toolkit's scaling is off: the layout is in fixed pixels and shows as drawn, pixel for pixel.
// Windows: the window scales as a whole with the display's scale (125 % to 200 %, per monitor), fractional
// factors as they are; at 150 % an unscaled window with 8-point text is too small to read. A scaling the
// user asks for through Qt's own variables is left as it is.
void PreparaEscalaDaTela();
