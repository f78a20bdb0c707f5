#pragma once

#include <QRect>

class QWidget;

namespace vintalem::ui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// Fixed geometry given in twips, relative to the parent's client area.
void placeTwips(QWidget* widget, int left, int top, int width, int height);

}  // namespace vintalem::ui
