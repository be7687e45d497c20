// The Debian package: built with cpack from this build tree, unpacked into a throwaway root and checked
// (control fields, file list, icons, launcher, metainfo, lintian); then the unpacked program is started
// the way the launcher starts it, as an unprivileged user under Xvfb: its window opens and it works in
// that user's configuration folder, and nothing is written beside the program.
#include "support/Xvfb.h"

#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Tests run as root in CI: the program then runs as nobody, as a desktop user would run it.
constexpr uid_t USUARIO_COMUM = 65534;
const QString TITULO_JANELA = QStringLiteral("Download de XMLs WS Velmar - ");

using TSaida = TSaidaPrograma;

TSaida Executa(const QString& pPrograma, const QStringList& pArgumentos, const QString& pPasta = {},
               int pLimiteMs = 120000, const QProcessEnvironment& pAmbiente = {})
{
    return ExecutaPrograma(pPrograma, pArgumentos, pAmbiente, pLimiteMs, pPasta);
}

mode_t Modo(const QString& pCaminho)
{
    struct stat xInfo = {};
    return ::stat(QFile::encodeName(pCaminho).constData(), &xInfo) == 0 ? xInfo.st_mode & 07777 : 0;
}

uid_t Dono(const QString& pCaminho)
{
    struct stat xInfo = {};
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
        const TSaida xCpack =
            Executa(QStringLiteral(CPACK),
                    {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), xSaida},
                    QStringLiteral(PASTA_BUILD), 300000);
        QVERIFY2(xCpack.Codigo == 0, qPrintable(xCpack.Texto()));
        const QString xArquitetura = QString::fromUtf8(
            Executa(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).Saida.trimmed());
        vPacote =
            xSaida + QStringLiteral("/tarnwick_" VERSAO_PACOTE "_") + xArquitetura + QStringLiteral(".deb");
        QVERIFY2(QFileInfo(vPacote).isFile(), qPrintable(QDir(xSaida).entryList().join(u' ')));

        vRaiz = Pasta() + QStringLiteral("/raiz");
        const TSaida xDpkg = Executa(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), vPacote, vRaiz});
        QVERIFY2(xDpkg.Codigo == 0, qPrintable(xDpkg.Texto()));
    }

    void campos_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("padrao"); // a regular expression the whole value must match
        QTest::newRow("Package") << "Package"
                                 << "tarnwick";
        QTest::newRow("Version") << "Version" << QStringLiteral(VERSAO_PACOTE);
        QTest::newRow("Section") << "Section"
                                 << "misc";
        QTest::newRow("Maintainer") << "Maintainer"
                                    << ".+ <[^ @]+@[^ @]+>";
        // the database client, loaded at run time, by name; the toolkit through shlibdeps from the binary
        QTest::newRow("Depends") << "Depends"
                                 << "(?s)(.*, )?libfbclient2(,.*)?, .*libqt6widgets6 .*";
        QTest::newRow("Recommends") << "Recommends"
                                    << "firebird3.0-server-core, qt6-translations-l10n";
        QTest::newRow("Description") << "Description"
                                     << "(?s)\\S.{10,78}\\n .+";
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
            QStringLiteral("usr/share/applications/tarnwick.desktop"),
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
            const QImage xIcone(
                NaRaiz(QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/tarnwick.png").arg(xLado)));
            QCOMPARE(xIcone.size(), QSize(xLado, xLado));
            QVERIFY(xIcone.hasAlphaChannel());
            QCOMPARE(qAlpha(xIcone.pixel(0, 0)), 0);                     // transparent corner
            QVERIFY(qAlpha(xIcone.pixel(xLado / 2, xLado * 3 / 4)) > 0); // the arrow
            QVERIFY(xIcone != xAnterior);
            xAnterior = xIcone;
        }
    }

    void entradaDoLancador()
    {
        const QString xEntrada = NaRaiz(QStringLiteral("usr/share/applications/tarnwick.desktop"));
        const TSaida xValida = Executa(QStringLiteral("desktop-file-validate"), {xEntrada});
        QVERIFY2(xValida.Codigo == 0 && xValida.Texto().trimmed().isEmpty(), qPrintable(xValida.Texto()));
        const QMap<QString, QString> xChaves = LeEntrada(xEntrada);
        QCOMPARE(xChaves.value(QStringLiteral("Name")), QStringLiteral("Tarnwick"));
        QCOMPARE(xChaves.value(QStringLiteral("Categories")), QStringLiteral("Office;Finance;"));
        QCOMPARE(xChaves.value(QStringLiteral("Icon")), QStringLiteral("tarnwick"));
        QVERIFY(
            xChaves.value(QStringLiteral("Comment")).contains(QStringLiteral("notas fiscais eletrônicas")));
        QVERIFY(xChaves.value(QStringLiteral("Exec")).startsWith(QStringLiteral("tarnwick ")));
    }

    void metainfo()
    {
        const QString xArquivo = NaRaiz(QStringLiteral("usr/share/metainfo/" ID_APP ".metainfo.xml"));
        const TSaida xValida = Executa(QStringLiteral("appstreamcli"),
                                       {QStringLiteral("validate"), QStringLiteral("--no-net"), xArquivo});
        QVERIFY2(xValida.Codigo == 0, qPrintable(xValida.Texto()));
        QFile xXml(xArquivo);
        QVERIFY(xXml.open(QIODevice::ReadOnly));
        const QString xTexto = QString::fromUtf8(xXml.readAll());
        QVERIFY(xTexto.contains(
            QStringLiteral("<launchable type=\"desktop-id\">tarnwick.desktop</launchable>")));
        // The screenshot is the one the repository keeps in docs/.
        const QRegularExpressionMatch xImagem =
            QRegularExpression(QStringLiteral("<image>https?://[^<]+/(docs/[^</]+\\.png)</image>"))
                .match(xTexto);
        QVERIFY2(xImagem.hasMatch(), qPrintable(xTexto));
        QVERIFY(QFileInfo(QStringLiteral(PASTA_FONTES "/") + xImagem.captured(1)).isFile());
    }

    void lintian()
    {
        const TSaida xLintian =
            Executa(QStringLiteral("lintian"),
                    {QStringLiteral("--fail-on"), QStringLiteral("error"), vPacote}, {}, 300000);
        QVERIFY2(xLintian.Codigo == 0, qPrintable(xLintian.Texto()));
        if (!xLintian.Saida.trimmed().isEmpty())
            qInfo().noquote() << "lintian:" << xLintian.Texto();
    }

    // The unpacked program as a desktop user starts it. From the launcher it works in that user's
    // configuration folder (made with mode 0700): the settings page saves Tarnwick.ini there, and the
    // first download's log lines go to the user's state folder, since nobody cannot write beside a
    // program under /usr. From a terminal it works in the folder it was started in.
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
        const QString xCasa =
            Pasta() + (lancador ? QStringLiteral("/casa-lancador") : QStringLiteral("/casa-terminal"));
        const QString xExecucao = xCasa + QStringLiteral("/execucao");
        const QString xTravas = xCasa + QStringLiteral("/firebird"); // the embedded engine's lock files
        const QString xSaida = xCasa + QStringLiteral("/xmls");
        for (const QString& xPasta : {xCasa, xExecucao, xTravas, xSaida}) {
            QVERIFY(QDir().mkpath(xPasta));
            QVERIFY(::chmod(QFile::encodeName(xPasta).constData(), 0700) == 0);
            if (xRoot)
                QVERIFY(::chown(QFile::encodeName(xPasta).constData(), USUARIO_COMUM, USUARIO_COMUM) == 0);
        }
        const QStringList xComoUsuario =
            xRoot ? QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                                QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")}
                  : QStringList{};

        // A desktop session's environment: no XDG_CONFIG_HOME or XDG_STATE_HOME, so the defaults apply.
        TXvfb xXvfb;
        QVERIFY(xXvfb.Inicia());
        QProcessEnvironment xAmbiente;
        xAmbiente.insert(QStringLiteral("HOME"), xCasa);
        xAmbiente.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        xAmbiente.insert(QStringLiteral("DISPLAY"), xXvfb.Display());
        xAmbiente.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        xAmbiente.insert(QStringLiteral("XDG_RUNTIME_DIR"), xExecucao);
        xAmbiente.insert(QStringLiteral("FIREBIRD_LOCK"), xTravas);

        // The user's database of branches, made by that user with the embedded engine.
        const QString xBanco = xCasa + QStringLiteral("/filiais.fdb");
        if (lancador) {
            const QString xSql = Pasta() + QStringLiteral("/filiais.sql");
            QFile xArquivo(xSql);
            QVERIFY(xArquivo.open(QIODevice::WriteOnly));
            xArquivo.write("SET SQL DIALECT 3;\n"
                           "CREATE DATABASE '" +
                           xBanco.toUtf8() +
                           "' USER 'SYSDBA' PASSWORD 'masterkey' DEFAULT CHARACTER SET WIN1252;\n"
                           "CREATE TABLE Filiais (CodEmpresa CHAR(2) NOT NULL PRIMARY KEY,"
                           " NomeEmpresa VARCHAR(30), Estado CHAR(2), CGC VARCHAR(18));\n"
                           "INSERT INTO Filiais VALUES ('01', 'Matriz', 'SP', '11222333000181');\n"
                           "COMMIT;\n");
            xArquivo.close();
            QVERIFY(::chmod(QFile::encodeName(xSql).constData(), 0644) == 0);
            QStringList xIsql = xComoUsuario + QStringList{QStringLiteral("isql-fb"), QStringLiteral("-q"),
                                                           QStringLiteral("-i"), xSql};
            const QString xPrograma = xIsql.takeFirst();
            const TSaida xCria = Executa(xPrograma, xIsql, xCasa, 120000, xAmbiente);
            QVERIFY2(xCria.Codigo == 0 && QFileInfo(xBanco).isFile(), qPrintable(xCria.Texto()));
        }

        // The launcher's command line, its program taken from the unpacked root instead of the PATH.
        QStringList xComando = QStringList{QStringLiteral("tarnwick")};
        if (lancador)
            xComando = LeEntrada(NaRaiz(QStringLiteral("usr/share/applications/tarnwick.desktop")))
                           .value(QStringLiteral("Exec"))
                           .split(u' ', Qt::SkipEmptyParts);
        QVERIFY(!xComando.isEmpty());
        xComando[0] = NaRaiz(QStringLiteral("usr/bin/") + xComando[0]);
        xComando = xComoUsuario + xComando;
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
        const auto xDiagnostico = [&xPrograma] {
            return QString::fromUtf8(xPrograma.readAllStandardError());
        };

        const QString xJanela = xXvfb.AguardaJanela(QStringLiteral("^") + TITULO_JANELA);
        QVERIFY2(!xJanela.isEmpty(), qPrintable(xDiagnostico()));

        // setpriv runs the program in its own process: its working folder is the program's.
        const QString xTrabalho =
            QFileInfo(QStringLiteral("/proc/%1/cwd").arg(xPrograma.processId())).symLinkTarget();
        const QString xConfiguracao = xCasa + QStringLiteral("/.config/tarnwick");
        if (!lancador) {
            QCOMPARE(xTrabalho, xCasa);
            QVERIFY(!QFileInfo::exists(xCasa + QStringLiteral("/.config")));
            QVERIFY(!QFileInfo::exists(NaRaiz(QStringLiteral("usr/bin/log"))));
            return;
        }
        QCOMPARE(xTrabalho, xConfiguracao);
        QCOMPARE(Modo(xConfiguracao), mode_t(0700));
        QCOMPARE(Modo(xCasa + QStringLiteral("/.config")), mode_t(0700));
        if (xRoot)
            QCOMPARE(Dono(xConfiguracao), USUARIO_COMUM);

        // No configuration yet: a warning, then the settings page. The points below are the window's
        // fields and buttons (its layout is in fixed pixels; the pages start 2 pixels in).
        const QString xAviso = xXvfb.AguardaJanela(QStringLiteral("^Atenção$"), 10000);
        if (!xAviso.isEmpty())
            xXvfb.Tecla(xAviso, QStringLiteral("Return"));
        QTest::qWait(500);
        xXvfb.Clica(xJanela, 117, 47); // database path
        xXvfb.Digita(xBanco);
        xXvfb.Clica(xJanela, 54, 103); // user
        xXvfb.Digita(QStringLiteral("SYSDBA"));
        xXvfb.Clica(xJanela, 150, 103); // password
        xXvfb.Digita(QStringLiteral("masterkey"));
        xXvfb.Clica(xJanela, 395, 250); // Salvar: tests the connection, saves, back to the main page

        const QString xIni = xConfiguracao + QStringLiteral("/Tarnwick.ini");
        QDeadlineTimer xLimite(30000);
        while (!QFileInfo(xIni).isFile() && !xLimite.hasExpired())
            QTest::qWait(200);
        QTest::qWait(500);
        QFile xConteudo(xIni);
        QVERIFY2(xConteudo.open(QIODevice::ReadOnly), qPrintable(xDiagnostico()));
        QVERIFY(xConteudo.readAll().contains("Caminho=" + xBanco.toUtf8()));
        QVERIFY(!QFileInfo::exists(xCasa + QStringLiteral("/Tarnwick.ini")));

        // A download of the ticked branch: NF-e, Produção, Download, then the destination folder. The
        // notes client logs the request whether or not a notes service answers.
        xXvfb.Clica(xJanela, 348, 130); // NF-e
        xXvfb.Clica(xJanela, 348, 171); // Produção
        xXvfb.Clica(xJanela, 314, 224); // Download
        const QString xPastaDestino = xXvfb.AguardaJanela(QStringLiteral("^Selecione a pasta"), 30000);
        QVERIFY2(!xPastaDestino.isEmpty(), qPrintable(xDiagnostico()));
        xXvfb.Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), xPastaDestino});
        xXvfb.Digita(xSaida);
        xXvfb.Tecla(xPastaDestino, QStringLiteral("Return"));

        const QString xLog = xCasa + QStringLiteral("/.local/state/tarnwick/log");
        QByteArray xLinhas;
        xLimite.setRemainingTime(60000);
        while (!xLinhas.contains("[TRecepcaoNF") && !xLimite.hasExpired()) {
            QTest::qWait(200);
            const QStringList xArquivos =
                QDir(xLog).entryList({QStringLiteral("Logtarnwick*.txt")}, QDir::Files);
            if (xArquivos.size() == 1) {
                QFile xArquivo(xLog + u'/' + xArquivos.first());
                if (xArquivo.open(QIODevice::ReadOnly))
                    xLinhas = xArquivo.readAll();
            }
        }
        QVERIFY2(xLinhas.contains("[TRecepcaoNF"), qPrintable(xDiagnostico()));
        QCOMPARE(Modo(xCasa + QStringLiteral("/.local/state/tarnwick")), mode_t(0700));
        QVERIFY(!QFileInfo::exists(NaRaiz(QStringLiteral("usr/bin/log"))));
        QVERIFY(!QFileInfo::exists(xConfiguracao + QStringLiteral("/log")));
    }
};

QTEST_GUILESS_MAIN(TstPacote)
#include "tst_Pacote.moc"
