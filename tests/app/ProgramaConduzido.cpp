// The program itself (ExecutaPrograma, as main() runs it), driven into a download run as soon as its
// window is shown, for the tests that end it by a signal during a run. The start-up is the program's own
// (Tarnwick.ini in the working directory, its database, the first branch ticked); then the notes service
// is the stand-in at TARNWICK_TESTE_URL, the folder picker answers TARNWICK_TESTE_PASTA, NF-e in
// production over 2024 is ticked and Download is pressed. With TARNWICK_TESTE_ESC set, Esc is pressed once
// the run is under way, so that its question "Deseja realmente interromper o download?" stays open (the
// line "pergunta" on standard output says when).
#include "app/BotaoImagem.h"
#include "app/DialogoPasta.h"
#include "app/MaskEdit.h"
#include "app/Principal.h"
#include "app/Programa.h"
#include "download/client/ServiceRecepcaoNF.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <cstdio>

namespace {

class TPastaDoTeste : public TApresentadorDialogoPasta
{
public:
    std::optional<QString> Apresenta(const TDialogoAbrirPasta&, QWidget*) override
    {
        return QString::fromLocal8Bit(qgetenv("TARNWICK_TESTE_PASTA"));
    }
};

} // namespace

int main(int argc, char** argv)
{
    TPastaDoTeste xPasta;
    TApresentadorDialogoPasta::Define(&xPasta);
    return ExecutaPrograma(argc, argv, [](TfrmPrincipal& w) {
        TRecepcaoNF::get().SetUrlBase(QString::fromLocal8Bit(qgetenv("TARNWICK_TESTE_URL")));
        w.mskDataIni->SetText(QStringLiteral("01/01/2024"));
        w.mskDataFim->SetText(QStringLiteral("31/12/2024"));
        w.chkNFE->setChecked(true);
        w.chkProducao->setChecked(true);
        QTimer::singleShot(0, w.btnDownload, &QAbstractButton::click);
        if (qEnvironmentVariableIsSet("TARNWICK_TESTE_ESC")) {
            auto* xEspera = new QTimer(&w);
            QObject::connect(xEspera, &QTimer::timeout, &w, [&w, xEspera] {
                if (!w.vProcessando)
                    return;
                xEspera->stop();
                std::puts("pergunta");
                std::fflush(stdout);
                QCoreApplication::postEvent(&w,
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            });
            xEspera->start(50);
        }
    });
}
