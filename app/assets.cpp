#include "assets.h"

#include "ui/toolkit/application.h"

#include <QDir>
#include <QFontDatabase>
#include <QPixmap>

namespace vintalem::ui {

namespace {
#include "resources/vintalem.xpm"
}

#ifndef VINTALEM_FONT_FAMILY
#define VINTALEM_FONT_FAMILY "Liberation Sans"
#endif

QFont defaultFont()
{
    QFont font(QStringLiteral(VINTALEM_FONT_FAMILY));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

QIcon programIcon()
{
    static const QIcon icon{QPixmap(vintalem_icon)};
    return icon;
}

void loadBundledAssets()
{
    static const bool loaded = [] {
        // A folder of its own: Qt for the browser keeps its fallback fonts under :/fonts.
        const QDir fonts(QStringLiteral(":/vintalem/fonts"));
        for (const QString& file : fonts.entryList(QDir::Files))
            if (QFontDatabase::addApplicationFont(fonts.filePath(file)) < 0)
                qWarning("The carried font %s does not load", qPrintable(fonts.filePath(file)));
        return true;
    }();
    (void)loaded;
}

void setUpApplication()
{
    loadBundledAssets();
    // No display name: Qt would append it to every title bar. The desktop learns the
    // program's name from its .desktop entry (main() names it).
    setUpApplication({QStringLiteral("vintalem"), defaultFont(), programIcon(), {QStringLiteral("qtbase_it")}});
}

}  // namespace vintalem::ui
