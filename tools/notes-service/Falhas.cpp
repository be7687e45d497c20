#include "Falhas.h"

#include <cctype>
#include <sstream>
#include <vector>

namespace {

bool Inteiro(const std::string& pTexto, int& pValor)
{
    if (pTexto.empty() || pTexto.size() > 9 || pTexto.find_first_not_of("0123456789") != std::string::npos)
        return false;
    pValor = std::stoi(pTexto);
    return true;
}

std::vector<std::string> Divide(const std::string& pTexto, char pSeparador)
{
    std::vector<std::string> xPartes;
    std::stringstream xEntrada(pTexto);
    std::string xParte;
    while (std::getline(xEntrada, xParte, pSeparador))
        xPartes.push_back(xParte);
    return xPartes;
}

} // namespace

std::string LeFalha(const std::string& pTexto, TFalha& pFalha, int pPagina)
{
    for (std::string xItem : Divide(pTexto, ',')) {
        if (xItem.empty())
            continue;
        // "p<page>-<fault>": the fault for that page only.
        if (xItem.size() > 2 && xItem[0] == 'p' && isdigit(static_cast<unsigned char>(xItem[1]))) {
            const size_t xHifen = xItem.find('-');
            int xPagina = 0;
            if (xHifen == std::string::npos || !Inteiro(xItem.substr(1, xHifen - 1), xPagina))
                return "p<page>-<fault> expected: " + xItem;
            TFalha xTeste;
            if (std::string xErro = LeFalha(xItem.substr(xHifen + 1), xTeste); !xErro.empty())
                return xErro;
            if (xPagina != pPagina)
                continue;
            xItem = xItem.substr(xHifen + 1);
        }
        const size_t xDoisPontos = xItem.find(':');
        const std::string xNome = xItem.substr(0, xDoisPontos);
        const std::string xArg =
            xDoisPontos == std::string::npos ? std::string() : xItem.substr(xDoisPontos + 1);
        int xValor = 0;
        if (Inteiro(xNome, xValor)) {
            if (xValor < 100 || xValor > 599)
                return "status out of range: " + xItem;
            pFalha.Status = xValor;
            if (!xArg.empty()) {
                if (xArg != "json" && xArg != "html" && xArg != "empty" && xArg != "object")
                    return "body must be json, html, object or empty: " + xItem;
                pFalha.Corpo = xArg;
            }
        } else if (xNome == "error") {
            pFalha.Erro = xArg;
        } else if (xNome == "delay" && Inteiro(xArg, xValor)) {
            pFalha.AtrasoMs = xValor;
        } else if (xNome == "slow") {
            const std::vector<std::string> xArgs = Divide(xArg, ':');
            if (xArgs.empty() || !Inteiro(xArgs[0], pFalha.LentoMs) ||
                (xArgs.size() > 1 && (!Inteiro(xArgs[1], pFalha.LentoBytes) || pFalha.LentoBytes == 0)))
                return "slow:<ms>[:<bytes>] expected: " + xItem;
        } else if (xNome == "cut" && xArg.empty()) {
            pFalha.Corte = true;
        } else if (xNome == "totalpages" && Inteiro(xArg, xValor)) {
            pFalha.TotalPages = xValor;
        } else if (xNome == "redirect" && xArg.empty()) {
            pFalha.Redireciona = true;
        } else if (xNome == "latin1" && xArg.empty()) {
            pFalha.Latin1 = true;
        } else if (xNome == "contenttype") {
            pFalha.ContentType = xArg;
        } else if (xNome == "retryafter" && !xArg.empty()) {
            pFalha.RetryAfter = xArg;
        } else if (xNome == "noelements" && xArg.empty()) {
            pFalha.SemElementos = true;
        } else if (xNome == "nocontent" && xArg.empty()) {
            pFalha.SemConteudo = true;
        } else if (xNome == "times" && Inteiro(xArg, xValor) && xValor > 0) {
            pFalha.Vezes = xValor;
        } else {
            return "unknown fault: " + xItem;
        }
    }
    return {};
}

std::string ParaLatin1(const std::string& pUtf8)
{
    std::string xSaida;
    xSaida.reserve(pUtf8.size());
    for (size_t i = 0; i < pUtf8.size();) {
        const unsigned char c = static_cast<unsigned char>(pUtf8[i]);
        int xTamanho = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        if (i + static_cast<size_t>(xTamanho) > pUtf8.size())
            xTamanho = 1;
        if (xTamanho == 1) {
            xSaida += c < 0x80 ? static_cast<char>(c) : '?';
        } else if (xTamanho == 2) {
            const unsigned xPonto = ((c & 0x1FU) << 6) | (static_cast<unsigned char>(pUtf8[i + 1]) & 0x3FU);
            xSaida += xPonto <= 0xFF ? static_cast<char>(xPonto) : '?';
        } else {
            xSaida += '?';
        }
        i += static_cast<size_t>(xTamanho);
    }
    return xSaida;
}
