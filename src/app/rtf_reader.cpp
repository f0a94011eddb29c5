#include "app/rtf_reader.h"

#include <QColor>
#include <QCoreApplication>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace app {

namespace {

// Windows code page 1252: the bytes 0x80..0x9F that differ from Latin-1
// (0 where the code page has no character).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kZeroWidthSpace = 0x200B;

char16_t FromCp1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    const char16_t c = kCp1252High[byte - 0x80];
    return c ? c : kReplacement;
  }
  return byte;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The control words we act on.
enum class Word {
  Par, Line, Tab, Page, Cell, Row,
  Bold, Italic, Underline, UnderlineNone, Hidden, FontSize, Font, DefaultFont, Color,
  Plain, Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify,
  LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter,
  Unicode, UnicodeSkip, Bin,
  FontTable, ColorTable, Red, Green, Blue, SkipDestination,
  Character,  // a word that stands for one character (\emdash ...)
};

struct WordInfo {
  Word word;
  char16_t character = 0;
};

const std::unordered_map<std::string_view, WordInfo>& Words() {
  static const std::unordered_map<std::string_view, WordInfo> words = {
      {"par", {Word::Par}}, {"line", {Word::Line}}, {"tab", {Word::Tab}},
      {"page", {Word::Page}}, {"sect", {Word::Page}}, {"cell", {Word::Cell}},
      {"row", {Word::Row}},
      {"b", {Word::Bold}}, {"i", {Word::Italic}}, {"ul", {Word::Underline}},
      {"uld", {Word::Underline}}, {"uldb", {Word::Underline}}, {"ulw", {Word::Underline}},
      {"ulth", {Word::Underline}}, {"uldash", {Word::Underline}}, {"ulwave", {Word::Underline}},
      {"ulnone", {Word::UnderlineNone}}, {"v", {Word::Hidden}},
      {"fs", {Word::FontSize}}, {"f", {Word::Font}}, {"deff", {Word::DefaultFont}},
      {"cf", {Word::Color}}, {"plain", {Word::Plain}}, {"pard", {Word::Pard}},
      {"ql", {Word::AlignLeft}}, {"qc", {Word::AlignCenter}}, {"qr", {Word::AlignRight}},
      {"qj", {Word::AlignJustify}}, {"li", {Word::LeftIndent}}, {"ri", {Word::RightIndent}},
      {"fi", {Word::FirstIndent}}, {"sb", {Word::SpaceBefore}}, {"sa", {Word::SpaceAfter}},
      {"u", {Word::Unicode}}, {"uc", {Word::UnicodeSkip}}, {"bin", {Word::Bin}},
      {"fonttbl", {Word::FontTable}}, {"colortbl", {Word::ColorTable}},
      {"red", {Word::Red}}, {"green", {Word::Green}}, {"blue", {Word::Blue}},
      // Destinations without visible text.
      {"stylesheet", {Word::SkipDestination}}, {"info", {Word::SkipDestination}},
      {"pict", {Word::SkipDestination}}, {"object", {Word::SkipDestination}},
      {"header", {Word::SkipDestination}}, {"headerl", {Word::SkipDestination}},
      {"headerr", {Word::SkipDestination}}, {"headerf", {Word::SkipDestination}},
      {"footer", {Word::SkipDestination}}, {"footerl", {Word::SkipDestination}},
      {"footerr", {Word::SkipDestination}}, {"footerf", {Word::SkipDestination}},
      {"footnote", {Word::SkipDestination}}, {"fldinst", {Word::SkipDestination}},
      {"listtable", {Word::SkipDestination}}, {"listoverridetable", {Word::SkipDestination}},
      {"rsidtbl", {Word::SkipDestination}}, {"xmlnstbl", {Word::SkipDestination}},
      {"themedata", {Word::SkipDestination}}, {"colorschememapping", {Word::SkipDestination}},
      {"latentstyles", {Word::SkipDestination}}, {"datastore", {Word::SkipDestination}},
      {"filetbl", {Word::SkipDestination}}, {"revtbl", {Word::SkipDestination}},
      {"author", {Word::SkipDestination}}, {"operator", {Word::SkipDestination}},
      {"title", {Word::SkipDestination}}, {"subject", {Word::SkipDestination}},
      {"keywords", {Word::SkipDestination}}, {"doccomm", {Word::SkipDestination}},
      {"comment", {Word::SkipDestination}}, {"company", {Word::SkipDestination}},
      {"generator", {Word::SkipDestination}}, {"nonshppict", {Word::SkipDestination}},
      {"xe", {Word::SkipDestination}}, {"tc", {Word::SkipDestination}},
      {"txe", {Word::SkipDestination}}, {"bkmkstart", {Word::SkipDestination}},
      {"bkmkend", {Word::SkipDestination}},
      // Characters.
      {"emdash", {Word::Character, 0x2014}}, {"endash", {Word::Character, 0x2013}},
      {"emspace", {Word::Character, 0x2003}}, {"enspace", {Word::Character, 0x2002}},
      {"bullet", {Word::Character, 0x2022}}, {"lquote", {Word::Character, 0x2018}},
      {"rquote", {Word::Character, 0x2019}}, {"ldblquote", {Word::Character, 0x201C}},
      {"rdblquote", {Word::Character, 0x201D}},
  };
  return words;
}

