#include "ApresentadorRoteirizado.h"
#include "TesteApp.h"
#include "app/Aplicacao.h"
#include "app/MessageUtil.h"
#include "util/Exception.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

Q_DECLARE_METATYPE(TTipoMensagem)

namespace {

// Waits for the next modal message box, lets the check look at it, then presses a key in it.
void QuandoCaixaAbrir(std::function<void(QMessageBox*)> pVerifica, Qt::Key pTecla)
{
    auto* xTimer = new QTimer;
    xTimer->setInterval(10);
    QObject::connect(xTimer, &QTimer::timeout, [xTimer, pVerifica, pTecla] {
        auto* xCaixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!xCaixa || !xCaixa->isVisible())
            return;
        xTimer->stop();
        xTimer->deleteLater();
        pVerifica(xCaixa);
        QTest::keyClick(xCaixa->focusWidget() ? xCaixa->focusWidget() : xCaixa, pTecla);
    });
    xTimer->start();
}

QStringList TextosBotoes(const QMessageBox* pCaixa)
{
    QStringList xTextos;
    for (QAbstractButton* xBotao : pCaixa->buttons())
        xTextos << xBotao->text();
    return xTextos;
}

// A window with two fields, one of them disabled, for the focus step.
struct TJanelaFoco
{
    QWidget Janela;
    QLineEdit* Ativo = new QLineEdit(&Janela);
    QLineEdit* Outro = new QLineEdit(&Janela);
    QLineEdit* Desativado = new QLineEdit(&Janela);

    TJanelaFoco()
    {
        auto* xLayout = new QVBoxLayout(&Janela);
        xLayout->addWidget(Ativo);
        xLayout->addWidget(Outro);
        xLayout->addWidget(Desativado);
        Desativado->setEnabled(false);
        Janela.show();
        Janela.activateWindow();
        Outro->setFocus();
    }
};

class TObjetoQueFalha : public QObject
{
public:
    bool event(QEvent* pEvento) override
    {
        if (pEvento->type() == QEvent::User)
            throw Exception(QStringLiteral("Falha no evento."));
        return QObject::event(pEvento);
    }
};

} // namespace

