#include "zoom.h"

#include "placement.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <QtGui/private/qwindow_p.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace vintalem::ui {

namespace {

Zoom* instance = nullptr;

constexpr std::array kLadder{0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

bool zoomKey(const QKeyEvent& key, int& steps)
{
    if (!(key.modifiers() & Qt::ControlModifier) || (key.modifiers() & (Qt::AltModifier | Qt::MetaModifier)))
        return false;
    switch (key.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        steps = 1;
        return true;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        steps = -1;
        return true;
    case Qt::Key_0:
        steps = 0;
        return true;
    default:
        return false;
    }
}

// Scroll areas' viewports keep what they drew at the old density unless told; the window
// system may resize the window after this pass, so once more then.
void repaintAll(QWidget& window)
{
    const auto all = [&window] {
        window.update();
        for (QWidget* child : window.findChildren<QWidget*>())
            child->update();
    };
    all();
    QTimer::singleShot(0, &window, all);
}

}  // namespace

Fit fitScreen(const QSizeF& room, qreal density, const QSizeF& alone, const QSizeF& pair)
{
    const auto within = [&room](const QSizeF& size) {
        return std::min(room.width() / size.width(), room.height() / size.height());
    };
    const qreal pairScale = within(pair);
    const bool sideBySide = pairScale >= 1;
    const qreal most = sideBySide ? pairScale : within(alone);
    if (most >= 1 && most < 1.25)
        return {1, sideBySide};
    // Whole device pixels to a logical one draw every line evenly; eighths otherwise.
    const qreal even = std::floor(most * density + 1e-9) / density;
    const qreal scale = even >= 0.9 * most ? even : std::floor(most * 8 + 1e-9) / 8;
    return {std::max(scale, 0.125), sideBySide};
}

qreal zoomStep(qreal zoom, int steps)
{
    if (steps > 0) {
        const auto next = std::upper_bound(kLadder.begin(), kLadder.end(), zoom + 1e-6);
        return next == kLadder.end() ? kMaxZoom : zoomStep(*next, steps - 1);
    }
    if (steps < 0) {
        const auto below = std::lower_bound(kLadder.begin(), kLadder.end(), zoom - 1e-6);
        return below == kLadder.begin() ? kMinZoom : zoomStep(*(below - 1), steps + 1);
    }
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

Zoom::Zoom(QObject* parent) : QObject(parent)
{
    instance = this;
    qApp->installEventFilter(this);
}

Zoom::~Zoom()
{
    if (instance == this)
        instance = nullptr;
}

Zoom* Zoom::current() { return instance; }

void Zoom::setFit(qreal fit)
{
    const qreal previous = scale();
    fit_ = fit;
    apply(previous);
}

void Zoom::setZoom(qreal zoom)
{
    const qreal previous = scale();
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    apply(previous);
}

qreal Zoom::baseFactor(QScreen* screen)
{
    // A screen's own factor (the system's scale), taken before the first change of ours; a
    // global QT_SCALE_FACTOR multiplies whatever a screen's factor is.
    const auto [it, added] = base_.try_emplace(screen->name(), 1.0);
    if (added) {
        bool set = false;
        const qreal global = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
        it->second = QHighDpiScaling::factor(screen) / (set && global > 0 ? global : 1.0);
    }
    return it->second;
}

void Zoom::apply(qreal previous)
{
    const qreal now = scale();
    if (qFuzzyCompare(now, previous))
        return;
    emit scaleChanging(now);
    for (QScreen* screen : QGuiApplication::screens())
        QHighDpiScaling::setScreenFactor(screen, baseFactor(screen) * now);
    // The windows keep their logical geometry; their native one follows the new factor.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QWindow* handle = window->windowHandle();
        if (!handle)
            continue;
        handle->setGeometry(window->geometry());
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        // From 6.6 a window keeps its ratio until told: a window system that reports no change
        // of its own (offscreen) would draw at the old one.
        QWindowPrivate::get(handle)->updateDevicePixelRatio();
#endif
        if (keepsOnScreen_ && window->isVisible())
            keepOnScreen(*window);
        repaintAll(*window);
    }
    emit scaleChanged(now);
}

bool Zoom::eventFilter(QObject* receiver, QEvent* event)
{
    // Each event once, at the object it was sent to first.
    if (event->type() == QEvent::KeyPress && receiver == QGuiApplication::focusObject()) {
        int steps = 0;
        if (!zoomKey(*static_cast<QKeyEvent*>(event), steps))
            return false;
        steps ? zoomBy(steps) : reset();
        return true;
    }
    // The key must not also reach a shortcut of the game's.
    if (event->type() == QEvent::ShortcutOverride && receiver == QGuiApplication::focusObject()) {
        int steps = 0;
        if (zoomKey(*static_cast<QKeyEvent*>(event), steps))
            event->accept();
        return false;
    }
    if (event->type() == QEvent::Wheel && receiver->isWidgetType()) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier))
            return false;
        // A notch is 120; a touchpad's small deltas add up to one.
        wheel_ += wheel->angleDelta().y();
        const int steps = wheel_ / 120;
        wheel_ %= 120;
        if (steps)
            zoomBy(steps);
        return true;
    }
    return false;
}

}  // namespace vintalem::ui
