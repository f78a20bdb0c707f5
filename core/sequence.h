#pragma once

#include "coding_run.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>

namespace vintalem {

// A uniform pseudo-random source that can be reseeded from a clock.
class UniformSource {
public:
    virtual ~UniformSource() = default;
    virtual void randomize() = 0;
    virtual float next() = 0;  // 0 <= r < 1
};

// splitmix64 whose reseeding mixes the clock into the current state, so two
// reseedings within one clock tick still lead to different draws.
class ClockSeededGenerator final : public UniformSource {
public:
    using ClockReading = std::function<std::uint64_t()>;

    explicit ClockSeededGenerator(ClockReading clock, std::uint64_t state = 0x853C49E6748FEA9BULL);

    void randomize() override;
    float next() override;

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
    if (keyAscii >= 'A' && keyAscii <= 'Z')
        keyAscii += 'a' - 'A';
    switch (keyAscii) {
    case 'a':
    case 'c':
    case 'g':
    case 't':
    case kBackspaceKey: return keyAscii;
    default: return 0;
    }
}

namespace detail {
// Integer part of r * n + 1, kept in 1..n even for a source that breaks its range.
constexpr int drawCode(float r, int n)
{
    const int code = static_cast<int>(r * static_cast<float>(n) + 1.0f);
    return std::clamp(code, 1, n);
}

// Base codes in the game's order: 1 a, 2 g, 3 c, 4 t.
inline constexpr std::string_view kBaseOfCode = "agct";
}  // namespace detail

// A fresh template strand: "tac", 18 triplets that are not stop templates, a stop template.
// Reseeds the source before the middle codons and again before the stop. Any source with
// randomize() and next() serves, a UniformSource or a window toolkit's own.
template <typename Source>
CodonTexts drawSequence(Source& source)
{
    CodonTexts codons;
    codons[0] = kStartTemplate;

    source.randomize();
    for (std::size_t slot = 1; slot + 1 < kCodonCount; ++slot) {
        std::string triplet;
        do {
            triplet.clear();
            for (std::size_t b = 0; b < kCodonLength; ++b)
                triplet.push_back(detail::kBaseOfCode[detail::drawCode(source.next(), 4) - 1]);
        } while (isStopTemplate(triplet));
        codons[slot] = triplet;
    }

    source.randomize();
    codons[kCodonCount - 1] = kStopTemplates[detail::drawCode(source.next(), 3) - 1];
    return codons;
}

}  // namespace vintalem
