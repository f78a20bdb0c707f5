#include "forms.h"

#include "ui/codon_table/codon_table_form.h"
#include "ui/info/about_form.h"
#include "ui/info/how_to_play_form.h"
#include "ui/main/main_form.h"
#include "ui/main/mutation_form.h"
#include "ui/toolkit/form_names.h"
#include "ui/toolkit/form_registry.h"

namespace vintalem::ui {

namespace {
// Where each window opens: the main window at the top left, the others beside it.
template <typename T>
FormRegistry::Factory at(int x, int y)
{
    return [x, y] {
        auto form = std::make_unique<T>();
        form->move(x, y);
        return form;
    };
}
}  // namespace

void registerForms(FormRegistry& registry)
{
    registry.registerForm(names::zuvo, at<MainForm>(24, 24));
    registry.registerForm(names::Atab, at<CodonTableForm>(760, 24));
    registry.registerForm(names::mutazioni, at<MutationForm>(760, 420));
    registry.registerForm(names::Information, at<AboutForm>(220, 140));
    registry.registerForm(names::InformazsuVintalem, at<HowToPlayForm>(380, 60));
}

}  // namespace vintalem::ui