constexpr int kDefaultHalfPoints = 24;  // 12 points
constexpr int kMaxParam = 1'000'000'000;
// Indents and spacing of at most two inches, type of at most 48 points:
// wider indents would leave a line no room, and larger type a word per
// line, which the layout pays for dearly on a long text.
constexpr int kMaxTwips = 2'880;
constexpr int kMaxHalfPoints = 96;
constexpr int kMaxNameLength = 256;
constexpr std::size_t kMaxWordLength = 32;

struct CharProps {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool hidden = false;
  int half_points = kDefaultHalfPoints;
  int font = -1;  // -1: the default font (\deff)
  int color = 0;  // 0: the automatic colour
  bool operator==(const CharProps&) const = default;
};

enum class Align { Left, Center, Right, Justify };

struct ParaProps {
  Align align = Align::Left;
  int left = 0;  // twips
  int right = 0;
  int first = 0;
  int before = 0;
  int after = 0;
  bool operator==(const ParaProps&) const = default;
};

// Where the text of a group goes.
enum class Destination { Text, FontTable, ColorTable, Skip };

struct GroupState {
  CharProps chars;
  ParaProps para;
  Destination destination = Destination::Text;
  int unicode_skip = 1;  // \uc: fallback characters after each \uN
};

class Parser {
 public:
  explicit Parser(QTextDocument& document) : cursor_(&document) { stack_.emplace_back(); }

  void Run(const QByteArray& data) {
    const char* p = data.constData();
    const std::size_t n = static_cast<std::size_t>(data.size());
    std::size_t i = 0;
    while (i < n && !full_) {
      const char c = p[i++];
      if (c == '{') {
        OpenGroup();
      } else if (c == '}') {
        CloseGroup();
      } else if (c == '\\') {
        if (i >= n) break;
        const char d = p[i];
        if (IsLetter(d)) {
          std::size_t start = i;
          while (i < n && IsLetter(p[i])) ++i;
          std::string_view word(p + start, i - start);
          bool has_param = false;
          bool negative = false;
          long long param = 0;
          if (i + 1 < n && p[i] == '-' && IsDigit(p[i + 1])) {
            negative = true;
            ++i;
          }
          while (i < n && IsDigit(p[i])) {
            has_param = true;
            param = std::min<long long>(param * 10 + (p[i] - '0'), kMaxParam);
            ++i;
          }
          if (i < n && p[i] == ' ') ++i;  // the delimiter belongs to the word
          if (negative) param = -param;
          if (word == "bin") {
            // \binN: N raw bytes follow; never read them as RTF.
            const std::size_t skip = param > 0 ? static_cast<std::size_t>(param) : 0;
            i += std::min(skip, n - i);
          }
          if (TakeFallback()) continue;
          if (word.size() <= kMaxWordLength) {
            ControlWord(word, has_param, static_cast<int>(param));
          }
        } else if (d == '\'') {
          ++i;
          int value = 0;
          int digits = 0;
          while (digits < 2 && i < n && HexValue(p[i]) >= 0) {
            value = value * 16 + HexValue(p[i++]);
            ++digits;
          }
          if (TakeFallback() || digits == 0) continue;
          Character(FromCp1252(static_cast<unsigned char>(value)));
        } else {
          ++i;
          if (TakeFallback()) continue;
          ControlSymbol(d);
        }
      } else if (c == '\r' || c == '\n') {
        // Line breaks of the file are not text.
      } else if (!TakeFallback()) {
        Character(FromCp1252(static_cast<unsigned char>(c)));
      }
    }
  }

