// The Debian package: built with cpack from this build tree, unpacked into a throwaway root and checked
// (control fields, file list, icons, launcher, metainfo, lintian); then the unpacked program is started
// the way the launcher starts it, as an unprivileged user under Xvfb: its window opens and it works in
// that user's configuration folder, and nothing is written beside the program.
#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Tests run as root in CI: the program then runs as nobody, as a desktop user would run it.
constexpr uid_t USUARIO_COMUM = 65534;
const QString TITULO_JANELA = QStringLiteral("Download de XMLs WS Velmar - ");

struct TSaida
{
    int Codigo = -1;
    QByteArray Saida;
    QByteArray Erros;
    QString Texto() const { return QString::fromUtf8(Saida + Erros); }
};

TSaida Executa(const QString& pPrograma, const QStringList& pArgumentos, const QString& pPasta = {},
               int pLimiteMs = 120000)
{
    QProcess xProcesso;
    if (!pPasta.isEmpty())
        xProcesso.setWorkingDirectory(pPasta);
    xProcesso.start(pPrograma, pArgumentos);
    TSaida xSaida;
    if (!xProcesso.waitForFinished(pLimiteMs)) {
        xProcesso.kill();
        xProcesso.waitForFinished();
        xSaida.Erros = "não terminou: " + pPrograma.toUtf8() + ' ' + xProcesso.errorString().toUtf8();
        return xSaida;
    }
    xSaida.Saida = xProcesso.readAllStandardOutput();
    xSaida.Erros = xProcesso.readAllStandardError();
    xSaida.Codigo = xProcesso.exitStatus() == QProcess::NormalExit ? xProcesso.exitCode() : -1;
    return xSaida;
}

mode_t Modo(const QString& pCaminho)
{
    struct stat xInfo{};
    return ::stat(QFile::encodeName(pCaminho).constData(), &xInfo) == 0 ? xInfo.st_mode & 07777 : 0;
}

uid_t Dono(const QString& pCaminho)
{
    struct stat xInfo{};
    return ::stat(QFile::encodeName(pCaminho).constData(), &xInfo) == 0 ? xInfo.st_uid : uid_t(-1);
}

// The values of a desktop entry's main group.
QMap<QString, QString> LeEntrada(const QString& pArquivo)
{
    QMap<QString, QString> xChaves;
    QFile xArquivo(pArquivo);
    if (!xArquivo.open(QIODevice::ReadOnly))
        return xChaves;
    for (const QByteArray& xLinha : xArquivo.readAll().split('\n')) {
        const qsizetype xIgual = xLinha.indexOf('=');
        if (xIgual > 0 && !xLinha.startsWith('#'))
            xChaves.insert(QString::fromUtf8(xLinha.left(xIgual)), QString::fromUtf8(xLinha.mid(xIgual + 1)));
    }
    return xChaves;
}

// A virtual X display for the test's programs.
class TXvfb
{
public:
    bool Inicia()
    {
        // -displayfd: the server picks a free display and writes its number when it is ready.
        vServidor.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                   QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                   QStringLiteral("-screen"), QStringLiteral("0"),
                                                   QStringLiteral("1024x768x24")});
        QDeadlineTimer xLimite(30000);
        while (!vServidor.canReadLine() && !xLimite.hasExpired() && vServidor.state() != QProcess::NotRunning)
            vServidor.waitForReadyRead(200);
        const QByteArray xNumero = vServidor.readLine().trimmed();
        if (xNumero.isEmpty())
            return false;
        vDisplay = QStringLiteral(":") + QString::fromLatin1(xNumero);
        return true;
    }
    ~TXvfb()
    {
        vServidor.terminate();
        if (!vServidor.waitForFinished(5000))
            vServidor.kill();
        vServidor.waitForFinished();
    }
    QString Display() const { return vDisplay; }
    // The top-level windows' descriptions (xwininfo), to look for a title in.
    QString Janelas() const
    {
        return Executa(QStringLiteral("xwininfo"),
                       {QStringLiteral("-display"), vDisplay, QStringLiteral("-root"), QStringLiteral("-tree")})
            .Texto();
    }

