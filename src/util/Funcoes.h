#pragma once

#include <QString>

// The shared general helpers: text, number and document helpers on one instance reached through get().
class TFuncoes
{
public:
    static TFuncoes& get();

    QString StrZero(const QString& pValor, int pTamanho) const;
    QString PadL(const QString& pString, int pTamanho) const;
    QString PadR(const QString& pString, int pTamanho) const;
    QString PadC(const QString& pString, int pTamanho) const;
    QString RetornaEspaco(int pTamanho) const;

    // (the helpers of the rest of the library follow here)

private:
    TFuncoes() = default;
    QString Replicate(const QString& pString, int pTamanho) const;
};
