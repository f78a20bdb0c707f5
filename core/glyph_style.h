#pragma once

#include "amino_acids.h"

#include <cstdint>

namespace vintalem {

struct Rgb {
    std::uint8_t r, g, b;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

enum class GlyphShape : std::uint8_t { Square, Circle };

// A glyph in the glyph box's twips, computed from the main window's client size in pixels.
struct GlyphGeometry {
    GlyphShape shape;
    Rgb fill;
    // Square: opposite corners (x1, y1) and (x2, y2). Circle: centre (x1, y1) and radius.
    float x1, y1, x2, y2, radius;
};

struct ChainLine {
    float x1, y1, x2, y2;
};

constexpr Rgb fillOf(ChargeClass charge)
{
    switch (charge) {
    case ChargeClass::Acidic: return {255, 0, 0};
    case ChargeClass::Basic: return {0, 255, 0};
    case ChargeClass::Neutral: break;
    }
    return {0, 0, 255};
}

constexpr ChainLine chainLine(float w, float h) { return {w, h / 2 + 25, 0, h / 2 + 25}; }

// Not for Stop, which has no glyph.
constexpr GlyphGeometry glyphGeometry(AminoAcidId id, float w, float h)
{
    const AminoAcid& a = entry(id);
    const float cx = w / 2, cy = h / 2;
    GlyphGeometry g{GlyphShape::Square, fillOf(a.charge), 0, 0, 0, 0, 0};
    if (a.polarity == Polarity::Polar) {
        g.shape = GlyphShape::Circle;
        g.x1 = cx - 185;
        g.y1 = cy + 22;
        g.radius = a.size == SizeClass::Small ? 50 : a.size == SizeClass::Medium ? 100 : 140;
        return g;
    }
    switch (a.size) {
    case SizeClass::Small: g.x1 = cx - 225; g.y1 = cy - 25; g.x2 = cx - 125; g.y2 = cy + 75; break;
    case SizeClass::Medium: g.x1 = cx - 260; g.y1 = cy - 50; g.x2 = cx - 80; g.y2 = cy + 125; break;
    case SizeClass::Large: g.x1 = cx - 300; g.y1 = cy - 100; g.x2 = cx - 50; g.y2 = cy + 150; break;
    }
    return g;
}

}  // namespace vintalem
