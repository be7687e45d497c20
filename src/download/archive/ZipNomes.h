#pragma once

#include "download/model/ModelRecepcaoNF.h"

#include <QString>

// Names of the download archives and of their entries.
//
// Every part that comes from the branch table (the CNPJ) or from the notes service (type, number,
// series, environment of a note) is made safe for a file name first: a punctuated CNPJ such as
// "12.345.678/0001-95" or a note number holding "..\" must neither turn a name into a path nor
// choose where a file goes. A part that is already safe is kept exactly as given.

// pParte with every character a file name cannot hold on Windows or Linux (< > : " / \ | ? * and the
// control characters) replaced by "_"; a part that is "." or ".." becomes "_" or "__".
QString NomeSeguro(const QString& pParte);

// pCaminhoPasta + "/download_xmls_" + CNPJ + "_" + type + "_" + environment + ".zip", or, for
// pNumero >= 1, the same name ending in " (" + pNumero + ").zip".
QString NomeZipDownload(const QString& pCaminhoPasta, const QString& pCnpj, const QString& pTipoNFe,
                        const QString& pTipoAmbiente, int pNumero);

// TipoNFe + "_AUT_" + NumNF + "_" + Serie + "_" + TipoAmbiente + ".xml"
QString NomeEntradaAutorizada(const TNota& pNota);
// "CANC_" + TipoNFe + "_" + NumNF + "_" + Serie + "_" + TipoAmbiente + ".xml"
QString NomeEntradaCancelamento(const TNota& pNota);
