#include "util/Clock.h"

#include <mutex>

namespace {
std::mutex MRelogioMutex;
std::function<QDateTime()> MRelogio;
} // namespace

namespace Clock {

QDateTime Agora()
{
    {
        std::lock_guard lock(MRelogioMutex);
        if (MRelogio)
            return MRelogio();
    }
    return QDateTime::currentDateTime();
}

QDate Hoje() { return Agora().date(); }

void DefineRelogio(std::function<QDateTime()> pRelogio)
{
    std::lock_guard lock(MRelogioMutex);
    MRelogio = std::move(pRelogio);
}

} // namespace Clock
