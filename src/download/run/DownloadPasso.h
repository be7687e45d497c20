#pragma once

#include "download/archive/ZipEmCurso.h"
#include "download/client/ServiceRetentativas.h"
#include "download/run/DownloadRun.h"
#include "download/run/Tarefa.h"

#include <deque>
#include <optional>

// The pages the fetch worker has received and the run has not taken yet, in order.
struct TPaginaBuscada
{
    std::unique_ptr<TRecepcaoNFAPIResponse> Pagina;
    TFimConsulta Fim = TFimConsulta::Falha;
    std::exception_ptr Falha; // what the query raised
};

// What one download step shares between the run (GUI thread) and its two workers: the fetch loop and
// the deflating of the last page into the step's archive. The fetch worker asks for page N + 1 as soon
// as page N, read, says it exists, unless the run was asked to stop; it waits while PAGINAS_NA_FILA
// pages wait for the run. The compression worker's results are read by the run after it joined it.
struct TDownloadRun::TPasso
{
    static constexpr size_t PAGINAS_NA_FILA = 2;

    // However the step ends, its fetch worker asks for nothing more and is joined before the rest goes.
    TPasso() = default;
    ~TPasso()
    {
        Controle->Aborta();
        Busca.Junta();
    }
    TPasso(const TPasso&) = delete;
    TPasso& operator=(const TPasso&) = delete;

    QString Pasta, Cnpj, TipoNFe, TipoAmbiente;
    std::shared_ptr<TControleConsulta> Controle = std::make_shared<TControleConsulta>();

    // The step's archive: created at the first page that reports notes; none when it could not be.
    std::unique_ptr<TZipEmCurso> Zip;
    std::optional<QString> FalhaCriacao; // why it could not be created
    bool FalhaEscrita = false;           // an entry, the end of the archive or its publication failed
    std::optional<QString> FalhaPublicacao; // why the finished archive could not be named (it was kept)
    QString Publicado;                   // the archive's path once published
    qint64 NotasRecebidas = 0;

    // Between the fetch worker and the run.
    std::mutex Trava;
    std::condition_variable Sinal;
    std::deque<TPaginaBuscada> Fila;
    int Pedidas = 0;        // pages asked for so far
    bool BuscaAcabou = false; // the fetch worker asks for no more pages

    // Last, so that they are joined before anything they use goes away.
    TTarefa Compressao;
    TTarefa Busca;
};
