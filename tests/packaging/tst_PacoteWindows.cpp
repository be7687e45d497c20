// The Windows program as a customer gets it: the folder of the Windows build copied to a folder whose path
// has accented names, on a PC without a Firebird client of its own (the program uses the one it ships in
// its folder "firebird"), started under Wine (a prefix of the test's own) on a private X display, in a
// working directory that holds its Tarnwick.ini. The ini points at a private Linux Firebird server reached over TCP; the notes service is
// the local stand-in on the program's fixed port, serving notes this test writes. The window is driven
// with the mouse and the keys: branches listed, one more ticked, filters, the download, its summary, then
// the archives, entry by entry, the log beside the program (the client it loaded) and its closing line
// when the program ends. The scaled starts find the customer's own client beside the program: it comes
// before the shipped one.
#include "config/BancoTeste.h"
#include "config/Criptografia.h"
#include "download/archive/LeitorZip.h"
#include "packaging/JanelaWindows.h"
#include "support/NotesService.h"
#include "support/ProcessoHospedeiro.h"
#include "support/ServidorFirebird.h"

#include <QDirIterator>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#ifndef PASTA_DIST
#error "PASTA_DIST must name the Windows program's folder (TARNWICK_WINDOWS_DIST)"
#endif

namespace {

using namespace JanelaWindows;

const QString SENHA_SYSDBA = QStringLiteral("Chave#Teste1");

const QString CNPJ_MATRIZ = QStringLiteral("11222333000181");
const QString CNPJ_FILIAL = QStringLiteral("12345678000195");
const QString CNPJ_LOJA = QStringLiteral("45723174000110");

const QRect AREA_GRADE(5, 27, 307, 157); // no title row: the branch rows start at its top
constexpr int ALTURA_LINHA = 18;         // one branch row in Tahoma 8 point

bool CopiaPasta(const QString& pOrigem, const QString& pDestino)
{
    if (!QDir().mkpath(pDestino))
        return false;
    QDirIterator xItens(pOrigem, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
    while (xItens.hasNext()) {
        const QString xItem = xItens.next();
        const QString xAlvo = pDestino + u'/' + QDir(pOrigem).relativeFilePath(xItem);
        if (xItens.fileInfo().isDir() ? !QDir().mkpath(xAlvo) : !QFile::copy(xItem, xAlvo))
            return false;
    }
    return true;
}

// One note as the service sends it; the test keeps what the archive must hold of it.
struct TNotaServida
{
    QString Cnpj, Tipo, Ambiente, Numero, Serie, Emissao;
    QString Xml = {}, Cancelamento = {};
};

QString XmlNota(const TNotaServida& pNota)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfeProc versao=\"4.00\"><NFe><infNFe>"
                          "<ide><nNF>%1</nNF><serie>%2</serie></ide><emit><CNPJ>%3</CNPJ>"
                          "<xNome>Comércio de Peças São João Ltda</xNome></emit><infAdic><infCpl>"
                          "Preço em € conforme orçamento; ação «%4»</infCpl></infAdic></infNFe></NFe>"
                          "</nfeProc>")
        .arg(pNota.Numero, pNota.Serie, pNota.Cnpj, pNota.Tipo);
}

// What the stand-in serves: every combination a filter of the run must keep out has a note too.
QList<TNotaServida> NotasServidas()
{
    QList<TNotaServida> xNotas{
        {CNPJ_MATRIZ, "NF_E", "PRODUCAO", "1", "1", "2024-03-05T10:15:00-03:00"},
        {CNPJ_MATRIZ, "NF_E", "PRODUCAO", "2", "1", "2024-03-20T16:40:00-03:00"},
        {CNPJ_MATRIZ, "NF_E", "PRODUCAO", "3", "1", "2024-04-02T09:00:00-03:00"},    // after the range
        {CNPJ_MATRIZ, "NF_E", "HOMOLOGACAO", "4", "1", "2024-03-10T09:00:00-03:00"}, // not ticked
        {CNPJ_MATRIZ, "NFC_E", "PRODUCAO", "10", "2", "2024-03-15T12:00:00-03:00"},
        {CNPJ_MATRIZ, "NFS_E", "PRODUCAO", "11", "1", "2024-03-15T12:00:00-03:00"}, // not ticked
        {CNPJ_FILIAL, "NF_E", "PRODUCAO", "5", "1", "2024-03-10T09:00:00-03:00"},   // branch not ticked
        {CNPJ_LOJA, "NFC_E", "PRODUCAO", "7", "3", "2024-03-31T23:50:00-03:00"},    // last day
    };
    for (TNotaServida& xNota : xNotas)
        xNota.Xml = XmlNota(xNota);
    xNotas[1].Cancelamento = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><procEventoNFe versao=\"1.00\"><evento><descEvento>"
        "Cancelamento</descEvento><xJust>Emissão em duplicidade, operação desfeita</xJust></evento>"
        "</procEventoNFe>");
    return xNotas;
}

