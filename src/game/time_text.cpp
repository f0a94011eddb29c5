#include "game/time_text.h"

namespace game {

std::string TimeText(int seconds) {
  if (seconds < 0) seconds = 0;
  const int minutes = seconds / 60;
  const int rest = seconds % 60;
  std::string text = std::to_string(minutes);
  if (text.size() < 2) text.insert(0, 1, '0');
  text += ':';
  text += static_cast<char>('0' + rest / 10);
  text += static_cast<char>('0' + rest % 10);
  return text;
}

}  // namespace game
