#include "app/Principal.h"

#include "app/Aplicacao.h"
#include "app/BotaoImagem.h"
#include "app/FiliaisModel.h"
#include "app/Fontes.h"
#include "app/Gauge.h"
#include "app/GradeFiliais.h"
#include "app/Imagens.h"
#include "app/MaskEdit.h"
#include "app/PreVisualizacaoTeclado.h"
#include "app/StatusBar.h"
#include "sistema/Termino.h"
#include "util/GlobalVar.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QWindow>

namespace {

QLabel* CriaLabel(QWidget* pPai, const char* pNome, const QString& pCaption, int pLeft, int pTop)
{
    auto* xLabel = new QLabel(pCaption, pPai);
    xLabel->setObjectName(QString::fromLatin1(pNome));
    xLabel->setTextFormat(Qt::PlainText);
    xLabel->move(pLeft, pTop);
    xLabel->adjustSize();
    return xLabel;
}

template <class TControle> TControle* Posiciona(TControle* pControle, const char* pNome, QRect pRet)
{
    pControle->setObjectName(QString::fromLatin1(pNome));
    pControle->setGeometry(pRet);
    return pControle;
}

QLineEdit* CriaEdit(QWidget* pPai, const char* pNome, QRect pRet, int pMaxLength = 32767)
{
    auto* xEdit = Posiciona(new QLineEdit(pPai), pNome, pRet);
    xEdit->setMaxLength(pMaxLength);
    return xEdit;
}

QCheckBox* CriaCheck(QWidget* pPai, const char* pNome, const QString& pCaption, QRect pRet)
{
    return Posiciona(new QCheckBox(pCaption, pPai), pNome, pRet);
}

TBotaoImagem* CriaBotao(QWidget* pPai, const char* pNome, const QString& pCaption, const QPixmap& pImagem,
                        QRect pRet)
{
    auto* xBotao = Posiciona(new TBotaoImagem(pCaption, pImagem, pPai), pNome, pRet);
    xBotao->setFont(Fontes::Botoes());
    return xBotao;
}

QToolButton* CriaBotaoImagem(QWidget* pPai, const char* pNome, const QPixmap& pImagem, QRect pRet)
{
    auto* xBotao = Posiciona(new QToolButton(pPai), pNome, pRet);
    xBotao->setIcon(QIcon(pImagem));
    xBotao->setIconSize(pImagem.deviceIndependentSize().toSize());
    xBotao->setFocusPolicy(Qt::NoFocus);
    return xBotao;
}

} // namespace

TfrmPrincipal::TfrmPrincipal(QWidget* pParent) : QWidget(pParent)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(CAPTION);
    setWindowIcon(Imagens::IconeJanela());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(LARGURA, ALTURA);
    setFont(Fontes::Janela());
    setAutoFillBackground(true);

    vSolicitaTermino = [] { QCoreApplication::exit(0); };

    cdsFiliais = new TClientDataSetFiliais(this);
    ImageList = new TImageList(this);

    // The tab row of the page control lies above the client area: its pages fill the window.
    pgcPrincipal = Posiciona(new QStackedWidget(this), "pgcPrincipal", QRect(-2, -22, 549, 327));
    pgcPrincipal->setContentsMargins(4, 24, 4, 4);
    tsPrincipal = new QWidget;
    tsPrincipal->setObjectName(QStringLiteral("tsPrincipal"));
    tsPrincipal->setWindowTitle(QStringLiteral("Principal"));
    tsConfig = new QWidget;
    tsConfig->setObjectName(QStringLiteral("tsConfig"));
    tsConfig->setWindowTitle(QStringLiteral("Configurações"));
    pgcPrincipal->addWidget(tsPrincipal);
    pgcPrincipal->addWidget(tsConfig);

    CriaPaginaPrincipal();
    CriaPaginaConfig();
    DefineOrdemTabulacao();
    ConectaHandlers();
    pgcPrincipal->setCurrentWidget(tsPrincipal);

    Centraliza();

    FormCreate();
}

TfrmPrincipal::~TfrmPrincipal() = default;

