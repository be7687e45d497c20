// Libraries loaded while the program runs: this system's names of the Firebird client and where they are
// looked for, why a library is refused (missing, 32-bit, missing what it needs, too old), the message
// the connection gives when no client can be used, and on Windows that a DLL planted in the working
// folder or a PATH folder never loads while the client shipped with the program does.
#include "config/ClienteFirebird.h"
#include "config/ConexaoBD.h"
#include "log/LogArquivo.h"
#include "sistema/Biblioteca.h"
#include "sistema/Pastas.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using Biblioteca::TFalha;
using Biblioteca::TRecusa;

Q_DECLARE_METATYPE(Biblioteca::TRecusa)

namespace {

// What this system calls its libraries.
struct TPlataforma
{
    QStringList NomesFirebird;
    QString Extensao;
    QString BibliotecaDoSistema; // one every machine has, as Carrega takes it
    const char* FuncaoDoSistema; // one function it has
};

const TPlataforma& Plataforma()
{
#ifdef Q_OS_WIN
    static const TPlataforma xWindows{{"fbclient.dll", "gds32.dll"},
                                      ".dll",
                                      qEnvironmentVariable("SystemRoot") + "/system32/kernel32.dll",
                                      "GetCurrentProcessId"};
    return xWindows;
#else
    static const TPlataforma xPosix{
        {"libfbclient.so.2", "libfbclient.so", "libgds.so.0", "libgds.so"}, ".so", "libc.so.6", "getpid"};
    return xPosix;
#endif
}

// The header of a library for 32-bit x86, and nothing after it: enough for the system (or the program)
// to tell what it is, never loaded.
QByteArray Biblioteca32Bits()
{
#ifdef Q_OS_WIN
    QByteArray xPe(0x200, '\0');
    xPe[0] = 'M';
    xPe[1] = 'Z';
    xPe[0x3c] = 0x40; // where the PE header starts
    xPe.replace(0x40, 4, QByteArray("PE\0\0", 4));
    xPe[0x44] = char(0x4c); // machine: i386
    xPe[0x45] = char(0x01);
    return xPe;
#else
    QByteArray xElf(0x40, '\0');
    xElf.replace(0, 4, "\x7f" "ELF");
    xElf[4] = 1;  // 32-bit
    xElf[5] = 1;  // little-endian
    xElf[6] = 1;  // version
    xElf[16] = 3; // a shared object
    xElf[18] = 3; // i386
    xElf[20] = 1;
    return xElf;
#endif
}

bool Grava(const QString& pArquivo, const QByteArray& pBytes)
{
    QFile xArquivo(pArquivo);
    return xArquivo.open(QIODevice::WriteOnly) && xArquivo.write(pBytes) == pBytes.size();
}

// A file of the build copied to pDestino (full paths from here on, whatever the build's were).
bool Copia(const char* pOrigem, const QString& pDestino)
{
    QFile::remove(pDestino);
    return QFile::copy(QFileInfo(QString::fromUtf8(pOrigem)).absoluteFilePath(), pDestino);
}

// Each kind of candidate the tests make, in a folder.
QString Prepara(const QString& pCaso, const QString& pArquivo)
{
    if (pCaso == u"32 bits")
        return Grava(pArquivo, Biblioteca32Bits()) ? QString() : QStringLiteral("cannot write ") + pArquivo;
    if (pCaso == u"texto")
        return Grava(pArquivo, "not a library\n") ? QString() : QStringLiteral("cannot write ") + pArquivo;
    if (pCaso == u"sem dependencia")
        return Copia(BIBLIOTECA_DEPENDENTE, pArquivo) ? QString() : QStringLiteral("cannot copy to ") + pArquivo;
    if (pCaso == u"antiga")
        return Copia(BIBLIOTECA_DEPENDENCIA, pArquivo) ? QString() : QStringLiteral("cannot copy to ") + pArquivo;
    return {}; // "ausente"
}

QString Nativo(const QString& pCaminho)
{
    return QDir::toNativeSeparators(pCaminho);
}

} // namespace

class TesteBiblioteca : public QObject
{
    Q_OBJECT