private:
    QProcess vServidor;
    QString vDisplay;
};

} // namespace

class TstPacote : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir vTemp;
    QString vPacote; // the .deb
    QString vRaiz;   // where it was unpacked
    QString Pasta() const { return vTemp.path(); }
    QString NaRaiz(const QString& pCaminho) const { return vRaiz + u'/' + pCaminho; }
    QString Campo(const QString& pNome) const
    {
        return QString::fromUtf8(
            Executa(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), vPacote, pNome}).Saida.trimmed());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(vTemp.isValid());
        // nobody must reach the unpacked program and its own home folder below this one
        QVERIFY(::chmod(QFile::encodeName(Pasta()).constData(), 0755) == 0);

        const QString xSaida = Pasta() + QStringLiteral("/pacote");
        const TSaida xCpack = Executa(QStringLiteral(CPACK), {QStringLiteral("-G"), QStringLiteral("DEB"),
                                                              QStringLiteral("-B"), xSaida},
                                      QStringLiteral(PASTA_BUILD), 300000);
        QVERIFY2(xCpack.Codigo == 0, qPrintable(xCpack.Texto()));
        const QString xArquitetura = QString::fromUtf8(
            Executa(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).Saida.trimmed());
        vPacote = xSaida + QStringLiteral("/tarnwick_" VERSAO_PACOTE "_") + xArquitetura + QStringLiteral(".deb");
        QVERIFY2(QFileInfo(vPacote).isFile(), qPrintable(QDir(xSaida).entryList().join(u' ')));

        vRaiz = Pasta() + QStringLiteral("/raiz");
        const TSaida xDpkg = Executa(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), vPacote, vRaiz});
        QVERIFY2(xDpkg.Codigo == 0, qPrintable(xDpkg.Texto()));
    }

    void campos_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("padrao"); // a regular expression the whole value must match
        QTest::newRow("Package") << "Package" << "tarnwick";
        QTest::newRow("Version") << "Version" << QStringLiteral(VERSAO_PACOTE);
        QTest::newRow("Section") << "Section" << "misc";
        QTest::newRow("Maintainer") << "Maintainer" << ".+ <[^ @]+@[^ @]+>";
        // shlibdeps: the client of the database and the toolkit come from the binary
        QTest::newRow("Depends") << "Depends" << "(?s).*libfbclient2 .*libqt6widgets6 .*";
        QTest::newRow("Recommends") << "Recommends" << "firebird3.0-server-core, qt6-translations-l10n";
        QTest::newRow("Description") << "Description" << "(?s)\\S.{10,78}\\n .+";
    }
    void campos()
    {
        QFETCH(QString, campo);
        QFETCH(QString, padrao);
        const QString xValor = Campo(campo);
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(padrao)).match(xValor).hasMatch(),
                 qPrintable(campo + QStringLiteral(": ") + xValor));
    }

    void listaDeArquivos()
    {
        QStringList xEsperados{
            QStringLiteral("usr/bin/tarnwick"),
            QStringLiteral("usr/share/applications/" ID_APP ".desktop"),
            QStringLiteral("usr/share/doc/tarnwick/changelog.gz"),
            QStringLiteral("usr/share/doc/tarnwick/copyright"),
            QStringLiteral("usr/share/man/man1/tarnwick.1.gz"),
            QStringLiteral("usr/share/metainfo/" ID_APP ".metainfo.xml"),
        };
        for (const QString& xLado : QStringLiteral(TAMANHOS_ICONES).split(u','))
            xEsperados.append(QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/tarnwick.png").arg(xLado));
        xEsperados.sort();

        QStringList xArquivos;
        QDirIterator xItens(vRaiz, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (xItens.hasNext())
            xArquivos.append(QDir(vRaiz).relativeFilePath(xItens.next()));
        xArquivos.sort();
        QCOMPARE(xArquivos, xEsperados);
        QCOMPARE(Modo(NaRaiz(QStringLiteral("usr/bin/tarnwick"))), mode_t(0755));
    }

    // The theme's icons: each the window icon drawn at its own size, not a scaled copy of one picture.
    void icones()
    {
        QImage xAnterior;
        for (const QString& xTexto : QStringLiteral(TAMANHOS_ICONES).split(u',')) {
            const int xLado = xTexto.toInt();
            const QImage xIcone(NaRaiz(QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/tarnwick.png").arg(xLado)));
            QCOMPARE(xIcone.size(), QSize(xLado, xLado));
            QVERIFY(xIcone.hasAlphaChannel());
            QCOMPARE(qAlpha(xIcone.pixel(0, 0)), 0);                   // transparent corner
            QVERIFY(qAlpha(xIcone.pixel(xLado / 2, xLado * 3 / 4)) > 0); // the arrow
            QVERIFY(xIcone != xAnterior);
            xAnterior = xIcone;
        }
    }

    void entradaDoLancador()
    {
        const QString xEntrada = NaRaiz(QStringLiteral("usr/share/applications/" ID_APP ".desktop"));
        const TSaida xValida = Executa(QStringLiteral("desktop-file-validate"), {xEntrada});
        QVERIFY2(xValida.Codigo == 0 && xValida.Texto().trimmed().isEmpty(), qPrintable(xValida.Texto()));
        const QMap<QString, QString> xChaves = LeEntrada(xEntrada);
        QCOMPARE(xChaves.value(QStringLiteral("Name")), QStringLiteral("Tarnwick"));
        QCOMPARE(xChaves.value(QStringLiteral("Categories")), QStringLiteral("Office;Finance;"));
        QCOMPARE(xChaves.value(QStringLiteral("Icon")), QStringLiteral("tarnwick"));
        QVERIFY(xChaves.value(QStringLiteral("Comment")).contains(QStringLiteral("notas fiscais eletrônicas")));
        QVERIFY(xChaves.value(QStringLiteral("Exec")).startsWith(QStringLiteral("tarnwick ")));
    }

    void metainfo()
    {
        const QString xArquivo = NaRaiz(QStringLiteral("usr/share/metainfo/" ID_APP ".metainfo.xml"));
        const TSaida xValida =
            Executa(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), xArquivo});
        QVERIFY2(xValida.Codigo == 0, qPrintable(xValida.Texto()));
        QFile xXml(xArquivo);
        QVERIFY(xXml.open(QIODevice::ReadOnly));
        const QString xTexto = QString::fromUtf8(xXml.readAll());
        QVERIFY(xTexto.contains(QStringLiteral("<launchable type=\"desktop-id\">" ID_APP ".desktop</launchable>")));
        // The screenshot is the one the repository keeps in docs/.
        const QRegularExpressionMatch xImagem =
            QRegularExpression(QStringLiteral("<image>https?://[^<]+/(docs/[^</]+\\.png)</image>")).match(xTexto);
        QVERIFY2(xImagem.hasMatch(), qPrintable(xTexto));
        QVERIFY(QFileInfo(QStringLiteral(PASTA_FONTES "/") + xImagem.captured(1)).isFile());
    }

    void lintian()
    {
        const TSaida xLintian =
            Executa(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error"), vPacote},
                    {}, 300000);
        QVERIFY2(xLintian.Codigo == 0, qPrintable(xLintian.Texto()));
        if (!xLintian.Saida.trimmed().isEmpty())
            qInfo().noquote() << "lintian:" << xLintian.Texto();
    }

    // The unpacked program as a desktop user starts it: from the launcher, it works in that user's
    // configuration folder (made with mode 0700); from a terminal, in the folder it was started in.
    // Nothing is written beside the program, which an ordinary user could not do under /usr anyway.
    void programaInstalado_data()
    {
        QTest::addColumn<bool>("lancador");
        QTest::newRow("lançador") << true;
        QTest::newRow("terminal") << false;
    }
    void programaInstalado()
    {
        QFETCH(bool, lancador);
        const bool xRoot = ::geteuid() == 0;
        const QString xCasa = Pasta() + (lancador ? QStringLiteral("/casa-lancador") : QStringLiteral("/casa-terminal"));
        const QString xExecucao = xCasa + QStringLiteral("/execucao");
        QVERIFY(QDir().mkpath(xExecucao));
        QVERIFY(::chmod(QFile::encodeName(xExecucao).constData(), 0700) == 0);
        if (xRoot) {
            QVERIFY(::chown(QFile::encodeName(xCasa).constData(), USUARIO_COMUM, USUARIO_COMUM) == 0);
            QVERIFY(::chown(QFile::encodeName(xExecucao).constData(), USUARIO_COMUM, USUARIO_COMUM) == 0);
        }

        TXvfb xXvfb;
        QVERIFY(xXvfb.Inicia());

        // The launcher's command line, its program taken from the unpacked root instead of the PATH.
        QStringList xComando = QStringList{QStringLiteral("tarnwick")};
        if (lancador)
            xComando = LeEntrada(NaRaiz(QStringLiteral("usr/share/applications/" ID_APP ".desktop")))
                           .value(QStringLiteral("Exec"))
                           .split(u' ', Qt::SkipEmptyParts);
        QVERIFY(!xComando.isEmpty());
        xComando[0] = NaRaiz(QStringLiteral("usr/bin/") + xComando[0]);
        if (xRoot)
            xComando = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                                   QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")} +
                       xComando;

        // A desktop session's environment: no XDG_CONFIG_HOME or XDG_STATE_HOME, so the defaults apply.
        QProcessEnvironment xAmbiente;
        xAmbiente.insert(QStringLiteral("HOME"), xCasa);
        xAmbiente.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        xAmbiente.insert(QStringLiteral("DISPLAY"), xXvfb.Display());
        xAmbiente.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        xAmbiente.insert(QStringLiteral("XDG_RUNTIME_DIR"), xExecucao);
        QProcess xPrograma;
        xPrograma.setProcessEnvironment(xAmbiente);
        xPrograma.setWorkingDirectory(xCasa); // where a launcher starts programs
        xPrograma.start(xComando.takeFirst(), xComando);
        QVERIFY2(xPrograma.waitForStarted(), qPrintable(xPrograma.errorString()));
        const auto xEncerra = qScopeGuard([&xPrograma] {
            xPrograma.terminate();
            if (!xPrograma.waitForFinished(5000))
                xPrograma.kill();
            xPrograma.waitForFinished();
        });

        QDeadlineTimer xLimite(60000);
        while (!xXvfb.Janelas().contains(TITULO_JANELA) && !xLimite.hasExpired() &&
               xPrograma.state() == QProcess::Running)
            QTest::qWait(200);
        QVERIFY2(xXvfb.Janelas().contains(TITULO_JANELA),
                 qPrintable(QString::fromUtf8(xPrograma.readAllStandardError())));

        // setpriv runs the program in its own process: its working folder is the program's.
        const QString xTrabalho =
            QFileInfo(QStringLiteral("/proc/%1/cwd").arg(xPrograma.processId())).symLinkTarget();
        const QString xConfiguracao = xCasa + QStringLiteral("/.config/tarnwick");
        if (lancador) {
            QCOMPARE(xTrabalho, xConfiguracao);
            QCOMPARE(Modo(xConfiguracao), mode_t(0700));
            QCOMPARE(Modo(xCasa + QStringLiteral("/.config")), mode_t(0700));
            if (xRoot)
                QCOMPARE(Dono(xConfiguracao), USUARIO_COMUM);
        } else {
            QCOMPARE(xTrabalho, xCasa);
            QVERIFY(!QFileInfo::exists(xCasa + QStringLiteral("/.config")));
        }
        QVERIFY(!QFileInfo::exists(NaRaiz(QStringLiteral("usr/bin/log"))));
    }
};

QTEST_GUILESS_MAIN(TstPacote)
#include "tst_Pacote.moc"
