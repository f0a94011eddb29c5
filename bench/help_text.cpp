// Opening a help page: reading an RTF file into the page's text box and
// laying it out at the page's width, for the game's own help text and for
// hostile files built to be slow (tens of thousands of changes of type in
// one paragraph, megabytes of runs or of plain text). The reader cuts a page
// at its limits; every case here must stay well under a second.
//
// Also Qt's own layout of N differently formatted pieces in one paragraph,
// without the reader, which shows why the number of pieces is limited: its
// cost grows far faster than N.
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <cstdio>
#include <functional>
#include <memory>

#include "app/rtf_reader.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_help_text";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// A text box the size of a help page, shown.
QTextEdit& Page() {
  App();
  static QTextEdit* page = [] {
    auto* edit = new QTextEdit;
    edit->setReadOnly(true);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->resize(612, 378);
    edit->show();
    return edit;
  }();
  return *page;
}

// Lays the page out whole, as showing it and sizing its scroll bar does.
void LayOut(QTextEdit& page) {
  QApplication::processEvents();
  benchmark::DoNotOptimize(page.document()->documentLayout()->documentSize());
}

QTemporaryDir& Folder() {
  static QTemporaryDir dir;
  return dir;
}

QString WriteFile(const char* name, const QByteArray& bytes) {
  const QString path = Folder().filePath(QString::fromLatin1(name));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return path;
}

// 390 KB: 40,000 changes of font size in one paragraph.
QByteArray FontSizesInOneParagraph() {
  QByteArray rtf = "{\\rtf1\\ansi ";
  for (int i = 0; i < 20000; ++i) rtf += "\\fs20 ab\\fs22 cd";
  return rtf + "}";
}

// 1.2 MB of bold and italic runs, a paragraph every 200 of them.
QByteArray BoldAndItalicRuns() {
  QByteArray rtf = "{\\rtf1\\ansi ";
  for (int i = 0; rtf.size() < 1'200'000; ++i) {
    rtf += "{\\b bold }{\\i italic }";
    if (i % 100 == 99) rtf += "\\par\n";
  }
  return rtf + "}";
}

// 2 MB of plain words in one paragraph.
QByteArray OneLongParagraph() {
  QByteArray rtf = "{\\rtf1\\ansi ";
  while (rtf.size() < 2'000'000) rtf += "words of plain text ";
  return rtf + "}";
}

// 2 MB without a blank: one word.
QByteArray OneLongWord() {
  QByteArray rtf = "{\\rtf1\\ansi ";
  rtf += QByteArray(2'000'000, 'x');
  return rtf + "}";
}

// 2 MB of words in the largest type, a paragraph every 100 words.
QByteArray HugeType() {
  QByteArray rtf = "{\\rtf1\\ansi\\fs800 ";
  for (int i = 0; rtf.size() < 2'000'000; ++i) rtf += i % 100 == 99 ? "big\\par " : "big words ";
  return rtf + "}";
}

// 2 MB of words between the widest indents.
QByteArray WideIndents() {
  QByteArray rtf = "{\\rtf1\\ansi\\li20000\\ri20000\\fi-20000 ";
  for (int i = 0; rtf.size() < 2'000'000; ++i) rtf += i % 100 == 99 ? "squeezed\\par " : "squeezed words ";
  return rtf + "}";
}

// 2 MB of short paragraphs.
QByteArray ManyParagraphs() {
  QByteArray rtf = "{\\rtf1\\ansi ";
  while (rtf.size() < 2'000'000) rtf += "a line\\par\n";
  return rtf + "}";
}

void OpenFile(benchmark::State& state, const QString& path) {
  QTextEdit& page = Page();
  app::RtfReader reader;
  for (auto _ : state) {
    if (!reader.ReadFile(path, *page.document())) {
      state.SkipWithError(qPrintable(reader.ErrorText()));
      return;
    }
    LayOut(page);
  }
  state.counters["characters"] = page.document()->characterCount();
  state.counters["cut"] = reader.WasCut() ? 1 : 0;
}

void BM_OpenShippedHelp(benchmark::State& state) {
  OpenFile(state, QStringLiteral(SORAMI_DATA_DIR "/sorami.rtf"));
}
BENCHMARK(BM_OpenShippedHelp)->Unit(benchmark::kMillisecond);

void BM_OpenFontSizesInOneParagraph(benchmark::State& state) {
  OpenFile(state, WriteFile("sizes.rtf", FontSizesInOneParagraph()));
}
BENCHMARK(BM_OpenFontSizesInOneParagraph)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenBoldAndItalicRuns(benchmark::State& state) {
  OpenFile(state, WriteFile("runs.rtf", BoldAndItalicRuns()));
}
BENCHMARK(BM_OpenBoldAndItalicRuns)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenOneLongParagraph(benchmark::State& state) {
  OpenFile(state, WriteFile("long.rtf", OneLongParagraph()));
}
BENCHMARK(BM_OpenOneLongParagraph)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenOneLongWord(benchmark::State& state) {
  OpenFile(state, WriteFile("word.rtf", OneLongWord()));
}
BENCHMARK(BM_OpenOneLongWord)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenHugeType(benchmark::State& state) {
  OpenFile(state, WriteFile("huge.rtf", HugeType()));
}
BENCHMARK(BM_OpenHugeType)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenWideIndents(benchmark::State& state) {
  OpenFile(state, WriteFile("indents.rtf", WideIndents()));
}
BENCHMARK(BM_OpenWideIndents)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenManyParagraphs(benchmark::State& state) {
  OpenFile(state, WriteFile("lines.rtf", ManyParagraphs()));
}
BENCHMARK(BM_OpenManyParagraphs)->Unit(benchmark::kMillisecond)->Iterations(3);

// Qt alone: N pieces of alternating font size in one paragraph.
void BM_QtLayoutOfPiecesInOneParagraph(benchmark::State& state) {
  QTextEdit& page = Page();
  const int pieces = static_cast<int>(state.range(0));
  for (auto _ : state) {
    page.document()->clear();
    QTextCursor cursor(page.document());
    cursor.beginEditBlock();
    QTextCharFormat small, large;
    small.setFontPointSize(10);
    large.setFontPointSize(11);
    // No blank: the paragraph is one word the layout must cut into lines.
    for (int i = 0; i < pieces; ++i) cursor.insertText(QStringLiteral("ab"), i % 2 ? small : large);
    cursor.endEditBlock();
    LayOut(page);
  }
}
BENCHMARK(BM_QtLayoutOfPiecesInOneParagraph)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1600)
    ->Arg(6400)
    ->Arg(25600)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
