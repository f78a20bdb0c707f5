#pragma once

#include "coding_run.h"

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

// A fresh template strand: "tac", 18 triplets that are not stop templates, a stop template.
// Reseeds the source before the middle codons and again before the stop.
CodonTexts drawSequence(UniformSource& source);

}  // namespace vintalem
