#include "download/model/ModelRecepcaoNF.h"

#include "download/model/ModelCampos.h"
#include "download/model/ModelEscritorJson.h"
#include "download/model/ModelLeitorJson.h"

#include <iterator>

namespace {

// A new object at its initial values, filled from the JSON text; on a failure it is released.
template <class TClasse>
std::unique_ptr<TClasse> Le(const QByteArray& pJson, const TClasseJson& pClasse)
{
    auto xObjeto = std::make_unique<TClasse>();
    TLeitorJson::Le(pJson.constData(), std::size_t(pJson.size()), pClasse, xObjeto.get());
    return xObjeto;
}

} // namespace

std::unique_ptr<TNota> TNota::FromJsonString(const QByteArray& AJsonString)
{
    return Le<TNota>(AJsonString, CLASSE_NOTA);
}

std::unique_ptr<TNota> TNota::FromJsonString(const QString& AJsonString)
{
    return FromJsonString(AJsonString.toUtf8());
}

QString TNota::ToJsonString() const
{
    return TEscritorJson::Escreve(CLASSE_NOTA, this);
}

std::unique_ptr<TRecepcaoNFAPIResponse> TRecepcaoNFAPIResponse::FromJsonString(const QByteArray& AJsonString)
{
    return Le<TRecepcaoNFAPIResponse>(AJsonString, CLASSE_PAGINA);
}

std::unique_ptr<TRecepcaoNFAPIResponse> TRecepcaoNFAPIResponse::FromJsonString(const QString& AJsonString)
{
    return FromJsonString(AJsonString.toUtf8());
}

QString TRecepcaoNFAPIResponse::ToJsonString() const
{
    return TEscritorJson::Escreve(CLASSE_PAGINA, this);
}

void TRecepcaoNFAPIResponse::MoveContentTo(TListaNotas& pDestino)
{
    if (pDestino.empty())
        pDestino.swap(Content);
    else
        pDestino.insert(pDestino.end(), std::make_move_iterator(Content.begin()),
                        std::make_move_iterator(Content.end()));
    Content.clear();
}

std::unique_ptr<TErrorResponse> TErrorResponse::FromJsonString(const QByteArray& AJsonString)
{
    return Le<TErrorResponse>(AJsonString, CLASSE_ERRO);
}

std::unique_ptr<TErrorResponse> TErrorResponse::FromJsonString(const QString& AJsonString)
{
    return FromJsonString(AJsonString.toUtf8());
}

QString TErrorResponse::ToJsonString() const
{
    return TEscritorJson::Escreve(CLASSE_ERRO, this);
}
