#include "download/model/ModelLeitorJson.h"

#include "download/model/ModelConversao.h"
#include "download/model/ModelRecepcaoNF.h"
#include "download/model/ModelUtf8.h"
#include "util/Exception.h"

namespace {

using rapidjson::SizeType;

const QString MSG_OBJETO_INVALIDO = QStringLiteral("The input value is not a valid Object");

const char* NomeTipo(TTipoCampo pTipo)
{
    switch (pTipo) {
    case TTipoCampo::Texto:
    case TTipoCampo::Bytes:
        return "texto";
    case TTipoCampo::Inteiro:
        return "número inteiro";
    case TTipoCampo::Booleano:
        return "true ou false";
    case TTipoCampo::DataHora:
        return "data e hora ISO 8601";
    case TTipoCampo::Notas:
        return "lista de notas";
    }
    return "";
}

// SAX handler: a small state machine over the top-level object and, for a page, the notes of
// "content". Values of keys that name no field are followed only to find their end; RapidJSON still
// checks their syntax. After a conversion failure the rest is only checked, so that a document
// that is not valid JSON fails as such whatever it holds.
class TManipulador
{
public:
    TManipulador(const TClasseJson& pClasse, void* pObjeto) : vNivelTopo{&pClasse, pObjeto} {}

    bool Falhou() const { return vEstado == TEstado::Falhou; }
    const QString& Falha() const { return vFalha; }

    bool Null()
    {
        if (Saltado(0))
            return true;
        if (vEstado != TEstado::Valor)
            return Outro("null");
        if (vCampo) {
            void* xCampo = Campo();
            switch (vCampo->Tipo) {
            case TTipoCampo::Texto:
                static_cast<QString*>(xCampo)->clear();
                break;
            case TTipoCampo::Bytes:
                static_cast<QByteArray*>(xCampo)->clear();
                break;
            case TTipoCampo::Inteiro:
                *static_cast<qint32*>(xCampo) = 0;
                break;
            case TTipoCampo::Booleano:
                *static_cast<bool*>(xCampo) = false;
                break;
            case TTipoCampo::DataHora:
                break; // null leaves the date-time as it was
            case TTipoCampo::Notas:
                static_cast<TListaNotas*>(xCampo)->clear();
                break;
            }
        }
        vEstado = TEstado::Membros;
        return true;
    }

    bool Bool(bool pValor)
    {
        if (Saltado(0))
            return true;
        if (vEstado != TEstado::Valor)
            return Outro("booleano");
        if (vCampo) {
            if (vCampo->Tipo != TTipoCampo::Booleano)
                return FalhaTipo("booleano");
            *static_cast<bool*>(Campo()) = pValor;
        }
        vEstado = TEstado::Membros;
        return true;
    }

    bool RawNumber(const char* pTexto, SizeType pTamanho, bool)
    {
        if (Saltado(0))
            return true;
        if (vEstado != TEstado::Valor)
            return Outro("número");
        if (vCampo) {
            void* xCampo = Campo();
            switch (vCampo->Tipo) {
            case TTipoCampo::Texto:
                *static_cast<QString*>(xCampo) = QString::fromLatin1(pTexto, pTamanho);
                break;
            case TTipoCampo::Bytes:
                *static_cast<QByteArray*>(xCampo) = QByteArray(pTexto, pTamanho);
                break;
            case TTipoCampo::Inteiro:
                *static_cast<qint32*>(xCampo) = TModelConversao::Inteiro(pTexto, pTamanho);
                break;
            default:
                return FalhaTipo("número");
            }
        }
        vEstado = TEstado::Membros;
        return true;
    }

    bool String(const char* pTexto, SizeType pTamanho, bool)
    {
        if (Saltado(0))
            return true;
        if (vEstado != TEstado::Valor)
            return Outro("texto");
        if (vCampo) {
            void* xCampo = Campo();
            switch (vCampo->Tipo) {
            case TTipoCampo::Texto:
                *static_cast<QString*>(xCampo) = QString::fromUtf8(pTexto, pTamanho);
                break;
            case TTipoCampo::Bytes:
                *static_cast<QByteArray*>(xCampo) = QByteArray(pTexto, pTamanho);
                break;
            case TTipoCampo::Inteiro:
                *static_cast<qint32*>(xCampo) = TModelConversao::Inteiro(pTexto, pTamanho);
                break;
            case TTipoCampo::DataHora: {
                std::optional<QDateTime> xData = TModelConversao::DataHora(pTexto, pTamanho);
                if (!xData)
                    return Falha(QStringLiteral("Data e hora inválida para \"%1\": \"%2\".")
                                     .arg(Chave(), QString::fromUtf8(pTexto, pTamanho)));
                *static_cast<QDateTime*>(xCampo) = *xData;
                break;
            }
            default:
                return FalhaTipo("texto");
            }
        }
        vEstado = TEstado::Membros;
        return true;
    }

    bool StartObject()
    {
        if (Saltado(1))
            return true;
        switch (vEstado) {
        case TEstado::Inicio:
            vNivel = &vNivelTopo;
            vEstado = TEstado::Membros;
            return true;
        case TEstado::Lista:
            vNivelNota = {&CLASSE_NOTA, &vLista->emplace_back()};
            vNivel = &vNivelNota;
            vEstado = TEstado::Membros;
            return true;
        case TEstado::Valor:
            if (vCampo)
                return FalhaTipo("objeto");
            return Ignora();
        default:
            return Outro("objeto");
        }
    }

