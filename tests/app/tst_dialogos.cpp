#include "ApresentadorRoteirizado.h"
#include "TesteApp.h"
#include "app/DialogoArquivo.h"
#include "app/DialogoPasta.h"
#include "app/Fontes.h"
#include "app/MessageUtil.h"
#include "app/Principal.h"
#include "app/PrincipalDownloadEstilo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTimer>
#include <memory>

Q_DECLARE_METATYPE(QDialogButtonBox::ButtonLayout)

namespace {

// A style that lays out dialog buttons as one desktop does.
class TEstiloBotoes : public QProxyStyle
{
public:
    TEstiloBotoes(QDialogButtonBox::ButtonLayout pLayout)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), vLayout(pLayout)
    {
    }
    int styleHint(StyleHint pHint, const QStyleOption* pOpcao, const QWidget* pWidget,
                  QStyleHintReturn* pRetorno) const override
    {
        if (pHint == SH_DialogButtonLayout)
            return vLayout;
        return QProxyStyle::styleHint(pHint, pOpcao, pWidget, pRetorno);
    }

private:
    QDialogButtonBox::ButtonLayout vLayout;
};

// The on-screen left edges of the buttons "&Sim" and "&Não" of the next modal dialog, which is then
// answered "&Não".
struct TPosicoes
{
    int Sim = -1;
    int Nao = -1;
};

void QuandoAbrir(TPosicoes& pPosicoes)
{
    auto* xTimer = new QTimer;
    xTimer->setInterval(10);
    QObject::connect(xTimer, &QTimer::timeout, [xTimer, &pPosicoes] {
        QWidget* xCaixa = QApplication::activeModalWidget();
        if (!xCaixa || !xCaixa->isVisible())
            return;
        xTimer->stop();
        xTimer->deleteLater();
        QPushButton* xNao = nullptr;
        for (QPushButton* xBotao : xCaixa->findChildren<QPushButton*>()) {
            if (xBotao->text() == QStringLiteral("&Sim"))
                pPosicoes.Sim = xBotao->mapToGlobal(QPoint(0, 0)).x();
            if (xBotao->text() == QStringLiteral("&Não")) {
                pPosicoes.Nao = xBotao->mapToGlobal(QPoint(0, 0)).x();
                xNao = xBotao;
            }
        }
        if (xNao)
            xNao->click();
        else if (auto* xDialogo = qobject_cast<QDialog*>(xCaixa))
            xDialogo->reject();
    });
    xTimer->start();
}

const QString FINALIZADO = QStringLiteral("Download de XMLs finalizado.\r\n\r\nCaminho dos arquivos: \r\n");

} // namespace