  // The end of the text; `fileWasCut`: the input was only the start of it.
  void Finish(bool fileWasCut) {
    Flush();
    ApplyParagraphFormat();
    if (full_ || fileWasCut) {
      cut_ = true;
      QTextCharFormat note;
      note.setFontItalic(true);
      note.setFontPointSize(kDefaultHalfPoints / 2.0);
      cursor_.insertBlock(QTextBlockFormat(), note);
      cursor_.insertText(RtfReader::CutNote(), note);
    }
  }
  bool WasCut() const { return cut_; }

 private:
  GroupState& State() { return stack_.back(); }

  // After \uN the next \ucN characters are the fallback for readers that do
  // not know \u; they are dropped. True when this one is dropped.
  bool TakeFallback() {
    if (overflow_ > 0) return true;  // too deep: skip everything
    if (fallback_ > 0) {
      --fallback_;
      return true;
    }
    return false;
  }

  void OpenGroup() {
    fallback_ = 0;
    if (overflow_ > 0 || static_cast<int>(stack_.size()) > RtfReader::kMaxDepth) {
      ++overflow_;
      return;
    }
    stack_.push_back(stack_.back());
  }

  void CloseGroup() {
    fallback_ = 0;
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (stack_.size() <= 1) return;  // a closing brace too many
    if (State().destination == Destination::FontTable) CommitFont();
    stack_.pop_back();
  }

  void ControlSymbol(char c) {
    switch (c) {
      case '\\':
      case '{':
      case '}': Character(static_cast<char16_t>(c)); break;
      case '~': Character(0x00A0); break;
      case '_': Character(0x2011); break;
      case '\t': Character(u'\t'); break;
      case '\r':
      case '\n': Paragraph(); break;
      case '*':
        // An optional destination: we know none, so its group is skipped.
        State().destination = Destination::Skip;
        break;
      default: break;  // \- \| \: and unknown symbols
    }
  }

