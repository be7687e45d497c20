#include "config/ClienteFirebird.h"

#include "config/ConexaoBD.h"
#include "config/PastaTravas.h"

#include <QFile>
#include <dlfcn.h>
#include <firebird/Interface.h>
#include <mutex>

namespace ClienteFirebird {

namespace {

using TFuncaoMaster = Firebird::IMaster* (*)();

std::mutex MMutex;
QStringList MNomesDefinidos;
Firebird::IMaster* MMaster = nullptr; // the library stays loaded until the process ends
bool MTravasPreparadas = false;

} // namespace

QStringList NomesBiblioteca()
{
    std::lock_guard xTrava(MMutex);
    if (!MNomesDefinidos.isEmpty())
        return MNomesDefinidos;
    return {QStringLiteral("libfbclient.so.2"), QStringLiteral("libfbclient.so"), QStringLiteral("libgds.so.0"),
            QStringLiteral("libgds.so")};
}

void DefineNomesBiblioteca(const QStringList& pNomes)
{
    std::lock_guard xTrava(MMutex);
    MNomesDefinidos = pNomes;
}

Firebird::IMaster* Master()
{
    const QStringList xNomes = NomesBiblioteca();
    std::lock_guard xTrava(MMutex);
    if (MMaster)
        return MMaster;
    if (!MTravasPreparadas) {
        PastaTravas::Prepara();
        MTravasPreparadas = true;
    }
    QString xPrimeiraFalha;
    for (const QString& xNome : xNomes) {
        // Global: the engine's plugins, loaded by the client, resolve its symbols.
        void* xBiblioteca = dlopen(QFile::encodeName(xNome).constData(), RTLD_NOW | RTLD_GLOBAL);
        if (!xBiblioteca) {
            if (xPrimeiraFalha.isEmpty()) {
                const char* xErro = dlerror();
                xPrimeiraFalha = xErro ? QString::fromLocal8Bit(xErro) : xNome;
            }
            continue;
        }
        const auto xFuncao = reinterpret_cast<TFuncaoMaster>(dlsym(xBiblioteca, "fb_get_master_interface"));
        if (!xFuncao) {
            // An old client without the interface this program speaks.
            if (xPrimeiraFalha.isEmpty())
                xPrimeiraFalha = QStringLiteral("%1 não tem fb_get_master_interface").arg(xNome);
            dlclose(xBiblioteca);
            continue;
        }
        MMaster = xFuncao();
        if (MMaster)
            return MMaster;
    }
    throw EConexaoBD(QStringLiteral("Biblioteca cliente do Firebird não encontrada (%1).\r\n%2")
                         .arg(xNomes.join(QStringLiteral(", ")), xPrimeiraFalha));
}

} // namespace ClienteFirebird
