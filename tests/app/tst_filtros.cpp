#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/MaskEdit.h"
#include "util/Exception.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTimer>

namespace {

const QString VAZIA = QStringLiteral("  /  /    ");

// Types into a field as the user does (the field gets the focus first).
void Digita(QWidget* pCampo, const QString& pTexto)
{
    pCampo->setFocus();
    QTest::keyClicks(pCampo, pTexto);
}

} // namespace

class TesteFiltros : public QObject
{
    Q_OBJECT
private slots:
    void init() { vHoje = std::make_unique<THojeFixo>(); }
    void cleanup() { vHoje.reset(); }

    // The date field reads ten characters, blanks where nothing was typed; "_" shows while editing.
    void mascaraDeData()
    {
        TJanelaTeste xTela;
        TMaskEdit* xData = xTela.Janela.mskDataIni;
        QCOMPARE(xData->Text(), VAZIA);
        QCOMPARE(xData->displayText(), QStringLiteral("__/__/____"));
        Digita(xData, QStringLiteral("01a5"));
        QCOMPARE(xData->Text(), QStringLiteral("01/5 /    "));
        xData->SetText(QStringLiteral(" 1/  /  24"));
        QCOMPARE(xData->Text(), QStringLiteral(" 1/  /  24"));
        xData->SetText(QString());
        QCOMPARE(xData->Text(), VAZIA);
        QCOMPARE(xData->TextoVazio(), VAZIA);
    }

    void saidaDaData_data()
    {
        QTest::addColumn<QString>("campo"); // the field left with Enter
        QTest::addColumn<QString>("inicial");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("inicialDepois");
        QTest::addColumn<QString>("finalDepois");
        QTest::addColumn<QString>("alerta");
        QTest::addColumn<QString>("foco");
        QTest::newRow("inicial vazia vira hoje") << "mskDataIni"
                                                 << ""
                                                 << ""
                                                 << "15/05/2024"
                                                 << ""
                                                 << ""
                                                 << "mskDataFim";
        QTest::newRow("inicial amanha") << "mskDataIni"
                                        << "16/05/2024"
                                        << ""
                                        << ""
                                        << ""
                                        << "Data inicial não pode ser maior que data atual do sistema!"
                                        << "mskDataIni";
        QTest::newRow("inicial hoje passa") << "mskDataIni"
                                            << "15/05/2024"
                                            << ""
                                            << "15/05/2024"
                                            << ""
                                            << ""
                                            << "mskDataFim";
        QTest::newRow("inicial vazia esvazia a final") << "mskDataIni"
                                                       << ""
                                                       << "20/04/2024"
                                                       << "15/05/2024"
                                                       << ""
                                                       << ""
                                                       << "mskDataFim";
        QTest::newRow("inicial so o dia") << "mskDataIni"
                                          << "01/  /    "
                                          << ""
                                          << "01/05/2024"
                                          << ""
                                          << ""
                                          << "mskDataFim";
        QTest::newRow("inicial invalida") << "mskDataIni"
                                          << "32/01/2024"
                                          << ""
                                          << ""
                                          << ""
                                          << "Data inicial Inválida!"
                                          << "mskDataIni";
        QTest::newRow("final invalida") << "mskDataFim"
                                        << ""
                                        << "31/02/2024"
                                        << ""
                                        << ""
                                        << "Data final Inválida!"
                                        << "mskDataFim";
        QTest::newRow("final menor que inicial") << "mskDataFim"
                                                 << "10/05/2024"
                                                 << "09/05/2024"
                                                 << "10/05/2024"
                                                 << ""
                                                 << "Data final não pode ser menor que data inicial!"
                                                 << "mskDataFim";
        QTest::newRow("final igual a inicial") << "mskDataFim"
                                               << "10/05/2024"
                                               << "10/05/2024"
                                               << "10/05/2024"
                                               << "10/05/2024"
                                               << ""
                                               << "edtNfInicial";
        QTest::newRow("final vazia vira hoje") << "mskDataFim"
                                               << "01/05/2024"
                                               << ""
                                               << "01/05/2024"
                                               << "15/05/2024"
                                               << ""
                                               << "edtNfInicial";
        QTest::newRow("final depois de hoje passa") << "mskDataFim"
                                                    << ""
                                                    << "01/01/2030"
                                                    << ""
                                                    << "01/01/2030"
                                                    << ""
                                                    << "edtNfInicial";
        QTest::newRow("final com inicial ilegivel") << "mskDataFim"
                                                    << "99/99/    "
                                                    << "01/05/2024"
                                                    << "99/99/    "
                                                    << "01/05/2024"
                                                    << ""
                                                    << "edtNfInicial";
    }