struct TArquivoEsperado
{
    QString Rotulo; // the summary's label
    QString Nome;
    QList<std::pair<QString, QString>> Entradas; // name, XML
};

// Matriz (ticked at start) and Loja (ticked by the test); NF-e and NFC-e, production, March 2024.
QList<TArquivoEsperado> ArquivosEsperados()
{
    const QList<TNotaServida> xNotas = NotasServidas();
    const auto Aut = [](const TNotaServida& pNota) {
        return std::pair{pNota.Tipo + "_AUT_" + pNota.Numero + "_" + pNota.Serie + "_" + pNota.Ambiente +
                             ".xml",
                         pNota.Xml};
    };
    const auto Canc = [](const TNotaServida& pNota) {
        return std::pair{"CANC_" + pNota.Tipo + "_" + pNota.Numero + "_" + pNota.Serie + "_" +
                             pNota.Ambiente + ".xml",
                         pNota.Cancelamento};
    };
    return {
        {QStringLiteral("NF-e: "),
         "download_xmls_" + CNPJ_MATRIZ + "_NF_E_PRODUCAO.zip",
         {Aut(xNotas[0]), Aut(xNotas[1]), Canc(xNotas[1])}},
        {QStringLiteral("NFC-e: "), "download_xmls_" + CNPJ_MATRIZ + "_NFC_E_PRODUCAO.zip", {Aut(xNotas[4])}},
        {QStringLiteral("NFC-e: "), "download_xmls_" + CNPJ_LOJA + "_NFC_E_PRODUCAO.zip", {Aut(xNotas[7])}},
    };
}

} // namespace

class TstPacoteWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void janelaComFiliais();
    void download();
    void arquivos_data();
    void arquivos();
    void consultas();
    void saida();
    void log();
    void escala_data();
    void escala();

private:
    QString Arquivo(const QString& pNome) const { return vTemp.filePath(pNome); }
    QProcessEnvironment AmbienteWine() const;
    bool Script(const QStringList& pArgumentos, QString& pSaida) const;
    // A point of the window's client area, in the layout's units, in the coordinates of its X window
    // (Wine draws the frame and the title bar itself; on a scaled display the window is drawn at vEscala).
    QPoint NaJanela(QPoint pPonto) const { return (QPointF(pPonto) * vEscala).toPoint() + vMargem; }
    void Clica(QPoint pPonto, int pCliques = 1) const
    {
        const QPoint xPonto = NaJanela(pPonto);
        vXvfb->Clica(vJanela, xPonto.x(), xPonto.y(), pCliques);
        QTest::qWait(300);
    }
    // The dialog of one of these titles that is open, or empty.
    QString Dialogo(const QString& pTitulos) const
    {
        return vXvfb->Janela(QStringLiteral("^(%1)$").arg(pTitulos));
    }
    QString Diagnostico();
    void CapturaNaFalha();
    bool FechaComEnter(const QString& pJanela, const QString& pTitulo) const
    {
        return ::FechaComEnter(*vXvfb, pJanela, pTitulo);
    }
    void IniciaPrograma();
    void VerificaFiliaisNaGrade(const QString& pImagem);
    void Sai();
    // A picture of the main window (or of pJanela) kept in the test's working directory; its path.
    QString Guarda(const QString& pNome, const QString& pJanela = {}) const
    {
        const QString xArquivo =
            QDir::current().absoluteFilePath(QStringLiteral("tst_packaging_windows-%1.png").arg(pNome));
        vXvfb->Captura(xArquivo, pJanela.isEmpty() ? vJanela : pJanela);
        return xArquivo;
    }

    QTemporaryDir vTemp;
    std::unique_ptr<TXvfb> vXvfb;
    std::unique_ptr<TNotesService> vServico;
    QString vPastaServidor;
    QString vPastaPrograma; // the copied folder: Tarnwick.exe, its DLLs and, later, log/
    QString vPastaTrabalho; // its working directory: Tarnwick.ini
    QString vPastaDestino;  // where the archives go
    QString vPrefixo;       // the Wine prefix
    QProcess vPrograma;
    QByteArray vSaidaPrograma;
    QString vJanela;
    QPoint vMargem;
    qreal vEscala = 1;    // the display's scale
    QString vResumo;      // the text of the summary dialog
    bool vBaixou = false; // the run ended with its summary
    QDate vDia;           // the day of the run (the log file's)
};

