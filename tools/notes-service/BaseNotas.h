#pragma once

// The notes the stand-in serves: generated from a few options, or loaded from JSON files.
// Only a small record per note is kept; the JSON of a generated note is built when a page asks
// for it, so tens of thousands of large notes cost little memory.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TOpcoesGerador
{
    std::vector<std::string> Cnpjs{"12345678000195"};
    std::vector<std::string> Tipos{"NF_E", "NFC_E", "NFS_E"};
    std::vector<std::string> Ambientes{"PRODUCAO", "HOMOLOGACAO"};
    int NotasPorCombinacao = 10; // per branch, type and environment
    int TamanhoXml = 2000;       // bytes of each note's XML (UTF-8)
    int PercentualCanceladas = 10;
    bool Acentos = true; // accented text (ç, ã, é, €) inside the XML
    int DiaInicial = 0;  // issue dates, days since 1970-01-01
    int DiaFinal = 0;
};

struct TFiltroNotas
{
    std::optional<std::string> Cnpj, TipoAmbiente, TipoNFe;
    std::optional<int> DiaInicial, DiaFinal;     // days since 1970-01-01, inclusive
    std::optional<int64_t> NumInicial, NumFinal; // inclusive
    std::optional<int64_t> SerieInicial, SerieFinal;
    int Pagina = 0;
    int Tamanho = 20;
    bool Decrescente = false;
};

struct TOpcoesPagina
{
    std::optional<int> TotalPagesFalso; // a wrong totalPages, for tests of the client's paging
    bool SemElementos = false;          // totalElements 0 and no content, as if nothing matched
    bool SemConteudo = false;           // the totals as they are, but an empty content
};

class TBaseNotas
{
public:
    void Gera(const TOpcoesGerador& pOpcoes);
    // Every *.json file of the folder, by name: a note object or an array of notes.
    // Returns an error text, empty when all went well.
    std::string CarregaPasta(const std::string& pPasta);

    size_t Quantidade() const { return vNotas.size(); }
    // The page JSON for the filter.
    std::string Pagina(const TFiltroNotas& pFiltro, const TOpcoesPagina& pOpcoes) const;

private:
    struct TRegistro
    {
        int64_t NumNF = 0;
        int64_t Serie = 0;
        int Dia = 0; // issue date, days since 1970-01-01 (local date as written)
        int32_t Id = 0;
        int16_t Cnpj = -1, Tipo = -1, Ambiente = -1; // indexes into the text tables; -1 = none
        int32_t Indice = 0;                          // the note's number inside its combination
        int32_t Json = -1;                           // index into vJsonPronto (loaded notes)
        bool Cancelada = false;
    };

    int16_t IndiceTexto(std::vector<std::string>& pTabela, const std::string& pTexto);
    void AcrescentaNota(std::string& pSaida, const TRegistro& pNota) const;
    bool Atende(const TRegistro& pNota, const TFiltroNotas& pFiltro, int pCnpj, int pTipo,
                int pAmbiente) const;

    TOpcoesGerador vOpcoes;
    std::vector<std::string> vCnpjs, vTipos, vAmbientes;
    std::vector<std::string> vCnpjsCaracteres;
    std::vector<std::string> vJsonPronto;
    std::vector<TRegistro> vNotas; // sorted by numNF, then id
};

// Days since 1970-01-01 of "yyyy-mm-dd" (the first 10 characters); nothing when it does not read.
std::optional<int> DiaDeTexto(const std::string& pTexto);
// Only the digits of a text.
std::string SoDigitos(const std::string& pTexto);
// Only the characters a CNPJ is made of: digits and capital letters (the alphanumeric CNPJ).
std::string CaracteresCnpj(const std::string& pTexto);
