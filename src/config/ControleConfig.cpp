#include "config/ControleConfig.h"

#include "config/ConfigINI.h"
#include "config/ConsultaFiliais.h"
#include "config/Criptografia.h"
#include "log/LogArquivo.h"
#include "util/TextoBase.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString MSG_CONEXAO_FALHOU = QStringLiteral("Conexão com banco de dados falhou. Motivo: \r\n");
const QString MSG_NAO_CONECTOU = QStringLiteral(
    "Não foi possível conectar com o banco de dados!\r\nVerifique se o caminho do arquivo, usuário e "
    "senha estão corretos e se o Firebird está devidamente instalado e em execução.");
const QString MSG_SENHA_ILEGIVEL =
    QStringLiteral("Senha do banco de dados gravada no arquivo de configuração não é válida.\r\n"
                   "Informe a senha novamente e clique em Salvar.");
const QString MSG_SENHA_NAO_GRAVAVEL = QStringLiteral(
    "Senha do banco de dados contém caractere que não pode ser gravado no arquivo de configuração.");
const QString MSG_SEM_ARQUIVO = QStringLiteral("Arquivo de configuração não encontrado.");
const QString MSG_SEM_ARQUIVO_COM_COPIA = QStringLiteral(
    "Arquivo de configuração não encontrado.\r\nSerão utilizadas as configurações que já foram "
    "carregadas pelo sistema.\r\n\r\nCaso deseje recriar o arquivo de configuração, clique em Salvar.");

QString Chave(const char16_t* pNome)
{
    return QString::fromUtf16(pNome);
}

// The stored password decoded from its whole groups of three digits.
QString DecodificaSenha(const QString& pSenha)
{
    return TCriptografia::get().DecriptaASCII(pSenha, static_cast<std::uint16_t>(pSenha.size() / 3));
}

// A file at that path, not a folder.
bool ArquivoExiste(const QString& pCaminho)
{
    const QFileInfo xInfo(pCaminho);
    return xInfo.exists() && !xInfo.isDir();
}

// A path the engine opens on this machine: a drive letter before the first colon, or a path from the
// root. A server name before the colon, or a bare name, is left to the engine.
bool CaminhoLocal(const QString& pCaminho)
{
    return pCaminho.indexOf(u':') == 1 || pCaminho.startsWith(u'/');
}

TAviso Alerta(const QString& pTexto, const QString& pFoco = {})
{
    return {TTipoAviso::Alerta, pTexto, pFoco};
}

} // namespace

TControleConfig::TResultado TControleConfig::TestaConexaoBD(const QString& pCaminho, const QString& pUsuario,
                                                            const QString& pSenha)
{
    TResultado xResultado;
    if (pCaminho.isEmpty()) {
        xResultado.Avisos.append(
            Alerta(QStringLiteral("Caminho do banco de dados não informado."), EDT_CAMINHO));
        return xResultado;
    }
    if (pUsuario.isEmpty()) {
        xResultado.Avisos.append(
            Alerta(QStringLiteral("Usuário do banco de dados não informado."), EDT_USUARIO));
        return xResultado;
    }
    if (pSenha.isEmpty()) {
        xResultado.Avisos.append(Alerta(QStringLiteral("Senha do banco de dados não informado."), MSK_SENHA));
        return xResultado;
    }
    try {
        vConexao.SetDatabase(pCaminho);
        vConexao.SetUserName(pUsuario);
        vConexao.SetPassword(pSenha);
        vConexao.Open();
        xResultado.Ok = vConexao.Connected();
    } catch (const Exception& xErro) {
        xResultado.Avisos.append({TTipoAviso::Erro, MSG_CONEXAO_FALHOU + xErro.Message(), EDT_USUARIO});
    }
    return xResultado;
}

TControleConfig::TResultado TControleConfig::ValidaConexaoBD(const QString& pCaminho, const QString& pUsuario,
                                                             const QString& pSenha)
{
    TResultado xResultado;
    try {
        if (pCaminho.isEmpty()) {
            xResultado.Avisos.append(
                Alerta(QStringLiteral("Caminho do banco de dados não pode ficar em branco."), EDT_CAMINHO));
            return xResultado;
        }
        if (CaminhoLocal(pCaminho) && !ArquivoExiste(pCaminho)) {
            xResultado.Avisos.append(
                Alerta(QStringLiteral("Caminho do banco de dados não é válido."), EDT_CAMINHO));
            return xResultado;
        }
        if (pUsuario.isEmpty()) {
            xResultado.Avisos.append(
                Alerta(QStringLiteral("Usuário do banco de dados não pode ficar em branco."), EDT_USUARIO));
            return xResultado;
        }
        if (pSenha.isEmpty()) {
            xResultado.Avisos.append(
                Alerta(QStringLiteral("Senha do banco de dados não pode ficar em branco."), MSK_SENHA));
            return xResultado;
        }
        // Three digits per character: a larger code would be stored as another character.
        if (!TCriptografia::CodificavelASCII(pSenha)) {
            xResultado.Avisos.append(Alerta(MSG_SENHA_NAO_GRAVAVEL, MSK_SENHA));
            return xResultado;
        }
        const TResultado xTeste = TestaConexaoBD(pCaminho, pUsuario, pSenha);
        xResultado.Avisos = xTeste.Avisos;
        if (!xTeste.Ok) {
            xResultado.Avisos.append(Alerta(MSG_NAO_CONECTOU));
            return xResultado;
        }
        xResultado.Ok = true;
    } catch (const Exception& xErro) {
        xResultado.Ok = false;
        xResultado.Avisos.append(
            Alerta(QStringLiteral("Falha ao validar conexão com o banco de dados: \r\n") + xErro.Message()));
    }
    return xResultado;
}