QProcessEnvironment TstPacoteWindows::AmbienteWine() const
{
    return ::AmbienteWine(*vXvfb, vPrefixo);
}

bool TstPacoteWindows::Script(const QStringList& pArgumentos, QString& pSaida) const
{
    return ScriptFirebird(QStringLiteral(TARNWICK_SCRIPT_FIREBIRD), pArgumentos, pSaida);
}

QString TstPacoteWindows::Diagnostico()
{
    vSaidaPrograma += vPrograma.readAll();
    return QStringLiteral("program output: ") + QString::fromUtf8(vSaidaPrograma.right(3000));
}

// A failure leaves a picture of the screen in the test's working directory.
void TstPacoteWindows::CapturaNaFalha()
{
    if (!vXvfb)
        return;
    const QString xArquivo =
        QDir::current().absoluteFilePath(QStringLiteral("tst_packaging_windows-%1.png")
                                             .arg(QString::fromLatin1(QTest::currentTestFunction())));
    if (vXvfb->Captura(xArquivo))
        qWarning("screen at the failure: %s", qPrintable(xArquivo));
}

void TstPacoteWindows::cleanup()
{
    if (QTest::currentTestFailed())
        CapturaNaFalha();
}

void TstPacoteWindows::initTestCase()
{
    QVERIFY(vTemp.isValid());
    const QString xDist = QStringLiteral(PASTA_DIST);
    QVERIFY2(QFileInfo(xDist + QStringLiteral("/Tarnwick.exe")).isFile(),
             qPrintable(
                 QStringLiteral("no Windows program in %1: build it (scripts/windows/build.sh)").arg(xDist)));
    QVERIFY2(QFileInfo(QStringLiteral(FBCLIENT_DLL)).isFile(),
             "no Windows Firebird client (TARNWICK_WINDOWS_FBCLIENT): \"" FBCLIENT_DLL "\"");

    // The program's folder and its working directory under accented names, as on a Brazilian desktop.
    const QString xBase = Arquivo(QString::fromUtf8("Área de Trabalho/João"));
    vPastaPrograma = xBase + QStringLiteral("/Tarnwick");
    vPastaTrabalho = xBase + QString::fromUtf8("/Configuração");
    // The folder dialog opens in the working directory; the destination's own name is typed there, in
    // letters xdotool can type into Wine (it has no keys for accented ones).
    vPastaDestino = vPastaTrabalho + QStringLiteral("/XMLs");
    QVERIFY(CopiaPasta(xDist, vPastaPrograma));
    // No client of the customer's: the one the program ships, and nothing beside Tarnwick.exe.
    QVERIFY(QFileInfo(vPastaPrograma + QStringLiteral("/firebird/fbclient.dll")).isFile());
    QVERIFY(!QFileInfo::exists(vPastaPrograma + QStringLiteral("/fbclient.dll")));
    QVERIFY(QDir().mkpath(vPastaTrabalho));
    QVERIFY(QDir().mkpath(vPastaDestino));

    // The company's server and its branches, in code order Matriz, Filial, Loja.
    vPastaServidor = Arquivo(QStringLiteral("firebird"));
    QString xPorta;
    QVERIFY(Script({QStringLiteral("start"), vPastaServidor, SENHA_SYSDBA}, xPorta));
    QVERIFY2(xPorta.toInt() > 0, qPrintable(xPorta));
    const QString xBanco = xBase + QStringLiteral("/Banco de Dados/corvane.fdb");
    QVERIFY(QDir().mkpath(QFileInfo(xBanco).path()));
    const QString xCaminhoBanco = QStringLiteral("127.0.0.1/%1:%2").arg(xPorta, xBanco);
    try {
        BancoTeste::Cria(xCaminhoBanco, QStringLiteral("WIN1252"),
                         BancoTeste::TabelaFiliais({
                             {"01", QString::fromUtf8("Matriz São Paulo"), "SP", CNPJ_MATRIZ},
                             {"02", QString::fromUtf8("Filial Açaí"), "PA", CNPJ_FILIAL},
                             {"03", QString::fromUtf8("Loja Café"), "MG", CNPJ_LOJA},
                         }),
                         QStringLiteral("SYSDBA"), SENHA_SYSDBA);
    } catch (const std::exception& xErro) {
        QFAIL(xErro.what());
    }

    // Tarnwick.ini as the settings page writes it on Windows: Windows-1252, CR LF.
    QFile xIni(vPastaTrabalho + QStringLiteral("/Tarnwick.ini"));
    QVERIFY(xIni.open(QIODevice::WriteOnly));
    const QString xTextoIni =
        QStringLiteral("[CONEXAO]\r\nCaminho=%1\r\nUsuario=SYSDBA\r\nSenha=%2\r\n")
            .arg(xCaminhoBanco,
                 TCriptografia::get().EncriptaASCII(SENHA_SYSDBA, std::uint16_t(SENHA_SYSDBA.size())));
    xIni.write(xTextoIni.toLatin1()); // the accented letters of the path are the same in Windows-1252
    xIni.close();

    // The notes the stand-in serves, one file.
    const QString xPastaNotas = Arquivo(QStringLiteral("notas"));
    QVERIFY(QDir().mkpath(xPastaNotas));
    QJsonArray xLista;
    int xId = 0;
    for (const TNotaServida& xNota : NotasServidas()) {
        QJsonObject xObjeto{{"id", ++xId},
                            {"cnpj", xNota.Cnpj},
                            {"tipoAmbiente", xNota.Ambiente},
                            {"tipoNFe", xNota.Tipo},
                            {"numNF", xNota.Numero},
                            {"serie", xNota.Serie},
                            {"dataEmissao", xNota.Emissao},
                            {"xml", xNota.Xml},
                            {"cancelada", !xNota.Cancelamento.isEmpty()}};
        if (!xNota.Cancelamento.isEmpty())
            xObjeto.insert(QStringLiteral("xmlCancelamento"), xNota.Cancelamento);
        xLista.append(xObjeto);
    }
    QFile xNotas(xPastaNotas + QStringLiteral("/notas.json"));
    QVERIFY(xNotas.open(QIODevice::WriteOnly));
    xNotas.write(QJsonDocument(xLista).toJson());
    xNotas.close();
    vServico = std::make_unique<TNotesService>(QStringList{QStringLiteral("--data-dir"), xPastaNotas});
    vServico->UsaPorta(PORTA_SERVICO);
    QVERIFY2(vServico->Iniciar(), qPrintable(vServico->Erro()));

    // The display, then a Wine prefix of the test's own. Wine draws the windows' frames and title bars
    // itself: no window manager runs on the display, and the screenshots show the caption.
    vXvfb = std::make_unique<TXvfb>();
    QVERIFY(vXvfb->Inicia(QSize(1280, 1024))); // the window at 200 % fits
    vPrefixo = Arquivo(QStringLiteral("wine"));
    const QString xPrefixo = PreparaPrefixo(AmbienteWine());
    QVERIFY2(xPrefixo.isEmpty(), qPrintable(xPrefixo));

    vDia = QDate::currentDate();
    IniciaPrograma();
}

