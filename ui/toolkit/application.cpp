#include "application.h"

#include <QApplication>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace vintalem::ui {

void setUpApplication(const ProgramAssets& assets)
{
    QApplication::setApplicationName(assets.name);
    QApplication::setFont(assets.font);
    // A layout drawn for one face cuts captions in another; the program still starts, and says why.
    if (const QString used = QFontInfo(assets.font).family(); used.compare(assets.font.family(), Qt::CaseInsensitive))
        qWarning("The font \"%s\" is neither installed nor carried: the windows draw with \"%s\" and may cut captions",
                 qPrintable(assets.font.family()), qPrintable(used));
    QApplication::setWindowIcon(assets.icon);
    // Fusion draws the same on every desktop; the explicit palette also tells platform
    // themes (qt6ct, gtk3) that the program keeps its own colours.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(designedPalette());
    for (const QString& translation : assets.translations)
        installTranslation(translation);
}

QPalette designedPalette()
{
    // Qt's own light palette (Fusion on a desktop without a theme), written out: Fusion
    // itself turns dark when the desktop asks for it.
    struct Role {
        QPalette::ColorRole role;
        QRgb normal, disabled;
    };
    static constexpr Role roles[] = {
        {QPalette::WindowText, 0x000000, 0xbebebe},  {QPalette::Button, 0xefefef, 0xefefef},
        {QPalette::Light, 0xffffff, 0xffffff},       {QPalette::Midlight, 0xcacaca, 0xcacaca},
        {QPalette::Dark, 0x9f9f9f, 0xbebebe},        {QPalette::Mid, 0xb8b8b8, 0xb8b8b8},
        {QPalette::Text, 0x000000, 0xbebebe},        {QPalette::BrightText, 0xffffff, 0xffffff},
        {QPalette::ButtonText, 0x000000, 0xbebebe},  {QPalette::Base, 0xffffff, 0xefefef},
        {QPalette::Window, 0xefefef, 0xefefef},      {QPalette::Shadow, 0x767676, 0xb1b1b1},
        // Qt's selection blue (308cc6) carries white text at 3.7:1; this darker one at 5.4:1.
        {QPalette::Highlight, 0x2a6ea6, 0x919191},   {QPalette::HighlightedText, 0xffffff, 0xffffff},
        {QPalette::Link, 0x0000ff, 0x0000ff},        {QPalette::LinkVisited, 0xff00ff, 0xff00ff},
        {QPalette::AlternateBase, 0xf7f7f7, 0xf7f7f7}, {QPalette::ToolTipBase, 0xffffdc, 0xffffdc},
        {QPalette::ToolTipText, 0x000000, 0x000000}, {QPalette::PlaceholderText, 0x000000, 0x000000},
    };
    QPalette palette;
    for (const Role& r : roles) {
        palette.setColor(QPalette::Active, r.role, QColor::fromRgb(r.normal));
        palette.setColor(QPalette::Inactive, r.role, QColor::fromRgb(r.normal));
        palette.setColor(QPalette::Disabled, r.role, QColor::fromRgb(r.disabled));
    }
    return palette;
}

bool installTranslation(const QString& name)
{
    if (qApp->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return true;
    auto* translator = new QTranslator(qApp);  // lives as long as the application
    translator->setObjectName(name);
    // Qt's installed translations where the system has them, else the copy the program carries.
    const QString installed = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString& dir : {installed, QStringLiteral(":/translations")})
        if (translator->load(name, dir))
            return QCoreApplication::installTranslator(translator);
    delete translator;
    qWarning("Qt's translation %s is neither in %s nor in :/translations: Qt's own texts stay English",
             qPrintable(name), qPrintable(installed));
    return false;
}

}  // namespace vintalem::ui
