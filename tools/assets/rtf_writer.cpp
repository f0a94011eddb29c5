#include "rtf_writer.h"

namespace assets {
namespace {
// Colour numbers in the table written by Finish.
constexpr int kTitleColour = 1;
constexpr int kHeadingColour = 2;
constexpr int kKeyColour = 3;
constexpr int kBodySize = 20;  // half-points: 10 pt
}  // namespace

QByteArray RtfEscape(const QString& text) {
  QByteArray out;
  for (const QChar ch : text) {
    const char16_t c = ch.unicode();
    if (c == '\\' || c == '{' || c == '}') {
      out.append('\\');
      out.append(static_cast<char>(c));
    } else if (c == '\n') {
      out.append("\\par\n");
    } else if (c >= 0x20 && c < 0x7F) {
      out.append(static_cast<char>(c));
    } else if (c >= 0xA0 && c <= 0xFF) {
      out.append(QStringLiteral("\\'%1").arg(static_cast<int>(c), 2, 16, QLatin1Char('0')).toLatin1());
    } else {
      // \uN takes a signed 16-bit number; one '?' follows for readers
      // that do not know the character.
      const int n = c > 32767 ? static_cast<int>(c) - 65536 : static_cast<int>(c);
      out.append(QStringLiteral("\\u%1?").arg(n).toLatin1());
    }
  }
  return out;
}

RtfWriter::RtfWriter() = default;

void RtfWriter::Text(const QString& plain) { body_.append(RtfEscape(plain)); }

void RtfWriter::Marked(const QString& marked) {
  struct Mark { const char* open; const char* close; const char* on; };
  static const Mark kMarks[] = {
      {"**", "**", "{\\b "}, {"//", "//", "{\\i "}, {"__", "__", "{\\ul "}, {"{{", "}}", "{\\b\\cf3 "}};
  int i = 0;
  QString plain;
  while (i < marked.size()) {
    bool matched = false;
    for (const Mark& m : kMarks) {
      if (!marked.mid(i).startsWith(QLatin1String(m.open))) continue;
      const int end = marked.indexOf(QLatin1String(m.close), i + 2);
      if (end < 0) break;
      Text(plain);
      plain.clear();
      body_.append(m.on);
      Marked(marked.mid(i + 2, end - i - 2));
      body_.append("}");
      i = end + 2;
      matched = true;
      break;
    }
    if (!matched) plain.append(marked[i++]);
  }
  Text(plain);
}

void RtfWriter::Title(const QString& text) {
  body_.append(QStringLiteral("{\\b\\fs36\\cf%1 ").arg(kTitleColour).toLatin1());
  Text(text);
  body_.append("}\\par\n");
}

void RtfWriter::Heading(const QString& text) {
  body_.append("\\par\n");
  body_.append(QStringLiteral("{\\b\\fs28\\cf%1 ").arg(kHeadingColour).toLatin1());
  Text(text);
  body_.append("}\\par\n");
}

void RtfWriter::Subheading(const QString& text) {
  body_.append(QStringLiteral("{\\b\\i\\fs22\\cf%1 ").arg(kHeadingColour).toLatin1());
  Text(text);
  body_.append("}\\par\n");
}

void RtfWriter::Paragraph(const QString& marked_text) {
  Marked(marked_text);
  body_.append("\\par\n");
}

void RtfWriter::Bullet(const QString& marked_text) {
  Text(QStringLiteral("   \u2022  "));
  Marked(marked_text);
  body_.append("\\par\n");
}

void RtfWriter::Command(const QString& entry, const QString& shortcut, const QString& marked_text) {
  Text(QStringLiteral("   "));
  body_.append("{\\b ");
  Text(entry);
  body_.append("}");
  if (!shortcut.isEmpty()) {
    Text(QStringLiteral("  ("));
    body_.append(QStringLiteral("{\\b\\cf%1 ").arg(kKeyColour).toLatin1());
    Text(shortcut);
    body_.append("})");
  }
  if (!marked_text.isEmpty()) {
    Text(QStringLiteral(": "));
    Marked(marked_text);
  }
  body_.append("\\par\n");
}

void RtfWriter::Blank() { body_.append("\\par\n"); }

QByteArray RtfWriter::Finish() const {
  QByteArray out;
  out.append("{\\rtf1\\ansi\\deff0\n");
  out.append("{\\fonttbl{\\f0\\fswiss Arial;}}\n");
  out.append("{\\colortbl;\\red150\\green24\\blue24;\\red24\\green44\\blue120;\\red16\\green104\\blue48;}\n");
  out.append(QStringLiteral("\\fs%1\n").arg(kBodySize).toLatin1());
  out.append(body_);
  out.append("}\n");
  return out;
}

}  // namespace assets
