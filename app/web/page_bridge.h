#pragma once

namespace vintalem::ui {
class FormRegistry;
}

namespace vintalem::web {

// Gives the page the faces the game draws with, for what the page draws itself (the windows'
// title bars). Called once the program's screen is in the page.
void giveFacesToPage();

// A point of the start-up, for the page's profile of where a load's time goes.
void mark(const char* name);

// Tells the page when the game is over (its last window unloaded), so the page can say so
// and offer to start again: in a browser the program cannot end its own process.
void tellPageWhenOver(ui::FormRegistry& forms);

}  // namespace vintalem::web
