#pragma once
// The asset generator's parts, one per kind of file. Each writes its files
// below the data folder through `out` and throws std::runtime_error when a
// file cannot be written.

#include "asset_io.h"

namespace assets {

void WriteTilesets(const Output& out);     // Tilesets/*.bmp
void WriteBackgrounds(const Output& out);  // Backgrounds/*
void WritePanels(const Output& out);       // hof.bmp, orange.jpg, splash, toolbar, cursor, icons
void WriteSounds(const Output& out);       // select.wav, done.wav, noway.wav
void WriteMusic(const Output& out);        // Musics/*.mid
void WriteHelpTexts(const Output& out);    // sorami.rtf, whatsnew.rtf

// Pictures for a person to look at (not shipped): each tileset's 42 faces at
// 1x and 3x and a small board painted from the tileset exactly as the game
// paints it; read from the written data folder.
void WritePreviews(const QString& data_dir, const Output& preview);

}  // namespace assets
