// The executable's place and the user's own folders: where the log and the launcher's working folder go
// on this system, the private folders made for them, and the check that a folder takes new files.
#include "sistema/Pastas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#ifdef Q_OS_WIN
#include <cstdlib>
#endif

namespace {

const QString NOME_UNICODE = QStringLiteral("João Área ç Ωμέγα 日本");

// One of the user's folders as this system names it.
struct TPastaDoUsuario
{
    const char* Variavel;
    QString PadraoSobHome; // the default under the home folder; empty where the system's shell decides
    QString Sufixo;
    QString (*Funcao)();
};

TPastaDoUsuario Pasta(const QString& pQual)
{
#ifdef Q_OS_WIN
    if (pQual == u"home")
        return {"USERPROFILE", {}, {}, PastaPessoalDoUsuario};
    if (pQual == u"log")
        return {"LOCALAPPDATA", {}, QStringLiteral("/Tarnwick/log/"), PastaLogDoUsuario};
    return {"APPDATA", {}, QStringLiteral("/Tarnwick"), PastaConfiguracaoDoUsuario};
#else
    if (pQual == u"log")
        return {"XDG_STATE_HOME", QStringLiteral("/.local/state"), QStringLiteral("/tarnwick/log/"),
                PastaLogDoUsuario};
    return {"XDG_CONFIG_HOME", QStringLiteral("/.config"), QStringLiteral("/tarnwick"),
            PastaConfiguracaoDoUsuario};
#endif
}

// Sets an environment variable to any text: on Windows through the wide-character copy Qt reads.
void DefineVariavel(const char* pNome, const QString& pValor)
{
#ifdef Q_OS_WIN
    _wputenv_s(reinterpret_cast<const wchar_t*>(QString::fromLatin1(pNome).utf16()),
               reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(pValor).utf16()));
#else
    qputenv(pNome, QFile::encodeName(pValor));
#endif
}

[[maybe_unused]] QFile::Permissions Permissoes(const QString& pCaminho)
{
    return QFile::permissions(pCaminho) & QFile::Permissions(0x7077); // owner, group, others
}

constexpr auto PRIVADA = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

} // namespace

class TestePastas : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> vTemp;
    QString Temp() const { return vTemp->path(); }

