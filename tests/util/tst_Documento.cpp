#include "util/Exception.h"
#include "util/Funcoes.h"

#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(TTipoPessoa)

namespace {

TFuncoes& F()
{
    return TFuncoes::get();
}

// Check digits written here from the published weight tables, apart from the library's routine.
int DigitoPorPesos(const QString& pDigitos, const QList<int>& pPesos)
{
    int xSoma = 0;
    for (qsizetype i = 0; i < pPesos.size(); ++i)
        xSoma += (pDigitos[i].unicode() - u'0') * pPesos[i];
    return (xSoma * 10) % 11 % 10;
}

QString ComDigitosCPF(const QString& pBase)
{
    const int d1 = DigitoPorPesos(pBase, {10, 9, 8, 7, 6, 5, 4, 3, 2});
    const int d2 = DigitoPorPesos(pBase + QString::number(d1), {11, 10, 9, 8, 7, 6, 5, 4, 3, 2});
    return pBase + QString::number(d1) + QString::number(d2);
}

QString ComDigitosCNPJ(const QString& pBase)
{
    const int d1 = DigitoPorPesos(pBase, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    const int d2 = DigitoPorPesos(pBase + QString::number(d1), {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    return pBase + QString::number(d1) + QString::number(d2);
}

QString BaseAleatoria(QRandomGenerator& pGerador, int pTamanho)
{
    QString xBase;
    for (int i = 0; i < pTamanho; ++i)
        xBase += QChar(u'0' + pGerador.bounded(10));
    return xBase;
}

// The characters a CNPJ's body may hold since the alphanumeric CNPJ: digits and capital letters.
const QString ALFABETO_CNPJ = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QString BaseAlfanumerica(QRandomGenerator& pGerador, int pTamanho)
{
    QString xBase;
    for (int i = 0; i < pTamanho; ++i)
        xBase += ALFABETO_CNPJ[pGerador.bounded(int(ALFABETO_CNPJ.size()))];
    return xBase;
}

bool TodosIguais(const QString& pTexto)
{
    return pTexto.count(pTexto[0]) == pTexto.size();
}

// The key's check digit over its first 43 characters, each worth its code minus 48.
QString DigitoChave(const QString& p43)
{
    QList<int> xPesos;
    for (int i = 0; i < p43.size(); ++i)
        xPesos.prepend(2 + i % 8);
    return QString::number(DigitoPorPesos(p43, xPesos));
}

// A valid 44-character key of São Paulo, December 2024, issued by pCnpj.
QString ChaveValida(const QString& pCnpj = QStringLiteral("11222333000181"))
{
    const QString x43 = QStringLiteral("35") + QStringLiteral("2412") + pCnpj + QStringLiteral("55") +
                        QStringLiteral("001") + QStringLiteral("000000123") + QStringLiteral("1") +
                        QStringLiteral("12345678");
    return x43 + DigitoChave(x43);
}

// The alphanumeric CNPJ the tax authority gives as its example.
const QString CNPJ_ALFA = QStringLiteral("12ABC34501DE35");

} // namespace

// CPF and CNPJ check digits, access keys and the printed layout of taxpayer numbers.
class TstDocumento : public QObject
{
    Q_OBJECT

private slots:
    void validaCNPJCPF_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<TTipoPessoa>("tipo");
        QTest::addColumn<bool>("esperado");
        QTest::newRow("cpf valido") << "52998224725" << tpFisica << true;
        QTest::newRow("cpf digito errado") << "52998224726" << tpFisica << false;
        QTest::newRow("cpf onze uns") << "11111111111" << tpFisica << false;
        QTest::newRow("cpf com separadores") << "529.982.247-25" << tpFisica << false;
        QTest::newRow("cpf branco na frente") << " 52998224725" << tpFisica << false;
        QTest::newRow("cpf curto") << "5299822472" << tpFisica << false;
        QTest::newRow("cpf longo") << "529982247250" << tpFisica << false;
        QTest::newRow("cpf como cnpj") << "52998224725" << tpJuridica << false;
        QTest::newRow("cnpj valido") << "11222333000181" << tpJuridica << true;
        QTest::newRow("cnpj com brancos em volta") << "  11222333000181 " << tpJuridica << true;
        QTest::newRow("cnpj com separadores") << "11.222.333/0001-81" << tpJuridica << false;
        QTest::newRow("cnpj quatorze zeros") << "00000000000000" << tpJuridica << false;
        QTest::newRow("cnpj digito errado") << "11222333000182" << tpJuridica << false;
        QTest::newRow("cnpj como cpf") << "11222333000181" << tpFisica << false;
        QTest::newRow("vazio") << "" << tpFisica << false;
        QTest::newRow("um caractere") << "1" << tpJuridica << false;
        QTest::newRow("letras") << "abcdefghijk" << tpFisica << false;
        QTest::newRow("cnpj com letra no meio") << "1122233300018a1" << tpJuridica << false;
        // One repeated digit stays no number whatever blanks surround it (its check digits fit).
        QTest::newRow("cnpj zeros com branco na frente") << " 00000000000000" << tpJuridica << false;
        QTest::newRow("cnpj zeros com brancos em volta") << "  00000000000000 " << tpJuridica << false;
        QTest::newRow("cnpj zeros com tabulacao") << "\t00000000000000\r\n" << tpJuridica << false;
        QTest::newRow("cpf onze uns com branco atras") << "11111111111 " << tpFisica << false;
        QTest::newRow("cpf valido com branco atras") << "52998224725 " << tpFisica << true;
        QTest::newRow("so brancos") << "   " << tpJuridica << false;
    }
    void validaCNPJCPF()
    {
        QFETCH(QString, numero);
        QFETCH(TTipoPessoa, tipo);
        QFETCH(bool, esperado);
        QCOMPARE(F().ValidaCNPJCPF(numero, tipo), esperado);
    }

    // Every number whose check digits the published weights give is accepted; every change of one digit
    // is judged exactly as those weights judge it. (The weights cannot catch every change: remainders 0 and 1
    // both give the digit 0, so a few changes keep both digits right; most are rejected.)
    void validaCNPJCPFAleatorios_data()
    {
        QTest::addColumn<TTipoPessoa>("tipo");
        QTest::newRow("cpf") << tpFisica;
        QTest::newRow("cnpj") << tpJuridica;
    }
    void validaCNPJCPFAleatorios()
    {
        QFETCH(TTipoPessoa, tipo);
        QRandomGenerator xGerador(20240315);
        const int xTamanhoBase = tipo == tpFisica ? 9 : 12;
        auto xCompleto = [tipo](const QString& pBase) {
            return tipo == tpFisica ? ComDigitosCPF(pBase) : ComDigitosCNPJ(pBase);
        };
        int xAlteracoes = 0, xAceitas = 0;
        for (int n = 0; n < 1000; ++n) {
            const QString xNumero = xCompleto(BaseAleatoria(xGerador, xTamanhoBase));
            if (TodosIguais(xNumero))
                continue;
            QVERIFY2(F().ValidaCNPJCPF(xNumero, tipo), qPrintable(xNumero));
            for (int i = 0; i < xNumero.size(); ++i)
                for (char16_t d = u'0'; d <= u'9'; ++d) {
                    if (xNumero[i] == QChar(d))
                        continue;
                    QString xAlterado = xNumero;
                    xAlterado[i] = QChar(d);
                    const bool xPelosPesos =
                        !TodosIguais(xAlterado) && xCompleto(xAlterado.left(xTamanhoBase)) == xAlterado;
                    const bool xAceito = F().ValidaCNPJCPF(xAlterado, tipo);
                    QVERIFY2(xAceito == xPelosPesos,
                             qPrintable(xNumero + QStringLiteral(" -> ") + xAlterado));
                    ++xAlteracoes;
                    xAceitas += xAceito;
                }
        }
        qInfo("%d de %d alterações de um dígito passam pelos pesos", xAceitas, xAlteracoes);
        // Only changes the weights themselves cannot see get through: far below 2%.
        QVERIFY2(xAceitas * 50 < xAlteracoes,
                 qPrintable(QStringLiteral("%1 de %2").arg(xAceitas).arg(xAlteracoes)));
    }

    // The alphanumeric CNPJ: twelve characters of 0-9 and A-Z, two check digits. The bad ones below get
    // the check digits the weights give them, so only the rule on the characters can refuse them.
    void validaCNPJAlfanumerico_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<TTipoPessoa>("tipo");
        QTest::addColumn<bool>("esperado");
        QTest::newRow("exemplo") << CNPJ_ALFA << tpJuridica << true;
        QTest::newRow("exemplo com brancos em volta") << "  " + CNPJ_ALFA + " " << tpJuridica << true;
        QTest::newRow("so letras no corpo") << ComDigitosCNPJ("ABCDEFGHIJKL") << tpJuridica << true;
        QTest::newRow("z e zero") << ComDigitosCNPJ("ZZZZZZZZZZZ0") << tpJuridica << true;
        QTest::newRow("digito errado") << "12ABC34501DE36" << tpJuridica << false;
        QTest::newRow("letra no lugar do digito") << "12ABC34501DE3A" << tpJuridica << false;
        QTest::newRow("letra no primeiro digito") << "12ABC34501DEA5" << tpJuridica << false;
        QTest::newRow("minusculas") << ComDigitosCNPJ("12abc34501de") << tpJuridica << false;
        QTest::newRow("uma minuscula") << ComDigitosCNPJ("12ABc34501DE") << tpJuridica << false;
        QTest::newRow("exemplo em minusculas") << "12abc34501de35" << tpJuridica << false;
        QTest::newRow("arroba entre 9 e A") << ComDigitosCNPJ("12AB@34501DE") << tpJuridica << false;
        QTest::newRow("dois pontos entre 9 e A") << ComDigitosCNPJ("12AB:34501DE") << tpJuridica << false;
        QTest::newRow("colchete depois do Z") << ComDigitosCNPJ("12AB[34501DE") << tpJuridica << false;
        QTest::newRow("letra acentuada") << ComDigitosCNPJ(u"12\u00C1BC34501DE"_qs) << tpJuridica << false;
        QTest::newRow("branco no meio") << ComDigitosCNPJ("12AB 34501DE") << tpJuridica << false;
        QTest::newRow("com separadores") << "12.ABC.345/01DE-35" << tpJuridica << false;
        QTest::newRow("um so caractere") << "AAAAAAAAAAAAAA" << tpJuridica << false;
        QTest::newRow("curto") << CNPJ_ALFA.left(13) << tpJuridica << false;
        QTest::newRow("longo") << CNPJ_ALFA + "5" << tpJuridica << false;
        QTest::newRow("como cpf") << CNPJ_ALFA << tpFisica << false;
        QTest::newRow("cpf com letra que os pesos aceitam")
            << ComDigitosCPF("123A56789") << tpFisica << false;
    }
    void validaCNPJAlfanumerico()
    {
        QFETCH(QString, numero);
        QFETCH(TTipoPessoa, tipo);
        QFETCH(bool, esperado);
        QCOMPARE(F().ValidaCNPJCPF(numero, tipo), esperado);
    }

    void exemploAlfanumericoPelosPesos() { QCOMPARE(ComDigitosCNPJ(CNPJ_ALFA.left(12)), CNPJ_ALFA); }

    // Random alphanumeric CNPJs are accepted; every change of one character to another of the alphabet
    // (digits only in the check positions) is judged as the weights judge it; lower case never passes.
    void validaCNPJAlfanumericoAleatorios()
    {
        QRandomGenerator xGerador(20260701);
        int xAlteracoes = 0, xAceitas = 0;
        for (int n = 0; n < 600; ++n) {
            const QString xNumero = ComDigitosCNPJ(BaseAlfanumerica(xGerador, 12));
            QVERIFY2(F().ValidaCNPJCPF(xNumero, tpJuridica), qPrintable(xNumero));
            QVERIFY2(!F().ValidaCNPJCPF(xNumero, tpFisica), qPrintable(xNumero));
            for (int i = 0; i < xNumero.size(); ++i) {
                const QString xCandidatos = i < 12 ? ALFABETO_CNPJ + "abcxyz" : ALFABETO_CNPJ;
                for (QChar c : xCandidatos) {
                    if (xNumero[i] == c)
                        continue;
                    QString xAlterado = xNumero;
                    xAlterado[i] = c;
                    const bool xPelosPesos = !c.isLower() && !TodosIguais(xAlterado) &&
                                             ComDigitosCNPJ(xAlterado.left(12)) == xAlterado;
                    const bool xAceito = F().ValidaCNPJCPF(xAlterado, tpJuridica);
                    QVERIFY2(xAceito == xPelosPesos,
                             qPrintable(xNumero + QStringLiteral(" -> ") + xAlterado));
                    ++xAlteracoes;
                    xAceitas += xAceito;
                }
            }
        }
        qInfo("%d de %d alterações de um caractere passam pelos pesos", xAceitas, xAlteracoes);
        QVERIFY(xAceitas * 10 < xAlteracoes);
    }

    void mod11_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("resto 0") << "0"
                                 << "0";
        QTest::newRow("resto 1") << "6"
                                 << "0"; // 6*2 = 12, remainder 1
        QTest::newRow("vazio") << ""
                               << "0";
        QTest::newRow("resto 2") << "1"
                                 << "9"; // 2 -> 11 - 2
        QTest::newRow("cnpj primeiro") << "112223330001"
                                       << "8";
        QTest::newRow("cnpj segundo") << "1122233300018"
                                      << "1";
        QTest::newRow("peso volta a 2") << "100000000"
                                        << "9"; // weight 2 again on the ninth digit from the right
        QTest::newRow("aparado") << " 1122233300018 "
                                 << "1";
    }
    void mod11()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, esperado);
        QCOMPARE(F().Mod11(codigo), esperado);
    }

    void mod11NaoDigito()
    {
        QVERIFY_THROWS_EXCEPTION(EConvertError, F().Mod11(QStringLiteral("12a4")));
        QVERIFY_THROWS_EXCEPTION(EConvertError, F().Mod11(QStringLiteral("1 2")));
    }

    void mod11NuncaDoisDigitos()
    {
        QRandomGenerator xGerador(7);
        for (int n = 0; n < 2000; ++n) {
            const QString xDigito = F().Mod11(BaseAleatoria(xGerador, 1 + xGerador.bounded(43)));
            QCOMPARE(xDigito.size(), 1);
        }
    }

    void validaChaveAcessoValida()
    {
        TChaveAcesso xChave;
        const QString xTexto = ChaveValida();
        QVERIFY(F().ValidaChaveAcesso(xTexto, xChave));
        QCOMPARE(xChave.UF, QStringLiteral("35"));
        QCOMPARE(xChave.AAMM, QStringLiteral("2412"));
        QCOMPARE(xChave.CNPJ, QStringLiteral("11222333000181"));
        QCOMPARE(xChave.Modelo, QStringLiteral("55"));
        QCOMPARE(xChave.Serie, QStringLiteral("001"));
        QCOMPARE(xChave.NumeroDFe, QStringLiteral("000000123"));
        QCOMPARE(xChave.FormaEmissao, QStringLiteral("1"));
        QCOMPARE(xChave.CodigoNumerico, QStringLiteral("12345678"));
        QCOMPARE(xChave.DV, xTexto.right(1));
    }

    void validaChaveAcessoErros_data()
    {
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<bool>("preenchida");
        const QString v = ChaveValida();
        const QString xDVErrado = v.left(43) + QString::number((v.right(1).toInt() + 1) % 10);
        QTest::newRow("43") << v.left(43) << "A chave de acesso deve possuir 44 dígitos." << false;
        QTest::newRow("45") << v + u'1' << "A chave de acesso deve possuir 44 dígitos." << false;
        QTest::newRow("uf 20") << u"20"_qs + v.mid(2) << "A UF da chave de acesso é inválida." << true;
        QTest::newRow("uf 54") << u"54"_qs + v.mid(2) << "A UF da chave de acesso é inválida." << true;
        QTest::newRow("mes 13") << v.left(2) + QStringLiteral("2413") + v.mid(6)
                                << "A data de emissão da chave de acesso é inválida" << true;
        QTest::newRow("mes 00") << v.left(2) + QStringLiteral("2400") + v.mid(6)
                                << "A data de emissão da chave de acesso é inválida" << true;
        QTest::newRow("mes com branco") << v.left(2) + QStringLiteral("24 1") + v.mid(6)
                                        << "A data de emissão da chave de acesso é inválida" << true;
        QTest::newRow("cnpj") << v.left(6) + QStringLiteral("11222333000182") + v.mid(20)
                              << "O CPNJ da chave de acesso é inválido." << true;
        QTest::newRow("dv") << xDVErrado << "O digito verificador da chave de acesso é inválido" << true;
    }
    void validaChaveAcessoErros()
    {
        QFETCH(QString, chave);
        QFETCH(QString, mensagem);
        QFETCH(bool, preenchida);
        TChaveAcesso xChave;
        xChave.UF = QStringLiteral("antes");
        try {
            F().ValidaChaveAcesso(chave, xChave);
            QFAIL("sem erro");
        } catch (const EConvertError&) {
            QFAIL("erro de conversão");
        } catch (const Exception& e) {
            QCOMPARE(e.Message(), mensagem);
        }
        QCOMPARE(xChave.UF, preenchida ? chave.left(2) : QStringLiteral("antes"));
        if (preenchida)
            QCOMPARE(xChave.DV, chave.right(1));
    }

    void validaChaveAcessoNaoDigito()
    {
        TChaveAcesso xChave;
        QString xChaveTexto = ChaveValida();
        xChaveTexto[30] = u'x';
        QVERIFY_THROWS_EXCEPTION(EConvertError, F().ValidaChaveAcesso(xChaveTexto, xChave));
    }

    void validaChaveAcessoAlfanumerica()
    {
        TChaveAcesso xChave;
        const QString xTexto = ChaveValida(CNPJ_ALFA);
        QCOMPARE(xTexto.size(), 44);
        QVERIFY(F().ValidaChaveAcesso(xTexto, xChave));
        QCOMPARE(xChave.CNPJ, CNPJ_ALFA);
        QCOMPARE(xChave.Modelo, QStringLiteral("55"));
        QCOMPARE(xChave.DV, xTexto.right(1));
        // Letters everywhere in the CNPJ but its check digits.
        const QString xOutra = ChaveValida(ComDigitosCNPJ("ZYXWVUTSRQPO"));
        QVERIFY(F().ValidaChaveAcesso(xOutra, xChave));
    }

    // Keys with an alphanumeric CNPJ that must fail, with the reason each gives (empty: the conversion
    // error of a non-digit in positions 21 to 43). Each bad key but the wrong check digit carries the
    // check digit its 43 characters give, so only the rule on the characters can refuse it.
    void validaChaveAcessoAlfanumericaErros_data()
    {
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("mensagem");
        const QString v = ChaveValida(CNPJ_ALFA);
        auto xTroca = [&v](int pPosicao, QChar pChar) {
            QString x43 = v.left(43);
            if (pPosicao == 44)
                return x43 + pChar;
            x43[pPosicao - 1] = pChar;
            QString xDigito = DigitoChave(x43);
            return x43 + (xDigito.size() == 1 ? xDigito : QStringLiteral("0"));
        };
        const QString DV = QStringLiteral("O digito verificador da chave de acesso é inválido");
        const QString CNPJ = QStringLiteral("O CPNJ da chave de acesso é inválido.");
        QTest::newRow("dv errado") << v.left(43) + QString::number((v.right(1).toInt() + 1) % 10) << DV;
        QTest::newRow("minuscula no cnpj") << xTroca(9, u'a') << CNPJ;
        QTest::newRow("cnpj com digito errado") << ChaveValida("12ABC34501DE36") << CNPJ;
        QTest::newRow("letra no dv do cnpj") << ChaveValida("12ABC34501DE3A") << CNPJ;
        QTest::newRow("letra na uf") << xTroca(1, u'A') << "A UF da chave de acesso é inválida.";
        QTest::newRow("letra no aamm")
            << xTroca(5, u'B') << "A data de emissão da chave de acesso é inválida";
        QTest::newRow("letra no modelo, posicao 21") << xTroca(21, u'A') << "";
        QTest::newRow("letra no numero") << xTroca(30, u'Z') << "";
        QTest::newRow("letra no codigo, posicao 43") << xTroca(43, u'C') << "";
        QTest::newRow("letra no dv da chave") << xTroca(44, u'A') << DV;
    }
    void validaChaveAcessoAlfanumericaErros()
    {
        QFETCH(QString, chave);
        QFETCH(QString, mensagem);
        QCOMPARE(chave.size(), 44);
        TChaveAcesso xChave;
        try {
            F().ValidaChaveAcesso(chave, xChave);
            QFAIL("sem erro");
        } catch (const EConvertError&) {
            QVERIFY2(mensagem.isEmpty(), "erro de conversão");
        } catch (const Exception& e) {
            QCOMPARE(e.Message(), mensagem);
        }
        QCOMPARE(xChave.CNPJ, chave.mid(6, 14));
    }

    // A blank at position 43 is no digit: the check digit must not be computed over what is left once it
    // is trimmed away (this key's digit is the one the first 42 characters give).
    void validaChaveAcessoBrancoNoFim()
    {
        TChaveAcesso xChave;
        const QString x42 = ChaveValida().left(42);
        const QString xBranco43 = x42 + u' ' + F().Mod11(x42);
        QVERIFY_THROWS_EXCEPTION(EConvertError, F().ValidaChaveAcesso(xBranco43, xChave));
        const QString xBranco44 = ChaveValida().left(43) + u' ';
        QVERIFY_THROWS_EXCEPTION(Exception, F().ValidaChaveAcesso(xBranco44, xChave));
    }

    // Whatever stands where a digit belongs, in any of the 44 positions, the key is refused; letters
    // only in the CNPJ, and capital ones only. The check digit is recomputed with the stranger in place.
    void validaChaveAcessoSoDigitos()
    {
        for (const QString& xBase : {ChaveValida(), ChaveValida(CNPJ_ALFA)}) {
            for (int xPosicao = 1; xPosicao <= 44; ++xPosicao) {
                const bool xNoCnpj = xPosicao >= 7 && xPosicao <= 20;
                QString xEstranhos = QStringLiteral(" .a\u00A0\u0663\uFF11");
                if (!xNoCnpj)
                    xEstranhos += QStringLiteral("AZ");
                for (QChar c : xEstranhos) {
                    QString xChave = xBase;
                    xChave[xPosicao - 1] = c;
                    if (xPosicao < 44) {
                        const QString xDigito = DigitoChave(xChave.left(43));
                        xChave[43] = xDigito.size() == 1 ? xDigito[0] : QChar(u'0');
                    }
                    TChaveAcesso xPartes;
                    bool xRecusada = false;
                    try {
                        F().ValidaChaveAcesso(xChave, xPartes);
                    } catch (const Exception&) {
                        xRecusada = true;
                    }
                    QVERIFY2(xRecusada,
                             qPrintable(QStringLiteral("posição %1: [%2]").arg(xPosicao).arg(xChave)));
                }
            }
        }
    }

    void formataCNPJCPF_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("cpf") << "12345678901"
                             << "123.456.789-01";
        QTest::newRow("cnpj") << "12345678000195"
                              << "12.345.678/0001-95";
        QTest::newRow("curto") << "123"
                               << "123.   .   -  ";
        QTest::newRow("vazio") << ""
                               << "   .   .   -  ";
        QTest::newRow("doze vai ao cnpj") << "123456789012"
                                          << "12.345.678/9012-  ";
        QTest::newRow("sobra no fim") << "123456789012345"
                                      << "12.345.678/9012-345";
        QTest::newRow("sem limpeza") << "12.345"
                                     << "12..345.   -  ";
        QTest::newRow("cnpj alfanumerico") << CNPJ_ALFA << "12.ABC.345/01DE-35";
        QTest::newRow("alfanumerico com minusculas, sem limpeza") << "12abc34501de35"
                                                                  << "12.abc.345/01de-35";
        QTest::newRow("alfanumerico curto vai ao cpf") << "12ABC"
                                                       << "12A.BC .   -  ";
        QTest::newRow("doze alfanumericos") << "12ABC34501DE"
                                            << "12.ABC.345/01DE-  ";
    }
    void formataCNPJCPF()
    {
        QFETCH(QString, numero);
        QFETCH(QString, esperado);
        QCOMPARE(F().FormataCNPJCPF(numero), esperado);
    }
};

QTEST_GUILESS_MAIN(TstDocumento)
#include "tst_Documento.moc"
