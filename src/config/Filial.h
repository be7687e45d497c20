#pragma once

#include <QString>
#include <vector>

// One row of the branch table: tick ("S"/"N"), company code, name and CNPJ exactly as the database holds it.
struct TFilial
{
    QString CHECKED = QStringLiteral("N");
    QString CODEMPRESA;
    QString DESCRICAO;
    QString CGC;
};

using TListaFiliais = std::vector<TFilial>;
