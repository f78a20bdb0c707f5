#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vintalem {

// Twenty amino acids in catalogue order (alphabetical by one-letter code), then Stop.
enum class AminoAcidId : std::uint8_t {
    Ala, Cys, Asp, Glu, Phe, Gly, His, Ile, Lys, Leu,
    Met, Asn, Pro, Gln, Arg, Ser, Thr, Val, Trp, Tyr,
    Stop
};

enum class ChargeClass : std::uint8_t { Acidic, Basic, Neutral };
enum class Polarity : std::uint8_t { Polar, Apolar };
enum class SizeClass : std::uint8_t { Small, Medium, Large };

struct AminoAcid {
    AminoAcidId id;
    std::string_view code;
    std::string_view italianName;  // also the codon table window's list text
    ChargeClass charge;
    Polarity polarity;
    SizeClass size;
    std::size_t listIndex;
};

inline constexpr std::size_t kAminoAcidCount = 20;
inline constexpr std::size_t kEntryCount = 21;  // with Stop

// The stop entry carries no properties; its charge/polarity/size fields are unused.
inline constexpr std::array<AminoAcid, kEntryCount> kCatalogue{{
    {AminoAcidId::Ala, "Ala", "Alanina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Small, 0},
    {AminoAcidId::Cys, "Cys", "Cisteina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Small, 4},
    {AminoAcidId::Asp, "Asp", "Aspartato", ChargeClass::Acidic, Polarity::Polar, SizeClass::Small, 3},
    {AminoAcidId::Glu, "Glu", "Glutammato", ChargeClass::Acidic, Polarity::Polar, SizeClass::Medium, 7},
    {AminoAcidId::Phe, "Phe", "Fenilalanina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Large, 5},
    {AminoAcidId::Gly, "Gly", "Glicina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Small, 6},
    {AminoAcidId::His, "His", "Istidina", ChargeClass::Neutral, Polarity::Polar, SizeClass::Large, 10},
    {AminoAcidId::Ile, "Ile", "Isoleucina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Large, 9},
    {AminoAcidId::Lys, "Lys", "Lisina", ChargeClass::Basic, Polarity::Polar, SizeClass::Large, 12},
    {AminoAcidId::Leu, "Leu", "Leucina", ChargeClass::Basic, Polarity::Apolar, SizeClass::Large, 11},
    {AminoAcidId::Met, "Met", "Metionina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Large, 13},
    {AminoAcidId::Asn, "Asn", "Aspargina", ChargeClass::Neutral, Polarity::Polar, SizeClass::Medium, 2},
    {AminoAcidId::Pro, "Pro", "Prolina", ChargeClass::Neutral, Polarity::Polar, SizeClass::Medium, 14},
    {AminoAcidId::Gln, "Gln", "Glutammina", ChargeClass::Neutral, Polarity::Polar, SizeClass::Large, 8},
    {AminoAcidId::Arg, "Arg", "Arginina", ChargeClass::Basic, Polarity::Polar, SizeClass::Large, 1},
    {AminoAcidId::Ser, "Ser", "Serina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Small, 15},
    {AminoAcidId::Thr, "Thr", "Treonina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Small, 17},
    {AminoAcidId::Val, "Val", "Valina", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Medium, 19},
    {AminoAcidId::Trp, "Trp", "Triptofano", ChargeClass::Neutral, Polarity::Polar, SizeClass::Large, 18},
    {AminoAcidId::Tyr, "Tyr", "Tirosina", ChargeClass::Neutral, Polarity::Polar, SizeClass::Large, 16},
    {AminoAcidId::Stop, "Stop", "Stop", ChargeClass::Neutral, Polarity::Apolar, SizeClass::Small, 20},
}};

inline constexpr std::string_view kStopTooltip = "STOP";

constexpr const AminoAcid& entry(AminoAcidId id) { return kCatalogue[static_cast<std::size_t>(id)]; }

constexpr std::optional<AminoAcidId> FindByCode(std::string_view code)
{
    for (const AminoAcid& a : kCatalogue)
        if (a.code == code)
            return a.id;
    return std::nullopt;
}

constexpr std::size_t listIndexOf(AminoAcidId id) { return entry(id).listIndex; }

namespace detail {
constexpr std::array<AminoAcidId, kEntryCount> makeListOrder()
{
    std::array<AminoAcidId, kEntryCount> order{};
    for (const AminoAcid& a : kCatalogue)
        order[a.listIndex] = a.id;
    return order;
}
}  // namespace detail

// Italian alphabetical order of the list, Stop last.
inline constexpr std::array<AminoAcidId, kEntryCount> kListOrder = detail::makeListOrder();

constexpr AminoAcidId byListIndex(std::size_t index) { return kListOrder[index]; }

namespace detail {
constexpr bool catalogueIdsInOrder()
{
    for (std::size_t i = 0; i < kEntryCount; ++i)
        if (static_cast<std::size_t>(kCatalogue[i].id) != i)
            return false;
    return true;
}
constexpr bool listIndexIsPermutation()
{
    std::array<bool, kEntryCount> seen{};
    for (const AminoAcid& a : kCatalogue) {
        if (a.listIndex >= kEntryCount || seen[a.listIndex])
            return false;
        seen[a.listIndex] = true;
    }
    return true;
}
constexpr bool textsDistinct()
{
    for (std::size_t i = 0; i < kEntryCount; ++i)
        for (std::size_t j = i + 1; j < kEntryCount; ++j)
            if (kCatalogue[i].code == kCatalogue[j].code || kCatalogue[i].italianName == kCatalogue[j].italianName)
                return false;
    return true;
}
constexpr bool listOrderIsAlphabetical()
{
    for (std::size_t i = 1; i < kAminoAcidCount; ++i)
        if (!(entry(kListOrder[i - 1]).italianName < entry(kListOrder[i]).italianName))
            return false;
    return true;
}
template <typename Pred>
constexpr std::size_t countWhere(Pred pred)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < kAminoAcidCount; ++i)
        if (pred(kCatalogue[i]))
            ++n;
    return n;
}
}  // namespace detail

static_assert(detail::catalogueIdsInOrder(), "rows must stand in AminoAcidId order");
static_assert(detail::listIndexIsPermutation(), "listIndex must be a permutation of 0..20");
static_assert(entry(AminoAcidId::Stop).listIndex == 20, "Stop is the last list entry");
static_assert(detail::textsDistinct(), "codes and Italian names must be distinct");
static_assert(detail::listOrderIsAlphabetical(), "list order is the alphabetical order of the names");
static_assert(detail::countWhere([](const AminoAcid& a) { return a.charge == ChargeClass::Acidic; }) == 2);
static_assert(detail::countWhere([](const AminoAcid& a) { return a.charge == ChargeClass::Basic; }) == 3);
static_assert(detail::countWhere([](const AminoAcid& a) { return a.polarity == Polarity::Polar; }) == 10);
static_assert(detail::countWhere([](const AminoAcid& a) { return a.size == SizeClass::Small; }) == 6);
static_assert(detail::countWhere([](const AminoAcid& a) { return a.size == SizeClass::Medium; }) == 4);

}  // namespace vintalem
