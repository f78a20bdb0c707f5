#!/usr/bin/env python3
"""Keeps of a font only the characters the game's texts and Qt's Italian ones use, for the page,
whose weight pupils wait for: subset_font.py IN OUT FAMILY.

Liberation's licence (SIL OFL 1.1) reserves its name for the original fonts, so the subset is
named FAMILY; its copyright and licence records are kept as they are."""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# Latin-1, the typographic quotes, dashes and ellipsis, the euro, arrows, the minus.
UNICODES = [*range(0x20, 0x7F), *range(0xA0, 0x100), 0x131, 0x152, 0x153, *range(0x2010, 0x2028),
            *range(0x2030, 0x203B), 0x20AC, 0x2122, *range(0x2190, 0x2194), 0x2212, 0xFFFD]


def main():
    source, target, family = sys.argv[1:4]
    font = TTFont(source)
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=UNICODES)
    subsetter.subset(font)
    names = font["name"]
    style = names.getDebugName(2) or "Regular"
    full = family if style == "Regular" else f"{family} {style}"
    postscript = f"{family.replace(' ', '')}-{style.replace(' ', '')}"
    for record in names.names:
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID == 4:
            record.string = full
        elif record.nameID == 6:
            record.string = postscript
        elif record.nameID == 3:
            record.string = f"{postscript}: a subset of {names.getDebugName(4)}"
    font.save(target)


if __name__ == "__main__":
    main()
