#include "services.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <QTimer>

#include <chrono>

namespace vintalem::ui {

void QtMessageService::show(const QString& prompt, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.button(QMessageBox::Ok)->setIcon(QIcon());  // some desktop themes decorate OK with an icon

    box.exec();
}

double QtClock::secondsSinceMidnight() const
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

std::uint64_t QtClock::ticks() const
{
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
        ^ static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
}

namespace {
class TimerAlarm final : public Alarm {
public:
    TimerAlarm(double seconds, std::function<void()> fn)
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, std::move(fn));
        timer_.start(static_cast<int>(seconds * 1000.0));
    }

private:
    QTimer timer_;
};
}  // namespace

std::unique_ptr<Alarm> QtClock::after(double seconds, std::function<void()> fn)
{
    return std::make_unique<TimerAlarm>(seconds, std::move(fn));
}

}  // namespace vintalem::ui
