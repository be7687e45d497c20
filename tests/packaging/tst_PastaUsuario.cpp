// The installed launcher's switch: the program works in the user's configuration folder, made on first
// start with mode 0700; without the switch it stays in the folder it was started from.
#include "app/PastaUsuario.h"

#include <QtTest>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

// The variables that name the user's folders, and the program's folder in his configuration folder.
#ifdef Q_OS_WIN
constexpr const char* VARIAVEL_CASA = "USERPROFILE";
constexpr const char* VARIAVEL_CONFIG = "APPDATA";
const QString PROGRAMA = QStringLiteral("Tarnwick");
#else
constexpr const char* VARIAVEL_CASA = "HOME";
constexpr const char* VARIAVEL_CONFIG = "XDG_CONFIG_HOME";
const QString PROGRAMA = QStringLiteral("tarnwick");

mode_t Modo(const QString& pPasta)
{
    struct stat xInfo = {};
    return ::stat(QFile::encodeName(pPasta).constData(), &xInfo) == 0 ? xInfo.st_mode & 07777 : 0;
}
#endif

void DefineVariavel(const char* pNome, const QString& pValor)
{
    qputenv(pNome, QDir::toNativeSeparators(pValor).toLocal8Bit());
}

} // namespace

class TstPastaUsuario : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> vTemp;
    QString vInicial;
    QString Pasta() const { return vTemp->path(); }

private slots:
    void init()
    {
        vTemp = std::make_unique<QTemporaryDir>();
        QVERIFY(vTemp->isValid());
        vInicial = QDir::currentPath();
        QVERIFY(QDir::setCurrent(Pasta()));
        DefineVariavel(VARIAVEL_CASA, Pasta() + QStringLiteral("/casa"));
    }
    void cleanup()
    {
        QDir::setCurrent(vInicial);
        vTemp.reset();
    }

    void entraNaPasta_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("xdgConfigHome"); // the configuration folder's variable; "<temp>" is
                                                    // replaced by the test's folder; "-": unset
        QTest::addColumn<QString>("pastaEsperada"); // under the test's folder; "" = it stays there
        QTest::addColumn<QStringList>("privadas");  // folders made by the switch: mode 0700

        const QString xSwitch = QString::fromLatin1(ARGUMENTO_PASTA_DO_USUARIO);
        QTest::newRow("sem o argumento") << QStringList{} << "<temp>/cfg"
                                         << "" << QStringList{};
        QTest::newRow("outro argumento") << QStringList{"--pasta"} << "-"
                                         << "" << QStringList{};
        QTest::newRow("pasta de configuração") << QStringList{xSwitch} << "<temp>/cfg" << "cfg/" + PROGRAMA
                                               << QStringList{"cfg", "cfg/" + PROGRAMA};
        QTest::newRow("entre outros argumentos") << QStringList{"-style", "fusion", xSwitch} << "<temp>/cfg/"
                                                 << "cfg/" + PROGRAMA << QStringList{"cfg/" + PROGRAMA};
#ifndef Q_OS_WIN // without %APPDATA% Windows' shell names the folder, outside the test's
        QTest::newRow("sem XDG_CONFIG_HOME")
            << QStringList{xSwitch} << "-"
            << "casa/.config/tarnwick" << QStringList{"casa", "casa/.config", "casa/.config/tarnwick"};
        QTest::newRow("XDG_CONFIG_HOME vazio")
            << QStringList{xSwitch} << ""
            << "casa/.config/tarnwick" << QStringList{"casa/.config/tarnwick"};
        // A relative XDG_CONFIG_HOME would follow the folder the launcher started in: ignored.
        QTest::newRow("XDG_CONFIG_HOME relativo")
            << QStringList{xSwitch} << "cfg"
            << "casa/.config/tarnwick" << QStringList{"casa/.config/tarnwick"};
#endif
    }
    void entraNaPasta()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, xdgConfigHome);
        QFETCH(QString, pastaEsperada);
        QFETCH(QStringList, privadas);
        if (xdgConfigHome == u"-")
            qunsetenv(VARIAVEL_CONFIG);
        else if (xdgConfigHome.startsWith(QStringLiteral("<temp>")))
            DefineVariavel(VARIAVEL_CONFIG, xdgConfigHome.replace(QStringLiteral("<temp>"), Pasta()));
        else
            qputenv(VARIAVEL_CONFIG, xdgConfigHome.toLocal8Bit());

        QList<QByteArray> xTextos{"tarnwick"};
        for (const QString& xArgumento : argumentos)
            xTextos.append(xArgumento.toLocal8Bit());
        std::vector<const char*> xArgv;
        for (const QByteArray& xTexto : xTextos)
            xArgv.push_back(xTexto.constData());
        xArgv.push_back(nullptr);

        QCOMPARE(EntraNaPastaDoUsuario(int(xTextos.size()), xArgv.data()), QString());
        const QString xEsperada = pastaEsperada.isEmpty() ? Pasta() : Pasta() + u'/' + pastaEsperada;
        QCOMPARE(QDir::currentPath(), xEsperada);
        if (!pastaEsperada.isEmpty())
            QCOMPARE(PastaConfiguracaoDoUsuario(), xEsperada);