void TfrmPrincipal::CriaPaginaPrincipal()
{
    constexpr int ALTURA_STATUS = 18;
    const int xLargura = 541;
    const int xAltura = 299;

    pnlPrincipal =
        Posiciona(new QFrame(tsPrincipal), "pnlPrincipal", QRect(0, 0, xLargura, xAltura - ALTURA_STATUS));
    QWidget* p = pnlPrincipal;

    lblFilial = CriaLabel(p, "lblFilial", QStringLiteral("Filiais"), 5, 6);
    chkTodasFiliais = CriaCheck(p, "chkTodasFiliais", QStringLiteral("Todas"), QRect(263, 2, 49, 17));
    dbgFiliais = Posiciona(new QTableView(p), "dbgFiliais", QRect(5, 25, 307, 157));
    ConfiguraGradeFiliais();

    lblPeriodo = CriaLabel(p, "lblPeriodo", QStringLiteral("Período"), 337, 28);
    mskDataIni =
        Posiciona(new TMaskEdit(QStringLiteral("!99/99/9999;1;_"), p), "mskDataIni", QRect(375, 25, 70, 21));
    lbla2 = CriaLabel(p, "lbla2", QStringLiteral("a"), 451, 28);
    mskDataFim =
        Posiciona(new TMaskEdit(QStringLiteral("!99/99/9999;1;_"), p), "mskDataFim", QRect(463, 25, 70, 21));

    lblNumeroNF = CriaLabel(p, "lblNumeroNF", QStringLiteral("Número NF"), 320, 55);
    edtNfInicial = CriaEdit(p, "edtNfInicial", QRect(375, 52, 70, 21), 8);
    lbla = CriaLabel(p, "lbla", QStringLiteral("a"), 451, 55);
    edtNfFinal = CriaEdit(p, "edtNfFinal", QRect(463, 52, 70, 21), 8);

    lblSerie = CriaLabel(p, "lblSerie", QStringLiteral("Série"), 349, 82);
    edtSerieIni = CriaEdit(p, "edtSerieIni", QRect(375, 79, 25, 21), 2);
    lbla1 = CriaLabel(p, "lbla1", QStringLiteral("a"), 408, 83);
    edtSerieFim = CriaEdit(p, "edtSerieFim", QRect(420, 79, 25, 21), 2);

    // Typed characters go through VerificaTecladoNumerico; pasted text must be digits as well.
    const QRegularExpression xSoDigitos(QStringLiteral("[0-9]*"));
    for (QLineEdit* xEdit : {edtNfInicial, edtNfFinal, edtSerieIni, edtSerieFim})
        xEdit->setValidator(new QRegularExpressionValidator(xSoDigitos, xEdit));

    grpTipoNota =
        Posiciona(new QGroupBox(QStringLiteral("Tipo NF"), p), "grpTipoNota", QRect(329, 102, 204, 40));
    chkNFE = CriaCheck(grpTipoNota, "chkNFE", QStringLiteral("NF-e"), QRect(10, 18, 55, 17));
    chkNFCE = CriaCheck(grpTipoNota, "chkNFCE", QStringLiteral("NFC-e"), QRect(74, 18, 60, 17));
    chkNFSE = CriaCheck(grpTipoNota, "chkNFSE", QStringLiteral("NFS-e"), QRect(140, 18, 58, 17));

    grpTipoAmbiente = Posiciona(new QGroupBox(QStringLiteral("Tipo Ambiente"), p), "grpTipoAmbiente",
                                QRect(329, 143, 204, 40));
    chkProducao =
        CriaCheck(grpTipoAmbiente, "chkProducao", QStringLiteral("Produção"), QRect(10, 18, 75, 17));
    chkHomologacao =
        CriaCheck(grpTipoAmbiente, "chkHomologacao", QStringLiteral("Homologação"), QRect(100, 18, 98, 17));

    btnInfo = CriaBotaoImagem(p, "btnInfo", Imagens::Informacao(), QRect(5, 188, 28, 29));
    btnConfig = CriaBotaoImagem(p, "btnConfig", Imagens::Engrenagens(), QRect(5, 218, 28, 29));
    lblInfoESC = CriaLabel(p, "lblInfoESC", QStringLiteral("Tecla <ESC> interrompe o download"), 39, 234);

    btnDownload = CriaBotao(p, "btnDownload", QStringLiteral("&Download"), Imagens::Download(),
                            QRect(269, 197, 88, 50));
    btnLimpar =
        CriaBotao(p, "btnLimpar", QStringLiteral("&Limpar"), Imagens::Vassoura(), QRect(357, 197, 88, 50));
    btnSair = CriaBotao(p, "btnSair", QStringLiteral("&Sair"), Imagens::Sair(), QRect(445, 197, 88, 50));

    ProgressBar = Posiciona(new TGauge(p), "ProgressBar", QRect(1, 249, 537, 25));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);

    StatusBar = Posiciona(new TStatusBar({220, 300}, tsPrincipal), "StatusBar",
                          QRect(0, xAltura - ALTURA_STATUS, xLargura, ALTURA_STATUS));
}

void TfrmPrincipal::CriaPaginaConfig()
{
    QWidget* p = tsConfig;
    lbl1 = CriaLabel(p, "lbl1", QStringLiteral("Caminho do banco de dados"), 16, 16);
    edtCaminhoBD = CriaEdit(p, "edtCaminhoBD", QRect(15, 35, 475, 21));
    btnBuscarBD =
        Posiciona(new QPushButton(QStringLiteral(" ..."), p), "btnBuscarBD", QRect(496, 35, 29, 21));
    // A focused push button takes Enter itself and is pressed (outside a dialog only auto-default
    // buttons do).
    btnBuscarBD->setAutoDefault(true);
    lbl2 = CriaLabel(p, "lbl2", QStringLiteral("Usuário"), 16, 72);
    edtUsuarioBD = CriaEdit(p, "edtUsuarioBD", QRect(15, 91, 75, 21));
    lbl3 = CriaLabel(p, "lbl3", QStringLiteral("Senha"), 112, 72);
    mskSenhaBD = CriaEdit(p, "mskSenhaBD", QRect(111, 91, 74, 21));
    mskSenhaBD->setEchoMode(QLineEdit::Password);
    mskSenhaBD->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));

    btnTestaConexaoBD = CriaBotao(p, "btnTestaConexaoBD", QStringLiteral("&Testar Conexão"),
                                  Imagens::TestaConexao(), QRect(15, 223, 98, 50));
    btnSalvar =
        CriaBotao(p, "btnSalvar", QStringLiteral("&Salvar"), Imagens::Salvar(), QRect(349, 223, 88, 50));
    btnCancelar = CriaBotao(p, "btnCancelar", QStringLiteral("&Cancelar"), Imagens::Cancelar(),
                            QRect(437, 223, 88, 50));
}

