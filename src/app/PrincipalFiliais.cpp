// The branch grid: how it shows the table, the toggle of a row's tick and the "Todas" box.
#include "app/FiliaisModel.h"
#include "app/GradeFiliais.h"
#include "app/Imagens.h"
#include "app/Principal.h"
#include "app/Teclas.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QTableView>

namespace {

const QString CAMPO_CHECKED = QStringLiteral("CHECKED");

// Suspends the table's notifications to the grid for a scope, resuming them however the scope ends.
class TControlesSuspensos
{
public:
    explicit TControlesSuspensos(TClientDataSetFiliais* pTabela) : vTabela(pTabela)
    {
        vTabela->DisableControls();
    }
    ~TControlesSuspensos() { vTabela->EnableControls(); }
    TControlesSuspensos(const TControlesSuspensos&) = delete;
    TControlesSuspensos& operator=(const TControlesSuspensos&) = delete;

private:
    TClientDataSetFiliais* vTabela;
};

} // namespace

void TfrmPrincipal::ConfiguraGradeFiliais()
{
    QTableView* g = dbgFiliais;
    g->setModel(cdsFiliais);
    g->setItemDelegate(new TDesenhoFiliais(cdsFiliais, ImageList, g));
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->verticalHeader()->setMinimumSectionSize(10);
    g->verticalHeader()->setDefaultSectionSize(18);
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    g->horizontalHeader()->setMinimumSectionSize(10);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setTabKeyNavigation(false);
    g->setShowGrid(true);
    g->setWordWrap(false);
    g->setCornerButtonEnabled(false);
    QPalette xPaleta = g->palette();
    xPaleta.setColor(QPalette::Base, Qt::white);
    g->setPalette(xPaleta);

    // Columns: CHECKED 22 pixels, CODEMPRESA hidden, DESCRICAO 260 pixels; CGC is not shown.
    const auto AplicaColunas = [g] {
        g->setColumnWidth(TClientDataSetFiliais::CHECKED, 22);
        g->setColumnHidden(TClientDataSetFiliais::CODEMPRESA, true);
        g->setColumnWidth(TClientDataSetFiliais::DESCRICAO, 260);
        g->setColumnHidden(TClientDataSetFiliais::CGC, true);
    };
    AplicaColunas();
    connect(cdsFiliais, &QAbstractItemModel::modelReset, g, AplicaColunas);

    // The grid follows the table's current row, and a row the user picks becomes the table's current row.
    connect(cdsFiliais, &TClientDataSetFiliais::RegistroAtualAlterado, this,
            &TfrmPrincipal::SincronizaGradeComTabela);
    connect(g->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& pAtual) {
                if (pAtual.isValid() && !cdsFiliais->ControlsDisabled() &&
                    pAtual.row() + 1 != cdsFiliais->RecNo())
                    cdsFiliais->SetRecNo(pAtual.row() + 1);
            });
}

void TfrmPrincipal::SincronizaGradeComTabela(int pRecNo)
{
    QItemSelectionModel* xSelecao = dbgFiliais->selectionModel();
    if (pRecNo > 0 && xSelecao->currentIndex().row() != pRecNo - 1)
        xSelecao->setCurrentIndex(cdsFiliais->index(pRecNo - 1, TClientDataSetFiliais::DESCRICAO),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    dbgFiliais->viewport()->update();
}

void TfrmPrincipal::dbgFiliaisDblClick()
{
    if (!cdsFiliais->Active() || cdsFiliais->IsEmpty())
        return;
    // While suspended, ticking or unticking "Todas" leaves the rows alone (its handler is inert).
    TControlesSuspensos xSuspensos(cdsFiliais);
    try {
        AlternaMarcaRegistroAtual();
    } catch (...) {
        cdsFiliais->Cancel();
        throw;
    }
}

void TfrmPrincipal::AlternaMarcaRegistroAtual()
{
    cdsFiliais->Edit();
    if (cdsFiliais->FieldByName(CAMPO_CHECKED) == u"S") {
        cdsFiliais->SetFieldByName(CAMPO_CHECKED, QStringLiteral("N"));
        chkTodasFiliais->setChecked(false);
    } else {
        const int xRecNoAux = cdsFiliais->RecNo();
        cdsFiliais->SetFieldByName(CAMPO_CHECKED, QStringLiteral("S"));
        for (int I = 1; I <= cdsFiliais->RecordCount(); ++I) {
            chkTodasFiliais->setChecked(true);
            cdsFiliais->SetRecNo(I);
            if (cdsFiliais->FieldByName(CAMPO_CHECKED) == u"N") {
                chkTodasFiliais->setChecked(false);
                break;
            }
        }
        cdsFiliais->SetRecNo(xRecNoAux);
    }
    if (cdsFiliais->State() == TClientDataSetFiliais::TEstado::dsEdit)
        cdsFiliais->Post();
}

void TfrmPrincipal::dbgFiliaisKeyDown(quint16& Key, Qt::KeyboardModifiers)
{
    if (Key == Teclas::VK_SPACE)
        dbgFiliaisDblClick();
}

void TfrmPrincipal::chkTodasFiliaisClick()
{
    if (cdsFiliais->ControlsDisabled() || !cdsFiliais->Active() || cdsFiliais->IsEmpty())
        return;
    cdsFiliais->First();
    try {
        TControlesSuspensos xSuspensos(cdsFiliais);
        while (!cdsFiliais->Eof()) {
            cdsFiliais->Edit();
            cdsFiliais->SetFieldByName(CAMPO_CHECKED, RetornaMarcado());
            cdsFiliais->Post();
            cdsFiliais->Next();
        }
    } catch (...) {
        cdsFiliais->Cancel();
        cdsFiliais->First();
        throw;
    }
    cdsFiliais->First();
}

QString TfrmPrincipal::RetornaMarcado()
{
    return chkTodasFiliais->isChecked() ? QStringLiteral("S") : QStringLiteral("N");
}
