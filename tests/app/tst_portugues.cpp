#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/MaskEdit.h"
#include "app/PastaUsuario.h"
#include "app/Principal.h"
#include "app/Traducao.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>

namespace {

// English words the toolkit shows in its pickers and edit menus when its own texts are not translated.
const QStringList INGLES = {
    QStringLiteral("Look in"),
    QStringLiteral("Directory"),
    QStringLiteral("File name"),
    QStringLiteral("Files of type"),
    QStringLiteral("Choose"),
    QStringLiteral("Open"),
    QStringLiteral("Cancel"),
    QStringLiteral("Name"),
    QStringLiteral("Size"),
    QStringLiteral("Type"),
    QStringLiteral("Date Modified"),
    QStringLiteral("Back"),
    QStringLiteral("Forward"),
    QStringLiteral("Parent Directory"),
    QStringLiteral("Create New Folder"),
    QStringLiteral("List View"),
    QStringLiteral("Detail View"),
    QStringLiteral("Undo"),
    QStringLiteral("Redo"),
    QStringLiteral("Cut"),
    QStringLiteral("Copy"),
    QStringLiteral("Paste"),
    QStringLiteral("Delete"),
    QStringLiteral("Select All"),
    QStringLiteral("All Files"),
    QStringLiteral("Folder"),
    QStringLiteral("Computer"),
};

// The English words found in the texts ("&" marks removed), each with the text it was found in.
QStringList Ingles(const QStringList& pTextos)
{
    QStringList xAchados;
    for (QString xTexto : pTextos) {
        xTexto.remove(u'&');
        for (const QString& xPalavra : INGLES) {
            const QRegularExpression xRe(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(xPalavra)),
                                         QRegularExpression::CaseInsensitiveOption);
            if (xRe.match(xTexto).hasMatch())
                xAchados << xPalavra + QStringLiteral(" in \"") + xTexto + u'"';
        }
    }
    return xAchados;
}

// Every text a file dialog shows: title, labels, buttons and their tips, the column titles of the file
// list. File and folder names are the user's own and are left out.
QStringList TextosDoDialogo(QFileDialog* pDialogo)
{
    QStringList xTextos{pDialogo->windowTitle()};
    for (QLabel* xLabel : pDialogo->findChildren<QLabel*>())
        if (xLabel->isVisibleTo(pDialogo))
            xTextos << xLabel->text();
    for (QAbstractButton* xBotao : pDialogo->findChildren<QAbstractButton*>())
        if (xBotao->isVisibleTo(pDialogo))
            xTextos << xBotao->text() << xBotao->toolTip();
    for (QComboBox* xCombo : pDialogo->findChildren<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < xCombo->count(); ++i)
            xTextos << xCombo->itemText(i);
    for (QTreeView* xLista : pDialogo->findChildren<QTreeView*>())
        for (int c = 0; c < xLista->model()->columnCount(); ++c)
            xTextos << xLista->model()->headerData(c, Qt::Horizontal).toString();
    xTextos.removeAll(QString());
    return xTextos;
}

// What an open file dialog showed.
struct TDialogoVisto
{
    bool Visto = false;
    QStringList Textos;                // see TextosDoDialogo
    QString Pasta;                     // the folder it lists
    QMap<QString, QStringList> Linhas; // the file list's rows by name: size, type and date
    QStringList Cortes; // the columns too narrow for their title or a cell of theirs, or past the list's edge
};

// The file list's rows, once the names pNomes are listed (the list fills in the background), and the
// columns that cut their titles or the texts of these rows, or that the list's edge cuts.
void LeLista(QFileDialog* pDialogo, const QStringList& pNomes, TDialogoVisto& pVisto)
{
    auto* xLista = pDialogo->findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!xLista) {
        pVisto.Cortes << QStringLiteral("(no file list)");
        return;
    }
    QAbstractItemModel* xModelo = xLista->model();
    QDeadlineTimer xLimite(10000);
    do {
        QTest::qWait(50);
        pVisto.Linhas.clear();
        const QModelIndex xRaiz = xLista->rootIndex();
        for (int r = 0; r < xModelo->rowCount(xRaiz); ++r) {
            QStringList xCelulas;
            for (int c = 1; c < xModelo->columnCount(xRaiz); ++c)
                xCelulas << xModelo->index(r, c, xRaiz).data().toString();
            pVisto.Linhas.insert(xModelo->index(r, 0, xRaiz).data().toString(), xCelulas);
        }
    } while (!xLimite.hasExpired() && std::any_of(pNomes.begin(), pNomes.end(), [&](const QString& n) {
        return !pVisto.Linhas.contains(n);
    }));

    const QHeaderView* xCabecalho = xLista->header();
    const QFontMetrics xFonte(xLista->font());
    const int xMargem = 2 * (xLista->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, xLista) + 1);
    for (int c = 0; c < xCabecalho->count(); ++c) {
        if (xCabecalho->isSectionHidden(c))
            continue;
        const QString xTitulo = xModelo->headerData(c, Qt::Horizontal).toString();
        if (xCabecalho->sectionSize(c) < xCabecalho->sectionSizeHint(c))
            pVisto.Cortes << QStringLiteral("title \"%1\": %2 < %3")
                                 .arg(xTitulo)
                                 .arg(xCabecalho->sectionSize(c))
                                 .arg(xCabecalho->sectionSizeHint(c));
        if (xCabecalho->sectionViewportPosition(c) + xCabecalho->sectionSize(c) > xLista->viewport()->width())
            pVisto.Cortes << QStringLiteral("title \"%1\" beyond the list's edge").arg(xTitulo);
        for (const QStringList& xCelulas : std::as_const(pVisto.Linhas))
            if (c > 0 &&
                xFonte.horizontalAdvance(xCelulas.value(c - 1)) + xMargem > xCabecalho->sectionSize(c))
                pVisto.Cortes << QStringLiteral("\"%1\" under \"%2\"").arg(xCelulas.value(c - 1), xTitulo);
    }
}

