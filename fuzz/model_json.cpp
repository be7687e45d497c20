// Any bytes as a notes page or an error body: no crash, no escape other than EConvertError, and a body
// that reads writes itself back to JSON that reads to the same values and writes the same text again.
#include "download/model/ModelRecepcaoNF.h"
#include "util/Exception.h"

#include <cstddef>
#include <cstdint>

namespace {

void Verifica(bool pCondicao)
{
    if (!pCondicao)
        __builtin_trap();
}

// Two date-times read from the same text: both unset, or the same instant.
bool MesmaData(const QDateTime& a, const QDateTime& b)
{
    return a.isValid() == b.isValid() && (!a.isValid() || a == b);
}

// The XML stays the bytes received; one that an escape (a lone "\uDC00") made ill-formed UTF-8 comes
// back with U+FFFD in place of the bad bytes, as the writer hands out text.
bool MesmoXml(const QByteArray& a, const QByteArray& b)
{
    return a == b || QString::fromUtf8(a) == QString::fromUtf8(b);
}

bool MesmaNota(const TNota& a, const TNota& b)
{
    return a.Id == b.Id && a.Cnpj == b.Cnpj && a.TipoAmbiente == b.TipoAmbiente && a.TipoNFe == b.TipoNFe &&
           a.CodEmpresa == b.CodEmpresa && a.NumNF == b.NumNF && a.Serie == b.Serie &&
           MesmaData(a.DataEmissao, b.DataEmissao) && MesmaData(a.DataSincronizacao, b.DataSincronizacao) &&
           a.NumeroNFSe == b.NumeroNFSe && a.Chave == b.Chave && MesmoXml(a.Xml, b.Xml) &&
           MesmoXml(a.XmlCancelamento, b.XmlCancelamento) && a.Cancelada == b.Cancelada &&
           a.GerouCobranca == b.GerouCobranca;
}

bool MesmaPagina(const TRecepcaoNFAPIResponse& a, const TRecepcaoNFAPIResponse& b)
{
    if (a.Content.size() != b.Content.size())
        return false;
    for (std::size_t i = 0; i < a.Content.size(); ++i)
        if (!MesmaNota(a.Content[i], b.Content[i]))
            return false;
    return a.TotalPages == b.TotalPages && a.TotalElements == b.TotalElements && a.Size == b.Size &&
           a.Empty == b.Empty && a.First == b.First && a.Last == b.Last && a.Number == b.Number;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pDados, size_t pTamanho)
{
    const QByteArray xJson(reinterpret_cast<const char*>(pDados), qsizetype(pTamanho));

    std::unique_ptr<TRecepcaoNFAPIResponse> xPagina;
    try {
        xPagina = TRecepcaoNFAPIResponse::FromJsonString(xJson);
    } catch (const EConvertError&) {
    }
    if (xPagina) {
        const QString xTexto = xPagina->ToJsonString();
        const auto xRelida = TRecepcaoNFAPIResponse::FromJsonString(xTexto); // must not raise
        Verifica(MesmaPagina(*xPagina, *xRelida));
        Verifica(xRelida->ToJsonString() == xTexto);
        // What reads as a page also reads as an error body: the same text, other fields.
        std::unique_ptr<TErrorResponse> xErro;
        try {
            xErro = TErrorResponse::FromJsonString(xJson);
        } catch (const EConvertError&) {
        }
        if (xErro)
            Verifica(TErrorResponse::FromJsonString(xErro->ToJsonString())->error == xErro->error);
    }
    return 0;
}
