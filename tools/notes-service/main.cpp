// The local stand-in of the notes service: answers GET /RecepcaoNF/v1/nota like the real service,
// from generated notes or from JSON files, and plays faults on request. For tests and benchmarks.

#include "BaseNotas.h"
#include "Falhas.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <httplib.h>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

namespace {

const char* USO = R"(notes-service: local stand-in of the notes service (GET /RecepcaoNF/v1/nota).

Usage: notes-service [options]
  --port N              port on 127.0.0.1 (default 0: a free port). The first line on stdout is
                        "listening on 127.0.0.1:<port>".
  --data-dir DIR        serve the notes of DIR/*.json (each a note object or an array of notes)
                        instead of generated ones.
Generated notes (deterministic):
  --cnpj A[,B...]       the branches' CNPJs, numeric or alphanumeric (default 12345678000195)
  --types T[,T...]      note types (default NF_E,NFC_E,NFS_E)
  --envs E[,E...]       environments (default PRODUCAO,HOMOLOGACAO)
  --per-branch N        notes per branch, type and environment (default 10), numbered 1..N
  --xml-size BYTES      size of each note's XML (default 2000)
  --cancelled PCT       share of cancelled notes, 0..100 (default 10)
  --no-accents          plain ASCII inside the XML (default: text with ç, ã, é, €)
  --from yyyy-mm-dd     first issue date (default 2024-01-01)
  --to yyyy-mm-dd       last issue date (default 2024-12-31)
Requests and faults:
  --request-log FILE    append each request line ("GET /RecepcaoNF/v1/nota?... HTTP/1.1") to FILE
  --header-log FILE     append each request's remote port and headers to FILE: a line
                        "GET <target> from port <n>", then "<Name>: <value>" lines, then an empty line
  --quiet               do not echo request lines on stdout
  --fault FAULTS        play FAULTS on every request (see below)
  A single request chooses its fault with the query key "fault=FAULTS" or the address prefix
  /_fault/FAULTS/RecepcaoNF/v1/nota; addresses under /_r/ are served without any fault.
  FAULTS is a comma-separated list of:
    <code>[:json|html|object|empty]  that status with a JSON error body (default), an HTML page,
                              a JSON object without "error", or no body
    error:<text>              the "error" text of the JSON error body
    delay:<ms>                wait before answering
    slow:<ms>[:<bytes>]       body in pieces of <bytes> (default 1024), <ms> apart
    cut                       declare the whole Content-Length, send half the body, close
    totalpages:<n>            report a wrong totalPages
    redirect                  302 to the same address under /_r
    latin1                    body in ISO-8859-1, declared in Content-Type
    contenttype:<text>        the Content-Type header exactly as given
    retryafter:<text>         a Retry-After header with the answer
    noelements                a page reporting totalElements 0, without content
    nocontent                 a page with its totals but an empty content
    times:<n>                 the faults only on the first <n> requests for the same page with the
                              same faults; later ones are answered normally
    p<page>-<fault>           <fault> only on that page (zero-based): "p1-503", "p2-totalpages:3"
Query keys: cnpj, tipoAmbiente, tipoNFe, dataEmissaoInicial, dataEmissaoFinal (yyyy-mm-dd),
  numNfInicial, numNfFinal, serieInicial, serieFinal, page (from 0), size (1..2000, default 20),
  sort (numNF or numNF,desc). GET /_stats answers {"requests":<count>}.
)";

std::vector<std::string> Lista(const std::string& pTexto)
{
    std::vector<std::string> xItens;
    std::stringstream xEntrada(pTexto);
    std::string xItem;
    while (std::getline(xEntrada, xItem, ','))
        if (!xItem.empty())
            xItens.push_back(xItem);
    return xItens;
}

[[noreturn]] void Falha(const std::string& pTexto)
{
    std::fprintf(stderr, "notes-service: %s\n(--help shows the usage)\n", pTexto.c_str());
    std::exit(2);
}

int Numero(const std::string& pOpcao, const std::string& pValor)
{
    if (pValor.empty() || pValor.size() > 9 || pValor.find_first_not_of("0123456789") != std::string::npos)
        Falha(pOpcao + " expects a whole number");
    return std::stoi(pValor);
}

std::string EscapaJson(const std::string& pTexto)
{
    std::string xSaida;
    for (char c : pTexto) {
        if (c == '"' || c == '\\')
            xSaida += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            xSaida += c;
    }
    return xSaida;
}

void RespondeErro(httplib::Response& pRes, int pStatus, const std::string& pErro)
{
    pRes.status = pStatus;
    pRes.set_content("{\"error\":\"" + EscapaJson(pErro) + "\"}", "application/json");
}

struct TServico
{
    TBaseNotas Base;
    TFalha FalhaPadrao;
    std::atomic<long> Requisicoes{0};
    std::mutex TravaLog;
    std::map<std::string, int> Contagem; // requests per page and fault text, for times:<n>
    std::ofstream ArquivoLog;
    std::ofstream ArquivoCabecalhos;
    bool Silencioso = false;

    void RegistraLinha(const httplib::Request& pReq)
    {
        if (pReq.path == "/_stats")
            return;
        ++Requisicoes;
        const std::string xLinha = pReq.method + " " + pReq.target + " " + pReq.version + "\n";
        std::lock_guard<std::mutex> xTrava(TravaLog);
        if (ArquivoLog.is_open())
            ArquivoLog << xLinha << std::flush;
        if (ArquivoCabecalhos.is_open()) {
            ArquivoCabecalhos << pReq.method << ' ' << pReq.target << " from port " << pReq.remote_port << '\n';
            for (const auto& [xNome, xValor] : pReq.headers)
                if (xNome != "REMOTE_ADDR" && xNome != "REMOTE_PORT" && xNome != "LOCAL_ADDR" &&
                    xNome != "LOCAL_PORT")
                    ArquivoCabecalhos << xNome << ": " << xValor << '\n';
            ArquivoCabecalhos << '\n' << std::flush;
        }
        if (!Silencioso) {
            std::fputs(xLinha.c_str(), stdout);
            std::fflush(stdout);
        }
    }

    // Reads the query keys into the filter; an error text when one does not read.
    static std::string LeFiltro(const httplib::Request& pReq, TFiltroNotas& pFiltro)
    {
        auto xTexto = [&](const char* pChave) -> std::optional<std::string> {
            if (!pReq.has_param(pChave))
                return std::nullopt;
            return pReq.get_param_value(pChave);
        };
        pFiltro.Cnpj = xTexto("cnpj");
        pFiltro.TipoAmbiente = xTexto("tipoAmbiente");
        pFiltro.TipoNFe = xTexto("tipoNFe");
        for (auto [xChave, xDestino] : {std::pair{"dataEmissaoInicial", &pFiltro.DiaInicial},
                                        std::pair{"dataEmissaoFinal", &pFiltro.DiaFinal}}) {
            if (auto xValor = xTexto(xChave)) {
                auto xDia = xValor->size() == 10 ? DiaDeTexto(*xValor) : std::nullopt;
                if (!xDia)
                    return std::string(xChave) + " inválida: " + *xValor;
                *xDestino = *xDia;
            }
        }
        for (auto [xChave, xDestino] :
             {std::pair{"numNfInicial", &pFiltro.NumInicial}, std::pair{"numNfFinal", &pFiltro.NumFinal},
              std::pair{"serieInicial", &pFiltro.SerieInicial},
              std::pair{"serieFinal", &pFiltro.SerieFinal}}) {
            if (auto xValor = xTexto(xChave)) {
                const size_t xInicio = xValor->find_first_not_of(' ');
                const size_t xFim = xValor->find_last_not_of(' ');
                const std::string xNumero = xInicio == std::string::npos
                                                ? std::string()
                                                : xValor->substr(xInicio, xFim - xInicio + 1);
                if (xNumero.empty() || xNumero.size() > 18 ||
                    xNumero.find_first_not_of("0123456789") != std::string::npos)
                    return std::string(xChave) + " inválido: " + *xValor;
                *xDestino = std::stoll(xNumero);
            }
        }
        for (auto [xChave, xDestino, xMinimo, xMaximo] : {std::tuple{"page", &pFiltro.Pagina, 0, 100000000},
                                                          std::tuple{"size", &pFiltro.Tamanho, 1, 2000}}) {
            if (auto xValor = xTexto(xChave)) {
                if (xValor->empty() || xValor->size() > 9 ||
                    xValor->find_first_not_of("0123456789") != std::string::npos ||
                    std::stoi(*xValor) < xMinimo || std::stoi(*xValor) > xMaximo)
                    return std::string(xChave) + " inválido: " + *xValor;
                *xDestino = std::stoi(*xValor);
            }
        }
        if (auto xValor = xTexto("sort")) {
            if (*xValor == "numNF,desc")
                pFiltro.Decrescente = true;
            else if (*xValor != "numNF" && *xValor != "numNF,asc")
                return "sort inválido: " + *xValor;
        }
        return {};
    }

    void Consulta(const httplib::Request& pReq, httplib::Response& pRes, const std::string& pFalhaCaminho,
                  bool pSemFalha)
    {
        TFalha xFalha = pSemFalha ? TFalha{} : FalhaPadrao;
        int xPagina = -1;
        if (pReq.has_param("page")) {
            const std::string xTexto = pReq.get_param_value("page");
            if (!xTexto.empty() && xTexto.size() < 9 && xTexto.find_first_not_of("0123456789") == std::string::npos)
                xPagina = std::stoi(xTexto);
        }
        if (!pSemFalha) {
            std::string xErro = LeFalha(pFalhaCaminho, xFalha, xPagina);
            if (xErro.empty() && pReq.has_param("fault"))
                xErro = LeFalha(pReq.get_param_value("fault"), xFalha, xPagina);
            if (!xErro.empty())
                return RespondeErro(pRes, 400, xErro);
        }
        if (xFalha.Vezes > 0) {
            // Counted per page and fault text: after that many, the page is answered normally.
            const std::string xChave = pFalhaCaminho + "|" + pReq.get_param_value("fault") + "|" +
                                       std::to_string(xPagina);
            std::lock_guard<std::mutex> xTrava(TravaLog);
            if (++Contagem[xChave] > xFalha.Vezes)
                xFalha = TFalha{};
        }
        if (!xFalha.RetryAfter.empty())
            pRes.set_header("Retry-After", xFalha.RetryAfter);
        if (xFalha.AtrasoMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(xFalha.AtrasoMs));
        if (xFalha.Redireciona) {
            std::string xDestino = pReq.target;
            if (xDestino.rfind("/_fault/", 0) == 0)
                xDestino = xDestino.substr(xDestino.find('/', 8));
            return pRes.set_redirect("/_r" + xDestino, 302);
        }
        if (xFalha.Status != 0) {
            pRes.status = xFalha.Status;
            if (xFalha.Corpo == "html")
                pRes.set_content("<!DOCTYPE html><html><head><title>Erro " + std::to_string(xFalha.Status) +
                                     "</title></head><body><h1>Erro</h1></body></html>",
                                 "text/html");
            else if (xFalha.Corpo == "object")
                pRes.set_content("{\"status\":" + std::to_string(xFalha.Status) + "}", "application/json");
            else if (xFalha.Corpo == "json")
                pRes.set_content("{\"error\":\"" +
                                     EscapaJson(xFalha.Erro.empty() ? "Falha simulada pelo serviço: status " +
                                                                          std::to_string(xFalha.Status)
                                                                    : xFalha.Erro) +
                                     "\"}",
                                 "application/json");
            return;
        }

        TFiltroNotas xFiltro;
        if (std::string xErro = LeFiltro(pReq, xFiltro); !xErro.empty())
            return RespondeErro(pRes, 400, xErro);
        TOpcoesPagina xOpcoes;
        xOpcoes.TotalPagesFalso = xFalha.TotalPages;
        xOpcoes.SemElementos = xFalha.SemElementos;
        xOpcoes.SemConteudo = xFalha.SemConteudo;
        auto xCorpo = std::make_shared<std::string>(Base.Pagina(xFiltro, xOpcoes));
        std::string xTipo = "application/json";
        if (xFalha.Latin1) {
            *xCorpo = ParaLatin1(*xCorpo);
            xTipo = "application/json; charset=ISO-8859-1";
        }
        if (!xFalha.ContentType.empty())
            xTipo = xFalha.ContentType;
        pRes.status = 200;
        if (xFalha.Corte) {
            pRes.set_content_provider(xCorpo->size(), xTipo,
                                      [xCorpo](size_t, size_t, httplib::DataSink& pSink) {
                                          pSink.write(xCorpo->data(), xCorpo->size() / 2);
                                          return false; // the connection closes short of the length
                                      });
        } else if (xFalha.LentoMs > 0) {
            const size_t xPedaco = static_cast<size_t>(xFalha.LentoBytes);
            const int xPausa = xFalha.LentoMs;
            pRes.set_content_provider(
                xCorpo->size(), xTipo,
                [xCorpo, xPedaco, xPausa](size_t pInicio, size_t pTamanho, httplib::DataSink& pSink) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(xPausa));
                    return pSink.write(xCorpo->data() + pInicio, std::min(xPedaco, pTamanho));
                });
        } else {
            pRes.set_content(std::move(*xCorpo), xTipo);
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    TServico xServico;
    TOpcoesGerador xOpcoes;
    xOpcoes.DiaInicial = *DiaDeTexto("2024-01-01");
    xOpcoes.DiaFinal = *DiaDeTexto("2024-12-31");
    std::string xPasta, xArquivoLog, xArquivoCabecalhos;
    int xPorta = 0;

    for (int i = 1; i < argc; ++i) {
        const std::string xOpcao = argv[i];
        auto xValor = [&]() -> std::string {
            if (i + 1 >= argc)
                Falha(xOpcao + " expects a value");
            return argv[++i];
        };
        if (xOpcao == "--help" || xOpcao == "-h") {
            std::fputs(USO, stdout);
            return 0;
        } else if (xOpcao == "--port") {
            xPorta = Numero(xOpcao, xValor());
            if (xPorta > 65535)
                Falha("--port out of range");
        } else if (xOpcao == "--data-dir") {
            xPasta = xValor();
        } else if (xOpcao == "--cnpj") {
            xOpcoes.Cnpjs = Lista(xValor());
        } else if (xOpcao == "--types") {
            xOpcoes.Tipos = Lista(xValor());
        } else if (xOpcao == "--envs") {
            xOpcoes.Ambientes = Lista(xValor());
        } else if (xOpcao == "--per-branch") {
            xOpcoes.NotasPorCombinacao = Numero(xOpcao, xValor());
        } else if (xOpcao == "--xml-size") {
            xOpcoes.TamanhoXml = Numero(xOpcao, xValor());
        } else if (xOpcao == "--cancelled") {
            xOpcoes.PercentualCanceladas = Numero(xOpcao, xValor());
        } else if (xOpcao == "--no-accents") {
            xOpcoes.Acentos = false;
        } else if (xOpcao == "--from" || xOpcao == "--to") {
            const std::string xTexto = xValor();
            auto xDia = xTexto.size() == 10 ? DiaDeTexto(xTexto) : std::nullopt;
            if (!xDia)
                Falha(xOpcao + " expects yyyy-mm-dd");
            (xOpcao == "--from" ? xOpcoes.DiaInicial : xOpcoes.DiaFinal) = *xDia;
        } else if (xOpcao == "--request-log") {
            xArquivoLog = xValor();
        } else if (xOpcao == "--header-log") {
            xArquivoCabecalhos = xValor();
        } else if (xOpcao == "--quiet") {
            xServico.Silencioso = true;
        } else if (xOpcao == "--fault") {
            if (std::string xErro = LeFalha(xValor(), xServico.FalhaPadrao); !xErro.empty())
                Falha(xErro);
        } else {
            Falha("unknown option " + xOpcao);
        }
    }

    if (!xPasta.empty()) {
        if (std::string xErro = xServico.Base.CarregaPasta(xPasta); !xErro.empty())
            Falha(xErro);
    } else {
        xServico.Base.Gera(xOpcoes);
    }
    if (!xArquivoCabecalhos.empty()) {
        xServico.ArquivoCabecalhos.open(xArquivoCabecalhos, std::ios::app | std::ios::binary);
        if (!xServico.ArquivoCabecalhos)
            Falha("cannot open " + xArquivoCabecalhos);
    }
    if (!xArquivoLog.empty()) {
        xServico.ArquivoLog.open(xArquivoLog, std::ios::app | std::ios::binary);
        if (!xServico.ArquivoLog)
            Falha("cannot open " + xArquivoLog);
    }

    httplib::Server xServidor;
    xServidor.set_pre_routing_handler([&](const httplib::Request& pReq, httplib::Response&) {
        xServico.RegistraLinha(pReq);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    xServidor.Get("/RecepcaoNF/v1/nota", [&](const httplib::Request& pReq, httplib::Response& pRes) {
        xServico.Consulta(pReq, pRes, {}, false);
    });
    xServidor.Get(R"(/_fault/(.+)/RecepcaoNF/v1/nota)",
                  [&](const httplib::Request& pReq, httplib::Response& pRes) {
                      xServico.Consulta(pReq, pRes, pReq.matches[1], false);
                  });
    xServidor.Get("/_r/RecepcaoNF/v1/nota", [&](const httplib::Request& pReq, httplib::Response& pRes) {
        xServico.Consulta(pReq, pRes, {}, true);
    });
    xServidor.Get("/_stats", [&](const httplib::Request&, httplib::Response& pRes) {
        pRes.set_content("{\"requests\":" + std::to_string(xServico.Requisicoes.load()) + "}",
                         "application/json");
    });
    xServidor.set_error_handler([](const httplib::Request&, httplib::Response& pRes) {
        if (pRes.status == 404 && pRes.body.empty())
            RespondeErro(pRes, 404, "Recurso não encontrado");
    });

    const int xPortaUsada = xPorta == 0 ? xServidor.bind_to_any_port("127.0.0.1")
                                        : (xServidor.bind_to_port("127.0.0.1", xPorta) ? xPorta : -1);
    if (xPortaUsada <= 0)
        Falha("cannot listen on 127.0.0.1:" + std::to_string(xPorta));
    std::printf("listening on 127.0.0.1:%d\n", xPortaUsada);
    std::fflush(stdout);
    std::fprintf(stderr, "notes-service: %zu notes\n", xServico.Base.Quantidade());
    return xServidor.listen_after_bind() ? 0 : 1;
}
