// The INI layer (reading, writing in place, encodings, failures) and the password encoding.
#include "config/ArquivoIni.h"
#include "config/ConfigINI.h"
#include "config/ControleConfig.h"
#include "config/Criptografia.h"
#include "log/LogArquivo.h"
#include "support/DetentorArquivo.h"
#include "support/PermissoesArquivo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

QByteArray Le(const QString& pArquivo)
{
    QFile xArquivo(pArquivo);
    return xArquivo.open(QIODevice::ReadOnly) ? xArquivo.readAll() : QByteArray();
}

void Grava(const QString& pArquivo, const QByteArray& pBytes)
{
    QFile xArquivo(pArquivo);
    QVERIFY(xArquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(xArquivo.write(pBytes), pBytes.size());
}

QByteArray Utf16LE(const QString& pTexto)
{
    QByteArray xBytes("\xFF\xFE", 2);
    for (const QChar xChar : pTexto)
        xBytes.append(char(xChar.unicode() & 0xFF)).append(char(xChar.unicode() >> 8));
    return xBytes;
}

} // namespace

class TstArquivoIni : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        vPasta = std::make_unique<QTemporaryDir>();
        QVERIFY(vPasta->isValid());
    }

    void escrita_data();
    void escrita();
    void arquivoNovoTresChaves();
    void leitura_data();
    void leitura();
    void gravacaoImpossivel_data();
    void gravacaoImpossivel();
    void variasChaves();
    void salvaConfig_data();
    void salvaConfig();
    void copiaNaoSegueArquivo();
    void modoDoArquivo_data();
    void modoDoArquivo();
    void atravesDeLink_data();
    void atravesDeLink();

    void criptografia_data();
    void criptografia();
    void decriptaGruposInvalidos_data();
    void decriptaGruposInvalidos();
    void codigoAcimaDe999();
    void ascTextoVazio();

private:
    QString Arquivo() const { return vPasta->filePath(QStringLiteral("Tarnwick.ini")); }
    std::unique_ptr<QTemporaryDir> vPasta;
};

