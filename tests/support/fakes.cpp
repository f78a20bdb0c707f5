#include "fakes.h"

#include "app/assets.h"
#include "app/forms.h"
#include "core/sequence.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

#include <algorithm>

namespace vintalem::test {

void RecordingMessages::show(const QString& prompt, const QString& title)
{
    shown.push_back({prompt, title});
    if (whileShown)
        whileShown();
}

class FakeClock::FakeAlarm final : public ui::Alarm {
public:
    explicit FakeAlarm(std::shared_ptr<Pending> pending) : pending_(std::move(pending)) {}
    ~FakeAlarm() override { pending_->cancelled = true; }

private:
    std::shared_ptr<Pending> pending_;
};

std::unique_ptr<ui::Alarm> FakeClock::after(double seconds, std::function<void()> fn)
{
    auto pending = std::make_shared<Pending>(Pending{now_ + seconds, std::move(fn)});
    pending_.push_back(pending);
    return std::make_unique<FakeAlarm>(pending);
}

void FakeClock::advance(double seconds)
{
    const double target = now_ + seconds;
    for (;;) {
        std::shared_ptr<Pending> next;
        for (const auto& p : pending_)
            if (!p->cancelled && !p->fired && p->due <= target && (!next || p->due < next->due))
                next = p;
        if (!next)
            break;
        now_ = std::max(now_, next->due);
        next->fired = true;
        next->fn();
    }
    now_ = target;
    std::erase_if(pending_, [](const auto& p) { return p->cancelled || p->fired; });
}

int FakeClock::pendingAlarms() const
{
    return static_cast<int>(std::count_if(pending_.begin(), pending_.end(),
                                          [](const auto& p) { return !p->cancelled && !p->fired; }));
}

float ScriptedSource::next()
{
    const float v = values_.empty() ? 0.0f : values_[std::min(next_, values_.size() - 1)];
    ++next_;
    return v;
}

std::uint64_t testSeed()
{
    static const std::uint64_t seed = [] {
        bool ok = false;
        const qulonglong value = qEnvironmentVariable("VINTALEM_TEST_SEED").toULongLong(&ok, 0);
        return ok ? std::uint64_t{value} : std::uint64_t{0x5EED2026};
    }();
    return seed;
}

TestToolkit::TestToolkit()
{
    ui::loadBundledAssets();
    auto recorder = std::make_unique<RecordingMessages>();
    messages = recorder.get();
    toolkit.setMessages(std::move(recorder));
    auto fake = std::make_unique<FakeClock>();
    clock = fake.get();
    toolkit.setClock(std::move(fake));
    // Reseeding reads the fake clock's ticks, which count from zero in every toolkit.
    toolkit.setRandom(
        std::make_unique<ui::RandomService<ClockSeededGenerator>>(
        ClockSeededGenerator([c = clock] { return c->ticks(); }, testSeed())));
    ui::registerForms(toolkit.forms());
}

TestToolkit::~TestToolkit()
{
    if (QTest::currentTestFailed())
        qInfo("VINTALEM_TEST_SEED=0x%llx reproduces this failure", static_cast<unsigned long long>(testSeed()));
}

QImage renderAt(QWidget* widget, qreal dpr)
{
    QImage image(widget->size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::magenta);
    widget->render(&image);
    return image;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace vintalem::test
