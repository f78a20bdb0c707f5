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

// Qt's own texts (context menus, standard buttons, dialogs) in Italian, from the copy of
// Debian's qtbase_it.qm built into the program. Installing it twice does nothing.
bool installItalianTranslations();

}  // namespace vintalem::ui
