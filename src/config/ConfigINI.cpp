#include "config/ConfigINI.h"

#include <QDir>

namespace ConfigINI {

QString CaminhoINI()
{
    return QDir(QDir::currentPath()).filePath(QString::fromUtf16(NOME_ARQUIVO));
}

} // namespace ConfigINI