  void ControlWord(std::string_view name, bool has_param, int param) {
    const auto& words = Words();
    const auto found = words.find(name);
    if (found == words.end()) return;
    GroupState& s = State();
    CharProps& ch = s.chars;
    ParaProps& pa = s.para;
    const bool on = !has_param || param != 0;
    const int twips = std::clamp(param, -kMaxTwips, kMaxTwips);
    switch (found->second.word) {
      case Word::Par:
      case Word::Page:
      case Word::Row: Paragraph(); break;
      case Word::Line: Character(static_cast<char16_t>(QChar::LineSeparator)); break;
      case Word::Tab:
      case Word::Cell: Character(u'\t'); break;
      case Word::Bold: ch.bold = on; break;
      case Word::Italic: ch.italic = on; break;
      case Word::Underline: ch.underline = on; break;
      case Word::UnderlineNone: ch.underline = false; break;
      case Word::Hidden: ch.hidden = on; break;
      case Word::FontSize: ch.half_points = param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints; break;
      case Word::Font:
        if (s.destination == Destination::FontTable) {
          CommitFont();
          font_entry_ = param;
        } else {
          ch.font = param;
        }
        break;
      case Word::DefaultFont: default_font_ = param; break;
      case Word::Color: ch.color = param; break;
      case Word::Plain: ch = CharProps{}; break;
      case Word::Pard: pa = ParaProps{}; break;
      case Word::AlignLeft: pa.align = Align::Left; break;
      case Word::AlignCenter: pa.align = Align::Center; break;
      case Word::AlignRight: pa.align = Align::Right; break;
      case Word::AlignJustify: pa.align = Align::Justify; break;
      case Word::LeftIndent: pa.left = std::max(twips, 0); break;
      case Word::RightIndent: pa.right = std::max(twips, 0); break;
      case Word::FirstIndent: pa.first = twips; break;
      case Word::SpaceBefore: pa.before = std::max(twips, 0); break;
      case Word::SpaceAfter: pa.after = std::max(twips, 0); break;
      case Word::Unicode: {
        const int code = param < 0 ? param + 65536 : param;
        Character(code >= 0 && code <= 0xFFFF ? static_cast<char16_t>(code) : kReplacement);
        fallback_ = s.unicode_skip;
        break;
      }
      case Word::UnicodeSkip: s.unicode_skip = std::clamp(param, 0, 16); break;
      case Word::Bin: break;  // its bytes were passed over already
      case Word::FontTable: s.destination = Destination::FontTable; break;
      case Word::ColorTable:
        s.destination = Destination::ColorTable;
        colors_.clear();
        ResetColor();
        break;
      case Word::Red: red_ = std::clamp(param, 0, 255); color_set_ = true; break;
      case Word::Green: green_ = std::clamp(param, 0, 255); color_set_ = true; break;
      case Word::Blue: blue_ = std::clamp(param, 0, 255); color_set_ = true; break;
      case Word::SkipDestination: s.destination = Destination::Skip; break;
      case Word::Character: Character(found->second.character); break;
    }
  }

  // One character of text, sent where the current group's text goes.
  void Character(char16_t c) {
    GroupState& s = State();
    switch (s.destination) {
      case Destination::Skip: return;
      case Destination::FontTable:
        if (c == u';') {
          CommitFont();
        } else if (font_name_.size() < kMaxNameLength) {
          font_name_ += QChar(c);
        }
        return;
      case Destination::ColorTable:
        if (c == u';') {
          colors_.push_back(color_set_ ? std::optional<QColor>(QColor(red_, green_, blue_))
                                       : std::nullopt);
          ResetColor();
        }
        return;
      case Destination::Text: break;
    }
    if (s.chars.hidden) return;
    if (c < 0x20 && c != u'\t') return;  // control characters are not text
    if (!(s.chars == buffer_chars_) && !(buffer_.isEmpty() && high_surrogate_ == 0)) Flush();
    buffer_chars_ = s.chars;
    // The layout cuts a word too long for a line wherever it must, at a cost
    // that grows with the square of the word's length: a very long word is
    // given invisible places to break.
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (c == u' ' || c == u'\t' || c == u'-' || c == QChar::LineSeparator) {
      word_length_ = 0;
    } else if (!low && ++word_length_ > RtfReader::kLongestWord) {
      AppendToBuffer(kZeroWidthSpace);
      word_length_ = 1;
    }
    AppendToBuffer(c);
    if (characters_ + buffer_.size() >= RtfReader::kMaxCharacters) Flush();
  }

  void AppendToBuffer(char16_t c) {
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (low && high_surrogate_ != 0) {
      buffer_ += QChar(high_surrogate_);
      buffer_ += QChar(c);
      high_surrogate_ = 0;
      return;
    }
    if (high_surrogate_ != 0) buffer_ += QChar(kReplacement);  // a half pair
    high_surrogate_ = 0;
    if (high) {
      high_surrogate_ = c;
    } else {
      buffer_ += QChar(low ? kReplacement : c);
    }
  }

