#include "sistema/Retentativa.h"

#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<qint64> MMaiorEspera{0};

void RegistraEspera(qint64 pMs)
{
    qint64 xAtual = MMaiorEspera.load();
    while (pMs > xAtual && !MMaiorEspera.compare_exchange_weak(xAtual, pMs)) {
    }
}

} // namespace

TErroSistema RepeteEnquantoOcupado(const std::function<TErroSistema()>& pOperacao)
{
    TErroSistema xErro = pOperacao();
    if (!xErro.Transitorio())
        return xErro;
    QElapsedTimer xRelogio;
    xRelogio.start();
    int xPausaMs = 10;
    while (xErro.Transitorio() && xRelogio.elapsed() < ESPERA_MAXIMA_OCUPADO_MS) {
        const qint64 xResta = ESPERA_MAXIMA_OCUPADO_MS - xRelogio.elapsed();
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max<qint64>(1, std::min<qint64>(xPausaMs, xResta))));
        xPausaMs = std::min(xPausaMs * 2, 200);
        xErro = pOperacao();
    }
    RegistraEspera(xRelogio.elapsed());
    return xErro;
}

qint64 MaiorEsperaOcupado()
{
    return MMaiorEspera.load();
}
