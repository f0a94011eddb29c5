#include "view/looks.h"

#include <algorithm>
#include <utility>

#include "base/file_io.h"
#include "base/texts.h"
#include "view/picture_file.h"
#include "view/raster.h"
#include "view/tileset_layout.h"

namespace view {
namespace {

constexpr const char* TilesetTitle = SORAMI_TEXT_NOOP("Looks", "Please choose a Tileset bitmap file");
constexpr const char* TilesetFilter = SORAMI_TEXT_NOOP("Looks", "Tileset files (*.bmp; *.jpg)|*.bmp;*.jpg");
constexpr const char* BackgroundTitle = SORAMI_TEXT_NOOP("Looks", "Please choose a Background bitmap file");
constexpr const char* BackgroundFilter = SORAMI_TEXT_NOOP("Looks", "Background files (*.bmp; *.jpg)|*.bmp;*.jpg");

using base::Exists;

}  // namespace

Looks::Looks(BoardView& view, LooksHost& host, std::string programDir)
    : view_(view), host_(host), programDir_(std::move(programDir)) {}

const char* Looks::FileOf(TilesetItem item) {
  switch (item) {
    case TilesetItem::Classic:
      return "Tilesets/pai.bmp";
    case TilesetItem::Dark:
      return "Tilesets/darkpai.bmp";
    case TilesetItem::Blue:
      return "Tilesets/bluepai.bmp";
    case TilesetItem::LowColour:
      return "Tilesets/pai256.bmp";
    case TilesetItem::FromFile:
      break;
  }
  return "";
}

const char* Looks::FileOf(BackgroundItem item) {
  switch (item) {
    case BackgroundItem::Kanji:
      return "Backgrounds/kanji.bmp";
    case BackgroundItem::Dragons:
      return "Backgrounds/dragons.bmp";
    case BackgroundItem::Andromeda:
      return "Backgrounds/andromeda.jpg";
    case BackgroundItem::Catpats:
      return "Backgrounds/catpats.jpg";
    case BackgroundItem::None:
    case BackgroundItem::FromFile:
      break;
  }
  return "";
}

int Looks::TilesetCode() const {
  for (int code = 0; code <= 3; ++code)
    if (tilesetTicks_[code]) return code;
  return 4;
}

int Looks::BackgroundCode() const {
  for (int code : {0, 1, 2, 4, 5})
    if (backgroundTicks_[code]) return code;
  return 3;
}

void Looks::SetTilesetCode(int code) {
  for (int i = 0; i < static_cast<int>(tilesetTicks_.size()); ++i) tilesetTicks_[i] = i == code;
}

void Looks::SetBackgroundCode(int code) {
  for (int i = 0; i < static_cast<int>(backgroundTicks_.size()); ++i) backgroundTicks_[i] = i == code;
}

void Looks::TickOnly(TilesetItem item) { SetTilesetCode(static_cast<int>(item)); }
void Looks::TickOnly(BackgroundItem item) { SetBackgroundCode(static_cast<int>(item)); }

Looks::Snapshot Looks::Take() const {
  return {tilesetTicks_, backgroundTicks_, LastTilesetFile, LastBackgroundFile};
}

void Looks::Restore(const Snapshot& s) {
  tilesetTicks_ = s.tilesetTicks;
  backgroundTicks_ = s.backgroundTicks;
  // A remembered file that has vanished meanwhile stays forgotten.
  LastTilesetFile = Exists(s.lastTileset) ? s.lastTileset : std::string();
  LastBackgroundFile = Exists(s.lastBackground) ? s.lastBackground : std::string();
}

bool Looks::ChooseFile(bool askFirst, std::string& last, const char* title, const char* filter,
                       const char* folder) {
  for (;;) {
    if (askFirst || last.empty()) {
      const std::string start =
          !UserDir.empty() && base::IsFolder(UserDir + folder) ? UserDir + folder : programDir_ + folder;
      if (auto chosen = host_.OpenPictureDialog(base::Translate("Looks", title), base::Translate("Looks", filter),
                                                start)) {
        last = *chosen;
      } else if (!Exists(last)) {
        return false;  // cancelled with nothing to fall back on
      }
    }
    if (Exists(last)) return true;
    last.clear();
    askFirst = true;
  }
}

// ---- Tilesets ----

bool Looks::ApplyTileset(const std::string& path) {
  QImage picture;
  std::string error;
  if (!DecodePicture(path, picture, error)) {
    host_.ShowError(error);
    return false;
  }
  error = TilesetProblem(picture, path);
  if (!error.empty()) {
    host_.ShowError(error);
    return false;
  }
  view_.TilesetImage = std::move(picture);
  view_.TilesetCopies = FindTilesetCopies(path);
  view_.MakeTileTexture();
  host_.RedrawUnlessIdle();
  return true;
}

std::string Looks::TilesetProblem(const QImage& picture, const std::string& path) {
  if (picture.width() >= TilesetMinWidth && picture.height() >= TilesetMinHeight) return {};
  return base::Format(
      base::Translate("Looks", "The tileset picture %1 is %2 x %3 pixels; a tileset needs at least %4 x %5."),
      {path, std::to_string(picture.width()), std::to_string(picture.height()), std::to_string(TilesetMinWidth),
       std::to_string(TilesetMinHeight)});
}

bool Looks::ChooseTilesetFileSteps() {
  if (!ChooseFile(Ticked(TilesetItem::FromFile), LastTilesetFile, TilesetTitle, TilesetFilter, "Tilesets/"))
    return false;
  TickOnly(TilesetItem::FromFile);
  return ApplyTileset(LastTilesetFile);
}

bool Looks::LoadTilesetSteps(const std::string& path) {
  if (Exists(path)) return ApplyTileset(path);
  // A missing file leads to "Load from disk", which asks for one.
  LastTilesetFile.clear();
  tilesetTicks_[static_cast<int>(TilesetItem::FromFile)] = true;
  return ChooseTilesetFileSteps();
}

bool Looks::BuiltInTilesetSteps(TilesetItem item) {
  TickOnly(item);
  return LoadTilesetSteps(programDir_ + FileOf(item));
}

bool Looks::LoadTileset(const std::string& path) {
  const Snapshot before = Take();
  const bool ok = LoadTilesetSteps(path);
  if (!ok) Restore(before);
  return ok;
}

void Looks::BuiltInTileset(TilesetItem item) {
  const Snapshot before = Take();
  if (!BuiltInTilesetSteps(item)) Restore(before);
}

void Looks::ChooseTilesetFile() {
  const Snapshot before = Take();
  if (!ChooseTilesetFileSteps()) Restore(before);
}

// ---- Backgrounds ----

void Looks::TileBackground(QImage& background, const QImage& picture) {
  const int w = picture.width(), h = picture.height();
  if (w >= BoardWidth && h >= BoardHeight) {
    Blit(background, 0, 0, BoardWidth, BoardHeight, picture, 0, 0, Rop::Copy);
    return;
  }
  // Rows of copies from the top-left corner; an empty side still gives one
  // copy per row, or one row, instead of looping for ever.
  const int stepX = w > 0 ? w : BoardWidth, stepY = h > 0 ? h : BoardHeight;
  for (int y = 0; y < BoardHeight; y += stepY)
    for (int x = 0; x < BoardWidth; x += stepX)
      Blit(background, x, y, w, h, picture, 0, 0, Rop::Copy);
}

void Looks::PaintPlainBackground(QImage& background) {
  FillRect(background, 0, 0, BoardWidth, BoardHeight, qRgb(0, 0, 0));
  FillRect(background, 1, 1, BoardWidth - 2, BoardHeight - 2, qRgb(0, 128, 128));
}

bool Looks::LoadBackgroundFileSteps(const std::string& path) {
  if (!Exists(path)) {
    LastBackgroundFile.clear();
    backgroundTicks_[static_cast<int>(BackgroundItem::FromFile)] = true;
    return LoadBackgroundSteps();
  }
  QImage picture;
  std::string error;
  if (!DecodePicture(path, picture, error)) {
    host_.ShowError(error);
    return false;
  }
  view_.SetBackgroundPicture(picture);
  picture = QImage();
  host_.RedrawUnlessIdle();
  return true;
}

bool Looks::LoadBackgroundSteps() {
  if (!ChooseFile(Ticked(BackgroundItem::FromFile), LastBackgroundFile, BackgroundTitle, BackgroundFilter,
                  "Backgrounds/"))
    return false;
  TickOnly(BackgroundItem::FromFile);
  return LoadBackgroundFileSteps(LastBackgroundFile);
}

bool Looks::BuiltInBackgroundSteps(BackgroundItem item) {
  TickOnly(item);
  return LoadBackgroundFileSteps(programDir_ + FileOf(item));
}

bool Looks::PlainBackgroundSteps() {
  TickOnly(BackgroundItem::None);
  view_.SetPlainBackground();
  host_.RedrawUnlessIdle();
  return true;
}

bool Looks::LoadBackgroundFile(const std::string& path) {
  const Snapshot before = Take();
  const bool ok = LoadBackgroundFileSteps(path);
  if (!ok) Restore(before);
  return ok;
}

void Looks::BuiltInBackground(BackgroundItem item) {
  const Snapshot before = Take();
  if (!BuiltInBackgroundSteps(item)) Restore(before);
}

void Looks::ChooseNoBackground() { PlainBackgroundSteps(); }

void Looks::ChooseBackgroundFile() {
  const Snapshot before = Take();
  if (!LoadBackgroundSteps()) Restore(before);
}

// ---- Start-up ----

void Looks::ActiveTilesetBackground() {
  Snapshot before = Take();
  bool ok = true;
  if (Ticked(BackgroundItem::FromFile)) {
    backgroundTicks_[static_cast<int>(BackgroundItem::FromFile)] = false;
    ok = LoadBackgroundSteps();
  } else if (Ticked(BackgroundItem::Kanji)) {
    ok = BuiltInBackgroundSteps(BackgroundItem::Kanji);
  } else if (Ticked(BackgroundItem::Dragons)) {
    ok = BuiltInBackgroundSteps(BackgroundItem::Dragons);
  } else if (Ticked(BackgroundItem::Andromeda)) {
    ok = BuiltInBackgroundSteps(BackgroundItem::Andromeda);
  } else if (Ticked(BackgroundItem::Catpats)) {
    ok = BuiltInBackgroundSteps(BackgroundItem::Catpats);
  } else {
    ok = PlainBackgroundSteps();
  }
  if (!ok) Restore(before);

  before = Take();
  if (Ticked(TilesetItem::FromFile)) {
    tilesetTicks_[static_cast<int>(TilesetItem::FromFile)] = false;
    ok = ChooseTilesetFileSteps();
  } else if (Ticked(TilesetItem::Classic)) {
    ok = BuiltInTilesetSteps(TilesetItem::Classic);
  } else if (Ticked(TilesetItem::LowColour)) {
    ok = BuiltInTilesetSteps(TilesetItem::LowColour);
  } else if (Ticked(TilesetItem::Blue)) {
    ok = BuiltInTilesetSteps(TilesetItem::Blue);
  } else {
    ok = BuiltInTilesetSteps(TilesetItem::Dark);
  }
  if (!ok) Restore(before);
}

}  // namespace view
