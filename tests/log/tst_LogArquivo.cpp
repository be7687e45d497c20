#include "log/LogArquivo.h"
#include "log/PastaLog.h"
#include "log/Windows1252.h"
#include "sistema/ArquivoSistema.h"
#include "sistema/Pastas.h"
#include "sistema/Threads.h"
#include "util/Clock.h"
#include "util/Exception.h"
#include "util/GlobalVar.h"

#include <QDirIterator>
#include <QtTest>
#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QDateTime MOMENTO(QDate(2024, 1, 31), QTime(8, 5, 9));
const QByteArray INICIO_MOMENTO = "2024-01-31 08:05:09 v.26.09ed0 ";

class TRemetente : public TLogSender
{
public:
    explicit TRemetente(QString pNome) : vNome(std::move(pNome)) {}
    QString ClassName() const override { return vNome; }

private:
    QString vNome;
};

// A clock the test moves by hand.
class TRelogio
{
public:
    explicit TRelogio(QDateTime pAgora) : vAgora(std::move(pAgora)) {}
    QDateTime Agora()
    {
        std::lock_guard xTrava(vMutex);
        return vAgora;
    }
    void Define(QDateTime pAgora)
    {
        std::lock_guard xTrava(vMutex);
        vAgora = std::move(pAgora);
    }

private:
    std::mutex vMutex;
    QDateTime vAgora;
};

// Holds the file the way another program writing it would: as its only writer.
class TTravaExterna
{
public:
    explicit TTravaExterna(const QString& pArquivo) : vArquivo(TArquivoSistema::AbreParaAcrescentar(pArquivo))
    {
    }
    bool Travado() const { return vArquivo.Aberto(); }

private:
    TArquivoSistema vArquivo;
};

QByteArray Le(const QString& pArquivo)
{
    QFile xArquivo(pArquivo);
    return xArquivo.open(QIODevice::ReadOnly) ? xArquivo.readAll() : QByteArray();
}

void Grava(const QString& pArquivo, const QByteArray& pConteudo)
{
    QFile xArquivo(pArquivo);
    QVERIFY(xArquivo.open(QIODevice::WriteOnly));
    xArquivo.write(pConteudo);
}

QByteArray ThreadAtual()
{
    return QByteArray::number(static_cast<uint>(IdThreadAtual()), 16).toUpper().rightJustified(8, '0');
}

// The thread column (8 upper-case hex digits after date, time and version) replaced by "########".
QByteArray SemThread(const QByteArray& pConteudo)
{
    static const QRegularExpression xThread(
        QStringLiteral("(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d v\\.26\\.09ed0 )[0-9A-F]{8} "));
    return QString::fromLatin1(pConteudo).replace(xThread, QStringLiteral("\\1######## ")).toLatin1();
}

// The physical lines of a file, each with its CR LF, sorted (writers may land in any order).
QByteArrayList LinhasOrdenadas(const QByteArray& pConteudo)
{
    QByteArrayList xLinhas = pConteudo.split('\n');
    if (!xLinhas.isEmpty() && xLinhas.last().isEmpty())
        xLinhas.removeLast();
    for (QByteArray& xLinha : xLinhas)
        xLinha += '\n';
    std::sort(xLinhas.begin(), xLinhas.end());
    return xLinhas;
}

const QByteArray FECHAMENTO =
    "INFO   : [TLogArquivo" + QByteArray(21, ' ') + "] **** Log finalizado ****\r\n";

#ifdef Q_OS_WIN
// The user's state folder and the log's place in it.
constexpr const char* VARIAVEL_ESTADO = "LOCALAPPDATA";
const QString LOG_NO_ESTADO = QStringLiteral("Tarnwick/log");

// Under Wine the test runs with the rights of a Unix root, which file attributes do not stop.
bool IgnoraPermissoes()
{
    return true;
}
#else
constexpr const char* VARIAVEL_ESTADO = "XDG_STATE_HOME";
const QString LOG_NO_ESTADO = QStringLiteral("tarnwick/log");

bool IgnoraPermissoes()
{
    return geteuid() == 0;
}

// Root writes anywhere: the test then runs the program as nobody, so that a folder without write
// permission means what it means to a user.
constexpr uid_t USUARIO_COMUM = 65534;

// Hands pPasta and everything below it to the unprivileged user the test runs the program as.
bool EntregaAoUsuarioComum(const QString& pPasta)
{
    bool xOk = ::chown(QFile::encodeName(pPasta).constData(), USUARIO_COMUM, USUARIO_COMUM) == 0;
    QDirIterator xItens(pPasta, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
    while (xItens.hasNext())
        xOk = ::lchown(QFile::encodeName(xItens.next()).constData(), USUARIO_COMUM, USUARIO_COMUM) == 0 &&
              xOk;
    return xOk;
}

mode_t Modo(const QString& pPasta)
{
    struct stat xInfo = {};
    return ::stat(QFile::encodeName(pPasta).constData(), &xInfo) == 0 ? xInfo.st_mode & 07777 : 0;
}
#endif

} // namespace

// The daily log file: line format, concurrent writers, day change, failures, lifecycle.
class TstLogArquivo : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> vTemp;
    QString Pasta() const { return vTemp->path(); }

