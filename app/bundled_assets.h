#pragma once

namespace vintalem {

// Registers the fonts the program carries in its resources. Windows and the browser have no
// Liberation Sans, which the windows are laid out for; on Linux the package brings the fonts
// and the program carries none.
void loadBundledAssets();

}  // namespace vintalem
