// Stopping a download run from outside the window's own questions (the program being ended by a signal).
#include "app/Principal.h"

void TfrmPrincipal::AbortaDownload()
{
    // The run stops at its next look at the stop request, as after the user's "&Sim" to Esc.
    if (vProcessando)
        vInterromper = true;
}
