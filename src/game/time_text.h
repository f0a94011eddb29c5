#pragma once
// The game's way of showing a count of seconds: minutes and seconds, two
// digits each, separated by a colon ("05:00" for 300 seconds). Used by the
// clock field, the hall-of-fame panel and the hall-of-fame list.

#include <string>

namespace game {

// "mm:ss" for 0 <= seconds < 6000. From 100 minutes on the minutes take as
// many digits as they need ("100:00"); a negative count shows as "00:00".
std::string TimeText(int seconds);

}  // namespace game
