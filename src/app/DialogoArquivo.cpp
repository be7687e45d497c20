#include "app/DialogoArquivo.h"

#include "app/ListaArquivosPortugues.h"
#include "sistema/Termino.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

TApresentadorDialogoArquivo* MApresentador = nullptr;

} // namespace

bool TDialogoAbrirArquivo::Execute(QWidget* pPai)
{
    // A program being ended by the system opens no picker: as if cancelled.
    if (Termino::Encerrando())
        return false;
    const std::optional<QString> xEscolha = TApresentadorDialogoArquivo::Atual().Apresenta(*this, pPai);
    if (!xEscolha)
        return false;
    FileName = *xEscolha;
    return true;
}

QString TDialogoAbrirArquivo::NomeDoFiltro(const QString& pFilter)
{
    const qsizetype xBarra = pFilter.indexOf(u'|');
    return xBarra < 0 ? QString() : pFilter.left(xBarra);
}

QString TDialogoAbrirArquivo::MascaraDoFiltro(const QString& pFilter)
{
    const qsizetype xBarra = pFilter.indexOf(u'|');
    return xBarra < 0 ? pFilter : pFilter.mid(xBarra + 1);
}

QString TDialogoAbrirArquivo::FiltroDoToolkit(const QString& pFilter)
{
    const QString xPadroes = QString(MascaraDoFiltro(pFilter)).replace(u';', u' ').simplified();
    const QString xNome = NomeDoFiltro(pFilter);
    return xNome.isEmpty() ? QStringLiteral("(%1)").arg(xPadroes)
                           : QStringLiteral("%1 (%2)").arg(xNome, xPadroes);
}

TApresentadorDialogoArquivo* TApresentadorDialogoArquivo::Define(TApresentadorDialogoArquivo* pApresentador)
{
    TApresentadorDialogoArquivo* xAnterior = MApresentador;
    MApresentador = pApresentador;
    return xAnterior;
}

TApresentadorDialogoArquivo& TApresentadorDialogoArquivo::Atual()
{
    static TApresentadorDialogoArquivoPadrao xPadrao;
    return MApresentador ? *MApresentador : xPadrao;
}

std::optional<QString> TApresentadorDialogoArquivoPadrao::Apresenta(const TDialogoAbrirArquivo& pDialogo,
                                                                    QWidget* pPai)
{
    QFileDialog xDialogo(pPai);
    xDialogo.setAcceptMode(QFileDialog::AcceptOpen);
    xDialogo.setFileMode(QFileDialog::AnyFile);
    // The toolkit's own dialog matches the patterns without regard to letter case on every platform.
    xDialogo.setOption(QFileDialog::DontUseNativeDialog);
    xDialogo.setFilter(xDialogo.filter() & ~QDir::CaseSensitive);
    xDialogo.setNameFilter(TDialogoAbrirArquivo::FiltroDoToolkit(pDialogo.Filter));
    ListaArquivosEmPortugues(xDialogo);
    if (!pDialogo.InitialDir.isEmpty())
        xDialogo.setDirectory(pDialogo.InitialDir);
    if (!pDialogo.FileName.isEmpty())
        xDialogo.selectFile(pDialogo.FileName);
    if (xDialogo.exec() != QDialog::Accepted || xDialogo.selectedFiles().isEmpty())
        return std::nullopt;
    return QFileInfo(xDialogo.selectedFiles().constFirst()).absoluteFilePath();
}
