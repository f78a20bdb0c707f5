#pragma once

#include <QObject>
#include <QSizeF>
#include <QString>

#include <map>

class QScreen;
class QWidget;

namespace vintalem::ui {

// How the windows meet a screen at the start: one scale for all of them, and whether the
// codon table fits beside the main window at that scale.
struct Fit {
    qreal scale = 1;
    bool sideBySide = true;
};

// The largest scale at which the windows are whole in `room` (logical pixels at scale 1) on a
// screen of `density` device pixels to a logical one: both windows side by side where that
// keeps them at least at their designed size, else the main window alone. Scales that draw
// every line on whole device pixels are preferred where they lose little, and a screen only
// slightly larger than the design keeps it.
Fit fitScreen(const QSizeF& room, qreal density, const QSizeF& alone, const QSizeF& pair);

// The zoom `steps` steps in (positive) or out (negative) from `zoom`, on the browser's ladder,
// between half and three times.
qreal zoomStep(qreal zoom, int steps);
inline constexpr qreal kMinZoom = 0.5;
inline constexpr qreal kMaxZoom = 3;

// The scale of every window of the program at once: the fitted scale the page chooses, times
// the player's zoom (Ctrl+= and Ctrl+−, Ctrl+0 back, Ctrl+wheel). It works as a denser screen
// does: the windows keep their logical sizes and draw on more device pixels, each kept on its
// screen.
class Zoom final : public QObject {
    Q_OBJECT
public:
    explicit Zoom(QObject* parent = nullptr);
    ~Zoom() override;

    static Zoom* current();

    qreal fit() const { return fit_; }
    qreal zoom() const { return zoom_; }
    qreal scale() const { return fit_ * zoom_; }

    void setFit(qreal fit);
    void setZoom(qreal zoom);
    void zoomBy(int steps) { setZoom(zoomStep(zoom_, steps)); }
    void reset() { setZoom(1); }

    // On a desktop each window stays whole on its screen as it grows; a page that scrolls
    // to what it does not show turns this off.
    void setKeepsWindowsOnScreen(bool keeps) { keepsOnScreen_ = keeps; }

signals:
    // Before the windows change, for what must be ready when they measure their frames.
    void scaleChanging(qreal scale);
    void scaleChanged(qreal scale);

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    void apply(qreal previous);
    qreal baseFactor(QScreen* screen);

    qreal fit_ = 1;
    qreal zoom_ = 1;
    int wheel_ = 0;
    bool keepsOnScreen_ = true;
    std::map<QString, qreal> base_;
};

}  // namespace vintalem::ui
