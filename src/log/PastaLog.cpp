#include "log/PastaLog.h"

#include "sistema/Pastas.h"

#include <QDir>

namespace {

QString ComSeparador(const QString& pPasta)
{
    return pPasta.endsWith(u'/') ? pPasta : pPasta + u'/';
}

} // namespace

QString EscolhePastaLog(const QString& pPastaAoLado, bool pProgramaDoSistema)
{
    const QString xAoLado = ComSeparador(pPastaAoLado);
    if (!pProgramaDoSistema) {
        QDir().mkpath(xAoLado);
        if (PastaGravavel(xAoLado))
            return xAoLado;
    }
    const QString xDoUsuario = PastaLogDoUsuario();
    if (CriaPastaPrivada(xDoUsuario) && PastaGravavel(xDoUsuario))
        return xDoUsuario;
    return pProgramaDoSistema ? xDoUsuario : xAoLado;
}
