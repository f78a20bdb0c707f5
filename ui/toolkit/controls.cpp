#include "controls.h"

#include "twips.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vintalem::ui {

namespace {
constexpr int kBackspace = 8;

bool releasedInside(const QWidget* widget, const QMouseEvent* event)
{
    return widget->rect().contains(event->position().toPoint());
}

bool isPressKey(const QKeyEvent* event)
{
    const int key = event->key();
    return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

template <typename Base>
void Pressable<Base>::mouseReleaseEvent(QMouseEvent* event)
{
    Base::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && releasedInside(this, event))
        press();
}

template <typename Base>
void Pressable<Base>::keyPressEvent(QKeyEvent* event)
{
    if (takesPressKeys() && isPressKey(event) && !event->isAutoRepeat()) {
        event->accept();
        press();
        return;
    }
    Base::keyPressEvent(event);
}

template <typename Base>
void Pressable<Base>::focusInEvent(QFocusEvent* event)
{
    Base::focusInEvent(event);
    this->update();
}

template <typename Base>
void Pressable<Base>::focusOutEvent(QFocusEvent* event)
{
    Base::focusOutEvent(event);
    this->update();
}

// A two-pixel frame in the highlight colour along the edge: what the control shows keeps
// clear of the outermost pixels, so it stays whole and keeps its colours.
template <typename Base>
void Pressable<Base>::paintFocusMark()
{
    if (!this->hasFocus())
        return;
    QPainter p(this);
    p.setPen(QPen(this->palette().color(QPalette::Active, QPalette::Highlight), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(this->rect()).adjusted(1, 1, -1, -1));
}

template class Pressable<QLabel>;
template class Pressable<QFrame>;

Label::Label(const QString& caption, QWidget* parent) : Pressable(parent)
{
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    // The caption last: each setting above would otherwise lay it out again.
    if (!caption.isEmpty())
        setText(caption);
}

void Label::setForeColor(const QColor& color)
{
    // The disabled group keeps its grey, so a disabled window greys every caption alike.
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::WindowText, color);
    p.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(p);
}

QColor Label::foreColor() const { return palette().color(QPalette::Active, QPalette::WindowText); }

void Label::setFontBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void Label::setMarked(bool marked)
{
    if (marked_ == marked)
        return;
    marked_ = marked;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void Label::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    paintFocusMark();
}

void Label::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    if (announced_) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::setForeColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

QColor TextBox::foreColor() const { return palette().color(QPalette::Text); }

int TextBox::keyAsciiOf(const QKeyEvent& event)
{
    const int key = event.key();
    // Ctrl with a letter types a control character (Ctrl+C is 3), whatever text the platform reports.
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_At && key <= Qt::Key_Underscore)
        return key - Qt::Key_At;
    const QString text = event.text();
    // Keyboards send Delete with the DEL character (127), yet it is an editing key that types nothing.
    if (text.isEmpty() || key == Qt::Key_Delete)
        return 0;
    const char32_t c = text.toUcs4().value(0);
    return c <= 0xFFFF ? static_cast<int>(c) : 0xFFFF;  // beyond 16 bits: not a base, dropped anyway
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const int typed = keyAsciiOf(*event);
    if (typed == 0 || !keyPress_) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    int keyAscii = typed;
    keyPress_(keyAscii);
    event->accept();
    if (keyAscii == 0)
        return;
    if (keyAscii == kBackspace) {
        QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        QLineEdit::keyPressEvent(&backspace);
        return;
    }
    if (isReadOnly())
        return;
    insert(QString(QChar(static_cast<char16_t>(keyAscii))));  // replaces a selection, honours the length limit
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (!keyPress_) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // What a soft keyboard or a compose key commits is typed too: each character goes through
    // KeyPress. What it is still composing shows only what KeyPress would let through, and no
    // more than the box has room for.
    const auto pass = [this](const QString& text) {
        QString accepted;
        for (char32_t c : text.toUcs4()) {
            int keyAscii = c <= 0xFFFF ? static_cast<int>(c) : 0xFFFF;
            keyPress_(keyAscii);
            if (keyAscii != 0 && keyAscii != kBackspace)
                accepted.append(QChar(static_cast<char16_t>(keyAscii)));
        }
        return accepted;
    };
    const QString commit = pass(event->commitString());
    QString preedit = pass(event->preeditString());
    const qsizetype room = maxLength() - (text().size() - selectedText().size()) - commit.size();
    preedit.truncate(std::max<qsizetype>(room, 0));
    // The composition's own marks describe the text it sent; a filtered one keeps only its caret.
    QList<QInputMethodEvent::Attribute> attributes;
    if (preedit == event->preeditString())
        attributes = event->attributes();
    else
        attributes.append({QInputMethodEvent::Cursor, static_cast<int>(preedit.size()), 1});
    QInputMethodEvent filtered(preedit, attributes);
    filtered.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

PictureBox::PictureBox(QWidget* parent) : Pressable(parent)
{
    setAutoFillBackground(false);
}

void PictureBox::Cls()
{
    if (shapes_.empty())
        return;
    shapes_.clear();
    update();
}

// Drawing a shape the box already holds only brings it to the top: painted twice, its
// antialiased edge would darken with every repetition.
void PictureBox::add(Shape shape)
{
    std::erase(shapes_, shape);
    shapes_.push_back(std::move(shape));
    update();
}

void PictureBox::drawLine(QPointF from, QPointF to) { add(Line{from, to}); }

void PictureBox::drawBox(QPointF corner1, QPointF corner2)
{
    add(Box{QRectF(corner1, corner2).normalized(), fillColor_});
}

void PictureBox::drawCircle(QPointF centre, qreal radius) { add(Circle{centre, radius, fillColor_}); }

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // A copy lands on the very pixels of the drawing only where the box maps onto whole
    // device pixels: an integral scale and offset, as at ratios 1 and 2, not at 1.5.
    const QTransform t = p.deviceTransform();
    const qreal ratio = t.m11();
    const bool whole = t.type() <= QTransform::TxScale && ratio == t.m22() && ratio >= 1
        && ratio == std::floor(ratio) && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
    if (shapes_.empty() || !whole) {
        paintContent(p);
        p.end();
        paintFocusMark();
        return;
    }
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (cache_.size() != pixels || cache_.devicePixelRatio() != ratio || cachedShapes_ != shapes_) {
        cache_ = QPixmap(pixels);
        cache_.setDevicePixelRatio(ratio);
        QPainter c(&cache_);
        paintContent(c);
        cachedShapes_ = shapes_;
    }
    p.drawPixmap(0, 0, cache_);
    p.end();
    paintFocusMark();
}

