#pragma once

#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QStringList>

namespace vintalem::ui {

// What a program brings of its own: its name, font and icon, and which of Qt's
// installed translations to load for Qt's own texts.
struct ProgramAssets {
    QString name;
    QFont font;
    QIcon icon;
    QStringList translations;
};

// Sets up the running QApplication with the program's assets, Fusion and the designed
// palette, whatever the desktop says; a font that draws with another family, or a translation
// that does not load, is reported on the standard error. Called once, before any window exists.
void setUpApplication(const ProgramAssets& assets);

// The light palette the windows were designed on: every colour a program fixes was chosen
// for its grounds, so a dark desktop scheme must not replace them.
QPalette designedPalette();

// One of Qt's installed translations (context menus, standard buttons, dialogs; on Debian
// from qt6-translations-l10n), read in place rather than copied into the program, whose
// licence may differ from theirs; where the system has none (Windows, the browser), the copy
// a program carries under :/translations. Installing it twice does nothing; a file found in
// neither place is reported on the standard error, and Qt's texts stay English.
bool installTranslation(const QString& name);

}  // namespace vintalem::ui
