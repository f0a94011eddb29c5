#pragma once
// The engine's ports: what the game core asks of the world. Implemented by the
// window (app/), the view (view/) and the audio devices (audio/), and by fakes
// in the tests. Each is the least the core needs.

#include <cstdint>
#include <optional>
#include <string>

namespace game {

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

class TimePort {
 public:
  virtual ~TimePort() = default;
  // Milliseconds since some fixed start, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  // The current UTC time of day (for seeding the generator).
  virtual TimeOfDay UtcTimeOfDay() = 0;
};

// The pages of the help and options window, in tab order.
enum class HelpPage { Help, WhatsNew, About, French, Tiles, Options, HallOfFame };

class ScreenPort {
 public:
  virtual ~ScreenPort() = default;
  // Recompose BoardBuffer (whole, or the 46 x 56 picture area of one tile
  // place, given by its anchor) from the engine's state and copy it to the
  // screen. The engine has already decided that drawing is due.
  virtual void PaintBoard() = 0;
  virtual void PaintTileArea(int x, int y, int z) = 0;
  // Show the bare background (BackgroundBuffer) in place of the board.
  virtual void ShowBackground() = 0;
  // Copy BackgroundBuffer into BoardBuffer (start of a game).
  virtual void ClearBoardBuffer() = 0;
  // Repaint the window at once (animations mid-command).
  virtual void UpdateNow() = 0;
  // The side panel: compose and show it from the engine's state.
  virtual void ShowHallPanel() = 0;
  // Copy the composed side panel (HallPanelPicture) onto the visible one (HallPanelBox).
  virtual void RedrawHallPanel() {}
  // Two-player banner in the side panel, once per tick in mode 2.
  virtual void PaintBanner() = 0;
  // Tile preview of "Show Current Tile" (0 = empty box).
  virtual void ShowCurrentTile(int tile) = 0;
  // The three counter fields and the status text.
  virtual void ShowCounters(const std::string& tiles, const std::string& moves,
                            const std::string& time) = 0;
  virtual void ShowStatusText(const std::string& text) = 0;
  // Captions of the pause entry and button follow the paused state.
  virtual void SetPauseCaptions(bool paused) = 0;
  // Modal message boxes. Ask returns true for OK.
  virtual bool Ask(const std::string& title, const std::string& text) = 0;
  virtual void Tell(const std::string& title, const std::string& text) = 0;
  // File dialogs; nullopt when cancelled. filter is "Desc (*.x)|*.x".
  virtual std::optional<std::string> OpenFileDialog(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& dir) = 0;
  virtual std::optional<std::string> SaveFileDialog(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& dir) = 0;
  // Open the help window on a page (modal); the engine pauses around it.
  virtual void OpenHelp(HelpPage page) = 0;
};

// The MIDI sequencer device. Positions and lengths are in the device's ticks.
class MusicDevice {
 public:
  virtual ~MusicDevice() = default;
  virtual bool IsOpen() const = 0;
  // Open the bare device; false with ErrorText() set when that fails.
  virtual bool Open() = 0;
  // Close, load the file and play it from the start; false when the file
  // cannot be loaded (nothing is then loaded).
  virtual bool PlayFile(const std::string& path) = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  virtual void Stop() = 0;
  virtual void SeekToStart() = 0;
  virtual bool IsPlaying() const = 0;
  virtual bool IsPaused() const = 0;
  virtual std::int64_t StartPosition() const = 0;
  virtual std::int64_t Length() const = 0;
  virtual std::int64_t Position() const = 0;
  // Ask for an end-of-play notice; returns true once when the piece has
  // really ended since the last call (not after a stop or a pause).
  virtual bool TakeEndNotice() = 0;
  virtual std::string ErrorText() const = 0;
};

class SoundPort {
 public:
  virtual ~SoundPort() = default;
  // Play ProgramDir + name + ".wav" asynchronously; a new effect cuts off the
  // one still playing. The engine only calls it while effects are on.
  virtual void PlaySound(const std::string& name) = 0;
};

}  // namespace game
