#include "assets.h"
#include "forms.h"
#include "ui/form_names.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/zoom.h"

#include <QApplication>
#include <QTimer>

#ifdef Q_OS_WASM
#include "web/page_accessibility.h"
#include "web/page_bridge.h"
#include "web/page_keys.h"
#include "web/page_link.h"
#include "web/page_screen.h"
#endif

int main(int argc, char* argv[])
{
    using namespace vintalem::ui;
#ifdef Q_OS_WASM
    vintalem::web::mark("main");
#endif
    QApplication app(argc, argv);
    setUpApplication();
    QGuiApplication::setDesktopFileName(QStringLiteral("vintalem"));
    // The program ends when its last form is unloaded, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    Toolkit toolkit;
    // Ctrl+= and Ctrl+− zoom every window at once, Ctrl+0 goes back.
    Zoom zoom;
    installRandomSource(toolkit);
    registerForms(toolkit.forms());
    // exit(), not quit(): quit() would first ask every window to close, and ours close only by unloading.
    QObject::connect(&toolkit.forms(), &FormRegistry::lastFormUnloaded, &app, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);
#ifdef Q_OS_WASM
    vintalem::web::giveFacesToPage();
    vintalem::web::mirrorAccessibilityInPage();
    vintalem::web::mendShiftedShortcuts();
    vintalem::web::tellPageWhenOver(toolkit.forms());
    // Before the first window shows, so that each is placed at the scale it will have.
    vintalem::web::fitGameToPage(toolkit.forms(), zoom);
    vintalem::web::followLink(toolkit);
#endif

    // Activated: the keyboard starts in the main window, not in the codon table shown before it.
    if (!toolkit.forms().show(names::zuvo, true))
        return 1;
#ifdef Q_OS_WASM
    vintalem::web::showLinkedBoxes(toolkit);
    vintalem::web::mark("shown");
    QTimer::singleShot(0, [] { vintalem::web::mark("running"); });
#endif
    const int status = QApplication::exec();
    // Unloaded forms wait for deferred deletion; finish it before the toolkit goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
