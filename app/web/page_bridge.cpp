#include "page_bridge.h"

#include "page_accessibility.h"

#include "ui/toolkit/form_registry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QWidget>

#include <emscripten.h>
#include <emscripten/bind.h>

#include <string>

namespace vintalem::web {

namespace {

EM_JS_DEPS(vintalem_bridge, "$UTF8ToString");

EM_JS(void, vintalem_mark_js, (const char* name), {
    performance.mark("vintalem-" + UTF8ToString(name));
});

EM_JS(void, vintalem_game_over_js, (), {
    if (typeof window.vintalemGameOver === "function")
        window.vintalemGameOver();
});

// The page draws the windows' title bars itself; it is given the faces the game draws with.
EM_JS(void, vintalem_screen_ready_js, (const char* regular, int regularSize, const char* bold, int boldSize), {
    if (typeof window.vintalemScreenReady === "function")
        window.vintalemScreenReady(HEAPU8.slice(regular, regular + regularSize), HEAPU8.slice(bold, bold + boldSize));
});

QJsonArray rectOf(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// Controls by their names; Qt's own buttons (the message box's) by their texts.
QString nameOf(const QWidget* w)
{
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    return w->objectName().isEmpty() && button ? QStringLiteral("button:") + button->text() : w->objectName();
}

// What the program shows, for the page's test driver: the windows on screen, and their
// visible named controls with their places and texts. It only reads.
std::string state()
{
    QJsonArray windows;
    QJsonObject widgets;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        const auto* client = window->findChild<QWidget*>(QStringLiteral("client"), Qt::FindDirectChildrenOnly);
        const QRect inner = client ? QRect(client->mapToGlobal(QPoint(0, 0)), client->size()) : window->geometry();
        windows.append(QJsonObject{
            {QStringLiteral("name"), window->objectName()},
            {QStringLiteral("title"), window->windowTitle()},
            {QStringLiteral("enabled"), window->isEnabled()},
            {QStringLiteral("active"), window->isActiveWindow()},
            {QStringLiteral("modal"), window->isModal()},
            {QStringLiteral("frame"), rectOf(window->frameGeometry())},
            {QStringLiteral("client"), rectOf(inner)},
        });
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (!child->isVisible())
                continue;
            if (auto* bar = qobject_cast<QMenuBar*>(child))
                for (QAction* action : bar->actions())
                    widgets.insert(window->objectName() + QStringLiteral("/menu:") + action->text(),
                                   QJsonObject{{QStringLiteral("rect"),
                                                rectOf(bar->actionGeometry(action).translated(bar->mapToGlobal(QPoint(0, 0))))}});
            const QString name = nameOf(child);
            if (name.isEmpty())
                continue;
            QJsonObject widget{{QStringLiteral("rect"), rectOf(QRect(child->mapToGlobal(QPoint(0, 0)), child->size()))}};
            if (auto* label = qobject_cast<QLabel*>(child))
                widget.insert(QStringLiteral("text"), label->text());
            else if (auto* box = qobject_cast<QLineEdit*>(child))
                widget.insert(QStringLiteral("text"), box->text());
            else if (auto* list = qobject_cast<QListWidget*>(child))
                widget.insert(QStringLiteral("text"), list->currentItem() ? list->currentItem()->text() : QString());
            widgets.insert(window->objectName() + u'/' + name, widget);
        }
    }
    QWidget* focus = QApplication::focusWidget();
    QAccessibleInterface* focusObject = focusedObject();
    const QJsonObject all{
        {QStringLiteral("windows"), windows},
        {QStringLiteral("widgets"), widgets},
        {QStringLiteral("focus"), focus ? nameOf(focus) : QString()},
        {QStringLiteral("focusName"), focusObject ? focusObject->text(QAccessible::Name) : QString()},
    };
    return QJsonDocument(all).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace

void giveFacesToPage()
{
    QByteArray regular, bold;
    const QDir fonts(QStringLiteral(":/vintalem/fonts"));
    for (const QString& name : fonts.entryList(QDir::Files)) {
        QFile file(fonts.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        (name.contains(QLatin1String("Bold")) ? bold : regular) = file.readAll();
    }
    vintalem_screen_ready_js(regular.constData(), int(regular.size()), bold.constData(), int(bold.size()));
}

void mark(const char* name) { vintalem_mark_js(name); }

void tellPageWhenOver(ui::FormRegistry& forms)
{
    QObject::connect(&forms, &ui::FormRegistry::lastFormUnloaded, &forms, [] { vintalem_game_over_js(); });
}

}  // namespace vintalem::web

EMSCRIPTEN_BINDINGS(vintalem_page)
{
    emscripten::function("vintalemState", &vintalem::web::state);
}
