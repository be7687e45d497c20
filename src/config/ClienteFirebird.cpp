#include "config/ClienteFirebird.h"

#include "config/ConexaoBD.h"
#include "sistema/Biblioteca.h"
#include "sistema/PastaTravas.h"

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
    return Biblioteca::NomesClienteFirebird();
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
    for (const QString& xNome : Biblioteca::Candidatos(xNomes)) {
        QString xFalha;
        void* xBiblioteca = Biblioteca::Carrega(xNome, &xFalha);
        if (!xBiblioteca) {
            if (xPrimeiraFalha.isEmpty())
                xPrimeiraFalha = xFalha;
            continue;
        }
        const auto xFuncao =
            reinterpret_cast<TFuncaoMaster>(Biblioteca::Funcao(xBiblioteca, "fb_get_master_interface"));
        if (!xFuncao) {
            // An old client without the interface this program speaks.
            if (xPrimeiraFalha.isEmpty())
                xPrimeiraFalha = QStringLiteral("%1 não tem fb_get_master_interface").arg(xNome);
            Biblioteca::Descarrega(xBiblioteca);
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
