// sorami-assets: rebuilds every picture, sound, piece of music and help text
// that ships in data/. The output depends only on this code, the Debian fonts
// it names and the Qt image encoders, so running it twice gives the same
// bytes. Use scripts/make-assets.sh, which runs it on the offscreen platform.
//
//   sorami-assets DATA_DIR [--only KIND[,KIND...]] [--preview DIR]
//
// KIND is one of tilesets, backgrounds, panels, sounds, music, help.

#include "generators.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QString data_dir;
  QString preview_dir;
  QStringList only;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--preview" && i + 1 < args.size()) {
      preview_dir = args[++i];
    } else if (args[i] == "--only" && i + 1 < args.size()) {
      only = args[++i].split(',', Qt::SkipEmptyParts);
    } else if (!args[i].startsWith("--") && data_dir.isEmpty()) {
      data_dir = args[i];
    } else {
      data_dir.clear();
      break;
    }
  }
  if (data_dir.isEmpty()) {
    std::fprintf(stderr,
                 "usage: sorami-assets DATA_DIR [--only KIND[,KIND...]] [--preview DIR]\n"
                 "  KIND: tilesets, backgrounds, panels, sounds, music, help\n");
    return 2;
  }
  const std::vector<std::pair<QString, std::function<void(const assets::Output&)>>> parts = {
      {"tilesets", assets::WriteTilesets}, {"backgrounds", assets::WriteBackgrounds},
      {"panels", assets::WritePanels},     {"sounds", assets::WriteSounds},
      {"music", assets::WriteMusic},       {"help", assets::WriteHelpTexts},
  };
  for (const QString& kind : only) {
    bool known = false;
    for (const auto& part : parts) known = known || part.first == kind;
    if (!known) {
      std::fprintf(stderr, "sorami-assets: unknown kind \"%s\"\n", qPrintable(kind));
      return 2;
    }
  }
  try {
    assets::RegisterFonts();
    const assets::Output out(data_dir);
    for (const auto& [kind, write] : parts) {
      if (!only.isEmpty() && !only.contains(kind)) continue;
      std::printf("writing %s\n", qPrintable(kind));
      write(out);
    }
    if (!preview_dir.isEmpty()) assets::WritePreviews(data_dir, assets::Output(preview_dir));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "sorami-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
