#pragma once

#include "util/Exception.h"

#include <QList>
#include <QString>

// INI files as the Windows profile functions see them, for any section and key.
//
// Reading: every line is trimmed of blanks (codes 0 to 32); a line beginning with ";" is a comment; a line "[name]" opens the
// section "name"; inside a section a line holding "=" gives a key (text before the first "=") and its
// value (the rest), both trimmed. Names match without regard to letter case; the first section and the
// first key of a name win. A missing file, section or key reads as empty text. Lines end at LF (a CR
// before it belongs to the line end).
//
// Encoding: a byte-order mark selects it (UTF-8, UTF-16 LE, UTF-16 BE); without one the file is
// Windows-1252.

// A key could not be written; the message names the file.
class EIniFileException : public Exception
{
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EIniFileException"); }
};

// The in-memory copy of an INI file: loaded once when made, read from memory afterwards.
class TCopiaIni
{
public:
    // An empty copy (no file).
    TCopiaIni() = default;
    // Loads the file; a file that is missing or cannot be read gives an empty copy.
    explicit TCopiaIni(const QString& pArquivo);

    const QString& Arquivo() const { return vArquivo; }
    QString ReadString(const QString& pSecao, const QString& pChave, const QString& pPadrao = {}) const;
    bool SectionExists(const QString& pSecao) const;

private:
    struct TSecao
    {
        QString Nome;
        QList<std::pair<QString, QString>> Valores;
    };
    const TSecao* Secao(const QString& pSecao) const;

    QString vArquivo;
    QList<TSecao> vSecoes;
};

// A writer on an INI file: each WriteString updates one key in the file itself, the way
// WritePrivateProfileString does; WriteStrings updates several keys of one section with one replacement
// of the file. A missing file or section is made; the key's line is replaced, or
// a new one is placed after the last non-blank line of the section; every other byte of the file is
// kept, line ends included (CR LF in a new file). The file keeps its encoding; a Windows-1252 file that
// must take a character that code page lacks is turned into UTF-8 with a byte-order mark, its text kept.
// The new content goes to a temporary file beside it that then replaces it, so a crash leaves either
// the old file or the new one (SubstituiArquivo). The file holds a password: one made here is readable
// and writable by its owner only (0600 on POSIX; on Windows the permissions its folder passes on); one
// that exists keeps its permissions (mode; access control list on Windows); a symbolic link is written through to its target and stays a link. A line break
// inside a value is written as a space: a value is one line.
class TArquivoIni
{
public:
    explicit TArquivoIni(QString pArquivo) : vArquivo(std::move(pArquivo)) {}

    const QString& Arquivo() const { return vArquivo; }

    // Raises EIniFileException "Unable to write to <file>" when the file cannot be read or replaced,
    // or is marked read-only; when the system said why, ". Motivo: " and its reason follow.
    void WriteString(const QString& pSecao, const QString& pChave, const QString& pValor) const;
    // The keys pValores (name, value), in order, in one replacement of the file: all of them or none.
    void WriteStrings(const QString& pSecao, const QList<std::pair<QString, QString>>& pValores) const;
    QString ReadString(const QString& pSecao, const QString& pChave, const QString& pPadrao = {}) const;

private:
    QString vArquivo;
};
