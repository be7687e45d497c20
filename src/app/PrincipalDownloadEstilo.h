#pragma once

#include "app/MessageUtil.h"

#include <QDialog>
#include <QRect>
#include <memory>

// The classic message-dialog style of the download summaries. The standard message box wraps long lines
// at a fixed width, which breaks archive paths apart; a classic box grows to its text, so every line,
// path included, is shown whole, up to the size of the screen: beyond it the text scrolls inside the box.
//
// While active, it stands in front of whatever presenter TMessageUtil had: a presenter put there by
// someone else (a test's script) still answers every dialog; the toolkit's standard box is replaced by
// the classic one.
class TApresentadorClassico : public TApresentadorMensagem
{
public:
    // true puts the classic style in front of the current presenter, false takes it away again.
    static void Ativa(bool pClassico);
    static bool Ativo();

    int Apresenta(const TDialogoMensagem& pDialogo) override;

    // The classic box of a dialog, ready to be shown modally; its result is 1 + the index of the button
    // chosen, 0 when it was closed otherwise. pTela is the screen area it must fit in (none: the screen of
    // pPai, or the primary one).
    static std::unique_ptr<QDialog> MontaCaixa(const TDialogoMensagem& pDialogo, QWidget* pPai = nullptr,
                                               QRect pTela = QRect());

private:
    TApresentadorMensagem* vAnterior = nullptr;
    bool vAtivo = false;
};
