#pragma once

class QAccessibleInterface;

namespace vintalem::web {

// Shows the game's accessible objects to the browser as elements of the page (roles, names,
// values, states, the keyboard focus, the note as a live region, modality), kept up to date as
// the game changes, so that a screen reader reads the page as it reads the desktop program.
// What the page's elements are asked to do goes back through the same objects and rules.
void mirrorAccessibilityInPage();

// What a screen reader has in focus: an open menu's highlighted item, else the focused control,
// else the active window.
QAccessibleInterface* focusedObject();

}  // namespace vintalem::web
