#include "BaseNotas.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <sstream>
#include <strings.h>

namespace {

std::string DataTexto(int pDia)
{
    const std::chrono::year_month_day xData{std::chrono::sys_days{std::chrono::days{pDia}}};
    char xTexto[16];
    std::snprintf(xTexto, sizeof xTexto, "%04d-%02u-%02u", static_cast<int>(xData.year()),
                  static_cast<unsigned>(xData.month()), static_cast<unsigned>(xData.day()));
    return xTexto;
}

// ISO 8601 with the Brasília offset, the form the service writes.
std::string DataHoraTexto(int pDia, int pSegundos)
{
    pDia += pSegundos / 86400;
    pSegundos %= 86400;
    char xHora[32];
    std::snprintf(xHora, sizeof xHora, "T%02d:%02d:%02d-03:00", pSegundos / 3600, pSegundos / 60 % 60,
                  pSegundos % 60);
    return DataTexto(pDia) + xHora;
}

void AcrescentaEscapado(std::string& pSaida, const std::string& pTexto)
{
    for (char c : pTexto) {
        switch (c) {
        case '"':
            pSaida += "\\\"";
            break;
        case '\\':
            pSaida += "\\\\";
            break;
        case '\n':
            pSaida += "\\n";
            break;
        case '\r':
            pSaida += "\\r";
            break;
        case '\t':
            pSaida += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char xEscape[8];
                std::snprintf(xEscape, sizeof xEscape, "\\u%04x", static_cast<unsigned>(c));
                pSaida += xEscape;
            } else {
                pSaida += c;
            }
        }
    }
}

void AcrescentaTexto(std::string& pSaida, const char* pChave, const std::string& pValor)
{
    pSaida += '"';
    pSaida += pChave;
    pSaida += "\":\"";
    AcrescentaEscapado(pSaida, pValor);
    pSaida += "\",";
}

