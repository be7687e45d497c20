// Brazilian taxpayer numbers (CPF, CNPJ) and fiscal-note access keys.
#include "util/Exception.h"
#include "util/Funcoes.h"
#include "util/Regional.h"
#include "util/TextoBase.h"

#include <QVarLengthArray>
#include <optional>

namespace {

// State codes of the federative units as published by IBGE.
constexpr const char16_t* CODIGOS_UF[] = {u"11", u"12", u"13", u"14", u"15", u"16", u"17", u"21", u"22",
                                          u"23", u"24", u"25", u"26", u"27", u"28", u"29", u"31", u"32",
                                          u"33", u"35", u"41", u"42", u"43", u"50", u"51", u"52", u"53"};

// Value of one character of a CNPJ or an access key: a digit, or where letters are accepted (the twelve
// characters of a CNPJ's body) also a capital letter, is worth its code minus 48 ("0" = 0, "A" = 17,
// "Z" = 42); nothing for any other character.
std::optional<int> ValorCaractere(QChar c, bool pLetraAceita)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (pLetraAceita && c >= u'A' && c <= u'Z')
        return c.unicode() - u'0';
    return std::nullopt;
}

// Modulo-11 digit of values weighted 2..9 from the right (remainder 0 or 1 gives 0).
int DigitoDeValores(const int* pValores, qsizetype pQuantidade)
{
    int xSoma = 0;
    int xPeso = 2;
    for (qsizetype i = pQuantidade - 1; i >= 0; --i) {
        xSoma += pValores[i] * xPeso;
        xPeso = xPeso == 9 ? 2 : xPeso + 1;
    }
    const int xResto = xSoma % 11;
    return xResto < 2 ? 0 : 11 - xResto;
}

// Modulo-11 digit of a trimmed text of digits; nothing when a character is not a digit.
std::optional<int> DigitoModulo11(const QString& pCodigo)
{
    const QString xCodigo = TextoBase::Trim(pCodigo);
    QVarLengthArray<int, 64> xValores;
    for (QChar c : xCodigo) {
        const std::optional<int> xValor = ValorCaractere(c, false);
        if (!xValor)
            return std::nullopt;
        xValores.append(*xValor);
    }
    return DigitoDeValores(xValores.data(), xValores.size());
}

// A CNPJ, numeric or alphanumeric, as one routine: twelve characters of 0-9 or A-Z, then two check
// digits computed over their values. Blanks around it are allowed; separators and lower case are not.
bool ValidaCNPJ(const QString& pCNPJ)
{
    const QString xCNPJ = TextoBase::Trim(pCNPJ);
    if (xCNPJ.size() != 14)
        return false;
    int xValores[14];
    for (int i = 0; i < 14; ++i) {
        const std::optional<int> xValor = ValorCaractere(xCNPJ[i], i < 12);
        if (!xValor)
            return false;
        xValores[i] = *xValor;
    }
    return xValores[12] == DigitoDeValores(xValores, 12) && xValores[13] == DigitoDeValores(xValores, 13);
}

// Every character equal to the first (an empty text included), blanks around it not counted: such a
// number can carry right check digits ("00000000000000") but is no real number.
bool UmSoCaractere(const QString& pNumero)
{
    const QString xNumero = TextoBase::Trim(pNumero);
    return xNumero.isEmpty() || xNumero.count(xNumero[0]) == xNumero.size();
}

bool ValidaCPF(const QString& pCPF)
{
    if (pCPF.size() < 11)
        return false;
    int d[11];
    for (int i = 0; i < 11; ++i) {
        const QChar c = pCPF[i];
        if (c < u'0' || c > u'9')
            return false;
        d[i] = c.unicode() - u'0';
    }
    auto xDigito = [](int pSoma) {
        const int xResto = pSoma % 11;
        return xResto < 2 ? 0 : 11 - xResto;
    };
    int xSoma = 0;
    for (int i = 0; i < 9; ++i)
        xSoma += (10 - i) * d[i];
    const int xPrimeiro = xDigito(xSoma);
    xSoma = 0;
    for (int i = 0; i < 9; ++i)
        xSoma += (11 - i) * d[i];
    const int xSegundo = xDigito(xSoma + 2 * xPrimeiro);
    return d[9] == xPrimeiro && d[10] == xSegundo;
}

} // namespace

