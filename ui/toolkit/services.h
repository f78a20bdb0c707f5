#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace vintalem::ui {

// Every message box of the program goes through here, so tests never meet a modal dialog.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Modal, OK only, no icon; returns when the user has closed it.
    virtual void show(const QString& prompt, const QString& title) = 0;
    // The same box, for a caller that goes on once it has been closed. Where a box cannot block
    // (in a browser), it returns at once and `then` runs when the player closes the box.
    virtual void show(const QString& prompt, const QString& title, std::function<void()> then)
    {
        show(prompt, title);
        then();
    }
};

class QtMessageService final : public MessageService {
public:
    void show(const QString& prompt, const QString& title) override;
#ifdef Q_OS_WASM
    void show(const QString& prompt, const QString& title, std::function<void()> then) override;
#endif
};

// Destroying an alarm cancels it.
class Alarm {
public:
    virtual ~Alarm() = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual double secondsSinceMidnight() const = 0;
    // A fine-grained reading that changes between two calls in quick succession, for seeding.
    virtual std::uint64_t ticks() const = 0;
    // Calls `fn` once, `seconds` from now, from the event loop.
    [[nodiscard]] virtual std::unique_ptr<Alarm> after(double seconds, std::function<void()> fn) = 0;
};

class QtClock final : public Clock {
public:
    double secondsSinceMidnight() const override;
    std::uint64_t ticks() const override;
    std::unique_ptr<Alarm> after(double seconds, std::function<void()> fn) override;
};

// A uniform pseudo-random source that can be reseeded from the clock.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void randomize() = 0;
    virtual float next() = 0;  // 0 <= r < 1
};

// Offers any generator with randomize() and next() as the random source.
template <typename Generator>
class RandomService final : public RandomSource {
public:
    explicit RandomService(Generator generator) : generator_(std::move(generator)) {}
    void randomize() override { generator_.randomize(); }
    float next() override { return generator_.next(); }

private:
    Generator generator_;
};

}  // namespace vintalem::ui
