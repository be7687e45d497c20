#pragma once

#include <QDate>
#include <QDateTime>
#include <functional>

// The one clock the program reads ("today" of the filters, the log's time stamps and day change).
// Tests replace it to fix the date; any thread may read it.
namespace Clock {

QDateTime Agora(); // local date and time
QDate Hoje();      // local date

// Replaces the clock; an empty function restores the system clock.
void DefineRelogio(std::function<QDateTime()> pRelogio);

} // namespace Clock
