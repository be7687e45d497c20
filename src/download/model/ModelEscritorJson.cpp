#include "download/model/ModelEscritorJson.h"

#include "download/model/ModelConversao.h"
#include "download/model/ModelRecepcaoNF.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace {

using TWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void EscreveTexto(TWriter& pSaida, const QByteArray& pUtf8)
{
    pSaida.String(pUtf8.constData(), rapidjson::SizeType(pUtf8.size()));
}

void EscreveObjeto(TWriter& pSaida, const TClasseJson& pClasse, const void* pObjeto)
{
    void* xObjeto = const_cast<void*>(pObjeto); // the addresses are only read here
    pSaida.StartObject();
    for (std::size_t i = 0; i < pClasse.Quantidade; ++i) {
        const TCampoJson& xCampo = pClasse.Campos[i];
        pSaida.Key(xCampo.Chave.data(), rapidjson::SizeType(xCampo.Chave.size()));
        const void* xValor = xCampo.Endereco(xObjeto);
        switch (xCampo.Tipo) {
        case TTipoCampo::Texto:
            EscreveTexto(pSaida, static_cast<const QString*>(xValor)->toUtf8());
            break;
        case TTipoCampo::Bytes:
            EscreveTexto(pSaida, *static_cast<const QByteArray*>(xValor));
            break;
        case TTipoCampo::Inteiro:
            pSaida.Int(*static_cast<const qint32*>(xValor));
            break;
        case TTipoCampo::Booleano:
            pSaida.Bool(*static_cast<const bool*>(xValor));
            break;
        case TTipoCampo::DataHora: {
            const QDateTime& xData = *static_cast<const QDateTime*>(xValor);
            if (xData.isValid())
                EscreveTexto(pSaida, TModelConversao::TextoDataHora(xData));
            else
                pSaida.Null();
            break;
        }
        case TTipoCampo::Notas:
            pSaida.StartArray();
            for (const TNota& xNota : *static_cast<const TListaNotas*>(xValor))
                EscreveObjeto(pSaida, CLASSE_NOTA, &xNota);
            pSaida.EndArray();
            break;
        }
    }
    pSaida.EndObject();
}

} // namespace

QString TEscritorJson::Escreve(const TClasseJson& pClasse, const void* pObjeto)
{
    rapidjson::StringBuffer xBuffer;
    TWriter xSaida(xBuffer);
    EscreveObjeto(xSaida, pClasse, pObjeto);
    return QString::fromUtf8(xBuffer.GetString(), qsizetype(xBuffer.GetSize()));
}
