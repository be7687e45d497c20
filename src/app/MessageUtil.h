#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program's message dialogs: warnings, errors, information and yes/no questions, each a modal
// standard dialog with Portuguese title and buttons, followed by an optional focus move.

enum class TTipoMensagem
{
    Alerta,
    Erro,
    Informacao,
    Confirmacao
};

// The button a question's Enter presses.
enum class TMsgDlgBtn
{
    mbYes,
    mbNo
};

// One dialog as shown: kind (and so its standard icon), title, body text unchanged, button captions
// left to right and the index of the default button.
struct TDialogoMensagem
{
    TTipoMensagem Tipo = TTipoMensagem::Informacao;
    QString Titulo;
    QString Texto;
    QStringList Botoes;
    int BotaoPadrao = 0;
};

// Shows a dialog modally and returns the index of the button chosen, or -1 when it was closed otherwise.
// The program uses the standard dialogs; tests put a scripted presenter in their place.
class TApresentadorMensagem
{
public:
    virtual ~TApresentadorMensagem() = default;
    virtual int Apresenta(const TDialogoMensagem& pDialogo) = 0;
};

class TMessageUtil
{
public:
    static bool Alerta(const QString& pAlerta, QWidget* pComponenteFoco = nullptr);
    static bool Erro(const QString& pErro, QWidget* pComponenteFoco = nullptr);
    static bool Informacao(const QString& pInformacao, QWidget* pComponenteFoco = nullptr);

    // Asks and returns true only when the answer is "&Sim"; moves no focus.
    static bool MostraPergunta(const QString& pPergunta, TMsgDlgBtn mbDefault);
    static bool Pergunta(const QString& pPergunta, TMsgDlgBtn mbDefault, QWidget* pComponenteFoco);
    // Default button "&Sim".
    static bool Pergunta(const QString& pPergunta, QWidget* pComponenteFoco = nullptr);

    // The dialog of a kind, as every dialog of the program shows it.
    static TDialogoMensagem MontaDialogo(TTipoMensagem pTipo, const QString& pTexto,
                                         TMsgDlgBtn mbDefault = TMsgDlgBtn::mbYes);

    // Replaces the presenter (not owned); none restores the standard dialogs. Returns the previous one.
    static TApresentadorMensagem* DefineApresentador(TApresentadorMensagem* pApresentador);
    static TApresentadorMensagem& Apresentador();

private:
    static bool Notifica(TTipoMensagem pTipo, const QString& pTexto, QWidget* pComponenteFoco);
};

// The standard modal message box of the toolkit.
class TApresentadorPadrao : public TApresentadorMensagem
{
public:
    int Apresenta(const TDialogoMensagem& pDialogo) override;
};