    QTemporaryDir vPasta;
    QTemporaryDir vPastaLog;

private slots:
    void initTestCase() { TLogArquivo::DefinePastaLog(vPastaLog.path()); }
    void nomesClienteFirebird() { QCOMPARE(Biblioteca::NomesClienteFirebird(), Plataforma().NomesFirebird); }
    void candidatos_data();
    void candidatos();
    void carrega_data();
    void carrega();
    void clienteRecusado_data();
    void clienteRecusado();
    void plantadas_data();
    void plantadas();
    // Last: they may load this machine's client into the process.
    void semClienteFirebird_data();
    void semClienteFirebird();
    void clienteNoLog();
};

// Windows: full paths only, the customer's own first (beside the program, the registered instance, the
// system's folders), the program's own last; POSIX: the names, searched by the system.
void TesteBiblioteca::candidatos_data()
{
    QTest::addColumn<QString>("instancia"); // a Firebird instance registered on the PC, or none
    QTest::addColumn<QStringList>("esperados");
#ifdef Q_OS_WIN
    // "<exe>" the executable's folder, "<sys>" the system's, "<wow>" the 32-bit system's
    const QStringList xPrograma{"<exe>/fbclient.dll", "<exe>/gds32.dll"};
    const QStringList xSistema{"<sys>/fbclient.dll", "<sys>/gds32.dll", "<wow>/fbclient.dll",
                               "<wow>/gds32.dll", "<exe>/firebird/fbclient.dll"};
    QTest::newRow("no instance") << QString() << xPrograma + xSistema;
    QTest::newRow("a registered instance")
        << QStringLiteral("C:\\Program Files\\Firebird\\Firebird_3_0\\")
        << xPrograma +
               QStringList{"C:/Program Files/Firebird/Firebird_3_0/fbclient.dll",
                           "C:/Program Files/Firebird/Firebird_3_0/bin/fbclient.dll"} +
               xSistema;
#else
    QTest::newRow("the system's names") << QString() << Plataforma().NomesFirebird;
#endif
}

void TesteBiblioteca::candidatos()
{
    QFETCH(QString, instancia);
    QFETCH(QStringList, esperados);
#ifdef Q_OS_WIN
    const QString xChave = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Firebird Project\\Firebird Server");
    QSettings xRegistro(xChave, QSettings::Registry64Format);
    if (!instancia.isEmpty()) {
        xRegistro.setValue(QStringLiteral("Instances/DefaultInstance"), instancia);
        xRegistro.sync();
        QCOMPARE(xRegistro.status(), QSettings::NoError);
    }
    const QStringList xCandidatos = Biblioteca::CandidatosClienteFirebird();
    if (!instancia.isEmpty()) {
        xRegistro.remove(QStringLiteral("Instances"));
        xRegistro.sync();
    }
    const QString xSistema = QDir::fromNativeSeparators(qEnvironmentVariable("SystemRoot"));
    for (QString& xEsperado : esperados)
        xEsperado.replace(QStringLiteral("<exe>"), QFileInfo(CaminhoExecutavel()).absolutePath())
            .replace(QStringLiteral("<sys>"), xSistema + QStringLiteral("/system32"))
            .replace(QStringLiteral("<wow>"), xSistema + QStringLiteral("/syswow64"));
    // The system's folders are named as the system spells them.
    QCOMPARE(xCandidatos.join(u'|').toLower(), esperados.join(u'|').toLower());
#else
    QVERIFY(instancia.isEmpty());
    QCOMPARE(Biblioteca::CandidatosClienteFirebird(), esperados);
#endif
}

// A library that loads gives its functions and its path; one that does not says why, naming the file.
void TesteBiblioteca::carrega_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<TRecusa>("recusa");
    QTest::addColumn<QString>("texto"); // part of the reason
#ifdef Q_OS_WIN
    const QString xSemArquivo = QStringLiteral("não encontrado");
#else
    const QString xSemArquivo = QStringLiteral("No such file");
#endif
    QTest::newRow("the system's own library") << "sistema" << TRecusa::Nenhuma << "";
    QTest::newRow("a full path to nothing") << "ausente" << TRecusa::Ausente << xSemArquivo;
    QTest::newRow("a 32-bit library")
#ifdef Q_OS_WIN
        << "32 bits" << TRecusa::Arquitetura << QString::fromUtf8("é de 32 bits");
#else
        << "32 bits" << TRecusa::Arquitetura << "wrong ELF class";
#endif
    QTest::newRow("a library without one it needs")
