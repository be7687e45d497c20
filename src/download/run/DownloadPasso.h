#pragma once

#include "download/archive/ZipEmCurso.h"
#include "download/client/ServiceRetentativas.h"
#include "download/run/DownloadRun.h"
#include "download/run/Tarefa.h"

#include <optional>

// What one download step shares between the run (GUI thread) and its two workers: the fetch of the
// next page and the deflating of the last one into the step's archive. A worker's results are read
// by the run only after it joined the worker.
struct TDownloadRun::TPasso
{
    QString Pasta, Cnpj, TipoNFe, TipoAmbiente;
    std::shared_ptr<TControleConsulta> Controle = std::make_shared<TControleConsulta>();

    // The step's archive: created at the first page that reports notes; none when it could not be.
    std::unique_ptr<TZipEmCurso> Zip;
    std::optional<QString> FalhaCriacao; // why it could not be created
    bool FalhaEscrita = false;           // an entry, the end of the archive or its publication failed
    QString Publicado;                   // the archive's path once published
    qint64 NotasRecebidas = 0;

    // Result of the fetch worker.
    std::unique_ptr<TRecepcaoNFAPIResponse> Pagina;
    TFimConsulta Fim = TFimConsulta::Falha;

    // Last, so that they are joined before anything they use goes away.
    TTarefa Compressao;
    TTarefa Busca;
};
