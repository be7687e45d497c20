#pragma once

#include "download/client/ServiceRecepcaoNF.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// One entry a step's archive must hold: its name and its bytes.
struct TEsperado
{
    QString Nome;
    QByteArray Dados;
};

// The entries a step's archive must hold, in the service's order, asked of the client itself page after
// page (at most pPaginas pages) with the filters the run tests use.
inline QVector<TEsperado> EntradasDoServico(const QString& pCnpj, const QString& pTipo,
                                            const QString& pAmbiente, int pPaginas = 1000)
{
    QVector<TEsperado> xEntradas;
    for (int xPagina = 0; xPagina < pPaginas; ++xPagina) {
        auto xResposta =
            TRecepcaoNF::get().ConsultaNF(pCnpj, pAmbiente, pTipo, "01/01/2024", "31/12/2024", "00000001",
                                          "99999999", "1", "99", QString::number(xPagina));
        if (!xResposta)
            break;
        for (const TNota& xNota : xResposta->Content) {
            xEntradas.push_back({xNota.TipoNFe + "_AUT_" + xNota.NumNF + "_" + xNota.Serie + "_" +
                                     xNota.TipoAmbiente + ".xml",
                                 xNota.Xml});
            if (!xNota.XmlCancelamento.isEmpty())
                xEntradas.push_back({"CANC_" + xNota.TipoNFe + "_" + xNota.NumNF + "_" + xNota.Serie + "_" +
                                         xNota.TipoAmbiente + ".xml",
                                     xNota.XmlCancelamento});
        }
        if (xPagina + 1 >= xResposta->TotalPages)
            break;
    }
    return xEntradas;
}
