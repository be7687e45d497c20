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

bool TodosIguais(const QString& pTexto)
{
    return pTexto.count(pTexto[0]) == pTexto.size();
}

// A valid 44-digit key of São Paulo, December 2024.
QString ChaveValida()
{
    const QString x43 = QStringLiteral("35") + QStringLiteral("2412") + QStringLiteral("11222333000181") +
                        QStringLiteral("55") + QStringLiteral("001") + QStringLiteral("000000123") +
                        QStringLiteral("1") + QStringLiteral("12345678");
    QList<int> xPesos;
    for (int i = 0; i < 43; ++i)
        xPesos.prepend(2 + i % 8);
    return x43 + QString::number(DigitoPorPesos(x43, xPesos));
}

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