// The program, started as from a shortcut whose "Start in" is the configuration's folder; its window and
// the size of Wine's frame around it.
void TstPacoteWindows::IniciaPrograma()
{
    vSaidaPrograma.clear();
    vPrograma.setProcessEnvironment(AmbienteWine());
    vPrograma.setWorkingDirectory(vPastaTrabalho);
    vPrograma.setProcessChannelMode(QProcess::MergedChannels);
    vPrograma.start(QStringLiteral("wine"), {vPastaPrograma + QStringLiteral("/Tarnwick.exe")});
    QVERIFY2(vPrograma.waitForStarted(), qPrintable(vPrograma.errorString()));
    const TJanela xJanela = Aguarda(*vXvfb, vEscala);
    QVERIFY2(!xJanela.Id.isEmpty(), qPrintable(Diagnostico()));
    vJanela = xJanela.Id;
    vMargem = xJanela.Margem;
    QVERIFY2(xJanela.MolduraValida, qPrintable(QStringLiteral("window %1x%2 at %3 %")
                                                   .arg(xJanela.Tamanho.width())
                                                   .arg(xJanela.Tamanho.height())
                                                   .arg(qRound(vEscala * 100))));
}

void TstPacoteWindows::cleanupTestCase()
{
    if (vPrograma.state() != QProcess::NotRunning) {
        vPrograma.kill();
        vPrograma.waitForFinished(10000);
    }
    if (!vPrefixo.isEmpty() && vXvfb)
        ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-k")}, AmbienteWine(), 30000);
    if (!vPastaServidor.isEmpty()) {
        QString xSaida;
        Script({QStringLiteral("stop"), vPastaServidor}, xSaida);
    }
    vServico.reset();
    vXvfb.reset();
}

