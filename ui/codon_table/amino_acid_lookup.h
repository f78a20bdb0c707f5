#pragma once

#include <QString>
#include <QtGlobal>

namespace vintalem::ui {

// Where a look-up starts: the main window highlights in yellow and moves the list along,
// the codon table window itself in magenta.
enum class Coming : quint8 { FromMainWindow = 0, FromThisWindow = 1 };

// What other windows may ask of the codon table window.
class AminoAcidLookup {
public:
    virtual ~AminoAcidLookup() = default;
    // Shows the window with the cells of `AA` highlighted.
    virtual void Which(const QString& AA, Coming coming) = 0;
};

}  // namespace vintalem::ui