class TesteDialogos : public QObject
{
    Q_OBJECT
private slots:
    // Every dialog and picker the program opens draws in the window's face (they are windows of their own
    // and the platform has faces of its own for some of their parts), and the folder picker's field
    // paints what is typed into it.
    void faceDaJanela_data()
    {
        QTest::addColumn<QString>("dialogo");
        for (const char* xDialogo :
             {"information", "question", "classic summary", "folder picker", "file picker"})
            QTest::newRow(xDialogo) << QString::fromLatin1(xDialogo);
    }
    void faceDaJanela()
    {
        QFETCH(QString, dialogo);
        // The start-up's own dialogs (no configuration file here) answered by a script.
        auto xInicio = std::make_unique<TApresentadorRoteirizado>();
        TfrmPrincipal xJanela;
        xJanela.vSolicitaTermino = [] {};
        xJanela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&xJanela));
        xInicio.reset();
        const QFont xFace = xJanela.font();
        QCOMPARE(xFace.family(), Fontes::Janela().family());

        QStringList xOutras;
        int xPartes = 0;
        int xPixelsDoTexto = -1;
        auto* xTimer = new QTimer;
        xTimer->setInterval(20);
        QObject::connect(xTimer, &QTimer::timeout, [&, xTimer] {
            auto* xCaixa = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!xCaixa || !xCaixa->isVisible())
                return;
            xTimer->stop();
            xTimer->deleteLater();
            for (QWidget* xParte : xCaixa->findChildren<QWidget*>()) {
                if (!xParte->isVisible())
                    continue;
                ++xPartes;
                const QFont xFonte = xParte->font();
                if (xFonte.family() != xFace.family() || xFonte.pixelSize() != xFace.pixelSize())
                    xOutras << QStringLiteral("%1 %2: %3")
                                   .arg(QString::fromLatin1(xParte->metaObject()->className()),
                                        xParte->objectName(), xFonte.toString());
            }
            if (auto* xCampo = xCaixa->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                xCampo && dialogo == u"folder picker") {
                xCampo->setFocus();
                xCampo->clear();
                // The typed text is painted: against the empty field, as many pixels change as its letters
                // cover (the cursor alone moves a few dozen).
                const auto Imagem = [xCampo] {
                    QTest::qWait(50);
                    return xCampo->grab().toImage();
                };
                const QImage xVazio = Imagem();
                QTest::keyClicks(xCampo, QStringLiteral("Notas fiscais"));
                const QImage xCheio = Imagem();
                xPixelsDoTexto = 0;
                if (xVazio.size() == xCheio.size())
                    for (int y = 0; y < xCheio.height(); ++y)
                        for (int x = 0; x < xCheio.width(); ++x)
                            if (qAbs(xCheio.pixelColor(x, y).lightness() -
                                     xVazio.pixelColor(x, y).lightness()) > 40)
                                ++xPixelsDoTexto;
                xCampo->clear();
            }
            xCaixa->reject();
        });
        xTimer->start();

        if (dialogo == u"information") {
            TMessageUtil::Informacao(QStringLiteral("Conexão realizada com sucesso."));
        } else if (dialogo == u"question") {
            TMessageUtil::Pergunta(QStringLiteral("Deseja realmente sair?"));
        } else if (dialogo == u"classic summary") {
            TApresentadorClassico::Ativa(true);
            TMessageUtil::Informacao(
                FINALIZADO + QStringLiteral("NF-e: C:\\Notas\\download_xmls_1_NF_E_PRODUCAO.zip\r\n"));
            TApresentadorClassico::Ativa(false);
        } else if (dialogo == u"folder picker") {
            TDialogoAbrirPasta xPasta;
            xPasta.Title = QStringLiteral("Selecione a pasta de destino dos XMLs");
            xPasta.PickFolders = true;
            xPasta.DefaultFolder = QDir::currentPath();
            xPasta.Execute(&xJanela);
        } else {
            TDialogoAbrirArquivo xArquivo;
            xArquivo.Filter = QStringLiteral("Banco de Dados Firebird|*.FB;*.FDB;*.GDB");
            xArquivo.InitialDir = QDir::currentPath();
            xArquivo.Execute(&xJanela);
        }
        QVERIFY(xPartes > 2);
        QVERIFY2(xOutras.isEmpty(), qPrintable(xOutras.join(QStringLiteral("\n"))));
        if (dialogo == u"folder picker")
            QVERIFY2(xPixelsDoTexto > 80, qPrintable(QString::number(xPixelsDoTexto)));
    }

    void simAntesDeNao_data()
    {
        QTest::addColumn<QDialogButtonBox::ButtonLayout>("layout");
        QTest::addColumn<bool>("classico");
        const QList<std::pair<const char*, QDialogButtonBox::ButtonLayout>> xLayouts = {
            {"Windows", QDialogButtonBox::WinLayout},
            {"macOS", QDialogButtonBox::MacLayout},
            {"KDE", QDialogButtonBox::KdeLayout},
            {"GNOME", QDialogButtonBox::GnomeLayout},
            {"Android", QDialogButtonBox::AndroidLayout}};
        for (const auto& [xNome, xLayout] : xLayouts) {
            QTest::newRow(xNome) << xLayout << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, classic").arg(QLatin1String(xNome))))
                << xLayout << true;
        }
    }
    void simAntesDeNao()
    {
        QFETCH(QDialogButtonBox::ButtonLayout, layout);
        QFETCH(bool, classico);
        QApplication::setStyle(new TEstiloBotoes(layout));
        TApresentadorClassico::Ativa(classico);
        TPosicoes xPosicoes;
        QuandoAbrir(xPosicoes);
        const bool xResposta = TMessageUtil::Pergunta(QStringLiteral("Deseja realmente sair?"));
        TApresentadorClassico::Ativa(false);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

        QVERIFY(!xResposta); // "&Não" was pressed, whatever its place
        QVERIFY(xPosicoes.Sim >= 0 && xPosicoes.Nao >= 0);
        QVERIFY2(xPosicoes.Sim < xPosicoes.Nao,
                 qPrintable(QStringLiteral("Sim at %1, Não at %2").arg(xPosicoes.Sim).arg(xPosicoes.Nao)));
    }

    // The summary of a run into a folder of 200 characters, on a screen of 1,024 x 768: the box stays
    // within the screen and every path stays whole in one line of the text, which scrolls.
    void resumoComCaminhoLongo()
    {
        QString xPasta = QStringLiteral("/home/usuário/Área de Trabalho/Notas fiscais de 2024/");
        xPasta += QString(200 - xPasta.size(), u'p');
        QCOMPARE(xPasta.size(), 200);
        QString xLinhas;
        for (const char* xRotulo : {"NF-e: ", "NFC-e: ", "NFS-e: "})
            xLinhas += QString::fromLatin1(xRotulo) + xPasta +
                       QStringLiteral("/download_xmls_11222333000181_NF_E_PRODUCAO.zip\r\n");
        const TDialogoMensagem xDialogo =
            TMessageUtil::MontaDialogo(TTipoMensagem::Informacao, FINALIZADO + xLinhas);
        const QRect xTela(0, 0, 1024, 768);
        const std::unique_ptr<QDialog> xCaixa = TApresentadorClassico::MontaCaixa(xDialogo, nullptr, xTela);
        xCaixa->show();
        QVERIFY(QTest::qWaitForWindowExposed(xCaixa.get()));

        // Within the screen, with room for a window frame and title bar.
        QVERIFY2(xCaixa->width() + 2 * 8 <= xTela.width(), qPrintable(QString::number(xCaixa->width())));
        QVERIFY2(xCaixa->height() + 40 <= xTela.height(), qPrintable(QString::number(xCaixa->height())));

        auto* xRotulo = xCaixa->findChild<QLabel*>(QStringLiteral("Texto"));
        auto* xRolagem = xCaixa->findChild<QScrollArea*>(QStringLiteral("Rolagem"));
        QVERIFY(xRotulo && xRolagem);
        // The whole text, each path on one line of its own width.
        QCOMPARE(xRotulo->text(),
                 QString(FINALIZADO + xLinhas).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(!xRotulo->wordWrap());
        const QString xMaisLonga = QStringLiteral("NFS-e: ") + xPasta +
                                   QStringLiteral("/download_xmls_11222333000181_NF_E_PRODUCAO.zip");
        QVERIFY(xRotulo->width() >= xRotulo->fontMetrics().horizontalAdvance(xMaisLonga));
        // The scroll bar reaches the end of the longest line; every line is in view from top to bottom.
        QScrollBar* xHorizontal = xRolagem->horizontalScrollBar();
        QVERIFY(xHorizontal->isVisible());
        QCOMPARE(xHorizontal->maximum(), xRotulo->width() - xRolagem->viewport()->width());
        QCOMPARE(xRolagem->verticalScrollBar()->maximum(), 0);
        QVERIFY(xRotulo->textInteractionFlags() & Qt::TextSelectableByMouse);
    }

    // A short summary needs no scrolling: the box is as large as its text.
    void resumoCurto()
    {
        const TDialogoMensagem xDialogo = TMessageUtil::MontaDialogo(
            TTipoMensagem::Informacao, FINALIZADO + QStringLiteral("NF-e: /tmp/a.zip\r\n"));
        const std::unique_ptr<QDialog> xCaixa =
            TApresentadorClassico::MontaCaixa(xDialogo, nullptr, QRect(0, 0, 1024, 768));
        xCaixa->show();
        QVERIFY(QTest::qWaitForWindowExposed(xCaixa.get()));
        auto* xRotulo = xCaixa->findChild<QLabel*>(QStringLiteral("Texto"));
        auto* xRolagem = xCaixa->findChild<QScrollArea*>(QStringLiteral("Rolagem"));
        QCOMPARE(xRolagem->size(), xRotulo->size());
        QVERIFY(!xRolagem->horizontalScrollBar()->isVisible());
        QVERIFY(!xRolagem->verticalScrollBar()->isVisible());
    }
};

TARNWICK_APP_TEST_MAIN(TesteDialogos)
#include "tst_dialogos.moc"
