#include "app/message_box.h"

namespace app {

namespace {

constexpr QChar kZeroWidthSpace(0x200B);

bool IsBlank(QChar c) { return c.isSpace() || c == kZeroWidthSpace; }

}  // namespace

QString WithLineBreaks(const QString& text) {
  QString shown;
  shown.reserve(text.size() + text.size() / kLongestUnbrokenRun + 8);
  qsizetype start = 0;
  while (start < text.size()) {
    if (IsBlank(text[start])) {
      shown += text[start++];
      continue;
    }
    qsizetype end = start;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    const QStringView run = QStringView(text).sliced(start, end - start);
    if (run.size() <= kLongestUnbrokenRun) {
      shown += run;
    } else {
      // After the separators of a path first; within a longer stretch
      // between them, every kLongestUnbrokenRun characters.
      qsizetype sinceBreak = 0;
      for (qsizetype i = 0; i < run.size(); ++i) {
        const QChar c = run[i];
        shown += c;
        ++sinceBreak;
        const bool last = i + 1 == run.size();
        // Never between the halves of a surrogate pair.
        if (!last && !c.isHighSurrogate() &&
            (c == u'/' || c == u'\\' || sinceBreak >= kLongestUnbrokenRun)) {
          shown += kZeroWidthSpace;
          sinceBreak = 0;
        }
      }
    }
    start = end;
  }
  return shown;
}

void KeepWithinScreen(QMessageBox& box) {
  box.setText(WithLineBreaks(box.text()));
  if (!box.informativeText().isEmpty()) box.setInformativeText(WithLineBreaks(box.informativeText()));
}

QMessageBox::StandardButton ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, title, text, buttons, parent);
  box.setTextFormat(Qt::PlainText);
  if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
  KeepWithinScreen(box);
  const int answer = box.exec();
  return box.clickedButton() == nullptr ? QMessageBox::NoButton
                                        : static_cast<QMessageBox::StandardButton>(answer);
}

}  // namespace app
