#pragma once
// The program's own pointer shape "TECHNO" ("Cool Mouse"): the picture
// ProgramDir/cursors/techno.png with its hot spot written as "x y" in
// ProgramDir/cursors/techno.hotspot. Without the picture the system's
// arrow stands in.

#include <QCursor>
#include <QString>

namespace app {

QCursor LoadPointerShape(const QString& programDir);

}  // namespace app
