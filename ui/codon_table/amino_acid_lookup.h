#pragma once

#include <QString>
#include <QtGlobal>

namespace vintalem::ui {

// What other windows may ask of the codon table window.
class AminoAcidLookup {
public:
    virtual ~AminoAcidLookup() = default;
    // Shows the window with the cells of `AA` highlighted; `coming` is 0 from the
    // main window (yellow, and the list follows), non-zero from the window itself.
    virtual void Which(const QString& AA, quint8 coming) = 0;
};

}  // namespace vintalem::ui
