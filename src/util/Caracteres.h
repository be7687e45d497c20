#pragma once

#include <QStringView>
#include <initializer_list>

// Character classes of the text clean-up helpers (TFuncoes::RetiraCaracteres, IsCaractere, TrocaAcento).
// Comparisons are exact, code by code.
enum TCaractere
{
    ccEspeciais,
    ccSimbolos,
    ccAlfa,
    ccNormais,
    ccSimbolosPerigosos
};

// A set of character classes: RetiraCaracteres(xTexto, {ccSimbolos, ccAlfa}).
class TCaracteres
{
public:
    constexpr TCaracteres() = default;
    constexpr TCaracteres(std::initializer_list<TCaractere> pClasses)
    {
        for (TCaractere xClasse : pClasses)
            Inclui(xClasse);
    }
    constexpr void Inclui(TCaractere pClasse) { vBits |= 1u << pClasse; }
    constexpr bool contains(TCaractere pClasse) const { return (vBits & (1u << pClasse)) != 0; }
    constexpr bool isEmpty() const { return vBits == 0; }

private:
    unsigned vBits = 0;
};

// Accented letters (and the euro sign); position n pairs with position n of CARACTERES_NORMAIS.
inline constexpr QStringView CARACTERES_ALFA =
    u"\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5\u00E8\u00E9\u00EA\u00EB\u00EC\u00ED\u00EE\u00EF"
    u"\u00F2\u00F3\u00F4\u00F5\u00F6\u00F9\u00FA\u00FB\u00FC\u00E7\u00FD\u00FF\u00F1"
    u"\u00C0\u00C1\u00C2\u00C3\u00C4\u00C5\u00C8\u00C9\u00CA\u00CB\u00CC\u00CD\u00CE\u00CF"
    u"\u00D2\u00D3\u00D4\u00D5\u00D6\u00D9\u00DA\u00DB\u00DC\u00C7\u00DD\u0178\u00D1\u20AC";

inline constexpr QStringView CARACTERES_NORMAIS = u"aaaaaaeeeeiiiiooooouuuucyynAAAAAAEEEEIIIIOOOOOUUUUCYYNC";

// Ampersand, semicolon, the Latin-1 letters without a plain counterpart, the Latin-1 signs from U+00A1
// to U+00BF (soft hyphen excepted), multiplication and division signs, circumflex, grave accent, tilde.
// Semicolon, U+00BA and U+00AA appear twice, as they always have.
inline constexpr QStringView CARACTERES_ESPECIAIS =
    u"\u0026\u003B\u00D8\u00F8\u00D0\u00DE\u00FE\u00F0\u00C6\u00DF\u00E6\u00BC\u00BD\u00A1\u00BE"
    u"\u00A3\u00A9\u00A5\u00AE\u00A7\u00AA\u00A4\u00B2\u00A6\u00B3\u00AB\u00B9\u00AC\u00AF\u00B5"
    u"\u00BA\u00B6\u00B4\u00B7\u00A8\u00B0\u00B1\u00B8\u00BB\u00BF\u00D7\u00A2\u00F7\u005E\u003B"
    u"\u00BA\u00AA\u0060\u007E";

inline constexpr QStringView CARACTERES_SIMBOLOS =
    u"\u005C\u002F\u002A\u002D\u002B\u005B\u005D\u007B\u007D\u0028\u0029\u005F\u003D\u002A\u0027"
    u"\u0027\u0022\u0021\u003F\u007C\u003C\u003E\u0023\u0024\u0025\u0040\u0026\u003B\u003A\u002C"
    u"\u002E";

// Symbols unsafe in file names, SQL and markup.
inline constexpr QStringView CARACTERES_SIMBOLOS_PERIGOSOS =
    u"\u005C\u002A\u002B\u005B\u005D\u007B\u007D\u005F\u0027\u0027\u0022\u007C\u003C\u003E\u0023"
    u"\u0024\u0025\u0040\u0026";
