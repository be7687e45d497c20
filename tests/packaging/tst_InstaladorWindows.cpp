// The Windows installer as a user meets it, under Wine (a prefix of the test's own) on a private X
// display: installed silently for the current user, its files, Start-menu entry and uninstall entry;
// the program started as its entry starts it, its settings saved (Tarnwick.ini in %APPDATA%\Tarnwick),
// one download against a private Linux Firebird server and the stand-in of the notes service, the log
// beside the program; a log-off in the middle of a run, cancelled, then
// one ended anyway; the same version installed again over it; the
// installer and the uninstaller refused while the program runs; the uninstaller; then an installation for
// all users and its uninstaller; a folder of one's choice; an upgrade from an older version that shipped a
// file this one does not; an installation for all users into a folder of one's choice, its rights, and
// its uninstaller started without any switch.
#include "config/BancoTeste.h"
#include "download/archive/LeitorZip.h"
#include "packaging/JanelaWindows.h"
#include "support/NotesService.h"
#include "support/ServidorFirebird.h"

#include <QDirIterator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <memory>

#ifndef INSTALADOR
#error "INSTALADOR must name the Windows installer (TARNWICK_WINDOWS_INSTALADOR)"
#endif

namespace {

using namespace JanelaWindows;

const QString SENHA_SYSDBA = QStringLiteral("Chave#Teste2");
const QString CNPJ = QStringLiteral("11222333000181");
const QString CHAVE_DESINSTALAR =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarnwick");
const QString DESINSTALADOR = QStringLiteral("Desinstalar Tarnwick.exe");
const QString LISTA = QStringLiteral("Arquivos instalados.txt");
const QString MENU = QStringLiteral("Microsoft/Windows/Start Menu/Programs/Tarnwick");
// The installer's exit code when the program runs.
constexpr int SAIDA_EM_EXECUCAO = 3;

// The settings page's fields and button, in the client area (the pages start 2 pixels in).
const QPoint PONTO_CAMINHO(120, 47);
const QPoint PONTO_USUARIO(50, 103);
const QPoint PONTO_SENHA(145, 103);
const QPoint PONTO_SALVAR(395, 250);

// The files of a folder, relative to it, sorted.
QStringList Arquivos(const QString& pPasta)
{
    QStringList xArquivos;
    QDirIterator xItens(pPasta, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (xItens.hasNext())
        xArquivos << QDir(pPasta).relativeFilePath(xItens.next());
    xArquivos.sort(Qt::CaseInsensitive);
    return xArquivos;
}

// The strings of a shell link (.lnk): its target's path, working folder and arguments.
struct TAtalho
{
    QString Alvo, Pasta, Argumentos;
};

// Reads the link's header flags, skips its item list, reads the target's local path from its link
// information and the working folder and arguments from its string data.
bool LeAtalho(const QByteArray& pLink, TAtalho& pAtalho)
{
    if (pLink.size() < 0x4C || qFromLittleEndian<quint32>(pLink.constData()) != 0x4C)
        return false;
    const quint32 xFlags = qFromLittleEndian<quint32>(pLink.constData() + 0x14);
    qsizetype xPos = 0x4C;
    const auto U16 = [&](qsizetype p) {
        return p + 2 <= pLink.size() ? qFromLittleEndian<quint16>(pLink.constData() + p) : 0;
    };
    const auto U32 = [&](qsizetype p) {
        return p + 4 <= pLink.size() ? qFromLittleEndian<quint32>(pLink.constData() + p) : 0;
    };
    if (xFlags & 0x1) // HasLinkTargetIDList
        xPos += 2 + U16(xPos);
    if (xFlags & 0x2) { // HasLinkInfo
        const quint32 xTamanho = U32(xPos);
        const quint32 xCabecalho = U32(xPos + 4);
        const quint32 xBase = U32(xPos + 16);
        if (xCabecalho >= 0x24) // a Unicode local base path
            pAtalho.Alvo = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(pLink.constData() + xPos + U32(xPos + 28)));
        else if (xBase)
            pAtalho.Alvo = QString::fromLocal8Bit(pLink.constData() + xPos + xBase);
        xPos += xTamanho;
    }
    const bool xUnicode = xFlags & 0x80;
    const auto Texto = [&](QString* pDestino) {
        const quint16 xCaracteres = U16(xPos);
        xPos += 2;
        const qsizetype xBytes = xUnicode ? 2 * xCaracteres : xCaracteres;
        if (pDestino)
            *pDestino = xUnicode
                            ? QString::fromUtf16(reinterpret_cast<const char16_t*>(pLink.constData() + xPos),
                                                 xCaracteres)
                            : QString::fromLocal8Bit(pLink.constData() + xPos, xCaracteres);
        xPos += xBytes;
    };
    if (xFlags & 0x4)
        Texto(nullptr); // name
    if (xFlags & 0x8)
        Texto(nullptr); // relative path
    if (xFlags & 0x10)
        Texto(&pAtalho.Pasta); // working folder
    if (xFlags & 0x20)
        Texto(&pAtalho.Argumentos); // arguments
    // Some writers count the terminating null in.
    for (QString* xTexto : {&pAtalho.Alvo, &pAtalho.Pasta, &pAtalho.Argumentos})
        while (xTexto->endsWith(QChar(u'\0')))
            xTexto->chop(1);
    return xPos <= pLink.size();
}

} // namespace

class TstInstaladorWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void instala();
    void atalho();
    void registro();
    void configuracao();
    void download();
    void pedidoDeFechar();
    void sessaoNaoEncerrada();
    void encerramentoDaSessao();
    void reinstala();
    void emExecucao_data();
    void emExecucao();
    void desinstala();
    void todosUsuarios();
    void pastaEscolhida();
    void atualizacao();
    void todosNaPastaEscolhida();

