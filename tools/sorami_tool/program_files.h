#pragma once
// Where sorami-tool finds the game's own files, and how it writes a picture.

#include <QImage>
#include <filesystem>

namespace tool {

// The folder of the running program (its Layouts, Tilesets, Backgrounds and
// hof.bmp lie beside it), or the current folder when that cannot be told.
std::filesystem::path ProgramDir();

// Writes `picture` as a PNG file: first beside the target, then renamed over
// it, so a failed write leaves neither a half picture nor the temporary file.
bool WritePng(const QImage& picture, const std::filesystem::path& target);

}  // namespace tool
