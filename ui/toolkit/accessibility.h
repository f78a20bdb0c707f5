#pragma once

namespace vintalem::ui {

// Lets screen readers read and press the toolkit's custom-painted controls.
void installAccessibility();

}  // namespace vintalem::ui
