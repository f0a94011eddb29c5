#pragma once
// The engine's clock: a monotonic millisecond tick and the UTC time of day.

#include <QElapsedTimer>

#include "game/ports.h"

namespace app {

class TimeSource final : public game::TimePort {
 public:
  TimeSource();
  std::uint32_t TickCount() override;
  game::TimeOfDay UtcTimeOfDay() override;

 private:
  QElapsedTimer clock_;
};

}  // namespace app
