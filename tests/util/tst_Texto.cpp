#include "util/Funcoes.h"

#include <QtTest>

Q_DECLARE_METATYPE(TCaracteres)

namespace {
TFuncoes& F()
{
    return TFuncoes::get();
}
} // namespace

// Text clean-up: accents, classes of characters, blanks, digits, XML references and reshaping.
class TstTexto : public QObject
{
    Q_OBJECT

private slots:
    void tabelasDeCaracteres()
    {
        QCOMPARE(CARACTERES_ALFA.size(), 55);
        QCOMPARE(CARACTERES_NORMAIS.size(), 55);
        QCOMPARE(CARACTERES_ESPECIAIS.size(), 49);
        QCOMPARE(CARACTERES_SIMBOLOS.size(), 31);
        QCOMPARE(CARACTERES_SIMBOLOS_PERIGOSOS.size(), 19);
        // Pairs of the accent table, by position.
        QCOMPARE(CARACTERES_NORMAIS[CARACTERES_ALFA.indexOf(QChar(u'\u00E3'))], QChar(u'a'));
        QCOMPARE(CARACTERES_NORMAIS[CARACTERES_ALFA.indexOf(QChar(u'\u00C7'))], QChar(u'C'));
        QCOMPARE(CARACTERES_NORMAIS[CARACTERES_ALFA.indexOf(QChar(u'\u0178'))], QChar(u'Y'));
        QCOMPARE(CARACTERES_NORMAIS[CARACTERES_ALFA.indexOf(QChar(u'\u20AC'))], QChar(u'C'));
        QCOMPARE(CARACTERES_NORMAIS[CARACTERES_ALFA.indexOf(QChar(u'\u00F1'))], QChar(u'n'));
        // The soft hyphen is the one Latin-1 sign left out.
        QVERIFY(!CARACTERES_ESPECIAIS.contains(QChar(u'\u00AD')));
        for (char16_t c = 0xA1; c <= 0xBF; ++c)
            if (c != 0xAD)
                QVERIFY2(CARACTERES_ESPECIAIS.contains(QChar(c)), qPrintable(QString::number(c, 16)));
    }