// Started from its ini, the program connects and lists the three branches on its main page, no dialog in
// front of it; the first branch is ticked. The rows are looked at in a picture of the window: a row holds
// dark text, the rest of the grid is blank.
void TstPacoteWindows::janelaComFiliais()
{
    QTest::qWait(2000); // the branch query runs once the window is shown
    const QString xAviso = Dialogo(QStringLiteral("Atenção|Erro|Informação"));
    QVERIFY2(xAviso.isEmpty(), qPrintable(QStringLiteral("a dialog at start-up; ") + Diagnostico()));

    // The pointer over the status bar: Wine paints a window under Xvfb once something happens on it.
    const QPoint xRepouso = NaJanela(QPoint(LARGURA_CLIENTE - 20, ALTURA_CLIENTE - 8));
    vXvfb->Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), vJanela,
                    QString::number(xRepouso.x()), QString::number(xRepouso.y())});
    QTest::qWait(1000);
    VerificaFiliaisNaGrade(Guarda(QStringLiteral("janela")));
}

// The three branches in the first three rows of the grid, the rest of it blank, in a picture of the window.
void TstPacoteWindows::VerificaFiliaisNaGrade(const QString& pImagem)
{
    const QImage xTela(pImagem);
    QVERIFY(!xTela.isNull());
    // Dark pixels of the text column of each row (the tick column and the grid lines left out).
    const auto Escuros = [&](int pLinha) {
        int xEscuros = 0;
        const int xTopo = AREA_GRADE.top() + pLinha * ALTURA_LINHA + 2;
        const QRect xTexto = QRect(NaJanela(QPoint(AREA_GRADE.left() + 40, xTopo)),
                                   NaJanela(QPoint(AREA_GRADE.right() - 20, xTopo + ALTURA_LINHA - 3)))
                                 .adjusted(0, 0, -1, -1);
        for (int y = xTexto.top(); y <= xTexto.bottom(); ++y)
            for (int x = xTexto.left(); x <= xTexto.right(); ++x)
                if (qGray(xTela.pixel(x, y)) < 160)
                    ++xEscuros;
        return xEscuros;
    };
    QStringList xContagem;
    for (int i = 0; i < 5; ++i)
        xContagem << QString::number(Escuros(i));
    const QString xTexto = QStringLiteral("dark pixels per row: ") + xContagem.join(u' ');
    for (int i = 0; i < 3; ++i)
        QVERIFY2(Escuros(i) > 20, qPrintable(xTexto));
    for (int i = 3; i < 5; ++i)
        QVERIFY2(Escuros(i) == 0, qPrintable(xTexto));
}

// Loja ticked too (a double click on its row), NF-e, NFC-e, production, March 2024, Download, the
// destination typed into the folder dialog; the run ends with its summary of three archives, whose paths
// are Windows paths.
void TstPacoteWindows::download()
{
    Clica(QPoint(AREA_GRADE.left() + 100, AREA_GRADE.top() + 2 * ALTURA_LINHA + ALTURA_LINHA / 2), 2);
    Clica(PONTO_DATA_INI);
    vXvfb->Tecla(vJanela, QStringLiteral("Home"));
    vXvfb->Digita(QStringLiteral("01032024"));
    Clica(PONTO_DATA_FIM);
    vXvfb->Tecla(vJanela, QStringLiteral("Home"));
    vXvfb->Digita(QStringLiteral("31032024"));
    Clica(PONTO_NFE);
    Clica(PONTO_NFCE);
    Clica(PONTO_PRODUCAO);
    Guarda(QStringLiteral("filtros"));
    Clica(PONTO_DOWNLOAD);

    const QString xPasta = vXvfb->AguardaJanela(
        QString::fromUtf8("^(Selecione a pasta de destino dos XMLs|Atenção|Erro)$"), 30000);
    QVERIFY2(!xPasta.isEmpty(), qPrintable(QStringLiteral("no folder dialog; ") + Diagnostico()));
    QCOMPARE(vXvfb->Xdotool({QStringLiteral("getwindowname"), xPasta}),
             QStringLiteral("Selecione a pasta de destino dos XMLs"));
    vXvfb->Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), xPasta});
    QTest::qWait(500);
    Guarda(QStringLiteral("pasta"), xPasta);
    vXvfb->Digita(QFileInfo(vPastaDestino).fileName());
    vXvfb->Tecla(xPasta, QStringLiteral("Return"));

    // The summary, or whatever dialog the run shows instead.
    QDeadlineTimer xLimite(120000);
    QString xDialogo;
    while (xDialogo.isEmpty() && !xLimite.hasExpired()) {
        QTest::qWait(300);
        xDialogo = Dialogo(QStringLiteral("Informação|Atenção|Erro"));
    }
    QVERIFY2(!xDialogo.isEmpty(), qPrintable(QStringLiteral("the run did not end; ") + Diagnostico()));
    QTest::qWait(500);
    const QString xTitulo = vXvfb->Xdotool({QStringLiteral("getwindowname"), xDialogo});
    Guarda(QStringLiteral("resumo"), xDialogo);

    // Its text, through the clipboard: a click in the text, select all, copy.
    const QSize xTamanho = vXvfb->Tamanho(xDialogo);
    vXvfb->Clica(xDialogo, vMargem.x() + 80, vMargem.y() + 18);
    vXvfb->Tecla(xDialogo, QStringLiteral("ctrl+a"));
    vXvfb->Tecla(xDialogo, QStringLiteral("ctrl+c"));
    QTest::qWait(500);
    vResumo = vXvfb->AreaDeTransferencia();
    if (vResumo.isEmpty()) {
        // No focus for the keys: the text dragged over with the mouse instead.
        vXvfb->Arrasta(xDialogo, vMargem.x() + 60, vMargem.y() + 12, xTamanho.width() - vMargem.x() - 4,
                       xTamanho.height() - 50);
        vXvfb->Tecla(xDialogo, QStringLiteral("ctrl+c"));
        QTest::qWait(500);
        vResumo = vXvfb->AreaDeTransferencia();
    }
    QVERIFY2(FechaComEnter(xDialogo, xTitulo), "the summary did not close with Enter");
    QCOMPARE(xTitulo, QString::fromUtf8("Informação"));
    vBaixou = true;

    QString xEsperado = QStringLiteral("Download de XMLs finalizado.\n\nCaminho dos arquivos: \n");
    for (const TArquivoEsperado& xArquivo : ArquivosEsperados())
        xEsperado += xArquivo.Rotulo + NoWindows(vPastaDestino) + u'\\' + xArquivo.Nome + u'\n';
    // Line by line: a path written with the wrong separator shows as the line that differs.
    QString xResumo = vResumo;
    xResumo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(xResumo.trimmed().split(u'\n'), xEsperado.trimmed().split(u'\n'));
}