#ifndef Q_OS_WIN
        for (const QString& xPrivada : privadas)
            QCOMPARE(Modo(Pasta() + u'/' + xPrivada), mode_t(0700));
#endif
        // Without the switch nothing is made.
        if (pastaEsperada.isEmpty())
            QCOMPARE(QDir(Pasta()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList());
    }

    // The pickers open in the working directory; in the program's own configuration folder, a hidden
    // folder the user never chose, they open in his home folder instead.
    void pastaInicialDosSeletores_data()
    {
        QTest::addColumn<QString>("inicio"); // "lançador": with the switch; else the folder started in
        QTest::addColumn<QString>("pastaEsperada"); // under the test's folder
        QTest::newRow("terminal") << "trabalho"
                                  << "trabalho";
        QTest::newRow("terminal na pasta pessoal") << "casa"
                                                   << "casa";
        QTest::newRow("lançador") << "lançador"
                                  << "casa";
        QTest::newRow("terminal na pasta de configuração") << "cfg/" + PROGRAMA << "casa";
    }
    void pastaInicialDosSeletores()
    {
        QFETCH(QString, inicio);
        QFETCH(QString, pastaEsperada);
        DefineVariavel(VARIAVEL_CONFIG, Pasta() + QStringLiteral("/cfg"));
        for (const QString& xPasta : {QStringLiteral("casa"), QStringLiteral("trabalho"), "cfg/" + PROGRAMA})
            QVERIFY(QDir(Pasta()).mkpath(xPasta));
        if (inicio == u"lançador") {
            const char* xArgv[] = {"tarnwick", ARGUMENTO_PASTA_DO_USUARIO, nullptr};
            QCOMPARE(EntraNaPastaDoUsuario(2, xArgv), QString());
        } else {
            QVERIFY(QDir::setCurrent(Pasta() + u'/' + inicio));
        }
        QCOMPARE(PastaInicialDosSeletores(), Pasta() + u'/' + pastaEsperada);
    }

    // A folder already there is used as it is: its mode and what it holds are the user's.
    void pastaExistente()
    {
        const QString xPasta = Pasta() + QStringLiteral("/cfg/") + PROGRAMA;
        QVERIFY(QDir().mkpath(xPasta));
#ifndef Q_OS_WIN
        QVERIFY(::chmod(QFile::encodeName(xPasta).constData(), 0750) == 0);
#endif
        QFile xIni(xPasta + QStringLiteral("/Tarnwick.ini"));
        QVERIFY(xIni.open(QIODevice::WriteOnly));
        xIni.write("[CONEXAO]\r\nCaminho=x\r\n");
        xIni.close();
        DefineVariavel(VARIAVEL_CONFIG, Pasta() + QStringLiteral("/cfg"));
        const char* xArgv[] = {"tarnwick", ARGUMENTO_PASTA_DO_USUARIO, nullptr};
        QCOMPARE(EntraNaPastaDoUsuario(2, xArgv), QString());
        QCOMPARE(QDir::currentPath(), xPasta);
#ifndef Q_OS_WIN
        QCOMPARE(Modo(xPasta), mode_t(0750));
#endif
        QVERIFY(QFileInfo(QStringLiteral("Tarnwick.ini")).isFile());
    }

    // The folder cannot be made: a message names it, and the program stays where it was.
    void pastaImpossivel()
    {
        QFile xArquivo(Pasta() + QStringLiteral("/cfg"));
        QVERIFY(xArquivo.open(QIODevice::WriteOnly)); // a file where the folder's parent should be
        xArquivo.close();
        DefineVariavel(VARIAVEL_CONFIG, Pasta() + QStringLiteral("/cfg"));
        const char* xArgv[] = {"tarnwick", ARGUMENTO_PASTA_DO_USUARIO, nullptr};
        QCOMPARE(EntraNaPastaDoUsuario(2, xArgv),
                 QStringLiteral("Não foi possível criar a pasta de configuração \"%1\".")
                     .arg(QDir::toNativeSeparators(Pasta() + QStringLiteral("/cfg/") + PROGRAMA)));
        QCOMPARE(QDir::currentPath(), Pasta());
    }
};

QTEST_GUILESS_MAIN(TstPastaUsuario)
#include "tst_PastaUsuario.moc"
