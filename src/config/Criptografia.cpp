#include "config/Criptografia.h"

#include "util/Exception.h"
#include "util/Funcoes.h"

namespace {

constexpr int DIGITOS_POR_CARACTERE = 3;
constexpr int MAIOR_CODIGO = 999;

} // namespace

TCriptografia& TCriptografia::get()
{
    static TCriptografia _Instancia;
    return _Instancia;
}

int TCriptografia::Asc(const QString& pString) const
{
    if (pString.isEmpty())
        throw EConvertError(QStringLiteral("Texto vazio não tem código de caractere."));
    return pString.front().unicode();
}

QString TCriptografia::EncriptaASCII(const QString& pString, std::uint16_t pTamanho) const
{
    QString xTexto = pString;
    if (pTamanho < 10 && xTexto.size() <= 10)
        xTexto += QString(11 - xTexto.size(), u' ');

    QString xResultado;
    xResultado.reserve(int(pTamanho) * DIGITOS_POR_CARACTERE);
    for (int p = pTamanho; p >= 1; --p) {
        const QString xCaractere = p <= xTexto.size() ? xTexto.mid(p - 1, 1) : QStringLiteral(" ");
        xResultado += TFuncoes::get().StrZero(QString::number(Asc(xCaractere)), DIGITOS_POR_CARACTERE);
    }
    return xResultado;
}

QString TCriptografia::DecriptaASCII(const QString& pString, std::uint16_t pTamanho) const
{
    QString xResultado;
    xResultado.reserve(pTamanho);
    for (int k = pTamanho; k >= 1; --k) {
        const QString xGrupo = pString.mid((k - 1) * DIGITOS_POR_CARACTERE, DIGITOS_POR_CARACTERE);
        bool xDigitos = xGrupo.size() == DIGITOS_POR_CARACTERE;
        for (const QChar xChar : xGrupo)
            xDigitos = xDigitos && xChar >= u'0' && xChar <= u'9';
        if (!xDigitos)
            throw EConvertError(QStringLiteral("'%1' não é um número inteiro válido.").arg(xGrupo));
        xResultado += QChar(char16_t(xGrupo.toInt()));
    }
    return xResultado;
}

bool TCriptografia::CodificavelASCII(const QString& pString)
{
    for (const QChar xChar : pString) {
        if (xChar.unicode() > MAIOR_CODIGO)
            return false;
    }
    return true;
}
