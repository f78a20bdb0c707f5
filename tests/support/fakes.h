#pragma once

#include "ui/toolkit/toolkit.h"

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace vintalem::test {

// The texts the game's messages must show, written out once for every test.
inline const QString kTitle = QStringLiteral("Controllo dell'esattezza dati");
inline const QString kLengthMessage =
    QStringLiteral("Attenzione: controllare che in tutti i codoni siano presenti tre nucleotidi");
inline const QString kStopMessage = QStringLiteral(
    "Attenzione: ricordati che il DNA deve avere almeno un codone di stop affinchè la traduzione della proteina "
    "possa terminare");

// Records every message instead of showing a modal box.
class RecordingMessages final : public ui::MessageService {
public:
    struct Message {
        QString prompt, title;
    };
    void show(const QString& prompt, const QString& title) override;

    std::vector<Message> shown;
    std::function<void()> whileShown;  // runs "while the box is up"
};

// A clock that moves only when told to; alarms fire as time passes them.
class FakeClock final : public ui::Clock {
public:
    double secondsSinceMidnight() const override { return now_; }
    std::uint64_t ticks() const override { return ++ticks_; }
    std::unique_ptr<ui::Alarm> after(double seconds, std::function<void()> fn) override;

    void advance(double seconds);
    int pendingAlarms() const;

private:
    struct Pending {
        double due;
        std::function<void()> fn;
        bool cancelled = false;
        bool fired = false;
    };
    class FakeAlarm;

    double now_ = 36000.0;
    mutable std::uint64_t ticks_ = 0;
    std::vector<std::shared_ptr<Pending>> pending_;
};

// Gives the values it was given, in turn, then repeats the last.
class ScriptedSource final : public ui::RandomSource {
public:
    explicit ScriptedSource(std::vector<float> values) : values_(std::move(values)) {}
    void randomize() override { ++randomizeCalls; }
    float next() override;

    int randomizeCalls = 0;

private:
    std::vector<float> values_;
    std::size_t next_ = 0;
};

// The seed of every test's random source: VINTALEM_TEST_SEED if set (decimal or 0x...),
// else a fixed one, so each test draws the same strands on every run.
std::uint64_t testSeed();

// A toolkit with all five forms registered, fake messages, a fake clock and a random
// source seeded with testSeed(). A failing test prints the seed that reproduces it.
struct TestToolkit {
    TestToolkit();
    ~TestToolkit();

    ui::Toolkit toolkit;
    RecordingMessages* messages;
    FakeClock* clock;

    ui::FormRegistry& forms() { return toolkit.forms(); }
};

// The widget painted as on a screen of the given pixel ratio, over magenta so unpainted pixels show.
QImage renderAt(QWidget* widget, qreal dpr);

// Lets deferred deletions run, so unloaded forms are really gone.
void flushDeletes();

}  // namespace vintalem::test
