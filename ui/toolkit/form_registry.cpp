#include "form_registry.h"

#include "placement.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace vintalem::ui {

namespace {
FormRegistry* g_current = nullptr;
}

FormRegistry::FormRegistry()
{
    g_current = this;
}

FormRegistry::~FormRegistry()
{
    auto remaining = std::move(forms_);
    for (auto& [name, loaded] : remaining)
        delete loaded.form.data();
    if (g_current == this)
        g_current = nullptr;
}

FormRegistry* FormRegistry::current() { return g_current; }

void FormRegistry::registerForm(const QString& name, Factory factory)
{
    factories_[name] = std::move(factory);
}

Form* FormRegistry::find(const QString& name) const
{
    const auto it = forms_.find(name);
    return it == forms_.end() ? nullptr : it->second.form.data();
}

bool FormRegistry::isVisible(const QString& name) const
{
    const Form* form = find(name);
    return form && form->isVisible();
}

Form* FormRegistry::load(const QString& name)
{
    if (Form* form = find(name))
        return form;
    const auto factory = factories_.find(name);
    if (ended_ || factory == factories_.end())
        return nullptr;
    std::unique_ptr<Form> created = factory->second();
    // Placed before its Form_Load, which may open other windows that must go beside it.
    std::vector<const QWidget*> others;
    for (const auto& [other, loaded] : forms_)
        if (loaded.form)
            others.push_back(loaded.form.data());
    placeAmong(*created, others);
    QPointer<Form> form = created.release();  // owned by the registry until unloaded
    forms_[name] = Loaded{form, false};
    form->Form_Load();
    return find(name);  // null if its own Form_Load unloaded it
}

Form* FormRegistry::show(const QString& name, bool activate)
{
    Form* form = load(name);
    if (form) {
        const QPointer<QWidget> active = QApplication::activeWindow();
#ifdef Q_OS_WASM
        const QPointer<QWidget> chosen = form->isVisible() ? nullptr : form->focusWidget();
#endif
        form->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
        form->show();
        form->raise();
#ifdef Q_OS_WASM
        // The page maximizes a window before it shows it, activating it with its controls still
        // hidden, and Qt then hands the focus on past the control the form chose: it goes back.
        if (chosen && form->focusWidget() != chosen && chosen->isVisible())
            chosen->setFocus(Qt::ActiveWindowFocusReason);
#endif
        if (activate)
            form->activateWindow();
#ifdef Q_OS_WASM
        // The page activates a window it shows, asked or not: the keyboard goes back.
        else if (active && active != form)
            QTimer::singleShot(0, active, [active] {
                if (active->isVisible() && active->isEnabled())
                    active->activateWindow();
            });
#endif
    }
    return form;
}

void FormRegistry::hide(const QString& name)
{
    if (Form* form = find(name))
        form->hide();
}

void FormRegistry::unload(const QString& name, int unloadMode)
{
    auto it = forms_.find(name);
    if (it == forms_.end())
        return;
    QPointer<Form> form = it->second.form;
    if (!it->second.queryRunning) {
        it->second.queryRunning = true;
        int cancel = 0;
        form->Form_QueryUnload(cancel, unloadMode);
        it = forms_.find(name);
        if (it == forms_.end() || it->second.form != form)
            return;  // the handler unloaded it itself
        it->second.queryRunning = false;
        if (cancel != 0)
            return;
    }
    forms_.erase(it);
    if (form) {
        form->hide();
        // A handler of this form may still be on the stack.
        form->deleteLater();
    }
    emit formUnloaded(name);
    if (forms_.empty() && !ended_) {
        ended_ = true;
        emit lastFormUnloaded();
    }
}

void FormRegistry::setEnabled(const QString& name, bool enabled)
{
    if (Form* form = find(name))
        form->setEnabled(enabled);
}

}  // namespace vintalem::ui
