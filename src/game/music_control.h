#pragma once
// The background music as the player sees it: the list of pieces in the
// "Musics" folder and its menu check mark, the "Play music", "Random Music",
// "Play sound effects" and "Run music automatically at startup" toggles, the
// toolbar's "Music" (pause) button, and the end-of-piece check that loops the
// current piece or moves to a random one when it ends. The sound itself comes
// from a MusicDevice; nothing here knows how it is made.

#include <string>
#include <vector>

#include "board/generator.h"
#include "board/texts.h"
#include "game/options.h"
#include "game/ports.h"

namespace game {

// What the music logic tells the window.
class MusicNotices {
 public:
  virtual ~MusicNotices() = default;
  // A text for the scrolling status line (the device's error on start-up).
  virtual void ShowMusicStatus(const std::string& text) = 0;
  // A message box: "No MCI device open" when the player asks for music and
  // there is no device.
  virtual void TellMusicError(const std::string& text) = 0;
  // The check mark of the music menu or the "Music" button's enabled state
  // may have changed; the window refreshes them from MusicControl.
  virtual void MusicStateChanged() = 0;
};

// One entry of the music menu: its caption (the file name without ".mid")
// and the file's full path.
struct MusicPiece {
  std::string Name;
  std::string File;
};

class MusicControl {
 public:
  static constexpr const char* kNoDeviceText = SORAMI_TEXT_NOOP("Music", "No MCI device open");
  static constexpr const char* kDefaultPiece = "Night";

  MusicControl(MusicDevice& device, Options& options, board::Generator& generator,
               MusicNotices* notices = nullptr);

  // Where the window hears about errors and check marks (may be null).
  MusicNotices* Notices = nullptr;

  // The program's folder with its trailing separator.
  std::string ProgramDir;
  // The pieces in menu order; piece k (1-based) is Pieces[k - 1].
  std::vector<MusicPiece> Pieces;
  // The current piece, 1..MusicCount() once the list is loaded; the settings
  // file stores it and -1 there asks for the piece named "Night".
  int MidiNumber = -1;
  // The piece whose menu entry carries the check mark; 0 before any piece
  // has been chosen.
  int CheckedPiece = 0;
  // The toolbar's "Music" button: enabled exactly while "Play music" is on.
  bool MusicButtonEnabled = false;

  int MusicCount() const { return static_cast<int>(Pieces.size()); }

  // Lists the ".mid" files of a folder (any letter case of the extension,
  // directories skipped), sorted by name ignoring letter case.
  static std::vector<MusicPiece> ListPieces(const std::string& musicsDir);
  // The stored piece number made valid for the list: -1 becomes the piece
  // named exactly "Night" when there is one, then the number is held within
  // 1..count (0 when the list is empty).
  static int ValidMidiNumber(int stored, const std::vector<MusicPiece>& pieces);

  // Start-up, filling the lists: scans ProgramDir + "Musics/" and makes
  // MidiNumber valid. Returns MusicCount(); 0 means the program cannot start.
  // The pieces of the player's own `userMusicsDir` (when given) follow the
  // shipped ones.
  int LoadMusicList(const std::string& programDir, const std::string& userMusicsDir = {});

  // Start-up steps 21 and 22: with "Play music" on, open the device and
  // enable the "Music" button; then choose the current piece in every case,
  // which plays it when music is on.
  void StartupMusic();

  // Commands.
  void LoadMidiClick(int piece);          // a piece entry of the music menu
  void SelectedMusic(const std::string& file);
  void PlayMusicClick();                  // "Play music"
  void RandomMusicClick();                // "Random Music"
  void PlaySoundsClick();                 // "Play sound effects"
  void StartMusicClick();                 // "Run music automatically at startup"
  void SetMusicClick();                   // toolbar "Music": pause / resume
  void MediaNotify();                     // the device's end-of-play notice

  // Run by every 50 ms timer tick while "Play music" is on: routes a pending
  // end-of-play notice to MediaNotify, then restarts or changes the piece
  // when it has ended.
  void EndOfPieceCheck();

 private:
  void RunEntry(int piece, bool playerAsked);
  void PlayPieceFile(const std::string& file, bool playerAsked);
  bool OpenDevice(bool playerAsked);
  void CheckPieceEnded();
  void PlayRandomPiece(bool playerAsked);
  void ReportNoDevice();
  void Status(const std::string& text);
  void Changed();

  MusicDevice& device_;
  Options& options_;
  board::Generator& generator_;
  // The device's own error text is shown once, in the status line; after
  // that a player's request without a device says "No MCI device open".
  bool deviceErrorShown_ = false;
};

}  // namespace game
