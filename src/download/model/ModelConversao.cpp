#include "download/model/ModelConversao.h"

#include <QDate>

namespace {

const qint64 MS_POR_DIA = 86400000;
const qint64 DIA_JULIANO_1970 = 2440588; // 1970-01-01

bool Digito(char c)
{
    return c >= '0' && c <= '9';
}

// pQuantidade digits at pTexto[pPosicao...] as a number; false when one of them is not a digit.
bool LeDigitos(const char* pTexto, std::size_t pTamanho, std::size_t& pPosicao, int pQuantidade, int& pValor)
{
    if (pTamanho - pPosicao < std::size_t(pQuantidade))
        return false;
    pValor = 0;
    for (int i = 0; i < pQuantidade; ++i) {
        const char c = pTexto[pPosicao++];
        if (!Digito(c))
            return false;
        pValor = pValor * 10 + (c - '0');
    }
    return true;
}

bool Consome(const char* pTexto, std::size_t pTamanho, std::size_t& pPosicao, char pEsperado)
{
    if (pPosicao >= pTamanho || pTexto[pPosicao] != pEsperado)
        return false;
    ++pPosicao;
    return true;
}

} // namespace

qint32 TModelConversao::Inteiro(const char* pTexto, std::size_t pTamanho)
{
    std::size_t i = 0;
    bool xNegativo = false;
    if (pTamanho > 0 && (pTexto[0] == '+' || pTexto[0] == '-')) {
        xNegativo = pTexto[0] == '-';
        i = 1;
    }
    if (i == pTamanho)
        return 0;
    const qint64 xLimite = xNegativo ? qint64(2147483648LL) : qint64(2147483647LL);
    qint64 xValor = 0;
    for (; i < pTamanho; ++i) {
        if (!Digito(pTexto[i]))
            return 0;
        xValor = xValor * 10 + (pTexto[i] - '0');
        if (xValor > xLimite)
            return 0;
    }
    return qint32(xNegativo ? -xValor : xValor);
}

std::optional<QDateTime> TModelConversao::DataHora(const char* pTexto, std::size_t pTamanho)
{
    std::size_t p = 0;
    int xAno, xMes, xDia, xHora, xMinuto, xSegundo;
    if (!LeDigitos(pTexto, pTamanho, p, 4, xAno) || !Consome(pTexto, pTamanho, p, '-') ||
        !LeDigitos(pTexto, pTamanho, p, 2, xMes) || !Consome(pTexto, pTamanho, p, '-') ||
        !LeDigitos(pTexto, pTamanho, p, 2, xDia) || !Consome(pTexto, pTamanho, p, 'T') ||
        !LeDigitos(pTexto, pTamanho, p, 2, xHora) || !Consome(pTexto, pTamanho, p, ':') ||
        !LeDigitos(pTexto, pTamanho, p, 2, xMinuto) || !Consome(pTexto, pTamanho, p, ':') ||
        !LeDigitos(pTexto, pTamanho, p, 2, xSegundo))
        return std::nullopt;

    int xMilissegundos = 0;
    bool xFracaoNula = true;
    if (Consome(pTexto, pTamanho, p, '.')) {
        const std::size_t xInicio = p;
        int xPeso = 100;
        for (; p < pTamanho && Digito(pTexto[p]); ++p) {
            xMilissegundos += (pTexto[p] - '0') * xPeso;
            xPeso /= 10;
            xFracaoNula = xFracaoNula && pTexto[p] == '0';
        }
        if (p == xInicio)
            return std::nullopt;
    }

    int xDeslocamentoMinutos = 0;
    if (p < pTamanho) {
        const char xSinal = pTexto[p++];
        if (xSinal == 'Z') {
            // UTC
        } else if (xSinal == '+' || xSinal == '-') {
            int xHoras, xMinutos = 0;
            if (!LeDigitos(pTexto, pTamanho, p, 2, xHoras))
                return std::nullopt;
            if (p < pTamanho) {
                Consome(pTexto, pTamanho, p, ':');
                if (!LeDigitos(pTexto, pTamanho, p, 2, xMinutos))
                    return std::nullopt;
            }
            if (xHoras > 23 || xMinutos > 59)
                return std::nullopt;
            xDeslocamentoMinutos = (xHoras * 60 + xMinutos) * (xSinal == '-' ? -1 : 1);
        } else {
            return std::nullopt;
        }
    }
    if (p != pTamanho)
        return std::nullopt;

    const QDate xData(xAno, xMes, xDia);
    if (xAno < 1 || !xData.isValid() || xMinuto > 59 || xSegundo > 60)
        return std::nullopt;
    if (xHora > 24 || (xHora == 24 && (xMinuto != 0 || xSegundo != 0 || !xFracaoNula)))
        return std::nullopt;

    // Plain arithmetic on milliseconds carries hour 24 into the next day and second 60 into the
    // next minute.
    const qint64 xMs = (xData.toJulianDay() - DIA_JULIANO_1970) * MS_POR_DIA + xHora * qint64(3600000) +
                       xMinuto * qint64(60000) + xSegundo * qint64(1000) + xMilissegundos -
                       xDeslocamentoMinutos * qint64(60000);
    QDateTime xResultado = QDateTime::fromMSecsSinceEpoch(xMs, Qt::UTC);
    const int xAnoUtc = xResultado.date().year();
    if (xAnoUtc < 1 || xAnoUtc > 9999)
        return std::nullopt;
    return xResultado;
}

QByteArray TModelConversao::TextoDataHora(const QDateTime& pDataHora)
{
    return pDataHora.toUTC().toString(Qt::ISODateWithMs).toLatin1();
}