class TesteMensagens : public QObject
{
    Q_OBJECT
private slots:
    void avisos_data()
    {
        QTest::addColumn<TTipoMensagem>("tipo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("resposta");
        QTest::newRow("alerta") << TTipoMensagem::Alerta << QStringLiteral("Atenção") << 0;
        QTest::newRow("erro") << TTipoMensagem::Erro << QStringLiteral("Erro") << 0;
        QTest::newRow("informacao fechada")
            << TTipoMensagem::Informacao << QStringLiteral("Informação") << -1;
    }

    // Notices show one "OK" button, keep the text unchanged and return true however they were closed.
    void avisos()
    {
        QFETCH(TTipoMensagem, tipo);
        QFETCH(QString, titulo);
        QFETCH(int, resposta);
        TApresentadorRoteirizado xApresentador;
        xApresentador.Respostas = {resposta};
        const QString xTexto = QStringLiteral("Linha 1\r\n\r\nLinha 2");
        bool xResult = false;
        switch (tipo) {
        case TTipoMensagem::Alerta:
            xResult = TMessageUtil::Alerta(xTexto);
            break;
        case TTipoMensagem::Erro:
            xResult = TMessageUtil::Erro(xTexto);
            break;
        default:
            xResult = TMessageUtil::Informacao(xTexto);
            break;
        }
        QVERIFY(xResult);
        QCOMPARE(xApresentador.Dialogos.size(), 1);
        const TDialogoMensagem& xDialogo = xApresentador.Dialogos[0];
        QCOMPARE(xDialogo.Tipo, tipo);
        QCOMPARE(xDialogo.Titulo, titulo);
        QCOMPARE(xDialogo.Texto, xTexto);
        QCOMPARE(xDialogo.Botoes, QStringList{"OK"});
    }

    void perguntas_data()
    {
        QTest::addColumn<int>("forma"); // 0 MostraPergunta, 1 Pergunta with default, 2 Pergunta without
        QTest::addColumn<int>("padrao");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<bool>("esperado");
        QTest::addColumn<int>("botaoPadrao");
        QTest::newRow("mostra, padrao nao, sim") << 0 << 1 << 0 << true << 1;
        QTest::newRow("mostra, padrao sim, nao") << 0 << 0 << 1 << false << 0;
        QTest::newRow("pergunta, padrao nao, nao") << 1 << 1 << 1 << false << 1;
        QTest::newRow("pergunta, padrao sim, fechada") << 1 << 0 << -1 << false << 0;
        QTest::newRow("pergunta curta, sim") << 2 << 0 << 0 << true << 0;
        QTest::newRow("pergunta curta, nao") << 2 << 0 << 1 << false << 0;
    }

    void perguntas()
    {
        QFETCH(int, forma);
        QFETCH(int, padrao);
        QFETCH(int, resposta);
        QFETCH(bool, esperado);
        QFETCH(int, botaoPadrao);
        TApresentadorRoteirizado xApresentador;
        xApresentador.Respostas = {resposta};
        const TMsgDlgBtn xPadrao = padrao == 0 ? TMsgDlgBtn::mbYes : TMsgDlgBtn::mbNo;
        const bool xResult = forma == 0 ? TMessageUtil::MostraPergunta(QStringLiteral("Continua?"), xPadrao)
                             : forma == 1
                                 ? TMessageUtil::Pergunta(QStringLiteral("Continua?"), xPadrao, nullptr)
                                 : TMessageUtil::Pergunta(QStringLiteral("Continua?"));
        QCOMPARE(xResult, esperado);
        const TDialogoMensagem& xDialogo = xApresentador.Dialogos.at(0);
        QCOMPARE(xDialogo.Tipo, TTipoMensagem::Confirmacao);
        QCOMPARE(xDialogo.Titulo, QStringLiteral("Confirmação"));
        QCOMPARE(xDialogo.Botoes, QStringList({"&Sim", "&Não"}));
        QCOMPARE(xDialogo.BotaoPadrao, botaoPadrao);
    }

    void passoDeFoco()
    {
        TJanelaFoco xTela;
        QVERIFY(QTest::qWaitForWindowActive(&xTela.Janela));
        QCOMPARE(QApplication::focusWidget(), xTela.Outro);
        TApresentadorRoteirizado xApresentador;

        TMessageUtil::Alerta(QStringLiteral("x"), xTela.Desativado); // cannot take it: skipped silently
        QCOMPARE(QApplication::focusWidget(), xTela.Outro);
        TMessageUtil::MostraPergunta(QStringLiteral("x"), TMsgDlgBtn::mbYes);
        QCOMPARE(QApplication::focusWidget(), xTela.Outro);
        TMessageUtil::Erro(QStringLiteral("x"), xTela.Ativo);
        QCOMPARE(QApplication::focusWidget(), xTela.Ativo);
        TMessageUtil::Pergunta(QStringLiteral("x"), xTela.Outro);
        QCOMPARE(QApplication::focusWidget(), xTela.Outro);
        xTela.Janela.hide();
        QVERIFY(!TMessageUtil::Pergunta(QStringLiteral("x"), TMsgDlgBtn::mbNo, xTela.Ativo));
        QCOMPARE(xApresentador.Dialogos.size(), 5);
    }

    // The standard dialogs themselves, once each way: Enter answers with the default button.
    void caixaPadrao()
    {
        QString xTitulo;
        QStringList xBotoes;
        QString xPadrao;
        QString xTexto;
        QMessageBox::Icon xIcone = QMessageBox::NoIcon;
        const auto Observa = [&](QMessageBox* pCaixa) {
            xTitulo = pCaixa->windowTitle();
            xBotoes = TextosBotoes(pCaixa);
            xPadrao = pCaixa->defaultButton() ? pCaixa->defaultButton()->text() : QString();
            xTexto = pCaixa->text();
            xIcone = pCaixa->icon();
        };

        QuandoCaixaAbrir(Observa, Qt::Key_Return);
        QVERIFY(!TMessageUtil::Pergunta(QStringLiteral("Sair?"), TMsgDlgBtn::mbNo, nullptr));
        QCOMPARE(xTitulo, QStringLiteral("Confirmação"));
        QCOMPARE(xBotoes, QStringList({"&Sim", "&Não"}));
        QCOMPARE(xPadrao, QStringLiteral("&Não"));
        QCOMPARE(xIcone, QMessageBox::Question);

        QuandoCaixaAbrir(Observa, Qt::Key_Return);
        QVERIFY(TMessageUtil::Pergunta(QStringLiteral("Sair?")));
        QCOMPARE(xPadrao, QStringLiteral("&Sim"));

        QuandoCaixaAbrir(Observa, Qt::Key_Escape);
        QVERIFY(!TMessageUtil::Pergunta(QStringLiteral("Sair?")));

        QuandoCaixaAbrir(Observa, Qt::Key_Return);
        QVERIFY(TMessageUtil::Alerta(QStringLiteral("Parte 1\r\n\r\nParte 2\rParte 3")));
        QCOMPARE(xTitulo, QStringLiteral("Atenção"));
        QCOMPARE(xBotoes, QStringList{"OK"});
        QCOMPARE(xIcone, QMessageBox::Warning);
        QCOMPARE(xTexto, QStringLiteral("Parte 1\n\nParte 2\nParte 3"));
    }

    // A failure escaping a handler is shown in an error box with its message; the program goes on.
    void relatorioDeErros()
    {
        TApresentadorRoteirizado xApresentador;
        QVERIFY(!TAplicacao::ExecutaProtegido(
            [] { throw Exception(QStringLiteral("Falha ao fazer X. Motivo: Y")); }));
        QVERIFY(!TAplicacao::ExecutaProtegido([] { throw std::runtime_error("falha comum"); }));
        QVERIFY(TAplicacao::ExecutaProtegido([] {}));
        TObjetoQueFalha xObjeto;
        QEvent xEvento(QEvent::User);
        QCoreApplication::sendEvent(&xObjeto, &xEvento);
        QCOMPARE(xApresentador.Textos(),
                 QStringList({"Falha ao fazer X. Motivo: Y", "falha comum", "Falha no evento."}));
        for (const TDialogoMensagem& xDialogo : xApresentador.Dialogos) {
            QCOMPARE(xDialogo.Tipo, TTipoMensagem::Erro);
            QCOMPARE(xDialogo.Titulo, QStringLiteral("Erro"));
        }
    }
};

TARNWICK_APP_TEST_MAIN(TesteMensagens)
#include "tst_mensagens.moc"
