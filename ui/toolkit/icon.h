#pragma once

#include <QIcon>

namespace vintalem::ui {

// The 32 x 32, 16-colour icon every window carries.
QIcon programIcon();

}  // namespace vintalem::ui
