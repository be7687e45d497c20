#pragma once

#include <QByteArray>
#include <QString>

// Encodings on the wire of the notes service's HTTP traffic.
namespace HttpCodificacao {

// A query value as form data: UTF-8, a blank as "+", all but A-Z a-z 0-9 - . _ ~ as %XX.
QByteArray CodificaFormulario(const QString& pValor);

// The charset parameter of a Content-Type header ("application/json; Charset=\"ISO-8859-1\"" gives
// "ISO-8859-1"); empty when there is none. Case, blanks and quotes vary between servers.
QByteArray CharsetDoContentType(const QByteArray& pContentType);

// A body in UTF-8 as the JSON reader wants it. UTF-8 (also when no charset is declared, or an unknown
// one) passes through without a copy; other charsets are transcoded.
QByteArray CorpoEmUtf8(QByteArray pCorpo, const QByteArray& pCharset);

} // namespace HttpCodificacao