    bool Key(const char* pTexto, SizeType pTamanho, bool)
    {
        if (Saltado(0))
            return true;
        if (vEstado != TEstado::Membros)
            return Outro("chave");
        vCampo = vNivel->Classe->Procura(pTexto, pTamanho);
        vEstado = TEstado::Valor;
        return true;
    }

    bool EndObject(SizeType)
    {
        if (Saltado(-1))
            return true;
        if (vEstado != TEstado::Membros)
            return Outro("fim de objeto");
        if (vNivel == &vNivelTopo) {
            vEstado = TEstado::Fim;
        } else {
            vNivel = &vNivelTopo;
            vEstado = TEstado::Lista;
        }
        return true;
    }

    bool StartArray()
    {
        if (Saltado(1))
            return true;
        if (vEstado == TEstado::Valor) {
            if (!vCampo)
                return Ignora();
            if (vCampo->Tipo != TTipoCampo::Notas)
                return FalhaTipo("lista");
            vLista = static_cast<TListaNotas*>(Campo());
            vLista->clear(); // a later "content" replaces an earlier one
            vEstado = TEstado::Lista;
            return true;
        }
        return Outro("lista");
    }

    bool EndArray(SizeType)
    {
        if (Saltado(-1))
            return true;
        if (vEstado == TEstado::Lista) {
            vEstado = TEstado::Membros;
            return true;
        }
        return Outro("fim de lista");
    }

    // Numbers always arrive through RawNumber (kParseNumbersAsStringsFlag).
    bool Int(int) { return Outro("número"); }
    bool Uint(unsigned) { return Outro("número"); }
    bool Int64(int64_t) { return Outro("número"); }
    bool Uint64(uint64_t) { return Outro("número"); }
    bool Double(double) { return Outro("número"); }

private:
    enum class TEstado
    {
        Inicio,    // before the top-level value
        Membros,   // inside an object: a key or its end
        Valor,     // after a key: its value, for vCampo (nullptr: a key that names no field)
        Lista,     // inside "content": a note or the end of the list
        Ignorando, // inside the object or array of a key that names no field
        Fim,       // after the top-level object
        Falhou     // a value could not be converted: the rest is only checked
    };

    struct TNivel
    {
        const TClasseJson* Classe;
        void* Objeto;
    };

    void* Campo() const { return vCampo->Endereco(vNivel->Objeto); }
    QString Chave() const { return QString::fromLatin1(vCampo->Chave.data(), qsizetype(vCampo->Chave.size())); }

    bool Ignora()
    {
        vEstado = TEstado::Ignorando;
        vProfundidade = 1;
        return true;
    }

    // Inside the value of a key that names no field, and after a failure, events only move the depth
    // (pPasso: +1 at the start of an object or array, -1 at its end).
    bool Saltado(int pPasso)
    {
        if (vEstado == TEstado::Falhou)
            return true;
        if (vEstado != TEstado::Ignorando)
            return false;
        vProfundidade += pPasso;
        if (vProfundidade == 0)
            vEstado = TEstado::Membros;
        return true;
    }

    // An event where the value being read cannot take it: an element of "content" that is not an
    // object, or a top-level value that is not an object (the parse then fails).
    bool Outro(const char* pRecebido)
    {
        if (vEstado == TEstado::Lista)
            return Falha(QStringLiteral("Valor inválido para \"content\" (esperado: nota (objeto); "
                                        "recebido: %1).")
                             .arg(QString::fromUtf8(pRecebido)));
        return false;
    }

    bool FalhaTipo(const char* pRecebido)
    {
        return Falha(QStringLiteral("Valor inválido para \"%1\" (esperado: %2; recebido: %3).")
                         .arg(Chave(), QString::fromUtf8(NomeTipo(vCampo->Tipo)), QString::fromUtf8(pRecebido)));
    }

    bool Falha(const QString& pMensagem)
    {
        vFalha = pMensagem;
        vEstado = TEstado::Falhou;
        return true;
    }

    TEstado vEstado = TEstado::Inicio;
    TNivel vNivelTopo;
    TNivel vNivelNota{nullptr, nullptr};
    const TNivel* vNivel = nullptr;
    const TCampoJson* vCampo = nullptr;
    TListaNotas* vLista = nullptr;
    int vProfundidade = 0;
    QString vFalha;
};

} // namespace

void TLeitorJson::Le(const char* pTexto, std::size_t pTamanho, const TClasseJson& pClasse, void* pObjeto)
{
    // Bytes that are not UTF-8 outside a string are syntax errors for the reader anyway, so one check
    // of the whole text rejects exactly what the reader's own check of the strings did.
    if (!TModelUtf8::Valido(pTexto, pTamanho))
        throw EConvertError(MSG_OBJETO_INVALIDO);
    TManipulador xManipulador(pClasse, pObjeto);
    rapidjson::StringStream xEntrada(pTexto);
    rapidjson::Reader xLeitor;
    const rapidjson::ParseResult xResultado = xLeitor.Parse<FLAGS>(xEntrada, xManipulador);
    // The reader takes a '\0' byte for the end of the text: one inside it is not valid JSON either.
    if (xResultado.IsError() || xEntrada.Tell() != pTamanho)
        throw EConvertError(MSG_OBJETO_INVALIDO);
    if (xManipulador.Falhou())
        throw EConvertError(xManipulador.Falha());
}
