#pragma once
// The background music as the player sees it: the list of pieces in the
// "Musics" folder and its menu check mark, the "Play music", "Random Music",
// "Play sound effects" and "Run music automatically at startup" toggles, the
// toolbar's "Music" (pause) button, and the end-of-piece check that loops the
// current piece or moves to a random one when it ends. The sound itself comes
// from a MusicDevice; nothing here knows how it is made.

#include <set>
#include <string>
#include <vector>

#include "board/generator.h"
#include "base/texts.h"
#include "game/options.h"
#include "game/ports.h"

namespace game {

// What the music logic tells the window.
class MusicNotices {
 public:
  virtual ~MusicNotices() = default;
  // A text for the scrolling status line (the device's error on start-up, a
  // piece that cannot be played without the player's asking).
  virtual void ShowMusicStatus(const std::string& text) = 0;
  // A message box: "No MCI device open" when the player asks for music and
  // there is no device; a piece the player asked for that cannot be played.
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
  static constexpr const char* kNothingPlayableText =
      SORAMI_TEXT_NOOP("Music", "None of the music pieces can be played: the music stops.");

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
  void ChoosePiece(int piece);          // a piece entry of the music menu
  void SelectedMusic(const std::string& file);
  void TogglePlayMusic();                  // "Play music"
  void ToggleRandomMusic();                // "Random Music"
  void TogglePlaySounds();                 // "Play sound effects"
  void ToggleStartMusic();                 // "Run music automatically at startup"
  void PauseOrResumeMusic();                   // toolbar "Music": pause / resume
  void OnPieceEnded();                     // the device's end-of-play notice

  // Run by every 50 ms timer tick while "Play music" is on: routes a pending
  // end-of-play notice to OnPieceEnded, then restarts or changes the piece
  // when it has ended.
  void EndOfPieceCheck();

 private:
  enum class Outcome {
    Played,
    NotTried,  // music off, or no device
    Missing,   // no such file
    Refused,   // the device cannot play the file (ErrorText says why)
  };
  Outcome RunEntry(int piece, bool playerAsked);
  Outcome PlayPieceFile(const std::string& file, bool playerAsked);
  // The current piece; with "Random Music" on, as PlayFromPiece.
  void PlayCurrentPiece(bool playerAsked);
  // Plays piece `first`, or with "Random Music" the next one in the list that
  // can be played: a piece the device refuses is named once in the status
  // line and skipped from then on. When none can be played the music stops
  // with kNothingPlayableText.
  void PlayFromPiece(int first, bool playerAsked);
  // A piece the device refused: a message box with the whole path for the
  // player who asked for it, else the status line with the file's name.
  void ReportUnplayable(const std::string& file, bool playerAsked);
  std::string FullErrorText(const std::string& file) const;
  std::string ShortErrorText(const std::string& file) const;
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
  // Pieces the device refused in this run (1-based); random play skips them.
  std::set<int> unplayable_;
};

}  // namespace game
