// The installed launcher's switch: the program works in the user's configuration folder, made on first
// start with mode 0700; without the switch it stays in the folder it was started from.
#include "app/PastaUsuario.h"

#include <QtTest>
#include <sys/stat.h>

namespace {

mode_t Modo(const QString& pPasta)
{
    struct stat xInfo = {};
    return ::stat(QFile::encodeName(pPasta).constData(), &xInfo) == 0 ? xInfo.st_mode & 07777 : 0;
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
        qputenv("HOME", QFile::encodeName(Pasta() + QStringLiteral("/casa")));
    }
    void cleanup()
    {
        QDir::setCurrent(vInicial);
        vTemp.reset();
    }

    void entraNaPasta_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("xdgConfigHome"); // "<temp>" is replaced by the test's folder; "-": unset
        QTest::addColumn<QString>("pastaEsperada"); // under the test's folder; "" = it stays there
        QTest::addColumn<QStringList>("privadas");  // folders made by the switch: mode 0700

        const QString xSwitch = QString::fromLatin1(ARGUMENTO_PASTA_DO_USUARIO);
        QTest::newRow("sem o argumento") << QStringList{} << "<temp>/cfg"
                                         << "" << QStringList{};
        QTest::newRow("outro argumento") << QStringList{"--pasta"} << "-"
                                         << "" << QStringList{};
        QTest::newRow("XDG_CONFIG_HOME") << QStringList{xSwitch} << "<temp>/cfg"
                                         << "cfg/tarnwick" << QStringList{"cfg", "cfg/tarnwick"};
        QTest::newRow("entre outros argumentos") << QStringList{"-style", "fusion", xSwitch} << "<temp>/cfg/"
                                                 << "cfg/tarnwick" << QStringList{"cfg/tarnwick"};
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
    }
    void entraNaPasta()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, xdgConfigHome);
        QFETCH(QString, pastaEsperada);
        QFETCH(QStringList, privadas);
        if (xdgConfigHome == u"-")
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME",
                    QFile::encodeName(xdgConfigHome.replace(QStringLiteral("<temp>"), Pasta())));

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
        for (const QString& xPrivada : privadas)
            QCOMPARE(Modo(Pasta() + u'/' + xPrivada), mode_t(0700));
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
        QTest::newRow("terminal na pasta de configuração") << "cfg/tarnwick"
                                                           << "casa";
    }
    void pastaInicialDosSeletores()
    {
        QFETCH(QString, inicio);
        QFETCH(QString, pastaEsperada);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Pasta() + QStringLiteral("/cfg")));
        for (const char* xPasta : {"casa", "trabalho", "cfg/tarnwick"})
            QVERIFY(QDir(Pasta()).mkpath(QString::fromLatin1(xPasta)));
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
        const QString xPasta = Pasta() + QStringLiteral("/cfg/tarnwick");
        QVERIFY(QDir().mkpath(xPasta));
        QVERIFY(::chmod(QFile::encodeName(xPasta).constData(), 0750) == 0);
        QFile xIni(xPasta + QStringLiteral("/Tarnwick.ini"));
        QVERIFY(xIni.open(QIODevice::WriteOnly));
        xIni.write("[CONEXAO]\r\nCaminho=x\r\n");
        xIni.close();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Pasta() + QStringLiteral("/cfg")));
        const char* xArgv[] = {"tarnwick", ARGUMENTO_PASTA_DO_USUARIO, nullptr};
        QCOMPARE(EntraNaPastaDoUsuario(2, xArgv), QString());
        QCOMPARE(QDir::currentPath(), xPasta);
        QCOMPARE(Modo(xPasta), mode_t(0750));
        QVERIFY(QFileInfo(QStringLiteral("Tarnwick.ini")).isFile());
    }

    // The folder cannot be made: a message names it, and the program stays where it was.
    void pastaImpossivel()
    {
        QFile xArquivo(Pasta() + QStringLiteral("/cfg"));
        QVERIFY(xArquivo.open(QIODevice::WriteOnly)); // a file where the folder's parent should be
        xArquivo.close();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Pasta() + QStringLiteral("/cfg")));
        const char* xArgv[] = {"tarnwick", ARGUMENTO_PASTA_DO_USUARIO, nullptr};
        QCOMPARE(EntraNaPastaDoUsuario(2, xArgv),
                 QStringLiteral("Não foi possível criar a pasta de configuração \"%1/cfg/tarnwick\".")
                     .arg(Pasta()));
        QCOMPARE(QDir::currentPath(), Pasta());
    }
};

QTEST_GUILESS_MAIN(TstPastaUsuario)
#include "tst_PastaUsuario.moc"
