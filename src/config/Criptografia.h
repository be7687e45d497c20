#pragma once

#include <QString>
#include <cstdint>

// The maker's encoding of the database password in the configuration file: for each character, from
// the last to the first, its 16-bit code in decimal with exactly three digits ("abc" -> "099098097").
// Codes of 1000 or more keep only their last three digits, so they do not survive a round trip.
class TCriptografia
{
public:
    // The one shared instance, made on first use (callers are on the GUI thread) and kept to the end.
    static TCriptografia& get();

    TCriptografia(const TCriptografia&) = delete;
    TCriptografia& operator=(const TCriptografia&) = delete;

    // The first pTamanho characters of pString encoded. With pTamanho below 10 a text of up to 10
    // characters is first padded with spaces to 11; positions past the end of the text count as spaces.
    QString EncriptaASCII(const QString& pString, std::uint16_t pTamanho) const;
    // pTamanho groups of three digits read back, the last group first. Raises EConvertError when a
    // group is missing or is not three decimal digits. Spaces are kept.
    QString DecriptaASCII(const QString& pString, std::uint16_t pTamanho) const;
    // Code of the first character; raises EConvertError for the empty text.
    int Asc(const QString& pString) const;

    // Whether every character of the text survives EncriptaASCII and DecriptaASCII (code up to 999).
    static bool CodificavelASCII(const QString& pString);

private:
    TCriptografia() = default;
};
