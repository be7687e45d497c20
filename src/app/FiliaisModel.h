#pragma once

#include "config/Filial.h"

#include <QAbstractTableModel>
#include <QStringList>

// The in-memory branch table cdsFiliais: the fields CHECKED, CODEMPRESA, DESCRICAO and CGC, in this
// order, one row per branch, with a current row that code moves like a dataset cursor (First, Next,
// Eof, RecNo) and that the grid follows. A row is changed in edit mode (Edit, SetFieldByName, Post);
// moving to another row saves the edited row first. DisableControls suspends the notifications to the
// grid (the grid neither repaints nor follows the current row) until the matching EnableControls, which
// repaints once. It has no widget of its own, so the download run can walk it as well.
// Navigation on a closed table does nothing and finds it at its end; editing a closed or empty table
// raises Exception.
class TClientDataSetFiliais : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum TCampo
    {
        CHECKED = 0,
        CODEMPRESA = 1,
        DESCRICAO = 2,
        CGC = 3
    };
    enum class TEstado
    {
        dsInactive,
        dsBrowse,
        dsEdit
    };

    static const QStringList& NomesCampos();
    static int TamanhoCampo(int pCampo); // width in characters: 1, 2, 35, 18

    explicit TClientDataSetFiliais(QObject* pParent = nullptr);

    // Opens the table with these rows (ticks "S"/"N" as given); the first row is current.
    void Open(const TListaFiliais& pFiliais);
    void Close();
    bool Active() const { return vEstado != TEstado::dsInactive; }
    TEstado State() const { return vEstado; }

    int RecordCount() const { return static_cast<int>(vLinhas.size()); }
    bool IsEmpty() const { return vLinhas.empty(); }
    // Current row, counted from 1; 0 when there is none.
    int RecNo() const { return vLinhas.empty() ? 0 : vAtual + 1; }
    void SetRecNo(int pRecNo);
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return vEof || vLinhas.empty(); }
    bool Bof() const { return vBof || vLinhas.empty(); }

    // Value of a field of the current row (its pending edit while in edit mode).
    QString FieldByName(const QString& pCampo) const;
    void Edit();
    // Only "S" and "N" are accepted for CHECKED.
    void SetFieldByName(const QString& pCampo, const QString& pValor);
    void Post();
    void Cancel();

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return vSuspensoes > 0; }

    const TFilial& Registro(int pLinha) const { return vLinhas.at(static_cast<size_t>(pLinha)); }
    const TListaFiliais& Filiais() const { return vLinhas; }

    // QAbstractTableModel
    int rowCount(const QModelIndex& pPai = QModelIndex()) const override;
    int columnCount(const QModelIndex& pPai = QModelIndex()) const override;
    QVariant data(const QModelIndex& pIndice, int pPapel = Qt::DisplayRole) const override;
    QVariant headerData(int pSecao, Qt::Orientation pOrientacao, int pPapel = Qt::DisplayRole) const override;

signals:
    // The current row changed (sent only while the notifications to the grid are not suspended,
    // and once by EnableControls).
    void RegistroAtualAlterado(int pRecNo);

private:
    int IndiceCampo(const QString& pCampo) const;
    static QString& Campo(TFilial& pFilial, int pCampo);
    static const QString& Campo(const TFilial& pFilial, int pCampo);
    void ExigeAtivo() const;
    void MoveParaLinha(int pLinha);
    void NotificaLinha(int pLinha);

    TListaFiliais vLinhas;
    TFilial vEdicao;
    TEstado vEstado = TEstado::dsInactive;
    int vAtual = 0;
    bool vEof = true;
    bool vBof = true;
    int vSuspensoes = 0;
};