// Runs pAbre, which shows a file dialog modally; reads the dialog, waiting for the names pNomes in its
// list, and cancels it.
TDialogoVisto VeDialogoAberto(const std::function<void()>& pAbre, const QStringList& pNomes = {})
{
    TDialogoVisto xVisto;
    QTimer xEspera;
    xEspera.setInterval(20);
    QObject::connect(&xEspera, &QTimer::timeout, [&] {
        auto* xDialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!xDialogo || !xDialogo->isVisible())
            return;
        xEspera.stop();
        LeLista(xDialogo, pNomes, xVisto);
        xVisto.Textos = TextosDoDialogo(xDialogo);
        xVisto.Pasta = xDialogo->directory().absolutePath();
        xVisto.Visto = true;
        xDialogo->reject();
    });
    xEspera.start();
    pAbre();
    xEspera.stop();
    return xVisto;
}

// The variables that name the user's home folder and the program's configuration folder on this system
// (sistema/Pastas.h).
#ifdef Q_OS_WIN
constexpr char VARIAVEL_HOME[] = "USERPROFILE";
constexpr char VARIAVEL_CONFIG[] = "APPDATA";
#else
constexpr char VARIAVEL_HOME[] = "HOME";
constexpr char VARIAVEL_CONFIG[] = "XDG_CONFIG_HOME";
#endif

// Where the pickers open: the working directory, or, for the program started from the launcher (it then
// works in its own configuration folder), the user's home folder. Made there: a folder and a database file.
class TPastaInicial
{
public:
    explicit TPastaInicial(bool pLancador)
        : vInicial(QDir::currentPath()), vHome(qgetenv(VARIAVEL_HOME)), vConfig(qgetenv(VARIAVEL_CONFIG))
    {
        qputenv(VARIAVEL_HOME,
                QFile::encodeName(QDir::toNativeSeparators(vTemp.filePath(QStringLiteral("casa")))));
        qputenv(VARIAVEL_CONFIG,
                QFile::encodeName(QDir::toNativeSeparators(vTemp.filePath(QStringLiteral("config")))));
        QDir().mkpath(vTemp.filePath(QStringLiteral("casa")));
        QDir().mkpath(vTemp.filePath(QStringLiteral("trabalho")));
        if (pLancador) {
            const char* xArgv[] = {"tarnwick", ARGUMENTO_PASTA_DO_USUARIO, nullptr};
            vErro = EntraNaPastaDoUsuario(2, xArgv);
            Pasta = vTemp.filePath(QStringLiteral("casa"));
        } else {
            QDir::setCurrent(vTemp.filePath(QStringLiteral("trabalho")));
            Pasta = vTemp.filePath(QStringLiteral("trabalho"));
        }
        QDir(Pasta).mkdir(QStringLiteral("Notas"));
        QFile xBanco(Pasta + QStringLiteral("/Banco.FDB"));
        if (xBanco.open(QIODevice::WriteOnly))
            xBanco.write(QByteArray(5000, '\0'));
    }
    ~TPastaInicial()
    {
        QDir::setCurrent(vInicial);
        vHome.isNull() ? qunsetenv(VARIAVEL_HOME) : qputenv(VARIAVEL_HOME, vHome);
        vConfig.isNull() ? qunsetenv(VARIAVEL_CONFIG) : qputenv(VARIAVEL_CONFIG, vConfig);
    }
    TPastaInicial(const TPastaInicial&) = delete;
    TPastaInicial& operator=(const TPastaInicial&) = delete;

    bool Pronta() const
    {
        return vTemp.isValid() && vErro.isEmpty() &&
               QFileInfo(Pasta + QStringLiteral("/Banco.FDB")).size() == 5000;
    }
    // The modification time as the list shows it.
    QString Data(const QString& pNome) const
    {
        return QFileInfo(Pasta + u'/' + pNome).lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    }

