#pragma once

#include "sistema/ErroSistema.h"

#include <QtGlobal>
#include <functional>

// The one bounded retry of the file operations that another program may hold up for a moment (see
// TErroSistema::Transitorio): such holders let go within some hundreds of milliseconds.

// How long an operation keeps trying after its first transient failure.
inline constexpr int ESPERA_MAXIMA_OCUPADO_MS = 3000;

// Runs pOperacao until it succeeds, fails for a reason that is not transient, or ESPERA_MAXIMA_OCUPADO_MS
// have passed since its first failure; returns its last result. The pauses grow from 10 to 200 ms.
TErroSistema RepeteEnquantoOcupado(const std::function<TErroSistema()>& pOperacao);

// The longest time, in milliseconds, that RepeteEnquantoOcupado has waited in this process (0: never).
qint64 MaiorEsperaOcupado();
