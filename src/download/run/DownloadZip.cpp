#include "download/run/DownloadRun.h"
#include "download/archive/ZipArquivo.h"
#include "download/archive/ZipNomes.h"
#include "util/Clock.h"
#include "util/Exception.h"

#include <QElapsedTimer>

namespace {

// Numbered names tried before giving up on a folder whose every name seems taken.
constexpr int MAX_NOMES_NUMERADOS = 100000;

} // namespace

QString TDownloadRun::CriaZipFile(const QString& pCaminhoPasta)
{
    const TEstadoDownload& xEstado = vView.EstadoDownload();
    try {
        // The archive is created exclusively, so a name taken in the meantime just moves on to the next n.
        for (int xNumFile = 0; xNumFile <= MAX_NOMES_NUMERADOS; ++xNumFile) {
            const QString xFullPathZipFile =
                NomeZipDownload(pCaminhoPasta, xEstado.vCurrentCnpj, xEstado.vCurrentNFe,
                                xEstado.vCurrentTipoAmbiente, xNumFile);
            if (CriaZipVazio(xFullPathZipFile))
                return xFullPathZipFile;
        }
        throw Exception(QStringLiteral("não há nome livre para o arquivo na pasta ") + pCaminhoPasta);
    } catch (const std::exception& E) {
        const auto* xException = dynamic_cast<const Exception*>(&E);
        vView.Erro(QStringLiteral("Falha ao tentar criar o arquivo .zip. Motivo: ") +
                   (xException ? xException->Message() : QString::fromLocal8Bit(E.what())));
    }
    return QString();
}

bool TDownloadRun::CompactaXML(const TListaNotas& pListNotas, const QString& pCaminhoZipFile)
{
    const TEstadoDownload& xEstado = vView.EstadoDownload();
    try {
        TZipEscritor xZipFile(pCaminhoZipFile);
        if (xEstado.vInterromper)
            vView.StatusPainel(
                1, QStringLiteral("Download interrompido pelo usuário... Realizando a compressão da(s) ") +
                       xEstado.vCurrentNFe + QStringLiteral("(s) que foram baixadas"));
        else
            vView.StatusPainel(1, QStringLiteral("Realizando a compressão da(s) ") + xEstado.vCurrentNFe +
                                      QStringLiteral("(s)"));
        vGaugeProgresso = 0;
        vView.GaugeProgresso(0);
        vView.GaugeMaximo(int(pListNotas.size()));
        vView.ProcessaEventos();

        // The clock is read once; each entry's time stamp then follows a monotonic timer, which costs
        // far less per note than reading the local date and time.
        const qint64 xInicio = Clock::Agora().toMSecsSinceEpoch();
        QElapsedTimer xDecorrido;
        xDecorrido.start();
        for (const TNota& xNota : pListNotas) {
            const qint64 xQuando = (xInicio + xDecorrido.elapsed()) / 1000;
            xZipFile.Acrescenta(NomeEntradaAutorizada(xNota), xNota.Xml, xQuando);
            if (!xNota.XmlCancelamento.isEmpty())
                xZipFile.Acrescenta(NomeEntradaCancelamento(xNota), xNota.XmlCancelamento, xQuando);
            ProximoProgresso();
            vView.ProcessaEventos();
        }
        xZipFile.Fecha();

        vView.StatusPainel(1, QStringLiteral("Compressão do(s) XML(s) da(s) ") + xEstado.vCurrentNFe +
                                  QStringLiteral("(s) finalizada"));
        vView.ProcessaEventos();
        return true;
    } catch (const std::exception&) {
        vView.Erro(QStringLiteral("Falha ao tentar realizar a compressão do(s) XML(s) da(s) ") +
                   xEstado.vCurrentNFe + QStringLiteral("(s)."));
    }
    return false;
}
