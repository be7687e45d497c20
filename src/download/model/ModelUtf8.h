#pragma once

#include <cstddef>

// The UTF-8 check of a whole JSON body, made once before the parse: the service's pages are mostly
// ASCII XML, which a check of 16 bytes at a time passes through far faster than the JSON reader's
// own check of every character of every string.
class TModelUtf8
{
public:
    // True when pTexto[0, pTamanho) is well-formed UTF-8 as Unicode defines it: no overlong form,
    // no surrogate (U+D800 to U+DFFF), nothing above U+10FFFF, no sequence cut short by the end.
    static bool Valido(const char* pTexto, std::size_t pTamanho);
};