TControleConfig::TResultado TControleConfig::ValidaConfig()
{
    const QString xCaminhoINI = ConfigINI::CaminhoINI();
    if (!ArquivoExiste(xCaminhoINI))
        return {};
    vCopia.emplace(xCaminhoINI);

    const QString xSecao = Chave(ConfigINI::SECAO_CONEXAO);
    const QString xCaminhoBD = vCopia->ReadString(xSecao, Chave(ConfigINI::CHAVE_CAMINHO));
    const QString xUsuarioBD = vCopia->ReadString(xSecao, Chave(ConfigINI::CHAVE_USUARIO));
    QString xSenhaBD = vCopia->ReadString(xSecao, Chave(ConfigINI::CHAVE_SENHA));
    if (!TextoBase::Trim(xSenhaBD).isEmpty()) {
        try {
            xSenhaBD = DecodificaSenha(xSenhaBD);
        } catch (const EConvertError&) {
            TResultado xResultado;
            xResultado.SenhaIlegivel = true;
            xResultado.Avisos.append(Alerta(MSG_SENHA_ILEGIVEL, MSK_SENHA));
            return xResultado;
        }
    }
    return TestaConexaoBD(xCaminhoBD, xUsuarioBD, xSenhaBD);
}

TControleConfig::TCampos TControleConfig::CamposDe(const TCopiaIni& pCopia) const
{
    const QString xSecao = Chave(ConfigINI::SECAO_CONEXAO);
    TCampos xCampos;
    xCampos.Caminho = pCopia.ReadString(xSecao, Chave(ConfigINI::CHAVE_CAMINHO));
    xCampos.Usuario = pCopia.ReadString(xSecao, Chave(ConfigINI::CHAVE_USUARIO));
    try {
        xCampos.Senha = DecodificaSenha(pCopia.ReadString(xSecao, Chave(ConfigINI::CHAVE_SENHA)));
    } catch (const EConvertError&) {
        xCampos.Avisos.append(Alerta(MSG_SENHA_ILEGIVEL, MSK_SENHA));
    }
    return xCampos;
}

TControleConfig::TCampos TControleConfig::CarregaTabConfig()
{
    const QString xCaminhoINI = ConfigINI::CaminhoINI();
    if (ArquivoExiste(xCaminhoINI)) {
        vCopia.emplace(xCaminhoINI);
        return CamposDe(*vCopia);
    }
    if (vCopia) {
        TCampos xCampos = CamposDe(*vCopia);
        xCampos.Avisos.prepend(Alerta(MSG_SEM_ARQUIVO_COM_COPIA));
        return xCampos;
    }
    TCampos xCampos;
    xCampos.Avisos.append(Alerta(MSG_SEM_ARQUIVO));
    return xCampos;
}

QString TControleConfig::CaminhoBDNativo(const QString& pCaminho)
{
    const qsizetype xDoisPontos = pCaminho.indexOf(u':');
    return xDoisPontos < 0 || xDoisPontos == 1 ? QDir::toNativeSeparators(pCaminho) : pCaminho;
}

bool TControleConfig::MontaConfigINI(const QString& pCaminho, const QString& pUsuario, const QString& pSenha)
{
    if (!TCriptografia::CodificavelASCII(pSenha))
        throw Exception(MSG_SENHA_NAO_GRAVAVEL);
    const QString xCaminhoINI = ConfigINI::CaminhoINI();
    vEscritor.emplace(xCaminhoINI);
    const QString xSecao = Chave(ConfigINI::SECAO_CONEXAO);
    // The three keys in one replacement of the file: a failure leaves the old file whole, and no
    // half-saved settings.
    try {
        vEscritor->WriteStrings(
            xSecao, {{Chave(ConfigINI::CHAVE_CAMINHO), CaminhoBDNativo(pCaminho)},
                     {Chave(ConfigINI::CHAVE_USUARIO), pUsuario},
                     {Chave(ConfigINI::CHAVE_SENHA),
                      TCriptografia::get().EncriptaASCII(pSenha, static_cast<std::uint16_t>(pSenha.size()))}});
    } catch (const Exception& E) {
        Log().Erro(nullptr, E.Message());
        throw;
    }
    vCopia.emplace(xCaminhoINI);
    return true;
}

TListaFiliais TControleConfig::CarregaTabPrincipal()
{
    try {
        return ConsultaFiliais::Carrega(vConexao);
    } catch (const Exception& xErro) {
        throw Exception(QStringLiteral("Falha ao carregar as filiais. Motivo: ") + xErro.Message());
    }
}

TControleConfig::TDecisaoInicio TControleConfig::DecideInicio()
{
    const TResultado xValidacao = ValidaConfig();
    TDecisaoInicio xDecisao;
    if (xValidacao.Ok)
        return xDecisao;
    xDecisao.Pagina = TPagina::Config;
    xDecisao.CaptionCancelar = CAPTION_SAIR;
    // An unreadable password is told once, by the settings page when the window shows it.
    if (!xValidacao.SenhaIlegivel)
        xDecisao.Avisos = xValidacao.Avisos;
    return xDecisao;
}

TControleConfig::TDecisaoSaida TControleConfig::DecideCancelar()
{
    const TResultado xValidacao = ValidaConfig();
    const TPagina xPagina = (xValidacao.Ok || vCopia) ? TPagina::Principal : TPagina::FecharJanela;
    return {xPagina, xValidacao.Avisos};
}

TControleConfig::TDecisaoSaida TControleConfig::DecideEsc()
{
    const TResultado xValidacao = ValidaConfig();
    return {xValidacao.Ok ? TPagina::Principal : TPagina::Config, xValidacao.Avisos};
}
