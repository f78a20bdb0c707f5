#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace vintalem::ui {

// Top left corners for windows of the given outer sizes (frame included), placed one after
// the other inside `available`: each where it overlaps least the `occupied` rectangles and the
// windows placed before it; among equal overlaps the highest, then the leftmost place, so
// windows go side by side where there is room. A window larger than the area keeps its top
// left corner (its title bar) inside it.
std::vector<QPoint> placeWindows(const QRect& available, const std::vector<QSize>& sizes,
                                 std::vector<QRect> occupied = {});

// A frame for windows whose frame is not known yet (on X11 only after mapping): room for a
// title bar and a border.
inline constexpr QMargins kAssumedFrame{6, 32, 6, 6};

// A window's size with its frame: the frame as the window system reports it once the window
// has been shown, kAssumedFrame before.
QSize outerSize(const QWidget& window);

// Moves a window back whole into its screen's free area, as far as it fits; else its top left
// corner (its title bar) stays on it.
void keepOnScreen(QWidget& window);

// Moves a top-level window that has not been shown yet to where placeWindows puts it
// among `others` (the program's other windows), on the screen they are on.
void placeAmong(QWidget& window, const std::vector<const QWidget*>& others);

}  // namespace vintalem::ui