#ifdef Q_OS_WIN
        << "sem dependencia" << TRecusa::Dependencia << "falta a DLL tst_sistema_dependencia.dll";
#else
        << "sem dependencia" << TRecusa::Dependencia << "tst_sistema_dependencia";
#endif
#ifdef Q_OS_WIN
    QTest::newRow("a file that is no library") << "texto" << TRecusa::Arquitetura << "64 bits";
    // Only a full path: the system's search would look in the working folder and PATH.
    QTest::newRow("a bare name the system has") << "nome" << TRecusa::Outra << "caminho completo";
#else
    QTest::newRow("a file that is no library") << "texto" << TRecusa::Outra << "";
    QTest::newRow("a name found nowhere") << "nome" << TRecusa::Ausente << xSemArquivo;
#endif
}

void TesteBiblioteca::carrega()
{
    QFETCH(QString, caso);
    QFETCH(TRecusa, recusa);
    QFETCH(QString, texto);
    QString xNome;
    if (caso == u"sistema") {
        xNome = Plataforma().BibliotecaDoSistema;
    } else if (caso == u"nome") {
#ifdef Q_OS_WIN
        xNome = QStringLiteral("kernel32.dll");
#else
        xNome = QStringLiteral("tarnwick-nao-existe.so");
#endif
    } else {
        xNome = vPasta.filePath(QStringLiteral("João ") + caso + Plataforma().Extensao);
        const QString xPreparo = Prepara(caso, xNome);
        QVERIFY2(xPreparo.isEmpty(), qPrintable(xPreparo));
    }
    TFalha xFalha;
    void* xBiblioteca = Biblioteca::Carrega(xNome, &xFalha);
    QCOMPARE(xFalha.Recusa, recusa);
    QCOMPARE(xBiblioteca != nullptr, recusa == TRecusa::Nenhuma);
    if (!xBiblioteca) {
        QVERIFY2(xFalha.Mensagem.contains(QFileInfo(xNome).fileName()), qPrintable(xFalha.Mensagem));
        QVERIFY2(xFalha.Mensagem.contains(texto), qPrintable(xFalha.Mensagem));
        return;
    }
    QVERIFY(Biblioteca::Funcao(xBiblioteca, Plataforma().FuncaoDoSistema) != nullptr);
    QVERIFY(Biblioteca::Funcao(xBiblioteca, "tarnwick_nao_existe") == nullptr);
    const QString xCaminho = Biblioteca::Caminho(xBiblioteca);
    QVERIFY2(QDir::isAbsolutePath(QDir::fromNativeSeparators(xCaminho)) && QFileInfo(xCaminho).isFile(),
             qPrintable(xCaminho));
    QCOMPARE(QFileInfo(xCaminho).fileName().toLower(), QFileInfo(xNome).fileName().toLower());
    Biblioteca::Descarrega(xBiblioteca);
}

// Candidates that are there but cannot be used: the message names each of them with its reason, and
// says nothing of the places where there was none.
void TesteBiblioteca::clienteRecusado_data()
{
    QTest::addColumn<QStringList>("casos"); // one per candidate, in order
    QTest::addColumn<QStringList>("textos"); // each refused one's reason, in order
#ifdef Q_OS_WIN
    const QString x32 = QString::fromUtf8("é de 32 bits");
    const QString xDependencia = QStringLiteral("falta a DLL tst_sistema_dependencia.dll");
#else
    const QString x32 = QStringLiteral("wrong ELF class");
    const QString xDependencia = QStringLiteral("tst_sistema_dependencia");
#endif
    const QString xAntiga = QString::fromUtf8("antiga demais");
    QTest::newRow("the first missing, the second 32-bit")
        << QStringList{"ausente", "32 bits"} << QStringList{x32};
    QTest::newRow("32-bit, then missing") << QStringList{"32 bits", "ausente"} << QStringList{x32};
    QTest::newRow("missing what it needs") << QStringList{"ausente", "sem dependencia"}
                                           << QStringList{xDependencia};
    QTest::newRow("too old") << QStringList{"antiga"} << QStringList{xAntiga};
    QTest::newRow("each its own reason") << QStringList{"32 bits", "ausente", "antiga", "sem dependencia"}
                                         << QStringList{x32, xAntiga, xDependencia};
}