private slots:
    void initTestCase() { MVersaoSoftware = QString::fromLatin1(VERSAO_SOFTWARE); }

    void init()
    {
        vTemp = std::make_unique<QTemporaryDir>();
        QVERIFY(vTemp->isValid());
        Clock::DefineRelogio([] { return MOMENTO; });
    }

    void cleanup()
    {
        QVERIFY(TLogArquivo::AguardaEscritores());
        Clock::DefineRelogio({});
        TLogArquivo::DefinePastaLog({});
        vTemp.reset();
    }

    void textoDosNiveis()
    {
        QCOMPARE(TTipoLogHelper::ToString(TTipoLog::Debug), QStringLiteral("DEBUG "));
        QCOMPARE(TTipoLogHelper::ToString(TTipoLog::Info), QStringLiteral("INFO  "));
        QCOMPARE(TTipoLogHelper::ToString(TTipoLog::Alerta), QStringLiteral("ALERTA"));
        QCOMPARE(TTipoLogHelper::ToString(TTipoLog::Erro), QStringLiteral("ERRO  "));
    }

    void formatoDaLinha_data()
    {
        QTest::addColumn<QString>("remetente"); // empty: no sender
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("esperado"); // the bytes after the thread column

        const int xDebug = int(TTipoLog::Debug), xInfo = int(TTipoLog::Info);
        const int xAlerta = int(TTipoLog::Alerta), xErro = int(TTipoLog::Erro);
        QTest::newRow("sem remetente")
            << QString() << xInfo << "Consultando notas" << QByteArray("INFO   : [*] Consultando notas\r\n");
        QTest::newRow("classe de 11") << "TRecepcaoNF" << xErro << "Falha"
                                      << "ERRO   : [TRecepcaoNF" + QByteArray(21, ' ') + "] Falha\r\n";
        QTest::newRow("classe de 32") << "TProcessadorDeLoteDeNotasFiscais" << xAlerta << "a"
                                      << QByteArray("ALERTA : [TProcessadorDeLoteDeNotasFiscais] a\r\n");
        QTest::newRow("classe de 40")
            << "TProcessadorDeLoteDeNotasFiscaisParalelo" << xDebug << "b"
            << QByteArray("DEBUG  : [TProcessadorDeLoteDeNotasFiscaisParalelo] b\r\n");
        QTest::newRow("texto com CR LF") << QString() << xAlerta << "primeira\r\nsegunda"
                                         << QByteArray("ALERTA : [*] primeira\r\nsegunda\r\n");
        QTest::newRow("texto vazio") << "TRecepcaoNF" << xDebug << QString()
                                     << "DEBUG  : [TRecepcaoNF" + QByteArray(21, ' ') + "] \r\n";
        QTest::newRow("texto acentuado")
            << QString() << xInfo << QStringLiteral("Exceção: ação €‘’ ü Ā 😀 \u0081")
            << QByteArray("INFO   : [*] Exce\xE7\xE3o: a\xE7\xE3o \x80\x91\x92 \xFC ? ? ?\r\n");
        QTest::newRow("texto com %") << QString() << xInfo << "100% %1 %s"
                                     << QByteArray("INFO   : [*] 100% %1 %s\r\n");
    }
    void formatoDaLinha()
    {
        QFETCH(QString, remetente);
        QFETCH(int, tipo);
        QFETCH(QString, texto);
        QFETCH(QByteArray, esperado);
        if (!remetente.isEmpty())
            QCOMPARE(remetente.size() == 11 || remetente.size() == 32 || remetente.size() == 40, true);

        TLogArquivo xLog(QStringLiteral("Teste"), Pasta());
        // The sender goes away right after the call, long before the worker writes.
        auto xRemetente = std::make_unique<TRemetente>(remetente);
        const TLogSender* xObj = remetente.isEmpty() ? nullptr : xRemetente.get();
        switch (TTipoLog(tipo)) {
        case TTipoLog::Debug:
            xLog.Debug(xObj, texto);
            break;
        case TTipoLog::Info:
            xLog.Info(xObj, texto);
            break;
        case TTipoLog::Alerta:
            xLog.Alerta(xObj, texto);
            break;
        case TTipoLog::Erro:
            xLog.Erro(xObj, texto);
            break;
        }
        xRemetente.reset();
        QVERIFY(TLogArquivo::AguardaEscritores());

        const QByteArray xConteudo = Le(Pasta() + QStringLiteral("/LogTeste20240131.txt"));
        QVERIFY2(xConteudo.startsWith(INICIO_MOMENTO), xConteudo.constData());
        const QByteArray xThread = xConteudo.mid(INICIO_MOMENTO.size(), 8);
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9A-F]{8}$"))
                     .match(QString::fromLatin1(xThread))
                     .hasMatch(),
                 xThread.constData());
        QVERIFY(xThread != ThreadAtual()); // written by a worker, not by the caller
        QCOMPARE(xConteudo, INICIO_MOMENTO + xThread + ' ' + esperado);
    }

    void excecoes_data()
    {
        QTest::addColumn<QString>("classe");
        QTest::addColumn<bool>("comoErro");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("Exception como alerta")
            << "Exception" << false
            << QByteArray("ALERTA : [*] Exce\xE7\xE3o Exception: Falha de conex\xE3o\r\n");
        QTest::newRow("EConvertError como erro")
            << "EConvertError" << true
            << QByteArray("ERRO   : [*] Exce\xE7\xE3o EConvertError: Falha de conex\xE3o\r\n");
        QTest::newRow("std::runtime_error como erro")
            << "runtime_error" << true
            << QByteArray("ERRO   : [*] Exce\xE7\xE3o std::runtime_error: Falha de conex\xE3o\r\n");
    }
    void excecoes()
    {
        QFETCH(QString, classe);
        QFETCH(bool, comoErro);
        QFETCH(QByteArray, esperado);
        const QString xMensagem = QStringLiteral("Falha de conexão");
        std::unique_ptr<std::exception> xExcecao;
        if (classe == u"Exception")
            xExcecao = std::make_unique<Exception>(xMensagem);
        else if (classe == u"EConvertError")
            xExcecao = std::make_unique<EConvertError>(xMensagem);
        else
            xExcecao = std::make_unique<std::runtime_error>(xMensagem.toStdString());

        TLogArquivo xLog(QStringLiteral("Teste"), Pasta());
        if (comoErro)
            xLog.ErroExcecao(nullptr, *xExcecao);
        else
            xLog.AlertaExcecao(nullptr, *xExcecao);
        QVERIFY(TLogArquivo::AguardaEscritores());
        QCOMPARE(SemThread(Le(xLog.NomeLog())), INICIO_MOMENTO + "######## " + esperado);
    }

    // Every line is issued at once; each must arrive whole, none mixed into another, and the time
    // stamps (read with the file held) must rise down the file.
    void muitasLinhasAoMesmoTempo()
    {
        auto xLeituras = std::make_shared<std::atomic<int>>(0);
        Clock::DefineRelogio([xLeituras] { return MOMENTO.addSecs(xLeituras->fetch_add(1)); });
        TLogArquivo xLog(QStringLiteral("Teste"), Pasta());
        const QString xArquivo = Pasta() + QStringLiteral("/LogTeste20240131.txt");
        constexpr int LINHAS = 200;
        const QString xRecheio(300, u'x');
        for (int i = 0; i < LINHAS; ++i)
            xLog.Info(nullptr, QStringLiteral("linha %1 ").arg(i, 3, 10, QChar(u'0')) + xRecheio);
        QVERIFY(TLogArquivo::AguardaEscritores());

        const QByteArray xConteudo = Le(xArquivo);
        QVERIFY(xConteudo.endsWith("\r\n"));
        const QByteArrayList xLinhas = xConteudo.chopped(1).split('\n');
        QCOMPARE(xLinhas.size(), LINHAS);
        static const QRegularExpression xFormato(
            QStringLiteral("^(2024-01-31 \\d\\d:\\d\\d:\\d\\d) v\\.26\\.09ed0 ([0-9A-F]{8}) INFO   : "
                           "\\[\\*\\] linha (\\d{3}) x{300}\\r$"));
        QSet<int> xNumeros;
        QSet<QString> xThreads;
        QString xAnterior;
        for (const QByteArray& xLinha : xLinhas) {
            const QRegularExpressionMatch xPartes = xFormato.match(QString::fromLatin1(xLinha));
            QVERIFY2(xPartes.hasMatch(), xLinha.constData());
            QVERIFY2(xPartes.captured(1) > xAnterior, xLinha.constData());
            xAnterior = xPartes.captured(1);
            xThreads.insert(xPartes.captured(2));
            xNumeros.insert(xPartes.captured(3).toInt());
        }
        QCOMPARE(xNumeros.size(), LINHAS);
        QVERIFY(xThreads.size() > 1);
        QVERIFY(!xThreads.contains(QString::fromLatin1(ThreadAtual())));
    }

    // The log made the day before follows the clock at every line, in either direction, and never
    // rewrites what a day's file already holds.
    void mudancaDeDia()
    {
        auto xRelogio = std::make_shared<TRelogio>(QDateTime(QDate(2024, 1, 31), QTime(23, 59, 58)));
        Clock::DefineRelogio([xRelogio] { return xRelogio->Agora(); });
        const QString xDia31 = Pasta() + QStringLiteral("/LogTeste20240131.txt");
        const QString xDia01 = Pasta() + QStringLiteral("/LogTeste20240201.txt");
        Grava(xDia31, "de antes\r\n");

        TLogArquivo xLog(QStringLiteral("Teste"), Pasta());
        QCOMPARE(xLog.NomeLog(), xDia31);
        xLog.Info(nullptr, QStringLiteral("antes da meia-noite"));
        QVERIFY(TLogArquivo::AguardaEscritores());

        xRelogio->Define(QDateTime(QDate(2024, 2, 1), QTime(0, 0, 1)));
        xLog.Info(nullptr, QStringLiteral("depois da meia-noite"));
        QVERIFY(TLogArquivo::AguardaEscritores());
        QCOMPARE(xLog.NomeLog(), xDia01);

        xRelogio->Define(QDateTime(QDate(2024, 1, 31), QTime(12, 0, 0))); // clock set back
        xLog.Info(nullptr, QStringLiteral("relogio atrasado"));
        QVERIFY(TLogArquivo::AguardaEscritores());
        QCOMPARE(xLog.NomeLog(), xDia31);

        QCOMPARE(SemThread(Le(xDia31)),
                 QByteArray("de antes\r\n"
                            "2024-01-31 23:59:58 v.26.09ed0 ######## INFO   : [*] antes da meia-noite\r\n"
                            "2024-01-31 12:00:00 v.26.09ed0 ######## INFO   : [*] relogio atrasado\r\n"));
        QCOMPARE(SemThread(Le(xDia01)),
                 QByteArray("2024-02-01 00:00:01 v.26.09ed0 ######## INFO   : [*] depois da meia-noite\r\n"));
    }

    void nomeDoArquivo()
    {
        TLogArquivo xComPrefixo(QStringLiteral("Tarnwick"), Pasta());
        QCOMPARE(xComPrefixo.NomeLog(), Pasta() + QStringLiteral("/LogTarnwick20240131.txt"));
        // No prefix: the executable's name without its extension.
        TLogArquivo xSemPrefixo(QString(), Pasta() + u'/');
        const QString xPrograma = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        QCOMPARE(xSemPrefixo.NomeLog(),
                 Pasta() + QStringLiteral("/Log") + xPrograma + QStringLiteral("20240131.txt"));
        xComPrefixo.SetLogAtivo(false);
        xSemPrefixo.SetLogAtivo(false);
    }

    void pastaAoLadoDoExecutavel()
    {
        TLogArquivo xLog(QStringLiteral("Teste"));
        const QString xPasta = QCoreApplication::applicationDirPath() + QStringLiteral("/log");
        QCOMPARE(xLog.NomeLog(), xPasta + QStringLiteral("/LogTeste20240131.txt"));
        QVERIFY(QFileInfo(xPasta).isDir());
        xLog.SetLogAtivo(false); // no closing line beside the test program
    }

    void linhaDeFechamento()
    {
        {
            TLogArquivo xLog(QStringLiteral("Teste"), Pasta());
        }
        QVERIFY(TLogArquivo::AguardaEscritores());
        QCOMPARE(SemThread(Le(Pasta() + QStringLiteral("/LogTeste20240131.txt"))),
                 INICIO_MOMENTO + "######## " + FECHAMENTO);
    }

    // The log and the sender are gone before their workers write: the lines still come out right.
    void objetosLiberadosLogoAposAChamada()
    {
        auto xLog = std::make_unique<TLogArquivo>(QStringLiteral("Teste"), Pasta());
        auto xRemetente = std::make_unique<TRemetente>(QStringLiteral("TRecepcaoNF"));
        const QString xArquivo = xLog->NomeLog();
        xLog->Erro(xRemetente.get(), QStringLiteral("ultima"));
        xRemetente.reset();
        xLog.reset();
        QVERIFY(TLogArquivo::AguardaEscritores());
        QByteArrayList xEsperadas{INICIO_MOMENTO + "######## " + FECHAMENTO,
                                  INICIO_MOMENTO + "######## ERRO   : [TRecepcaoNF" + QByteArray(21, ' ') +
                                      "] ultima\r\n"};
        std::sort(xEsperadas.begin(), xEsperadas.end());
        QCOMPARE(LinhasOrdenadas(SemThread(Le(xArquivo))), xEsperadas);
    }

    void logInativo()
    {
        auto xLog = std::make_unique<TLogArquivo>(QStringLiteral("Teste"), Pasta());
        const QString xArquivo = xLog->NomeLog();
        QVERIFY(xLog->LogAtivo());
        xLog->SetLogAtivo(false);
        QVERIFY(!xLog->LogAtivo());
        TRemetente xRemetente(QStringLiteral("TRecepcaoNF"));
        xLog->Debug(&xRemetente, QStringLiteral("d"));
        xLog->Info(nullptr, QStringLiteral("i"));
        xLog->Alerta(nullptr, QStringLiteral("a"));
        xLog->Erro(nullptr, QStringLiteral("e"));
        xLog->AlertaExcecao(nullptr, Exception(QStringLiteral("x")));
        xLog->ErroExcecao(nullptr, Exception(QStringLiteral("y")));
        QVERIFY(TLogArquivo::AguardaEscritores(0)); // not even a thread was started
        QVERIFY(QDir(Pasta()).isEmpty());           // nor the day's file created

        xLog->SetLogAtivo(true);
        xLog->Info(nullptr, QStringLiteral("de novo"));
        QVERIFY(TLogArquivo::AguardaEscritores());
        xLog->SetLogAtivo(false);
        xLog.reset(); // inactive: no closing line either
        QVERIFY(TLogArquivo::AguardaEscritores());
        QCOMPARE(SemThread(Le(xArquivo)), INICIO_MOMENTO + "######## INFO   : [*] de novo\r\n");
    }

    // A line that cannot be written is dropped after its attempts; the caller and later lines go on.
    void arquivoIndisponivel_data()
    {
        QTest::addColumn<QString>("obstaculo");
        QTest::newRow("arquivo somente leitura") << "somente leitura";
        QTest::newRow("arquivo travado por outro programa") << "travado";
        QTest::newRow("pasta no lugar do arquivo") << "pasta";
        QTest::newRow("pasta do log apagada") << "sem pasta";
    }
    void arquivoIndisponivel()
    {
        QFETCH(QString, obstaculo);
        const QString xPasta = Pasta() + QStringLiteral("/log");
        TLogArquivo xLog(QStringLiteral("Teste"), xPasta);
        const QString xArquivo = xLog.NomeLog();
        if (obstaculo != u"pasta")
            Grava(xArquivo, "anterior\r\n");

        std::unique_ptr<TTravaExterna> xTrava;
        if (obstaculo == u"somente leitura") {
            QVERIFY(QFile::setPermissions(xArquivo, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            if (IgnoraPermissoes()) // permission bits do not stop root: another program's lock stands in
                xTrava = std::make_unique<TTravaExterna>(xArquivo);
        } else if (obstaculo == u"travado") {
            xTrava = std::make_unique<TTravaExterna>(xArquivo);
        } else if (obstaculo == u"pasta") {
            QVERIFY(QDir().mkpath(xArquivo));
        } else {
            QVERIFY(QDir(xPasta).removeRecursively());
        }
        if (xTrava)
            QVERIFY(xTrava->Travado());

        TRemetente xRemetente(QStringLiteral("TRecepcaoNF"));
        xLog.Info(nullptr, QStringLiteral("perdida 1"));
        xLog.Erro(&xRemetente, QStringLiteral("perdida 2"));
        xLog.ErroExcecao(&xRemetente, Exception(QStringLiteral("perdida 3")));
        QVERIFY(TLogArquivo::AguardaEscritores()); // the workers gave up

        if (obstaculo == u"sem pasta") {
            QVERIFY(!QFileInfo::exists(xPasta)); // not made again
            xLog.SetLogAtivo(false);
            return;
        }
        if (obstaculo == u"pasta") {
            QVERIFY(QFileInfo(xArquivo).isDir());
            QVERIFY(QDir(xArquivo).isEmpty());
            QVERIFY(QDir(xArquivo).removeRecursively());
        } else {
            QCOMPARE(Le(xArquivo), QByteArray("anterior\r\n"));
            xTrava.reset();
            QVERIFY(QFile::setPermissions(xArquivo, QFile::ReadOwner | QFile::WriteOwner));
        }

        xLog.Info(nullptr, QStringLiteral("depois"));
        QVERIFY(TLogArquivo::AguardaEscritores());
        const QByteArray xInicio = obstaculo == u"pasta" ? QByteArray() : QByteArray("anterior\r\n");
        QCOMPARE(SemThread(Le(xArquivo)), xInicio + INICIO_MOMENTO + "######## INFO   : [*] depois\r\n");
        xLog.SetLogAtivo(false);
    }

    // Log(): one instance, made (with its folder) on first use, and released with its closing line.
    void logDoProcesso()
    {
        const QString xPasta = Pasta() + QStringLiteral("/programa/log");
        TLogArquivo::DefinePastaLog(xPasta);
        QVERIFY(!QFileInfo::exists(Pasta() + QStringLiteral("/programa")));

        TLogArquivo& xLog = Log();
        QCOMPARE(&Log(), &xLog);
        QVERIFY(QFileInfo(xPasta).isDir()); // made with its missing parent
        const QString xPrograma = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        const QString xArquivo = xPasta + QStringLiteral("/Log") + xPrograma + QStringLiteral("20240131.txt");
        QCOMPARE(xLog.NomeLog(), xArquivo);
        QVERIFY(QDir(xPasta).isEmpty()); // no file before the first line

        TRemetente xRemetente(QStringLiteral("TRecepcaoNF"));
        Log().Info(&xRemetente, QStringLiteral("Consultando notas"));
        LiberaLog();
        QVERIFY(TLogArquivo::AguardaEscritores());
        QByteArrayList xEsperadas{INICIO_MOMENTO + "######## " + FECHAMENTO,
                                  INICIO_MOMENTO + "######## INFO   : [TRecepcaoNF" + QByteArray(21, ' ') +
                                      "] Consultando notas\r\n"};
        std::sort(xEsperadas.begin(), xEsperadas.end());
        QCOMPARE(LinhasOrdenadas(SemThread(Le(xArquivo))), xEsperadas);
        LiberaLog(); // nothing left to release
    }

    // The session ends with a run in the air: the closing line is the log's last; the run's request,
    // cancelled a moment later on its own thread, writes nothing, neither here nor in a new log.
    void logEncerrado()
    {
        TLogArquivo::DefinePastaLog(Pasta());
        TLogArquivo& xLog = Log();
        xLog.Info(nullptr, QStringLiteral("antes"));
        EncerraLog();
        std::thread([&] {
            QCOMPARE(&Log(), &xLog);
            Log().Erro(nullptr, QStringLiteral("depois"));
        }).join();
        QVERIFY(TLogArquivo::AguardaEscritores());
        const QStringList xArquivos = QDir(Pasta()).entryList(QDir::Files);
        QCOMPARE(xArquivos.size(), 1);
        const QByteArray xConteudo = Le(Pasta() + u'/' + xArquivos.first());
        QVERIFY2(xConteudo.endsWith(FECHAMENTO), xConteudo.constData());
        QCOMPARE(xConteudo.count("**** Log finalizado ****"), 1);
        QVERIFY(xConteudo.contains("] antes"));
        QVERIFY(!xConteudo.contains("depois"));
        LiberaLog(); // the silent instance goes without a second closing line
        QVERIFY(TLogArquivo::AguardaEscritores());
        QCOMPARE(Le(Pasta() + u'/' + xArquivos.first()).count("**** Log finalizado ****"), 1);
    }

    // The first lines may come from several threads at once: one log, one closing line. Repeated, as
    // the threads meet only now and then on two cores.
    void logDoProcessoEntreThreads()
    {
        TLogArquivo::DefinePastaLog(Pasta());
        constexpr int RODADAS = 40;
        constexpr int THREADS = 4;
        for (int xRodada = 0; xRodada < RODADAS; ++xRodada) {
            std::atomic<int> xProntas{0};
            std::vector<TLogArquivo*> xLogs(THREADS, nullptr);
            std::vector<std::thread> xThreads;
            for (int i = 0; i < THREADS; ++i)
                xThreads.emplace_back([&, i] {
                    ++xProntas;
                    while (xProntas.load() < THREADS) {
                    }
                    xLogs[size_t(i)] = &Log();
                    xLogs[size_t(i)]->Info(nullptr, QStringLiteral("linha %1").arg(i));
                });
            for (std::thread& xThread : xThreads)
                xThread.join();
            QCOMPARE(std::count(xLogs.begin(), xLogs.end(), xLogs.front()), THREADS);
            LiberaLog();
        }
        QVERIFY(TLogArquivo::AguardaEscritores());
        const QStringList xArquivos = QDir(Pasta()).entryList(QDir::Files);
        QCOMPARE(xArquivos.size(), 1);
        const QByteArray xConteudo = Le(Pasta() + u'/' + xArquivos.first());
        QCOMPARE(xConteudo.count("**** Log finalizado ****"), RODADAS);
        QCOMPARE(xConteudo.count("] linha "), RODADAS * THREADS);
    }

    // A program in the system's program folders. POSIX: under /usr, /usr/local included, followed through
    // links. Windows: under either Program Files folder, whatever the case of the letters.
    void programaDoSistema_data()
    {
        QTest::addColumn<QString>("executavel"); // "<temp>" is the test's folder
        QTest::addColumn<bool>("doSistema");
#ifdef Q_OS_WIN
        // %ProgramFiles% is <temp>/Arquivos de Programas, %ProgramFiles(x86)% <temp>/Programas (x86).
        QTest::newRow("Program Files") << "<temp>/Arquivos de Programas/Tarnwick/Tarnwick.exe" << true;
        QTest::newRow("other case") << "<temp>/arquivos de programas/Tarnwick/Tarnwick.exe" << true;
        QTest::newRow("Program Files (x86)") << "<temp>/Programas (x86)/Tarnwick/Tarnwick.exe" << true;
        QTest::newRow("user's folder") << "<temp>/Usuarios/Ana/Tarnwick/Tarnwick.exe" << false;
        QTest::newRow("name only starting like it") << "<temp>/Arquivos de Programas2/Tarnwick.exe" << false;
        QTest::newRow("leaving it by ..") << "<temp>/Arquivos de Programas/../Ana/Tarnwick.exe" << false;
#else
        QTest::newRow("/usr/bin") << "/usr/bin/tarnwick" << true;
        QTest::newRow("/usr/local/bin") << "/usr/local/bin/tarnwick" << true;
        QTest::newRow("/usr/lib") << "/usr/lib/tarnwick/tarnwick" << true;
        QTest::newRow("/opt") << "/opt/tarnwick/tarnwick" << false;
        QTest::newRow("user's folder") << "/home/ana/tarnwick/tarnwick" << false;
        QTest::newRow("package unpacked by the user") << "<temp>/raiz/usr/bin/tarnwick" << false;
        QTest::newRow("name only starting like /usr") << "/usrx/bin/tarnwick" << false;
        QTest::newRow("leaving /usr by ..") << "/usr/../home/ana/tarnwick" << false;
        QTest::newRow("link to a program under /usr") << "<temp>/ligacao" << true;
        QTest::newRow("through a linked folder") << "<temp>/sistema/bin/env" << true;
#endif
    }
    void programaDoSistema()
    {
        QFETCH(QString, executavel);
        QFETCH(bool, doSistema);
#ifdef Q_OS_WIN
        qputenv("ProgramFiles", QDir::toNativeSeparators(Pasta() + QStringLiteral("/Arquivos de Programas")).toLocal8Bit());
        qputenv("ProgramW6432", QDir::toNativeSeparators(Pasta() + QStringLiteral("/Arquivos de Programas")).toLocal8Bit());
        qputenv("ProgramFiles(x86)", QDir::toNativeSeparators(Pasta() + QStringLiteral("/Programas (x86)")).toLocal8Bit());
#else
        QVERIFY(QFile::link(QStringLiteral("/usr/bin/env"), Pasta() + QStringLiteral("/ligacao")));
        QVERIFY(QFile::link(QStringLiteral("/usr"), Pasta() + QStringLiteral("/sistema")));
#endif
        QCOMPARE(ProgramaDoSistema(executavel.replace(QStringLiteral("<temp>"), Pasta())), doSistema);
    }

    // A program in the system's folders writes its log in the user's state folder even where the folder
    // beside it could be written (by root, say); any other program beside itself first.
    void pastaDeUmProgramaDoSistema_data()
    {
        QTest::addColumn<bool>("doSistema");
        QTest::addColumn<QString>("estado");        // the user's state folder, under the test's folder
        QTest::addColumn<QString>("pastaEsperada"); // under the test's folder
        QTest::newRow("program of the system") << true << "estado" << "estado/" + LOG_NO_ESTADO + "/";
        QTest::newRow("program of the user") << false << "estado" << "bin/log/";
        // Lines dropped rather than written beside.
        QTest::newRow("program of the system, no state folder")
            << true << "arquivo/estado" << "arquivo/estado/" + LOG_NO_ESTADO + "/";
    }
    void pastaDeUmProgramaDoSistema()
    {
        QFETCH(bool, doSistema);
        QFETCH(QString, estado);
        QFETCH(QString, pastaEsperada);
        QVERIFY(QDir(Pasta()).mkpath(QStringLiteral("bin")));
        Grava(Pasta() + QStringLiteral("/arquivo"), "não é uma pasta");
        const QByteArray xAnterior = qgetenv(VARIAVEL_ESTADO);
        const auto xRestaura = qScopeGuard(
            [&] { xAnterior.isNull() ? qunsetenv(VARIAVEL_ESTADO) : qputenv(VARIAVEL_ESTADO, xAnterior); });
        qputenv(VARIAVEL_ESTADO, QDir::toNativeSeparators(Pasta() + u'/' + estado).toLocal8Bit());
        QCOMPARE(EscolhePastaLog(Pasta() + QStringLiteral("/bin/log"), doSistema),
                 Pasta() + u'/' + pastaEsperada);
        QCOMPARE(QFileInfo::exists(Pasta() + QStringLiteral("/bin/log")), !doSistema);
    }

    // A program that returns from main with the log alive: released at exit, with its closing line,
    // and lines still being written at that moment neither crash it nor come out cut.
    void saidaDoProgramaSemLiberarOLog_data()
    {
        QTest::addColumn<int>("linhas");
        QTest::newRow("uma linha") << 1;
        QTest::newRow("cem linhas") << 100;
    }
    void saidaDoProgramaSemLiberarOLog()
    {
        QFETCH(int, linhas);
        QProcess xPrograma;
        xPrograma.start(QStringLiteral(LOG_AUXILIAR_SAIDA), {Pasta(), QString::number(linhas)});
        QVERIFY(xPrograma.waitForFinished(60000));
        QCOMPARE(xPrograma.readAllStandardError(), QByteArray());
        QCOMPARE(xPrograma.exitStatus(), QProcess::NormalExit);
        QCOMPARE(xPrograma.exitCode(), 0);

        // The prefix is the program's name, read without a QCoreApplication.
        const QStringList xArquivos = QDir(Pasta()).entryList(QDir::Files);
        QCOMPARE(xArquivos.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^Logtst_log_auxiliar_saida\\d{8}\\.txt$"))
                     .match(xArquivos.first())
                     .hasMatch(),
                 qPrintable(xArquivos.first()));
        const QByteArray xConteudo = Le(Pasta() + u'/' + xArquivos.first());
        QVERIFY(xConteudo.endsWith("\r\n"));
        static const QRegularExpression xFormato(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d v\\.26\\.09ed0 [0-9A-F]{8} INFO   : "
                           "(\\[\\*\\] linha \\d+|\\[TLogArquivo {21}\\] \\*{4} Log finalizado \\*{4})\\r$"));
        const QByteArrayList xLinhas = xConteudo.chopped(1).split('\n');
        for (const QByteArray& xLinha : xLinhas)
            QVERIFY2(xFormato.match(QString::fromLatin1(xLinha)).hasMatch(), xLinha.constData());
        if (linhas == 1) {
            QCOMPARE(xLinhas.size(), 2);
            QVERIFY(xConteudo.contains("**** Log finalizado ****"));
        }
    }

    // Where the folder "log" beside the executable cannot be made or written, the log goes to the user's
    // state folder, with the same names and lines. A copy of the helper program runs from a folder of
    // the test's own, as the installed program runs from /usr/bin.
    void pastaDoUsuario_data()
    {
        QTest::addColumn<QString>("obstaculo");    // in the program's folder: "", "arquivo log", "sem escrita"
        QTest::addColumn<QString>("estado");       // the state variable: "absoluto", "relativo" or "" (unset)
        QTest::addColumn<QString>("pastaEsperada"); // under the test's folder
        QTest::addColumn<QStringList>("privadas");  // folders the log made in the user's folders: 0700
        QTest::newRow("ao lado gravavel") << "" << "absoluto" << "programa/log" << QStringList();
#ifdef Q_OS_WIN
        // Folder permissions do not hold back the Unix root Wine runs as, and without %LOCALAPPDATA% the
        // shell's folder lies outside the test's: a file named "log" shows the choice.
        QTest::newRow("log e um arquivo")
            << "arquivo log" << "absoluto" << "estado/Tarnwick/log" << QStringList();
#else
        QTest::newRow("log e um arquivo") << "arquivo log" << "absoluto" << "estado/tarnwick/log"
                                          << QStringList{"estado/tarnwick", "estado/tarnwick/log"};
        QTest::newRow("pasta sem escrita") << "sem escrita" << "absoluto" << "estado/tarnwick/log"
                                           << QStringList{"estado/tarnwick", "estado/tarnwick/log"};
        QTest::newRow("sem XDG_STATE_HOME")
            << "sem escrita" << "" << "casa/.local/state/tarnwick/log"
            << QStringList{"casa/.local", "casa/.local/state", "casa/.local/state/tarnwick/log"};
        QTest::newRow("XDG_STATE_HOME relativo ignorado")
            << "arquivo log" << "relativo" << "casa/.local/state/tarnwick/log" << QStringList{"casa/.local"};
#endif
    }
    void pastaDoUsuario()
    {
        QFETCH(QString, obstaculo);
        QFETCH(QString, estado);
        QFETCH(QString, pastaEsperada);
        QFETCH(QStringList, privadas);

        QVERIFY(QDir(Pasta()).mkpath(QStringLiteral("programa")));
        QVERIFY(QDir(Pasta()).mkpath(QStringLiteral("casa")));
        QVERIFY(QDir(Pasta()).mkpath(QStringLiteral("estado")));
#ifdef Q_OS_WIN
        const QString xPrograma = Pasta() + QStringLiteral("/programa/tarnwick.exe");
        const bool xRoot = false;
#else
        const QString xPrograma = Pasta() + QStringLiteral("/programa/tarnwick");
        const bool xRoot = ::geteuid() == 0;
#endif
        QVERIFY(QFile::copy(QStringLiteral(LOG_AUXILIAR_SAIDA), xPrograma));
        if (obstaculo == u"arquivo log")
            Grava(Pasta() + QStringLiteral("/programa/log"), "não é uma pasta");
#ifndef Q_OS_WIN
        if (xRoot) {
            QVERIFY(EntregaAoUsuarioComum(Pasta()));
            QVERIFY(::chmod(QFile::encodeName(Pasta()).constData(), 0755) == 0);
        }
        if (obstaculo == u"sem escrita")
            QVERIFY(::chmod(QFile::encodeName(Pasta() + QStringLiteral("/programa")).constData(), 0555) == 0);
#endif

        QProcessEnvironment xAmbiente = QProcessEnvironment::systemEnvironment();
        xAmbiente.insert(QStringLiteral("HOME"), Pasta() + QStringLiteral("/casa"));
        const QString xVariavel = QString::fromLatin1(VARIAVEL_ESTADO);
        if (estado == u"absoluto")
            xAmbiente.insert(xVariavel, QDir::toNativeSeparators(Pasta() + QStringLiteral("/estado")));
        else if (estado == u"relativo")
            xAmbiente.insert(xVariavel, QStringLiteral("estado"));
        else
            xAmbiente.remove(xVariavel);
        QProcess xProcesso;
        xProcesso.setProcessEnvironment(xAmbiente);
        xProcesso.setWorkingDirectory(Pasta() + QStringLiteral("/casa"));
        // The log folder is empty: the program's own, not the test seam.
        const QStringList xArgumentos{QString(), QStringLiteral("1")};
        if (xRoot)
            xProcesso.start(QStringLiteral("setpriv"),
                            QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                        QStringLiteral("--clear-groups"), xPrograma} +
                                xArgumentos);
        else
            xProcesso.start(xPrograma, xArgumentos);
        QVERIFY(xProcesso.waitForFinished(60000));
        QCOMPARE(xProcesso.readAllStandardError(), QByteArray());
        QCOMPARE(xProcesso.exitStatus(), QProcess::NormalExit);
        QCOMPARE(xProcesso.exitCode(), 0);

        const QString xPasta = Pasta() + u'/' + pastaEsperada;
        const QStringList xArquivos = QDir(xPasta).entryList(QDir::Files);
        QCOMPARE(xArquivos.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^Logtarnwick\\d{8}\\.txt$")).match(xArquivos.first()).hasMatch(),
                 qPrintable(xArquivos.first()));
        const QByteArray xConteudo = Le(xPasta + u'/' + xArquivos.first());
        QVERIFY(xConteudo.contains(" INFO   : [*] linha 0\r\n"));
        QVERIFY(xConteudo.contains(FECHAMENTO));

        // Nothing anywhere else: one folder of logs.
        const bool xAoLado = pastaEsperada.startsWith(u"programa");
        QCOMPARE(QFileInfo(Pasta() + QStringLiteral("/programa/log")).isDir(), xAoLado);
        QCOMPARE(QFileInfo::exists(Pasta() + QStringLiteral("/estado/") + LOG_NO_ESTADO.section(u'/', 0, 0)),
                 pastaEsperada.startsWith(u"estado"));
        QCOMPARE(QFileInfo::exists(Pasta() + QStringLiteral("/casa/.local")), pastaEsperada.startsWith(u"casa"));
        if (obstaculo == u"arquivo log")
            QCOMPARE(Le(Pasta() + QStringLiteral("/programa/log")), QByteArray("não é uma pasta"));
#ifndef Q_OS_WIN
        for (const QString& xPrivada : privadas)
            QCOMPARE(Modo(Pasta() + u'/' + xPrivada), mode_t(0700));
        ::chmod(QFile::encodeName(Pasta() + QStringLiteral("/programa")).constData(), 0755);
#endif
    }

    // A writer still held up when the log is released at exit (its file does not answer: here a pipe
    // nobody reads yet) outlives the 2 s wait; it must then drop its line without reading the clock or
    // anything else the exit destroys.
    void escritorRetidoNaoUsaORelogioDepoisDaLiberacao()
    {
#ifdef Q_OS_WIN
        QSKIP("needs a file that holds its writer up (a FIFO), which Windows files are not");
#else
        auto xLeituras = std::make_shared<std::atomic<int>>(0);
        Clock::DefineRelogio([xLeituras] {
            xLeituras->fetch_add(1);
            return MOMENTO;
        });
        TLogArquivo::DefinePastaLog(Pasta());
        const QString xArquivo = Log().NomeLog();
        const QByteArray xCaminho = QFile::encodeName(xArquivo);
        QCOMPARE(mkfifo(xCaminho.constData(), 0600), 0);

        Log().Info(nullptr, QStringLiteral("retida"));
        QElapsedTimer xTempo;
        xTempo.start();
        LiberaLog(); // its closing line is held up too
        QVERIFY(xTempo.elapsed() >= 1900);
        const int xAntes = xLeituras->load();

        // The pipe answers now: the writers go on, and must find the way closed.
        const int xLeitor = open(xCaminho.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        QVERIFY(xLeitor >= 0);
        QVERIFY(TLogArquivo::AguardaEscritores(10000));
        char xBytes[256];
        const ssize_t xLidos = read(xLeitor, xBytes, sizeof xBytes);
        close(xLeitor);
        QCOMPARE(xLeituras->load(), xAntes);
        QVERIFY(xLidos <= 0); // nothing written

        // A log made afterwards writes as before.
        QVERIFY(QFile::remove(xArquivo));
        Log().Info(nullptr, QStringLiteral("depois"));
        LiberaLog();
        QVERIFY(TLogArquivo::AguardaEscritores());
        QVERIFY(Le(xArquivo).contains("] depois\r\n"));
        QVERIFY(xLeituras->load() > xAntes);
#endif
    }

    void windows1252_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("ascii") << "Log [*] 0-9 ~" << QByteArray("Log [*] 0-9 ~");
        QTest::newRow("latin-1") << QStringLiteral("çãéÇÃÉ ÿ\u00A0")
                                 << QByteArray("\xE7\xE3\xE9\xC7\xC3\xC9 \xFF\xA0");
        QTest::newRow("faixa 80-9F") << QStringLiteral("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ")
                                     << QByteArray(
                                            "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
                                            "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F");
        QTest::newRow("controles C1") << QStringLiteral("\u0080\u0081\u008D\u009F") << QByteArray("????");
        QTest::newRow("fora do codigo") << QStringLiteral("Ā ł ✓") << QByteArray("? ? ?");
        QTest::newRow("par substituto vira um") << QStringLiteral("a😀b") << QByteArray("a?b");
        QTest::newRow("substituto solto")
            << QString(QChar(0xD800)) + u'x' + QChar(0xDC00) << QByteArray("?x?");
        QTest::newRow("nulo") << QString(QChar(0)) << QByteArray(1, '\0');
    }
    void windows1252()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, esperado);
        QCOMPARE(ParaWindows1252(texto), esperado);
    }
};

QTEST_GUILESS_MAIN(TstLogArquivo)
#include "tst_LogArquivo.moc"