void TstPacoteWindows::arquivos_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("entradas");
    QTest::addColumn<QStringList>("xmls");
    for (const TArquivoEsperado& xArquivo : ArquivosEsperados()) {
        QStringList xNomes, xXmls;
        for (const auto& [xNome, xXml] : xArquivo.Entradas) {
            xNomes << xNome;
            xXmls << xXml;
        }
        QTest::newRow(qPrintable(xArquivo.Nome)) << xArquivo.Nome << xNomes << xXmls;
    }
}

// Each archive holds its notes' XML documents, Deflate-compressed, in the service's order, byte for
// byte as served (UTF-8, no byte-order mark); the destination holds nothing else.
void TstPacoteWindows::arquivos()
{
    QFETCH(QString, nome);
    QFETCH(QStringList, entradas);
    QFETCH(QStringList, xmls);
    QVERIFY2(vBaixou, "no download run ended");

    QStringList xNaPasta = QDir(vPastaDestino).entryList(QDir::Files | QDir::Hidden);
    QStringList xTodos;
    for (const TArquivoEsperado& xArquivo : ArquivosEsperados())
        xTodos << xArquivo.Nome;
    xNaPasta.sort();
    xTodos.sort();
    QCOMPARE(xNaPasta, xTodos);

    QString xErro;
    const QVector<TEntradaZip> xLidas = LeZip(vPastaDestino + u'/' + nome, &xErro);
    QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
    QStringList xNomes;
    for (const TEntradaZip& xEntrada : xLidas)
        xNomes << xEntrada.Nome;
    QCOMPARE(xNomes, entradas);
    for (qsizetype i = 0; i < xLidas.size(); ++i) {
        QCOMPARE(xLidas[i].Metodo, 8);
        QCOMPARE(xLidas[i].Dados, xmls[i].toUtf8());
        QVERIFY(qAbs(xLidas[i].Quando.secsTo(QDateTime::currentDateTime())) < 600);
    }
    const QString xExterno = VerificaZipExterno(vPastaDestino + u'/' + nome, xLidas.size());
    QVERIFY2(xExterno.isEmpty(), qPrintable(xExterno));
}

// What the program asked the service: the two branches, each type, production, the dates typed.
void TstPacoteWindows::consultas()
{
    QVERIFY2(vBaixou, "no download run ended");
    QStringList xConsultas;
    for (const QString& xLinha : vServico->LinhasRecebidas())
        xConsultas << xLinha.section(u' ', 1, 1);
    QStringList xEsperadas;
    for (const QString& xCnpj : {CNPJ_MATRIZ, CNPJ_LOJA})
        for (const QString& xTipo : {QStringLiteral("NF_E"), QStringLiteral("NFC_E")})
            xEsperadas << QStringLiteral("/RecepcaoNF/v1/nota?cnpj=%1&tipoAmbiente=PRODUCAO&tipoNFe=%2"
                                         "&dataEmissaoInicial=2024-03-01&dataEmissaoFinal=2024-03-31"
                                         "&numNfInicial=00000001&numNfFinal=99999999&serieInicial=1"
                                         "&serieFinal=99&page=0&size=100&sort=numNF")
                              .arg(xCnpj, xTipo);
    QCOMPARE(xConsultas, xEsperadas);
}