void TesteBiblioteca::clienteRecusado()
{
    QFETCH(QStringList, casos);
    QFETCH(QStringList, textos);
    QTemporaryDir xPasta;
    QVERIFY(xPasta.isValid());
    QStringList xCandidatos, xRecusados;
    for (qsizetype i = 0; i < casos.size(); ++i) {
        const QString xArquivo = xPasta.filePath(QStringLiteral("cliente%1%2").arg(i).arg(Plataforma().Extensao));
        const QString xPreparo = Prepara(casos[i], xArquivo);
        QVERIFY2(xPreparo.isEmpty(), qPrintable(xPreparo));
        xCandidatos << xArquivo;
        if (casos[i] != u"ausente")
            xRecusados << xArquivo;
    }
    ClienteFirebird::DefineNomesBiblioteca(xCandidatos);
    try {
        ClienteFirebird::Master();
        QFAIL("a refused client was used");
    } catch (const EConexaoBD& E) {
        const QStringList xLinhas = E.Message().split(QStringLiteral("\r\n"));
        QCOMPARE(xLinhas.first(), QString::fromUtf8("Biblioteca cliente do Firebird não pôde ser usada (%1).")
                                      .arg(xCandidatos.join(QStringLiteral(", "))));
        QCOMPARE(xLinhas.size(), 1 + xRecusados.size());
        for (qsizetype i = 0; i < xRecusados.size(); ++i) {
            const QString& xLinha = xLinhas[i + 1];
            QVERIFY2(xLinha.startsWith(Nativo(xRecusados[i]) + QStringLiteral(": ")), qPrintable(xLinha));
            QVERIFY2(xLinha.contains(textos[i]), qPrintable(xLinha));
        }
    }
    ClienteFirebird::DefineNomesBiblioteca({});
}

// Windows: a DLL of the client's names planted in the working folder or in a folder of PATH never loads,
// whatever else is missing; the customer's own 32-bit client is named with its reason; with no usable
// client of the customer's, the one shipped in the program's "firebird" folder is used, and the log says
// so. A program of its own for each case, copied to a folder of the case's making.
void TesteBiblioteca::plantadas_data()
{
    QTest::addColumn<QString>("onde");      // where the marker is planted: "trabalho", "path" or nowhere
    QTest::addColumn<QString>("nome");      // under which name
    QTest::addColumn<QString>("aoLado");    // what lies beside the program as fbclient.dll
    QTest::addColumn<bool>("nossa");        // the shipped client is in firebird\ beside the program
    QTest::addColumn<QString>("esperado");  // the first line of the program's message, or "OK"
    QTest::addColumn<QString>("motivo");    // part of its second line
    const QString xNaoEncontrada =
        QString::fromUtf8("Biblioteca cliente do Firebird não encontrada (fbclient.dll, gds32.dll).");
    for (const QString& xOnde : {QStringLiteral("trabalho"), QStringLiteral("path")})
        for (const QString& xNome : {QStringLiteral("fbclient.dll"), QStringLiteral("gds32.dll")})
            QTest::newRow(qPrintable(xOnde + u' ' + xNome))
                << xOnde << xNome << QString() << false << xNaoEncontrada << QStringLiteral("Procurada em: ");
    QTest::newRow("32-bit beside the program, marker in the working folder")
        << "trabalho" << "fbclient.dll" << "32 bits" << false
        << QString::fromUtf8("Biblioteca cliente do Firebird não pôde ser usada (fbclient.dll, gds32.dll).")
        << QString::fromUtf8("\\fbclient.dll: é de 32 bits");
    QTest::newRow("the shipped client after a 32-bit one")
        << "path" << "fbclient.dll" << "32 bits" << true << "OK" << "";
    QTest::newRow("the shipped client alone") << "" << "" << "" << true << "OK" << "";
}

