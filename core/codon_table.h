#pragma once

#include "amino_acids.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace vintalem {

struct CodonEntry {
    std::string_view codon;
    AminoAcidId outcome;
};

// The standard genetic code, one row per codon, grouped by outcome in the game's order.
inline constexpr std::array<CodonEntry, 64> kCodonTable{{
    {"gca", AminoAcidId::Ala}, {"gcg", AminoAcidId::Ala}, {"gcc", AminoAcidId::Ala}, {"gcu", AminoAcidId::Ala},
    {"cga", AminoAcidId::Arg}, {"cgg", AminoAcidId::Arg}, {"cgc", AminoAcidId::Arg}, {"cgu", AminoAcidId::Arg},
    {"aga", AminoAcidId::Arg}, {"agg", AminoAcidId::Arg},
    {"aac", AminoAcidId::Asn}, {"aau", AminoAcidId::Asn},
    {"gac", AminoAcidId::Asp}, {"gau", AminoAcidId::Asp},
    {"ugc", AminoAcidId::Cys}, {"ugu", AminoAcidId::Cys},
    {"gaa", AminoAcidId::Glu}, {"gag", AminoAcidId::Glu},
    {"caa", AminoAcidId::Gln}, {"cag", AminoAcidId::Gln},
    {"ggc", AminoAcidId::Gly}, {"ggu", AminoAcidId::Gly}, {"gga", AminoAcidId::Gly}, {"ggg", AminoAcidId::Gly},
    {"cac", AminoAcidId::His}, {"cau", AminoAcidId::His},
    {"auc", AminoAcidId::Ile}, {"auu", AminoAcidId::Ile}, {"aua", AminoAcidId::Ile},
    {"cua", AminoAcidId::Leu}, {"cug", AminoAcidId::Leu}, {"cuc", AminoAcidId::Leu}, {"cuu", AminoAcidId::Leu},
    {"uua", AminoAcidId::Leu}, {"uug", AminoAcidId::Leu},
    {"aaa", AminoAcidId::Lys}, {"aag", AminoAcidId::Lys},
    {"aug", AminoAcidId::Met},
    {"uuc", AminoAcidId::Phe}, {"uuu", AminoAcidId::Phe},
    {"cca", AminoAcidId::Pro}, {"ccg", AminoAcidId::Pro}, {"ccc", AminoAcidId::Pro}, {"ccu", AminoAcidId::Pro},
    {"uca", AminoAcidId::Ser}, {"ucg", AminoAcidId::Ser}, {"ucc", AminoAcidId::Ser}, {"ucu", AminoAcidId::Ser},
    {"agu", AminoAcidId::Ser}, {"agc", AminoAcidId::Ser},
    {"aca", AminoAcidId::Thr}, {"acg", AminoAcidId::Thr}, {"acc", AminoAcidId::Thr}, {"acu", AminoAcidId::Thr},
    {"ugg", AminoAcidId::Trp},
    {"uac", AminoAcidId::Tyr}, {"uau", AminoAcidId::Tyr},
    {"gua", AminoAcidId::Val}, {"gug", AminoAcidId::Val}, {"guc", AminoAcidId::Val}, {"guu", AminoAcidId::Val},
    {"uga", AminoAcidId::Stop}, {"uag", AminoAcidId::Stop}, {"uaa", AminoAcidId::Stop},
}};

inline constexpr std::string_view kStartCodon = "aug";
inline constexpr std::string_view kRnaBases = "acgu";  // the codon table window's base order

namespace detail {
constexpr int baseIndex(char c)
{
    switch (c) {
    case 'a': return 0;
    case 'c': return 1;
    case 'g': return 2;
    case 'u': return 3;
    default: return -1;
    }
}
static_assert(baseIndex(kRnaBases[0]) == 0 && baseIndex(kRnaBases[1]) == 1 && baseIndex(kRnaBases[2]) == 2
              && baseIndex(kRnaBases[3]) == 3);

// kCodonTable re-addressed by base numbers (first * 16 + second * 4 + third), so a
// look-up is one index instead of a scan of 64 string compares.
constexpr std::array<AminoAcidId, 64> codonIndex()
{
    std::array<AminoAcidId, 64> index{};
    for (const CodonEntry& e : kCodonTable)
        index[baseIndex(e.codon[0]) * 16 + baseIndex(e.codon[1]) * 4 + baseIndex(e.codon[2])] = e.outcome;
    return index;
}
inline constexpr std::array<AminoAcidId, 64> kCodonIndex = codonIndex();
}  // namespace detail

// Exact, case-sensitive: anything but three of a, c, g, u matches nothing.
constexpr std::optional<AminoAcidId> LookUpCodon(std::string_view codon)
{
    if (codon.size() != 3)
        return std::nullopt;
    const int a = detail::baseIndex(codon[0]), b = detail::baseIndex(codon[1]), c = detail::baseIndex(codon[2]);
    if ((a | b | c) < 0)
        return std::nullopt;
    return detail::kCodonIndex[static_cast<std::size_t>(a * 16 + b * 4 + c)];
}

constexpr bool isStopCodon(std::string_view codon) { return codon == "uaa" || codon == "uag" || codon == "uga"; }

// Codon of the codon table window's cell i: bases a, c, g, u numbered 0..3.
constexpr std::array<char, 3> codonOfCell(std::size_t cell)
{
    return {kRnaBases[cell / 16], kRnaBases[(cell / 4) % 4], kRnaBases[cell % 4]};
}

namespace detail {
constexpr bool everyCodonOnce()
{
    std::array<bool, 64> seen{};
    for (const CodonEntry& e : kCodonTable) {
        if (e.codon.size() != 3)
            return false;
        const int a = baseIndex(e.codon[0]), b = baseIndex(e.codon[1]), c = baseIndex(e.codon[2]);
        if (a < 0 || b < 0 || c < 0)
            return false;
        const int cell = a * 16 + b * 4 + c;
        if (seen[cell])
            return false;
        seen[cell] = true;
    }
    return true;
}
constexpr bool everyAminoAcidCoded()
{
    for (const AminoAcid& a : kCatalogue) {
        bool found = false;
        for (const CodonEntry& e : kCodonTable)
            found = found || e.outcome == a.id;
        if (!found)
            return false;
    }
    return true;
}
}  // namespace detail

static_assert(detail::everyCodonOnce(), "all 64 codons, each exactly once");
static_assert(detail::everyAminoAcidCoded(), "every entry of the catalogue has a codon");
static_assert(LookUpCodon(kStartCodon) == AminoAcidId::Met);

// Outcome of cell i, as the grid shows it.
constexpr AminoAcidId outcomeOfCell(std::size_t cell)
{
    const auto c = codonOfCell(cell);
    return *LookUpCodon(std::string_view(c.data(), c.size()));
}

// The cells of an amino acid, or of Stop, in grid order, which is also the order its codons are listed in.
inline std::vector<std::size_t> cellsOf(AminoAcidId id)
{
    std::vector<std::size_t> cells;
    for (std::size_t cell = 0; cell < 64; ++cell)
        if (outcomeOfCell(cell) == id)
            cells.push_back(cell);
    return cells;
}

// The cells of a three-letter code as the windows spell it ("Stop" included); any other
// text, "STOP" or the empty one, matches no cell.
inline std::vector<std::size_t> cellsOf(std::string_view code)
{
    const auto id = FindByCode(code);
    return id ? cellsOf(*id) : std::vector<std::size_t>{};
}

}  // namespace vintalem
