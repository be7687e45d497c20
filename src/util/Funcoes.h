#pragma once

#include "util/Caracteres.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <type_traits>

// Kind of taxpayer: a person (CPF, 11 digits) or a company (CNPJ, 14 characters: 12 digits or capital
// letters, then 2 check digits).
enum TTipoPessoa
{
    tpFisica,
    tpJuridica
};

// The pieces of a 44-character fiscal-note access key, by position (counted from 1).
struct TChaveAcesso
{
    QString UF;             // 1-2: state code of the issuer
    QString AAMM;           // 3-6: year and month of issue
    QString CNPJ;           // 7-20: the issuer's CNPJ (may hold capital letters)
    QString Modelo;         // 21-22: document model
    QString Serie;          // 23-25
    QString NumeroDFe;      // 26-34: document number
    QString FormaEmissao;   // 35: form of issue
    QString CodigoNumerico; // 36-43
    QString DV;             // 44: check digit
};

// The shared general helpers: text, number and document helpers on one instance reached through get().
// The instance keeps no state; every helper is a pure function of its arguments (the random code and the
// completions of typed dates and times also read the clock). Positions are counted from 1; trimming removes
// every character of code 32 or lower.
class TFuncoes
{
public:
    // The one shared instance, made on first use (callers are on the GUI thread) and kept to the end.
    static TFuncoes& get();

    TFuncoes(const TFuncoes&) = delete;
    TFuncoes& operator=(const TFuncoes&) = delete;

    // --- Padding. Widths of 0 or less never fail.

    // pValor trimmed and right-aligned in pTamanho characters, filled with "0" (no digit check:
    // "-5" in 3 is "0-5"); a longer text keeps its rightmost pTamanho characters.
    QString StrZero(const QString& pValor, int pTamanho) const;
    // Right-aligned in pTamanho characters with spaces in front; a longer text keeps its rightmost
    // characters; no trimming. pTamanho of 0 or less returns the input unchanged.
    QString PadL(const QString& pString, int pTamanho) const;
    // The first pTamanho characters, trimmed at both ends, then filled with spaces at the right.
    QString PadR(const QString& pString, int pTamanho) const;
    // Centred in pTamanho characters (an odd gap puts the extra space at the left); cut at the right.
    QString PadC(const QString& pString, int pTamanho) const;
    // pTamanho spaces; empty for 0 or less.
    QString RetornaEspaco(int pTamanho) const;

    // --- Typed dates and times (the current date and time come from Clock).

    // Completes a date typed as day/month/year: missing month and year from today, a two-digit year in
    // 20xx when below pAnoBase, else 19xx. Text with nothing typed comes back unchanged.
    // Raises Exception "Data inválida." or "Período inválido.\r\n<text>"; EConvertError for a year
    // that is not a number.
    QString CompletaData(const QString& pData, int pAnoBase) const;
    // Completes a time typed as hours:minutes(:seconds) from the current time; raises "Hora inválida.".
    QString CompletaHora(const QString& pHora) const;
    // "Domingo" (0) to "Sábado" (6); "Indefinido" otherwise.
    QString retornaDescricaoDiaSemana(int pDia) const;

    // --- Text clean-up.

    // Trimmed; accented letters made plain, characters of CARACTERES_ESPECIAIS dropped.
    QString TrocaAcento(const QString& pTexto) const;
    // Removes the chosen classes, in the order especiais, símbolos, símbolos perigosos, alfa
    // (replaced by plain letters, or dropped when ccNormais is chosen too), normais; an empty set
    // gives the empty string.
    QString RetiraCaracteres(const QString& pTexto, TCaracteres pCaracteres) const;
    // Whether pChar belongs to the chosen classes; with ccAlfa but not ccNormais an accented letter
    // is made plain in place and the answer is false.
    bool IsCaractere(QChar& pChar, TCaracteres pCaracteres) const;
    // Single blanks, special characters and dangerous symbols dropped, accents made plain, trimmed.
    QString RemoveCaracteresEspeciais(const QString& pTexto) const;
    // Leading spaces dropped, every run of spaces made one (a trailing run leaves one space).
    QString EliminaEspacoDuplo(const QString& pTexto) const;
    // The characters "0" to "9" of pValor, in order.
    QString SoNumero(const QString& pValor) const;
    // Every character is "0" to "9" (the empty text included).
    bool isNumero(const QString& pValor) const;
    // The number read and written back in decimal ("000123" -> "123", "$1F" -> "31"); empty when the
    // text is not a whole number of 64 bits.
    QString RetiraZeroAEsquerda(const QString& pNumero) const;
    // Decodes "&#n;" / "&#xh;" references, then "&quot" -> '"', "&amp;" -> "&&", "&lt;", "&gt;".
    // A reference that does not read leaves the whole text unchanged.
    QString ConverteEspecialXMLToStr(const QString& pTexto) const;
    // CR LF after every pTamanhoLinha characters (after the last one too); nothing for 0 or less.
    QString AdicionaQuebraLinha(const QString& pTexto, int pTamanhoLinha) const;
    // Every pAnterior replaced by pNovo, case-sensitive, left to right; an empty pAnterior changes nothing.
    QString Troca(const QString& pString, const QString& pAnterior, const QString& pNovo) const;
    // Position (from 1) of the last occurrence of SubStr in S; 0 when none or SubStr is empty.
    int PosLast(const QByteArray& SubStr, const QByteArray& S) const;
    // The text between the first Inicio and the first Fim after it (markers included when
    // IncluiInicioFim); empty when either marker is missing.
    QString RetornarConteudoEntre(const QString& Frase, const QString& Inicio, const QString& Fim,
                                  bool IncluiInicioFim) const;
    // pResultado1 when pCondicao holds, else pResultado2 (both already evaluated).
    template <typename A, typename B>
    std::common_type_t<A, B> IIF(bool pCondicao, const A& pResultado1, const B& pResultado2) const
    {
        if (pCondicao)
            return pResultado1;
        return pResultado2;
    }
    // A path longer than pTamanho + 3 becomes the start of its folder, "..\" and the file name,
    // pTamanho characters in all (or just "..\" and the name when that alone is longer).
    QString ReduzTamanhoPatchFile(const QString& pCaminho, int pTamanho) const;
    // The text after the last "/" or ":"; the whole text when it has neither.
    QString ExtractFileNameFromURL(const QString& FileName) const;