void TesteBiblioteca::plantadas()
{
#ifndef Q_OS_WIN
    QSKIP("Windows' search for DLLs: the loader here never looks in the working folder or PATH");
#else
    QFETCH(QString, onde);
    QFETCH(QString, nome);
    QFETCH(QString, aoLado);
    QFETCH(bool, nossa);
    QFETCH(QString, esperado);
    QFETCH(QString, motivo);
    const QString xShipped = QStringLiteral(FBCLIENT_WINDOWS);
    if (nossa && xShipped.isEmpty())
        QSKIP("no Windows Firebird client in the dependency cache");

    QTemporaryDir xBase;
    QVERIFY(xBase.isValid());
    const QString xPrograma = xBase.filePath(QStringLiteral("Programa"));
    const QString xTrabalho = xBase.filePath(QStringLiteral("Trabalho"));
    const QString xPath = xBase.filePath(QStringLiteral("Ferramentas"));
    for (const QString& xPastaCaso : {xPrograma, xTrabalho, xPath})
        QVERIFY(QDir().mkpath(xPastaCaso));
    const QString xAuxiliar = xPrograma + QStringLiteral("/auxiliar.exe");
    QVERIFY(Copia(AUXILIAR_CLIENTE, xAuxiliar));
    if (!aoLado.isEmpty()) {
        const QString xPreparo = Prepara(aoLado, xPrograma + QStringLiteral("/fbclient.dll"));
        QVERIFY2(xPreparo.isEmpty(), qPrintable(xPreparo));
    }
    if (nossa) {
        QVERIFY(QDir().mkpath(xPrograma + QStringLiteral("/firebird")));
        // The test's copy beside this program (tests/CMakeLists.txt) stands for the shipped one.
        for (const QString& xArquivo : {QStringLiteral("fbclient.dll"), QStringLiteral("firebird.msg")})
            QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + u'/' + xArquivo,
                                xPrograma + QStringLiteral("/firebird/") + xArquivo));
    }
    if (!onde.isEmpty())
        QVERIFY(Copia(BIBLIOTECA_MARCADOR, (onde == u"path" ? xPath : xTrabalho) + u'/' + nome));

    const QString xMarca = xBase.filePath(QStringLiteral("marca.txt"));
    QProcessEnvironment xAmbiente = QProcessEnvironment::systemEnvironment();
    xAmbiente.insert(QStringLiteral("TARNWICK_MARCADOR"), Nativo(xMarca));
    xAmbiente.insert(QStringLiteral("PATH"),
                     Nativo(xPath) + u';' + xAmbiente.value(QStringLiteral("PATH")));
    QProcess xProcesso;
    xProcesso.setProcessEnvironment(xAmbiente);
    xProcesso.setWorkingDirectory(xTrabalho);
    xProcesso.setProcessChannelMode(QProcess::MergedChannels);
    // With the shipped client, a server that does not answer: the client words its error from the
    // firebird.msg beside it.
    xProcesso.start(xAuxiliar, nossa ? QStringList{QStringLiteral("127.0.0.1/1:C:/nada.fdb")} : QStringList());
    QVERIFY2(xProcesso.waitForFinished(120000), qPrintable(xProcesso.errorString()));
    const QString xSaida = QString::fromUtf8(xProcesso.readAll());
    QVERIFY2(!QFileInfo::exists(xMarca), qPrintable(QStringLiteral("the planted DLL loaded; ") + xSaida));

    const QStringList xLinhas = xSaida.trimmed().split(u'\n');
    if (esperado != u"OK") {
        QCOMPARE(xLinhas.value(0).trimmed(), QStringLiteral("FALHA"));
        QCOMPARE(xLinhas.value(1).trimmed(), esperado);
        QVERIFY2(xLinhas.value(2).contains(motivo), qPrintable(xSaida));
        QVERIFY2(!xSaida.contains(Nativo(xTrabalho)) && !xSaida.contains(Nativo(xPath)), qPrintable(xSaida));
        return;
    }
    QCOMPARE(xLinhas.value(0).trimmed(), QStringLiteral("OK"));
    QCOMPARE(xLinhas.value(1).trimmed(), QStringLiteral("ERRO"));
    QVERIFY2(xSaida.contains(QStringLiteral("Unable to complete network request to host \"127.0.0.1\"")) &&
                 !xSaida.contains(QStringLiteral("can't format message")),
             qPrintable(xSaida));
    // The log beside the program names the client used, and the customer's it passed over.
    const QStringList xLogs = QDir(xPrograma + QStringLiteral("/log")).entryList(QDir::Files);
    QVERIFY2(xLogs.size() == 1, qPrintable(xLogs.join(u' ')));
    QFile xLog(xPrograma + QStringLiteral("/log/") + xLogs.first());
    QVERIFY(xLog.open(QIODevice::ReadOnly));
    const QString xTexto = QString::fromLatin1(xLog.readAll());
    const QString xCarregado = QStringLiteral("Cliente do Firebird carregado: ") +
                               Nativo(xPrograma + QStringLiteral("/firebird/fbclient.dll"));
    QVERIFY2(xTexto.contains(xCarregado, Qt::CaseInsensitive), qPrintable(xTexto));
    QCOMPARE(xTexto.count(QStringLiteral("Cliente do Firebird carregado: ")), 1);
    QCOMPARE(xTexto.contains(QStringLiteral("recusado: ") + Nativo(xPrograma + QStringLiteral("/fbclient.dll")) +
                                 QString::fromUtf8(": é de 32 bits"),
                             Qt::CaseInsensitive),
             !aoLado.isEmpty());
