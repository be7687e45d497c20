#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QWidget;

// A folder picker component: a title, the choices it allows, and a file name that holds the confirmed
// folder after Execute, which shows the dialog modally. The program uses the toolkit's dialog; tests put
// a scripted presenter in its place.
class TDialogoAbrirPasta : public QObject
{
    Q_OBJECT
public:
    explicit TDialogoAbrirPasta(QObject* pParent = nullptr) : QObject(pParent) {}

    QString Title;
    bool PickFolders = false;     // folders are chosen, not files
    bool ForceFileSystem = false; // only folders of the file system are offered (no virtual locations)
    bool PathMustExist = false;   // only a folder that exists is accepted
    QString DefaultFolder;        // the folder the dialog opens in; empty: the toolkit's choice
    QString FileName;             // the initial folder before Execute, the confirmed one after it

    // Shows the dialog over pPai; true when the user confirmed a folder, whose full path is then in
    // FileName. Cancelling leaves FileName as it was.
    bool Execute(QWidget* pPai);
};

// Shows one folder dialog; returns the chosen folder's full path, or nothing when the user cancelled.
class TApresentadorDialogoPasta
{
public:
    virtual ~TApresentadorDialogoPasta() = default;
    virtual std::optional<QString> Apresenta(const TDialogoAbrirPasta& pDialogo, QWidget* pPai) = 0;

    // Replaces the presenter of every folder dialog (not owned); none restores the toolkit's dialog.
    // Returns the previous one.
    static TApresentadorDialogoPasta* Define(TApresentadorDialogoPasta* pApresentador);
    static TApresentadorDialogoPasta& Atual();
};

// The toolkit's folder dialog, its own texts in Portuguese.
class TApresentadorDialogoPastaPadrao : public TApresentadorDialogoPasta
{
public:
    std::optional<QString> Apresenta(const TDialogoAbrirPasta& pDialogo, QWidget* pPai) override;
};
