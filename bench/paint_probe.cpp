// Linked into a copy of a program's own main(): reports the moment every watched
// top-level window has painted its first frame, then ends the program.
//
// Output, one line on stdout:
//   painted_ns=<CLOCK_MONOTONIC> vmhwm_kb=<peak resident set so far>
// The launcher subtracts the monotonic time it took just before fork().

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QWidget>

#include <cstdio>
#include <ctime>

#ifndef PROBE_WINDOWS
#error "PROBE_WINDOWS must list the object names of the windows to watch, separated by commas"
#endif

namespace {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

long vmHwmKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

class PaintProbe final : public QObject {
public:
    explicit PaintProbe(QObject* parent)
        : QObject(parent), pending_(QString::fromLatin1(PROBE_WINDOWS).split(QLatin1Char(',')))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Any widget of the window counts: a window covered by opaque children gets no
        // paint event of its own. The report waits until the backing-store sync that
        // painted it (all of its widgets, then the flush) has finished.
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && pending_.removeOne(static_cast<QWidget*>(watched)->window()->objectName()) && pending_.isEmpty())
            QMetaObject::invokeMethod(this, &PaintProbe::report, Qt::QueuedConnection);
        return false;
    }

private:
    void report()
    {
        const long long now = monotonicNs();
        std::printf("painted_ns=%lld vmhwm_kb=%ld\n", now, vmHwmKb());
        std::fflush(stdout);
        QCoreApplication::instance()->removeEventFilter(this);
        // exit(), not quit(): quit() first asks every window to close, and a form
        // answers a close request by unloading itself, not by closing.
        QCoreApplication::exit(0);
    }

    QStringList pending_;
};

void installProbe()
{
    // Owned by the application, so it goes with it.
    QCoreApplication::instance()->installEventFilter(new PaintProbe(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