    // --- Brazilian documents.

    // Well-formed CPF (11 digits, no separators) or CNPJ with right modulo-11 check digits; numbers of one
    // repeated character are rejected, whatever blanks surround them. A CNPJ is 12 characters of 0-9 or
    // A-Z (the alphanumeric CNPJ; each worth its code minus 48) and 2 check digits, blanks around allowed,
    // no separators, no lower case; a CPF is digits only. Never raises.
    bool ValidaCNPJCPF(const QString& pCNPJCPF, TTipoPessoa pTipoPessoa) const;
    // Checks a 44-character access key and fills pChaveAcesso with its pieces (left as it was when the
    // length is wrong). Positions 7-20 hold a CNPJ as ValidaCNPJCPF reads it (letters allowed); every
    // other position is a digit. The check digit counts a letter as its code minus 48. Raises Exception
    // with the reason; EConvertError for anything but a digit in positions 21-43.
    bool ValidaChaveAcesso(const QString& pChave, TChaveAcesso& pChaveAcesso) const;
    // Modulo-11 check digit of a trimmed text of digits (weights 2 to 9 from the right);
    // EConvertError for a non-digit.
    QString Mod11(const QString& pCodigo) const;
    // 000.000.000-00 for fewer than 12 characters, else 00.000.000/0000-00, any character taking a
    // position ("12ABC34501DE35" gives "12.ABC.345/01DE-35"); no cleaning.
    QString FormataCNPJCPF(const QString& pCNPJCPF) const;

    // --- Amount in words.

    // Portuguese words of pValor: with pMoeda, an amount in reais (pTipo 0) or US dollars with its
    // cents; without, the whole part as a bare number. Raises Exception for amounts below zero or
    // from 10^12 on (after rounding to cents), and for values that are not numbers.
    QString ValorPorExtenso(long double pValor, bool pMoeda, int pTipo) const;

    // --- Numbers, sizes and codes.

    // Half away from zero, on the value as shown with 15 significant digits (1.005 to 2 gives 1.01).
    double Round(double pValor, int pDecimais) const;
    // Cut after pDecimais decimals of the value as shown with 15 significant digits.
    double Trunc(double pValor, int pDecimais) const;
    // pDividendo / pDivisor, exactly 0 when pDivisor is 0.
    double DivisaoSegura(double pDividendo, double pDivisor) const;
    // Display mask of a numeric field ("###,##0.00" for 10 and 2).
    QString MontaMascara(int pTamanho, int pDecimais) const;
    // A size in kilobytes as "1,5MB" / "2,5GB"; "Nenhum" for 0.
    QString TamanhoArquivoToString(double pTamanho) const;
    // A size in bytes as "1MB" / "1,5GB"; "Nenhum" for 0.
    QString TamanhoArquivoToString(qint64 pTamanho) const;
    // A version text as a comparable integer: up to 7 digits, letters A-E as 1-5 ("v.26.09ed0" -> 2609540).
    int VersaoEmNumero(const QString& pVersao) const;
    // Letter code: 1 "A", 26 "Z", 27 "AA"; 0 gives "@". Raises "Limite excedido." for negative numbers.
    QString Base26(int pId) const;
    // pNumero in exactly pQuantidadeCasas base-36 digits; "Limite excedido." when it does not fit
    // (negative numbers included).
    QString Base36(qint64 pNumero, int pQuantidadeCasas) const;
    // The numbers 1 to 10 in random order, joined: 11 digits.
    QString geraCodigoAleatorio() const;

private:
    TFuncoes() = default;
    // pString repeated pTamanho times; empty for 0 or less.
    QString Replicate(const QString& pString, int pTamanho) const;
};

// Words of a three-digit text from "000" (empty) to "999"; empty for anything else.
QString MiniExtenso(const QString& pValor);
// CasoVerdadeiro when Expressao holds, else CasoFalso.
QString ifs(bool Expressao, const QString& CasoVerdadeiro, const QString& CasoFalso);
// "0" to "9" for 0 to 9, "A" to "Z" for 10 to 35; raises "Limite excedido." for anything else.
QChar DigitoBase36(int pDigito);
