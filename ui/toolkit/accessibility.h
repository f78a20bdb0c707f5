#pragma once

#include <QAccessible>
#include <QString>

#include <vector>

namespace vintalem::ui {

// Lets screen readers read and press the toolkit's custom-painted controls, see the
// windows as windows, and read every text box without the toolkit's own text
// interface, which loops for ever on some questions about one-line boxes.
void installAccessibility();

// The piece of text a screen reader asks for: the character, word, sentence, line or
// paragraph at, before or after an offset. `lines` and `paragraphs` are the offsets at
// which lines and paragraphs start; the first is 0. Offsets run 0..text.size(); at the
// end of the text, "at" is the last item (the word or line the caret ends), except for
// characters. A piece that does not exist is empty, at offset 0 before the text and at
// its end after it; an offset outside the text gives an empty piece at -1.
struct TextPiece {
    QString text;
    int start = -1;
    int end = -1;
};
enum class Relation { Before, At, After };
TextPiece textPiece(const QString& text, int offset, QAccessible::TextBoundaryType boundary, Relation relation,
                    const std::vector<int>& lines, const std::vector<int>& paragraphs);

}  // namespace vintalem::ui
