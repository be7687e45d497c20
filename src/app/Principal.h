#pragma once

#include "download/run/DownloadView.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableView;
class QToolButton;
class TDownloadRun;
class TBloqueioFimDaSessao;
class TBotaoImagem;
class TControleConfig;
class TDialogoAbrirArquivo;
class TDialogoAbrirPasta;
class TClientDataSetFiliais;
class TImageList;
class TMaskEdit;
class TStatusBar;

// The program's single window: the main page (branch grid, filters, buttons, progress gauge and status
// bar) and the settings page, on a page control whose tabs are never visible and whose page changes only
// by code. The handlers live in files by theme: Principal.cpp (layout and creation), PrincipalJanela.cpp
// (keys, closing, clearing), PrincipalFiltros.cpp (filter fields and their checks), PrincipalFiliais.cpp
// (branch grid), PrincipalDownload.cpp (download run) and PrincipalConfig.cpp (settings page and start-up).
class TfrmPrincipal : public QWidget, public TEstadoDownload, public IDownloadView
{
    Q_OBJECT
public:
    static inline const QString CAPTION = QStringLiteral("Download de XMLs WS Velmar - ");
    static inline const QString DATA_VAZIA = QStringLiteral("  /  /    ");
    static constexpr int LARGURA = 543;
    static constexpr int ALTURA = 305;

    explicit TfrmPrincipal(QWidget* pParent = nullptr);
    ~TfrmPrincipal() override;

    // ---- window state, shared with the download run ----
    quint16 vKey = 0; // last key that reached FormKeyDown; 0 none
    // vProcessando, vInterromper, vCaminhoPasta and the vCurrent... fields: from TEstadoDownload

    // The application's termination request (after "Deseja realmente sair?"): ends the message loop once
    // the running handler returns. Tests replace it to observe it.
    std::function<void()> vSolicitaTermino;

    // ---- components without a visible place ----
    TClientDataSetFiliais* cdsFiliais = nullptr;
    TImageList* ImageList = nullptr;

    // ---- pages ----
    QStackedWidget* pgcPrincipal = nullptr;
    QWidget* tsPrincipal = nullptr;
    QWidget* tsConfig = nullptr;

    // ---- main page ----
    QFrame* pnlPrincipal = nullptr;
    QLabel* lblFilial = nullptr;
    QCheckBox* chkTodasFiliais = nullptr;
    QTableView* dbgFiliais = nullptr;
    QLabel* lblPeriodo = nullptr;
    TMaskEdit* mskDataIni = nullptr;
    QLabel* lbla2 = nullptr;
    TMaskEdit* mskDataFim = nullptr;
    QLabel* lblNumeroNF = nullptr;
    QLineEdit* edtNfInicial = nullptr;
    QLabel* lbla = nullptr;
    QLineEdit* edtNfFinal = nullptr;
    QLabel* lblSerie = nullptr;
    QLineEdit* edtSerieIni = nullptr;
    QLabel* lbla1 = nullptr;
    QLineEdit* edtSerieFim = nullptr;
    QGroupBox* grpTipoNota = nullptr;
    QCheckBox* chkNFE = nullptr;
    QCheckBox* chkNFCE = nullptr;
    QCheckBox* chkNFSE = nullptr;
    QGroupBox* grpTipoAmbiente = nullptr;
    QCheckBox* chkProducao = nullptr;
    QCheckBox* chkHomologacao = nullptr;
    QToolButton* btnInfo = nullptr;
    QToolButton* btnConfig = nullptr;
    QLabel* lblInfoESC = nullptr;
    TBotaoImagem* btnDownload = nullptr;
    TBotaoImagem* btnLimpar = nullptr;
    TBotaoImagem* btnSair = nullptr;
    QProgressBar* ProgressBar = nullptr;
    TStatusBar* StatusBar = nullptr;

    // ---- settings page ----
    QLabel* lbl1 = nullptr;
    QLineEdit* edtCaminhoBD = nullptr;
    QPushButton* btnBuscarBD = nullptr;
    QLabel* lbl2 = nullptr;
    QLineEdit* edtUsuarioBD = nullptr;
    QLabel* lbl3 = nullptr;
    QLineEdit* mskSenhaBD = nullptr;
    TBotaoImagem* btnTestaConexaoBD = nullptr;
    TBotaoImagem* btnSalvar = nullptr;
    TBotaoImagem* btnCancelar = nullptr;

    // ---- keys, closing and clearing ----
    // Runs first for every key pressed in the window; clearing Key keeps it from every control.
    void FormKeyDown(quint16& Key, Qt::KeyboardModifiers Shift);
    // The closing questions; the close request itself is always refused.
    void FormClose();
    void EnableDisableCampos(bool pValue) override;
    void LimpaCampos() override;
    bool VerificaTemCamposPreenchidos();