private:
    QProcessEnvironment Ambiente() const { return AmbienteWine(*vXvfb, vPrefixo); }
    TSaidaPrograma Wine(const QStringList& pArgumentos, int pLimiteMs = 300000) const
    {
        const TSaidaPrograma xSaida =
            ExecutaPrograma(QStringLiteral("wine"), pArgumentos, Ambiente(), pLimiteMs);
        ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-w")}, Ambiente(), pLimiteMs);
        return xSaida;
    }
    // The values of a registry key, as "name" -> "value" (wine reg query).
    QMap<QString, QString> Registro(const QString& pChave) const;
    QString Drive(const QString& pCaminho) const { return vPrefixo + QStringLiteral("/drive_c/") + pCaminho; }
    QPoint NaJanela(QPoint pPonto) const { return pPonto + vMargem; }
    void Clica(QPoint pPonto) const
    {
        const QPoint xPonto = NaJanela(pPonto);
        vXvfb->Clica(vJanela, xPonto.x(), xPonto.y());
        QTest::qWait(300);
    }
    // pTexto typed into the field at pPonto, over what it holds (a date field: from its start).
    void Digita(QPoint pPonto, const QString& pTexto, const QString& pInicio = QStringLiteral("ctrl+a")) const
    {
        Clica(pPonto);
        vXvfb->Tecla(vJanela, pInicio);
        vXvfb->Digita(pTexto);
    }
    void IniciaPrograma();
    void Baixa(const QString& pPasta);
    QString Diagnostico()
    {
        vSaidaPrograma += vPrograma.readAll();
        return QStringLiteral("program output: ") + QString::fromUtf8(vSaidaPrograma.right(3000));
    }
    QString LogDoDia() const;
    // What an installation puts in the program's folder: the dist folder's files, the uninstaller and
    // the list of the files.
    QStringList Instalados(const QStringList& pMais = {}) const
    {
        QStringList xArquivos = vDist;
        xArquivos << DESINSTALADOR << LISTA << pMais;
        xArquivos.sort(Qt::CaseInsensitive);
        return xArquivos;
    }
    // Each file of a folder with its size and time: what "nothing changed" compares.
    QStringList Estado(const QString& pPasta) const
    {
        QStringList xEstado;
        for (const QString& xArquivo : Arquivos(pPasta)) {
            const QFileInfo xInfo(pPasta + u'/' + xArquivo);
            xEstado << QStringLiteral("%1 %2 %3")
                           .arg(xArquivo)
                           .arg(xInfo.size())
                           .arg(xInfo.lastModified().toMSecsSinceEpoch());
        }
        return xEstado;
    }
    // Starts a run into the folder pPasta of %APPDATA%\Tarnwick (made here), the program started first if
    // it is not running, and returns once its first page is in; the requests before it in pInicio.
    void IniciaCorrida(const QString& pPasta, qsizetype& pInicio);
    // The session's query and then its end (pFim) or its cancellation, told to the program's window as
    // Windows does; the program's answer to the query (1 yes, 0 no), -1 when it was not told.
    int Sessao(bool pFim, QString* pSaida = nullptr) const;

    QTemporaryDir vTemp;
    std::unique_ptr<TXvfb> vXvfb;
    std::unique_ptr<TNotesService> vServico;
    QString vPastaServidor;
    QString vCaminhoBanco;
    QString vPrefixo;
    QString vUsuario;       // the Windows user's profile folder, under drive_c/users
    QString vPastaPrograma; // the installed program's folder (Unix path)
    QString vPastaUsuario;  // %APPDATA%\Tarnwick (Unix path)
    QStringList vDist;      // the dist folder's files
    QProcess vPrograma;
    QByteArray vSaidaPrograma;
    QString vJanela;
    QPoint vMargem;
    bool vBaixou = false;
};

QMap<QString, QString> TstInstaladorWindows::Registro(const QString& pChave) const
{
    QMap<QString, QString> xValores;
    const TSaidaPrograma xSaida = ExecutaPrograma(
        QStringLiteral("wine"), {QStringLiteral("reg"), QStringLiteral("query"), pChave}, Ambiente());
    for (const QString& xLinha :
         QString::fromUtf8(xSaida.Saida).split(QRegularExpression(QStringLiteral("\r?\n")))) {
        const QRegularExpressionMatch xValor =
            QRegularExpression(QStringLiteral("^\\s+(\\S+)\\s+(REG_\\w+)\\s+(.*)$")).match(xLinha);
        if (xValor.hasMatch())
            xValores.insert(xValor.captured(1), xValor.captured(3).trimmed());
    }
    return xValores;
}

QString TstInstaladorWindows::LogDoDia() const
{
    return vPastaPrograma + QStringLiteral("/log/LogTarnwick%1.txt")
                                .arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
}

void TstInstaladorWindows::cleanup()
{
    if (QTest::currentTestFailed() && vXvfb)
        vXvfb->Captura(
            QDir::current().absoluteFilePath(QStringLiteral("tst_packaging_instalador-%1.png")
                                                 .arg(QString::fromLatin1(QTest::currentTestFunction()))));
    // A program a failed case left running would hold the installed files and fail the cases after it.
    if (QTest::currentTestFailed() && vPrograma.state() != QProcess::NotRunning) {
        vPrograma.kill();
        vPrograma.waitForFinished(30000);
        ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-k")}, Ambiente(), 30000);
    }
}

