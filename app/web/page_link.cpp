#include "page_link.h"

#include "core/shared_strand.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/toolkit.h"

#include <emscripten.h>
#include <emscripten/bind.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace vintalem::web {

namespace {

EM_JS_DEPS(vintalem_link, "$stringToNewUTF8,$UTF8ToString");

// The page's address after '#', as the page has it (at most 4,096 characters: no strand is longer).
EM_JS(char*, vintalem_link_js, (), {
    return stringToNewUTF8(location.hash.slice(0, 4096));
});

EM_JS(void, vintalem_link_problem_js, (const char* text), {
    if (typeof window.vintalemLinkProblem === "function")
        window.vintalemLinkProblem(UTF8ToString(text));
});

const char* problemText(LinkProblem problem)
{
    switch (problem) {
    case LinkProblem::StrandLength:
        return "Il filamento di DNA del link non ha 60 basi (20 codoni).";
    case LinkProblem::StrandLetters:
        return "Il filamento di DNA del link contiene lettere diverse da a, c, g e t.";
    case LinkProblem::StrandStart:
        return "Il filamento di DNA del link non comincia con tac, il codone d'inizio.";
    case LinkProblem::StrandEarlyStop:
        return "Il filamento di DNA del link ha un codone di stop prima dell'ultimo.";
    case LinkProblem::StrandNoStop:
        return "Il filamento di DNA del link non finisce con un codone di stop (act, atc o att).";
    case LinkProblem::Boxes:
        return "Le caselle del link non sono valide: ognuna ha il numero del codone e al più tre lettere tra a, c, g e t.";
    case LinkProblem::None:
        break;
    }
    return "";
}

// Plays the linked strand's draws back to the game's first draw, then hands over to the source
// it replaced, so that "Cambia sequenza" draws at random as always.
class LinkedSource final : public ui::RandomSource {
public:
    LinkedSource(std::vector<float> draws, std::unique_ptr<ui::RandomSource> then)
        : replay_(std::move(draws)), then_(std::move(then))
    {
    }
    void randomize() override
    {
        if (replay_.done())
            then_->randomize();
    }
    float next() override { return replay_.done() ? then_->next() : replay_.next(); }

private:
    ReplayedDraws replay_;
    std::unique_ptr<ui::RandomSource> then_;
};

std::optional<SharedStrand> linked;

std::string shareLink()
{
    auto* main = ui::Toolkit::current().forms().find<ui::MainForm>(ui::names::zuvo);
    if (!main)
        return {};
    CodonTexts boxes;
    for (int i = 0; i < ui::MainForm::kSlots; ++i)
        boxes[static_cast<std::size_t>(i)] = main->nt[i]->text().toStdString();
    return writeLink(main->referenceSequence(), boxes);
}

}  // namespace

void followLink(ui::Toolkit& toolkit)
{
    char* raw = vintalem_link_js();
    const LinkReading reading = readLink(raw ? raw : "");
    std::free(raw);
    if (reading.problem != LinkProblem::None)
        vintalem_link_problem_js(problemText(reading.problem));
    if (!reading.game)
        return;
    linked = reading.game;
    toolkit.setRandom(std::make_unique<LinkedSource>(drawsFor(linked->strand), toolkit.takeRandom()));
}

void showLinkedBoxes(ui::Toolkit& toolkit)
{
    auto* main = toolkit.forms().find<ui::MainForm>(ui::names::zuvo);
    if (!linked || !main)
        return;
    for (int i = 0; i < ui::MainForm::kSlots; ++i)
        if (const auto& box = linked->boxes[static_cast<std::size_t>(i)])
            main->nt[i]->setText(QString::fromStdString(*box));
    linked.reset();
}

}  // namespace vintalem::web

EMSCRIPTEN_BINDINGS(vintalem_link)
{
    emscripten::function("vintalemShareLink", &vintalem::web::shareLink);
}