void PictureBox::paintContent(QPainter& p) const
{
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.save();
    p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    p.setPen(QPen(Qt::black, kTwipsPerPixel));  // one logical pixel
    for (const Shape& shape : shapes_) {
        if (const auto* line = std::get_if<Line>(&shape)) {
            p.drawLine(line->from, line->to);
        } else if (const auto* box = std::get_if<Box>(&shape)) {
            p.setBrush(box->fill);
            p.drawRect(box->rect);
        } else if (const auto* circle = std::get_if<Circle>(&shape)) {
            p.setBrush(circle->fill);
            p.drawEllipse(circle->centre, circle->radius, circle->radius);
        }
    }
    p.restore();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// Qt's item views select on any button; the other buttons only reach mouseUp.
void ListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        QListWidget::mousePressEvent(event);
}

void ListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton || event->buttons().testFlag(Qt::LeftButton))
        QListWidget::mouseMoveEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        QListWidget::mouseDoubleClickEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        QListWidget::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    emit mouseUp(static_cast<int>(event->button()), static_cast<int>(event->modifiers()), at.x(), at.y());
}

void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The list view tells screen readers that the new entry took the focus even when the
    // program moves the list while the user is elsewhere.
    if (hasFocus())
        QListWidget::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous);
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    if (isPressKey(event) && !event->isAutoRepeat()) {
        // Space also selects the current entry, as it does in any list; Return only chooses.
        if (event->key() == Qt::Key_Space)
            QListWidget::keyPressEvent(event);
        event->accept();
        emit chosenByKey();
        return;
    }
    QListWidget::keyPressEvent(event);
}

Frame::Frame(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption)
{
    setAccessibleName(caption);
}

void Frame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics metrics(font());
    const int edge = metrics.height() / 2;
    const QRect border = rect().adjusted(0, edge, -1, -1);
    // An etched line: shadow, then light, one pixel apart.
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(border.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(border.adjusted(1, 1, 0, 0));
    const QRect text(8, 0, metrics.horizontalAdvance(caption_) + 4, metrics.height());
    p.fillRect(text, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(text, Qt::AlignCenter, caption_);
}

Shape::Shape(Kind kind, const QColor& fill, QWidget* parent) : QWidget(parent), kind_(kind), fill_(fill) {}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, kind_ == Circle);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill_);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (kind_ == Circle)
        p.drawEllipse(r);
    else
        p.drawRect(r);
}

}  // namespace vintalem::ui
