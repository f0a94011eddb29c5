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

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace app {

class RtfReader {
 public:
  static constexpr int kMaxDepth = 128;

  // Replaces the document's content by the RTF text `rtf`.
  void Read(const QByteArray& rtf, QTextDocument& document);
  // Reads the RTF file at `path` into the document. When the file cannot be
  // opened the document is emptied and false is returned, with ErrorText()
  // "Cannot open file <path>".
  bool ReadFile(const QString& path, QTextDocument& document);
  const QString& ErrorText() const { return error_; }

 private:
  QString error_;
};

}  // namespace app
