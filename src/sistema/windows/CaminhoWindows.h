#pragma once

// Names as the wide-character API takes them: backslashes, UTF-16, so that any name works whatever
// the ANSI code page ("C:\Users\João\Área de Trabalho"), and long ones in the form that lifts the
// 260-character limit ("\\?\C:\...", "\\?\UNC\servidor\compartilhamento\..."), which Windows does not
// lift by itself unless the machine's policy says so.

#include <QDir>
#include <QString>

class TCaminhoWindows
{
public:
    explicit TCaminhoWindows(const QString& pCaminho) : vNativo(Nativo(pCaminho)) {}
    const wchar_t* c_str() const { return reinterpret_cast<const wchar_t*>(vNativo.utf16()); }
    const QString& Texto() const { return vNativo; }

    // From this length on a name goes in its long form: a folder's name must leave room for a file name
    // of 8.3 characters (CreateDirectoryW's 248), a file's stays under MAX_PATH.
    static constexpr qsizetype LIMITE_CURTO = 248;

    static QString Nativo(const QString& pCaminho)
    {
        const QString xNativo = QDir::toNativeSeparators(pCaminho);
        if (xNativo.size() < LIMITE_CURTO || xNativo.startsWith(QLatin1String("\\\\?\\")) ||
            xNativo.startsWith(QLatin1String("\\\\.\\")))
            return xNativo;
        // The long form is taken as written: no "." or ".." segments, no doubled separators, no
        // forward slashes.
        const QString xLimpo = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(xNativo)));
        if (xLimpo.startsWith(QLatin1String("\\\\")))
            return QStringLiteral("\\\\?\\UNC\\") + xLimpo.mid(2);
        if (xLimpo.size() >= 3 && xLimpo.at(0).isLetter() && xLimpo.at(1) == u':' && xLimpo.at(2) == u'\\')
            return QStringLiteral("\\\\?\\") + xLimpo;
        return xNativo; // relative: the system resolves it against the working folder, as before
    }

private:
    QString vNativo;
};
