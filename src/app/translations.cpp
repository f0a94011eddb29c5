#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <string>

#include "base/texts.h"

namespace app {

std::string TranslateCoreText(const char* context, const char* english) {
  return QCoreApplication::translate(context, english).toStdString();
}

bool InstallTranslations(QCoreApplication& application, const QString& dataDir) {
  const QLocale locale;
  base::SetTranslator(&TranslateCoreText);
  // Qt's own texts (the standard buttons of message boxes, file dialogs).
  auto* qt = new QTranslator(&application);
  if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
  } else {
    delete qt;
  }
  auto* own = new QTranslator(&application);
  if (own->load(locale, QStringLiteral("sorami"), QStringLiteral("_"),
                dataDir + QStringLiteral("translations"))) {
    QCoreApplication::installTranslator(own);
    return true;
  }
  delete own;
  return false;
}

}  // namespace app
