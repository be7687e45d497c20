#include "config/ConexaoBD.h"

#include "config/ClienteFirebird.h"
#include "config/CodigoPagina.h"
#include "util/TextoBase.h"

#include <QByteArray>
#include <cstring>
#include <firebird/Interface.h>
#include <vector>

using namespace Firebird;

namespace {

// Character set numbers of the engine.
constexpr unsigned CS_NONE = 0;
constexpr unsigned CS_OCTETS = 1;
constexpr unsigned CS_UTF8 = 4;
constexpr unsigned CS_WIN1252 = 53;
// Room for any value that is not text once the engine writes it as text (numbers, dates, times).
constexpr unsigned TAMANHO_MINIMO_TEXTO = 64;
// The longest VARCHAR the engine hands out, in bytes.
constexpr unsigned TAMANHO_MAXIMO_TEXTO = 32765;
// Bytes of one character in UTF-8 at most.
constexpr unsigned BYTES_UTF8 = 4;

const QString MSG_ARQUIVO_EM_USO = QStringLiteral(
    "O arquivo do banco de dados está em uso por outro servidor Firebird ou por outro programa. "
    "Se um servidor Firebird o atende, informe o caminho pelo servidor: servidor/porta:caminho.");

IMaster* Master()
{
    return ClienteFirebird::Master();
}

// A status vector of the client, released when the scope ends; failures are raised as FbException.
class TStatus
{
public:
    TStatus() : vStatus(Master()->getStatus()), vWrapper(vStatus) {}
    ~TStatus() { vStatus->dispose(); }
    TStatus(const TStatus&) = delete;
    TStatus& operator=(const TStatus&) = delete;
    ThrowStatusWrapper* Wrapper() { return &vWrapper; }

private:
    IStatus* vStatus;
    ThrowStatusWrapper vWrapper;
};

// An interface of the client released (or disposed of) when the scope ends, unless handed on.
template <typename T> class TRef
{
public:
    explicit TRef(T* pObjeto = nullptr) : vObjeto(pObjeto) {}
    ~TRef()
    {
        if (!vObjeto)
            return;
        if constexpr (requires { vObjeto->release(); })
            vObjeto->release();
        else
            vObjeto->dispose();
    }
    TRef(const TRef&) = delete;
    TRef& operator=(const TRef&) = delete;
    T* operator->() const { return vObjeto; }
    T* get() const { return vObjeto; }
    T* Solta()
    {
        T* xObjeto = vObjeto;
        vObjeto = nullptr;
        return xObjeto;
    }

private:
    T* vObjeto;
};

// The client's message for a failure, as it formats it. Its text is UTF-8 (file names come back as
// they were given) or, failing that, the code page of the connection.
QString MensagemCliente(const FbException& pErro)
{
    char xTexto[4096];
    Master()->getUtilInterface()->formatStatus(xTexto, sizeof xTexto, pErro.getStatus());
    const QByteArray xBytes(xTexto);
    const QString xUtf8 = QString::fromUtf8(xBytes);
    QString xMensagem =
        xUtf8.contains(QChar::ReplacementCharacter) ? CodigoPagina::DeWindows1252(xBytes) : xUtf8;
    return xMensagem.trimmed();
}

QByteArray ParaCliente(const QString& pTexto)
{
    return pTexto.toUtf8();
}

// The engine refused the file because another engine (a server on another port, another program with
// the engine inside) holds it.
bool ArquivoEmUso(const FbException& pErro)
{
    const intptr_t* xVetor = pErro.getStatus()->getErrors();
    for (int i = 0; xVetor && xVetor[i] != isc_arg_end; i += 2) {
        if (xVetor[i] == isc_arg_gds && xVetor[i + 1] == isc_already_opened)
            return true;
        if (xVetor[i] == isc_arg_cstring)
            ++i; // length and text take one slot more
    }
    return false;
}

} // namespace

