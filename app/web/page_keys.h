#pragma once

namespace vintalem::web {

// Lets a menu's Alt+character shortcut match when the character needs Shift ("&?" is Alt+?).
void mendShiftedShortcuts();

}  // namespace vintalem::web
