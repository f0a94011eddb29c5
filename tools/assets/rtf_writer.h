#pragma once
// A writer for the small part of Rich Text Format that the game's help
// window reads. The files use only:
//   groups { }, \rtf1 \ansi \deff0, the font table \fonttbl (with \f0 and a
//   family word), the colour table \colortbl (\red \green \blue), \par,
//   \b \i \ul (each switched off with a 0 argument or by the end of its
//   group), \fs (font size in half-points), \cf (text colour),
//   \'hh (a Windows-1252 character) and \uN followed by one '?' fallback
//   (any other character).
// The output is plain 7-bit ASCII.
//
// Paragraph text may carry inline marks: **bold**, //italic//, __underline__
// and {{key}} for a key or menu entry (bold, in the key colour).

#include <QByteArray>
#include <QString>

namespace assets {

class RtfWriter {
 public:
  RtfWriter();
  void Title(const QString& text);
  void Heading(const QString& text);
  void Subheading(const QString& text);
  void Paragraph(const QString& marked_text);
  // A paragraph that starts with a bullet and an indent of blanks.
  void Bullet(const QString& marked_text);
  // "entry" then "shortcut" then the explanation, for command lists.
  void Command(const QString& entry, const QString& shortcut, const QString& marked_text);
  void Blank();
  QByteArray Finish() const;

 private:
  void Text(const QString& plain);  // escaped, no marks
  void Marked(const QString& marked);
  QByteArray body_;
};

// Escapes one string for RTF, exactly as the writer does (exposed for tests).
QByteArray RtfEscape(const QString& text);

}  // namespace assets