void TfrmPrincipal::DefineOrdemTabulacao()
{
    const QList<QWidget*> xPrincipal = {dbgFiliais,  mskDataIni,  mskDataFim,  edtNfInicial,
                                        edtNfFinal,  edtSerieIni, edtSerieFim, chkNFE,
                                        chkNFCE,     chkNFSE,     chkProducao, chkHomologacao,
                                        btnDownload, btnLimpar,   btnSair,     chkTodasFiliais};
    const QList<QWidget*> xConfig = {edtCaminhoBD,      btnBuscarBD, edtUsuarioBD, mskSenhaBD,
                                     btnTestaConexaoBD, btnSalvar,   btnCancelar};
    for (const QList<QWidget*>* xLista : {&xPrincipal, &xConfig})
        for (qsizetype i = 1; i < xLista->size(); ++i)
            setTabOrder(xLista->at(i - 1), xLista->at(i));
}

void TfrmPrincipal::ConectaHandlers()
{
    const auto Protegido = [this](void (TfrmPrincipal::*pHandler)()) {
        return [this, pHandler] { TAplicacao::ExecutaProtegido([this, pHandler] { (this->*pHandler)(); }); };
    };
    connect(btnSair, &QAbstractButton::clicked, this, Protegido(&TfrmPrincipal::btnSairClick));
    connect(btnLimpar, &QAbstractButton::clicked, this, Protegido(&TfrmPrincipal::btnLimparClick));
    connect(btnInfo, &QAbstractButton::clicked, this, Protegido(&TfrmPrincipal::btnInfoClick));
    connect(btnDownload, &QAbstractButton::clicked, this, Protegido(&TfrmPrincipal::btnDownloadClick));
    connect(btnConfig, &QAbstractButton::clicked, this, Protegido(&TfrmPrincipal::btnConfigClick));
    connect(btnBuscarBD, &QAbstractButton::clicked, this, Protegido(&TfrmPrincipal::btnBuscarBDClick));
    connect(btnTestaConexaoBD, &QAbstractButton::clicked, this,
            Protegido(&TfrmPrincipal::btnTestaConexaoBDClick));
    connect(btnSalvar, &QAbstractButton::clicked, this, Protegido(&TfrmPrincipal::btnSalvarClick));
    connect(btnCancelar, &QAbstractButton::clicked, this, Protegido(&TfrmPrincipal::btnCancelarClick));
    // Every change of the box, by the user or by code, runs its handler.
    connect(chkTodasFiliais, &QCheckBox::toggled, this, Protegido(&TfrmPrincipal::chkTodasFiliaisClick));

    for (QWidget* xCampo : {static_cast<QWidget*>(mskDataIni), static_cast<QWidget*>(mskDataFim),
                            static_cast<QWidget*>(edtNfInicial), static_cast<QWidget*>(edtNfFinal),
                            static_cast<QWidget*>(edtSerieIni), static_cast<QWidget*>(edtSerieFim)})
        xCampo->installEventFilter(this);
    dbgFiliais->installEventFilter(this);
    dbgFiliais->viewport()->installEventFilter(this);

    auto* xPrevia = new TPreVisualizacaoTeclado(
        this, [this](QKeyEvent* pEvento, QWidget* pControle) { return TeclaNaJanela(pEvento, pControle); });
    QCoreApplication::instance()->installEventFilter(xPrevia);
}

void TfrmPrincipal::FormCreate()
{
    setWindowTitle(windowTitle() + MVersaoSoftware);
    VerificacaoInicial();
}

// The whole window, frame and title bar included, in the middle of the screen's free area. Before the
// window first shows its frame is not known yet and the client area stands for it.
void TfrmPrincipal::Centraliza()
{
    const QScreen* xTela = QGuiApplication::primaryScreen();
    if (!xTela)
        return;
    const QMargins xMoldura = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    QRect xJanela(QPoint(0, 0), size().grownBy(xMoldura));
    xJanela.moveCenter(xTela->availableGeometry().center());
    // A window's position is its frame's.
    move(xJanela.topLeft());
}

void TfrmPrincipal::showEvent(QShowEvent* pEvento)
{
    QWidget::showEvent(pEvento);
    if (vMostrada)
        return;
    vMostrada = true;
    Centraliza();
    TAplicacao::ExecutaProtegido([this] { FormShow(); });
}
