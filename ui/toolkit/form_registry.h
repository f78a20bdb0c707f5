#pragma once

#include "form.h"

#include <QFont>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace vintalem::ui {

// What every form of a program carries from its creation on.
struct FormLook {
    QFont font;
    QIcon icon;
};

// One instance per form, created on first reference. When the last loaded
// form is unloaded the program is over and nothing is loaded again.
class FormRegistry : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    FormRegistry();
    ~FormRegistry() override;

    static FormRegistry* current();

    void registerForm(const QString& name, Factory factory);
    void setFormLook(FormLook look) { look_ = std::move(look); }
    const std::optional<FormLook>& formLook() const { return look_; }

    // Loads the form if needed (its Form_Load runs) without showing it.
    // Null once the program has ended, or for an unknown name.
    Form* load(const QString& name);
    template <typename T>
    T* load(const QString& name) { return qobject_cast<T*>(load(name)); }

    // The loaded instance, or null; never loads.
    Form* find(const QString& name) const;
    template <typename T>
    T* find(const QString& name) const { return qobject_cast<T*>(find(name)); }

    bool isLoaded(const QString& name) const { return find(name) != nullptr; }
    bool isVisible(const QString& name) const;

    // Loads if needed, shows modeless and brings to the front; without `activate` the
    // keyboard stays in the window that has it.
    Form* show(const QString& name, bool activate = true);
    void hide(const QString& name);

    // Raises Form_QueryUnload (unless it is already running for this form), then
    // hides and destroys the form. Unloading a form that is not loaded does nothing.
    void unload(const QString& name, int unloadMode = FormCode);

    // Only a loaded form is touched: enabling a form that is gone must not bring it back.
    void setEnabled(const QString& name, bool enabled);

    int loadedCount() const { return static_cast<int>(forms_.size()); }
    bool ended() const { return ended_; }

signals:
    void formUnloaded(const QString& name);
    void lastFormUnloaded();

private:
    struct Loaded {
        QPointer<Form> form;
        bool queryRunning = false;
    };

    std::map<QString, Factory> factories_;
    std::map<QString, Loaded> forms_;
    std::optional<FormLook> look_;
    bool ended_ = false;
};

inline FormRegistry& forms()
{
    if (!FormRegistry::current())
        qFatal("forms(): there is no form registry; the program makes its toolkit first");
    return *FormRegistry::current();
}

}  // namespace vintalem::ui
