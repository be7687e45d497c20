#pragma once

#include "download/run/DownloadView.h"
#include "download/model/ModelRecepcaoNF.h"

#include <QString>
#include <optional>

// A download run: for every ticked branch and every chosen type and environment, one step that fetches
// the notes page by page (DownloadXML) and packs them into a new ZIP archive (CriaZipFile, CompactaXML);
// a summary of the archives written at the end.
//
// The window calls it from btnDownloadClick:
//     void TfrmPrincipal::btnDownloadClick() { TDownloadRun(*this).Executa(); }
// Executa returns when the run is over, the completion (summary dialog, LimpaCampos, cursor, inputs
// enabled again) done. A failed step raises, after that completion,
//     Exception("Falha ao realizar download de notas. Motivo: " + cause)
// which the handler lets through to the application's error report; a failure of ValidaCampos is
// raised unchanged.
class TDownloadRun
{
public:
    explicit TDownloadRun(IDownloadView& pView) : vView(pView) {}

    void Executa();

    // The notes of one step, pages 0, 1, 2, ... of the query, in the service's order; nothing when the
    // service reports no note. Polls vInterromper after every page and then returns what it has.
    // Raises "Falha ao realizar download da(s) " + pTipoNFe + "(s). Motivo: " + cause.
    std::optional<TListaNotas> DownloadXML(const QString& pCnpj, const QString& pTipoAmbiente,
                                           const QString& pTipoNFe, const QString& pDataEmissaoInicial,
                                           const QString& pDataEmissaoFinal, const QString& pNumNfInicial,
                                           const QString& pNumNfFinal, const QString& pSerieInicial,
                                           const QString& pSerieFinal);

    // Creates the step's archive, new and empty, under the first free name in pCaminhoPasta; returns its
    // path, or "" after telling the user why it could not be created.
    QString CriaZipFile(const QString& pCaminhoPasta);

    // Writes every note (and its cancellation, when it has one) into the archive; false after telling
    // the user of a failure.
    bool CompactaXML(const TListaNotas& pListNotas, const QString& pCaminhoZipFile);

private:
    void ExecutaPasso(const TFilial& pFilial, const QString& pTipoNFe, const QString& pTipoAmbiente,
                      const QString& pStatus, QString& pCaminhoZipFile);
    void Completa(const QString& pMensagem);
    void ProximoProgresso()
    {
        ++vGaugeProgresso;
        vView.GaugeProgresso(vGaugeProgresso);
    }

    IDownloadView& vView;
    int vGaugeProgresso = 0; // the gauge's progress as last set by the run
};
