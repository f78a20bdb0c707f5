#include "forms.h"

#include "assets.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/info/about_form.h"
#include "ui/info/how_to_play_form.h"
#include "ui/main/main_form.h"
#include "ui/main/mutation_form.h"
#include "core/sequence.h"
#include "ui/toolkit/toolkit.h"

namespace vintalem::ui {

namespace {
// The registry places each window on screen as it loads, beside those already open.
template <typename T>
FormRegistry::Factory make()
{
    return [] { return std::make_unique<T>(); };
}
}  // namespace

void registerForms(FormRegistry& registry)
{
    registry.setFormLook({defaultFont(), programIcon()});
    registry.registerForm(names::zuvo, make<MainForm>());
    registry.registerForm(names::Atab, make<CodonTableForm>());
    registry.registerForm(names::mutazioni, make<MutationForm>());
    registry.registerForm(names::Information, make<AboutForm>());
    registry.registerForm(names::InformazsuVintalem, make<HowToPlayForm>());
}

void installRandomSource(Toolkit& toolkit)
{
    toolkit.setRandom(std::make_unique<RandomService<ClockSeededGenerator>>(
        ClockSeededGenerator([&toolkit] { return toolkit.clock().ticks(); }, toolkit.clock().ticks())));
}

}  // namespace vintalem::ui
