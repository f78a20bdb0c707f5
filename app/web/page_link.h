#pragma once

namespace vintalem::ui {
class Toolkit;
}

namespace vintalem::web {

// A strand in the page's address (a teacher's link): the game starts on it as if it had drawn
// it, with the boxes the teacher changed. Called before the main window loads; a link that is
// wrong starts the game as usual and the page says what was wrong with it.
void followLink(ui::Toolkit& toolkit);
// The teacher's boxes, once the main window shows its strand.
void showLinkedBoxes(ui::Toolkit& toolkit);

}  // namespace vintalem::web
