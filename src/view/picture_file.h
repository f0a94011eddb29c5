#pragma once
// Reading tileset and background pictures.
//
// A path containing ".jpg" (lower case, anywhere in the path) is decoded as
// JPEG with libjpeg; anything else is read as a bitmap (BMP). The picture
// keeps its own size and comes back as QImage::Format_RGB888. Before a single
// pixel is allocated the header's size is checked: empty pictures and pictures
// above the limits below are refused with a clear message.

#include <QImage>
#include <QString>
#include <string>

namespace view {

inline constexpr int MaxPictureSide = 8192;
inline constexpr long long MaxPicturePixels = 8192LL * 4096LL;  // 128 MiB at 4 bytes a pixel

// Decodes `path` into `out`. On failure returns false, leaves `out` untouched
// and sets `error` to the text for the message box, which always names the
// file: "The picture file <path> cannot be used: " and "bitmap image is not
// valid" for a broken bitmap, "JPEG error #N (the decoder's words)" for a
// broken JPEG, or why the picture's size is refused; or a sentence of its
// own for a file that cannot be read or is too large.
bool DecodePicture(const std::string& path, QImage& out, std::string& error);

// Reads a picture file of a known format ("png", "bmp") with Qt's built-in
// reader for it; a null picture when the file is missing or broken. Qt's
// plain QImage(path) first asks every installed image plugin whether it
// knows the file, which loads each of them into the game for nothing.
QImage ReadImageFile(const QString& path, const char* format);

// The size check every decoder applies to the header's dimensions; empty when
// the size is acceptable.
std::string PictureSizeProblem(long long width, long long height);

}  // namespace view