private slots:
    void init()
    {
        vTemp = std::make_unique<QTemporaryDir>();
        QVERIFY(vTemp->isValid());
    }
    void cleanup() { vTemp.reset(); }

    void caminhoExecutavel()
    {
        const QFileInfo xObtido(CaminhoExecutavel());
        QVERIFY(xObtido.isAbsolute());
        QVERIFY(xObtido.isFile());
        QCOMPARE(xObtido.canonicalFilePath(),
                 QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    }

    // The variable when it holds an absolute path, else the system's default; "/" as separator. The home
    // folder follows the same rule on Windows (POSIX: Qt's own, $HOME).
    void pastasDoUsuario_data()
    {
        QTest::addColumn<QString>("qual");  // "log", "config" or "home"
        QTest::addColumn<QString>("valor"); // of the variable: "<temp>" replaced; "-" = unset
        QTest::addColumn<bool>("daVariavel");
#ifdef Q_OS_WIN
        const auto xQuais = {"log", "config", "home"};
#else
        const auto xQuais = {"log", "config"};
#endif
        for (const char* xQual : xQuais) {
            const QString xNome = QString::fromLatin1(xQual);
            QTest::newRow(qPrintable(xNome + ", absolute")) << xNome << "<temp>/dados" << true;
            QTest::newRow(qPrintable(xNome + ", absolute with separator"))
                << xNome << "<temp>/dados/" << true;
            QTest::newRow(qPrintable(xNome + ", unicode")) << xNome << "<temp>/" + NOME_UNICODE << true;
            QTest::newRow(qPrintable(xNome + ", relative")) << xNome << "dados" << false;
            QTest::newRow(qPrintable(xNome + ", empty")) << xNome << "" << false;
            QTest::newRow(qPrintable(xNome + ", unset")) << xNome << "-" << false;
        }
    }
    void pastasDoUsuario()
    {
        QFETCH(QString, qual);
        QFETCH(QString, valor);
        QFETCH(bool, daVariavel);
        const TPastaDoUsuario xPasta = Pasta(qual);
        const QByteArray xAntes = qgetenv(xPasta.Variavel);
        const bool xHavia = qEnvironmentVariableIsSet(xPasta.Variavel);
        valor.replace(QStringLiteral("<temp>"), Temp());
        if (valor == u"-")
            qunsetenv(xPasta.Variavel);
        else
            DefineVariavel(xPasta.Variavel, valor);
        const QString xObtida = xPasta.Funcao();
        if (xHavia)
            qputenv(xPasta.Variavel, xAntes);
        else
            qunsetenv(xPasta.Variavel);

        QVERIFY2(!xObtida.contains(u'\\'), qPrintable(xObtida));
        if (daVariavel) {
            QCOMPARE(xObtida, QDir::cleanPath(valor) + xPasta.Sufixo);
        } else if (!xPasta.PadraoSobHome.isEmpty()) {
            QCOMPARE(xObtida, QDir::homePath() + xPasta.PadraoSobHome + xPasta.Sufixo);
        } else {
            QVERIFY2(QDir::isAbsolutePath(xObtida) && xObtida.endsWith(xPasta.Sufixo), qPrintable(xObtida));
            QVERIFY2(!xObtida.startsWith(Temp()), qPrintable(xObtida));
        }
    }

    // mkdir -p where the user's own folders go: what is made is private (POSIX 0700), what was there
    // stays as it was.
    void criaPastaPrivada_data()
    {
        QTest::addColumn<QString>("pasta");
        QTest::addColumn<QString>("existente"); // made beforehand, open to the group
        QTest::addColumn<bool>("criada");
        QTest::addColumn<QStringList>("privadas");
        QTest::newRow("nested, new") << "a/b/c"
                                     << "" << true << QStringList{"a", "a/b", "a/b/c"};
        QTest::newRow("under one there") << "a/b"
                                         << "a" << true << QStringList{"a/b"};
        QTest::newRow("already there") << "a"
                                       << "a" << true << QStringList{};
        QTest::newRow("with a separator at the end") << "a/b/"
                                                     << "" << true << QStringList{"a", "a/b"};
        QTest::newRow("unicode") << NOME_UNICODE + "/log"
                                 << "" << true << QStringList{NOME_UNICODE, NOME_UNICODE + "/log"};
        QTest::newRow("under a file") << "arquivo/log"
                                      << "" << false << QStringList{};
    }
    void criaPastaPrivada()
    {
        QFETCH(QString, pasta);
        QFETCH(QString, existente);
        QFETCH(bool, criada);
        QFETCH(QStringList, privadas);
        QFile xArquivo(Temp() + QStringLiteral("/arquivo"));
        QVERIFY(xArquivo.open(QIODevice::WriteOnly));
        xArquivo.close();
        const QFile::Permissions xAberta = PRIVADA | QFile::ReadGroup | QFile::ExeGroup;
        if (!existente.isEmpty()) {
            QVERIFY(QDir().mkpath(Temp() + u'/' + existente));
            QVERIFY(QFile::setPermissions(Temp() + u'/' + existente,
                                          xAberta | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser));
        }
        QCOMPARE(CriaPastaPrivada(Temp() + u'/' + pasta), criada);
        QCOMPARE(QFileInfo(Temp() + u'/' + pasta).isDir(), criada);
#ifndef Q_OS_WIN
        for (const QString& xPrivada : privadas)
            QCOMPARE(Permissoes(Temp() + u'/' + xPrivada), PRIVADA);
        if (!existente.isEmpty())
            QCOMPARE(Permissoes(Temp() + u'/' + existente), xAberta);
#else
        Q_UNUSED(privadas);
#endif
    }

    // A folder takes new files, and the check leaves nothing behind.
    void pastaGravavel_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<bool>("gravavel");
        QTest::newRow("a folder") << "pasta" << true;
        QTest::newRow("unicode folder") << "unicode" << true;
        QTest::newRow("missing") << "ausente" << false;
        QTest::newRow("a file") << "arquivo" << false;
        QTest::newRow("closed to new files") << "fechada" << false;
    }
    void pastaGravavel()
    {
        QFETCH(QString, caso);
        QFETCH(bool, gravavel);
        const QString xPasta = Temp() + u'/' + (caso == u"unicode" ? NOME_UNICODE : caso);
        if (caso == u"arquivo") {
            QFile xArquivo(xPasta);
            QVERIFY(xArquivo.open(QIODevice::WriteOnly));
        } else if (caso != u"ausente") {
            QVERIFY(QDir().mkpath(xPasta));
        }
        if (caso == u"fechada") {
#ifdef Q_OS_WIN
            QSKIP("a folder closed to new files needs its ACL changed on Windows");
#endif
            QVERIFY(QFile::setPermissions(xPasta, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser |
                                                      QFile::ExeUser));
            QFile xSonda(xPasta + QStringLiteral("/sonda"));
            if (xSonda.open(QIODevice::WriteOnly)) {
                xSonda.remove();
                QSKIP("permission bits do not stop this user (root)");
            }
        }
        QCOMPARE(PastaGravavel(xPasta), gravavel);
        QCOMPARE(PastaGravavel(xPasta + u'/'), gravavel);
        if (QFileInfo(xPasta).isDir())
            QCOMPARE(QDir(xPasta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList());
    }
};

QTEST_GUILESS_MAIN(TestePastas)
#include "tst_Pastas.moc"
