#pragma once

#include <QFont>
#include <QIcon>

namespace vintalem::ui {

// The windows' default font: Liberation Sans at 10 logical pixels (7.5 pt at 96 dpi),
// the size at which every caption fits the compact fixed layout.
QFont defaultFont();

// The 32 x 32, 16-colour icon every window carries.
QIcon programIcon();

// Registers the fonts the program carries in its resources, once. Windows and the browser
// have no Liberation Sans; on Linux the package brings the fonts and the program carries none.
void loadBundledAssets();

// Sets up the running QApplication the way every window of the game expects, whatever the
// desktop says: its name, font, icon, look and Qt's own texts in Italian.
// The game and the tests that check these things call it once, before any window exists.
void setUpApplication();

}  // namespace vintalem::ui
