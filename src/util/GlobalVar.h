#pragma once

#include <QString>

// The program-wide version text, set once at program start before anything else runs,
// appended to the window caption and written into every log line.
extern QString MVersaoSoftware;

// The version this build carries.
inline constexpr const char* VERSAO_SOFTWARE = "v.26.09ed0";
