#include "page_accessibility.h"

#include "ui/toolkit/zoom.h"

#include <QAccessible>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <emscripten/bind.h>

#include <string_view>

// The page's side, in page_accessibility.js: makes, updates and removes the elements.
extern "C" void vintalem_a11y_apply(const char* json);

namespace vintalem::web {

namespace {

// The page's role for one of Qt's; nullptr leaves the object (and what it holds) out.
const char* pageRole(const QAccessibleInterface& object)
{
    switch (object.role()) {
    case QAccessible::Window: return "region";
    case QAccessible::Dialog: return "dialog";
    case QAccessible::AlertMessage: return "alertdialog";
    case QAccessible::EditableText: return "textbox";
    case QAccessible::Button:
    case QAccessible::ButtonMenu: return "button";
    case QAccessible::CheckBox: return "checkbox";
    // A label that can be pressed (a cell of the grid) is a button to the page.
    case QAccessible::StaticText: return object.state().selectable ? "button" : "text";
    case QAccessible::Notification: return "text";
    case QAccessible::List: return "listbox";
    case QAccessible::ListItem: return "option";
    case QAccessible::MenuBar: return "menubar";
    case QAccessible::PopupMenu: return "menu";
    case QAccessible::MenuItem: return "menuitem";
    case QAccessible::Graphic: return "img";
    case QAccessible::Grouping: return "group";
    case QAccessible::ScrollBar:
    case QAccessible::Separator: return nullptr;
    default: return "";
    }
}

QJsonArray rectOf(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

bool blocked(QWindow* window) { return window && QGuiApplicationPrivate::instance()->isWindowBlocked(window); }

class PageAccessibility final : public QObject {
public:
    static PageAccessibility& instance()
    {
        static PageAccessibility* mirror = new PageAccessibility(qApp);  // owned by the application
        return *mirror;
    }

    void schedule()
    {
        if (!pending_.isActive())
            pending_.start();
    }

    // The whole state, to the page, at once.
    void sync()
    {
        pending_.stop();
        QJsonArray windows;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            QWindow* window = top->windowHandle();
            if (!top->isVisible() || !window || !window->handle())
                continue;
            QAccessibleInterface* root = QAccessible::queryAccessibleInterface(top);
            if (!root)
                continue;
            QString note;
            QJsonObject tree = describe(*root, note);
            if (tree.isEmpty())
                continue;
            windows.append(QJsonObject{
                {QStringLiteral("win"), qint64(window->winId())},
                // Behind a message box, or disabled by the window in front (the about window).
                {QStringLiteral("blocked"), blocked(window) || !top->isEnabled()},
                {QStringLiteral("note"), note},
                {QStringLiteral("client"), rectOf(QRect(top->mapToGlobal(QPoint(0, 0)), top->size()))},
                {QStringLiteral("root"), tree},
            });
        }
        qint64 focus = 0, active = 0;
        if (QAccessibleInterface* object = focusedObject()) {
            focus = QAccessible::uniqueId(object);
            if (QAccessibleInterface* child = object->focusChild(); child && child != object)
                active = QAccessible::uniqueId(child);
        }
        const ui::Zoom* zoom = ui::Zoom::current();
        const QJsonObject all{{QStringLiteral("windows"), windows},
                              {QStringLiteral("scale"), zoom ? zoom->scale() : 1.0},
                              {QStringLiteral("focus"), focus},
                              {QStringLiteral("active"), active}};
        vintalem_a11y_apply(QJsonDocument(all).toJson(QJsonDocument::Compact).constData());
    }

    // What the page asks of one object, unless the game blocks its window (a message box or
    // the about window in front of it) or the object is disabled.
    static QAccessibleInterface* usable(unsigned id)
    {
        QAccessibleInterface* object = QAccessible::accessibleInterface(QAccessible::Id(id));
        if (!object || !object->isValid() || object->state().disabled || blocked(object->window()))
            return nullptr;
        return object;
    }

private:
    explicit PageAccessibility(QObject* parent) : QObject(parent)
    {
        pending_.setSingleShot(true);
        pending_.setInterval(0);
        connect(&pending_, &QTimer::timeout, this, &PageAccessibility::sync);
        connect(qApp, &QApplication::focusChanged, this, &PageAccessibility::schedule);
    }

    QJsonObject describe(QAccessibleInterface& object, QString& note)
    {
        const QAccessible::State state = object.state();
        const char* role = pageRole(object);
        // A list's rows scrolled out of sight are still its rows.
        if ((state.invisible && object.role() != QAccessible::ListItem) || !role)
            return {};
        const QString name = object.text(QAccessible::Name);
        if (role == std::string_view("text") && name.isEmpty())
            return {};
        QJsonObject node{
            {QStringLiteral("id"), qint64(QAccessible::uniqueId(&object))},
            {QStringLiteral("role"), QLatin1String(role)},
            {QStringLiteral("name"), name},
            {QStringLiteral("rect"), rectOf(object.rect())},
        };
        auto flag = [&node](const char* key, bool on) {
            if (on)
                node.insert(QLatin1String(key), true);
        };
        QString description = object.text(QAccessible::Description);
        if (object.role() == QAccessible::AlertMessage && description.isEmpty())
            description = object.text(QAccessible::Value);
        if (!description.isEmpty())
            node.insert(QStringLiteral("description"), description);
        if (object.role() == QAccessible::EditableText) {
            node.insert(QStringLiteral("value"), object.text(QAccessible::Value));
            // The caret, so that a screen reader reads the letter or word it moves over.
            if (QAccessibleTextInterface* text = object.textInterface())
                node.insert(QStringLiteral("caret"), text->cursorPosition());
        }
        if (object.role() == QAccessible::Notification)
            note = object.text(QAccessible::Name);
        flag("disabled", state.disabled);
        flag("readonly", state.readOnly);
        flag("multiline", state.multiLine);
        flag("selected", state.selected);
        flag("checked", state.checked);
        QJsonArray children;
        for (int i = 0, n = object.childCount(); i < n; ++i)
            if (QAccessibleInterface* child = object.child(i))
                if (QJsonObject c = describe(*child, note); !c.isEmpty())
                    children.append(c);
        if (!children.isEmpty())
            node.insert(QStringLiteral("children"), children);
        // A named frame around other objects (the legend) is a group.
        if (*role == '\0' && !name.isEmpty() && !children.isEmpty())
            node.insert(QStringLiteral("role"), QStringLiteral("group"));
        return node;
    }

    QTimer pending_;
};

void onUpdate(QAccessibleEvent*) { PageAccessibility::instance().schedule(); }

// The page asks: the game's focus moved, give the page's focus to its element now.
void syncNow() { PageAccessibility::instance().sync(); }

// A screen reader pressed an element (its default action).
void press(unsigned id)
{
    QAccessibleInterface* object = PageAccessibility::usable(id);
    if (!object)
        return;
    if (QAccessibleActionInterface* actions = object->actionInterface()) {
        const QStringList names = actions->actionNames();
        for (const QString& action : {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::toggleAction(),
                                      QAccessibleActionInterface::setFocusAction()})
            if (names.contains(action)) {
                actions->doAction(action);
                return;
            }
    }
}

// A screen reader moved the page's focus to an element: the game's focus follows.
void focus(unsigned id)
{
    QAccessibleInterface* object = PageAccessibility::usable(id);
    if (!object || object->state().focused)
        return;
    if (QAccessibleActionInterface* actions = object->actionInterface())
        if (actions->actionNames().contains(QAccessibleActionInterface::setFocusAction()))
            actions->doAction(QAccessibleActionInterface::setFocusAction());
}

}  // namespace

QAccessibleInterface* focusedObject()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        // An open menu has the keyboard but not the focus; what it reports is its highlighted item.
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(popup);
        for (int i = 0, n = menu ? menu->childCount() : 0; i < n; ++i)
            if (QAccessibleInterface* item = menu->child(i); item && item->state().focused)
                return item;
        return menu;
    }
    // A window with nothing to focus (how to play) has the focus itself.
    QWidget* widget = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

void mirrorAccessibilityInPage()
{
    // Qt's own page layer waits for an English button and knows too little of this game; the
    // game's objects speak through this one instead, from the start.
    QAccessible::installUpdateHandler(&onUpdate);
    if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(true);
    // The elements stand over their controls at whatever scale the windows are drawn.
    if (const ui::Zoom* zoom = ui::Zoom::current())
        QObject::connect(zoom, &ui::Zoom::scaleChanged, &PageAccessibility::instance(), &PageAccessibility::schedule);
    PageAccessibility::instance().schedule();
}

}  // namespace vintalem::web

EMSCRIPTEN_BINDINGS(vintalem_page_accessibility)
{
    emscripten::function("vintalemA11ySync", &vintalem::web::syncNow);
    emscripten::function("vintalemA11yPress", &vintalem::web::press);
    emscripten::function("vintalemA11yFocus", &vintalem::web::focus);
}
