// Libraries loaded while the program runs: this system's names of the Firebird client, where they are
// looked for, a library that loads and one that does not, and the message the connection gives when no
// client loads.
#include "config/ClienteFirebird.h"
#include "config/ConexaoBD.h"
#include "sistema/Biblioteca.h"
#include "sistema/Pastas.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What this system calls its libraries.
struct TPlataforma
{
    QStringList NomesFirebird;
    QString Extensao;
    QString BibliotecaDoSistema; // one every machine has
    const char* FuncaoDoSistema; // one function it has
};

const TPlataforma& Plataforma()
{
#ifdef Q_OS_WIN
    static const TPlataforma xWindows{
        {"fbclient.dll", "gds32.dll"}, ".dll", "kernel32.dll", "GetCurrentProcessId"};
    return xWindows;
#else
    static const TPlataforma xPosix{
        {"libfbclient.so.2", "libfbclient.so", "libgds.so.0", "libgds.so"}, ".so", "libc.so.6", "getpid"};
    return xPosix;
#endif
}

} // namespace

class TesteBiblioteca : public QObject
{
    Q_OBJECT

    QTemporaryDir vPasta;

private slots:
    void nomesClienteFirebird() { QCOMPARE(Biblioteca::NomesClienteFirebird(), Plataforma().NomesFirebird); }

    // A bare name is found where the system looks; on Windows the copy beside the executable first.
    void candidatos_data()
    {
        QTest::addColumn<QStringList>("nomes");
        QTest::addColumn<QStringList>("esperados"); // "<exe>" = the executable's folder
        QTest::newRow("nothing") << QStringList{} << QStringList{};
#ifdef Q_OS_WIN
        QTest::newRow("the client's names")
            << QStringList{"fbclient.dll", "gds32.dll"}
            << QStringList{"<exe>/fbclient.dll", "<exe>/gds32.dll", "fbclient.dll", "gds32.dll"};
        QTest::newRow("a full path only where given")
            << QStringList{"C:/Firebird/fbclient.dll", "gds32.dll"}
            << QStringList{"<exe>/gds32.dll", "C:/Firebird/fbclient.dll", "gds32.dll"};
#else
        QTest::newRow("the client's names") << Plataforma().NomesFirebird << Plataforma().NomesFirebird;
        QTest::newRow("a full path as given") << QStringList{"/opt/firebird/lib/libfbclient.so", "libgds.so"}
                                              << QStringList{"/opt/firebird/lib/libfbclient.so", "libgds.so"};
#endif
    }
    void candidatos()
    {
        QFETCH(QStringList, nomes);
        QFETCH(QStringList, esperados);
        const QString xPastaExecutavel = QFileInfo(CaminhoExecutavel()).absolutePath();
        for (QString& xEsperado : esperados)
            xEsperado.replace(QStringLiteral("<exe>"), xPastaExecutavel);
        QCOMPARE(Biblioteca::Candidatos(nomes), esperados);
    }

    // A library that loads gives its functions; one that does not says why, naming the file.
    void carrega_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<bool>("carrega");
        QTest::newRow("the system's own library") << "sistema" << true;
        QTest::newRow("a name found nowhere") << "sem nome" << false;
        QTest::newRow("a full path to nothing") << "sem arquivo" << false;
        QTest::newRow("a file that is no library") << "texto" << false;
    }
    void carrega()
    {
        QFETCH(QString, caso);
        QFETCH(bool, carrega);
        QString xNome;
        if (caso == u"sistema") {
            xNome = Plataforma().BibliotecaDoSistema;
        } else if (caso == u"sem nome") {
            xNome = QStringLiteral("tarnwick-nao-existe") + Plataforma().Extensao;
        } else {
            xNome = vPasta.filePath(QStringLiteral("João ") + caso + Plataforma().Extensao);
            if (caso == u"texto") {
                QFile xTexto(xNome);
                QVERIFY(xTexto.open(QIODevice::WriteOnly));
                xTexto.write("not a library\n");
            }
        }
        QString xErro;
        void* xBiblioteca = Biblioteca::Carrega(xNome, &xErro);
        QCOMPARE(xBiblioteca != nullptr, carrega);
        if (!carrega) {
            QVERIFY2(xErro.contains(QFileInfo(xNome).fileName()), qPrintable(xErro));
            return;
        }
        QVERIFY(Biblioteca::Funcao(xBiblioteca, Plataforma().FuncaoDoSistema) != nullptr);
        QVERIFY(Biblioteca::Funcao(xBiblioteca, "tarnwick_nao_existe") == nullptr);
        Biblioteca::Descarrega(xBiblioteca);
    }

    // No client loads: the connection names the files it tried, and why the first failed.
    void semClienteFirebird_data()
    {
        QTest::addColumn<bool>("nomesDoSistema"); // else the same names in an empty folder
        QTest::newRow("the names in an empty folder") << false;
        QTest::newRow("this system's names") << true;
    }
    void semClienteFirebird()
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
            QVERIFY2(E.Message().size() > xInicio.size(),
                     qPrintable(E.Message())); // the first failure's reason
        }
    }
};

QTEST_GUILESS_MAIN(TesteBiblioteca)
#include "tst_Biblioteca.moc"
