#include "sistema/PastaTravas.h"

namespace PastaTravas {

QString Prepara()
{
    return {}; // the engine's lock files go where it puts them on Windows, open to every user
}

} // namespace PastaTravas
