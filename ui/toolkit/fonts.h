#pragma once

#include <QFont>

namespace vintalem::ui {

// The windows' default font: Liberation Sans at 10 logical pixels (7.5 pt at 96 dpi),
// the size at which every caption fits the compact fixed layout.
QFont defaultFont();
QFont boldFont();

}  // namespace vintalem::ui
