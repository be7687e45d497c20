#include "download/model/ModelUtf8.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// The high bit of every byte of a 64-bit word: set in a byte that is not ASCII.
constexpr std::uint64_t MASCARA_ALTA = 0x8080808080808080ULL;

std::uint64_t Palavra(const unsigned char* p)
{
    std::uint64_t x;
    std::memcpy(&x, p, sizeof x); // no alignment needed, and no aliasing of the bytes
    return x;
}

// The index of the first byte, in memory order, whose high bit is set in pAltos (not zero).
int PrimeiroAlto(std::uint64_t pAltos)
{
    if constexpr (std::endian::native == std::endian::little)
        return std::countr_zero(pAltos) / 8;
    else
        return std::countl_zero(pAltos) / 8;
}

} // namespace

bool TModelUtf8::Valido(const char* pTexto, std::size_t pTamanho)
{
    const auto* p = reinterpret_cast<const unsigned char*>(pTexto);
    const unsigned char* const xFim = p + pTamanho;
    while (p < xFim) {
        // ASCII runs: 16 bytes, then 8, at a time, up to the block that holds a non-ASCII byte.
        while (xFim - p >= 16 && ((Palavra(p) | Palavra(p + 8)) & MASCARA_ALTA) == 0)
            p += 16;
        if (xFim - p >= 8) {
            const std::uint64_t xAltos = Palavra(p) & MASCARA_ALTA;
            if (xAltos == 0) {
                p += 8;
                continue;
            }
            p += PrimeiroAlto(xAltos); // straight to the first non-ASCII byte of the 8
        } else {
            while (p < xFim && *p < 0x80)
                ++p;
            if (p == xFim)
                return true;
        }

        // One multi-byte sequence, by the table of well-formed byte sequences: the lead byte gives
        // the number of continuation bytes and the range of the first one.
        const unsigned char xLider = *p;
        int xSeguintes;
        unsigned char xMinimo = 0x80, xMaximo = 0xBF;
        if (xLider >= 0xC2 && xLider <= 0xDF) {
            xSeguintes = 1;
        } else if (xLider == 0xE0) {
            xSeguintes = 2;
            xMinimo = 0xA0; // below: overlong
        } else if (xLider == 0xED) {
            xSeguintes = 2;
            xMaximo = 0x9F; // above: surrogates
        } else if (xLider >= 0xE1 && xLider <= 0xEF) {
            xSeguintes = 2;
        } else if (xLider == 0xF0) {
            xSeguintes = 3;
            xMinimo = 0x90; // below: overlong
        } else if (xLider >= 0xF1 && xLider <= 0xF3) {
            xSeguintes = 3;
        } else if (xLider == 0xF4) {
            xSeguintes = 3;
            xMaximo = 0x8F; // above: beyond U+10FFFF
        } else {
            return false; // a continuation byte without a lead, C0, C1 (overlong) or F5 to FF
        }
        if (xFim - p <= xSeguintes)
            return false;
        if (p[1] < xMinimo || p[1] > xMaximo)
            return false;
        for (int i = 2; i <= xSeguintes; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += xSeguintes + 1;
    }
    return true;
}
