#include "download/archive/ZipNomes.h"
#include "download/run/DownloadPasso.h"
#include "log/LogArquivo.h"
#include "util/Exception.h"

#include <QFileInfo>
#include <climits>

std::unique_ptr<TZipEmCurso> TDownloadRun::CriaZipFile(const QString& pCaminhoPasta)
{
    const TEstadoDownload& xEstado = vView.EstadoDownload();
    const QString xNome = QFileInfo(NomeZipDownload(pCaminhoPasta, xEstado.vCurrentCnpj, xEstado.vCurrentNFe,
                                                    xEstado.vCurrentTipoAmbiente, 0))
                              .completeBaseName();
    auto xZip = std::make_unique<TZipEmCurso>(pCaminhoPasta, xNome);
    for (const QString& xRecuperado : xZip->Recuperados())
        Log().Alerta(nullptr, QStringLiteral("Arquivo .zip completo deixado por uma execução anterior publicado em \"") +
                                  xRecuperado + QStringLiteral("\""));
    return xZip;
}

QString TDownloadRun::CompactaXML(TPasso& pPasso)
{
    const TEstadoDownload& xEstado = vView.EstadoDownload();
    if (pPasso.FalhaCriacao) {
        vView.Erro(QStringLiteral("Falha ao tentar criar o arquivo .zip. Motivo: ") + *pPasso.FalhaCriacao);
        return QString();
    }
    if (xEstado.vInterromper)
        vView.StatusPainel(1,
                           QStringLiteral("Download interrompido pelo usuário... Realizando a compressão da(s) ") +
                               xEstado.vCurrentNFe + QStringLiteral("(s) que foram baixadas"));
    else
        vView.StatusPainel(1, QStringLiteral("Realizando a compressão da(s) ") + xEstado.vCurrentNFe +
                                  QStringLiteral("(s)"));
    vGaugeProgresso = 0;
    vView.GaugeProgresso(0);
    const int xNotas = int(qMin<qint64>(pPasso.NotasRecebidas, INT_MAX));
    vView.GaugeMaximo(xNotas);
    Eventos();

    // The last page's deflating, then the end of the archive, flushed and named, also off this thread.
    Aguarda(pPasso.Compressao);
    if (!pPasso.FalhaEscrita && pPasso.Zip) {
        const QString xPasta = pPasso.Pasta, xCnpj = pPasso.Cnpj, xTipo = pPasso.TipoNFe,
                      xAmbiente = pPasso.TipoAmbiente;
        pPasso.Compressao.Inicia([&pPasso, xPasta, xCnpj, xTipo, xAmbiente] {
            try {
                pPasso.Publicado = pPasso.Zip->Publica(
                    [&](int pNumero) { return NomeZipDownload(xPasta, xCnpj, xTipo, xAmbiente, pNumero); },
                    MAX_NOMES_NUMERADOS);
            } catch (const Exception& E) {
                pPasso.FalhaEscrita = true;
                // Finished but not named: the archive was kept, and the user is told why and where.
                if (!pPasso.Zip->Mantido().isEmpty())
                    pPasso.FalhaPublicacao = E.Message();
            } catch (...) {
                pPasso.FalhaEscrita = true;
            }
        });
        Aguarda(pPasso.Compressao);
    }
    pPasso.Zip.reset();
    if (pPasso.FalhaEscrita || pPasso.Publicado.isEmpty()) {
        QString xMensagem = QStringLiteral("Falha ao tentar realizar a compressão do(s) XML(s) da(s) ") +
                            xEstado.vCurrentNFe + QStringLiteral("(s).");
        // A finished archive that could not be named: the reason, and where the archive was kept.
        if (pPasso.FalhaPublicacao)
            xMensagem += QStringLiteral(" Motivo: ") + *pPasso.FalhaPublicacao;
        Log().Erro(nullptr, xMensagem);
        vView.Erro(xMensagem);
        return QString();
    }
    vGaugeProgresso = xNotas;
    vView.GaugeProgresso(xNotas);
    vView.StatusPainel(1, QStringLiteral("Compressão do(s) XML(s) da(s) ") + xEstado.vCurrentNFe +
                              QStringLiteral("(s) finalizada"));
    Eventos();
    return pPasso.Publicado;
}
