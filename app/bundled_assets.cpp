#include "bundled_assets.h"

#include <QDir>
#include <QFontDatabase>

namespace vintalem {

void loadBundledAssets()
{
    static const bool loaded = [] {
        const QDir fonts(QStringLiteral(":/fonts"));
        for (const QString& file : fonts.entryList(QDir::Files))
            QFontDatabase::addApplicationFont(fonts.filePath(file));
        return true;
    }();
    (void)loaded;
}

}  // namespace vintalem
