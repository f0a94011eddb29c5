#pragma once
// Our reader of Rich Text Format, for the help window's "Help" and
// "What's New" pages: it turns an RTF text into a Qt text document.
//
// Understood: groups; control words and control symbols; \par, \line, \tab,
// \page; bold \b, italic \i, underline \ul (and its variants) with \ulnone;
// hidden text \v; font sizes \fs (half-points); the font table \fonttbl with
// \f and \deff (the family names are used); the colour table \colortbl with
// \cf; characters \'hh (Windows code page 1252) and \uN with \ucN fallback
// skipping; the typographic words (\emdash, \bullet, \lquote...); \plain;
// \pard with the paragraph alignment \ql \qc \qr \qj and indents \li \ri \fi
// and spacing \sb \sa (twips).
//
// Everything else is skipped: unknown control words, the \* destinations and
// the destinations that hold no text (stylesheet, info, pictures...). Any
// input is read without crashing or hanging: groups nest at most
// RtfReader::kMaxDepth deep (deeper ones are skipped), unbalanced braces and a
// truncated file simply end the text, and the work is linear in the input.
//
// A page is also kept small enough for the text box to lay it out at once
// (bench/help_text.cpp measures it): Qt's layout of a word too long for a
// line grows with the square of its length, so long words get places to
// break; and a text that would hold more than the limits below is cut where
// it reaches one, and ends with a note saying so.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace app {

class RtfReader {
 public:
  static constexpr int kMaxDepth = 128;
  // Of a file, at most this many bytes are read.
  static constexpr qsizetype kMaxFileBytes = 2 * 1024 * 1024;
  // What one page may hold: characters (a paragraph's end counts as one),
  // paragraphs, changes of format from one piece of text to the next, and
  // pieces of text in one paragraph.
  static constexpr int kMaxCharacters = 250'000;
  static constexpr int kMaxParagraphs = 5'000;
  static constexpr int kMaxFormatChanges = 10'000;
  static constexpr int kMaxRunsInParagraph = 2'000;
  // A word longer than this gets an invisible place to break (a zero-width
  // space) after every kLongestWord characters.
  static constexpr int kLongestWord = 64;

  // The note that ends a text cut at a limit.
  static QString CutNote();

  // Replaces the document's content by the RTF text `rtf`. `fileWasCut`: the
  // bytes are only the start of a longer file.
  void Read(const QByteArray& rtf, QTextDocument& document, bool fileWasCut = false);
  // Reads the RTF file at `path` into the document. When it cannot be
  // opened, or does not start as an RTF text ("{\rtf"), the document is
  // emptied and false is returned, with ErrorText() saying why
  // ("Cannot open file <path>" for a file that cannot be opened).
  bool ReadFile(const QString& path, QTextDocument& document);
  const QString& ErrorText() const { return error_; }
  // Whether the last text read was cut at a limit (see CutNote).
  bool WasCut() const { return cut_; }

  // What ReadFile would report of the file without reading it whole (its
  // first bytes are looked at); empty when nothing.
  static QString FileProblem(const QString& path);

 private:
  QString error_;
  bool cut_ = false;
};

}  // namespace app