    // ---- filter fields ----
    void mskDataIniExit();
    void mskDataFimExit();
    bool DataIniExit2();
    bool DataFimExit2();
    void edtNfInicialExit();
    void edtNfFinalExit();
    void edtSerieIniExit();
    void edtSerieFimExit();
    // Lets through digits, Backspace and Enter; any other character becomes the null character.
    void VerificaTecladoNumerico(QChar& Key);
    // The full check before a download; raises "Falha ao validar campos. Motivo: ..." on a failure.
    bool ValidaCampos() override;

    // ---- branch grid ----
    void dbgFiliaisDblClick();
    void dbgFiliaisKeyDown(quint16& Key, Qt::KeyboardModifiers Shift);
    void chkTodasFiliaisClick();
    QString RetornaMarcado();

    // ---- settings page and start-up (configuration layer) ----
    bool ValidaConfig();
    bool TestaConexaoBD(const QString& pCaminho, const QString& pUsuario, const QString& pSenha);
    bool ValidaConexaoBD();
    bool MontaConfigINI();
    void CarregaTabConfig();
    void CarregaTabPrincipal();
    // The page control never lets the user change its page; only code does.
    void pgcPrincipalChanging(bool& AllowChange);
    // The configuration file, the connection cnCorvane and the branch query behind the settings page.
    TControleConfig& ControleConfig();
    TDialogoAbrirArquivo* dlgOpenBD = nullptr;

    // ---- download run (PrincipalDownload.cpp): what the run asks of the window ----
    QString SelecionaPasta() override;
    TDialogoAbrirPasta* dlgOpenFolder = nullptr; // made on first use
    TEstadoDownload& EstadoDownload() override;
    const TListaFiliais& Filiais() override;
    void PosicionaFilial(int pLinha) override;
    TCaixasDownload Caixas() override;
    TFiltrosDownload Filtros() override;
    void CursorAmpulheta(bool pAtivo) override;
    void StatusPainel(int pPainel, const QString& pTexto) override;
    void GaugeMaximo(int pMaximo) override;
    void GaugeProgresso(int pProgresso) override;
    void ProcessaEventos() override;
    void Alerta(const QString& pTexto) override;
    void Erro(const QString& pTexto) override;
    void Informacao(const QString& pTexto) override;
    void EstiloClassicoDialogos(bool pClassico) override;
    // While a run is under way an end of the session waits for the user, told "Download em andamento".
    void Processando(bool pProcessando) override;

    // Program termination: the run under way, if any, is abandoned at once (the request in flight cut,
    // nothing half-written left or published, no further dialog) and btnDownloadClick returns promptly.
    // Does nothing when no run is under way. GUI thread.
    void AbortaDownload();

public slots:
    void btnSairClick();
    void btnLimparClick();
    void btnInfoClick();
    void btnDownloadClick();
    void btnConfigClick();
    void btnBuscarBDClick();
    void btnTestaConexaoBDClick();
    void btnSalvarClick();
    void btnCancelarClick();

protected:
    void closeEvent(QCloseEvent* pEvento) override;
    void showEvent(QShowEvent* pEvento) override;
    bool eventFilter(QObject* pObjeto, QEvent* pEvento) override;

private:
    void Centraliza();
    void CriaPaginaPrincipal();
    void CriaPaginaConfig();
    void DefineOrdemTabulacao();
    void ConectaHandlers();
    void ConfiguraGradeFiliais();
    void SincronizaGradeComTabela(int pRecNo);
    void AlternaMarcaRegistroAtual();
    bool TeclaNaJanela(QKeyEvent* pEvento, QWidget* pControle);
    void SaidaDeCampo(QObject* pCampo);
    bool TeclaEmCampoNumerico(QKeyEvent* pEvento);

    // creation and first showing (FormCreate's start-up check and FormShow belong to the configuration)
    void FormCreate();
    void VerificacaoInicial();
    void FormShow();

    bool vMostrada = false;
    // download run: the gauge as the run set it, and whether the run's hourglass is showing
    void MostraGauge();
    int vGaugeMaximo = 0;
    int vGaugeProgresso = 0;
    bool vCursorAmpulheta = false;
    TDownloadRun* vRunAtual = nullptr;                     // the run under way, for AbortaDownload
    std::unique_ptr<TBloqueioFimDaSessao> vBloqueioSessao; // while vProcessando
    const QObject* vCampoComFoco = nullptr;                // the filter field the focus entered last
    bool vEmSaidaDeCampo = false;                          // a field's exit handler is running

    // Released where its type is complete (PrincipalConfig.cpp).
    struct TLiberaControleConfig
    {
        void operator()(TControleConfig* pControle) const;
    };
    std::unique_ptr<TControleConfig, TLiberaControleConfig> vControleConfig;
};
