#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The Windows-1252 code page, both ways, without codec tables of the toolkit.
namespace CodigoPagina {

// Every byte has a character: the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become the control characters of the same code, as Windows does, so that decoding and
// encoding again gives back the same bytes.
QString DeWindows1252(QByteArrayView pBytes);

// The text as Windows-1252 bytes; nothing when a character has no byte in that code page.
std::optional<QByteArray> ParaWindows1252(QStringView pTexto);

} // namespace CodigoPagina