// A write changes one line (or adds one or two) and keeps every other byte.
void TstArquivoIni::escrita_data()
{
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<QString>("secao");
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QByteArray>("depois");

    const QByteArray xOutras = "; comentario \xE9 mantido\r\n[RECEPCAONF]\r\nHost = servidor\r\n\r\n";
    QTest::newRow("chave trocada no meio, resto intacto")
        << QByteArray(xOutras + "[CONEXAO]\r\nCaminho=/a.fdb\r\n  Usuario = velho  \r\nSenha=1\r\n; fim\r\n")
        << "CONEXAO"
        << "Usuario"
        << "SYSDBA"
        << QByteArray(xOutras + "[CONEXAO]\r\nCaminho=/a.fdb\r\nUsuario=SYSDBA\r\nSenha=1\r\n; fim\r\n");
    QTest::newRow("nomes sem caixa, grafia do arquivo mantida")
        << QByteArray("[conexao]\nCAMINHO=x\n") << "CONEXAO"
        << "Caminho"
        << "y" << QByteArray("[conexao]\nCAMINHO=y\n");
    QTest::newRow("chave nova apos a ultima linha da secao, antes das linhas em branco")
        << QByteArray("[CONEXAO]\nCaminho=x\n\n[OUTRA]\nA=1\n") << "CONEXAO"
        << "Senha"
        << "099" << QByteArray("[CONEXAO]\nCaminho=x\nSenha=099\n\n[OUTRA]\nA=1\n");
    QTest::newRow("secao nova no fim de arquivo sem quebra final")
        << QByteArray("[OUTRA]\r\nA=1") << "CONEXAO"
        << "Caminho"
        << "x" << QByteArray("[OUTRA]\r\nA=1\r\n[CONEXAO]\r\nCaminho=x\r\n");
    QTest::newRow("chave nova na ultima secao sem quebra final")
        << QByteArray("[CONEXAO]\nCaminho=x") << "CONEXAO"
        << "Usuario"
        << "u" << QByteArray("[CONEXAO]\nCaminho=x\nUsuario=u\n");
    QTest::newRow("chave repetida: so a primeira muda")
        << QByteArray("[CONEXAO]\r\nSenha=1\r\nSenha=2\r\n") << "CONEXAO"
        << "Senha"
        << "3" << QByteArray("[CONEXAO]\r\nSenha=3\r\nSenha=2\r\n");
    QTest::newRow("chave de mesmo nome em outra secao nao conta")
        << QByteArray("[A]\r\nSenha=1\r\n[CONEXAO]\r\n") << "CONEXAO"
        << "Senha"
        << "2" << QByteArray("[A]\r\nSenha=1\r\n[CONEXAO]\r\nSenha=2\r\n");
    QTest::newRow("brancos do valor gravados como vieram")
        << QByteArray("[CONEXAO]\r\n") << "CONEXAO"
        << "Caminho"
        << "  /a b.fdb  " << QByteArray("[CONEXAO]\r\nCaminho=  /a b.fdb  \r\n");
    QTest::newRow("quebra de linha no valor vira espaco")
        << QByteArray("[CONEXAO]\r\n") << "CONEXAO"
        << "Caminho"
        << "a\r\n[X]\nb" << QByteArray("[CONEXAO]\r\nCaminho=a  [X] b\r\n");
    QTest::newRow("Windows-1252: acentos e euro")
        << QByteArray("[CONEXAO]\r\nCaminho=x\r\n") << "CONEXAO"
        << "Caminho" << QString::fromUtf8("São João €")
        << QByteArray("[CONEXAO]\r\nCaminho=S\xE3o Jo\xE3o \x80\r\n");
    QTest::newRow("UTF-8 com marca fica UTF-8")
        << QByteArray("\xEF\xBB\xBF[CONEXAO]\r\n; \xC3\xA7\r\nCaminho=x\r\n") << "CONEXAO"
        << "Caminho" << QString::fromUtf8("Açaí")
        << QByteArray("\xEF\xBB\xBF[CONEXAO]\r\n; \xC3\xA7\r\nCaminho=A\xC3\xA7"
                      "a\xC3\xAD\r\n");
    QTest::newRow("UTF-16 LE com marca fica UTF-16 LE")
        << Utf16LE(QString::fromUtf8("[CONEXAO]\r\n;ç\r\nCaminho=x\r\n")) << "CONEXAO"
        << "Caminho" << QString::fromUtf8("Café €")
        << Utf16LE(QString::fromUtf8("[CONEXAO]\r\n;ç\r\nCaminho=Café €\r\n"));
    QTest::newRow("caractere fora do Windows-1252 passa o arquivo a UTF-8, texto mantido")
        << QByteArray("; S\xE3o\r\n[CONEXAO]\r\nCaminho=x\r\n") << "CONEXAO"
        << "Caminho" << QString::fromUtf8("/dados/東京.fdb")
        << QByteArray(
               "\xEF\xBB\xBF; S\xC3\xA3o\r\n[CONEXAO]\r\nCaminho=/dados/\xE6\x9D\xB1\xE4\xBA\xAC.fdb\r\n");
}

void TstArquivoIni::escrita()
{
    QFETCH(QByteArray, antes);
    QFETCH(QString, secao);
    QFETCH(QString, chave);
    QFETCH(QString, valor);
    QFETCH(QByteArray, depois);

    Grava(Arquivo(), antes);
    TArquivoIni(Arquivo()).WriteString(secao, chave, valor);
    QCOMPARE(Le(Arquivo()), depois);
    // What was written reads back, trimmed as every value is.
    QCOMPARE(TCopiaIni(Arquivo()).ReadString(secao, chave),
             QString(valor).replace(u'\r', u' ').replace(u'\n', u' ').trimmed());
}

void TstArquivoIni::arquivoNovoTresChaves()
{
    const TArquivoIni xIni(Arquivo());
    xIni.WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Caminho"),
                     QStringLiteral("localhost:/db/x.fdb"));
    xIni.WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Usuario"), QStringLiteral("SYSDBA"));
    xIni.WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Senha"),
                     TCriptografia::get().EncriptaASCII(QStringLiteral("abc"), 3));
    QCOMPARE(Le(Arquivo()),
             QByteArray("[CONEXAO]\r\nCaminho=localhost:/db/x.fdb\r\nUsuario=SYSDBA\r\nSenha=099098097\r\n"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(vPasta->path()).entryList(QDir::Files), QStringList{QStringLiteral("Tarnwick.ini")});
}