// A small deterministic mix, so the same options always give the same notes.
uint32_t Mistura(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

std::optional<int64_t> NumeroDeTexto(const std::string& pTexto)
{
    size_t xInicio = pTexto.find_first_not_of(' ');
    size_t xFim = pTexto.find_last_not_of(' ');
    if (xInicio == std::string::npos)
        return std::nullopt;
    const std::string xTexto = pTexto.substr(xInicio, xFim - xInicio + 1);
    if (xTexto.size() > 18 || xTexto.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(xTexto);
}

std::string TextoDeValor(const rapidjson::Value& pValor)
{
    if (pValor.IsString())
        return std::string(pValor.GetString(), pValor.GetStringLength());
    if (pValor.IsInt64())
        return std::to_string(pValor.GetInt64());
    if (pValor.IsNumber()) {
        std::ostringstream xTexto;
        xTexto << pValor.GetDouble();
        return xTexto.str();
    }
    return {};
}

const rapidjson::Value* Membro(const rapidjson::Value& pObjeto, const char* pChave)
{
    for (auto it = pObjeto.MemberBegin(); it != pObjeto.MemberEnd(); ++it)
        if (strcasecmp(it->name.GetString(), pChave) == 0)
            return &it->value;
    return nullptr;
}

} // namespace

std::optional<int> DiaDeTexto(const std::string& pTexto)
{
    if (pTexto.size() < 10)
        return std::nullopt;
    for (int i = 0; i < 10; ++i)
        if ((i == 4 || i == 7) ? pTexto[i] != '-' : (pTexto[i] < '0' || pTexto[i] > '9'))
            return std::nullopt;
    const std::chrono::year_month_day xData{
        std::chrono::year{std::stoi(pTexto.substr(0, 4))},
        std::chrono::month{static_cast<unsigned>(std::stoi(pTexto.substr(5, 2)))},
        std::chrono::day{static_cast<unsigned>(std::stoi(pTexto.substr(8, 2)))}};
    if (!xData.ok())
        return std::nullopt;
    return static_cast<int>(std::chrono::sys_days{xData}.time_since_epoch().count());
}

std::string SoDigitos(const std::string& pTexto)
{
    std::string xDigitos;
    for (char c : pTexto)
        if (c >= '0' && c <= '9')
            xDigitos += c;
    return xDigitos;
}

std::string CaracteresCnpj(const std::string& pTexto)
{
    std::string xCaracteres;
    for (char c : pTexto)
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
            xCaracteres += c;
    return xCaracteres;
}

int16_t TBaseNotas::IndiceTexto(std::vector<std::string>& pTabela, const std::string& pTexto)
{
    auto it = std::find(pTabela.begin(), pTabela.end(), pTexto);
    if (it != pTabela.end())
        return static_cast<int16_t>(it - pTabela.begin());
    pTabela.push_back(pTexto);
    return static_cast<int16_t>(pTabela.size() - 1);
}

void TBaseNotas::Gera(const TOpcoesGerador& pOpcoes)
{
    vOpcoes = pOpcoes;
    const int xDias = std::max(0, pOpcoes.DiaFinal - pOpcoes.DiaInicial) + 1;
    const int xPorCombinacao = std::max(0, pOpcoes.NotasPorCombinacao);
    int32_t xId = 0;
    for (const std::string& xCnpj : pOpcoes.Cnpjs)
        for (const std::string& xTipo : pOpcoes.Tipos)
            for (const std::string& xAmbiente : pOpcoes.Ambientes)
                for (int i = 1; i <= xPorCombinacao; ++i) {
                    TRegistro xNota;
                    xNota.Id = ++xId;
                    xNota.Cnpj = IndiceTexto(vCnpjs, xCnpj);
                    xNota.Tipo = IndiceTexto(vTipos, xTipo);
                    xNota.Ambiente = IndiceTexto(vAmbientes, xAmbiente);
                    xNota.Indice = i;
                    xNota.NumNF = i;
                    xNota.Serie = 1 + (i - 1) % 3;
                    xNota.Dia = pOpcoes.DiaInicial +
                                static_cast<int>(static_cast<int64_t>(i - 1) * xDias / xPorCombinacao);
                    xNota.Cancelada = static_cast<int>(Mistura(static_cast<uint32_t>(xId)) % 100) <
                                      pOpcoes.PercentualCanceladas;
                    vNotas.push_back(xNota);
                }
    vCnpjsCaracteres.clear();
    for (const std::string& xCnpj : vCnpjs)
        vCnpjsCaracteres.push_back(CaracteresCnpj(xCnpj));
    std::stable_sort(vNotas.begin(), vNotas.end(),
                     [](const TRegistro& a, const TRegistro& b) { return a.NumNF < b.NumNF; });
}

std::string TBaseNotas::CarregaPasta(const std::string& pPasta)
{
    std::vector<std::filesystem::path> xArquivos;
    std::error_code xErro;
    for (const auto& xEntrada : std::filesystem::directory_iterator(pPasta, xErro))
        if (xEntrada.is_regular_file() && xEntrada.path().extension() == ".json")
            xArquivos.push_back(xEntrada.path());
    if (xErro)
        return "cannot read folder " + pPasta + ": " + xErro.message();
    std::sort(xArquivos.begin(), xArquivos.end());

    for (const auto& xArquivo : xArquivos) {
        std::ifstream xEntrada(xArquivo, std::ios::binary);
        std::stringstream xConteudo;
        xConteudo << xEntrada.rdbuf();
        rapidjson::Document xDoc;
        xDoc.Parse(xConteudo.str().c_str());
        if (xDoc.HasParseError() || !(xDoc.IsObject() || xDoc.IsArray()))
            return "not a note object or array of notes: " + xArquivo.string();
        std::vector<const rapidjson::Value*> xObjetos;
        if (xDoc.IsObject())
            xObjetos.push_back(&xDoc);
        else
            for (const auto& xItem : xDoc.GetArray())
                if (xItem.IsObject())
                    xObjetos.push_back(&xItem);
        for (const rapidjson::Value* xObjeto : xObjetos) {
            TRegistro xNota;
            auto xTexto = [&](const char* pChave) {
                const rapidjson::Value* xValor = Membro(*xObjeto, pChave);
                return xValor ? TextoDeValor(*xValor) : std::string();
            };
            if (const rapidjson::Value* xValor = Membro(*xObjeto, "id"); xValor && xValor->IsInt())
                xNota.Id = xValor->GetInt();
            if (const rapidjson::Value* xValor = Membro(*xObjeto, "cnpj"))
                xNota.Cnpj = IndiceTexto(vCnpjs, TextoDeValor(*xValor));
            if (const rapidjson::Value* xValor = Membro(*xObjeto, "tipoNFe"))
                xNota.Tipo = IndiceTexto(vTipos, TextoDeValor(*xValor));
            if (const rapidjson::Value* xValor = Membro(*xObjeto, "tipoAmbiente"))
                xNota.Ambiente = IndiceTexto(vAmbientes, TextoDeValor(*xValor));
            xNota.NumNF = NumeroDeTexto(xTexto("numNF")).value_or(0);
            xNota.Serie = NumeroDeTexto(xTexto("serie")).value_or(0);
            xNota.Dia = DiaDeTexto(xTexto("dataEmissao")).value_or(0);
            rapidjson::StringBuffer xBuffer;
            rapidjson::Writer<rapidjson::StringBuffer> xWriter(xBuffer);
            xObjeto->Accept(xWriter);
            xNota.Json = static_cast<int32_t>(vJsonPronto.size());
            vJsonPronto.emplace_back(xBuffer.GetString(), xBuffer.GetSize());
            vNotas.push_back(xNota);
        }
    }
    vCnpjsCaracteres.clear();
    for (const std::string& xCnpj : vCnpjs)
        vCnpjsCaracteres.push_back(CaracteresCnpj(xCnpj));
    std::stable_sort(vNotas.begin(), vNotas.end(),
                     [](const TRegistro& a, const TRegistro& b) { return a.NumNF < b.NumNF; });
    return {};
}

void TBaseNotas::AcrescentaNota(std::string& pSaida, const TRegistro& pNota) const
{
    if (pNota.Json >= 0) {
        pSaida += vJsonPronto[static_cast<size_t>(pNota.Json)];
        return;
    }
    const std::string& xCnpj = vCnpjs[static_cast<size_t>(pNota.Cnpj)];
    const std::string& xTipo = vTipos[static_cast<size_t>(pNota.Tipo)];
    const std::string& xAmbiente = vAmbientes[static_cast<size_t>(pNota.Ambiente)];
    const int xSegundos = 8 * 3600 + static_cast<int>((static_cast<int64_t>(pNota.Indice) * 7919) % 36000);
    const std::string xEmissao = DataHoraTexto(pNota.Dia, xSegundos);
    const std::string xNum = std::to_string(pNota.NumNF);
    const std::string xSerie = std::to_string(pNota.Serie);

    // The access key: state, year and month, CNPJ (digits or the alphanumeric form), model, series,
    // number, emission type, code, and its modulo-11 digit over the 43 characters, each worth its code
    // minus 48 (weights 2 to 9 from the right).
    char xChave[64];
    const std::string xCaracteresCnpj =
        (vCnpjsCaracteres[static_cast<size_t>(pNota.Cnpj)] + "00000000000000").substr(0, 14);
    std::snprintf(xChave, sizeof xChave, "35%.2s%.2s%s%s%03lld%09lld1%08u", xEmissao.c_str() + 2,
                  xEmissao.c_str() + 5, xCaracteresCnpj.c_str(), xTipo == "NFC_E" ? "65" : "55",
                  static_cast<long long>(pNota.Serie % 1000),
                  static_cast<long long>(pNota.NumNF % 1000000000),
                  Mistura(static_cast<uint32_t>(pNota.Id)) % 100000000U);
    int xSoma = 0;
    for (int i = 42, xPeso = 2; i >= 0; --i, xPeso = xPeso == 9 ? 2 : xPeso + 1)
        xSoma += (xChave[i] - '0') * xPeso;
    xChave[43] = static_cast<char>('0' + (xSoma % 11 < 2 ? 0 : 11 - xSoma % 11));
    xChave[44] = '\0';

    const bool xAcentos = vOpcoes.Acentos;
    std::string xXml;
    xXml.reserve(static_cast<size_t>(vOpcoes.TamanhoXml) + 64);
    xXml += "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfeProc versao=\"4.00\"><NFe><infNFe Id=\"NFe";
    xXml += xChave;
    xXml += "\"><ide><nNF>" + xNum + "</nNF><serie>" + xSerie + "</serie><dhEmi>" + xEmissao +
            "</dhEmi><tpAmb>" + (xAmbiente == "PRODUCAO" ? "1" : "2") + "</tpAmb></ide><emit><CNPJ>" + xCnpj +
            "</CNPJ><xNome>";
    xXml += xAcentos ? "Comércio de Peças São João Ltda" : "Comercio de Pecas Sao Joao Ltda";
    xXml += "</xNome></emit><infAdic><infCpl>";
    const std::string xFim = "</infCpl></infAdic></infNFe></NFe></nfeProc>";
    const std::string xFrase = xAcentos ? "Observação: peças e serviços; preço em € conforme orçamento. "
                                        : "Observacao: pecas e servicos; preco conforme orcamento. ";
    const size_t xAlvo = static_cast<size_t>(std::max(0, vOpcoes.TamanhoXml));
    while (xXml.size() + xFim.size() + xFrase.size() <= xAlvo)
        xXml += xFrase;
    if (xXml.size() + xFim.size() < xAlvo)
        xXml.append(xAlvo - xXml.size() - xFim.size(), '.');
    xXml += xFim;

    pSaida += "{\"id\":" + std::to_string(pNota.Id) + ",";
    AcrescentaTexto(pSaida, "cnpj", xCnpj);
    AcrescentaTexto(pSaida, "tipoAmbiente", xAmbiente);
    AcrescentaTexto(pSaida, "tipoNFe", xTipo);
    AcrescentaTexto(pSaida, "codEmpresa", std::to_string(pNota.Cnpj + 1));
    AcrescentaTexto(pSaida, "numNF", xNum);
    AcrescentaTexto(pSaida, "serie", xSerie);
    AcrescentaTexto(pSaida, "dataEmissao", xEmissao);
    AcrescentaTexto(pSaida, "dataSincronizacao", DataHoraTexto(pNota.Dia, xSegundos + 3600));
    if (xTipo == "NFS_E")
        AcrescentaTexto(pSaida, "numeroNFSe", xNum);
    else
        pSaida += "\"numeroNFSe\":null,";
    AcrescentaTexto(pSaida, "chave", xChave);
    AcrescentaTexto(pSaida, "xml", xXml);
    if (pNota.Cancelada) {
        std::string xCancelamento =
            std::string(
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?><procEventoNFe versao=\"1.00\"><evento><infEvento>"
                "<chNFe>") +
            xChave +
            "</chNFe><tpEvento>110111</tpEvento><detEvento><descEvento>Cancelamento</descEvento><xJust>" +
            (xAcentos ? "Emissão em duplicidade, operação desfeita"
                      : "Emissao em duplicidade, operacao desfeita") +
            "</xJust></detEvento></infEvento></evento></procEventoNFe>";
        AcrescentaTexto(pSaida, "xmlCancelamento", xCancelamento);
        pSaida += "\"cancelada\":true,";
    } else {
        pSaida += "\"xmlCancelamento\":null,\"cancelada\":false,";
    }
    pSaida += pNota.Id % 2 ? "\"gerouCobranca\":true}" : "\"gerouCobranca\":false}";
}

std::string TBaseNotas::Pagina(const TFiltroNotas& pFiltro, const TOpcoesPagina& pOpcoes) const
{
    // Which entries of the text tables the filter lets through; CNPJs compare by their own characters
    // (digits and capital letters), so a punctuated one finds its branch.
    auto xMascara = [](const std::vector<std::string>& pTabela, const std::optional<std::string>& pValor,
                       bool pCnpj) {
        std::vector<char> xAceita(pTabela.size() + 1, pValor ? 0 : 1); // the last one: a note without the key
        if (pValor)
            for (size_t i = 0; i < pTabela.size(); ++i) {
                const std::string xA = pCnpj ? CaracteresCnpj(pTabela[i]) : pTabela[i];
                const std::string xB = pCnpj ? CaracteresCnpj(*pValor) : *pValor;
                xAceita[i] = pCnpj && (xA.empty() || xB.empty()) ? pTabela[i] == *pValor : xA == xB;
            }
        return xAceita;
    };
    const std::vector<char> xCnpjs = xMascara(vCnpjs, pFiltro.Cnpj, true);
    const std::vector<char> xTipos = xMascara(vTipos, pFiltro.TipoNFe, false);
    const std::vector<char> xAmbientes = xMascara(vAmbientes, pFiltro.TipoAmbiente, false);
    auto xAceita = [](const std::vector<char>& pMascara, int pIndice) {
        return pMascara[pIndice < 0 ? pMascara.size() - 1 : static_cast<size_t>(pIndice)] != 0;
    };

    std::vector<const TRegistro*> xAchadas;
    for (const TRegistro& xNota : vNotas) {
        if (!xAceita(xCnpjs, xNota.Cnpj) || !xAceita(xTipos, xNota.Tipo) ||
            !xAceita(xAmbientes, xNota.Ambiente))
            continue;
        if ((pFiltro.DiaInicial && xNota.Dia < *pFiltro.DiaInicial) ||
            (pFiltro.DiaFinal && xNota.Dia > *pFiltro.DiaFinal) ||
            (pFiltro.NumInicial && xNota.NumNF < *pFiltro.NumInicial) ||
            (pFiltro.NumFinal && xNota.NumNF > *pFiltro.NumFinal) ||
            (pFiltro.SerieInicial && xNota.Serie < *pFiltro.SerieInicial) ||
            (pFiltro.SerieFinal && xNota.Serie > *pFiltro.SerieFinal))
            continue;
        xAchadas.push_back(&xNota);
    }
    if (pFiltro.Decrescente)
        std::reverse(xAchadas.begin(), xAchadas.end());

    if (pOpcoes.SemElementos)
        xAchadas.clear();
    const int64_t xTotal = static_cast<int64_t>(xAchadas.size());
    const int64_t xTamanho = std::max(1, pFiltro.Tamanho);
    const int64_t xPaginas = (xTotal + xTamanho - 1) / xTamanho;
    const int64_t xInicio = std::min(xTotal, static_cast<int64_t>(pFiltro.Pagina) * xTamanho);
    const int64_t xFim = std::min(xTotal, xInicio + xTamanho);

    std::string xSaida;
    xSaida.reserve(static_cast<size_t>(xFim - xInicio) * (static_cast<size_t>(vOpcoes.TamanhoXml) + 1200) +
                   256);
    xSaida += "{\"content\":[";
    for (int64_t i = xInicio; i < xFim && !pOpcoes.SemConteudo; ++i) {
        if (i > xInicio)
            xSaida += ',';
        AcrescentaNota(xSaida, *xAchadas[static_cast<size_t>(i)]);
    }
    const int64_t xPaginasInformadas = pOpcoes.TotalPagesFalso ? *pOpcoes.TotalPagesFalso : xPaginas;
    xSaida += "],\"totalPages\":" + std::to_string(xPaginasInformadas);
    xSaida += ",\"totalElements\":" + std::to_string(xTotal);
    xSaida += ",\"size\":" + std::to_string(xTamanho);
    xSaida += ",\"numberOfElements\":" + std::to_string(xFim - xInicio);
    xSaida += std::string(",\"empty\":") + (xFim > xInicio ? "false" : "true");
    xSaida += std::string(",\"first\":") + (pFiltro.Pagina == 0 ? "true" : "false");
    xSaida += std::string(",\"last\":") + (pFiltro.Pagina + 1 >= xPaginas ? "true" : "false");
    xSaida += ",\"number\":" + std::to_string(pFiltro.Pagina) + "}";
    return xSaida;
}
