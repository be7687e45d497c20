#pragma once

// Names as the wide-character API takes them: backslashes, UTF-16, so that any name works whatever
// the ANSI code page ("C:\Users\João\Área de Trabalho").

#include <QDir>
#include <QString>

class TCaminhoWindows
{
public:
    explicit TCaminhoWindows(const QString& pCaminho) : vNativo(QDir::toNativeSeparators(pCaminho)) {}
    const wchar_t* c_str() const { return reinterpret_cast<const wchar_t*>(vNativo.utf16()); }

private:
    QString vNativo;
};
