#pragma once

namespace vintalem::ui {
class FormRegistry;
}

namespace vintalem::web {

// Tells the page when the game is over (its last window unloaded), so the page can say so
// and offer to start again: in a browser the program cannot end its own process.
void tellPageWhenOver(ui::FormRegistry& forms);

}  // namespace vintalem::web
