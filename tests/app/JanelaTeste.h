#pragma once

#include "ApresentadorRoteirizado.h"
#include "app/BotaoImagem.h"
#include "app/FiliaisModel.h"
#include "app/Principal.h"
#include "util/Clock.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>

// The window shown and active on its main page, its dialogs scripted and its termination request counted.
// Without a configuration file the window starts on the settings page (and says so when shown); the tests
// of the main page begin where a working configuration would have put the user, with no branches loaded.
struct TJanelaTeste
{
    TApresentadorRoteirizado Apresentador;
    TfrmPrincipal Janela;
    int Terminos = 0;
    bool Ativa = false;

    TJanelaTeste()
    {
        Janela.vSolicitaTermino = [this] { ++Terminos; };
        Janela.show();
        Janela.activateWindow();
        Ativa = QTest::qWaitForWindowActive(&Janela);
        Janela.pgcPrincipal->setCurrentWidget(Janela.tsPrincipal);
        Apresentador.Limpa();
    }

    static TListaFiliais Filiais(int pQuantidade)
    {
        TListaFiliais xLista;
        for (int i = 1; i <= pQuantidade; ++i) {
            TFilial xFilial;
            xFilial.CODEMPRESA = QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
            xFilial.DESCRICAO = xFilial.CODEMPRESA + QStringLiteral(" - FILIAL NUMERO ") + QString::number(i);
            xFilial.CGC = QStringLiteral("11.222.333/0001-%1").arg(i, 2, 10, QChar(u'0'));
            xLista.push_back(xFilial);
        }
        return xLista;
    }

    // Loads the table as the branch loader does: all rows "N", then the first one ticked by the toggle.
    void CarregaFiliais(int pQuantidade)
    {
        Janela.cdsFiliais->Open(Filiais(pQuantidade));
        Janela.cdsFiliais->First();
        Janela.dbgFiliaisDblClick();
        Janela.dbgFiliais->setFocus();
    }

    // The CHECKED column, one letter per row.
    QString Marcas() const
    {
        QString xMarcas;
        for (const TFilial& xFilial : Janela.cdsFiliais->Filiais())
            xMarcas += xFilial.CHECKED;
        return xMarcas;
    }

    void DefineMarcas(const QString& pMarcas)
    {
        TListaFiliais xLista = Filiais(static_cast<int>(pMarcas.size()));
        for (qsizetype i = 0; i < pMarcas.size(); ++i)
            xLista[static_cast<size_t>(i)].CHECKED = pMarcas.at(i);
        Janela.cdsFiliais->Open(xLista);
    }

    QWidget* Foco() const { return QApplication::focusWidget(); }
};

// "Today" fixed at 15/05/2024 while alive.
struct THojeFixo
{
    THojeFixo()
    {
        Clock::DefineRelogio([] { return QDateTime(QDate(2024, 5, 15), QTime(10, 30)); });
    }
    ~THojeFixo() { Clock::DefineRelogio({}); }
};
