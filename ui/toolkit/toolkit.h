#pragma once

#include "form_registry.h"
#include "services.h"

#include <memory>

namespace vintalem::ui {

// The process's forms and services. The app makes one; each test makes its own
// and replaces the services it needs to control. There is no random source until
// the program installs one.
class Toolkit {
public:
    Toolkit();
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

    static Toolkit& current();

    FormRegistry& forms() { return *forms_; }
    MessageService& messages() { return *messages_; }
    Clock& clock() { return *clock_; }
    RandomSource& random() { return *random_; }

    void setMessages(std::unique_ptr<MessageService> messages) { messages_ = std::move(messages); }
    void setClock(std::unique_ptr<Clock> clock) { clock_ = std::move(clock); }
    void setRandom(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }
    // For a source that hands over to the one it replaces.
    std::unique_ptr<RandomSource> takeRandom() { return std::move(random_); }

private:
    // Services outlive the forms, which may hold alarms of the clock.
    std::unique_ptr<MessageService> messages_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<RandomSource> random_;
    std::unique_ptr<FormRegistry> forms_;
};

inline MessageService& messages() { return Toolkit::current().messages(); }
inline Clock& clock() { return Toolkit::current().clock(); }
inline RandomSource& randomSource() { return Toolkit::current().random(); }

}  // namespace vintalem::ui
