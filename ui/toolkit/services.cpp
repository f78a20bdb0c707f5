#include "services.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTime>
#include <QTimer>

#include <chrono>

namespace vintalem::ui {

#ifndef Q_OS_WASM
void QtMessageService::show(const QString& prompt, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.button(QMessageBox::Ok)->setIcon(QIcon());  // some desktop themes decorate OK with an icon

    box.exec();
}
#else
// A browser page cannot wait inside a handler: the box opens, the handler returns, and
// `then` runs once the player has closed it. It blocks every window meanwhile, as exec() does.
void QtMessageService::show(const QString& prompt, const QString& title, std::function<void()> then)
{
    QPointer<QWidget> window = QApplication::activeWindow();
    auto* box = new QMessageBox(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);  // owns itself until closed
    box->setWindowModality(Qt::ApplicationModal);
    box->button(QMessageBox::Ok)->setIcon(QIcon());
    QObject::connect(box, &QDialog::finished, box, [window, then = std::move(then)] {
        then();
        // The keyboard goes back where it was, as after exec(); the browser's window system
        // would otherwise give it to the window shown last, or to none.
        if (window)
            window->activateWindow();
    });
    box->show();
}

void QtMessageService::show(const QString& prompt, const QString& title)
{
    show(prompt, title, [] {});
}
#endif

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