    void trocaAcento_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("acentos e brancos") << u"  Ação Çã ñ  "_qs << "Acao Ca n";
        QTest::newRow("euro") << u"a€b"_qs << "aCb";
        QTest::newRow("ordinal") << u"1º lugar"_qs << "1 lugar";
        QTest::newRow("simbolos ficam") << "a-b/c!"
                                        << "a-b/c!";
        QTest::newRow("e comercial sai") << "a&b;c"
                                         << "abc";
        QTest::newRow("maiusculas") << u"ÀÉÎÕÜŸ"_qs << "AEIOUY";
        QTest::newRow("controle aparado") << "\t x \n"
                                          << "x";
        QTest::newRow("vazio") << ""
                               << "";
    }
    void trocaAcento()
    {
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        QCOMPARE(F().TrocaAcento(texto), esperado);
    }

    void retiraCaracteres_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<TCaracteres>("classes");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("simbolos e acentos")
            << u"Olá, José!"_qs << TCaracteres{ccSimbolos, ccAlfa} << "Ola Jose";
        QTest::newRow("alfa com normais")
            << u"Olá, José! Ação"_qs << TCaracteres{ccAlfa, ccNormais} << "l, Js! ";
        QTest::newRow("so normais") << "aeiou cyn AEIOU CYN bd" << TCaracteres{ccNormais} << "    bd";
        QTest::newRow("especiais") << u"a&b;c©d"_qs << TCaracteres{ccEspeciais} << "abcd";
        QTest::newRow("perigosos") << "a'b\"c<d>e/f" << TCaracteres{ccSimbolosPerigosos} << "abcde/f";
        // A stage that removes everything leaves nothing for the next one to bring back.
        QTest::newRow("tudo simbolo") << "%%%" << TCaracteres{ccSimbolos, ccAlfa} << "";
        QTest::newRow("especiais e perigosos")
            << "&&&" << TCaracteres{ccEspeciais, ccSimbolosPerigosos, ccAlfa} << "";
        QTest::newRow("conjunto vazio da vazio") << u"Olá!"_qs << TCaracteres{} << "";
        QTest::newRow("conjunto vazio, texto vazio") << "" << TCaracteres{} << "";
        QTest::newRow("vazio") << "" << TCaracteres{ccSimbolos} << "";
    }
    void retiraCaracteres()
    {
        QFETCH(QString, texto);
        QFETCH(TCaracteres, classes);
        QFETCH(QString, esperado);
        QCOMPARE(F().RetiraCaracteres(texto, classes), esperado);
    }

    void isCaractere_data()
    {
        QTest::addColumn<QChar>("caractere");
        QTest::addColumn<TCaracteres>("classes");
        QTest::addColumn<bool>("esperado");
        QTest::addColumn<QChar>("depois");
        QTest::newRow("especial") << QChar(u'&') << TCaracteres{ccEspeciais} << true << QChar(u'&');
        QTest::newRow("simbolo") << QChar(u'/') << TCaracteres{ccSimbolos} << true << QChar(u'/');
        QTest::newRow("simbolo fora da classe")
            << QChar(u'/') << TCaracteres{ccEspeciais} << false << QChar(u'/');
        QTest::newRow("acento trocado") << QChar(u'\u00E9') << TCaracteres{ccAlfa} << false << QChar(u'e');
        QTest::newRow("acento com normais")
            << QChar(u'\u00E9') << TCaracteres{ccAlfa, ccNormais} << true << QChar(u'\u00E9');
        QTest::newRow("normal") << QChar(u'c') << TCaracteres{ccNormais} << true << QChar(u'c');
        QTest::newRow("nao normal") << QChar(u'b') << TCaracteres{ccNormais} << false << QChar(u'b');
        QTest::newRow("perigoso nao conta")
            << QChar(u'$') << TCaracteres{ccSimbolosPerigosos} << false << QChar(u'$');
        QTest::newRow("conjunto vazio") << QChar(u'&') << TCaracteres{} << false << QChar(u'&');
    }
    void isCaractere()
    {
        QFETCH(QChar, caractere);
        QFETCH(TCaracteres, classes);
        QFETCH(bool, esperado);
        QFETCH(QChar, depois);
        QChar x = caractere;
        QCOMPARE(F().IsCaractere(x, classes), esperado);
        QCOMPARE(x, depois);
    }

    void removeCaracteresEspeciais_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("tudo") << u"  São  Paulo & <Cia>  "_qs << "Sao Paulo  Cia";
        QTest::newRow("so perigosos") << "&&&"
                                      << "";
        QTest::newRow("vazio") << ""
                               << "";
        QTest::newRow("simbolos comuns ficam") << "a-b/c"
                                               << "a-b/c";
    }
    void removeCaracteresEspeciais()
    {
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        QCOMPARE(F().RemoveCaracteresEspeciais(texto), esperado);
    }

    void eliminaEspacoDuplo_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("brancos") << "  a   b  "
                                 << "a b ";
        QTest::newRow("tab copiado") << "a\t\tb"
                                     << "a\t\tb";
        QTest::newRow("so brancos") << "    "
                                    << "";
        QTest::newRow("vazio") << ""
                               << "";
        QTest::newRow("simples") << "a b"
                                 << "a b";
    }
    void eliminaEspacoDuplo()
    {
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        QCOMPARE(F().EliminaEspacoDuplo(texto), esperado);
    }

    void numeros()
    {
        QCOMPARE(F().SoNumero(QStringLiteral("12.345.678/0001-95")), QStringLiteral("12345678000195"));
        QCOMPARE(F().SoNumero(u"a١b"_qs), QString()); // other scripts' digits are not "0"-"9"
        QCOMPARE(F().SoNumero(QString()), QString());
        QVERIFY(F().isNumero(QString(300, u'7')));
        QVERIFY(!F().isNumero(QString(299, u'7') + u'x'));
        QVERIFY(F().isNumero(QString()));
        QVERIFY(!F().isNumero(QStringLiteral("-1")));
        QVERIFY(!F().isNumero(QStringLiteral(" 1")));
    }

    void retiraZeroAEsquerda_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("zeros") << "000123"
                               << "123";
        QTest::newRow("negativo") << "-007"
                                  << "-7";
        QTest::newRow("hexadecimal") << "$1F"
                                     << "31";
        QTest::newRow("zero") << "0000"
                              << "0";
        QTest::newRow("nao numero") << "12a"
                                    << "";
        QTest::newRow("vazio") << ""
                               << "";
        QTest::newRow("64 bits") << "09223372036854775807"
                                 << "9223372036854775807";
        QTest::newRow("alem de 64 bits") << "9223372036854775808"
                                         << "";
    }
    void retiraZeroAEsquerda()
    {
        QFETCH(QString, numero);
        QFETCH(QString, esperado);
        QCOMPARE(F().RetiraZeroAEsquerda(numero), esperado);
    }

    void converteEspecialXMLToStr_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("decimais e amp") << "&#65;&#66;&amp;"
                                        << "AB&&";
        QTest::newRow("hexadecimal x") << "&#x41;"
                                       << "A";
        QTest::newRow("hexadecimal $") << "&#$41;"
                                       << "A";
        QTest::newRow("quot sem ponto e virgula") << "&quot;"
                                                  << "\";";
        QTest::newRow("ponto e virgula antes") << "x;&#65;"
                                               << "x;&#65;";
        QTest::newRow("sem ponto e virgula") << "&#65"
                                             << "&#65";
        QTest::newRow("sem numero") << "&#;"
                                    << "&#;";
        QTest::newRow("lixo no numero") << "&#6a;&lt;"
                                        << "&#6a;&lt;";
        QTest::newRow("fora de 16 bits") << "&#65536;"
                                         << "&#65536;";
        QTest::newRow("negativo") << "&#-1;"
                                  << "&#-1;";
        QTest::newRow("todas as ocorrencias") << "&#65;x&#65;"
                                              << "AxA";
        QTest::newRow("acento") << "S&#227;o" << u"São"_qs;
        QTest::newRow("lt gt") << "&lt;a&gt;"
                               << "<a>";
        QTest::newRow("referencia formada na troca") << "&#38;#65;"
                                                     << "A";
        QTest::newRow("vazio") << ""
                               << "";
    }
    void converteEspecialXMLToStr()
    {
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        QCOMPARE(F().ConverteEspecialXMLToStr(texto), esperado);
    }

    void adicionaQuebraLinha_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("largura");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("multiplo exato") << "abcdef" << 3 << "abc\r\ndef\r\n";
        QTest::newRow("sobra") << "abcde" << 3 << "abc\r\nde";
        QTest::newRow("curto") << "ab" << 3 << "ab";
        QTest::newRow("zero") << "abc" << 0 << "abc";
        QTest::newRow("negativo") << "abc" << -1 << "abc";
        QTest::newRow("vazio") << "" << 2 << "";
    }
    void adicionaQuebraLinha()
    {
        QFETCH(QString, texto);
        QFETCH(int, largura);
        QFETCH(QString, esperado);
        QCOMPARE(F().AdicionaQuebraLinha(texto, largura), esperado);
    }

    void troca_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("anterior");
        QTest::addColumn<QString>("novo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("todas") << "a.b.c"
                               << "."
                               << ","
                               << "a,b,c";
        QTest::newRow("sem sobrepor") << "aaaa"
                                      << "aa"
                                      << "b"
                                      << "bb";
        QTest::newRow("maiusculas diferem") << "Aa"
                                            << "a"
                                            << "x"
                                            << "Ax";
        QTest::newRow("anterior vazio") << "abc"
                                        << ""
                                        << "x"
                                        << "abc";
        QTest::newRow("novo contem anterior") << "ab"
                                              << "a"
                                              << "aa"
                                              << "aab";
    }
    void troca()
    {
        QFETCH(QString, texto);
        QFETCH(QString, anterior);
        QFETCH(QString, novo);
        QFETCH(QString, esperado);
        QCOMPARE(F().Troca(texto, anterior, novo), esperado);
    }

    void posLast_data()
    {
        QTest::addColumn<QByteArray>("sub");
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<int>("esperado");
        QTest::newRow("barra") << QByteArray("/") << QByteArray("a/b/c") << 4;
        QTest::newRow("sobreposta") << QByteArray("aaa") << QByteArray("aaaa") << 2;
        QTest::newRow("nenhuma") << QByteArray("x") << QByteArray("abc") << 0;
        QTest::newRow("sub vazia") << QByteArray() << QByteArray("abc") << 0;
        QTest::newRow("no inicio") << QByteArray("ab") << QByteArray("abc") << 1;
    }
    void posLast()
    {
        QFETCH(QByteArray, sub);
        QFETCH(QByteArray, texto);
        QFETCH(int, esperado);
        QCOMPARE(F().PosLast(sub, texto), esperado);
    }

    void retornarConteudoEntre_data()
    {
        QTest::addColumn<QString>("frase");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fim");
        QTest::addColumn<bool>("inclui");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("entre") << "<a>x</a>"
                               << "<a>"
                               << "</a>" << false << "x";
        QTest::newRow("incluindo") << "<a>x</a>"
                                   << "<a>"
                                   << "</a>" << true << "<a>x</a>";
        QTest::newRow("sem inicio") << "<a>x</a>"
                                    << "<b>"
                                    << "</a>" << false << "";
        QTest::newRow("sem fim") << "<a>x"
                                 << "<a>"
                                 << "</a>" << false << "";
        QTest::newRow("sem fim incluindo") << "<a>x"
                                           << "<a>"
                                           << "</a>" << true << "";
        QTest::newRow("fim antes do inicio") << "</a><a>x"
                                             << "<a>"
                                             << "</a>" << true << "";
        QTest::newRow("primeiro fim") << "[1]2]"
                                      << "["
                                      << "]" << false << "1";
        QTest::newRow("fim dentro do inicio nao conta") << "<a>x</a>"
                                                        << "<a>"
                                                        << "a>" << true << "<a>x</a>";
        QTest::newRow("vazio entre") << "<a></a>"
                                     << "<a>"
                                     << "</a>" << false << "";
    }
    void retornarConteudoEntre()
    {
        QFETCH(QString, frase);
        QFETCH(QString, inicio);
        QFETCH(QString, fim);
        QFETCH(bool, inclui);
        QFETCH(QString, esperado);
        QCOMPARE(F().RetornarConteudoEntre(frase, inicio, fim, inclui), esperado);
    }

    void iif()
    {
        QCOMPARE(F().IIF(true, 1, 2), 1);
        QCOMPARE(F().IIF(false, QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("b"));
        QCOMPARE(F().IIF(false, 1, 2.5), 2.5);
    }

    void reduzTamanhoPatchFile_data()
    {
        QTest::addColumn<QString>("caminho");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("cabe com folga") << "C:\\a\\b.txt" << 7 << "C:\\a\\b.txt";
        QTest::newRow("reduzido") << "C:\\pasta\\longa\\arquivo.xml" << 20 << "C:\\pas..\\arquivo.xml";
        QTest::newRow("cauda maior") << "C:\\pasta\\longa\\arquivo.xml" << 10 << "..\\arquivo.xml";
        QTest::newRow("barra comum") << "C:/pasta/longa/arquivo.xml" << 20 << "C:/pas..\\arquivo.xml";
    }
    void reduzTamanhoPatchFile()
    {
        QFETCH(QString, caminho);
        QFETCH(int, tamanho);
        QFETCH(QString, esperado);
        const QString xReduzido = F().ReduzTamanhoPatchFile(caminho, tamanho);
        QCOMPARE(xReduzido, esperado);
        QVERIFY(xReduzido == caminho || xReduzido.size() == tamanho || xReduzido.startsWith(u".."));
    }

    void extractFileNameFromURL_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("barras") << "pasta/sub/f.xml"
                                << "f.xml";
        QTest::newRow("dois pontos") << "c:f.xml"
                                     << "f.xml";
        QTest::newRow("url") << "http://host:80/a/b.zip"
                             << "b.zip";
        QTest::newRow("sem separador") << "f.xml"
                                       << "f.xml";
        QTest::newRow("termina em barra") << "a/"
                                          << "";
    }
    void extractFileNameFromURL()
    {
        QFETCH(QString, url);
        QFETCH(QString, esperado);
        QCOMPARE(F().ExtractFileNameFromURL(url), esperado);
    }
};

QTEST_GUILESS_MAIN(TstTexto)
#include "tst_Texto.moc"