int TResultadoConsulta::Coluna(const QString& pNome) const
{
    for (int i = 0; i < Colunas.size(); ++i) {
        if (Colunas[i].compare(pNome, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

struct TConexaoBD::TDados
{
    IAttachment* Anexo = nullptr;
};

TConexaoBD::TConexaoBD() : vDados(std::make_unique<TDados>()) {}

TConexaoBD::~TConexaoBD()
{
    Close();
}

void TConexaoBD::SetDatabase(const QString& pCaminho)
{
    const QString xValor = TextoBase::Trim(pCaminho);
    if (xValor == vCaminho)
        return;
    Close();
    vCaminho = xValor;
}

void TConexaoBD::SetUserName(const QString& pUsuario)
{
    const QString xValor = TextoBase::Trim(pUsuario);
    if (xValor == vUsuario)
        return;
    Close();
    vUsuario = xValor;
}

void TConexaoBD::SetPassword(const QString& pSenha)
{
    const QString xValor = TextoBase::Trim(pSenha);
    if (xValor == vSenha)
        return;
    Close();
    vSenha = xValor;
}

bool TConexaoBD::Connected() const
{
    return vDados->Anexo != nullptr;
}

void TConexaoBD::Close()
{
    IAttachment* xAnexo = vDados->Anexo;
    if (!xAnexo)
        return;
    vDados->Anexo = nullptr;
    try {
        TStatus xStatus;
        xAnexo->detach(xStatus.Wrapper()); // releases the interface when it succeeds
    } catch (const FbException&) {
        // A connection already lost cannot say goodbye; its interface is dropped all the same.
        xAnexo->release();
    }
}

void TConexaoBD::Open()
{
    if (vDados->Anexo) {
        try {
            TStatus xStatus;
            vDados->Anexo->ping(xStatus.Wrapper());
            return;
        } catch (const FbException&) {
            Close();
        }
    }
    try {
        TStatus xStatus;
        TRef<IXpbBuilder> xDpb(
            Master()->getUtilInterface()->getXpbBuilder(xStatus.Wrapper(), IXpbBuilder::DPB, nullptr, 0));
        xDpb->insertTag(xStatus.Wrapper(), isc_dpb_utf8_filename);
        xDpb->insertString(xStatus.Wrapper(), isc_dpb_user_name, ParaCliente(vUsuario).constData());
        xDpb->insertString(xStatus.Wrapper(), isc_dpb_password, ParaCliente(vSenha).constData());
        // No character set of the connection: every column comes in its own (see Consulta).
        xDpb->insertString(xStatus.Wrapper(), isc_dpb_lc_ctype, CHARSET);
        TRef<IProvider> xProvedor(Master()->getDispatcher());
        vDados->Anexo = xProvedor->attachDatabase(xStatus.Wrapper(), ParaCliente(vCaminho).constData(),
                                                  xDpb->getBufferLength(xStatus.Wrapper()),
                                                  xDpb->getBuffer(xStatus.Wrapper()));
        ++vAberturas;
    } catch (const FbException& xErro) {
        vDados->Anexo = nullptr;
        QString xMensagem = MensagemCliente(xErro);
        if (ArquivoEmUso(xErro))
            xMensagem += QStringLiteral("\r\n") + MSG_ARQUIVO_EM_USO;
        throw EConexaoBD(xMensagem);
    }
}

TResultadoConsulta TConexaoBD::Consulta(const QString& pSql) const
{
    if (!vDados->Anexo)
        throw EConexaoBD(QStringLiteral("Conexão com o banco de dados não está aberta."));
    const std::optional<QByteArray> xSql = CodigoPagina::ParaWindows1252(pSql);
    if (!xSql)
        throw EConexaoBD(QStringLiteral("Texto da consulta tem caractere fora do WIN1252."));

    ITransaction* xTransacao = nullptr;
    try {
        TStatus xStatus;
        TRef<IXpbBuilder> xTpb(
            Master()->getUtilInterface()->getXpbBuilder(xStatus.Wrapper(), IXpbBuilder::TPB, nullptr, 0));
        xTpb->insertTag(xStatus.Wrapper(), isc_tpb_read);
        xTpb->insertTag(xStatus.Wrapper(), isc_tpb_read_committed);
        xTpb->insertTag(xStatus.Wrapper(), isc_tpb_rec_version);
        xTpb->insertTag(xStatus.Wrapper(), isc_tpb_nowait);
        xTransacao = vDados->Anexo->startTransaction(
            xStatus.Wrapper(), xTpb->getBufferLength(xStatus.Wrapper()), xTpb->getBuffer(xStatus.Wrapper()));

        TRef<IStatement> xComando(vDados->Anexo->prepare(xStatus.Wrapper(), xTransacao, 0, xSql->constData(),
                                                         SQL_DIALECT_V6,
                                                         IStatement::PREPARE_PREFETCH_METADATA));
        TRef<IMessageMetadata> xOrigem(xComando->getOutputMetadata(xStatus.Wrapper()));
        const unsigned xQuantas = xOrigem->getCount(xStatus.Wrapper());

        // Every column asked for as VARCHAR. Text in Windows-1252, or without a set (NONE, OCTETS: read
        // as Windows-1252, as the ERP writes it), comes as its bytes; text in any other set is turned
        // into UTF-8 by the engine, so no character is lost; other values come as text.
        TResultadoConsulta xResultado;
        std::vector<bool> xPreenchida(xQuantas), xUtf8(xQuantas);
        TRef<IMetadataBuilder> xConstrutor(xOrigem->getBuilder(xStatus.Wrapper()));
        for (unsigned i = 0; i < xQuantas; ++i) {
            xResultado.Colunas.append(QString::fromUtf8(xOrigem->getAlias(xStatus.Wrapper(), i)));
            const unsigned xTipo = xOrigem->getType(xStatus.Wrapper(), i) & ~1u;
            const bool xTexto = xTipo == SQL_TEXT || xTipo == SQL_VARYING;
            xPreenchida[i] = xTipo == SQL_TEXT;
            const unsigned xCharSet = xTexto ? xOrigem->getCharSet(xStatus.Wrapper(), i) & 0xFF : CS_NONE;
            xUtf8[i] = xTexto && xCharSet != CS_NONE && xCharSet != CS_OCTETS && xCharSet != CS_WIN1252;
            const unsigned xBytes = xTexto ? xOrigem->getLength(xStatus.Wrapper(), i) : 0u;
            unsigned xTamanho = qMax(xBytes, TAMANHO_MINIMO_TEXTO);
            if (xUtf8[i] && xCharSet != CS_UTF8)
                xTamanho = qMin(xBytes * BYTES_UTF8, TAMANHO_MAXIMO_TEXTO);
            xConstrutor->setType(xStatus.Wrapper(), i, SQL_VARYING + 1);
            xConstrutor->setSubType(xStatus.Wrapper(), i, 0);
            xConstrutor->setScale(xStatus.Wrapper(), i, 0);
            xConstrutor->setLength(xStatus.Wrapper(), i, qMax(xTamanho, TAMANHO_MINIMO_TEXTO));
            xConstrutor->setCharSet(xStatus.Wrapper(), i, xUtf8[i] ? CS_UTF8 : (xTexto ? xCharSet : CS_NONE));
        }
        TRef<IMessageMetadata> xSaida(xConstrutor->getMetadata(xStatus.Wrapper()));
        std::vector<unsigned char> xBuffer(xSaida->getMessageLength(xStatus.Wrapper()));
        std::vector<unsigned> xPosicao(xQuantas), xPosicaoNulo(xQuantas);
        for (unsigned i = 0; i < xQuantas; ++i) {
            xPosicao[i] = xSaida->getOffset(xStatus.Wrapper(), i);
            xPosicaoNulo[i] = xSaida->getNullOffset(xStatus.Wrapper(), i);
        }

        TRef<IResultSet> xCursor(
            xComando->openCursor(xStatus.Wrapper(), xTransacao, nullptr, nullptr, xSaida.get(), 0));
        while (xCursor->fetchNext(xStatus.Wrapper(), xBuffer.data()) == IStatus::RESULT_OK) {
            QStringList xLinha;
            for (unsigned i = 0; i < xQuantas; ++i) {
                std::int16_t xNulo = 0;
                std::memcpy(&xNulo, xBuffer.data() + xPosicaoNulo[i], sizeof xNulo);
                if (xNulo) {
                    xLinha.append(QString());
                    continue;
                }
                std::uint16_t xTamanho = 0;
                std::memcpy(&xTamanho, xBuffer.data() + xPosicao[i], sizeof xTamanho);
                QByteArrayView xBytes(reinterpret_cast<const char*>(xBuffer.data() + xPosicao[i] + 2),
                                      xTamanho);
                // CHAR values come padded with blanks to the column's width.
                if (xPreenchida[i]) {
                    while (!xBytes.isEmpty() && xBytes.back() == ' ')
                        xBytes.chop(1);
                }
                xLinha.append(xUtf8[i] ? QString::fromUtf8(xBytes) : CodigoPagina::DeWindows1252(xBytes));
            }
            xResultado.Linhas.append(xLinha);
        }
        xCursor->close(xStatus.Wrapper());
        xCursor.Solta();
        xComando->free(xStatus.Wrapper());
        xComando.Solta();
        xTransacao->commit(xStatus.Wrapper());
        return xResultado;
    } catch (const FbException& xErro) {
        const QString xMensagem = MensagemCliente(xErro);
        if (xTransacao) {
            try {
                TStatus xStatus;
                xTransacao->rollback(xStatus.Wrapper());
            } catch (const FbException&) {
                xTransacao->release();
            }
        }
        throw EConexaoBD(xMensagem);
    }
}
