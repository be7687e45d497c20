// The platform layer's files: exclusive creation, whole and durable writes, the log's single writer,
// publishing without replacing, the hidden file of a write in progress with its writer's hold and the
// removal of leftovers, and the durable replacement of a file's content. Every name is also tried with
// characters outside any ANSI code page, and where the folder may be deep or on the network, with a
// folder past 300 characters and a UNC path. Another program that holds a file for a moment (an
// antivirus) is waited for within a bound.
#include "sistema/ArquivoSistema.h"
#include "sistema/EscritaEmCurso.h"
#include "sistema/Publicacao.h"
#include "sistema/Retentativa.h"
#include "sistema/SubstituicaoArquivo.h"
#include "support/DetentorArquivo.h"
#include "support/ProcessoHospedeiro.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <QElapsedTimer>
#include <cstdio>
#include <list>
#include <optional>

namespace {

// A name no ANSI code page holds whole: Portuguese, Greek and Japanese.
const QString NOME_UNICODE = QStringLiteral("João Área ç Ωμέγα 日本");

QByteArray Le(const QString& pCaminho)
{
    QFile xArquivo(pCaminho);
    return xArquivo.open(QIODevice::ReadOnly) ? xArquivo.readAll() : QByteArray("<ausente>");
}

bool Grava(const QString& pCaminho, const QByteArray& pDados)
{
    QFile xArquivo(pCaminho);
    return xArquivo.open(QIODevice::WriteOnly) && xArquivo.write(pDados) == pDados.size();
}

bool Envelhece(const QString& pCaminho, int pSegundos)
{
    QFile xArquivo(pCaminho);
    return xArquivo.open(QIODevice::ReadWrite) &&
           xArquivo.setFileTime(QDateTime::currentDateTime().addSecs(-pSegundos),
                                QFileDevice::FileModificationTime);
}

QByteArray Aleatorios(qsizetype pTamanho)
{
    QByteArray xBytes(pTamanho, Qt::Uninitialized);
    for (qsizetype i = 0; i < pTamanho; ++i)
        xBytes[i] = char(QRandomGenerator::global()->bounded(256));
    return xBytes;
}

constexpr auto SO_DONO = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions TODAS_AS_PERMISSOES = QFile::Permissions(0x7777);

} // namespace

