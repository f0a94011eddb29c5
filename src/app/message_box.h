#pragma once
// The game's message boxes, kept within the screen. A message may hold a
// path of a few hundred characters without a blank (a layout file with a long
// name, deep in the folders), which a message box would show on one line
// wider than the screen: such runs are given places where the line may break.

#include <QMessageBox>
#include <QString>

class QWidget;

namespace app {

// Runs of characters without a blank longer than this get places to break.
inline constexpr int kLongestUnbrokenRun = 40;

// `text` as it is shown: a zero-width space after each '/' and '\' of a run
// longer than kLongestUnbrokenRun characters, and after every
// kLongestUnbrokenRun characters of a run that still has no place to break.
// Removing the zero-width spaces gives back `text`.
QString WithLineBreaks(const QString& text);

// A message box over `parent` (or the screen) with `text` shown whole within
// the screen; returns the button clicked.
QMessageBox::StandardButton ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The same for a box built by the caller (with its own buttons): the text
// and the informative text are given their places to break.
void KeepWithinScreen(QMessageBox& box);

}  // namespace app
