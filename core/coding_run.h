#pragma once

#include "amino_acids.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vintalem {

inline constexpr std::size_t kCodonCount = 20;
inline constexpr std::size_t kCodonLength = 3;
inline constexpr std::size_t kSequenceLength = kCodonCount * kCodonLength;

using CodonTexts = std::array<std::string, kCodonCount>;
// What a protein slot shows: an amino acid, Stop, or nothing.
using Outcome = std::optional<AminoAcidId>;

// Characters, not bytes: texts are UTF-8 and a pasted accented letter counts once.
std::size_t characterCount(std::string_view utf8);

// Template-strand letters a, g, c, t become u, c, g, a; anything else is dropped.
// Only the first three characters are read.
std::string TranscribeCodon(std::string_view templateCodon);

// Codon i of a reference strand (empty past its end).
std::string_view referenceCodon(std::string_view reference, std::size_t slot);

struct SlotChange {
    bool changed = false;
    Outcome previous;  // what the generated codon coded; meaningful only when changed
};

struct CodingRunResult {
    std::optional<std::size_t> firstBadLength;  // when set, nothing below was computed
    std::array<std::string, kCodonCount> rna;
    std::array<SlotChange, kCodonCount> changes;
    bool stopWarning = false;
    std::array<Outcome, kCodonCount> outcomes;
};

// Everything one press of "Codifica proteina" decides, without any window.
CodingRunResult runCoding(const CodonTexts& texts, std::string_view reference);

}  // namespace vintalem
