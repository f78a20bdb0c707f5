#pragma once

#include "coding_run.h"

#include <array>

namespace vintalem {

// What each slot of a protein row shows: an amino acid, Stop, or nothing.
using ProteinRow = std::array<Outcome, kCodonCount>;

// The report that ends a coding run: which replaced amino acids stay, whether the
// changes were silent, and whether the heading over the replaced ones shows.
struct CodingReport {
    // The previous-protein row once every changed slot got its generated codon's outcome
    // and every unchanged slot was emptied, before the tidying.
    ProteinRow decoded{};
    // Slots 1 to 19 whose new-protein slot is empty are emptied again; slot 0 never is.
    std::array<bool, kCodonCount> tidied{};
    // The previous-protein row as the run leaves it.
    ProteinRow previous{};
    // Some slot shows the same outcome in both rows and none shows two different ones.
    bool silentMutation = false;
    // Some slot of the previous-protein row shows an outcome.
    bool showHeading = false;
};

// `before` is the previous-protein row as it stood before the run: a changed slot whose
// generated codon decodes to nothing keeps what it showed.
CodingReport runReport(const CodingRunResult& run, const ProteinRow& before);

}  // namespace vintalem
