#include "game/music_control.h"

#include <algorithm>
#include <cctype>

#include "base/file_io.h"

namespace game {

namespace {

// Compares two names letter by letter, ignoring the case of ASCII letters.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

}  // namespace

MusicControl::MusicControl(MusicDevice& device, Options& options, board::Generator& generator,
                           MusicNotices* notices)
    : Notices(notices), device_(device), options_(options), generator_(generator) {}

std::vector<MusicPiece> MusicControl::ListPieces(const std::string& musicsDir) {
  std::vector<MusicPiece> pieces;
  for (const std::string& name : base::ListFiles(musicsDir, ".mid"))
    pieces.push_back({name.substr(0, name.size() - 4), base::JoinPath(musicsDir, name)});
  // Names equal but for letter case keep a fixed order (the exact bytes), so
  // the menu does not depend on the directory's order.
  std::sort(pieces.begin(), pieces.end(), [](const MusicPiece& a, const MusicPiece& b) {
    if (LessIgnoringCase(a.Name, b.Name)) return true;
    if (LessIgnoringCase(b.Name, a.Name)) return false;
    return a.Name < b.Name;
  });
  return pieces;
}

int MusicControl::ValidMidiNumber(int stored, const std::vector<MusicPiece>& pieces) {
  const int count = static_cast<int>(pieces.size());
  if (count == 0) return 0;
  int number = stored;
  if (number == -1) {
    for (int k = 0; k < count; ++k) {
      if (pieces[k].Name == kDefaultPiece) {
        number = k + 1;
        break;
      }
    }
  }
  return std::clamp(number, 1, count);
}

int MusicControl::LoadMusicList(const std::string& programDir, const std::string& userMusicsDir) {
  ProgramDir = programDir;
  Pieces = ListPieces(programDir + "Musics/");
  if (!userMusicsDir.empty()) {
    std::vector<MusicPiece> own = ListPieces(userMusicsDir);
    Pieces.insert(Pieces.end(), own.begin(), own.end());
  }
  MidiNumber = ValidMidiNumber(MidiNumber, Pieces);
  CheckedPiece = 0;
  return MusicCount();
}

void MusicControl::StartupMusic() {
  if (options_.PlayMusic) OpenDevice(false);
  MusicButtonEnabled = options_.PlayMusic;
  PlayCurrentPiece(false);
  Changed();
}

void MusicControl::ChoosePiece(int piece) {
  if (RunEntry(piece, true) == Outcome::Refused) ReportUnplayable(Pieces[piece - 1].File, true);
}

void MusicControl::SelectedMusic(const std::string& file) {
  if (PlayPieceFile(file, true) == Outcome::Refused) ReportUnplayable(file, true);
}

MusicControl::Outcome MusicControl::RunEntry(int piece, bool playerAsked) {
  if (piece < 1 || piece > MusicCount()) return Outcome::NotTried;
  MidiNumber = piece;
  CheckedPiece = piece;
  Changed();
  const Outcome outcome = PlayPieceFile(Pieces[piece - 1].File, playerAsked);
  if (outcome == Outcome::Played) unplayable_.erase(piece);
  if (outcome == Outcome::Refused) unplayable_.insert(piece);
  return outcome;
}

MusicControl::Outcome MusicControl::PlayPieceFile(const std::string& file, bool playerAsked) {
  // Music switched off, or a missing file: the check mark has moved and the
  // device keeps what it was playing.
  if (!options_.PlayMusic) return Outcome::NotTried;
  if (!base::IsFile(file)) return Outcome::Missing;
  // Without a device only the player's own request tries to open it again
  // (start-up has just tried and said why it failed).
  if (!device_.IsOpen() && (!playerAsked || !OpenDevice(true))) return Outcome::NotTried;
  return device_.PlayFile(file) ? Outcome::Played : Outcome::Refused;
}

void MusicControl::PlayCurrentPiece(bool playerAsked) {
  if (options_.RandomMusic) {
    PlayFromPiece(MidiNumber, playerAsked);
  } else if (RunEntry(MidiNumber, playerAsked) == Outcome::Refused) {
    ReportUnplayable(Pieces[MidiNumber - 1].File, playerAsked);
  }
}

void MusicControl::PlayFromPiece(int first, bool playerAsked) {
  const int count = MusicCount();
  if (first < 1 || first > count) return;
  for (int k = 0; k < count; ++k) {
    const int piece = (first - 1 + k) % count + 1;
    // A piece the device refused in this run is said once, then skipped.
    if (unplayable_.contains(piece)) continue;
    switch (RunEntry(piece, playerAsked)) {
      case Outcome::Played:
      case Outcome::NotTried: return;
      case Outcome::Missing: break;
      case Outcome::Refused: Status(ShortErrorText(Pieces[piece - 1].File)); break;
    }
  }
  // Nothing in the list can be played: the check mark goes back to where the
  // search began, and the music stays silent until the player picks a piece.
  MidiNumber = first;
  CheckedPiece = first;
  Changed();
  device_.Stop();
  if (playerAsked && Notices) {
    Notices->TellMusicError(base::Translate("Music", kNothingPlayableText));
  } else {
    Status(base::Translate("Music", kNothingPlayableText));
  }
}

void MusicControl::ReportUnplayable(const std::string& file, bool playerAsked) {
  // The player who asked gets the whole path and reason in a message box; the
  // status line, much narrower, gets the file's name and the reason.
  if (playerAsked) {
    if (Notices) Notices->TellMusicError(FullErrorText(file));
  } else {
    Status(ShortErrorText(file));
  }
}

std::string MusicControl::FullErrorText(const std::string& file) const {
  const std::string text = device_.ErrorText();
  return text.empty() ? base::Format(base::Translate("Music", "Cannot play the music file %1."), {file}) : text;
}

std::string MusicControl::ShortErrorText(const std::string& file) const {
  // "Cannot play Broken.mid: <reason>": what follows the path, after the
  // file's name, so that the reason still fits the status line.
  const std::string text = FullErrorText(file);
  const std::size_t at = text.find(file);
  if (at == std::string::npos) return text;
  return base::Format(base::Translate("Music", "Cannot play %1%2"),
                       {base::FileNameOf(file), text.substr(at + file.size())});
}

bool MusicControl::OpenDevice(bool playerAsked) {
  if (device_.IsOpen()) return true;
  if (device_.Open()) return true;
  if (!deviceErrorShown_) {
    deviceErrorShown_ = true;
    const std::string text = device_.ErrorText();
    Status(text.empty() ? base::Translate("Music", kNoDeviceText) : text);
  } else if (playerAsked) {
    ReportNoDevice();
  }
  return false;
}

void MusicControl::TogglePlayMusic() {
  options_.PlayMusic = !options_.PlayMusic;
  MusicButtonEnabled = options_.PlayMusic;
  Changed();
  if (options_.PlayMusic) {
    if (OpenDevice(true)) PlayCurrentPiece(true);
  } else {
    device_.Stop();
  }
}

void MusicControl::ToggleRandomMusic() {
  options_.RandomMusic = !options_.RandomMusic;
  Changed();
  if (options_.RandomMusic) PlayRandomPiece(true);
}

void MusicControl::TogglePlaySounds() {
  options_.PlaySounds = !options_.PlaySounds;
  Changed();
}

void MusicControl::ToggleStartMusic() {
  options_.StartMusic = !options_.StartMusic;
  Changed();
}

void MusicControl::PauseOrResumeMusic() {
  if (!device_.IsOpen()) {
    ReportNoDevice();
    return;
  }
  if (device_.IsPlaying()) {
    device_.Pause();
  } else if (device_.IsPaused()) {
    device_.Resume();
  }
  Changed();
}

void MusicControl::OnPieceEnded() {
  CheckPieceEnded();
  // The device keeps its notices armed: nothing more to ask for here.
}

void MusicControl::EndOfPieceCheck() {
  if (!options_.PlayMusic || !device_.IsOpen()) return;
  if (device_.TakeEndNotice()) OnPieceEnded();
  CheckPieceEnded();
}

void MusicControl::CheckPieceEnded() {
  if (!device_.IsOpen()) return;
  const std::int64_t start = device_.StartPosition();
  const std::int64_t length = device_.Length();
  const std::int64_t position = device_.Position();
  // A device with no piece loaded has no length; it has not "ended".
  if (length <= 0 || position < start + length) return;
  if (options_.RandomMusic) {
    PlayRandomPiece(false);
  } else {
    device_.SeekToStart();
    device_.Play();
  }
}

void MusicControl::PlayRandomPiece(bool playerAsked) {
  if (MusicCount() == 0) return;
  // One draw; a piece that cannot be played gives way to the next one in
  // the list, so a damaged file never stops the music for good.
  const int r = static_cast<int>(generator_.NextRandom(static_cast<std::uint32_t>(MusicCount())));
  PlayFromPiece(r + 1, playerAsked);
}

void MusicControl::ReportNoDevice() {
  if (Notices) Notices->TellMusicError(base::Translate("Music", kNoDeviceText));
}

void MusicControl::Status(const std::string& text) {
  if (Notices && !text.empty()) Notices->ShowMusicStatus(text);
}

void MusicControl::Changed() {
  if (Notices) Notices->MusicStateChanged();
}

}  // namespace game
