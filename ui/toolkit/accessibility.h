#pragma once

namespace vintalem::ui {

// Lets screen readers read and press the toolkit's custom-painted controls, see the
// windows as windows, and read every text box, whose own interface in Qt 6.4 loops for
// ever on some questions about one-line boxes.
void installAccessibility();

}  // namespace vintalem::ui