void TstArquivoIni::leitura_data()
{
    QTest::addColumn<QByteArray>("conteudo");
    QTest::addColumn<QString>("secao");
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("esperado");

    const QByteArray xBase =
        "Caminho=fora\r\n  [ Conexao ]  \r\n ; Usuario=comentado\r\n"
        "  Usuario  =  ana maria  \r\nSenha=a=b\r\nVazia=\r\n[OUTRA]\r\nCaminho=outra\r\n";
    QTest::newRow("brancos em volta de nome e valor") << xBase << "CONEXAO"
                                                      << "usuario"
                                                      << "ana maria";
    // Blanks are the codes up to 32: a no-break space (0xA0 in Windows-1252) is part of the value.
    QTest::newRow("espaco inseparavel fica, controles saem")
        << QByteArray("[CONEXAO]\r\nUsuario=\t ana\xA0\x01 \r\n") << "CONEXAO"
        << "Usuario" << QString::fromUtf8("ana\u00A0");
    QTest::newRow("valor depois do primeiro igual") << xBase << "conexao"
                                                    << "Senha"
                                                    << "a=b";
    QTest::newRow("chave antes de qualquer secao nao conta") << xBase << "CONEXAO"
                                                             << "Caminho"
                                                             << "";
    QTest::newRow("outra secao") << xBase << "outra"
                                 << "CAMINHO"
                                 << "outra";
    QTest::newRow("chave vazia") << xBase << "CONEXAO"
                                 << "Vazia"
                                 << "";
    QTest::newRow("chave ausente") << xBase << "CONEXAO"
                                   << "Nada"
                                   << "";
    QTest::newRow("secao ausente") << xBase << "NADA"
                                   << "Usuario"
                                   << "";
    QTest::newRow("primeira secao de mesmo nome vence") << QByteArray("[A]\nk=1\n[a]\nk=2\nj=3\n") << "A"
                                                        << "k"
                                                        << "1";
    QTest::newRow("fim de linha so LF") << QByteArray("[A]\nk=1\nj=2") << "A"
                                        << "j"
                                        << "2";
    QTest::newRow("Windows-1252 sem marca") << QByteArray("[A]\r\nk=S\xE3o \x80\r\n") << "A"
                                            << "k" << QString::fromUtf8("São €");
    QTest::newRow("UTF-8 com marca") << QByteArray("\xEF\xBB\xBF[A]\r\nk=S\xC3\xA3o\r\n") << "A"
                                     << "k" << QString::fromUtf8("São");
    QTest::newRow("UTF-16 LE com marca") << Utf16LE(QString::fromUtf8("[A]\r\nk= Açaí € \r\n")) << "A"
                                         << "k" << QString::fromUtf8("Açaí €");
    QTest::newRow("UTF-16 BE com marca") << QByteArray("\xFE\xFF\0[\0A\0]\0\n\0k\0=\0\xE7", 16) << "A"
                                         << "k" << QString::fromUtf8("ç");
    QTest::newRow("arquivo vazio") << QByteArray() << "A"
                                   << "k"
                                   << "";
}

void TstArquivoIni::leitura()
{
    QFETCH(QByteArray, conteudo);
    QFETCH(QString, secao);
    QFETCH(QString, chave);
    QFETCH(QString, esperado);

    Grava(Arquivo(), conteudo);
    QCOMPARE(TCopiaIni(Arquivo()).ReadString(secao, chave), esperado);
    QCOMPARE(TArquivoIni(Arquivo()).ReadString(secao, chave), esperado);
}

void TstArquivoIni::gravacaoImpossivel_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<bool>("motivo"); // the system's reason follows
    QTest::newRow("arquivo somente leitura") << "somente-leitura" << false;
    QTest::newRow("pasta com o nome do arquivo") << "pasta" << false;
    QTest::newRow("pasta inexistente") << "sem-pasta" << true;
}