    QString Pasta;

private:
    QTemporaryDir vTemp;
    QString vInicial;
    QByteArray vHome;
    QByteArray vConfig;
    QString vErro;
};

} // namespace

class TestePortugues : public QObject
{
    Q_OBJECT
private slots:
    void traducaoCarregada()
    {
        // The application object loaded it at start; loading again changes nothing.
        QVERIFY(CarregaTraducoesQt(*QCoreApplication::instance()));
        QVERIFY(CarregaTraducoesQt(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Procurar em:"));
    }

    // The pickers' texts, and the cells of their file lists: a folder's type, sizes and dates in the
    // Brazilian form, every column wide enough for its title. Each picker opens in the folder of the way
    // the program was started.
    void seletores_data()
    {
        QTest::addColumn<bool>("banco"); // the database picker of the settings page; else the folder picker
        QTest::addColumn<bool>("lancador");
        QTest::newRow("pasta, terminal") << false << false;
        QTest::newRow("pasta, lançador") << false << true;
        QTest::newRow("banco, terminal") << true << false;
        QTest::newRow("banco, lançador") << true << true;
    }
    void seletores()
    {
        QFETCH(bool, banco);
        QFETCH(bool, lancador);
        const TPastaInicial xInicial(lancador);
        QVERIFY(xInicial.Pronta());
        TJanelaTeste t;
        if (banco)
            t.Janela.pgcPrincipal->setCurrentWidget(t.Janela.tsConfig);
        // The folder picker lists folders only.
        const QStringList xNomes = banco ? QStringList{"Notas", "Banco.FDB"} : QStringList{"Notas"};
        const TDialogoVisto xVisto = VeDialogoAberto(
            [&] { banco ? t.Janela.btnBuscarBDClick() : void(t.Janela.SelecionaPasta()); }, xNomes);
        QVERIFY(xVisto.Visto);
        QCOMPARE(xVisto.Pasta, xInicial.Pasta);

        QVERIFY2(xVisto.Textos.size() > 3, qPrintable(xVisto.Textos.join(u'|')));
        QVERIFY2(Ingles(xVisto.Textos).isEmpty(), qPrintable(Ingles(xVisto.Textos).join(u'\n')));
        QVERIFY(xVisto.Textos.join(u'|').contains(
            banco ? QStringLiteral("Banco de Dados Firebird")
                  : QStringLiteral("Selecione a pasta de destino dos XMLs")));

        QCOMPARE(xVisto.Linhas.keys(), banco ? (QStringList{"Banco.FDB", "Notas"}) : QStringList{"Notas"});
        QCOMPARE(xVisto.Linhas.value("Notas"), (QStringList{"", "Pasta", xInicial.Data("Notas")}));
        if (banco)
            QCOMPARE(xVisto.Linhas.value("Banco.FDB"),
                     (QStringList{"4,88 KiB", "Arquivo FDB", xInicial.Data("Banco.FDB")}));
        QVERIFY2(xVisto.Cortes.isEmpty(), qPrintable(xVisto.Cortes.join(u'\n')));
    }

    void menuDeContexto_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::newRow("edtCaminhoBD") << "edtCaminhoBD";
        QTest::newRow("mskSenhaBD") << "mskSenhaBD";
        QTest::newRow("edtNfInicial") << "edtNfInicial";
        QTest::newRow("mskDataIni") << "mskDataIni";
    }
    void menuDeContexto()
    {
        QFETCH(QString, campo);
        TJanelaTeste t;
        auto* xCampo = t.Janela.findChild<QLineEdit*>(campo);
        QVERIFY(xCampo);
        t.Janela.pgcPrincipal->setCurrentWidget(
            xCampo->window() == &t.Janela && t.Janela.tsConfig->isAncestorOf(xCampo) ? t.Janela.tsConfig
                                                                                     : t.Janela.tsPrincipal);
        xCampo->setText(QStringLiteral("123"));
        xCampo->setFocus();
        QContextMenuEvent xEvento(QContextMenuEvent::Mouse, QPoint(5, 5), xCampo->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(xCampo, &xEvento);
        QMenu* xMenu = nullptr;
        QTRY_VERIFY((xMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QStringList xTextos;
        for (QAction* xAcao : xMenu->actions())
            if (!xAcao->isSeparator())
                xTextos << xAcao->text();
        xMenu->close();
        QVERIFY2(xTextos.size() >= 5, qPrintable(xTextos.join(u'|')));
        QVERIFY2(Ingles(xTextos).isEmpty(), qPrintable(Ingles(xTextos).join(u'\n')));
    }
};

TARNWICK_APP_TEST_MAIN(TestePortugues)
#include "tst_portugues.moc"
