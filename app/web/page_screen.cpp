#include "page_screen.h"

#include "ui/form_names.h"
#include "ui/toolkit/form_registry.h"
#include "ui/toolkit/placement.h"
#include "ui/toolkit/twips.h"
#include "ui/toolkit/zoom.h"

#include <QApplication>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include <emscripten.h>
#include <emscripten/bind.h>

#include <algorithm>
#include <cmath>

namespace vintalem::web {

namespace {

// The page's room for the game, in CSS pixels, and its density.
EM_JS(double, vintalem_room_js, (int which), {
    const room = window.vintalemRoom ? window.vintalemRoom() : [innerWidth, innerHeight, devicePixelRatio];
    return room[which];
});

// The page draws the title bars: they grow with the windows before Qt measures them.
EM_JS(void, vintalem_scaling_js, (double scale), {
    if (typeof window.vintalemScaling === "function")
        window.vintalemScaling(scale);
});

// What the windows cover at this scale, in CSS pixels, for the page to scroll to all of it.
EM_JS(void, vintalem_scene_js, (double scale, double zoom, double width, double height), {
    if (typeof window.vintalemScene === "function")
        window.vintalemScene(scale, zoom, width, height);
});

ui::FormRegistry* registry = nullptr;
ui::Zoom* pageZoom = nullptr;
ui::Fit fitted;

std::vector<QWidget*> shownWindows()
{
    std::vector<QWidget*> shown;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<ui::Form*>(window))
            shown.push_back(window);
    return shown;
}

// A window as it stands, or before it first shows as its designed client area with a menu bar
// and a frame: the first fit is made again once the windows have been measured.
QSizeF outerSizeOf(const QString& name, int widthTwips, int heightTwips, bool menu)
{
    if (const QWidget* window = registry->find(name); window && window->isVisible())
        return ui::outerSize(*window);
    QSize size(ui::twipsToPixels(widthTwips), ui::twipsToPixels(heightTwips));
    if (menu)
        size.rheight() += QMenuBar().sizeHint().height();
    return size.grownBy(ui::kAssumedFrame);
}

void tellScene()
{
    QRect covered;
    for (QWidget* window : shownWindows())
        covered |= window->frameGeometry();
    const qreal scale = pageZoom->scale();
    vintalem_scene_js(scale, pageZoom->zoom(), std::ceil((covered.right() + 1) * scale),
                      std::ceil((covered.bottom() + 1) * scale));
}

QRect available(const QSizeF& room)
{
    const qreal scale = pageZoom->scale();
    return QRect(0, 0, int(room.width() / scale), int(room.height() / scale));
}

bool allWhole(const QSizeF& room)
{
    const QRect area = available(room);
    const std::vector<QWidget*> windows = shownWindows();
    return std::all_of(windows.begin(), windows.end(), [&area](const QWidget* w) { return area.contains(w->frameGeometry()); });
}

// The windows laid out afresh in the room at the new scale: the largest first, from the top
// left, the others beside it where there is room, else over it.
void arrange(const QSizeF& room)
{
    std::vector<QWidget*> windows = shownWindows();
    std::stable_sort(windows.begin(), windows.end(), [](const QWidget* a, const QWidget* b) {
        return a->width() * a->height() > b->width() * b->height();
    });
    std::vector<QSize> sizes;
    for (const QWidget* window : windows)
        sizes.push_back(ui::outerSize(*window));
    const std::vector<QPoint> places = ui::placeWindows(available(room).adjusted(0, 0, -1, -1), sizes);
    for (std::size_t i = 0; i < windows.size(); ++i)
        windows[i]->move(places[i]);
}

void refit()
{
    const QSizeF room(vintalem_room_js(0), vintalem_room_js(1));
    const qreal density = vintalem_room_js(2);
    if (room.isEmpty() || density <= 0)
        return;
    // Twips of the main window's and the codon table's client areas.
    const QSizeF alone = outerSizeOf(ui::names::zuvo, 10470, 5385, true);
    const QSizeF table = outerSizeOf(ui::names::Atab, 6600, 5010, false);
    const QSizeF pair(alone.width() + table.width(), std::max(alone.height(), table.height()));
    const ui::Fit fit = ui::fitScreen(room, density, alone, pair);
    const bool changed = !qFuzzyCompare(fit.scale, fitted.scale) || fit.sideBySide != fitted.sideBySide;
    fitted = fit;
    pageZoom->setFit(fit.scale);
    // Also when the windows, measured at last, no longer fit where they were first placed.
    if (changed || (pageZoom->zoom() == 1 && !allWhole(room)))
        arrange(room);
    tellScene();
}

void zoomBy(int steps) { pageZoom->zoomBy(steps); }
void zoomTo(double zoom) { pageZoom->setZoom(zoom); }
double scale() { return pageZoom->scale(); }
double zoom() { return pageZoom->zoom(); }

}  // namespace

void fitGameToPage(ui::FormRegistry& forms, ui::Zoom& zoom)
{
    registry = &forms;
    pageZoom = &zoom;
    zoom.setKeepsWindowsOnScreen(false);
    QObject::connect(&zoom, &ui::Zoom::scaleChanging, &zoom, [](qreal scale) { vintalem_scaling_js(scale); });
    // A frame drawn by the page keeps its page pixels: at a new scale a window at the page's edge
    // may reach past it by its border, and comes back.
    QObject::connect(&zoom, &ui::Zoom::scaleChanged, &zoom, [] {
        for (QWidget* window : shownWindows())
            if (const QRect frame = window->frameGeometry(); frame.left() < 0 || frame.top() < 0)
                window->move(std::max(frame.left(), 0), std::max(frame.top(), 0));
        tellScene();
    });
    refit();
    // Once more when the first windows have shown and the page has measured their frames.
    QTimer::singleShot(0, &zoom, [&zoom] { QTimer::singleShot(0, &zoom, [] { refit(); }); });
}

}  // namespace vintalem::web

EMSCRIPTEN_BINDINGS(vintalem_screen)
{
    emscripten::function("vintalemRefit", &vintalem::web::refit);
    emscripten::function("vintalemZoomBy", &vintalem::web::zoomBy);
    emscripten::function("vintalemZoomTo", &vintalem::web::zoomTo);
    emscripten::function("vintalemScale", &vintalem::web::scale);
    emscripten::function("vintalemZoom", &vintalem::web::zoom);
}
