// bench_model_parse [notes] [xml-bytes] [seconds per pass]
//
// Reads one notes page (by default 100 notes of 20 KB XML with accented text and the escapes \" \n \/)
// with TRecepcaoNFAPIResponse::FromJsonString over and over, and on the same bytes in the same run a
// bare RapidJSON SAX pass that does nothing with the values: with the reader's flags of today, and with
// the flags it used before (RapidJSON's own UTF-8 check). Prints MB/s of each, of the UTF-8 check
// alone, and model / bare.
// The model should keep at least half of the bare speed.

#include "download/model/ModelLeitorJson.h"
#include "download/model/ModelRecepcaoNF.h"
#include "download/model/ModelUtf8.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <rapidjson/reader.h>
#include <vector>

namespace {

// The reader's flags before the encoding check moved out of RapidJSON, and without the iterative reader.
constexpr unsigned FLAGS_ANTERIORES = TLeitorJson::FLAGS | rapidjson::kParseValidateEncodingFlag;
constexpr unsigned FLAGS_RECURSIVO = TLeitorJson::FLAGS & ~unsigned(rapidjson::kParseIterativeFlag);

// One note's XML as the service sends it, inside a JSON string: escaped quotes, line breaks, slashes
// and accented Portuguese text, padded with items up to about pTamanho bytes of JSON.
QByteArray XmlJson(int pNumero, int pTamanho)
{
    QByteArray x = "<?xml version=\\\"1.0\\\" encoding=\\\"UTF-8\\\"?>\\n<nfeProc versao=\\\"4.00\\\" "
                   "xmlns=\\\"http:\\/\\/www.portalfiscal.inf.br\\/nfe\\\">\\n<NFe><infNFe Id=\\\"NFe3524";
    x += QByteArray::number(pNumero).rightJustified(8, '0');
    x += "\\\"><emit><xNome>Comércio de Peças Ação & Cia Ltda<\\/xNome><xMun>São José dos Campos<\\/xMun>"
         "<\\/emit>\\n";
    for (int i = 1; x.size() < pTamanho - 64; ++i) {
        x += "<det nItem=\\\"" + QByteArray::number(i) + "\\\"><prod><cProd>" + QByteArray::number(1000 + i) +
             "<\\/cProd><xProd>Óleo lubrificante açaí maçã pêssego nº " + QByteArray::number(i) +
             "<\\/xProd><vProd>" + QByteArray::number(i * 3) + ".50<\\/vProd><\\/prod><\\/det>\\n";
    }
    x += "<\\/infNFe><\\/NFe><\\/nfeProc>";
    return x;
}

QByteArray Pagina(int pNotas, int pTamanhoXml)
{
    QByteArray x = "{\"content\":[";
    for (int i = 0; i < pNotas; ++i) {
        if (i)
            x += ',';
        const QByteArray xNumero = QByteArray::number(i + 1).rightJustified(8, '0');
        x += "{\"id\":" + QByteArray::number(i + 1) +
             ",\"cnpj\":\"12345678000195\",\"tipoAmbiente\":\"PRODUCAO\",\"tipoNFe\":\"NF_E\","
             "\"codEmpresa\":\"1\",\"numNF\":\"" +
             xNumero +
             "\",\"serie\":\"1\",\"dataEmissao\":\"2024-03-05T10:20:30-03:00\","
             "\"dataSincronizacao\":\"2024-03-05T13:21:00.123Z\",\"numeroNFSe\":null,"
             "\"chave\":\"3524031234567800019555001" +
             xNumero + "1000000000\",\"xml\":\"" + XmlJson(i + 1, pTamanhoXml) +
             "\",\"xmlCancelamento\":null,\"cancelada\":false,"
             "\"gerouCobranca\":true}";
    }
    x += "],\"totalPages\":200,\"totalElements\":20000,\"size\":100,\"empty\":false,\"first\":true,"
         "\"last\":false,\"number\":0}";
    return x;
}

// Best MB/s of each pass over the same text. The passes take turns in rounds of at least 50 ms each
// for about pSegundos per pass, so that a change in the machine's load falls on all of them alike.
std::vector<double> MBs(const QByteArray& pTexto, double pSegundos,
                        const std::vector<std::function<bool()>>& pPassagens)
{
    std::vector<double> xMelhor(pPassagens.size(), 1e300);
    QElapsedTimer xTotal;
    xTotal.start();
    while (xTotal.nsecsElapsed() < pSegundos * 1e9 * double(pPassagens.size())) {
        for (std::size_t i = 0; i < pPassagens.size(); ++i) {
            QElapsedTimer x;
            x.start();
            int n = 0;
            do {
                if (!pPassagens[i]()) {
                    std::fprintf(stderr, "leitura falhou\n");
                    std::exit(1);
                }
                ++n;
            } while (x.nsecsElapsed() < 50'000'000);
            xMelhor[i] = std::min(xMelhor[i], x.nsecsElapsed() / 1e9 / n);
        }
    }
    for (double& x : xMelhor)
        x = pTexto.size() / 1e6 / x;
    return xMelhor;
}

} // namespace