// Sair and its question answered with Enter: the program ends by itself.
void TstPacoteWindows::saida()
{
    Sai();
}

void TstPacoteWindows::Sai()
{
    Clica(PONTO_SAIR);
    const QString xPergunta = vXvfb->AguardaJanela(QString::fromUtf8("^Confirmação$"), 15000);
    QVERIFY2(!xPergunta.isEmpty(), qPrintable(Diagnostico()));
    QVERIFY2(FechaComEnter(xPergunta, QString::fromUtf8("Confirmação")), qPrintable(Diagnostico()));
    QVERIFY2(vPrograma.waitForFinished(30000), qPrintable(Diagnostico()));
    QCOMPARE(vPrograma.exitStatus(), QProcess::NormalExit);
    QCOMPARE(vPrograma.exitCode(), 0);
}

// The day's log beside the program: two lines per request of the notes client, then the closing line;
// Windows line ends, every line in the log's format.
void TstPacoteWindows::log()
{
    QVERIFY2(vBaixou, "no download run ended");
    const QString xPastaLog = vPastaPrograma + QStringLiteral("/log");
    const QStringList xArquivos = QDir(xPastaLog).entryList(QDir::Files);
    QStringList xPossiveis{
        QStringLiteral("LogTarnwick%1.txt").arg(vDia.toString(QStringLiteral("yyyyMMdd")))};
    if (QDate::currentDate() != vDia) // the run crossed midnight
        xPossiveis << QStringLiteral("LogTarnwick%1.txt")
                          .arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    QVERIFY2(!xArquivos.isEmpty() && xPossiveis.contains(xArquivos.first()),
             qPrintable(xArquivos.join(u' ')));

    QByteArray xBytes;
    for (const QString& xNome : xArquivos) {
        QFile xArquivo(xPastaLog + u'/' + xNome);
        QVERIFY(xArquivo.open(QIODevice::ReadOnly));
        xBytes += xArquivo.readAll();
    }
    QVERIFY(xBytes.endsWith("\r\n"));
    QVERIFY(!xBytes.contains("\n\r\n") && xBytes.count('\n') == xBytes.count("\r\n"));
    const QStringList xLinhas = QString::fromLatin1(xBytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);

    const QRegularExpression xFormato(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d v\\.26\\.09ed0 [0-9A-F]{8} (INFO  |ERRO  "
                       "|ALERTA|DEBUG ) : "
                       "\\[(.{32,})\\] (.*)$"));
    QStringList xPreparos, xConsultas, xFinais, xClientes;
    for (const QString& xLinha : xLinhas) {
        const QRegularExpressionMatch xPartes = xFormato.match(xLinha);
        QVERIFY2(xPartes.hasMatch(), qPrintable(xLinha));
        QCOMPARE(xPartes.captured(1), QStringLiteral("INFO  "));
        const QString xTexto = xPartes.captured(3);
        if (xTexto.startsWith(QStringLiteral("Realizando a consulta: "))) {
            QCOMPARE(xPartes.captured(2), QStringLiteral("TRecepcaoNF").leftJustified(32));
            xConsultas << xTexto;
        } else if (xTexto.startsWith(QStringLiteral("Preparando o Request do m"))) {
            QCOMPARE(xPartes.captured(2), QStringLiteral("TRecepcaoNF").leftJustified(32));
            xPreparos << xTexto;
        } else if (xPartes.captured(2) == QStringLiteral("TClienteFirebird").leftJustified(32)) {
            xClientes << xTexto;
        } else {
            QCOMPARE(xPartes.captured(2), QStringLiteral("TLogArquivo").leftJustified(32));
            xFinais << xTexto;
        }
    }
    // The client it used, once: the shipped one, by its full path.
    QCOMPARE(xClientes.size(), 1);
    qInfo("client loaded: %s", qPrintable(xClientes.first()));
    QCOMPARE(xClientes.first().toLower(),
             (QStringLiteral("Cliente do Firebird carregado: ") +
              NoWindows(vPastaPrograma + QStringLiteral("/firebird/fbclient.dll")))
                 .toLower());
    QCOMPARE(xPreparos.size(), 4);
    QCOMPARE(xConsultas.size(), 4);
    for (const QString& xCnpj : {CNPJ_MATRIZ, CNPJ_LOJA})
        for (const QString& xTipo : {QStringLiteral("NF_E"), QStringLiteral("NFC_E")})
            QVERIFY2(xConsultas.contains(
                         QStringLiteral("Realizando a consulta: http://localhost:2020/RecepcaoNF/"
                                        "v1/nota?cnpj=%1&tipoAmbiente=PRODUCAO&tipoNFe=%2"
                                        "&dataEmissaoInicial=2024-03-01&dataEmissaoFinal=2024-03-31"
                                        "&numNfInicial=00000001&numNfFinal=99999999"
                                        "&serieInicial=1&serieFinal=99&page=0&size=100&sort=numNF")
                             .arg(xCnpj, xTipo)),
                     qPrintable(xConsultas.join(u'\n')));
    QCOMPARE(xFinais, QStringList{QStringLiteral("**** Log finalizado ****")});
    QVERIFY(xLinhas.last().endsWith(QStringLiteral("**** Log finalizado ****")));
}

