#pragma once

#include <QPalette>

namespace vintalem::ui {

// Sets up the running QApplication the way every window of the game expects, whatever the
// desktop says: its name, font, icon, look and Qt's own texts in Italian.
// The game and the tests that check these things call it once, before any window exists.
void setUpApplication();

// The light palette the windows were designed on: every colour the game fixes was chosen
// for its grounds, so a dark desktop scheme must not replace them.
QPalette designedPalette();

// Qt's own texts (context menus, standard buttons, dialogs) in Italian, from Qt's installed
// translations (Debian's qt6-translations-l10n), read in place rather than copied into the
// program, whose licence differs from theirs. Installing it twice does nothing; without the
// file Qt's texts stay English and the game plays the same.
bool installItalianTranslations();

}  // namespace vintalem::ui
