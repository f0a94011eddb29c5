#include "app/rtf_reader.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <sys/stat.h>

#include <ostream>
#include <random>
#include <vector>

// Readable failure messages.
[[maybe_unused]] static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace {

void NeedApp() {
  static int argc = 1;
  static char name[] = "sorami_rtf_test";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!QApplication::instance()) new QApplication(argc, argv);
}

struct TextRun {
  QString text;
  QTextCharFormat format;
};

// Every run of equally formatted text, paragraph by paragraph.
std::vector<std::vector<TextRun>> Paragraphs(const QTextDocument& doc) {
  std::vector<std::vector<TextRun>> paragraphs;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    std::vector<TextRun> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.isValid()) runs.push_back({fragment.text(), fragment.charFormat()});
    }
    paragraphs.push_back(std::move(runs));
  }
  return paragraphs;
}

// The run holding `needle`.
QTextCharFormat FormatOf(const QTextDocument& doc, const QString& needle) {
  for (const auto& paragraph : Paragraphs(doc)) {
    for (const TextRun& run : paragraph) {
      if (run.text.contains(needle)) return run.format;
    }
  }
  ADD_FAILURE() << "no run holds " << needle.toStdString();
  return {};
}

QString Read(const QByteArray& rtf) {
  NeedApp();
  QTextDocument doc;
  app::RtfReader reader;
  reader.Read(rtf, doc);
  return doc.toPlainText();
}

// A help text of our own in the subset the game's texts use, and more.
const QByteArray kSample =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern Courier New;}"
    "{\\f2\\froman{\\*\\panose 02020603050405020304}Times New Roman;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
    "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}{\\author Nobody}}"
    "{\\*\\generator Our writer 1.0;}{\\*\\unknowndest hidden words}\r\n"
    "\\pard\\qc\\fs36\\b\\cf1 How to play\\b0\\cf0\\fs24\\par\r\n"
    "\\pard\\li720 Take pairs of \\i free\\i0  tiles: a tile is \\ul free\\ulnone  when "
    "nothing lies on it.\\par\r\n"
    "\\f1 Shortcut:\\tab F2\\line next line\\plain  plain\\par\r\n"
    "Caf\\'e9 \\'80 \\u8364?\\uc2\\u9824xx spade \\uc0\\u9829  heart\\par\r\n"
    "\\cf2\\fs20 Braces \\{ and \\} and \\\\ backslash, \\emdash, \\bullet\\par\r\n"
    "\\unknownword42 still here\\v  hidden\\v0  shown\\par\r\n"
    "}";

class RtfReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { NeedApp(); }
  QTextDocument doc;
  app::RtfReader reader;
};

TEST_F(RtfReaderTest, ReadsParagraphsAndCharacters) {
  reader.Read(kSample, doc);
  QStringList lines;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) lines << block.text();
  ASSERT_GE(lines.size(), 6);
  EXPECT_EQ(lines[0], "How to play");
  EXPECT_EQ(lines[1], "Take pairs of free tiles: a tile is free when nothing lies on it.");
  EXPECT_EQ(lines[2], QString("Shortcut:\tF2") + QChar(QChar::LineSeparator) + "next line plain");
  EXPECT_EQ(lines[3], QString::fromUtf8("Café € €♠ spade ♥ heart"));
  EXPECT_EQ(lines[4], QString::fromUtf8("Braces { and } and \\ backslash, —, •"));
  EXPECT_EQ(lines[5], "still here shown");
  EXPECT_FALSE(doc.toPlainText().contains("Secret"));
  EXPECT_FALSE(doc.toPlainText().contains("hidden"));
  EXPECT_FALSE(doc.toPlainText().contains("Normal"));
  EXPECT_FALSE(doc.toPlainText().contains("Our writer"));
  EXPECT_FALSE(doc.toPlainText().contains("Arial"));
}