  void Flush() {
    if (high_surrogate_ != 0) {
      buffer_ += QChar(kReplacement);
      high_surrogate_ = 0;
    }
    if (buffer_.isEmpty()) return;
    const bool change = !last_inserted_ || !(*last_inserted_ == buffer_chars_);
    if (full_ || (change && format_changes_ >= RtfReader::kMaxFormatChanges) ||
        paragraph_runs_ >= RtfReader::kMaxRunsInParagraph ||
        characters_ >= RtfReader::kMaxCharacters) {
      full_ = true;
      buffer_.clear();
      return;
    }
    const qsizetype room = RtfReader::kMaxCharacters - characters_;
    if (buffer_.size() >= room) {
      full_ = true;
      buffer_.truncate(room);
      if (!buffer_.isEmpty() && buffer_.back().isHighSurrogate()) buffer_.chop(1);
    }
    ApplyParagraphFormat();
    cursor_.insertText(buffer_, CharFormat(buffer_chars_));
    characters_ += static_cast<int>(buffer_.size());
    if (change) ++format_changes_;
    last_inserted_ = buffer_chars_;
    ++paragraph_runs_;
    buffer_.clear();
  }

  // The paragraph properties in force at its end (or, until then, at its
  // first text) are those of the paragraph.
  void ApplyParagraphFormat() {
    if (block_para_ && *block_para_ == State().para) return;
    cursor_.setBlockFormat(BlockFormat(State().para));
    block_para_ = State().para;
  }

  void Paragraph() {
    if (State().destination != Destination::Text) return;
    Flush();
    if (full_) return;
    if (characters_ >= RtfReader::kMaxCharacters) {
      full_ = true;
      return;
    }
    ApplyParagraphFormat();
    cursor_.insertBlock(BlockFormat(State().para), CharFormat(State().chars));
    ++characters_;
    paragraph_runs_ = 0;
    word_length_ = 0;
    if (++paragraphs_ >= RtfReader::kMaxParagraphs) full_ = true;
  }

  void CommitFont() {
    const QString name = font_name_.trimmed();
    if (font_entry_ >= 0 && !name.isEmpty() && !fonts_.contains(font_entry_)) {
      fonts_.insert(font_entry_, name);
    }
    font_name_.clear();
  }

  void ResetColor() {
    red_ = green_ = blue_ = 0;
    color_set_ = false;
  }

