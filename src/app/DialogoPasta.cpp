#include "app/DialogoPasta.h"

#include "app/ListaArquivosPortugues.h"
#include "sistema/Termino.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace {

TApresentadorDialogoPasta* MApresentador = nullptr;

} // namespace

bool TDialogoAbrirPasta::Execute(QWidget* pPai)
{
    // A program being ended by the system opens no picker: as if cancelled.
    if (Termino::Encerrando())
        return false;
    const std::optional<QString> xEscolha = TApresentadorDialogoPasta::Atual().Apresenta(*this, pPai);
    if (!xEscolha)
        return false;
    FileName = *xEscolha;
    return true;
}

TApresentadorDialogoPasta* TApresentadorDialogoPasta::Define(TApresentadorDialogoPasta* pApresentador)
{
    TApresentadorDialogoPasta* xAnterior = MApresentador;
    MApresentador = pApresentador;
    return xAnterior;
}

TApresentadorDialogoPasta& TApresentadorDialogoPasta::Atual()
{
    static TApresentadorDialogoPastaPadrao xPadrao;
    return MApresentador ? *MApresentador : xPadrao;
}

std::optional<QString> TApresentadorDialogoPastaPadrao::Apresenta(const TDialogoAbrirPasta& pDialogo,
                                                                  QWidget* pPai)
{
    QFileDialog xDialogo(pPai, pDialogo.Title);
    xDialogo.setAcceptMode(QFileDialog::AcceptOpen);
    // The toolkit's own dialog speaks the program's language; a desktop's native one follows the desktop.
    xDialogo.setOption(QFileDialog::DontUseNativeDialog);
    if (pDialogo.PickFolders) {
        xDialogo.setFileMode(QFileDialog::Directory);
        xDialogo.setOption(QFileDialog::ShowDirsOnly);
    } else {
        xDialogo.setFileMode(pDialogo.PathMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (pDialogo.ForceFileSystem)
        xDialogo.setSupportedSchemes({QStringLiteral("file")});
    ListaArquivosEmPortugues(xDialogo);
    if (!pDialogo.DefaultFolder.isEmpty())
        xDialogo.setDirectory(pDialogo.DefaultFolder);
    if (!pDialogo.FileName.isEmpty())
        xDialogo.selectFile(pDialogo.FileName);
    if (xDialogo.exec() != QDialog::Accepted || xDialogo.selectedUrls().isEmpty())
        return std::nullopt;

    const QUrl xEscolha = xDialogo.selectedUrls().constFirst();
    if (pDialogo.ForceFileSystem && !xEscolha.isLocalFile())
        return std::nullopt;
    const QFileInfo xInfo(xEscolha.isLocalFile() ? xEscolha.toLocalFile() : xEscolha.toString());
    // Some platform dialogs let a typed name through; a folder that is not there counts as no choice.
    if (pDialogo.PathMustExist && !(pDialogo.PickFolders ? xInfo.isDir() : xInfo.exists()))
        return std::nullopt;
    return xInfo.absoluteFilePath();
}