QString TFuncoes::Mod11(const QString& pCodigo) const
{
    const std::optional<int> xDigito = DigitoModulo11(pCodigo);
    if (!xDigito)
        throw EConvertError(
            QStringLiteral("'%1' não é um valor inteiro válido").arg(TextoBase::Trim(pCodigo)));
    return QString::number(*xDigito);
}

bool TFuncoes::ValidaCNPJCPF(const QString& pCNPJCPF, TTipoPessoa pTipoPessoa) const
{
    if (UmSoCaractere(pCNPJCPF))
        return false;
    if (pTipoPessoa == tpJuridica)
        return ValidaCNPJ(pCNPJCPF);
    // A CPF stays digits only.
    return SoNumero(pCNPJCPF).size() == 11 && ValidaCPF(pCNPJCPF);
}

bool TFuncoes::ValidaChaveAcesso(const QString& pChave, TChaveAcesso& pChaveAcesso) const
{
    if (pChave.size() != 44)
        throw Exception(QStringLiteral("A chave de acesso deve possuir 44 dígitos."));

    pChaveAcesso.UF = pChave.mid(0, 2);
    pChaveAcesso.AAMM = pChave.mid(2, 4);
    pChaveAcesso.CNPJ = pChave.mid(6, 14);
    pChaveAcesso.Modelo = pChave.mid(20, 2);
    pChaveAcesso.Serie = pChave.mid(22, 3);
    pChaveAcesso.NumeroDFe = pChave.mid(25, 9);
    pChaveAcesso.FormaEmissao = pChave.mid(34, 1);
    pChaveAcesso.CodigoNumerico = pChave.mid(35, 8);
    pChaveAcesso.DV = pChave.mid(43, 1);

    bool xUFValida = false;
    for (const char16_t* xCodigo : CODIGOS_UF)
        xUFValida = xUFValida || pChaveAcesso.UF == QStringView(xCodigo);
    if (!xUFValida)
        throw Exception(QStringLiteral("A UF da chave de acesso é inválida."));

    // The first day of the month of issue, in the 2000s; year and month must be two digits each.
    const QString xEmissao = QStringLiteral("01/") + pChaveAcesso.AAMM.mid(2, 2) + QStringLiteral("/20") +
                             pChaveAcesso.AAMM.mid(0, 2);
    if (!isNumero(pChaveAcesso.AAMM) || !Regional::StrToDate(xEmissao))
        throw Exception(QStringLiteral("A data de emissão da chave de acesso é inválida"));

    if (!ValidaCNPJCPF(pChaveAcesso.CNPJ, tpJuridica))
        throw Exception(QStringLiteral("O CPNJ da chave de acesso é inválido."));

    // The key's own digit, over all 43 characters as they stand (nothing trimmed away): the CNPJ's letters,
    // already checked above, count their code minus 48; everywhere else only a digit is read.
    int xValores[43];
    for (int i = 0; i < 43; ++i) {
        const std::optional<int> xValor = ValorCaractere(pChave[i], i >= 6 && i < 20);
        if (!xValor)
            throw EConvertError(QStringLiteral("'%1' não é um valor inteiro válido").arg(pChave.left(43)));
        xValores[i] = *xValor;
    }
    if (QString::number(DigitoDeValores(xValores, 43)) != pChaveAcesso.DV)
        throw Exception(QStringLiteral("O digito verificador da chave de acesso é inválido"));
    return true;
}

QString TFuncoes::FormataCNPJCPF(const QString& pCNPJCPF) const
{
    // "0" takes the next character of the input (a space when it has run out); others are separators.
    const QStringView xLayout =
        pCNPJCPF.size() < 12 ? QStringView(u"000.000.000-00") : QStringView(u"00.000.000/0000-00");
    QString xResultado;
    qsizetype xProximo = 0;
    for (QChar c : xLayout) {
        if (c == u'0')
            xResultado += xProximo < pCNPJCPF.size() ? pCNPJCPF[xProximo++] : QChar(u' ');
        else
            xResultado += c;
    }
    return xResultado + pCNPJCPF.mid(xProximo);
}