#endif
}

// No client anywhere: the connection names the files it tried, and where it looked (or the system's
// reason, when the system searched).
void TesteBiblioteca::semClienteFirebird_data()
{
    QTest::addColumn<bool>("nomesDoSistema"); // else the same names in an empty folder
    QTest::newRow("the names in an empty folder") << false;
    QTest::newRow("this system's names") << true;
}

void TesteBiblioteca::semClienteFirebird()
{
    QFETCH(bool, nomesDoSistema);
    QStringList xNomes = Plataforma().NomesFirebird;
    if (!nomesDoSistema) {
        for (QString& xNome : xNomes)
            xNome = vPasta.filePath(xNome);
    }
    ClienteFirebird::DefineNomesBiblioteca(nomesDoSistema ? QStringList() : xNomes);
    QCOMPARE(ClienteFirebird::NomesBiblioteca(), xNomes);
    try {
        ClienteFirebird::Master();
        if (nomesDoSistema)
            QSKIP("the Firebird client is installed on this machine");
        QFAIL("loaded a client from an empty folder");
    } catch (const EConexaoBD& E) {
        const QString xInicio = QStringLiteral("Biblioteca cliente do Firebird não encontrada (%1).\r\n")
                                    .arg(xNomes.join(QStringLiteral(", ")));
        QVERIFY2(E.Message().startsWith(xInicio), qPrintable(E.Message()));
        QVERIFY2(E.Message().size() > xInicio.size(), qPrintable(E.Message())); // where, or why
        if (!nomesDoSistema)
            QCOMPARE(E.Message().mid(xInicio.size()),
                     QStringLiteral("Procurada em: ") + Nativo(vPasta.path()));
    }
}

// The client this machine has (Windows: the test's copy beside the program): the log names the file it
// came from, by its full path, once however many connections follow.
void TesteBiblioteca::clienteNoLog()
{
    ClienteFirebird::DefineNomesBiblioteca({});
    try {
        ClienteFirebird::Master();
    } catch (const EConexaoBD& E) {
        QSKIP(qPrintable(QStringLiteral("no Firebird client on this machine: ") + E.Message()));
    }
    QVERIFY(ClienteFirebird::Master() != nullptr);
    QVERIFY(TLogArquivo::AguardaEscritores());
    QString xTexto;
    for (const QFileInfo& xArquivo : QDir(vPastaLog.path()).entryInfoList(QDir::Files)) {
        QFile xLog(xArquivo.filePath());
        QVERIFY(xLog.open(QIODevice::ReadOnly));
        xTexto += QString::fromLatin1(xLog.readAll());
    }
    const QString xMarca = QStringLiteral("[TClienteFirebird                ] Cliente do Firebird carregado: ");
    QCOMPARE(xTexto.count(xMarca), 1);
    const QString xCaminho = xTexto.mid(xTexto.indexOf(xMarca) + xMarca.size()).section(QStringLiteral("\r\n"), 0, 0);
    QVERIFY2(QDir::isAbsolutePath(QDir::fromNativeSeparators(xCaminho)) && QFileInfo(xCaminho).isFile(),
             qPrintable(xTexto));
#ifdef Q_OS_WIN
    QCOMPARE(xCaminho.toLower(),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/fbclient.dll"))
                 .toLower());
#else
    QVERIFY2(Biblioteca::NomesClienteFirebird().contains(QFileInfo(xCaminho).fileName()), qPrintable(xCaminho));
#endif
}

QTEST_GUILESS_MAIN(TesteBiblioteca)
#include "tst_Biblioteca.moc"
