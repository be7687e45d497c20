#include "config/ClienteFirebird.h"

#include "config/ConexaoBD.h"
#include "log/LogArquivo.h"
#include "sistema/Biblioteca.h"
#include "sistema/PastaTravas.h"

#include <QDir>
#include <QFileInfo>
#include <firebird/Interface.h>
#include <mutex>

namespace ClienteFirebird {

namespace {

using TFuncaoMaster = Firebird::IMaster* (*)();
using Biblioteca::TFalha;
using Biblioteca::TRecusa;

std::mutex MMutex;
QStringList MNomesDefinidos;
Firebird::IMaster* MMaster = nullptr; // the library stays loaded until the process ends
bool MTravasPreparadas = false;

// The sender of the log's lines about the client.
class TClienteFirebird : public TLogSender
{
public:
    QString ClassName() const override { return QStringLiteral("TClienteFirebird"); }
};

// One candidate: loaded and speaking the interface this program was compiled for, or why not.
Firebird::IMaster* Experimenta(const QString& pCandidato, TFalha& pFalha, QString& pCaminho)
{
    void* xBiblioteca = Biblioteca::Carrega(pCandidato, &pFalha);
    if (!xBiblioteca)
        return nullptr;
    pCaminho = Biblioteca::Caminho(xBiblioteca);
    if (pCaminho.isEmpty())
        pCaminho = QDir::toNativeSeparators(pCandidato);
    const auto xFuncao =
        reinterpret_cast<TFuncaoMaster>(Biblioteca::Funcao(xBiblioteca, "fb_get_master_interface"));
    Firebird::IMaster* xMaster = xFuncao ? xFuncao() : nullptr;
    if (!xFuncao) {
        // Firebird 2.5 and older: only the old ISC calls.
        pFalha = {TRecusa::Antiga, pCaminho + QStringLiteral(": é antiga demais; não tem a interface do "
                                                             "Firebird 3 (fb_get_master_interface)")};
    } else if (!xMaster || xMaster->cloopVTable->version < Firebird::IMaster::VERSION) {
        pFalha = {TRecusa::Antiga,
                  pCaminho + QStringLiteral(": é antiga demais; a interface do Firebird é a versão %1 e o "
                                            "Tarnwick precisa da %2")
                                 .arg(xMaster ? qulonglong(xMaster->cloopVTable->version) : 0)
                                 .arg(Firebird::IMaster::VERSION)};
    } else {
        return xMaster;
    }
    Biblioteca::Descarrega(xBiblioteca);
    return nullptr;
}

// The failure when no candidate could be used. A file that was there but refused says more than any
// place where there was none: those are named, each with its reason; only when nothing was found at all
// does the message say where it looked.
QString Motivo(const QStringList& pNomes, const QStringList& pCandidatos, const QList<TFalha>& pFalhas)
{
    QStringList xRecusas;
    for (const TFalha& xFalha : pFalhas)
        if (xFalha.Recusa != TRecusa::Ausente)
            xRecusas << xFalha.Mensagem;
    const QString xNomes = pNomes.join(QStringLiteral(", "));
    if (!xRecusas.isEmpty())
        return QStringLiteral("Biblioteca cliente do Firebird não pôde ser usada (%1).\r\n%2")
            .arg(xNomes, xRecusas.join(QStringLiteral("\r\n")));
    QString xOnde;
    QStringList xPastas;
    bool xCaminhos = !pCandidatos.isEmpty();
    for (const QString& xCandidato : pCandidatos) {
        xCaminhos = xCaminhos && QDir::isAbsolutePath(xCandidato);
        const QString xPasta = QDir::toNativeSeparators(QFileInfo(xCandidato).path());
        if (!xPastas.contains(xPasta, Qt::CaseInsensitive))
            xPastas << xPasta;
    }
    if (xCaminhos)
        xOnde = QStringLiteral("Procurada em: ") + xPastas.join(QStringLiteral("; "));
    else if (!pFalhas.isEmpty())
        xOnde = pFalhas.first().Mensagem; // the system's search: its own words
    return QStringLiteral("Biblioteca cliente do Firebird não encontrada (%1).\r\n%2").arg(xNomes, xOnde);
}

} // namespace

QStringList NomesBiblioteca()
{
    std::lock_guard xTrava(MMutex);
    if (!MNomesDefinidos.isEmpty())
        return MNomesDefinidos;
    return Biblioteca::NomesClienteFirebird();
}

QStringList Candidatos()
{
    std::lock_guard xTrava(MMutex);
    if (!MNomesDefinidos.isEmpty())
        return MNomesDefinidos;
    return Biblioteca::CandidatosClienteFirebird();
}

void DefineNomesBiblioteca(const QStringList& pNomes)
{
    std::lock_guard xTrava(MMutex);
    MNomesDefinidos = pNomes;
}

Firebird::IMaster* Master()
{
    const QStringList xNomes = NomesBiblioteca();
    const QStringList xCandidatos = Candidatos();
    std::lock_guard xTrava(MMutex);
    if (MMaster)
        return MMaster;
    if (!MTravasPreparadas) {
        PastaTravas::Prepara();
        MTravasPreparadas = true;
    }
    QList<TFalha> xFalhas;
    for (const QString& xCandidato : xCandidatos) {
        TFalha xFalha;
        QString xCaminho;
        Firebird::IMaster* xMaster = Experimenta(xCandidato, xFalha, xCaminho);
        if (!xMaster) {
            xFalhas << xFalha;
            continue;
        }
        // Once per process: which client this program speaks through, and the customer's own clients it
        // passed over on the way.
        static const TClienteFirebird xRemetente;
        for (const TFalha& xRecusada : xFalhas)
            if (xRecusada.Recusa != TRecusa::Ausente)
                Log().Alerta(&xRemetente, QStringLiteral("Cliente do Firebird recusado: ") + xRecusada.Mensagem);
        Log().Info(&xRemetente, QStringLiteral("Cliente do Firebird carregado: ") + xCaminho);
        MMaster = xMaster;
        return MMaster;
    }
    throw EConexaoBD(Motivo(xNomes, xCandidatos, xFalhas));
}

} // namespace ClienteFirebird
