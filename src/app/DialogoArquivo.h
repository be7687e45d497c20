#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QWidget;

// A file-open dialog component: a filter in the form "display name|mask" (the mask's patterns separated
// by ";"), a file name that holds the confirmed choice, and Execute, which shows the dialog modally.
// The program uses the toolkit's dialog; tests put a scripted presenter in its place.
class TDialogoAbrirArquivo : public QObject
{
    Q_OBJECT
public:
    explicit TDialogoAbrirArquivo(QObject* pParent = nullptr) : QObject(pParent) {}

    QString Filter;
    QString InitialDir; // the folder the dialog opens in; empty: the toolkit's choice
    QString FileName;   // the initial name before Execute, the confirmed one after it

    // Shows the dialog over pPai; true when the user confirmed a file, whose full name is then in FileName.
    // Cancelling leaves FileName as it was.
    bool Execute(QWidget* pPai);

    // The display name and the mask of a "name|mask" filter (the whole text as mask when it has no "|").
    static QString NomeDoFiltro(const QString& pFilter);
    static QString MascaraDoFiltro(const QString& pFilter);
    // The toolkit's name filter for a "name|mask" filter: the mask is kept as given, its ";" becoming the
    // blanks that separate the toolkit's patterns: "Banco|*.FB;*.fb" gives "Banco (*.FB *.fb)".
    static QString FiltroDoToolkit(const QString& pFilter);
};

// Shows one file-open dialog; returns the chosen full file name, or nothing when the user cancelled.
class TApresentadorDialogoArquivo
{
public:
    virtual ~TApresentadorDialogoArquivo() = default;
    virtual std::optional<QString> Apresenta(const TDialogoAbrirArquivo& pDialogo, QWidget* pPai) = 0;

    // Replaces the presenter of every dialog (not owned); none restores the toolkit's dialog. Returns the
    // previous one.
    static TApresentadorDialogoArquivo* Define(TApresentadorDialogoArquivo* pApresentador);
    static TApresentadorDialogoArquivo& Atual();
};

// The toolkit's file dialog, its own texts in Portuguese: file names matched without regard to letter
// case, any name may be typed.
class TApresentadorDialogoArquivoPadrao : public TApresentadorDialogoArquivo
{
public:
    std::optional<QString> Apresenta(const TDialogoAbrirArquivo& pDialogo, QWidget* pPai) override;
};
