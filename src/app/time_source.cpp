#include "app/time_source.h"

#include <QDateTime>
#include <QTime>

namespace app {

TimeSource::TimeSource() { clock_.start(); }

std::uint32_t TimeSource::TickCount() {
  // Wraps at 2^32 like a 32-bit tick counter; the engine uses differences.
  return static_cast<std::uint32_t>(clock_.elapsed());
}

game::TimeOfDay TimeSource::UtcTimeOfDay() {
  const QTime now = QDateTime::currentDateTimeUtc().time();
  return {now.hour(), now.minute(), now.second(), now.msec()};
}

}  // namespace app