  QTextCharFormat CharFormat(const CharProps& p) const {
    QTextCharFormat format;
    format.setFontWeight(p.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(p.italic);
    format.setFontUnderline(p.underline);
    format.setFontPointSize(p.half_points / 2.0);
    const auto font = fonts_.constFind(p.font >= 0 ? p.font : default_font_);
    if (font != fonts_.constEnd()) format.setFontFamilies({*font});
    if (p.color > 0 && static_cast<std::size_t>(p.color) < colors_.size() &&
        colors_[static_cast<std::size_t>(p.color)]) {
      format.setForeground(*colors_[static_cast<std::size_t>(p.color)]);
    }
    return format;
  }

  static QTextBlockFormat BlockFormat(const ParaProps& p) {
    // Twips are 1/1440 inch: 15 of them make a pixel at 96 dots per inch.
    constexpr double kTwipsPerPixel = 15.0;
    QTextBlockFormat format;
    switch (p.align) {
      case Align::Left: format.setAlignment(Qt::AlignLeft); break;
      case Align::Center: format.setAlignment(Qt::AlignHCenter); break;
      case Align::Right: format.setAlignment(Qt::AlignRight); break;
      case Align::Justify: format.setAlignment(Qt::AlignJustify); break;
    }
    format.setLeftMargin(p.left / kTwipsPerPixel);
    format.setRightMargin(p.right / kTwipsPerPixel);
    format.setTextIndent(p.first / kTwipsPerPixel);
    format.setTopMargin(p.before / kTwipsPerPixel);
    format.setBottomMargin(p.after / kTwipsPerPixel);
    return format;
  }

  QTextCursor cursor_;
  std::vector<GroupState> stack_;  // the outermost state first, never empty
  int overflow_ = 0;               // groups opened beyond the depth limit
  int fallback_ = 0;               // \uN fallback characters still to drop

  QString buffer_;  // text not yet inserted, all in buffer_chars_
  CharProps buffer_chars_;
  char16_t high_surrogate_ = 0;
  std::optional<ParaProps> block_para_;  // what the current block was given

  QHash<int, QString> fonts_;
  int font_entry_ = -1;
  QString font_name_;
  int default_font_ = -1;

  std::vector<std::optional<QColor>> colors_;  // nullopt: the automatic colour
  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
  bool color_set_ = false;

  // What the page holds so far, against RtfReader's limits.
  int characters_ = 0;
  int format_changes_ = 0;  // pieces inserted in another format than the one before
  std::optional<CharProps> last_inserted_;
  int paragraph_runs_ = 0;  // pieces of text in the current paragraph
  int paragraphs_ = 1;
  int word_length_ = 0;     // characters since the last place to break a line
  bool full_ = false;  // a limit was reached: the rest is not read
  bool cut_ = false;   // the text ends with the note saying so
};

// Where the RTF text of `data` starts: "{\rtf", after a byte-order mark and
// blanks, within its first kLookedAt bytes; -1 when it does not.
constexpr qsizetype kLookedAt = 4096;

qsizetype RtfStart(const QByteArray& data) {
  const QByteArrayView looked = QByteArrayView(data).first(std::min(data.size(), kLookedAt));
  qsizetype at = looked.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  while (at < looked.size() && (looked[at] == ' ' || looked[at] == '\t' || looked[at] == '\r' ||
                                looked[at] == '\n')) {
    ++at;
  }
  return looked.sliced(at).startsWith("{\\rtf") ? at : -1;
}

// Reads at most `maxBytes` of a regular file from where its RTF text starts;
// an error text when it cannot. `longer`: the file holds more.
QString ReadStart(const QString& path, qsizetype maxBytes, QByteArray& data, bool& longer) {
  const QString cannotOpen = QCoreApplication::translate("app::RtfReader", "Cannot open file %1").arg(path);
  // Only a regular file: a pipe or a device could block the game or never end.
  if (!QFileInfo(path).isFile()) return cannotOpen;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return cannotOpen;
  data = file.read(maxBytes + 1);
  if (file.error() != QFileDevice::NoError) return cannotOpen;
  longer = data.size() > maxBytes;
  if (longer) data.truncate(maxBytes);
  const qsizetype start = RtfStart(data);
  if (start < 0) {
    return QCoreApplication::translate("app::RtfReader",
                                       "Cannot show file %1: it is not an RTF text (it does not start with "
                                       "\"{\\rtf\")")
        .arg(path);
  }
  data.remove(0, start);
  return {};
}

}  // namespace

QString RtfReader::CutNote() {
  return QCoreApplication::translate(
      "app::RtfReader",
      "[The help text stops here: the file holds more text or more changes of type than a help "
      "page can show.]");
}

void RtfReader::Read(const QByteArray& rtf, QTextDocument& document, bool fileWasCut) {
  error_.clear();
  cut_ = false;
  document.clear();
  // Building the text is not an edit the reader of the help could undo; one
  // edit block lets the document lay itself out once at the end.
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  {
    QTextCursor batch(&document);
    batch.beginEditBlock();
    Parser parser(document);
    parser.Run(rtf);
    parser.Finish(fileWasCut);
    cut_ = parser.WasCut();
    batch.endEditBlock();
  }
  document.setUndoRedoEnabled(undo);
}

bool RtfReader::ReadFile(const QString& path, QTextDocument& document) {
  QByteArray data;
  bool fileWasCut = false;
  const QString problem = ReadStart(path, kMaxFileBytes, data, fileWasCut);
  if (!problem.isEmpty()) {
    document.clear();
    error_ = problem;
    cut_ = false;
    return false;
  }
  Read(data, document, fileWasCut);
  return true;
}

QString RtfReader::FileProblem(const QString& path) {
  QByteArray start;
  bool longer = false;
  return ReadStart(path, kLookedAt, start, longer);
}

}  // namespace app