void TstArquivoIni::gravacaoImpossivel()
{
    QFETCH(QString, caso);
    QFETCH(bool, motivo);
    QString xArquivo = Arquivo();
    const QByteArray xAntes = "[CONEXAO]\r\nCaminho=velho\r\n";
    if (caso == QLatin1String("somente-leitura")) {
        Grava(xArquivo, xAntes);
        QVERIFY(QFile::setPermissions(xArquivo, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else if (caso == QLatin1String("pasta")) {
        QVERIFY(QDir(vPasta->path()).mkpath(QStringLiteral("Tarnwick.ini")));
    } else {
        xArquivo = vPasta->filePath(QStringLiteral("nao/existe/Tarnwick.ini"));
    }

    try {
        TArquivoIni(xArquivo).WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Caminho"),
                                          QStringLiteral("novo"));
        QFAIL("the write should have failed");
    } catch (const EIniFileException& xErro) {
        if (motivo) {
            QVERIFY2(xErro.Message().startsWith(QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(xArquivo) +
                                                QStringLiteral(". Motivo: ")),
                     qPrintable(xErro.Message()));
            QVERIFY(xErro.Message().size() > (QStringLiteral("Unable to write to . Motivo: ") + QDir::toNativeSeparators(xArquivo)).size());
        } else {
            QCOMPARE(xErro.Message(), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(xArquivo));
        }
    }
    if (caso == QLatin1String("somente-leitura")) {
        QCOMPARE(Le(xArquivo), xAntes);
        QFile::setPermissions(xArquivo, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(xArquivo);
    } else if (caso == QLatin1String("pasta")) {
        QVERIFY(QDir(vPasta->path()).rmdir(QStringLiteral("Tarnwick.ini")));
    }
}

// Several keys in one write: the file gets them all, in order, each as WriteString would place it.
void TstArquivoIni::variasChaves()
{
    Grava(Arquivo(), "[RECEPCAONF]\r\nHost=x\r\n\r\n[CONEXAO]\r\nSenha=1\r\n");
    TArquivoIni(Arquivo()).WriteStrings(QStringLiteral("CONEXAO"),
                                        {{QStringLiteral("Caminho"), QStringLiteral("C:\\Dados\\é.fdb")},
                                         {QStringLiteral("Usuario"), QStringLiteral("SYSDBA")},
                                         {QStringLiteral("Senha"), QStringLiteral("099\r\n098")}});
    QCOMPARE(Le(Arquivo()), QByteArray("[RECEPCAONF]\r\nHost=x\r\n\r\n[CONEXAO]\r\nSenha=099  098\r\n"
                                       "Caminho=C:\\Dados\\\xE9.fdb\r\nUsuario=SYSDBA\r\n"));
    // A character Windows-1252 lacks, in the last key, turns the whole file to UTF-8 at once.
    TArquivoIni(Arquivo()).WriteStrings(QStringLiteral("CONEXAO"),
                                        {{QStringLiteral("Usuario"), QStringLiteral("Ωμέγα")},
                                         {QStringLiteral("Caminho"), QStringLiteral("ç")}});
    QCOMPARE(Le(Arquivo()), QByteArray("\xEF\xBB\xBF[RECEPCAONF]\r\nHost=x\r\n\r\n[CONEXAO]\r\nSenha=099  098\r\n"
                                       "Caminho=\xC3\xA7\r\nUsuario=\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1\r\n"));
    QCOMPARE(QDir(vPasta->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tarnwick.ini"});
}

// The settings page's save: one replacement of Tarnwick.ini with its three keys. Another program that
// holds the file for 300 ms (an antivirus) is waited for; one that holds it throughout makes the save
// fail with the file and the system's reason, in the message and in the log, and the old file stays
// whole, with no temporary copy of the password in sight. A file with an access control list of its own
// keeps it (Windows; POSIX keeps the mode, see modoDoArquivo).
void TstArquivoIni::salvaConfig_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("free") << "livre";
    QTest::newRow("held 300 ms") << "300 ms";
    QTest::newRow("held throughout") << "retido";
    QTest::newRow("its own ACL") << "acl";
}

void TstArquivoIni::salvaConfig()
{
    QFETCH(QString, caso);
    if (caso == u"retido" && !TDetentorArquivo::Impede())
        QSKIP("another program's open file stops no rename on this system");
    if (caso == u"acl" && !PermissoesArquivo::Disponivel())
        QSKIP("access control lists are Windows'; the mode kept on POSIX is modoDoArquivo's case");
    const QString xOriginal = QDir::currentPath();
    QVERIFY(QDir::setCurrent(vPasta->path()));
    struct TVolta
    {
        QString vPasta;
        ~TVolta()
        {
            QDir::setCurrent(vPasta);
            TLogArquivo::DefinePastaLog({});
        }
    } xVolta{xOriginal};
    TLogArquivo::DefinePastaLog(vPasta->filePath(QStringLiteral("log")));

    const QByteArray xAntes = "[CONEXAO]\r\nCaminho=velho.fdb\r\nUsuario=SYSDBA\r\nSenha=099098097\r\n";
    Grava(Arquivo(), xAntes);
    QString xAcl;
    if (caso == u"acl") {
        // Its owner (the administrators, under Wine the user) and the system in full, everyone reading.
        QVERIFY(PermissoesArquivo::DefineAclPropria(Arquivo(), QStringLiteral("D:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;FR;;;WD)")));
        xAcl = PermissoesArquivo::Acl(Arquivo());
        if (!xAcl.startsWith(QStringLiteral("D:P")))
            QSKIP(qPrintable(QStringLiteral("this system keeps no access control list of the file's own: ") + xAcl));
        // A new file here would not have it: the save must carry it over.
        Grava(vPasta->filePath(QStringLiteral("outro.ini")), "x");
        QVERIFY(PermissoesArquivo::Acl(vPasta->filePath(QStringLiteral("outro.ini"))) != xAcl);
        QVERIFY(QFile::remove(vPasta->filePath(QStringLiteral("outro.ini"))));
    }
    TDetentorArquivo xDetentor;
    if (caso == u"300 ms" || caso == u"retido") {
        QVERIFY(xDetentor.Abre(Arquivo()));
        if (caso == u"300 ms")
            xDetentor.LiberaApos(300);
    }
    TControleConfig xControle;
    QString xFalha;
    try {
        xControle.MontaConfigINI(QStringLiteral("novo.fdb"), QStringLiteral("USUARIO"), QStringLiteral("abc"));
    } catch (const EIniFileException& E) {
        xFalha = E.Message();
    }
    xDetentor.Libera();

    if (caso == u"retido") {
        QVERIFY2(xFalha.startsWith(QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(ConfigINI::CaminhoINI()) +
                                   QStringLiteral(". Motivo: ")),
                 qPrintable(xFalha));
        QCOMPARE(Le(Arquivo()), xAntes);
        QVERIFY(TLogArquivo::AguardaEscritores());
        const QString xLog = QString::fromLatin1(Le(Log().NomeLog()));
        QVERIFY2(xLog.contains(QStringLiteral("Unable to write to ")) && xLog.contains(QStringLiteral(". Motivo: ")),
                 qPrintable(xLog));
    } else {
        QVERIFY2(xFalha.isEmpty(), qPrintable(xFalha));
        const TCopiaIni xCopia(Arquivo());
        QCOMPARE(xCopia.ReadString(QStringLiteral("CONEXAO"), QStringLiteral("Caminho")), QStringLiteral("novo.fdb"));
        QCOMPARE(xCopia.ReadString(QStringLiteral("CONEXAO"), QStringLiteral("Usuario")), QStringLiteral("USUARIO"));
        QCOMPARE(xCopia.ReadString(QStringLiteral("CONEXAO"), QStringLiteral("Senha")), QStringLiteral("099098097"));
    }
    for (const QString& xNome : QDir(vPasta->path()).entryList(QDir::Files | QDir::Hidden))
        QVERIFY2(xNome == u"Tarnwick.ini" || QFileInfo(vPasta->filePath(xNome)).isHidden(), qPrintable(xNome));
    if (caso == u"acl")
        QCOMPARE(PermissoesArquivo::Acl(Arquivo()), xAcl);
}

// The in-memory copy keeps what it loaded while the file changes or disappears.
void TstArquivoIni::copiaNaoSegueArquivo()
{
    Grava(Arquivo(), "[CONEXAO]\r\nUsuario=antes\r\n");
    const TCopiaIni xCopia(Arquivo());
    TArquivoIni(Arquivo()).WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Usuario"),
                                       QStringLiteral("depois"));
    QCOMPARE(xCopia.ReadString(QStringLiteral("CONEXAO"), QStringLiteral("Usuario")),
             QStringLiteral("antes"));
    QVERIFY(QFile::remove(Arquivo()));
    QCOMPARE(xCopia.ReadString(QStringLiteral("CONEXAO"), QStringLiteral("Usuario")),
             QStringLiteral("antes"));
    QVERIFY(xCopia.SectionExists(QStringLiteral("conexao")));
    QVERIFY(!TCopiaIni(Arquivo()).SectionExists(QStringLiteral("CONEXAO")));
}

void TstArquivoIni::modoDoArquivo_data()
{
    QTest::addColumn<int>("modoAntes"); // -1: no file
    QTest::addColumn<int>("modoDepois");
    // The file holds the password: made here, it is its owner's alone, whatever the umask lets through.
    QTest::newRow("arquivo novo") << -1 << 0600;
    // One that exists keeps the mode it was given.
    QTest::newRow("existente 0640") << 0640 << 0640;
    QTest::newRow("existente 0644") << 0644 << 0644;
    QTest::newRow("existente 0600") << 0600 << 0600;
}

void TstArquivoIni::modoDoArquivo()
{
#ifdef Q_OS_WIN
    QSKIP("file modes are POSIX's; on Windows the file takes the permissions its folder passes on");
#else
    QFETCH(int, modoAntes);
    QFETCH(int, modoDepois);
    const mode_t xMascara = umask(0002);
    if (modoAntes >= 0) {
        Grava(Arquivo(), "[CONEXAO]\r\nCaminho=velho\r\n");
        QCOMPARE(chmod(QFile::encodeName(Arquivo()).constData(), mode_t(modoAntes)), 0);
    }
    const TArquivoIni xIni(Arquivo());
    xIni.WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Caminho"), QStringLiteral("novo"));
    xIni.WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Senha"), QStringLiteral("099098097"));
    umask(xMascara);
    struct stat xInfo {};
    QCOMPARE(stat(QFile::encodeName(Arquivo()).constData(), &xInfo), 0);
    QCOMPARE(int(xInfo.st_mode & 07777), modoDepois);
    QCOMPARE(TCopiaIni(Arquivo()).ReadString(QStringLiteral("CONEXAO"), QStringLiteral("Senha")),
             QStringLiteral("099098097"));
#endif
}

void TstArquivoIni::atravesDeLink_data()
{
    QTest::addColumn<bool>("alvoExiste");
    QTest::newRow("alvo existente") << true;
    QTest::newRow("alvo ainda inexistente") << false;
}

// Tarnwick.ini as a symbolic link to a file kept elsewhere: the target changes, the link stays.
void TstArquivoIni::atravesDeLink()
{
#ifdef Q_OS_WIN
    QSKIP("Qt makes shortcuts (.lnk), not symbolic links, on Windows");
#endif
    QFETCH(bool, alvoExiste);
    QVERIFY(QDir(vPasta->path()).mkdir(QStringLiteral("real")));
    const QString xAlvo = vPasta->filePath(QStringLiteral("real/config.ini"));
    if (alvoExiste) {
        Grava(xAlvo, "; comum\r\n[CONEXAO]\r\nCaminho=velho\r\n");
        QVERIFY(QFile::setPermissions(xAlvo, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    }
    QVERIFY(QFile::link(QStringLiteral("real/config.ini"), Arquivo())); // relative, as users make them
    TArquivoIni(Arquivo()).WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Caminho"), QStringLiteral("novo"));

    QVERIFY(QFileInfo(Arquivo()).isSymLink());
    QCOMPARE(QFileInfo(Arquivo()).symLinkTarget(), xAlvo);
    QCOMPARE(Le(xAlvo), alvoExiste ? QByteArray("; comum\r\n[CONEXAO]\r\nCaminho=novo\r\n")
                                   : QByteArray("[CONEXAO]\r\nCaminho=novo\r\n"));
    struct stat xInfo {};
    QCOMPARE(stat(QFile::encodeName(xAlvo).constData(), &xInfo), 0);
    QCOMPARE(int(xInfo.st_mode & 07777), alvoExiste ? 0640 : 0600);
    // Nothing else is left in either folder.
    QCOMPARE(QDir(vPasta->path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QStringLiteral("Tarnwick.ini")});
    QCOMPARE(QDir(vPasta->filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("config.ini")});
}

void TstArquivoIni::criptografia_data()
{
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("gravada");

    QTest::newRow("abc") << "abc"
                         << "099098097";
    QTest::newRow("vazia") << ""
                           << "";
    QTest::newRow("um caractere") << "A"
                                  << "065";
    QTest::newRow("brancos mantidos") << " a "
                                      << "032097032";
    QTest::newRow("dez caracteres") << "0123456789"
                                    << "057056055054053052051050049048";
    QTest::newRow("doze caracteres") << "senhaLonga12"
                                     << "050049097103110111076097104110101115";
    QTest::newRow("acentos") << QString::fromUtf8("çé") << "233231";
    QTest::newRow("codigo 999") << QString(QChar(char16_t(999))) << "999";
}

void TstArquivoIni::criptografia()
{
    QFETCH(QString, senha);
    QFETCH(QString, gravada);
    TCriptografia& xCripto = TCriptografia::get();
    QCOMPARE(&xCripto, &TCriptografia::get());
    QCOMPARE(xCripto.EncriptaASCII(senha, std::uint16_t(senha.size())), gravada);
    QCOMPARE(xCripto.DecriptaASCII(gravada, std::uint16_t(gravada.size() / 3)), senha);
    QVERIFY(TCriptografia::CodificavelASCII(senha));
    // One or two characters after the last whole group are ignored by the readers.
    QCOMPARE(xCripto.DecriptaASCII(gravada + QStringLiteral("12"), std::uint16_t((gravada.size() + 2) / 3)),
             senha);
}

void TstArquivoIni::decriptaGruposInvalidos_data()
{
    QTest::addColumn<QString>("gravada");
    QTest::addColumn<int>("grupos");
    QTest::newRow("letra") << "09a098" << 2;
    QTest::newRow("sinal") << "-01" << 1;
    QTest::newRow("brancos") << " 99" << 1;
    QTest::newRow("grupo faltando") << "099" << 2;
}

void TstArquivoIni::decriptaGruposInvalidos()
{
    QFETCH(QString, gravada);
    QFETCH(int, grupos);
    QVERIFY_THROWS_EXCEPTION(EConvertError,
                             TCriptografia::get().DecriptaASCII(gravada, std::uint16_t(grupos)));
}

// Three digits per character: a code of 1000 or more keeps its last three digits only.
void TstArquivoIni::codigoAcimaDe999()
{
    const QString xSenha(QChar(char16_t(1000 + 97)));
    QCOMPARE(TCriptografia::get().EncriptaASCII(xSenha, 1), QStringLiteral("097"));
    QVERIFY(!TCriptografia::CodificavelASCII(xSenha));
    QVERIFY(!TCriptografia::CodificavelASCII(QStringLiteral("ok") + xSenha));
    // A short text with a larger count reads the padding blanks; a long one reads blanks past its end.
    QCOMPARE(TCriptografia::get().EncriptaASCII(QStringLiteral("ab"), 3), QStringLiteral("032098097"));
    QCOMPARE(TCriptografia::get().EncriptaASCII(QStringLiteral("0123456789a"), 12),
             QStringLiteral("032097057056055054053052051050049048"));
}

void TstArquivoIni::ascTextoVazio()
{
    QCOMPARE(TCriptografia::get().Asc(QStringLiteral("abc")), 97);
    QVERIFY_THROWS_EXCEPTION(EConvertError, TCriptografia::get().Asc(QString()));
}

QTEST_GUILESS_MAIN(TstArquivoIni)
#include "tst_ArquivoIni.moc"
