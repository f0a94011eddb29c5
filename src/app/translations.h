#pragma once
// The player's language: the game's own catalogue (translations/sorami_xx.qm
// in the data folder) and Qt's for its standard dialogs, chosen from the
// locale (LANG, LC_ALL, LC_MESSAGES). The core's texts go through the same
// catalogue (base::SetTranslator).

#include <QString>

class QCoreApplication;

namespace app {

// Loads the catalogues for the system's locale and installs them; true when
// the game's own catalogue for that language was found. English needs none.
bool InstallTranslations(QCoreApplication& application, const QString& dataDir);

// The core's translator: the catalogue's text for an English template.
std::string TranslateCoreText(const char* context, const char* english);

}  // namespace app
