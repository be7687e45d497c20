#pragma once

#include <QString>

// The access control list of a file on Windows, written as SDDL ("D:P(A;;FA;;;BA)(A;;FR;;;WD)"). POSIX
// keeps modes instead (QFile::permissions): there Disponivel() is false and the functions do nothing.
namespace PermissoesArquivo {

bool Disponivel();

// The file's DACL as SDDL; empty when it cannot be read.
QString Acl(const QString& pCaminho);

// Gives the file the DACL pSddl, as its own: protected, nothing inherited from its folder.
bool DefineAclPropria(const QString& pCaminho, const QString& pSddl);

} // namespace PermissoesArquivo
