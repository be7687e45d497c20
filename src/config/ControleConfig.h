#pragma once

#include "config/ArquivoIni.h"
#include "config/ConexaoBD.h"
#include "config/Filial.h"

#include <QList>
#include <QString>
#include <optional>

// The configuration and branch-database logic of the main window, without widgets: the window hands
// in the texts of its fields and gets back what to show. Every dialog is returned as a TAviso, in the
// order the user must see them; the window shows each with TMessageUtil and then moves the focus to
// the control named by Foco (its objectName) if that control can take it.
//
// How the window uses it (one TControleConfig, owned by the window for its whole life):
//   FormCreate, after the caption:  d = DecideInicio(); show d.Avisos; if d.Pagina == Config: make
//                                   tsConfig active; if d.CaptionCancelar is set, caption btnCancelar.
//   FormShow (first time):          main page: load CarregaTabPrincipal() (see below);
//                                   settings page: fill the fields from CarregaTabConfig().
//   btnConfigClick:                 tsConfig active; fill the fields from CarregaTabConfig().
//   filling the fields from c:      empty the three fields; show c.Avisos; put c.Caminho, c.Usuario,
//                                   c.Senha into edtCaminhoBD, edtUsuarioBD, mskSenhaBD.
//   btnTestaConexaoBDClick:         r = TestaConexaoBD(fields); show r.Avisos; if r.Ok: Informacao
//                                   "Conexão realizada com sucesso.", focus btnSalvar.
//   btnSalvarClick:                 hourglass; r = ValidaConexaoBD(fields); restore cursor; show
//                                   r.Avisos; stop unless r.Ok. MontaConfigINI(fields) (its
//                                   EIniFileException goes to the default error report); caption
//                                   btnCancelar CAPTION_CANCELAR; tsPrincipal active; LimpaCampos;
//                                   load CarregaTabPrincipal().
//   btnCancelarClick / Esc:         s = DecideCancelar() / DecideEsc(); show s.Avisos; then tsPrincipal
//                                   active, stay, or close the window (Close(), which asks first).
//   loading CarregaTabPrincipal():  gauge to 0; cdsFiliais.Close(); cdsFiliais.Open(rows); exactly one
//                                   row: disable chkTodasFiliais and dbgFiliais; First;
//                                   dbgFiliaisDblClick; focus dbgFiliais, else mskDataIni. Its
//                                   Exception ("Falha ao carregar as filiais. Motivo: ...") goes to
//                                   the default error report.

enum class TTipoAviso
{
    Alerta,
    Erro,
    Informacao
};

struct TAviso
{
    TTipoAviso Tipo = TTipoAviso::Alerta;
    QString Texto;
    QString Foco; // objectName of the control that gets the focus after the dialog; empty for none

    bool operator==(const TAviso&) const = default;
};
using TAvisos = QList<TAviso>;

// The pages of the window, and the window's closing as the outcome of leaving the settings page.
enum class TPagina
{
    Principal,
    Config,
    FecharJanela
};

class TControleConfig
{
public:
    // Names of the controls the dialogs hand the focus to.
    static inline const QString EDT_CAMINHO = QStringLiteral("edtCaminhoBD");
    static inline const QString EDT_USUARIO = QStringLiteral("edtUsuarioBD");
    static inline const QString MSK_SENHA = QStringLiteral("mskSenhaBD");
    static inline const QString BTN_SALVAR = QStringLiteral("btnSalvar");
    // Captions of btnCancelar.
    static inline const QString CAPTION_SAIR = QStringLiteral("&Sair");
    static inline const QString CAPTION_CANCELAR = QStringLiteral("&Cancelar");

    // The database path as the system writes paths (shown in the settings field and saved): a local path
    // (a drive letter, a UNC path, a relative one) with the system's separators, backslashes on Windows;
    // a server's path ("server:/path", "host/port:path") unchanged, since the server reads it.
    static QString CaminhoBDNativo(const QString& pCaminho);

    struct TResultado
    {
        bool Ok = false;
        TAvisos Avisos;
        // The stored password is not made of digit groups (file edited by hand): the settings page
        // will say so itself when it loads.
        bool SenhaIlegivel = false;
    };

    // The settings page's three fields, password in plain text, and the dialogs to show first.
    struct TCampos
    {
        QString Caminho;
        QString Usuario;
        QString Senha;
        TAvisos Avisos;
    };

    // What FormCreate does after its caption step: the active page, the caption for btnCancelar (empty:
    // leave it) and the dialogs to show before the window is visible.
    struct TDecisaoInicio
    {
        TPagina Pagina = TPagina::Principal;
        QString CaptionCancelar;
        TAvisos Avisos;
    };

    // Where Cancel or Esc on the settings page leads, after the dialogs.
    struct TDecisaoSaida
    {
        TPagina Pagina = TPagina::Config;
        TAvisos Avisos;
    };

    TControleConfig() = default;
    TControleConfig(const TControleConfig&) = delete;
    TControleConfig& operator=(const TControleConfig&) = delete;

    // The connection cnCorvane (closed until the first successful TestaConexaoBD).
    TConexaoBD& cnCorvane() { return vConexao; }

    // Checks that none of the three is empty (blanks count as text), applies them to the connection
    // (trimmed; a changed value reconnects) and opens it. Ok: the connection is open.
    TResultado TestaConexaoBD(const QString& pCaminho, const QString& pUsuario, const QString& pSenha);
    // Save's check of the fields: not blank, a local path (drive letter, or "/" at the start) must name
    // an existing file, a password that the file can hold; then TestaConexaoBD. The window shows the
    // hourglass around the call.
    TResultado ValidaConexaoBD(const QString& pCaminho, const QString& pUsuario, const QString& pSenha);
    // Reads the file (none: false, no dialog), keeps it as vArqINI and tests its values.
    TResultado ValidaConfig();
    // The settings page's values: from the file (kept as vArqINI), from vArqINI with a warning when the
    // file is gone, or empty with a warning when nothing was ever loaded.
    TCampos CarregaTabConfig();
    // Writes the three values into the file (password encoded), then loads it again as vArqINI.
    // Raises EIniFileException ("Unable to write to <file>"), leaving the keys after the failing one
    // unwritten and vArqINI as it was; raises Exception for a password the file cannot hold (Save
    // refuses it first, in ValidaConexaoBD). Returns true.
    bool MontaConfigINI(const QString& pCaminho, const QString& pUsuario, const QString& pSenha);
    // The branch rows, all "N", in code order. Raises Exception "Falha ao carregar as filiais. Motivo: ...".
    TListaFiliais CarregaTabPrincipal();

    // FormCreate's start-up check (ValidaConfig): main page, or settings page with Cancel as "&Sair".
    TDecisaoInicio DecideInicio();
    // Cancel on the settings page: ValidaConfig; main page when it passes or a configuration was
    // loaded during the run; otherwise the window closes (after its own confirmation).
    TDecisaoSaida DecideCancelar();
    // Esc on the settings page: ValidaConfig; main page only when it passes.
    TDecisaoSaida DecideEsc();

    // The in-memory copy of the configuration last loaded or saved; absent until then.
    const std::optional<TCopiaIni>& vArqINI() const { return vCopia; }
    // The writer of the last save; absent until then.
    const std::optional<TArquivoIni>& vConfigINI() const { return vEscritor; }

private:
    TCampos CamposDe(const TCopiaIni& pCopia) const;

    TConexaoBD vConexao;
    std::optional<TCopiaIni> vCopia;
    std::optional<TArquivoIni> vEscritor;
};
