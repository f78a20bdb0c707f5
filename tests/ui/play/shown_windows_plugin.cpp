// Loaded into the real program by the start-up test: once its event loop runs, prints the
// titles of the windows it shows, so the test can wait for that line instead of a time.

#include <QApplication>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>

#include <cstdio>

class ShownWindowsPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "shown_windows.json")
public:
    QObject* create(const QString&, const QString&) override
    {
        auto* reporter = new QObject;  // owned by the application's plugin list
        QTimer::singleShot(0, reporter, [] {
            QStringList titles;
            for (const QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    titles << w->windowTitle();
            titles.sort();
            std::printf("shown windows: %s\n", qPrintable(titles.join(QLatin1Char('|'))));
            std::fflush(stdout);
        });
        return reporter;
    }
};

#include "shown_windows_plugin.moc"
