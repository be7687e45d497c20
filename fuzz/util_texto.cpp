// Free text through the text helpers: no crash, no escape other than the helpers' own Exception,
// and the clean-up results hold none of what they remove.
#include "util/Exception.h"
#include "util/Funcoes.h"

#include <cstddef>
#include <cstdint>

namespace {

void Verifica(bool pCondicao)
{
    if (!pCondicao)
        __builtin_trap();
}

bool Contem(const QString& pTexto, QStringView pClasse)
{
    for (QChar c : pTexto)
        if (pClasse.contains(c))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pDados, size_t pTamanho)
{
    if (pTamanho < 1)
        return 0;
    // The first byte steers: bit 0 picks the decoding, bits 1-5 the classes to remove, the whole byte
    // the century pivot of the date completion.
    const uint8_t xControle = pDados[0];
    ++pDados;
    --pTamanho;
    // UTF-16 code units as they come (lone surrogates included), or UTF-8.
    const QString xTexto =
        (xControle & 1) ? QString(reinterpret_cast<const QChar*>(pDados), qsizetype(pTamanho / 2))
                        : QString::fromUtf8(reinterpret_cast<const char*>(pDados), qsizetype(pTamanho));
    TFuncoes& F = TFuncoes::get();

    const QString xDecodificado = F.ConverteEspecialXMLToStr(xTexto);
    Verifica(xDecodificado.size() <= 2 * xTexto.size());

    const QString xSemAcento = F.TrocaAcento(xTexto);
    Verifica(xSemAcento.size() <= xTexto.size());
    Verifica(!Contem(xSemAcento, CARACTERES_ALFA) && !Contem(xSemAcento, CARACTERES_ESPECIAIS));

    const TCaractere CLASSES[] = {ccEspeciais, ccSimbolos, ccAlfa, ccNormais, ccSimbolosPerigosos};
    const QStringView LISTAS[] = {CARACTERES_ESPECIAIS, CARACTERES_SIMBOLOS, CARACTERES_ALFA,
                                  CARACTERES_NORMAIS, CARACTERES_SIMBOLOS_PERIGOSOS};
    TCaracteres xClasses;
    for (int i = 0; i < 5; ++i)
        if (xControle & (2 << i))
            xClasses.Inclui(CLASSES[i]);
    const QString xRetirado = F.RetiraCaracteres(xTexto, xClasses);
    Verifica(xRetirado.size() <= xTexto.size());
    for (int i = 0; i < 5; ++i)
        if (xClasses.contains(CLASSES[i]))
            Verifica(!Contem(xRetirado, LISTAS[i]));

    try {
        F.CompletaData(xTexto, xControle % 100);
    } catch (const Exception&) {
    }
    try {
        F.CompletaHora(xTexto);
    } catch (const Exception&) {
    }
    return 0;
}
