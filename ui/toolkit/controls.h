#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaMethod>
#include <QPixmap>

#include <functional>
#include <variant>
#include <vector>

namespace vintalem::ui {

// What a clickable custom-painted control shares: a left click released inside it, or Space
// or Return while it has the focus, presses it; taking or losing the focus repaints it, so
// that its focus mark comes and goes.
template <typename Base>
class Pressable : public Base {
public:
    using Base::Base;

protected:
    virtual void press() = 0;
    virtual bool takesPressKeys() const { return true; }
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Draws the focus mark over what the control has painted, while it has the focus.
    void paintFocusMark();
};

// A label that wraps its caption at word boundaries, as the fixed layout expects.
class Label : public Pressable<QLabel> {
    Q_OBJECT
public:
    explicit Label(const QString& caption = {}, QWidget* parent = nullptr);

    void setForeColor(const QColor& color);
    QColor foreColor() const;
    void setFontBold(bool bold);
    bool fontBold() const { return font().bold(); }
    // Whether anyone listens to clicks: screen readers then offer a press action.
    bool isClickable() const { return isSignalConnected(QMetaMethod::fromSignal(&Label::clicked)); }
    // A highlighted label: screen readers read it as selected, and describe it so.
    void setMarked(bool marked);
    bool isMarked() const { return marked_; }
    void setMarkedDescription(const QString& description) { markedDescription_ = description; }
    const QString& markedDescription() const { return markedDescription_; }
    // A note that screen readers announce as soon as it appears.
    void setAnnounced(bool announced) { announced_ = announced; }
    bool isAnnounced() const { return announced_; }

signals:
    void clicked();

protected:
    void press() override { emit clicked(); }
    // Only a label someone listens to takes Space and Return.
    bool takesPressKeys() const override { return isClickable(); }
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool marked_ = false;
    bool announced_ = false;
    QString markedDescription_;
};

// A one-line text box whose KeyPress handler sees each typed character first and
// may replace it, or drop it by setting it to 0.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    using KeyPressHandler = std::function<void(int& keyAscii)>;

    explicit TextBox(QWidget* parent = nullptr);

    void setKeyPress(KeyPressHandler handler) { keyPress_ = std::move(handler); }
    void setForeColor(const QColor& color);
    QColor foreColor() const;

    // The character code a key event types, or 0 for a key that types nothing.
    static int keyAsciiOf(const QKeyEvent& event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    KeyPressHandler keyPress_;
};

// A drawing surface in twips that keeps what was drawn as shapes, so it repaints
// exactly at any pixel ratio until it is cleared.
class PictureBox : public Pressable<QFrame> {
    Q_OBJECT
public:
    struct Line {
        QPointF from, to;
        bool operator==(const Line&) const = default;
    };
    struct Box {
        QRectF rect;
        QColor fill;
        bool operator==(const Box&) const = default;
    };
    struct Circle {
        QPointF centre;
        qreal radius;
        QColor fill;
        bool operator==(const Circle&) const = default;
    };
    using Shape = std::variant<Line, Box, Circle>;

    explicit PictureBox(QWidget* parent = nullptr);

    void Cls();
    void setFillColor(const QColor& color) { fillColor_ = color; }
    void drawLine(QPointF from, QPointF to);
    void drawBox(QPointF corner1, QPointF corner2);
    void drawCircle(QPointF centre, qreal radius);

    // The label that shows this box's caption, which screen readers read with it.
    void setCaptionLabel(QLabel* label) { captionLabel_ = label; }
    QLabel* captionLabel() const { return captionLabel_; }

    const std::vector<Shape>& shapes() const { return shapes_; }
    bool isEmpty() const { return shapes_.empty(); }

signals:
    void clicked();

protected:
    void press() override { emit clicked(); }
    void paintEvent(QPaintEvent* event) override;

private:
    void add(Shape shape);
    void paintContent(QPainter& p) const;

    std::vector<Shape> shapes_;
    QColor fillColor_ = Qt::black;
    QLabel* captionLabel_ = nullptr;
    // The last drawing, reused while the shapes, size and pixel ratio stay the same:
    // antialiased outlines at this scale cost far more than a copy.
    QPixmap cache_;
    std::vector<Shape> cachedShapes_;
};

// A list box that reports the release of a mouse button after it has taken the click.
// As on the platform's list boxes, only the left button selects; every release is reported.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

signals:
    void mouseUp(int button, int shift, int x, int y);
    // Return or Space: the keyboard's way to choose the selected entry.
    void chosenByKey();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

// A frame with its caption set into the top edge; children are placed from its top left corner.
class Frame : public QWidget {
    Q_OBJECT
public:
    explicit Frame(const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

// A static square or circle with a thin black border, filled solidly.
class Shape : public QWidget {
    Q_OBJECT
public:
    enum Kind { Square, Circle };
    Shape(Kind kind, const QColor& fill, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    QColor fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
    QColor fill_;
};

}  // namespace vintalem::ui
