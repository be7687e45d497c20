#include "app/Aplicacao.h"

#include "app/Fontes.h"
#include "app/MessageUtil.h"
#include "app/Traducao.h"
#include "util/Exception.h"

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv)
{
    // Everything the user sees is in Portuguese, the toolkit's own pickers and menus included.
    CarregaTraducoesQt(*this);
    // Dialogs and pickers draw in the window's face.
    Fontes::AplicaNaAplicacao();
}

bool TAplicacao::notify(QObject* pReceptor, QEvent* pEvento)
{
    try {
        return QApplication::notify(pReceptor, pEvento);
    } catch (...) {
        ReportaExcecaoAtual();
        return false;
    }
}

QString TAplicacao::MensagemDe(std::exception_ptr pExcecao)
{
    try {
        std::rethrow_exception(pExcecao);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Erro desconhecido.");
    }
}

void TAplicacao::ReportaExcecaoAtual() noexcept
{
    const std::exception_ptr xExcecao = std::current_exception();
    if (!xExcecao)
        return;
    try {
        TMessageUtil::Erro(MensagemDe(xExcecao));
    } catch (...) {
        // The report itself failed: nothing is left to show it with.
    }
}