    void saidaDaData()
    {
        QFETCH(QString, campo);
        QFETCH(QString, inicial);
        QFETCH(QString, final);
        QFETCH(QString, inicialDepois);
        QFETCH(QString, finalDepois);
        QFETCH(QString, alerta);
        QFETCH(QString, foco);
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        w.mskDataIni->SetText(inicial);
        w.mskDataFim->SetText(final);
        auto* xCampo = w.findChild<TMaskEdit*>(campo);
        xCampo->setFocus();
        QTest::keyClick(xCampo, Qt::Key_Return);
        QCOMPARE(w.mskDataIni->Text(), inicialDepois.isEmpty() ? VAZIA : inicialDepois);
        QCOMPARE(w.mskDataFim->Text(), finalDepois.isEmpty() ? VAZIA : finalDepois);
        QCOMPARE(xTela.Apresentador.Textos(), alerta.isEmpty() ? QStringList() : QStringList{alerta});
        if (!alerta.isEmpty())
            QCOMPARE(xTela.Apresentador.Dialogos[0].Tipo, TTipoMensagem::Alerta);
        QCOMPARE(xTela.Foco()->objectName(), foco);
        QCOMPARE(w.vKey, quint16(0));
    }

    // Leaving with Tab or the mouse changes nothing, however incomplete the text.
    void saidaSemEnter()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        Digita(w.mskDataIni, QStringLiteral("3"));
        QTest::keyClick(w.mskDataIni, Qt::Key_Tab);
        QCOMPARE(w.mskDataIni->Text(), QStringLiteral("3 /  /    "));
        Digita(w.edtNfInicial, QStringLiteral("123"));
        QTest::mouseClick(w.edtSerieIni, Qt::LeftButton);
        QCOMPARE(xTela.Foco(), w.edtSerieIni);
        QCOMPARE(w.edtNfInicial->text(), QStringLiteral("123"));
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
    }

    void saidaDosNumeros_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("inicial");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("inicialDepois");
        QTest::addColumn<QString>("finalDepois");
        QTest::addColumn<QString>("alerta");
        QTest::newRow("nf inicial preenchida com zeros") << "edtNfInicial"
                                                         << "123"
                                                         << ""
                                                         << "00000123"
                                                         << ""
                                                         << "";
        QTest::newRow("nf inicial vazia") << "edtNfInicial"
                                          << ""
                                          << ""
                                          << "00000001"
                                          << ""
                                          << "";
        QTest::newRow("nf inicial maior") << "edtNfInicial"
                                          << "500"
                                          << "499"
                                          << "500"
                                          << "499"
                                          << "Número NF Inical deve ser menor que o Número NF Final.";
        QTest::newRow("nf iguais") << "edtNfInicial"
                                   << "500"
                                   << "500"
                                   << "00000500"
                                   << "500"
                                   << "";
        QTest::newRow("nf numeros nao textos") << "edtNfInicial"
                                               << "9"
                                               << "10"
                                               << "00000009"
                                               << "10"
                                               << "";
        QTest::newRow("nf final vazia") << "edtNfFinal"
                                        << ""
                                        << ""
                                        << ""
                                        << "99999999"
                                        << "";
        QTest::newRow("nf final menor") << "edtNfFinal"
                                        << "500"
                                        << "499"
                                        << "500"
                                        << "499"
                                        << "Número NF Final deve ser maior que o Número NF Inicial.";
        QTest::newRow("nf final preenchida") << "edtNfFinal"
                                             << ""
                                             << "77"
                                             << ""
                                             << "00000077"
                                             << "";
        QTest::newRow("serie 07 vira 7") << "edtSerieIni"
                                         << "07"
                                         << ""
                                         << "7"
                                         << ""
                                         << "";
        QTest::newRow("serie 12 fica") << "edtSerieIni"
                                       << "12"
                                       << ""
                                       << "12"
                                       << ""
                                       << "";
        QTest::newRow("serie inicial vazia") << "edtSerieIni"
                                             << ""
                                             << ""
                                             << "1"
                                             << ""
                                             << "";
        QTest::newRow("serie inicial maior") << "edtSerieIni"
                                             << "20"
                                             << "3"
                                             << "20"
                                             << "3"
                                             << "Série Inical deve ser menor que o Série Final.";
        QTest::newRow("serie final vazia") << "edtSerieFim"
                                           << ""
                                           << ""
                                           << ""
                                           << "99"
                                           << "";
        QTest::newRow("serie final 05") << "edtSerieFim"
                                        << ""
                                        << "05"
                                        << ""
                                        << "5"
                                        << "";
        QTest::newRow("serie final menor") << "edtSerieFim"
                                           << "9"
                                           << "8"
                                           << "9"
                                           << "8"
                                           << "Série Final deve ser maior que o Série Inicial.";
    }

    void saidaDosNumeros()
    {
        QFETCH(QString, campo);
        QFETCH(QString, inicial);
        QFETCH(QString, final);
        QFETCH(QString, inicialDepois);
        QFETCH(QString, finalDepois);
        QFETCH(QString, alerta);
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        const bool xNumero = campo.startsWith(QStringLiteral("edtNf"));
        QLineEdit* xIni = xNumero ? w.edtNfInicial : w.edtSerieIni;
        QLineEdit* xFim = xNumero ? w.edtNfFinal : w.edtSerieFim;
        xIni->setText(inicial);
        xFim->setText(final);
        auto* xCampo = w.findChild<QLineEdit*>(campo);
        xCampo->setFocus();
        QTest::keyClick(xCampo, Qt::Key_Return);
        QCOMPARE(xIni->text(), inicialDepois);
        QCOMPARE(xFim->text(), finalDepois);
        QCOMPARE(xTela.Apresentador.Textos(), alerta.isEmpty() ? QStringList() : QStringList{alerta});
        if (alerta.isEmpty()) {
            QCOMPARE(w.vKey, quint16(0));
            QVERIFY(xTela.Foco() != xCampo);
        } else {
            // The focus is back in the field and Enter is still the last key: leaving again checks again.
            QCOMPARE(xTela.Foco(), xCampo);
            QCOMPARE(w.vKey, quint16(13));
            QTest::mouseClick(w.chkNFE, Qt::LeftButton);
            QCOMPARE(xTela.Apresentador.Dialogos.size(), 2);
            QCOMPARE(xTela.Foco(), xCampo);
        }
    }

    // Only digits, Backspace and Enter get through, typed or pasted.
    void tecladoNumerico_data()
    {
        QTest::addColumn<QChar>("tecla");
        QTest::addColumn<bool>("passa");
        QTest::newRow("0") << QChar(u'0') << true;
        QTest::newRow("9") << QChar(u'9') << true;
        QTest::newRow("backspace") << QChar(8) << true;
        QTest::newRow("enter") << QChar(13) << true;
        QTest::newRow("letra") << QChar(u'a') << false;
        QTest::newRow("espaco") << QChar(u' ') << false;
        QTest::newRow("sinal") << QChar(u'-') << false;
        QTest::newRow("ctrl+v") << QChar(22) << false;
        QTest::newRow("digito arabe") << QChar(0x0663) << false;
    }

    void tecladoNumerico()
    {
        QFETCH(QChar, tecla);
        QFETCH(bool, passa);
        TJanelaTeste xTela;
        QChar xKey = tecla;
        xTela.Janela.VerificaTecladoNumerico(xKey);
        QCOMPARE(xKey, passa ? tecla : QChar());
    }

    void letrasNaoEntram()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        for (QLineEdit* xEdit : {w.edtNfInicial, w.edtNfFinal, w.edtSerieIni, w.edtSerieFim}) {
            Digita(xEdit, QStringLiteral("1a-2 b"));
            QCOMPARE(xEdit->text(), QStringLiteral("12"));
            QTest::keyClick(xEdit, Qt::Key_Backspace);
            QCOMPARE(xEdit->text(), QStringLiteral("1"));
        }
        Digita(w.edtNfInicial, QStringLiteral("23456789"));
        QCOMPARE(w.edtNfInicial->text(), QStringLiteral("12345678")); // at most 8
        Digita(w.edtSerieIni, QStringLiteral("99"));
        QCOMPARE(w.edtSerieIni->text(), QStringLiteral("19"));

        // Pasted text must be digits too.
        w.edtNfFinal->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("12x"));
        w.edtNfFinal->paste();
        QCOMPARE(w.edtNfFinal->text(), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("345"));
        w.edtNfFinal->paste();
        QCOMPARE(w.edtNfFinal->text(), QStringLiteral("345"));
    }

    // Text that is not a whole number (only code can put it there) reaches the error report on exit.
    void saidaComTextoInvalido()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        w.edtNfInicial->setText(QStringLiteral("12a"));
        w.edtNfFinal->setText(QStringLiteral("5"));
        w.edtNfInicial->setFocus();
        QTest::keyClick(w.edtNfInicial, Qt::Key_Return);
        QCOMPARE(xTela.Apresentador.Dialogos.size(), 1);
        QCOMPARE(xTela.Apresentador.Dialogos[0].Tipo, TTipoMensagem::Erro);
        QCOMPARE(xTela.Apresentador.Dialogos[0].Texto, QStringLiteral("'12a' não é um valor inteiro válido"));
    }

    void validaCampos_data()
    {
        QTest::addColumn<QString>("marcas");
        QTest::addColumn<QStringList>("valores"); // dataIni, dataFim, nfIni, nfFim, serieIni, serieFim
        QTest::addColumn<QString>(
            "caixas"); // ticked among E C S P H (NF-e, NFC-e, NFS-e, Produção, Homologação)
        QTest::addColumn<QString>("alerta");
        QTest::addColumn<QString>("foco");
        const QStringList xVazios(6, QString());
        QTest::newRow("sem filial, tudo errado")
            << "NNN" << QStringList({"16/05/2024", "31/02/2024", "9", "1", "9", "1"}) << ""
            << "É necessário marcar pelo menos uma filial."
            << "dbgFiliais";
        QTest::newRow("tabela vazia") << "" << xVazios << "EP"
                                      << "É necessário marcar pelo menos uma filial."
                                      << "dbgFiliais";
        QTest::newRow("data inicial futura")
            << "NS" << QStringList({"16/05/2024", "", "", "", "", ""}) << "EP"
            << "Data inicial não pode ser maior que data atual do sistema!"
            << "mskDataIni";
        QTest::newRow("data final invalida")
            << "S" << QStringList({"01/05/2024", "31/02/2024", "", "", "", ""}) << "EP"
            << "Data final Inválida!"
            << "mskDataFim";
        QTest::newRow("so data final") << "S" << QStringList({"", "31/02/2024", "", "", "", ""}) << "EP"
                                       << ""
                                       << "";
        QTest::newRow("numeros invertidos") << "S" << QStringList({"", "", "500", "499", "", ""}) << "EP"
                                            << "Número NF Inicial deve ser menor que o Número NF Final."
                                            << "edtNfInicial";
        QTest::newRow("numero inicial alem do padrao final")
            << "S" << QStringList({"", "", "", "", "", ""}) << "EP"
            << ""
            << "";
        QTest::newRow("series invertidas") << "S" << QStringList({"", "", "", "", "10", "9"}) << "EP"
                                           << "Série Inicial deve ser menor que o Série Final."
                                           << "edtSerieIni";
        QTest::newRow("serie alem do padrao") << "S" << QStringList({"", "", "", "", "99", ""}) << "CH"
                                              << ""
                                              << "";
        QTest::newRow("sem tipo") << "S" << xVazios << "PH"
                                  << "É necessário informar pelo menos um tipo de NF."
                                  << "chkNFE";
        QTest::newRow("sem ambiente") << "S" << xVazios << "S"
                                      << "É necessário informar pelo menos um tipo de ambiente."
                                      << "chkProducao";
    }

    void validaCampos()
    {
        QFETCH(QString, marcas);
        QFETCH(QStringList, valores);
        QFETCH(QString, caixas);
        QFETCH(QString, alerta);
        QFETCH(QString, foco);
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(marcas);
        w.mskDataIni->SetText(valores[0]);
        w.mskDataFim->SetText(valores[1]);
        w.edtNfInicial->setText(valores[2]);
        w.edtNfFinal->setText(valores[3]);
        w.edtSerieIni->setText(valores[4]);
        w.edtSerieFim->setText(valores[5]);
        w.chkNFE->setChecked(caixas.contains(u'E'));
        w.chkNFCE->setChecked(caixas.contains(u'C'));
        w.chkNFSE->setChecked(caixas.contains(u'S'));
        w.chkProducao->setChecked(caixas.contains(u'P'));
        w.chkHomologacao->setChecked(caixas.contains(u'H'));
        w.btnDownload->setFocus();

        const bool xValido = w.ValidaCampos();
        if (foco.isEmpty()) {
            QVERIFY(xValido);
            QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
            return;
        }
        QVERIFY(!xValido);
        QCOMPARE(xTela.Apresentador.Dialogos.size(), 1);
        if (!alerta.isEmpty())
            QCOMPARE(xTela.Apresentador.Dialogos[0].Texto, alerta);
        QCOMPARE(xTela.Apresentador.Dialogos[0].Tipo, TTipoMensagem::Alerta);
        QCOMPARE(xTela.Foco()->objectName(), foco);
    }

    // With everything empty but a branch, a type and an environment, the defaults fill the fields.
    void validaCamposPadroes()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(QStringLiteral("NSN"));
        w.chkNFCE->setChecked(true);
        w.chkHomologacao->setChecked(true);
        w.edtNfFinal->setText(QStringLiteral("123"));
        QVERIFY(w.ValidaCampos());
        QCOMPARE(w.mskDataIni->Text(), QStringLiteral("15/05/2024"));
        QCOMPARE(w.mskDataFim->Text(), QStringLiteral("15/05/2024"));
        QCOMPARE(w.edtNfInicial->text(), QStringLiteral("00000001"));
        QCOMPARE(w.edtNfFinal->text(), QStringLiteral("123")); // not padded here
        QCOMPARE(w.edtSerieIni->text(), QStringLiteral("1"));
        QCOMPARE(w.edtSerieFim->text(), QStringLiteral("99"));
        QCOMPARE(w.cdsFiliais->RecNo(), 3); // the count leaves the last row current
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());

        // A start date alone runs to today.
        w.mskDataIni->SetText(QStringLiteral("01/04/2024"));
        w.mskDataFim->SetText(QString());
        QVERIFY(w.ValidaCampos());
        QCOMPARE(w.mskDataFim->Text(), QStringLiteral("15/05/2024"));
    }

    void validaCamposFalha()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(QStringLiteral("S"));
        w.edtSerieIni->setText(QStringLiteral("x1"));
        try {
            w.ValidaCampos();
            QFAIL("no failure raised");
        } catch (const Exception& e) {
            QCOMPARE(e.Message(),
                     QStringLiteral("Falha ao validar campos. Motivo: 'x1' não é um valor inteiro válido"));
        }
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
    }

    // With the real dialogs: the warning opens while the focus is on its way to the next field, and after
    // it the focus is back in the start date, the end date untouched. The window is active again once the
    // handler is done (X11: the window manager's turn comes later) or as the warning closes, while the
    // handler still runs (Windows activates the owner as the box goes).
    void alertaRealNaSaida_data()
    {
        QTest::addColumn<bool>("ativaAoFechar");
        QTest::newRow("ativada depois") << false;
        QTest::newRow("ativada ao fechar") << true;
    }
    void alertaRealNaSaida()
    {
        QFETCH(bool, ativaAoFechar);
        auto xInicio = std::make_unique<TApresentadorRoteirizado>(); // the start-up's own dialogs
        TfrmPrincipal w;
        int xTerminos = 0;
        w.vSolicitaTermino = [&] { ++xTerminos; };
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.pgcPrincipal->setCurrentWidget(w.tsPrincipal);
        xInicio.reset();
        w.mskDataIni->SetText(QStringLiteral("20/05/2024"));
        w.mskDataIni->setFocus();
        QString xTexto;
        auto* xTimer = new QTimer(&w);
        xTimer->setInterval(10);
        connect(xTimer, &QTimer::timeout, [&] {
            auto* xCaixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!xCaixa || !xCaixa->isVisible())
                return;
            xTimer->stop();
            xTexto = xCaixa->text();
            QTest::keyClick(xCaixa->focusWidget(), Qt::Key_Return);
            if (ativaAoFechar)
                QApplication::setActiveWindow(&w);
        });
        xTimer->start();
        QTest::keyClick(w.mskDataIni, Qt::Key_Return);
        QCOMPARE(xTexto, QStringLiteral("Data inicial não pode ser maior que data atual do sistema!"));
        QCOMPARE(w.focusWidget(), w.mskDataIni);
        w.activateWindow(); // what the window manager does when the dialog closes
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), w.mskDataIni);
        QCOMPARE(w.mskDataIni->Text(), VAZIA);
        QCOMPARE(w.mskDataFim->Text(), VAZIA);
        QCOMPARE(w.vKey, quint16(0));
        // The next Enter completes the date and moves on.
        QTest::keyClick(w.mskDataIni, Qt::Key_Return);
        QCOMPARE(w.mskDataIni->Text(), QStringLiteral("15/05/2024"));
        QCOMPARE(QApplication::focusWidget(), w.mskDataFim);
        QCOMPARE(xTerminos, 0);
    }

private:
    std::unique_ptr<THojeFixo> vHoje;
};

TARNWICK_APP_TEST_MAIN(TesteFiltros)
#include "tst_filtros.moc"