class TesteArquivos : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> vPasta;
    QString Caminho(const QString& pNome) const { return vPasta->filePath(pNome); }
    QStringList Arquivos() const
    {
        return QDir(vPasta->path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    // pNome in the test's folder, where "<longa>" stands for a folder below it whose path passes 300
    // characters (made here) and a leading "<unc>" for the test's folder seen as the network share
    // \\servidor\compartilhamento. Nothing when this system cannot show it: POSIX has no UNC paths;
    // Wine maps a share to a folder only through a link of its prefix (dosdevices/unc), made here.
    std::optional<QString> Local(QString pNome) const
    {
        QString xRaiz = vPasta->path();
        if (pNome.startsWith(u"<unc>/")) {
#ifndef Q_OS_WIN
            return std::nullopt;
#else
            const QString xPrefixo = qEnvironmentVariable("WINEPREFIX");
            if (xPrefixo.isEmpty())
                return std::nullopt; // a real Windows: no share to map the folder to
            const TResultadoHospedeiro xLink = ExecutaNoHospedeiro(
                QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("mkdir -p \"$1/dosdevices/unc/servidor\" && "
                                "ln -sfn \"$2\" \"$1/dosdevices/unc/servidor/compartilhamento\""),
                 QStringLiteral("sh"), xPrefixo, CaminhoNoHospedeiro(vPasta->path())});
            if (!xLink.Terminou || xLink.Codigo != 0)
                return std::nullopt;
            xRaiz = QStringLiteral("//servidor/compartilhamento");
            pNome = pNome.mid(6);
#endif
        }
        if (pNome.contains(u"<longa>")) {
            QString xLonga;
            for (int i = 0; (xRaiz + u'/' + xLonga).size() < 300; ++i)
                xLonga += (xLonga.isEmpty() ? QString() : QStringLiteral("/")) +
                          QStringLiteral("Pasta funda %1 de João com um nome comprido para passar do limite").arg(i);
            if (!QDir().mkpath(vPasta->path() + u'/' + xLonga))
                return std::nullopt;
            pNome.replace(QStringLiteral("<longa>"), xLonga);
        }
        return xRaiz + u'/' + pNome;
    }

private slots:
    void init()
    {
        vPasta = std::make_unique<QTemporaryDir>();
        QVERIFY(vPasta->isValid());
    }
    void cleanup() { vPasta.reset(); }

    // A new file is made only where no file is; what is there stays untouched.
    void criaNovo_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("existente"); // "" = no file there
        QTest::addColumn<bool>("criado");
        QTest::addColumn<bool>("nomeExiste");
        QTest::newRow("free name") << "novo.zip" << QByteArray() << true << false;
        QTest::newRow("unicode name") << NOME_UNICODE + ".zip" << QByteArray() << true << false;
        QTest::newRow("file there") << "velho.zip" << QByteArray("antigo") << false << true;
        QTest::newRow("empty file there") << "vazio.zip" << QByteArray("") << false << true;
        QTest::newRow("missing folder") << "falta/novo.zip" << QByteArray() << false << false;
        QTest::newRow("300-character folder") << "<longa>/novo.zip" << QByteArray() << true << false;
        QTest::newRow("300-character folder, file there")
            << "<longa>/velho.zip" << QByteArray("antigo") << false << true;
        QTest::newRow("UNC path") << "<unc>/novo.zip" << QByteArray() << true << false;
        QTest::newRow("UNC path, file there") << "<unc>/velho.zip" << QByteArray("antigo") << false << true;
        QTest::newRow("UNC path, 300-character folder") << "<unc>/<longa>/novo.zip" << QByteArray() << true
                                                        << false;
    }
    void criaNovo()
    {
        QFETCH(QString, nome);
        QFETCH(QByteArray, existente);
        QFETCH(bool, criado);
        QFETCH(bool, nomeExiste);
        const std::optional<QString> xLocal = Local(nome);
        if (!xLocal)
            QSKIP("no UNC path on this system");
        // Wine 8 does not lead "\\?\UNC\servidor\..." to the share's folder (the file lands elsewhere).
        if (nome.startsWith(u"<unc>/<longa>") && qEnvironmentVariableIsSet("WINEPREFIX"))
            QSKIP("Wine maps no long-form UNC name to its share");
        const QString xCaminho = *xLocal;
        if (!existente.isNull())
            QVERIFY(Grava(xCaminho, existente));
        TArquivoSistema xArquivo = TArquivoSistema::CriaNovo(xCaminho);
        QVERIFY2(xArquivo.Aberto() == criado, qPrintable(xArquivo.Erro().Mensagem()));
        QCOMPARE(xArquivo.Erro().NomeExiste(), nomeExiste);
        if (!criado) {
            QVERIFY(xArquivo.Erro().Falhou());
            QVERIFY(!xArquivo.Erro().Mensagem().isEmpty());
            QCOMPARE(Le(xCaminho), existente.isNull() ? QByteArray("<ausente>") : existente);
            return;
        }
        QVERIFY(xArquivo.Escreve("conteúdo"));
        QVERIFY(xArquivo.Fecha());
        QCOMPARE(Le(xCaminho), QByteArray("conteúdo"));
        // A network path reaches the folder itself.
        QCOMPARE(Le(*Local(QString(nome).remove(QStringLiteral("<unc>/")))), QByteArray("conteúdo"));
        if (!nome.contains(u"<longa>"))
            QCOMPARE(Arquivos(), QStringList{QFileInfo(xCaminho).fileName()});
        // Closed once: a second close reports nothing more.
        QVERIFY(xArquivo.Fecha());
        QVERIFY(!xArquivo.Aberto());
    }

    // Whole writes, durable, of every size; the file then reads back exactly, by position too.
    void escritaDuravel_data()
    {
        QTest::addColumn<qsizetype>("tamanho");
        QTest::newRow("nothing") << qsizetype(0);
        QTest::newRow("one byte") << qsizetype(1);
        QTest::newRow("a block and one") << qsizetype(64 * 1024 + 1);
        QTest::newRow("3 MiB") << qsizetype(3 * 1024 * 1024);
    }
    void escritaDuravel()
    {
        QFETCH(qsizetype, tamanho);
        const QByteArray xDados = Aleatorios(tamanho);
        const QString xCaminho = Caminho(NOME_UNICODE);
        {
            TArquivoSistema xArquivo = TArquivoSistema::CriaNovo(xCaminho);
            QVERIFY(xArquivo.Aberto());
            QVERIFY(xArquivo.Escreve(xDados));
            QVERIFY(xArquivo.Sincroniza());
            QVERIFY(xArquivo.Fecha());
        }
        QCOMPARE(Le(xCaminho), xDados);

        TArquivoSistema xArquivo = TArquivoSistema::AbreLeituraEscrita(xCaminho);
        QVERIFY(xArquivo.Aberto());
        QCOMPARE(xArquivo.Tamanho(), qint64(tamanho));
        if (tamanho > 0) {
            // A positioned read leaves the current position where it was.
            char xUltimo = 0;
            QCOMPARE(xArquivo.LeEm(tamanho - 1, &xUltimo, 1), qint64(1));
            QCOMPARE(xUltimo, xDados.back());
        }
        QByteArray xLidos(tamanho + 1, Qt::Uninitialized);
        qint64 xTotal = 0;
        for (qint64 xParte; (xParte = xArquivo.Le(xLidos.data() + xTotal, xLidos.size() - xTotal)) > 0;)
            xTotal += xParte;
        QCOMPARE(xTotal, qint64(tamanho));
        QCOMPARE(xLidos.left(tamanho), xDados);
        QCOMPARE(xArquivo.Posiciona(0, SEEK_END), qint64(tamanho));
        QCOMPARE(xArquivo.Posiciona(0, SEEK_SET), qint64(0));
        QVERIFY(xArquivo.Trunca(0));
        QCOMPARE(xArquivo.Tamanho(), qint64(0));
        QVERIFY(xArquivo.Escreve("PK"));
        QVERIFY(xArquivo.Fecha());
        QCOMPARE(Le(xCaminho), QByteArray("PK"));
    }

    // Opening what is not there fails with the reason, and every later operation fails too.
    void abreAusente()
    {
        TArquivoSistema xArquivo = TArquivoSistema::AbreLeituraEscrita(Caminho("ausente.zip"));
        QVERIFY(!xArquivo.Aberto());
        QVERIFY(xArquivo.Erro().Falhou());
        QVERIFY(!xArquivo.Erro().NomeExiste());
        QVERIFY(!xArquivo.Erro().Mensagem().isEmpty());
        QCOMPARE(RemoveArquivo(Caminho("ausente.zip")).Falhou(), true);
    }

    // The copy beside a file: a fresh name each time, beside it, for its owner only on POSIX; then it
    // takes the permissions of the file it will replace.
    void temporarioAoLado()
    {
        const QString xOriginal = Caminho(NOME_UNICODE + ".zip");
        QVERIFY(Grava(xOriginal, "original"));
        TArquivoSistema xPrimeiro = TArquivoSistema::CriaTemporarioAoLado(xOriginal);
        TArquivoSistema xSegundo = TArquivoSistema::CriaTemporarioAoLado(xOriginal);
        QVERIFY(xPrimeiro.Aberto() && xSegundo.Aberto());
        QVERIFY(xPrimeiro.Caminho() != xSegundo.Caminho());
        for (const TArquivoSistema* xArquivo : {&xPrimeiro, &xSegundo}) {
            QVERIFY2(xArquivo->Caminho().startsWith(xOriginal + u'.'), qPrintable(xArquivo->Caminho()));
            QCOMPARE(xArquivo->Caminho().size(), xOriginal.size() + 7);
            QVERIFY(QFile::exists(xArquivo->Caminho()));
        }
        QCOMPARE(Le(xOriginal), QByteArray("original"));
#ifndef Q_OS_WIN
        QCOMPARE(QFile::permissions(xPrimeiro.Caminho()) & TODAS_AS_PERMISSOES,
                 SO_DONO | QFile::ReadUser | QFile::WriteUser);
        QVERIFY(QFile::setPermissions(xOriginal, SO_DONO | QFile::ReadGroup | QFile::ReadUser |
                                                     QFile::WriteUser | QFile::ReadOther));
        TArquivoSistema xOrigem = TArquivoSistema::AbreLeituraEscrita(xOriginal);
        QVERIFY(xPrimeiro.CopiaPermissoesDe(xOrigem));
        QCOMPARE(QFile::permissions(xPrimeiro.Caminho()) & TODAS_AS_PERMISSOES,
                 QFile::permissions(xOriginal) & TODAS_AS_PERMISSOES);
#endif
    }

    // The log's writer: the file is made when missing and only appended to; one writer at a time,
    // readers let in.
    void acrescenta_data()
    {
        QTest::addColumn<QByteArray>("existente"); // null: no file
        QTest::newRow("file missing") << QByteArray();
        QTest::newRow("file with lines") << QByteArray("linha 1\r\n");
    }
    void acrescenta()
    {
        QFETCH(QByteArray, existente);
        const QString xCaminho = Caminho(QStringLiteral("Log") + NOME_UNICODE + QStringLiteral(".txt"));
        if (!existente.isNull())
            QVERIFY(Grava(xCaminho, existente));
        {
            TArquivoSistema xEscritor = TArquivoSistema::AbreParaAcrescentar(xCaminho);
            QVERIFY(xEscritor.Aberto());
            // A second writer, of this process or another, is kept out while the first holds the file.
            TArquivoSistema xSegundo = TArquivoSistema::AbreParaAcrescentar(xCaminho);
            QVERIFY(!xSegundo.Aberto());
            QVERIFY(xSegundo.Erro().Falhou());
            // A reader is let in.
            QFile xLeitor(xCaminho);
            QVERIFY(xLeitor.open(QIODevice::ReadOnly));
            QCOMPARE(xLeitor.readAll(), existente.isNull() ? QByteArray() : existente);
            QVERIFY(xEscritor.Escreve("linha 2\r\n"));
            QVERIFY(xEscritor.Fecha());
        }
        TArquivoSistema xDepois = TArquivoSistema::AbreParaAcrescentar(xCaminho);
        QVERIFY(xDepois.Aberto());
        QVERIFY(xDepois.Escreve("linha 3\r\n"));
        QVERIFY(xDepois.Fecha());
        QCOMPARE(Le(xCaminho), (existente.isNull() ? QByteArray() : existente) + "linha 2\r\nlinha 3\r\n");
    }

    // A finished file gets its final name only where no file is, even one that appeared a moment ago.
    void publicaSemSobrescrever_data()
    {
        QTest::addColumn<QString>("destino");
        QTest::addColumn<QByteArray>("existente"); // null: nothing there
        QTest::addColumn<bool>("publicado");
        QTest::addColumn<bool>("nomeExiste");
        QTest::newRow("free name") << "download.zip" << QByteArray() << true << false;
        QTest::newRow("unicode name") << NOME_UNICODE + " (1).zip" << QByteArray() << true << false;
        QTest::newRow("file there") << "download.zip" << QByteArray("antigo") << false << true;
        QTest::newRow("empty file there") << "download.zip" << QByteArray("") << false << true;
        QTest::newRow("missing folder") << "falta/download.zip" << QByteArray() << false << false;
        QTest::newRow("300-character folder") << "<longa>/download.zip" << QByteArray() << true << false;
        QTest::newRow("300-character folder, file there")
            << "<longa>/download.zip" << QByteArray("antigo") << false << true;
        QTest::newRow("UNC path") << "<unc>/download.zip" << QByteArray() << true << false;
        QTest::newRow("UNC path, file there") << "<unc>/download.zip" << QByteArray("antigo") << false << true;
    }
    void publicaSemSobrescrever()
    {
        QFETCH(QString, destino);
        QFETCH(QByteArray, existente);
        QFETCH(bool, publicado);
        QFETCH(bool, nomeExiste);
        const std::optional<QString> xLocal = Local(destino);
        if (!xLocal)
            QSKIP("no UNC path on this system");
        const QString xDestino = *xLocal;
        // Written beside its final name, as a download writes it.
        const QString xPastaDestino = QFileInfo(xDestino).path();
        const QString xOrigem = (QFileInfo(xPastaDestino).isDir() ? xPastaDestino : vPasta->path()) +
                                QStringLiteral("/.download.zip.0123abcd.part");
        {
            TArquivoSistema xArquivo = CriaArquivoOculto(xOrigem);
            QVERIFY2(xArquivo.Aberto(), qPrintable(xArquivo.Erro().Mensagem()));
            QVERIFY(xArquivo.Escreve("novo"));
            QVERIFY(xArquivo.Fecha());
        }
        if (!existente.isNull())
            QVERIFY(Grava(xDestino, existente));
        const TErroSistema xErro = PublicaSemSobrescrever(xOrigem, xDestino);
        QVERIFY2(!xErro.Falhou() == publicado, qPrintable(xErro.Mensagem()));
        QCOMPARE(xErro.NomeExiste(), nomeExiste);
        if (publicado) {
            QCOMPARE(Le(xDestino), QByteArray("novo"));
            QVERIFY(!QFile::exists(xOrigem));
            // Published, it is no longer hidden.
            QVERIFY(!QFileInfo(xDestino).isHidden());
        } else {
            QVERIFY(!xErro.Mensagem().isEmpty());
            QCOMPARE(Le(xOrigem), QByteArray("novo"));
            QCOMPARE(Le(xDestino), existente.isNull() ? QByteArray("<ausente>") : existente);
            // Left as it was: still hidden.
            QVERIFY(QFileInfo(xOrigem).isHidden());
        }
    }

    // A file removed, wherever its folder is; a missing one is a failure with its reason.
    void removeArquivo_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("existe");
        QTest::newRow("file") << "velho.zip" << true;
        QTest::newRow("unicode name") << NOME_UNICODE + ".zip" << true;
        QTest::newRow("missing") << "ausente.zip" << false;
        QTest::newRow("300-character folder") << "<longa>/velho.zip" << true;
        QTest::newRow("UNC path") << "<unc>/velho.zip" << true;
        QTest::newRow("UNC path, missing") << "<unc>/ausente.zip" << false;
    }
    void removeArquivo()
    {
        QFETCH(QString, nome);
        QFETCH(bool, existe);
        const std::optional<QString> xLocal = Local(nome);
        if (!xLocal)
            QSKIP("no UNC path on this system");
        if (existe)
            QVERIFY(Grava(*xLocal, "antigo"));
        const TErroSistema xErro = RemoveArquivo(*xLocal);
        QVERIFY2(xErro.Falhou() != existe, qPrintable(xErro.Mensagem()));
        QVERIFY(!xErro.Transitorio());
        if (!existe)
            QVERIFY(!xErro.Mensagem().isEmpty());
        QVERIFY(!QFile::exists(*Local(QString(nome).remove(QStringLiteral("<unc>/")))));
    }

    // Another program holds the file for a moment (300 ms) without delete sharing: publishing,
    // replacing and removing wait for it. One that holds it throughout makes them fail, within the
    // bound, with the system's reason, and loses nothing.
    void ocupado_data()
    {
        QTest::addColumn<QString>("operacao");
        QTest::addColumn<int>("retencaoMs"); // -1: throughout
        QTest::newRow("published, held 300 ms") << "publica" << 300;
        QTest::newRow("published, held throughout") << "publica" << -1;
        QTest::newRow("replaced, held 300 ms") << "substitui" << 300;
        QTest::newRow("replaced, held throughout") << "substitui" << -1;
        QTest::newRow("removed, held 300 ms") << "remove" << 300;
        QTest::newRow("removed, held throughout") << "remove" << -1;
    }
    void ocupado()
    {
        QFETCH(QString, operacao);
        QFETCH(int, retencaoMs);
        if (retencaoMs < 0 && !TDetentorArquivo::Impede())
            QSKIP("another program's open file stops no rename or removal on this system");
        const QString xOculto = Caminho(u'.' + NOME_UNICODE + QStringLiteral(".zip.0123abcd.part"));
        const QString xFinal = Caminho(NOME_UNICODE + QStringLiteral(".zip"));
        const QString xIni = Caminho(QStringLiteral("Tarnwick.ini"));
        QString xRetido;
        if (operacao == u"publica") {
            TArquivoSistema xArquivo = CriaArquivoOculto(xOculto);
            QVERIFY(xArquivo.Escreve("PK inteiro") && xArquivo.Fecha());
            xRetido = xOculto;
        } else if (operacao == u"substitui") {
            QVERIFY(Grava(xIni, "[CONEXAO]\r\nSenha=velha\r\n"));
            xRetido = xIni;
        } else {
            QVERIFY(Grava(xFinal, "PK"));
            xRetido = xFinal;
        }
        TDetentorArquivo xDetentor;
        QVERIFY(xDetentor.Abre(xRetido));
        if (retencaoMs >= 0)
            xDetentor.LiberaApos(retencaoMs);

        QElapsedTimer xRelogio;
        xRelogio.start();
        TErroSistema xErro;
        if (operacao == u"publica")
            xErro = PublicaSemSobrescrever(xOculto, xFinal);
        else if (operacao == u"substitui")
            xErro = SubstituiArquivo(xIni, "[CONEXAO]\r\nSenha=nova\r\n");
        else
            xErro = RemoveArquivo(xFinal);
        const qint64 xEsperaMs = xRelogio.elapsed();
        xDetentor.Libera();
        qInfo("%s: %lld ms (the longest wait so far: %lld ms)", qPrintable(operacao), xEsperaMs,
              MaiorEsperaOcupado());

        if (retencaoMs >= 0) {
            QVERIFY2(!xErro.Falhou(), qPrintable(xErro.Mensagem()));
            QVERIFY(xEsperaMs < ESPERA_MAXIMA_OCUPADO_MS);
            if (operacao == u"publica")
                QCOMPARE(Arquivos(), QStringList{NOME_UNICODE + ".zip"});
            else if (operacao == u"substitui")
                QCOMPARE(Le(xIni), QByteArray("[CONEXAO]\r\nSenha=nova\r\n"));
            else
                QCOMPARE(Arquivos(), QStringList());
        } else {
            QVERIFY(xErro.Transitorio());
            QVERIFY(!xErro.Mensagem().isEmpty());
            QVERIFY(xEsperaMs >= ESPERA_MAXIMA_OCUPADO_MS);
            QVERIFY(xEsperaMs < 3 * ESPERA_MAXIMA_OCUPADO_MS);
            // Nothing lost, nothing left: the file held stays as it was, and no temporary copy holding
            // the password is there (or it is hidden).
            if (operacao == u"publica") {
                QCOMPARE(Le(xOculto), QByteArray("PK inteiro"));
                QVERIFY(QFileInfo(xOculto).isHidden());
                QVERIFY(!QFile::exists(xFinal));
            } else if (operacao == u"substitui") {
                QCOMPARE(Le(xIni), QByteArray("[CONEXAO]\r\nSenha=velha\r\n"));
                for (const QString& xNome : Arquivos())
                    QVERIFY2(xNome == u"Tarnwick.ini" || QFileInfo(Caminho(xNome)).isHidden(), qPrintable(xNome));
            } else {
                QCOMPARE(Le(xFinal), QByteArray("PK"));
            }
        }
    }

    // The finished copy of a file takes its place, whether the file is there or not.
    void publicaSubstituindo_data()
    {
        QTest::addColumn<bool>("existe");
        QTest::newRow("file there") << true;
        QTest::newRow("file missing") << false;
    }
    void publicaSubstituindo()
    {
        QFETCH(bool, existe);
        const QString xDestino = Caminho(NOME_UNICODE + ".zip");
        if (existe)
            QVERIFY(Grava(xDestino, "antigo"));
        QVERIFY(Grava(xDestino + ".abc123", "novo"));
        QVERIFY(!PublicaSubstituindo(xDestino + ".abc123", xDestino).Falhou());
        QCOMPARE(Le(xDestino), QByteArray("novo"));
        QCOMPARE(Arquivos(), QStringList{NOME_UNICODE + ".zip"});
    }

    // A file being written is hidden, made only where nothing is; while its writer holds it, it may
    // still be written, renamed and removed.
    void arquivoOculto()
    {
        const QString xCaminho = Caminho(u'.' + NOME_UNICODE + QStringLiteral(".zip.00000001.part"));
        TArquivoSistema xArquivo = CriaArquivoOculto(xCaminho);
        QVERIFY(xArquivo.Aberto());
        QVERIFY(QFileInfo(xCaminho).isHidden());
        QVERIFY(CriaArquivoOculto(xCaminho).Erro().NomeExiste());

        TTravaEscrita xTrava;
        QVERIFY(xTrava.Toma(xCaminho));
        QVERIFY(xArquivo.Escreve("PK"));
        QVERIFY(xArquivo.Sincroniza());
        QVERIFY(xArquivo.Fecha());
        QVERIFY(Envelhece(xCaminho, 120)); // others may open it for writing meanwhile
        QVERIFY(!RemoveSeAbandonado(xCaminho, 60));
        QVERIFY(!PublicaSemSobrescrever(xCaminho, Caminho("final.zip")).Falhou());
        QCOMPARE(Le(Caminho("final.zip")), QByteArray("PK"));

        const QString xOutro = Caminho(QStringLiteral(".outro.zip.00000002.part"));
        TArquivoSistema xSegundo = CriaArquivoOculto(xOutro);
        TTravaEscrita xSegundaTrava;
        QVERIFY(xSegundaTrava.Toma(xOutro));
        QVERIFY(xSegundo.Fecha());
        QVERIFY(!RemoveArquivo(xOutro).Falhou()); // a dropped archive goes, held or not
        xSegundaTrava.Libera();
        QCOMPARE(Arquivos(), QStringList{"final.zip"});
    }

    // What a writer that died left behind goes; a file a live writer holds, one written to lately, and
    // what is no regular file stay.
    void removeSeAbandonado_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<bool>("removido");
        QTest::newRow("old, nobody holds it") << "abandonado" << true;
        QTest::newRow("old, a live writer holds it") << "travado" << false;
        QTest::newRow("held, then let go") << "liberado" << true;
        QTest::newRow("written to lately") << "recente" << false;
        QTest::newRow("a folder") << "pasta" << false;
        QTest::newRow("missing") << "ausente" << false;
        QTest::newRow("a link to an old file") << "link" << false;
    }
    void removeSeAbandonado()
    {
        QFETCH(QString, caso);
        QFETCH(bool, removido);
        const QString xCaminho = Caminho(u'.' + NOME_UNICODE + QStringLiteral(".zip.0123abcd.part"));
        std::list<TTravaEscrita> xTravas;
        if (caso == u"pasta") {
            QVERIFY(QDir().mkpath(xCaminho));
        } else if (caso == u"link") {
#ifdef Q_OS_WIN
            QSKIP("symbolic links need a privilege on Windows");
#endif
            QVERIFY(Grava(Caminho("alvo"), "PK resto"));
            QVERIFY(Envelhece(Caminho("alvo"), 120));
            QVERIFY(QFile::link(Caminho("alvo"), xCaminho));
        } else if (caso != u"ausente") {
            QVERIFY(Grava(xCaminho, "PK resto"));
            if (caso != u"recente")
                QVERIFY(Envelhece(xCaminho, 120));
            if (caso == u"travado" || caso == u"liberado")
                QVERIFY(xTravas.emplace_back().Toma(xCaminho));
            if (caso == u"liberado")
                xTravas.back().Libera();
        }
        QCOMPARE(RemoveSeAbandonado(xCaminho, 60), removido);
        QCOMPARE(QFileInfo::exists(xCaminho) || QFileInfo(xCaminho).isSymLink(),
                 !removido && caso != u"ausente");
        if (caso == u"link")
            QCOMPARE(Le(Caminho("alvo")), QByteArray("PK resto"));
    }

    // A file's content replaced whole: a new file is its owner's only, one that exists keeps its
    // permissions, nothing is left beside it, and a folder that takes no new file gets it in place.
    void substitui_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<bool>("substituido");
        QTest::newRow("new file") << "novo" << true;
        QTest::newRow("file there") << "existente" << true;
        QTest::newRow("unicode folder") << "unicode" << true;
        QTest::newRow("missing folder") << "sem pasta" << false;
        QTest::newRow("folder closed to new files") << "pasta fechada" << true;
        QTest::newRow("missing file in a closed folder") << "fechada sem arquivo" << false;
    }
    void substitui()
    {
        QFETCH(QString, caso);
        QFETCH(bool, substituido);
        QString xPasta = vPasta->path();
        if (caso == u"unicode")
            xPasta += u'/' + NOME_UNICODE;
        else if (caso == u"sem pasta")
            xPasta += QStringLiteral("/falta");
        else
            xPasta += QStringLiteral("/config");
        if (caso != u"sem pasta")
            QVERIFY(QDir().mkpath(xPasta));
        const QString xArquivo = xPasta + QStringLiteral("/Tarnwick.ini");
        const bool xExistia = caso == u"existente" || caso == u"pasta fechada";
        if (xExistia) {
            QVERIFY(Grava(xArquivo, "[CONEXAO]\r\nCaminho=velho\r\n"));
#ifndef Q_OS_WIN
            QVERIFY(QFile::setPermissions(xArquivo,
                                          SO_DONO | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup));
#endif
        }
        const QFile::Permissions xAntes = QFile::permissions(xArquivo);
        if (caso == u"pasta fechada" || caso == u"fechada sem arquivo") {
#ifdef Q_OS_WIN
            QSKIP("a folder closed to new files needs its ACL changed on Windows");
#endif
            QVERIFY(QFile::setPermissions(xPasta, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser |
                                                      QFile::ExeUser));
            if (TArquivoSistema::CriaNovo(xPasta + QStringLiteral("/sonda")).Aberto())
                QSKIP("permission bits do not stop this user (root)");
        }
        const TErroSistema xErro = SubstituiArquivo(xArquivo, "[CONEXAO]\r\nCaminho=novo\r\n");
        const bool xResultado = !xErro.Falhou();
        QFile::setPermissions(xPasta, SO_DONO | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser |
                                          QFile::ExeUser);
        QVERIFY2(xResultado == substituido, qPrintable(xErro.Mensagem()));
        if (!substituido) {
            QVERIFY(!xErro.Mensagem().isEmpty());
            QVERIFY(!QFile::exists(xArquivo));
            return;
        }
        QCOMPARE(Le(xArquivo), QByteArray("[CONEXAO]\r\nCaminho=novo\r\n"));
        QCOMPARE(QDir(xPasta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"Tarnwick.ini"});
#ifndef Q_OS_WIN
        if (xExistia)
            QCOMPARE(QFile::permissions(xArquivo), xAntes);
        else
            QCOMPARE(QFile::permissions(xArquivo) & TODAS_AS_PERMISSOES,
                     SO_DONO | QFile::ReadUser | QFile::WriteUser);
#else
        Q_UNUSED(xAntes);
#endif
    }
};

QTEST_GUILESS_MAIN(TesteArquivos)
#include "tst_Arquivos.moc"
