#include "page_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/private/qshortcutmap_p.h>

namespace vintalem::web {

namespace {

// The page's platform hands a key over with the Shift that made its character still on it
// (Alt+Shift+/ comes as Alt+Shift+?) and offers the shortcuts no other reading, so Alt+? never
// matches the "?" menu. The desktop platforms also try the key without the Shift its character
// used up; a key press no shortcut took is tried once more that way here.
class ShiftedShortcuts final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || receiver != QGuiApplication::focusObject())
            return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        const QChar character(key->key());
        if (!(modifiers & Qt::ShiftModifier) || !(modifiers & (Qt::AltModifier | Qt::ControlModifier))
            || key->key() > 0x7e || !character.isPrint() || character.isLetterOrNumber() || character.isSpace())
            return false;
        QKeyEvent unshifted(QEvent::ShortcutOverride, key->key(), modifiers & ~Qt::ShiftModifier, key->text());
        return QGuiApplicationPrivate::instance()->shortcutMap.tryShortcut(&unshifted);
    }
};

}  // namespace

void mendShiftedShortcuts() { qApp->installEventFilter(new ShiftedShortcuts(qApp)); }

}  // namespace vintalem::web
