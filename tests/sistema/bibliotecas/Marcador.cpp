// A library planted where the program must never look for its Firebird client. Loaded, it appends a
// line to the file named by TARNWICK_MARCADOR (set by the test), so that a load shows even when the
// caller discards the library at once.
#include <cstdio>
#include <cstdlib>

namespace {

struct TMarca
{
    TMarca()
    {
        if (const char* xArquivo = std::getenv("TARNWICK_MARCADOR"))
            if (std::FILE* xSaida = std::fopen(xArquivo, "a")) {
                std::fputs("carregada\n", xSaida);
                std::fclose(xSaida);
            }
    }
} MMarca;

} // namespace
