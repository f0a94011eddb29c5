// Help texts ("sorami.rtf", "whatsnew.rtf"): read into a text document and
// lay it out, as the help window does when it shows the page.

#include <QGuiApplication>
#include <QString>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/rtf_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("sorami.rtf", data, size);
  QTextDocument document;
  document.setTextWidth(600);
  app::RtfReader reader;
  if (!reader.ReadFile(QString::fromStdString(path), document)) {
    FUZZ_CHECK(!reader.ErrorText().isEmpty());
  }
  FUZZ_CHECK(document.size().height() >= 0);
  FUZZ_CHECK(document.toPlainText().size() <= static_cast<qsizetype>(size) * 2 + 16);
  return 0;
}
