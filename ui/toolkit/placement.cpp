#include "placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vintalem::ui {

namespace {

long long area(const QRect& r) { return r.isEmpty() ? 0 : static_cast<long long>(r.width()) * r.height(); }

long long overlap(const QRect& r, const std::vector<QRect>& occupied)
{
    long long total = 0;
    for (const QRect& o : occupied)
        total += area(r.intersected(o));
    return total;
}

// The lowest start inside [low, high] for a length that may not fit at all.
int clampStart(int start, int low, int high, int length)
{
    return std::max(low, std::min(start, high + 1 - length));
}

QPoint placeOne(const QRect& available, const QSize& size, const std::vector<QRect>& occupied)
{
    // The best place touches the area's edges or another window's edges.
    std::vector<int> xs{available.left(), available.right() + 1 - size.width()};
    std::vector<int> ys{available.top(), available.bottom() + 1 - size.height()};
    for (const QRect& o : occupied) {
        xs.insert(xs.end(), {o.right() + 1, o.left() - size.width(), o.left()});
        ys.insert(ys.end(), {o.bottom() + 1, o.top() - size.height(), o.top()});
    }
    QPoint best;
    long long bestOverlap = -1;
    for (int y : ys) {
        y = clampStart(y, available.top(), available.bottom(), size.height());
        for (int x : xs) {
            x = clampStart(x, available.left(), available.right(), size.width());
            const long long o = overlap(QRect(QPoint(x, y), size), occupied);
            const bool better = bestOverlap < 0 || o < bestOverlap
                || (o == bestOverlap && (y < best.y() || (y == best.y() && x < best.x())));
            if (better) {
                best = QPoint(x, y);
                bestOverlap = o;
            }
        }
    }
    return best;
}

QMargins frameOf(const QWidget& w)
{
    const QRect inner = w.geometry();
    const QRect outer = w.frameGeometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

}  // namespace

QSize outerSize(const QWidget& window)
{
    const QMargins frame = frameOf(window);
    return window.size().grownBy(frame.isNull() ? kAssumedFrame : frame);
}

void keepOnScreen(QWidget& window)
{
    QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const QPoint at(clampStart(frame.left(), available.left(), available.right(), frame.width()),
                    clampStart(frame.top(), available.top(), available.bottom(), frame.height()));
    if (at != frame.topLeft())
        window.move(at);
}

std::vector<QPoint> placeWindows(const QRect& available, const std::vector<QSize>& sizes, std::vector<QRect> occupied)
{
    std::vector<QPoint> placed;
    placed.reserve(sizes.size());
    for (const QSize& size : sizes) {
        placed.push_back(placeOne(available, size, occupied));
        occupied.emplace_back(placed.back(), size);
    }
    return placed;
}

void placeAmong(QWidget& window, const std::vector<const QWidget*>& others)
{
    // Every window of the program has the same decoration: once one has been mapped, its
    // frame is known; until then assume one.
    QMargins frame = kAssumedFrame;
    QScreen* screen = nullptr;
    for (const QWidget* other : others) {
        if (!other->isVisible())
            continue;
        if (!screen || other == QApplication::activeWindow())
            screen = other->screen();
        if (const QMargins known = frameOf(*other); !known.isNull())
            frame = known;
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;

    std::vector<QRect> occupied;
    for (const QWidget* other : others) {
        // A window loaded but not shown yet (one that opens others while it loads)
        // keeps the place it was given.
        if (other->isVisible() && !frameOf(*other).isNull())
            occupied.push_back(other->frameGeometry());
        else
            occupied.emplace_back(other->pos(), other->size().grownBy(frame));
    }
    window.ensurePolished();
    if (QLayout* layout = window.layout())
        layout->activate();
    const QSize outer = window.size().grownBy(frame);
    // One pixel spare at the right and bottom: at fractional scale factors the frame is
    // rounded to whole device pixels and can otherwise end one past the edge.
    const QRect available = screen->availableGeometry().adjusted(0, 0, -1, -1);
    window.move(placeWindows(available, {outer}, std::move(occupied)).front());
}

}  // namespace vintalem::ui