void TstInstaladorWindows::initTestCase()
{
    QVERIFY(vTemp.isValid());
    QVERIFY2(QFileInfo(QStringLiteral(INSTALADOR)).isFile(),
             "no installer: build it (scripts/windows/build.sh)");
    vDist = Arquivos(QStringLiteral(PASTA_DIST));
    QVERIFY(vDist.contains(QStringLiteral("Tarnwick.exe")));

    // The company's server with one branch (an ASCII path: xdotool types it into the settings page).
    vPastaServidor = vTemp.filePath(QStringLiteral("firebird"));
    QString xPorta;
    QVERIFY(ScriptFirebird(QStringLiteral(TARNWICK_SCRIPT_FIREBIRD),
                           {QStringLiteral("start"), vPastaServidor, SENHA_SYSDBA}, xPorta));
    vCaminhoBanco =
        QStringLiteral("127.0.0.1/%1:%2").arg(xPorta, vTemp.filePath(QStringLiteral("banco/corvane.fdb")));
    QVERIFY(QDir().mkpath(vTemp.filePath(QStringLiteral("banco"))));
    try {
        BancoTeste::Cria(
            vCaminhoBanco, QStringLiteral("WIN1252"),
            BancoTeste::TabelaFiliais({{"01", QString::fromUtf8("Matriz São Paulo"), "SP", CNPJ}}),
            QStringLiteral("SYSDBA"), SENHA_SYSDBA);
    } catch (const std::exception& xErro) {
        QFAIL(xErro.what());
    }

    // 2,000 NF-e of production in 2024 for the branch, each page 150 ms away: a run lasts a few seconds.
    vServico = std::make_unique<TNotesService>(
        QStringList{QStringLiteral("--cnpj"), CNPJ, QStringLiteral("--types"), QStringLiteral("NF_E"),
                    QStringLiteral("--envs"), QStringLiteral("PRODUCAO"), QStringLiteral("--per-branch"),
                    QStringLiteral("2000"), QStringLiteral("--cancelled"), QStringLiteral("0"),
                    QStringLiteral("--fault"), QStringLiteral("delay:150")});
    vServico->UsaPorta(PORTA_SERVICO);
    QVERIFY2(vServico->Iniciar(), qPrintable(vServico->Erro()));

    vXvfb = std::make_unique<TXvfb>();
    QVERIFY(vXvfb->Inicia(QSize(1280, 1024)));
    vPrefixo = vTemp.filePath(QStringLiteral("wine"));
    const QString xErro = PreparaPrefixo(Ambiente());
    QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
    // The customer's Firebird client where Firebird's installer puts it: the system's folder.
    QVERIFY(
        QFile::copy(QStringLiteral(FBCLIENT_DLL), Drive(QStringLiteral("windows/system32/fbclient.dll"))));
    const QStringList xUsuarios =
        QDir(Drive(QStringLiteral("users"))).entryList({}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& xUsuario : xUsuarios)
        if (xUsuario != u"Public")
            vUsuario = Drive(QStringLiteral("users/") + xUsuario);
    QVERIFY2(!vUsuario.isEmpty(), qPrintable(xUsuarios.join(u' ')));
    vPastaPrograma = vUsuario + QStringLiteral("/AppData/Local/Programs/Tarnwick");
    vPastaUsuario = vUsuario + QStringLiteral("/AppData/Roaming/Tarnwick");
}

void TstInstaladorWindows::cleanupTestCase()
{
    if (vPrograma.state() != QProcess::NotRunning) {
        vPrograma.kill();
        vPrograma.waitForFinished(10000);
    }
    if (!vPrefixo.isEmpty() && vXvfb)
        ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-k")}, Ambiente(), 30000);
    if (!vPastaServidor.isEmpty()) {
        QString xSaida;
        ScriptFirebird(QStringLiteral(TARNWICK_SCRIPT_FIREBIRD), {QStringLiteral("stop"), vPastaServidor},
                       xSaida);
    }
    vServico.reset();
    vXvfb.reset();
}

