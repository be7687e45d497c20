#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// What a Windows executable says of itself, read as Explorer reads it (version.dll, the resource API).
struct TRecursosExecutavel
{
    QString VersaoArquivo, VersaoProduto; // the fixed part: "a.b.c.d"
    QStringList Traducoes;                // "041604B0": language and code page of each string table
    QMap<QString, QString> Textos;        // the first table's strings: "FileDescription", ...
    QList<int> LadosIcone;                // the sizes of the first icon group, in pixels
    QByteArray Manifesto;                 // the application manifest (resource 1 of type 24)
};

// False, with pErro, when the file cannot be read or holds no version resource.
bool LeRecursos(const QString& pExecutavel, TRecursosExecutavel& pRecursos, QString& pErro);
