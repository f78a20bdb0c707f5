#pragma once

#include "coding_run.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>

namespace vintalem {

// A uniform pseudo-random source, reseeded from a clock: splitmix64 whose reseeding mixes the
// clock into the current state, so two reseedings within one clock tick still lead to
// different draws.
class ClockSeededGenerator {
public:
    using ClockReading = std::function<std::uint64_t()>;

    explicit ClockSeededGenerator(ClockReading clock, std::uint64_t state = 0x853C49E6748FEA9BULL);

    void randomize();
    float next();  // 0 <= r < 1

private:
    std::uint64_t nextBits();

    ClockReading clock_;
    std::uint64_t state_;
};

inline constexpr std::string_view kStartTemplate = "tac";
inline constexpr std::array<std::string_view, 3> kStopTemplates{"act", "atc", "att"};

constexpr bool isStopTemplate(std::string_view triplet)
{
    for (std::string_view stop : kStopTemplates)
        if (stop == triplet)
            return true;
    return false;
}

inline constexpr int kBackspaceKey = 8;

// What a codon box takes for a typed character code: a, c, g and t, capitals lowered, and
// Backspace; anything else becomes 0, which drops the key.
constexpr int codonBoxKey(int keyAscii)
{
    const int key = keyAscii >= 'A' && keyAscii <= 'Z' ? keyAscii + ('a' - 'A') : keyAscii;
    return key == 'a' || key == 'c' || key == 'g' || key == 't' || key == kBackspaceKey ? key : 0;
}

template <typename Source>
CodonTexts drawSequence(Source& source)
{
    // Integer part of r * n + 1, kept in 1..n even for a source that breaks its range.
    const auto drawCode = [&source](int n) {
        return std::clamp(static_cast<int>(source.next() * static_cast<float>(n) + 1.0f), 1, n);
    };
    constexpr std::string_view kBaseOfCode = "agct";  // base codes 1..4 in the game's order

    CodonTexts codons;
    codons[0] = kStartTemplate;
    source.randomize();
    for (std::size_t slot = 1; slot + 1 < kCodonCount; ++slot) {
        std::string triplet;
        do {
            triplet.clear();
            for (std::size_t b = 0; b < kCodonLength; ++b)
                triplet.push_back(kBaseOfCode[drawCode(4) - 1]);
        } while (isStopTemplate(triplet));
        codons[slot] = triplet;
    }
    source.randomize();
    codons[kCodonCount - 1] = kStopTemplates[drawCode(3) - 1];
    return codons;
}

}  // namespace vintalem