// Silently, for the current user: the dist folder's files and the uninstaller, in
// %LOCALAPPDATA%\Programs\Tarnwick; the user's folder made.
void TstInstaladorWindows::instala()
{
    const TSaidaPrograma xSaida = Wine({NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S")});
    QVERIFY2(xSaida.Codigo == 0, qPrintable(xSaida.Texto()));
    QCOMPARE(Arquivos(vPastaPrograma), Instalados());
    QVERIFY(QFileInfo(vPastaUsuario).isDir());
    QVERIFY(!QFileInfo::exists(vUsuario + QStringLiteral("/AppData/Local/Programs/Tarnwick/log")));
}

// "Tarnwick" in the user's Start menu folder "Tarnwick": the installed program, with the switch that
// makes it work in the user's folder, which is its working folder too; beside it the guide.
void TstInstaladorWindows::atalho()
{
    const QString xMenu = vUsuario + QStringLiteral("/AppData/Roaming/") + MENU;
    QCOMPARE(QDir(xMenu).entryList(QDir::Files),
             (QStringList{QStringLiteral("Guia do Tarnwick.lnk"), QStringLiteral("Tarnwick.lnk")}));
    QVERIFY(vDist.contains(QStringLiteral("guia/Guia do Tarnwick.html")));
    TAtalho xGuia;
    QFile xLinkGuia(xMenu + QStringLiteral("/Guia do Tarnwick.lnk"));
    QVERIFY(xLinkGuia.open(QIODevice::ReadOnly));
    QVERIFY(LeAtalho(xLinkGuia.readAll(), xGuia));
    QVERIFY2(
        xGuia.Alvo.endsWith(QStringLiteral("\\Tarnwick\\guia\\Guia do Tarnwick.html"), Qt::CaseInsensitive),
        qPrintable(xGuia.Alvo));
    QFile xLink(xMenu + QStringLiteral("/Tarnwick.lnk"));
    QVERIFY2(xLink.open(QIODevice::ReadOnly), qPrintable(xLink.fileName()));
    TAtalho xAtalho;
    QVERIFY(LeAtalho(xLink.readAll(), xAtalho));
    const QString xPerfil = QStringLiteral("C:\\users\\") + QFileInfo(vUsuario).fileName();
    QCOMPARE(xAtalho.Alvo.toLower(),
             (xPerfil + QStringLiteral("\\AppData\\Local\\Programs\\Tarnwick\\Tarnwick.exe")).toLower());
    QCOMPARE(xAtalho.Argumentos, QStringLiteral("--pasta-do-usuario"));
    QCOMPARE(xAtalho.Pasta.toLower(), (xPerfil + QStringLiteral("\\AppData\\Roaming\\Tarnwick")).toLower());
}

// The entry of "Apps & features": name, version, publisher, icon, size, how to uninstall.
void TstInstaladorWindows::registro()
{
    const QMap<QString, QString> xValores = Registro(QStringLiteral("HKCU\\") + CHAVE_DESINSTALAR);
    const QString xPasta = QStringLiteral("C:\\users\\%1\\AppData\\Local\\Programs\\Tarnwick")
                               .arg(QFileInfo(vUsuario).fileName());
    QCOMPARE(xValores.value(QStringLiteral("DisplayName")), QStringLiteral("Tarnwick"));
    QCOMPARE(xValores.value(QStringLiteral("DisplayVersion")), QStringLiteral(VERSAO));
    QCOMPARE(xValores.value(QStringLiteral("Publisher")), QStringLiteral("Tarnwick developers"));
    QCOMPARE(xValores.value(QStringLiteral("DisplayIcon")).toLower(),
             (xPasta + QStringLiteral("\\Tarnwick.exe,0")).toLower());
    QCOMPARE(xValores.value(QStringLiteral("InstallLocation")).toLower(), xPasta.toLower());
    QCOMPARE(xValores.value(QStringLiteral("UninstallString")).toLower(),
             (u'"' + xPasta + u'\\' + DESINSTALADOR + u'"').toLower());
    // In place (_?=), so that its exit code reaches the caller.
    QCOMPARE(xValores.value(QStringLiteral("QuietUninstallString")).toLower(),
             (u'"' + xPasta + u'\\' + DESINSTALADOR + QStringLiteral("\" /S _?=") + xPasta).toLower());
    // In KiB: the program's folder holds some megabytes.
    const qint64 xTamanho = xValores.value(QStringLiteral("EstimatedSize")).toLongLong(nullptr, 16);
    QVERIFY2(xTamanho > 5000 && xTamanho < 200000,
             qPrintable(xValores.value(QStringLiteral("EstimatedSize"))));
}

// Started as the Start-menu entry starts it: no Tarnwick.ini yet, so the settings page; the database
// typed in and saved: Tarnwick.ini in the user's folder, the branch listed on the main page.
void TstInstaladorWindows::configuracao()
{
    IniciaPrograma();
    if (QTest::currentTestFailed())
        return;
    const QString xAviso = vXvfb->AguardaJanela(QString::fromUtf8("^Atenção$"), 30000);
    QVERIFY2(!xAviso.isEmpty(), qPrintable(Diagnostico()));
    QVERIFY(FechaComEnter(*vXvfb, xAviso, QString::fromUtf8("Atenção")));
    Digita(PONTO_CAMINHO, vCaminhoBanco);
    Digita(PONTO_USUARIO, QStringLiteral("SYSDBA"));
    Digita(PONTO_SENHA, SENHA_SYSDBA);
    Clica(PONTO_SALVAR);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(vPastaUsuario + QStringLiteral("/Tarnwick.ini")), 30000);
    QTest::qWait(2000);
    const QString xDialogo = vXvfb->Janela(QStringLiteral("^(Atenção|Erro|Informação)$"));
    QVERIFY2(xDialogo.isEmpty(), qPrintable(QStringLiteral("a dialog after saving; ") + Diagnostico()));
    QFile xIni(vPastaUsuario + QStringLiteral("/Tarnwick.ini"));
    QVERIFY(xIni.open(QIODevice::ReadOnly));
    const QByteArray xTexto = xIni.readAll();
    QVERIFY2(xTexto.contains(QStringLiteral("Caminho=%1\r\n").arg(vCaminhoBanco).toLatin1()),
             xTexto.constData());
    QVERIFY2(xTexto.contains("Usuario=SYSDBA\r\n"), xTexto.constData());
}

// A download of the branch's NF-e of production in 2024 into a folder of the user's folder: one
// archive of 2,000 notes; the log in the folder "log" beside the installed program.
void TstInstaladorWindows::download()
{
    QVERIFY2(vPrograma.state() == QProcess::Running, "the program is not running");
    const QString xPasta = vPastaUsuario + QStringLiteral("/XMLs");
    QVERIFY(QDir().mkpath(xPasta));
    Baixa(QStringLiteral("XMLs"));
    const QString xDialogo = vXvfb->AguardaJanela(QString::fromUtf8("^(Informação|Atenção|Erro)$"), 120000);
    QVERIFY2(!xDialogo.isEmpty(), qPrintable(QStringLiteral("the run did not end; ") + Diagnostico()));
    QTest::qWait(500);
    const QString xTitulo = vXvfb->Xdotool({QStringLiteral("getwindowname"), xDialogo});
    QCOMPARE(xTitulo, QString::fromUtf8("Informação"));
    QVERIFY(FechaComEnter(*vXvfb, xDialogo, xTitulo));
    const QString xArquivo = QStringLiteral("download_xmls_%1_NF_E_PRODUCAO.zip").arg(CNPJ);
    QCOMPARE(QDir(xPasta).entryList(QDir::Files | QDir::Hidden), QStringList{xArquivo});
    QString xErro;
    QCOMPARE(LeZip(xPasta + u'/' + xArquivo, &xErro).size(), 2000);
    QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
    QVERIFY2(QFileInfo(LogDoDia()).isFile(), qPrintable(LogDoDia()));
    vBaixou = true;
}

// Windows' close request (taskkill without /F; the taskbar's close does the same): the question of the
// title bar's close button, answered yes: the program ends by itself.
void TstInstaladorWindows::pedidoDeFechar()
{
    QVERIFY2(vPrograma.state() == QProcess::Running, "the program is not running");
    const TSaidaPrograma xPedido =
        ExecutaPrograma(QStringLiteral("wine"),
                        {QStringLiteral("taskkill"), QStringLiteral("/IM"), QStringLiteral("Tarnwick.exe")},
                        Ambiente(), 60000);
    const QString xPergunta = vXvfb->AguardaJanela(QString::fromUtf8("^Confirmação$"), 30000);
    QVERIFY2(!xPergunta.isEmpty(), qPrintable(xPedido.Texto() + Diagnostico()));
    QVERIFY(vPrograma.state() == QProcess::Running);
    QVERIFY(FechaComEnter(*vXvfb, xPergunta, QString::fromUtf8("Confirmação")));
    QVERIFY2(vPrograma.waitForFinished(30000), qPrintable(Diagnostico()));
    QCOMPARE(vPrograma.exitCode(), 0);
}

void TstInstaladorWindows::IniciaCorrida(const QString& pPasta, qsizetype& pInicio)
{
    if (vPrograma.state() == QProcess::NotRunning) {
        IniciaPrograma();
        if (QTest::currentTestFailed())
            return;
        QTest::qWait(2000); // the branch list is read once the window shows
    }
    QVERIFY(QDir().mkpath(vPastaUsuario + u'/' + pPasta));
    pInicio = vServico->LinhasRecebidas().size();
    Baixa(pPasta);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(vServico->LinhasRecebidas().size() >= pInicio + 1, 30000);
}

int TstInstaladorWindows::Sessao(bool pFim, QString* pSaida) const
{
    const TSaidaPrograma xSaida = ExecutaPrograma(
        QStringLiteral("wine"),
        {QStringLiteral(SESSAO_WINDOWS), QStringLiteral("Download de XMLs WS Velmar"),
         pFim ? QStringLiteral("fim") : QStringLiteral("cancelado")},
        Ambiente(), 60000);
    if (pSaida)
        *pSaida = xSaida.Texto();
    const QRegularExpressionMatch xResposta =
        QRegularExpression(QStringLiteral("resposta (\\d+)")).match(QString::fromUtf8(xSaida.Saida));
    return xResposta.hasMatch() ? xResposta.captured(1).toInt() : -1;
}

// A log-off asked for in the middle of a run and then cancelled (by the user, whom Windows asks since
// the program says a download is under way, or by another program): the run goes on to its end, its
// summary shows and its archive is whole. Wine's wineboot would cancel it by itself (it cancels a log-off
// any program says no to), so the messages come from a program that tells them as Windows does.
void TstInstaladorWindows::sessaoNaoEncerrada()
{
    qsizetype xInicio = 0;
    IniciaCorrida(QStringLiteral("SessaoCancelada"), xInicio);
    if (QTest::currentTestFailed())
        return;
    QString xSaida;
    QCOMPARE(Sessao(false, &xSaida), 0);
    QVERIFY2(vPrograma.state() == QProcess::Running, qPrintable(xSaida + Diagnostico()));
    const QString xDialogo = vXvfb->AguardaJanela(QString::fromUtf8("^(Informação|Atenção|Erro)$"), 120000);
    QVERIFY2(!xDialogo.isEmpty(), qPrintable(QStringLiteral("the run did not end; ") + Diagnostico()));
    QTest::qWait(500);
    const QString xTitulo = vXvfb->Xdotool({QStringLiteral("getwindowname"), xDialogo});
    QCOMPARE(xTitulo, QString::fromUtf8("Informação"));
    QVERIFY(FechaComEnter(*vXvfb, xDialogo, xTitulo));
    QCOMPARE(vServico->LinhasRecebidas().size(), xInicio + 20);
    const QString xPasta = vPastaUsuario + QStringLiteral("/SessaoCancelada");
    const QString xArquivo = QStringLiteral("download_xmls_%1_NF_E_PRODUCAO.zip").arg(CNPJ);
    QCOMPARE(QDir(xPasta).entryList(QDir::Files | QDir::Hidden), QStringList{xArquivo});
    QString xErro;
    QCOMPARE(LeZip(xPasta + u'/' + xArquivo, &xErro).size(), 2000);
    QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
    // Outside a run the program lets the session end: Wine's own log-off ends it.
    QVERIFY(vPrograma.state() == QProcess::Running);
    const TSaidaPrograma xFim =
        ExecutaPrograma(QStringLiteral("wineboot"), {QStringLiteral("--end-session")}, Ambiente(), 60000);
    QVERIFY2(vPrograma.waitForFinished(30000), qPrintable(xFim.Texto() + Diagnostico()));
    QCOMPARE(vPrograma.exitCode(), 128 + 15);
}

// The session ends (log-off) in the middle of a run, the user having chosen to end it anyway: the
// program ends, no archive under a final name, the log's closing line written.
void TstInstaladorWindows::encerramentoDaSessao()
{
    qsizetype xInicio = 0;
    IniciaCorrida(QStringLiteral("Sessao"), xInicio);
    if (QTest::currentTestFailed())
        return;
    const QString xPasta = vPastaUsuario + QStringLiteral("/Sessao");
    QString xSaida;
    // Under way: asked, the program says no.
    QCOMPARE(Sessao(true, &xSaida), 0);
    QVERIFY2(vPrograma.waitForFinished(30000), qPrintable(xSaida + Diagnostico()));
    QVERIFY2(vServico->LinhasRecebidas().size() < xInicio + 20, "the run ended before the session");
    for (const QString& xNome : QDir(xPasta).entryList(QDir::Files | QDir::Hidden))
        QVERIFY2(xNome.startsWith(u'.'), qPrintable(xNome + QStringLiteral(" under a final name")));
    QFile xLog(LogDoDia());
    QVERIFY(xLog.open(QIODevice::ReadOnly));
    const QByteArray xTexto = xLog.readAll();
    QVERIFY2(xTexto.endsWith("**** Log finalizado ****\r\n"), xTexto.right(300).constData());
}

// The same version again, silently, over the installed one: the program's files as before, the user's
// Tarnwick.ini and log kept.
void TstInstaladorWindows::reinstala()
{
    ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-k")}, Ambiente(), 30000);
    const QByteArray xIni = [&] {
        QFile f(vPastaUsuario + QStringLiteral("/Tarnwick.ini"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QVERIFY(!xIni.isEmpty());
    const qint64 xLog = QFileInfo(LogDoDia()).size();
    const TSaidaPrograma xSaida = Wine({NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S")});
    QVERIFY2(xSaida.Codigo == 0, qPrintable(xSaida.Texto()));
    QCOMPARE(Arquivos(vPastaPrograma),
             Instalados(vBaixou ? QStringList{QStringLiteral("log/") + QFileInfo(LogDoDia()).fileName()}
                                : QStringList{}));
    QFile xDepois(vPastaUsuario + QStringLiteral("/Tarnwick.ini"));
    QVERIFY(xDepois.open(QIODevice::ReadOnly));
    QCOMPARE(xDepois.readAll(), xIni);
    QCOMPARE(QFileInfo(LogDoDia()).size(), xLog);
}

// Silently: the program, its Start-menu entry and its uninstall entry gone; the log beside it and the
// user's folder kept.
void TstInstaladorWindows::desinstala()
{
    const TSaidaPrograma xSaida =
        Wine({NoWindows(vPastaPrograma + u'/' + DESINSTALADOR), QStringLiteral("/S")});
    QVERIFY2(xSaida.Codigo == 0, qPrintable(xSaida.Texto()));
    // The uninstaller runs on from a copy of itself: Wine's session waited for it.
    QStringList xRestam = Arquivos(vPastaPrograma);
    QCOMPARE(xRestam, vBaixou ? QStringList{QStringLiteral("log/") + QFileInfo(LogDoDia()).fileName()}
                              : QStringList{});
    QVERIFY(!QFileInfo::exists(vUsuario + QStringLiteral("/AppData/Roaming/") + MENU));
    QVERIFY(Registro(QStringLiteral("HKCU\\") + CHAVE_DESINSTALAR).isEmpty());
    QVERIFY(QFileInfo(vPastaUsuario + QStringLiteral("/Tarnwick.ini")).isFile());
}

// With /ALLUSERS (Wine's user is an administrator): %ProgramFiles%\Tarnwick, the entry in every user's
// Start menu, the uninstall entry in the machine's part of the registry; all gone when uninstalled.
void TstInstaladorWindows::todosUsuarios()
{
    const TSaidaPrograma xSaida =
        Wine({NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S"), QStringLiteral("/ALLUSERS")});
    QVERIFY2(xSaida.Codigo == 0, qPrintable(xSaida.Texto()));
    const QString xPasta = Drive(QStringLiteral("Program Files/Tarnwick"));
    QCOMPARE(Arquivos(xPasta), Instalados());
    const QString xLink = Drive(QStringLiteral("ProgramData/") + MENU + QStringLiteral("/Tarnwick.lnk"));
    QVERIFY2(QFileInfo(xLink).isFile(), qPrintable(xLink));
    const QMap<QString, QString> xValores = Registro(QStringLiteral("HKLM\\") + CHAVE_DESINSTALAR);
    QCOMPARE(xValores.value(QStringLiteral("InstallLocation")).toLower(),
             QStringLiteral("c:\\program files\\tarnwick"));
    QVERIFY(xValores.value(QStringLiteral("QuietUninstallString"))
                .endsWith(QStringLiteral("/S _?=C:\\Program Files\\Tarnwick"), Qt::CaseInsensitive));

    // /ALLUSERS, which earlier versions needed, is still taken (and changes nothing).
    const TSaidaPrograma xRemove =
        Wine({NoWindows(xPasta + u'/' + DESINSTALADOR), QStringLiteral("/ALLUSERS"), QStringLiteral("/S")});
    QVERIFY2(xRemove.Codigo == 0, qPrintable(xRemove.Texto()));
    QVERIFY(!QFileInfo::exists(xPasta));
    QVERIFY(!QFileInfo::exists(xLink));
    QVERIFY(!QFileInfo::exists(QFileInfo(xLink).path()));
    QVERIFY(Registro(QStringLiteral("HKLM\\") + CHAVE_DESINSTALAR).isEmpty());
}

// A folder of the user's choice (/D=; Wine would quote a path with spaces, which the switch does not
// take): installed there; a later installation goes to the same folder; the uninstaller removes it.
void TstInstaladorWindows::pastaEscolhida()
{
    const QString xPasta = Drive(QStringLiteral("Programas/TarnwickTeste"));
    QVERIFY(Wine({NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S"),
                  QStringLiteral("/D=C:\\Programas\\TarnwickTeste")})
                .Codigo == 0);
    QCOMPARE(Arquivos(xPasta), Instalados());
    QVERIFY(!QFileInfo::exists(vPastaPrograma + QStringLiteral("/Tarnwick.exe")));
    QVERIFY(Wine({NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S")}).Codigo == 0);
    QCOMPARE(Arquivos(xPasta), Instalados());
    QVERIFY(!QFileInfo::exists(vPastaPrograma + QStringLiteral("/Tarnwick.exe")));
    QVERIFY(Wine({NoWindows(xPasta + u'/' + DESINSTALADOR), QStringLiteral("/S")}).Codigo == 0);
    QVERIFY(!QFileInfo::exists(xPasta));
}

// The installer, and the uninstaller as its quiet command runs it (in place, so that its exit code is its
// own), while the program runs: silently, exit code 3, and the program's folder (but the log the program
// itself writes), its Start-menu entry and its uninstall entry as they were.
void TstInstaladorWindows::emExecucao_data()
{
    QTest::addColumn<bool>("desinstalar");
    QTest::newRow("instalador") << false;
    QTest::newRow("desinstalador") << true;
}

void TstInstaladorWindows::emExecucao()
{
    QFETCH(bool, desinstalar);
    const auto SemLog = [](QStringList pEstado) {
        pEstado.removeIf([](const QString& x) { return x.startsWith(QStringLiteral("log/")); });
        return pEstado;
    };
    const QString xChave = QStringLiteral("HKCU\\") + CHAVE_DESINSTALAR;
    const QStringList xAntes = SemLog(Estado(vPastaPrograma));
    const QMap<QString, QString> xRegistro = Registro(xChave);
    QVERIFY(!xRegistro.isEmpty());
    IniciaPrograma();
    if (QTest::currentTestFailed())
        return;
    const QString xPastaWindows = QStringLiteral("C:\\users\\%1\\AppData\\Local\\Programs\\Tarnwick")
                                      .arg(QFileInfo(vUsuario).fileName());
    // Not Wine(): its wait for the prefix's programs would wait for the running program.
    const TSaidaPrograma xSaida =
        desinstalar ? ExecutaPrograma(QStringLiteral("wine"),
                                      {NoWindows(vPastaPrograma + u'/' + DESINSTALADOR), QStringLiteral("/S"),
                                       QStringLiteral("_?=") + xPastaWindows},
                                      Ambiente(), 120000)
                    : ExecutaPrograma(QStringLiteral("wine"),
                                      {NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S")},
                                      Ambiente(), 120000);
    const bool xRodava = vPrograma.state() == QProcess::Running;
    vPrograma.kill();
    vPrograma.waitForFinished(30000);
    ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-k")}, Ambiente(), 30000);
    QVERIFY(xRodava);
    QVERIFY2(xSaida.Codigo == SAIDA_EM_EXECUCAO,
             qPrintable(QString::number(xSaida.Codigo) + u' ' + xSaida.Texto()));
    QCOMPARE(SemLog(Estado(vPastaPrograma)), xAntes);
    QCOMPARE(Registro(xChave), xRegistro);
    QVERIFY(QFileInfo::exists(vUsuario + QStringLiteral("/AppData/Roaming/") + MENU +
                              QStringLiteral("/Tarnwick.lnk")));
}

// An older version, made here from the dist folder with a file and a folder more, installed for the
// current user; this version over it, first with a file of the older one held (rolled back), then
// freely: what only the older one shipped is gone, the rest is this version's, the log kept, no work
// folder of the upgrade left; the uninstall entry names this version.
void TstInstaladorWindows::atualizacao()
{
    const QString xDist = vTemp.filePath(QStringLiteral("antiga/Tarnwick-26.8.0-win64"));
    QVERIFY(QDir().mkpath(QFileInfo(xDist).path()));
    QCOMPARE(ExecutaPrograma(QStringLiteral("cp"), {QStringLiteral("-a"), QStringLiteral(PASTA_DIST), xDist})
                 .Codigo,
             0);
    QVERIFY(QDir().mkpath(xDist + QStringLiteral("/antigos")));
    for (const QString& xArquivo : {QStringLiteral("/obsoleto.dll"), QStringLiteral("/antigos/velho.dll")}) {
        QFile xNovo(xDist + xArquivo);
        QVERIFY(xNovo.open(QIODevice::WriteOnly));
        xNovo.write("de uma versao anterior");
    }
    const QString xAntigo = vTemp.filePath(QStringLiteral("Tarnwick-26.8.0-setup.exe"));
    const TSaidaPrograma xFeito = ExecutaPrograma(
        QStringLiteral(SCRIPT_INSTALADOR),
        {xDist, QStringLiteral("26.8.0"), QStringLiteral(ICONE_INSTALADOR), xAntigo}, {}, 600000);
    QVERIFY2(xFeito.Codigo == 0, qPrintable(xFeito.Texto()));

    const QString xChave = QStringLiteral("HKCU\\") + CHAVE_DESINSTALAR;
    QVERIFY(Wine({NoWindows(xAntigo), QStringLiteral("/S")}).Codigo == 0);
    QVERIFY(QFileInfo(vPastaPrograma + QStringLiteral("/antigos/velho.dll")).isFile());
    QCOMPARE(Registro(xChave).value(QStringLiteral("DisplayVersion")), QStringLiteral("26.8.0"));
    const QStringList xLog = Arquivos(vPastaPrograma).filter(QRegularExpression(QStringLiteral("^log/")));

    // A file of the older version that cannot be moved aside (immutable: not even root renames it), after
    // others were already replaced: they are put back, exit code 5, the older version whole.
    const QString xPresa = vPastaPrograma + QStringLiteral("/platforms/qwindows.dll");
    if (ExecutaPrograma(QStringLiteral("chattr"), {QStringLiteral("+i"), xPresa}).Codigo == 0) {
        const QStringList xAntes = Estado(vPastaPrograma);
        const TSaidaPrograma xFalha = Wine({NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S")});
        ExecutaPrograma(QStringLiteral("chattr"), {QStringLiteral("-i"), xPresa});
        QCOMPARE(xFalha.Codigo, 5);
        QCOMPARE(Estado(vPastaPrograma), xAntes);
        QCOMPARE(Registro(xChave).value(QStringLiteral("DisplayVersion")), QStringLiteral("26.8.0"));
    } else {
        qWarning("chattr +i refused (not root?): the roll-back of a failed upgrade is not tried");
    }

    const TSaidaPrograma xSaida = Wine({NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S")});
    QVERIFY2(xSaida.Codigo == 0, qPrintable(xSaida.Texto()));
    QCOMPARE(Arquivos(vPastaPrograma), Instalados(xLog));
    QVERIFY(!QFileInfo::exists(vPastaPrograma + QStringLiteral("/antigos")));
    QVERIFY(!QFileInfo::exists(vPastaPrograma + QStringLiteral("/~instalacao")));
    QCOMPARE(Registro(xChave).value(QStringLiteral("DisplayVersion")), QStringLiteral(VERSAO));

    QVERIFY(Wine({NoWindows(vPastaPrograma + u'/' + DESINSTALADOR), QStringLiteral("/S")}).Codigo == 0);
    QCOMPARE(Arquivos(vPastaPrograma), xLog);
}

// For all users into C:\Sistemas\Tarnwick, whose parent lets users write (as C:\ does). A folder someone
// filled first is refused (exit code 4, nothing installed). The chosen one gets the rights of
// %ProgramFiles%: Wine keeps no Windows rights on its files (it maps them onto the Unix mode and makes
// them up again from it), so what is checked is what the installer asks of Windows, in Wine's trace of
// the calls, and the mode Wine made of it (no one but the owner writes). The program run from there
// logs in the user's folder. Then the uninstaller, started without any switch as Windows starts it: the
// installation for all users is gone.
void TstInstaladorWindows::todosNaPastaEscolhida()
{
    const QString xOcupada = Drive(QStringLiteral("Sistemas/Ocupada"));
    QVERIFY(QDir().mkpath(xOcupada));
    QFile xPlantada(xOcupada + QStringLiteral("/version.dll"));
    QVERIFY(xPlantada.open(QIODevice::WriteOnly));
    xPlantada.close();
    QCOMPARE(Wine({NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S"), QStringLiteral("/ALLUSERS"),
                   QStringLiteral("/D=C:\\Sistemas\\Ocupada")})
                 .Codigo,
             4);
    QCOMPARE(Arquivos(xOcupada), QStringList{QStringLiteral("version.dll")});

    QProcessEnvironment xRastro = Ambiente();
    xRastro.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("trace+security,trace+advapi"));
    const TSaidaPrograma xSaida =
        ExecutaPrograma(QStringLiteral("wine"),
                        {NoWindows(QStringLiteral(INSTALADOR)), QStringLiteral("/S"),
                         QStringLiteral("/ALLUSERS"), QStringLiteral("/D=C:\\Sistemas\\Tarnwick")},
                        xRastro, 300000);
    ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-w")}, Ambiente(), 300000);
    QCOMPARE(xSaida.Codigo, 0);
    const QString xPasta = Drive(QStringLiteral("Sistemas/Tarnwick"));
    QCOMPARE(Arquivos(xPasta), Instalados());
    const QString xRastroTexto = QString::fromUtf8(xSaida.Erros);
    QVERIFY2(xRastroTexto.contains(
                 QStringLiteral("ConvertStringSecurityDescriptorToSecurityDescriptorW "
                                "L\"O:BAD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)\"")),
             qPrintable(xRastroTexto.right(3000)));
    // Owner, rights and the cut from the parent (OWNER | DACL | PROTECTED_DACL), on the folder, at the
    // first try.
    QStringList xChamadas;
    QRegularExpressionMatchIterator xDefinicoes =
        QRegularExpression(QStringLiteral("SetNamedSecurityInfoW L\"([^\"]*)\" (\\d+) (-?\\d+) "))
            .globalMatch(xRastroTexto);
    while (xDefinicoes.hasNext()) {
        const QRegularExpressionMatch xChamada = xDefinicoes.next();
        xChamadas << xChamada.captured(1) + u' ' + xChamada.captured(2) + u' ' +
                         QString::number(xChamada.captured(3).toLongLong() & 0xFFFFFFFF, 16);
    }
    QCOMPARE(xChamadas, QStringList{QStringLiteral("C:\\\\Sistemas\\\\Tarnwick 1 80000005")});
    const QFileDevice::Permissions xModo = QFileInfo(xPasta).permissions();
    QVERIFY(!(xModo & QFileDevice::WriteOther));
    QVERIFY((xModo & QFileDevice::ReadOther) && (xModo & QFileDevice::ExeOther));
    const QMap<QString, QString> xValores = Registro(QStringLiteral("HKLM\\") + CHAVE_DESINSTALAR);
    QCOMPARE(xValores.value(QStringLiteral("InstallLocation")), QStringLiteral("C:\\Sistemas\\Tarnwick"));
    QCOMPARE(xValores.value(QStringLiteral("UninstallString")),
             QStringLiteral("\"C:\\Sistemas\\Tarnwick\\%1\"").arg(DESINSTALADOR));

    // A download from there: the log in the user's own folder, none beside the program.
    const QString xPastaPropria = vPastaPrograma;
    vPastaPrograma = xPasta;
    const auto xRestaura = qScopeGuard([&] { vPastaPrograma = xPastaPropria; });
    IniciaPrograma();
    if (QTest::currentTestFailed())
        return;
    QTest::qWait(2000); // the branch list is read once the window shows
    const QString xXmls = vPastaUsuario + QStringLiteral("/Todos");
    QVERIFY(QDir().mkpath(xXmls));
    Baixa(QStringLiteral("Todos"));
    const QString xDialogo = vXvfb->AguardaJanela(QString::fromUtf8("^(Informação|Atenção|Erro)$"), 120000);
    QVERIFY2(!xDialogo.isEmpty(), qPrintable(QStringLiteral("the run did not end; ") + Diagnostico()));
    vPrograma.kill();
    vPrograma.waitForFinished(30000);
    ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-k")}, Ambiente(), 30000);
    const QString xLogUsuario =
        vUsuario + QStringLiteral("/AppData/Local/Tarnwick/log/LogTarnwick%1.txt")
                       .arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    QVERIFY2(QFileInfo(xLogUsuario).isFile(), qPrintable(xLogUsuario));
    QVERIFY(!QFileInfo::exists(xPasta + QStringLiteral("/log")));

    const TSaidaPrograma xRemove = Wine({NoWindows(xPasta + u'/' + DESINSTALADOR), QStringLiteral("/S")});
    QCOMPARE(xRemove.Codigo, 0);
    QVERIFY2(!QFileInfo::exists(xPasta), qPrintable(Arquivos(xPasta).join(u' ')));
    QVERIFY(Registro(QStringLiteral("HKLM\\") + CHAVE_DESINSTALAR).isEmpty());
    QVERIFY(!QFileInfo::exists(Drive(QStringLiteral("ProgramData/") + MENU)));
}

void TstInstaladorWindows::IniciaPrograma()
{
    vSaidaPrograma.clear();
    vPrograma.setProcessEnvironment(Ambiente());
    vPrograma.setWorkingDirectory(vPastaUsuario);
    vPrograma.setProcessChannelMode(QProcess::MergedChannels);
    vPrograma.start(QStringLiteral("wine"),
                    {vPastaPrograma + QStringLiteral("/Tarnwick.exe"), QStringLiteral("--pasta-do-usuario")});
    QVERIFY2(vPrograma.waitForStarted(), qPrintable(vPrograma.errorString()));
    const TJanela xJanela = Aguarda(*vXvfb);
    QVERIFY2(!xJanela.Id.isEmpty(), qPrintable(Diagnostico()));
    vJanela = xJanela.Id;
    vMargem = xJanela.Margem;
    QVERIFY2(xJanela.MolduraValida,
             qPrintable(
                 QStringLiteral("window %1x%2").arg(xJanela.Tamanho.width()).arg(xJanela.Tamanho.height())));
}

// NF-e, production, 2024, Download, the folder pPasta of the user's folder (its full Windows path typed:
// the dialog opens in the user's home folder).
void TstInstaladorWindows::Baixa(const QString& pPasta)
{
    Clica(PONTO_LIMPAR);
    Digita(PONTO_DATA_INI, QStringLiteral("01012024"), QStringLiteral("Home"));
    Digita(PONTO_DATA_FIM, QStringLiteral("31122024"), QStringLiteral("Home"));
    Clica(PONTO_NFE);
    Clica(PONTO_PRODUCAO);
    Clica(PONTO_DOWNLOAD);
    const QString xDialogo = vXvfb->AguardaJanela(
        QString::fromUtf8("^(Selecione a pasta de destino dos XMLs|Atenção|Erro)$"), 30000);
    QVERIFY2(!xDialogo.isEmpty(), qPrintable(QStringLiteral("no folder dialog; ") + Diagnostico()));
    QCOMPARE(vXvfb->Xdotool({QStringLiteral("getwindowname"), xDialogo}),
             QStringLiteral("Selecione a pasta de destino dos XMLs"));
    vXvfb->Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), xDialogo});
    QTest::qWait(500);
    vXvfb->Digita(QStringLiteral("C:\\users\\%1\\AppData\\Roaming\\Tarnwick\\%2")
                      .arg(QFileInfo(vUsuario).fileName(), pPasta));
    vXvfb->Tecla(xDialogo, QStringLiteral("Return"));
}

QTEST_GUILESS_MAIN(TstInstaladorWindows)
#include "tst_InstaladorWindows.moc"
