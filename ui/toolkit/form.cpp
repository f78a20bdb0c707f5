#include "form.h"

#include "form_registry.h"
#include "twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>
#include <QVBoxLayout>

namespace vintalem::ui {

Form::Form(const QString& name, const QString& caption, int clientWidthTwips, int clientHeightTwips)
    : name_(name), layout_(new QVBoxLayout(this)), client_(new QWidget(this))
{
    setObjectName(name);
    setWindowTitle(caption);
    if (const FormRegistry* registry = FormRegistry::current(); registry && registry->formLook()) {
        setFont(registry->formLook()->font);
        setWindowIcon(registry->formLook()->icon);
    }
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->setSizeConstraint(QLayout::SetFixedSize);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    layout_->addWidget(client_);
#ifdef Q_OS_WASM
    // A fixed window has nothing to grow into: the page's title bar offers no maximize button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
#endif
}

Form::~Form() = default;

QMenuBar* Form::menuBar()
{
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        layout_->setMenuBar(menuBar_);
    }
    return menuBar_;
}

void Form::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}

#ifdef Q_OS_WASM
void Form::setVisible(bool visible)
{
    if (visible)
        setWindowState(windowState() & ~(Qt::WindowFullScreen | Qt::WindowMaximized));
    const QPoint placed = pos();
    const bool shown = visible && !isVisible();
    QWidget::setVisible(visible);
    // The page measures a window's frame only once it shows it, and tells Qt a moment later:
    // the frame goes where it was placed.
    if (!shown)
        return;
    const auto keep = [this, placed] {
        // Asked of the page itself: the widget's own idea of its frame may be a stale zero.
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        const QPoint client = placed + QPoint(frame.left(), frame.top());
        if (geometry().topLeft() != client)
            setGeometry(QRect(client, size()));
    };
    keep();
    QTimer::singleShot(0, this, keep);
}

void Form::changeEvent(QEvent* event)
{
    // A double click on the page's title bar still maximizes; the window goes back at once.
    if (event->type() == QEvent::WindowStateChange && (windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)))
        QTimer::singleShot(0, this, [this] { setWindowState(windowState() & ~(Qt::WindowFullScreen | Qt::WindowMaximized)); });
    QWidget::changeEvent(event);
}
#endif

void Form::closeEvent(QCloseEvent* event)
{
    // The registry hides and unloads; the widget itself never closes on its own.
    event->ignore();
    if (!isEnabled())
        return;  // a disabled window ignores close requests too
    if (FormRegistry* registry = FormRegistry::current())
        registry->unload(name_, FormControlMenu);
}

void Form::keyPressEvent(QKeyEvent* event)
{
    // Reaches the window only when the control with the focus has no use for the key.
    if (closesOnEscape_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && isEnabled()) {
        event->accept();
        if (FormRegistry* registry = FormRegistry::current())
            registry->unload(name_, FormControlMenu);
        return;
    }
    QWidget::keyPressEvent(event);
}

void setTabOrderOf(const std::vector<QWidget*>& chain)
{
    std::vector<Qt::FocusPolicy> policies;
    for (QWidget* widget : chain) {
        policies.push_back(widget->focusPolicy());
        if (widget->focusPolicy() == Qt::NoFocus)
            widget->setFocusPolicy(Qt::TabFocus);
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    for (std::size_t i = 0; i < chain.size(); ++i)
        chain[i]->setFocusPolicy(policies[i]);
}

}  // namespace vintalem::ui
