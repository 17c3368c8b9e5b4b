#include "app/run_modes.h"

#include <QDir>
#include <QFileInfo>

namespace corvane {

QString chooseProgramFolder(const CommandLine& line)
{
    if (!line.folder.isEmpty())
        return QDir(line.folder).absolutePath();
    // Read before any application object exists, so every mode agrees on it.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

}  // namespace corvane