TEST_F(RtfReaderTest, ReadsCharacterFormats) {
  reader.Read(kSample, doc);
  const QTextCharFormat title = FormatOf(doc, "How to play");
  EXPECT_EQ(title.fontWeight(), QFont::Bold);
  EXPECT_DOUBLE_EQ(title.fontPointSize(), 18.0);
  EXPECT_EQ(title.foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(title.fontFamilies().toStringList(), QStringList{"Arial"});

  const QTextCharFormat italic = FormatOf(doc, "free");
  EXPECT_TRUE(italic.fontItalic());
  EXPECT_EQ(italic.fontWeight(), QFont::Normal);
  EXPECT_DOUBLE_EQ(italic.fontPointSize(), 12.0);
  EXPECT_EQ(italic.foreground().style(), Qt::NoBrush);  // \cf0: automatic colour

  // "free" occurs twice: the underlined one is the second run.
  bool underlined = false;
  for (const auto& paragraph : Paragraphs(doc)) {
    for (const TextRun& run : paragraph) underlined |= run.text == "free" && run.format.fontUnderline();
  }
  EXPECT_TRUE(underlined);
  EXPECT_FALSE(FormatOf(doc, "when nothing").fontUnderline());

  EXPECT_EQ(FormatOf(doc, "Shortcut").fontFamilies().toStringList(), QStringList{"Courier New"});
  // \plain goes back to the default font and size.
  EXPECT_EQ(FormatOf(doc, "plain").fontFamilies().toStringList(), QStringList{"Arial"});

  const QTextCharFormat navy = FormatOf(doc, "Braces");
  EXPECT_EQ(navy.foreground().color(), QColor(0, 0, 128));
  EXPECT_DOUBLE_EQ(navy.fontPointSize(), 10.0);
  // The panose group inside the font table is skipped, the name kept.
  reader.Read("{\\rtf1{\\fonttbl{\\f2{\\*\\panose 0202}Times New Roman;}}\\f2 x}", doc);
  EXPECT_EQ(FormatOf(doc, "x").fontFamilies().toStringList(), QStringList{"Times New Roman"});
}

TEST_F(RtfReaderTest, ReadsParagraphFormats) {
  reader.Read(kSample, doc);
  const QTextBlock first = doc.begin();
  EXPECT_EQ(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  const QTextBlock second = first.next();
  EXPECT_EQ(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  EXPECT_DOUBLE_EQ(second.blockFormat().leftMargin(), 48.0);  // 720 twips = half an inch
}

TEST_F(RtfReaderTest, UnicodeFallbacksAndSurrogatePairs) {
  EXPECT_EQ(Read("{\\rtf1 \\u-10179?\\u-8704?!}"), QString::fromUtf8("😀!"));
  EXPECT_EQ(Read("{\\rtf1 \\uc2\\u233\\'e9x after}"), QString::fromUtf8("é after"));
  EXPECT_EQ(Read("{\\rtf1 {\\u233}x}"), QString::fromUtf8("éx"));  // a brace ends the fallback
  EXPECT_EQ(Read("{\\rtf1 \\uc0\\u-10179 a}"), QString::fromUtf8("\xEF\xBF\xBD" "a"));
  EXPECT_EQ(Read("{\\rtf1 \\u99999999999 z}"), QString::fromUtf8("\xEF\xBF\xBD"));
  EXPECT_EQ(Read("{\\rtf1 \\'81\\'zz\\'4}"), QString::fromUtf8("\xEF\xBF\xBD" "zz"));
}

TEST_F(RtfReaderTest, DamagedInputEndsCleanly) {
  EXPECT_EQ(Read("{\\rtf1 {\\b bold} extra}}}} after"), "bold extra after");
  EXPECT_EQ(Read("{\\rtf1 {\\b open {\\i deeper"), "open deeper");
  EXPECT_EQ(Read("{\\rtf1 trailing backslash\\"), "trailing backslash");
  EXPECT_EQ(Read("{\\rtf1 a\\bin3 {{{b}"), "ab");
  EXPECT_EQ(Read("{\\rtf1 a\\bin999999 {{{b}"), "a");
  EXPECT_EQ(Read("{\\rtf1 \\fs-5 x\\fs99999999999 y\\cf77 z\\f-3 w}"), "xyzw");
  EXPECT_EQ(Read(QByteArray("{\\rtf1 nul\0byte}", 16)), "nulbyte");
  EXPECT_EQ(Read(""), "");

  QByteArray word = "{\\rtf1 \\";
  word += QByteArray(100000, 'a');
  word += " x}";
  EXPECT_EQ(Read(word), "x");
}

TEST_F(RtfReaderTest, DeepNestingIsBoundedAndStillBalanced) {
  const int deep = app::RtfReader::kMaxDepth * 4;
  QByteArray rtf = "{\\rtf1 top";
  for (int i = 0; i < deep; ++i) rtf += "{\\b ";
  rtf += "too deep";
  for (int i = 0; i < deep; ++i) rtf += "}";
  rtf += " bottom}";
  EXPECT_EQ(Read(rtf), "top bottom");

  QByteArray open_only(1'000'000, '{');
  EXPECT_EQ(Read(open_only), "");
}

TEST_F(RtfReaderTest, MissingFileIsReportedAndLeavesTheDocumentEmpty) {
  reader.Read(kSample, doc);
  const QString path = QDir::tempPath() + "/sorami_no_such_dir/whatsnew.rtf";
  EXPECT_FALSE(reader.ReadFile(path, doc));
  EXPECT_EQ(reader.ErrorText(), "Cannot open file " + path);
  EXPECT_TRUE(doc.isEmpty());

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile file(dir.filePath("sorami.rtf"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(kSample);
  file.close();
  EXPECT_TRUE(reader.ReadFile(file.fileName(), doc));
  EXPECT_TRUE(reader.ErrorText().isEmpty());
  EXPECT_TRUE(doc.toPlainText().startsWith("How to play"));
}

QString WriteTemp(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
  QFile file(dir.filePath(QString::fromLatin1(name)));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return file.fileName();
}

TEST_F(RtfReaderTest, AFileThatIsNoRtfTextIsRefusedWithItsReason) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const QByteArray& bytes : {QByteArray("Plain words, no RTF at all.\n"), QByteArray(),
                                  QByteArray("\x89PNG\r\n\x1a\n{\\rtf1 late}"), QByteArray("{\\rt")}) {
    reader.Read(kSample, doc);
    const QString path = WriteTemp(dir, "sorami.rtf", bytes);
    EXPECT_FALSE(reader.ReadFile(path, doc)) << bytes.toStdString();
    EXPECT_EQ(reader.ErrorText(),
              "Cannot show file " + path + ": it is not an RTF text (it does not start with \"{\\rtf\")");
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_EQ(app::RtfReader::FileProblem(path), reader.ErrorText());
  }
  // A byte-order mark and blank lines before the text are fine.
  const QString marked = WriteTemp(dir, "marked.rtf", "\xEF\xBB\xBF\r\n  {\\rtf1 Fine.}");
  EXPECT_TRUE(reader.ReadFile(marked, doc));
  EXPECT_EQ(doc.toPlainText(), "Fine.");
  EXPECT_TRUE(app::RtfReader::FileProblem(marked).isEmpty());

  // A folder or a pipe of that name is not opened (a pipe would block).
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.rtf"));
  const QString pipe = dir.filePath("pipe.rtf");
  ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
  for (const QString& path : {dir.filePath("folder.rtf"), pipe}) {
    EXPECT_FALSE(reader.ReadFile(path, doc));
    EXPECT_EQ(reader.ErrorText(), "Cannot open file " + path);
    EXPECT_EQ(app::RtfReader::FileProblem(path), reader.ErrorText());
  }
}

// The pieces of text of each paragraph (a paragraph's fragments).
std::vector<int> PiecesPerParagraph(const QTextDocument& doc) {
  std::vector<int> pieces;
  for (const auto& paragraph : Paragraphs(doc)) pieces.push_back(static_cast<int>(paragraph.size()));
  return pieces;
}

TEST_F(RtfReaderTest, APageHoldsAtMostItsLimitsAndSaysWhereItWasCut) {
  using app::RtfReader;
  const auto lastParagraph = [this] { return doc.lastBlock().text(); };

  // 40,000 changes of font size in one paragraph.
  QByteArray sizes = "{\\rtf1 start ";
  for (int i = 0; i < 20000; ++i) sizes += "\\fs20 ab\\fs22 cd";
  reader.Read(sizes + "}", doc);
  EXPECT_TRUE(reader.WasCut());
  EXPECT_EQ(lastParagraph(), RtfReader::CutNote());
  EXPECT_TRUE(doc.begin().text().startsWith("start abcdab"));
  EXPECT_LE(PiecesPerParagraph(doc).front(), RtfReader::kMaxRunsInParagraph);

  // Runs of bold and italic, a paragraph every 500: the count of changes.
  QByteArray runs = "{\\rtf1 ";
  for (int i = 0; i < 20000; ++i) runs += i % 500 == 499 ? "{\\b bold }{\\i italic }\\par " : "{\\b bold }{\\i italic }";
  reader.Read(runs + "}", doc);
  EXPECT_TRUE(reader.WasCut());
  EXPECT_EQ(lastParagraph(), RtfReader::CutNote());
  int pieces = 0;
  for (int n : PiecesPerParagraph(doc)) pieces += n;
  EXPECT_LE(pieces, RtfReader::kMaxFormatChanges + 1);
  EXPECT_GT(pieces, RtfReader::kMaxFormatChanges / 2);

  // Short paragraphs: the count of paragraphs.
  QByteArray lines = "{\\rtf1 ";
  for (int i = 0; i < 20000; ++i) lines += "line\\par ";
  reader.Read(lines + "}", doc);
  EXPECT_TRUE(reader.WasCut());
  EXPECT_EQ(lastParagraph(), RtfReader::CutNote());
  EXPECT_EQ(doc.blockCount(), RtfReader::kMaxParagraphs + 1);

  // Plain text, in one long paragraph or one word: the count of characters.
  for (const QByteArray& piece : {QByteArray("plain words "), QByteArray("x")}) {
    QByteArray text = "{\\rtf1 ";
    while (text.size() < 1'500'000) text += piece;
    reader.Read(text + "}", doc);
    EXPECT_TRUE(reader.WasCut()) << piece.toStdString();
    EXPECT_EQ(lastParagraph(), RtfReader::CutNote());
    EXPECT_LE(doc.characterCount(), RtfReader::kMaxCharacters + RtfReader::CutNote().size() + 2);
    EXPECT_GT(doc.characterCount(), RtfReader::kMaxCharacters);
  }

  // A file longer than is read: its start is shown, and the note.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QByteArray padded = "{\\rtf1 start{\\*\\padding ";
  padded += QByteArray(RtfReader::kMaxFileBytes, 'x');
  const QString path = WriteTemp(dir, "long.rtf", padded + "} end}");
  EXPECT_TRUE(reader.ReadFile(path, doc));
  EXPECT_TRUE(reader.WasCut());
  EXPECT_EQ(doc.toPlainText(), "start\n" + RtfReader::CutNote());

  // Within the limits nothing is cut.
  reader.Read(kSample, doc);
  EXPECT_FALSE(reader.WasCut());
  EXPECT_FALSE(doc.toPlainText().contains(RtfReader::CutNote()));
}

TEST_F(RtfReaderTest, AVeryLongWordGetsInvisiblePlacesToBreak) {
  const QChar zeroWidthSpace(0x200B);
  const QString word = QString(1000, u'w');
  reader.Read("{\\rtf1 short words, then " + word.toLatin1() + "{\\b " + word.toLatin1() + "}}", doc);
  const QString text = doc.toPlainText();
  EXPECT_EQ(QString(text).remove(zeroWidthSpace), "short words, then " + word + word);
  EXPECT_TRUE(text.startsWith("short words, then wwww"));
  int longest = 0, run = 0;
  for (const QChar c : text) {
    run = c == zeroWidthSpace || c == u' ' ? 0 : run + 1;
    longest = std::max(longest, run);
  }
  EXPECT_EQ(longest, app::RtfReader::kLongestWord);
  EXPECT_FALSE(reader.WasCut());
}

// Every truncation and thousands of random damages of a text never crash or
// hang, and never make more characters than the input has bytes.
void Torture(const QByteArray& original, int truncations, int damages) {
  NeedApp();
  QTextDocument doc;
  app::RtfReader reader;
  auto check = [&](const QByteArray& input) {
    reader.Read(input, doc);
    ASSERT_LE(doc.characterCount(), input.size() + 1);
  };
  const int step = std::max<int>(1, static_cast<int>(original.size()) / truncations);
  for (int length = 0; length <= original.size(); length += step) check(original.left(length));

  std::mt19937 random(20261207);
  const char syntax_bytes[] = {'{', '}', '\\', '\'', ';', ' ', '0', '9', '-', '*', 'u', 'b'};
  for (int round = 0; round < damages; ++round) {
    QByteArray damaged = original;
    const int changes = 1 + static_cast<int>(random() % 16);
    for (int c = 0; c < changes && !damaged.isEmpty(); ++c) {
      const auto at = static_cast<qsizetype>(random() % static_cast<unsigned>(damaged.size()));
      switch (random() % 4) {
        case 0: damaged[at] = static_cast<char>(random() % 256); break;
        case 1: damaged[at] = syntax_bytes[random() % sizeof syntax_bytes]; break;
        case 2: damaged.remove(at, static_cast<qsizetype>(random() % 40)); break;
        default: damaged.insert(at, syntax_bytes[random() % sizeof syntax_bytes]); break;
      }
    }
    check(damaged);
  }
  for (int round = 0; round < 300; ++round) {
    QByteArray noise(static_cast<qsizetype>(random() % 4096), '\0');
    for (char& byte : noise) byte = static_cast<char>(random() % 256);
    check(noise);
  }
}

TEST_F(RtfReaderTest, SurvivesTruncationsAndRandomDamage) { Torture(kSample, 2000, 1500); }

QByteArray DataFile(const char* name) {
  QFile file(QStringLiteral(SORAMI_DATA_DIR "/") + QString::fromLatin1(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  return file.readAll();
}

// The game's own help texts read whole: a red bold title, blue headings,
// bullets from \uN, and nothing of the RTF syntax left in the text.
TEST_F(RtfReaderTest, ReadsTheGamesHelpTexts) {
  for (const char* name : {"sorami.rtf", "whatsnew.rtf"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(reader.ReadFile(QStringLiteral(SORAMI_DATA_DIR "/") + name, doc));
    const QString text = doc.toPlainText();
    EXPECT_GT(doc.blockCount(), 10);
    EXPECT_TRUE(doc.begin().text().contains("Sorami 5.28")) << doc.begin().text().toStdString();
    EXPECT_TRUE(text.contains(QChar(0x2022)));
    for (const char* syntax : {"{", "}", "rtf1", "\\par", "\\u8226", "Arial", "red150", "fs20"}) {
      EXPECT_FALSE(text.contains(QString::fromLatin1(syntax))) << syntax;
    }
    const QTextCharFormat title = doc.begin().begin().fragment().charFormat();
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 18.0);
    EXPECT_EQ(title.foreground().color(), QColor(150, 24, 24));
    EXPECT_EQ(title.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_FALSE(reader.WasCut());
  }
  reader.ReadFile(QStringLiteral(SORAMI_DATA_DIR "/sorami.rtf"), doc);
  EXPECT_TRUE(doc.toPlainText().contains("The aim of the game"));
  EXPECT_EQ(FormatOf(doc, "The aim of the game").foreground().color(), QColor(24, 44, 120));
}

TEST_F(RtfReaderTest, SurvivesDamageToTheGamesHelpTexts) {
  Torture(DataFile("sorami.rtf"), 300, 150);
  Torture(DataFile("whatsnew.rtf"), 1200, 600);
}

}  // namespace
