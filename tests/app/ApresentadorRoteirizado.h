#pragma once

#include "app/MessageUtil.h"

#include <QList>
#include <QStringList>
#include <functional>

// Stands in for the message dialogs while alive: records every dialog and answers from a script
// (button index: 0 "&Sim" / "OK", 1 "&Não", -1 closed). With the script used up, a question is
// answered "&Não" and a notice "OK".
class TApresentadorRoteirizado : public TApresentadorMensagem
{
public:
    static constexpr int SIM = 0;
    static constexpr int NAO = 1;

    TApresentadorRoteirizado() { vAnterior = TMessageUtil::DefineApresentador(this); }
    ~TApresentadorRoteirizado() override { TMessageUtil::DefineApresentador(vAnterior); }
    TApresentadorRoteirizado(const TApresentadorRoteirizado&) = delete;
    TApresentadorRoteirizado& operator=(const TApresentadorRoteirizado&) = delete;

    int Apresenta(const TDialogoMensagem& pDialogo) override
    {
        Dialogos.append(pDialogo);
        if (AoApresentar)
            AoApresentar(pDialogo);
        if (!Respostas.isEmpty())
            return Respostas.takeFirst();
        return pDialogo.Botoes.size() > 1 ? NAO : 0;
    }

    QStringList Textos() const
    {
        QStringList xTextos;
        for (const TDialogoMensagem& xDialogo : Dialogos)
            xTextos.append(xDialogo.Texto);
        return xTextos;
    }

    void Limpa()
    {
        Dialogos.clear();
        Respostas.clear();
    }

    QList<TDialogoMensagem> Dialogos;
    QList<int> Respostas;
    std::function<void(const TDialogoMensagem&)> AoApresentar;

private:
    TApresentadorMensagem* vAnterior = nullptr;
};
