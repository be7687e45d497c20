#pragma once

// Inside the platform layer only: the implementations of one system reach the descriptor or HANDLE of
// a TArquivoSistema they made or use.

#include "sistema/ArquivoSistema.h"

struct TAcessoArquivo
{
    static TArquivoSistema Aberto(qintptr pNativo, const QString& pCaminho)
    {
        TArquivoSistema xArquivo;
        xArquivo.vArquivo = pNativo;
        xArquivo.vCaminho = pCaminho;
        return xArquivo;
    }
    static TArquivoSistema Falho(TErroSistema pErro, const QString& pCaminho)
    {
        TArquivoSistema xArquivo;
        xArquivo.vErro = pErro;
        xArquivo.vCaminho = pCaminho;
        return xArquivo;
    }
    static qintptr Nativo(const TArquivoSistema& pArquivo) { return pArquivo.vArquivo; }
};