// Bare SAX passes over a '\0'-terminated text (model_parse_nua.cpp): true when it parsed.
bool NuaModelo(const char* pTexto);    // the model's flags
bool NuaAnterior(const char* pTexto);  // the former flags
bool NuaRecursiva(const char* pTexto); // the model's flags, recursive reader

int main(int argc, char** argv)
{
    const int xNotas = argc > 1 ? std::atoi(argv[1]) : 100;
    const int xTamanho = argc > 2 ? std::atoi(argv[2]) : 20 * 1024;
    const double xSegundos = argc > 3 ? std::atof(argv[3]) : 2.0;
    const QByteArray xPagina = Pagina(xNotas, xTamanho);

    // The page must read back whole before it is timed.
    const auto xLida = TRecepcaoNFAPIResponse::FromJsonString(xPagina);
    if (int(xLida->Content.size()) != xNotas || !xLida->Content.back().Xml.contains("Óleo lubrificante")) {
        std::fprintf(stderr, "página lida errada\n");
        return 1;
    }

    const char* xTexto = xPagina.constData();
    const std::vector<double> x = MBs(
        xPagina, xSegundos,
        {[&] {
             return TRecepcaoNFAPIResponse::FromJsonString(xPagina)->Content.size() == std::size_t(xNotas);
         },
         [&] { return NuaModelo(xTexto); }, [&] { return NuaAnterior(xTexto); },
         // what the iterative reader (the guard against deep nesting) costs
         [&] { return NuaRecursiva(xTexto); },
         [&] { return TModelUtf8::Valido(xPagina.constData(), std::size_t(xPagina.size())); }});
    const double xModelo = x[0], xNua = x[1], xNuaAnterior = x[2], xNuaRecursiva = x[3], xUtf8 = x[4];

    std::printf("page: %d notes, %.2f MB\n", xNotas, xPagina.size() / 1e6);
    std::printf("model (FromJsonString)              %8.1f MB/s\n", xModelo);
    std::printf("bare SAX, model's flags (0x%03x)     %8.1f MB/s\n", TLeitorJson::FLAGS, xNua);
    std::printf("bare SAX, former flags (0x%03x)      %8.1f MB/s\n", FLAGS_ANTERIORES, xNuaAnterior);
    std::printf("bare SAX, not iterative (0x%03x)     %8.1f MB/s\n", FLAGS_RECURSIVO, xNuaRecursiva);
    std::printf("UTF-8 check of the page alone         %8.1f MB/s\n", xUtf8);
    std::printf("model / bare (model's flags)        %8.2f  (goal >= 0.50)\n", xModelo / xNua);
    std::printf("model / bare (former flags)         %8.2f\n", xModelo / xNuaAnterior);
    return 0;
}
