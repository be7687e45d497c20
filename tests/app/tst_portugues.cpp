#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/MaskEdit.h"
#include "app/Principal.h"
#include "app/Traducao.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
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

// Runs pAbre, which shows a file dialog modally; collects the dialog's texts and cancels it.
QStringList TextosDoDialogoAberto(const std::function<void()>& pAbre)
{
    QStringList xTextos;
    bool xVisto = false;
    QTimer xEspera;
    xEspera.setInterval(20);
    QObject::connect(&xEspera, &QTimer::timeout, [&] {
        auto* xDialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!xDialogo || !xDialogo->isVisible())
            return;
        xEspera.stop();
        QTest::qWait(100); // the file list fills in the background
        xTextos = TextosDoDialogo(xDialogo);
        xVisto = true;
        xDialogo->reject();
    });
    xEspera.start();
    pAbre();
    xEspera.stop();
    if (!xVisto)
        xTextos << QStringLiteral("(no dialog was shown)");
    return xTextos;
}

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

    void seletorDePasta()
    {
        TJanelaTeste t;
        const QStringList xTextos = TextosDoDialogoAberto([&] { t.Janela.SelecionaPasta(); });
        QVERIFY2(xTextos.size() > 3, qPrintable(xTextos.join(u'|')));
        QVERIFY2(Ingles(xTextos).isEmpty(), qPrintable(Ingles(xTextos).join(u'\n')));
        QVERIFY(xTextos.contains(QStringLiteral("Selecione a pasta de destino dos XMLs")));
    }

    void seletorDoBanco()
    {
        TJanelaTeste t;
        t.Janela.pgcPrincipal->setCurrentWidget(t.Janela.tsConfig);
        const QStringList xTextos = TextosDoDialogoAberto([&] { t.Janela.btnBuscarBDClick(); });
        QVERIFY2(xTextos.size() > 3, qPrintable(xTextos.join(u'|')));
        QVERIFY2(Ingles(xTextos).isEmpty(), qPrintable(Ingles(xTextos).join(u'\n')));
        QVERIFY(xTextos.join(u'|').contains(QStringLiteral("Banco de Dados Firebird")));
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