void TstPacoteWindows::escala_data()
{
    QTest::addColumn<int>("ppp"); // the display's dots per inch; 96 is 100 %
    QTest::newRow("125 %") << 120;
    QTest::newRow("150 %") << 144;
    QTest::newRow("200 %") << 192;
}

// On a scaled display the window grows as a whole: its client area is the layout's times the scale, the
// branches are in the grid's rows where the layout puts them times the scale, and Sair answers the mouse
// where it is drawn. The pictures are kept to be looked at: nothing clipped.
void TstPacoteWindows::escala()
{
    QFETCH(int, ppp);
    // From here on the customer's own client lies beside the program.
    const QString xDoCliente = vPastaPrograma + QStringLiteral("/fbclient.dll");
    QVERIFY(QFileInfo::exists(xDoCliente) || QFile::copy(QStringLiteral(FBCLIENT_DLL), xDoCliente));
    // The scale as Windows' display settings set it; Wine reads it when its session starts.
    const TSaidaPrograma xEscala = ExecutaPrograma(
        QStringLiteral("wine"),
        {QStringLiteral("reg"), QStringLiteral("add"), QStringLiteral("HKCU\\Control Panel\\Desktop"),
         QStringLiteral("/v"), QStringLiteral("LogPixels"), QStringLiteral("/t"), QStringLiteral("REG_DWORD"),
         QStringLiteral("/d"), QString::number(ppp), QStringLiteral("/f")},
        AmbienteWine(), 120000);
    QVERIFY2(xEscala.Codigo == 0, qPrintable(xEscala.Texto()));
    ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-k")}, AmbienteWine(), 30000);
    ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-w")}, AmbienteWine(), 120000);
    vPrograma.waitForFinished(10000); // one a failed case left open ended with Wine's session

    vEscala = ppp / 96.0;
    IniciaPrograma();
    if (QTest::currentTestFailed())
        return;
    QTest::qWait(2000);
    QVERIFY2(Dialogo(QStringLiteral("Atenção|Erro|Informação")).isEmpty(),
             qPrintable(QStringLiteral("a dialog at start-up; ") + Diagnostico()));
    const QPoint xRepouso = NaJanela(QPoint(LARGURA_CLIENTE - 20, ALTURA_CLIENTE - 8));
    vXvfb->Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), vJanela,
                    QString::number(xRepouso.x()), QString::number(xRepouso.y())});
    QTest::qWait(1000);
    VerificaFiliaisNaGrade(Guarda(QStringLiteral("escala-%1").arg(ppp * 100 / 96)));
    if (QTest::currentTestFailed())
        return;
    Sai();
    if (QTest::currentTestFailed())
        return;
    // This run's client, the last the log names: the customer's, before the shipped one.
    QString xUltimo;
    for (const QString& xNome : QDir(vPastaPrograma + QStringLiteral("/log")).entryList(QDir::Files)) {
        QFile xLog(vPastaPrograma + QStringLiteral("/log/") + xNome);
        QVERIFY(xLog.open(QIODevice::ReadOnly));
        for (const QString& xLinha : QString::fromLatin1(xLog.readAll()).split(QStringLiteral("\r\n")))
            if (const qsizetype xPos = xLinha.indexOf(QStringLiteral("Cliente do Firebird carregado: ")); xPos >= 0)
                xUltimo = xLinha.mid(xPos);
    }
    qInfo("client loaded: %s", qPrintable(xUltimo));
    QCOMPARE(xUltimo.toLower(),
             (QStringLiteral("Cliente do Firebird carregado: ") + NoWindows(xDoCliente)).toLower());
}

QTEST_GUILESS_MAIN(TstPacoteWindows)
#include "tst_PacoteWindows.moc"
