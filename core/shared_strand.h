#pragma once

#include "coding_run.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vintalem {

// A strand handed from one screen to another in a link: the template strand as the boxes
// showed it when it was drawn, and the boxes the teacher changed, as they stood.
struct SharedStrand {
    std::string strand;  // 60 letters
    std::array<std::optional<std::string>, kCodonCount> boxes;
};

// What can be wrong with a link, in the order it is checked.
enum class LinkProblem {
    None,
    StrandLength,   // not 60 letters
    StrandLetters,  // a letter other than a, c, g, t
    StrandStart,    // not beginning with the start template
    StrandEarlyStop,// a stop template before the last codon
    StrandNoStop,   // no stop template at the end
    Boxes,          // a box that is not up to three of those letters, or no strand for them
};

struct LinkReading {
    std::optional<SharedStrand> game;  // none: start as usual
    LinkProblem problem = LinkProblem::None;
};

// Reads a page address's fragment ("#dna=...&caselle=..."; percent-encoded or not, capitals
// taken as small letters). "caselle" lists changed boxes as a codon number and up to three
// letters, separated by dots ("5ggg.12a", "7" for a box left empty). Other keys are ignored.
LinkReading readLink(std::string_view fragment);

// A strand that drawSequence could have drawn; None if so.
LinkProblem checkStrand(std::string_view strand);

// The fragment (without '#') for a strand and the boxes as they stand: only boxes that differ
// from the strand are written.
std::string writeLink(std::string_view strand, const CodonTexts& boxes);

// The draws that make drawSequence produce `strand`, which must pass checkStrand.
std::vector<float> drawsFor(std::string_view strand);

// A source that plays back given draws, then goes on with 0.
class ReplayedDraws {
public:
    explicit ReplayedDraws(std::vector<float> draws) : draws_(std::move(draws)) {}
    void randomize() {}
    float next() { return next_ < draws_.size() ? draws_[next_++] : 0.0f; }
    bool done() const { return next_ >= draws_.size(); }

private:
    std::vector<float> draws_;
    std::size_t next_ = 0;
};

}  // namespace vintalem
