#include "sequence.h"

#include <algorithm>

namespace vintalem {

namespace {
std::uint64_t mix64(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// Integer part of r * n + 1, kept in 1..n even for a source that breaks its range.
int drawCode(UniformSource& source, int n)
{
    const int code = static_cast<int>(source.next() * static_cast<float>(n) + 1.0f);
    return std::clamp(code, 1, n);
}

// Base codes in the game's order: 1 a, 2 g, 3 c, 4 t.
constexpr std::string_view kBaseOfCode = "agct";
}  // namespace

ClockSeededGenerator::ClockSeededGenerator(ClockReading clock, std::uint64_t state)
    : clock_(std::move(clock)), state_(state)
{
}

void ClockSeededGenerator::randomize()
{
    state_ = mix64(state_ ^ mix64(clock_() + 0x9E3779B97F4A7C15ULL));
}

std::uint64_t ClockSeededGenerator::nextBits()
{
    state_ += 0x9E3779B97F4A7C15ULL;
    return mix64(state_);
}

float ClockSeededGenerator::next()
{
    // 24 bits fill a float's mantissa exactly, so the result stays below 1.
    return static_cast<float>(nextBits() >> 40) * (1.0f / 16777216.0f);
}

CodonTexts drawSequence(UniformSource& source)
{
    CodonTexts codons;
    codons[0] = kStartTemplate;

    source.randomize();
    for (std::size_t slot = 1; slot + 1 < kCodonCount; ++slot) {
        std::string triplet;
        do {
            triplet.clear();
            for (std::size_t b = 0; b < kCodonLength; ++b)
                triplet.push_back(kBaseOfCode[drawCode(source, 4) - 1]);
        } while (isStopTemplate(triplet));
        codons[slot] = triplet;
    }

    source.randomize();
    codons[kCodonCount - 1] = kStopTemplates[drawCode(source, 3) - 1];
    return codons;
}

}  // namespace vintalem
