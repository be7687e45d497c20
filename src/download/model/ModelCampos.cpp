#include "download/model/ModelCampos.h"

#include "download/model/ModelRecepcaoNF.h"

namespace {

template <class T>
struct TMembro;
template <class TClasse, class TValor>
struct TMembro<TValor TClasse::*>
{
    using Classe = TClasse;
};

template <auto pCampo>
void* Endereco(void* pObjeto)
{
    using TClasse = typename TMembro<decltype(pCampo)>::Classe;
    return &(static_cast<TClasse*>(pObjeto)->*pCampo);
}

const TCampoJson CAMPOS_NOTA[] = {
    {"id", TTipoCampo::Inteiro, Endereco<&TNota::Id>},
    {"cnpj", TTipoCampo::Texto, Endereco<&TNota::Cnpj>},
    {"tipoAmbiente", TTipoCampo::Texto, Endereco<&TNota::TipoAmbiente>},
    {"tipoNFe", TTipoCampo::Texto, Endereco<&TNota::TipoNFe>},
    {"codEmpresa", TTipoCampo::Texto, Endereco<&TNota::CodEmpresa>},
    {"numNF", TTipoCampo::Texto, Endereco<&TNota::NumNF>},
    {"serie", TTipoCampo::Texto, Endereco<&TNota::Serie>},
    {"dataEmissao", TTipoCampo::DataHora, Endereco<&TNota::DataEmissao>},
    {"dataSincronizacao", TTipoCampo::DataHora, Endereco<&TNota::DataSincronizacao>},
    {"numeroNFSe", TTipoCampo::Texto, Endereco<&TNota::NumeroNFSe>},
    {"chave", TTipoCampo::Texto, Endereco<&TNota::Chave>},
    {"xml", TTipoCampo::Bytes, Endereco<&TNota::Xml>},
    {"xmlCancelamento", TTipoCampo::Bytes, Endereco<&TNota::XmlCancelamento>},
    {"cancelada", TTipoCampo::Booleano, Endereco<&TNota::Cancelada>},
    {"gerouCobranca", TTipoCampo::Booleano, Endereco<&TNota::GerouCobranca>},
};

using TPagina = TRecepcaoNFAPIResponse;
const TCampoJson CAMPOS_PAGINA[] = {
    {"content", TTipoCampo::Notas, Endereco<&TPagina::Content>},
    {"totalPages", TTipoCampo::Inteiro, Endereco<&TPagina::TotalPages>},
    {"totalElements", TTipoCampo::Inteiro, Endereco<&TPagina::TotalElements>},
    {"size", TTipoCampo::Inteiro, Endereco<&TPagina::Size>},
    {"empty", TTipoCampo::Booleano, Endereco<&TPagina::Empty>},
    {"first", TTipoCampo::Booleano, Endereco<&TPagina::First>},
    {"last", TTipoCampo::Booleano, Endereco<&TPagina::Last>},
    {"number", TTipoCampo::Inteiro, Endereco<&TPagina::Number>},
};

const TCampoJson CAMPOS_ERRO[] = {
    {"error", TTipoCampo::Texto, Endereco<&TErrorResponse::error>},
};

char Minuscula(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

const TCampoJson* TClasseJson::Procura(const char* pChave, std::size_t pTamanho) const
{
    for (std::size_t i = 0; i < Quantidade; ++i) {
        const std::string_view xNome = Campos[i].Chave;
        if (xNome.size() != pTamanho)
            continue;
        std::size_t j = 0;
        while (j < pTamanho && Minuscula(pChave[j]) == Minuscula(xNome[j]))
            ++j;
        if (j == pTamanho)
            return &Campos[i];
    }
    return nullptr;
}

const TClasseJson CLASSE_NOTA{CAMPOS_NOTA, std::size(CAMPOS_NOTA)};
const TClasseJson CLASSE_PAGINA{CAMPOS_PAGINA, std::size(CAMPOS_PAGINA)};
const TClasseJson CLASSE_ERRO{CAMPOS_ERRO, std::size(CAMPOS_ERRO)};
