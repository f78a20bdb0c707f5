#include "sequence.h"

namespace vintalem {

namespace {
std::uint64_t mix64(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
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

}  // namespace vintalem
