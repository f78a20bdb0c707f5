#pragma once

#include "amino_acid_lookup.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/form.h"

#include <QPlainTextEdit>

#include <array>

namespace vintalem::ui {

// "Tabella degli Aminoacidi": the 64 codons as a grid, with a look-up by amino acid.
class CodonTableForm : public Form, public AminoAcidLookup {
    Q_OBJECT
public:
    static constexpr int kCells = 64;

    // A coloured base letter of the grid's headings: the first base along the top, the
    // second down the left, the third beside each cell. Bold, kLetterWidth x kLetterHeight.
    struct BaseLetter {
        char caption;
        int left, top;  // twips
        QRgb colour;
    };
    static constexpr int kLetterWidth = 135;
    static constexpr int kLetterHeight = 255;

    CodonTableForm();

    void Form_Load() override;
    void Which(const QString& AA, Coming coming) override;
    void AaList_MouseUp(int Button, int Shift, int X, int Y);
    void aminoacido_Click(int Index);

    const QString& selectedCode() const { return SelectedCode; }
    static const std::array<BaseLetter, 72>& baseLetters();

    std::array<Label*, kCells> aminoacido{};
    Label* Label73 = nullptr;
    ListBox* AaList = nullptr;
    Label* Label75 = nullptr;
    Label* Label74 = nullptr;
    QPlainTextEdit* Codoni = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListCodons(const QString& code);
    int ListPositionOf(int cell) const;
    void ClearHighlight();

    QString SelectedCode;
};

}  // namespace vintalem::ui
