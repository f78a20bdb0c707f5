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

    struct GridLine {
        const char* name;
        int x1, y1, x2, y2;  // twips
    };

    CodonTableForm();

    void Form_Load() override;
    void Which(const QString& AA, quint8 coming) override;
    void AaList_MouseUp(int Button, int Shift, int X, int Y);
    void aminoacido_Click(int Index);

    const QString& selectedCode() const { return SelectedCode; }
    static const std::array<GridLine, 12>& gridLines();

    std::array<Label*, kCells> aminoacido{};
    Label* Label73 = nullptr;
    ListBox* AaList = nullptr;
    Label* Label75 = nullptr;
    Label* Label74 = nullptr;
    QPlainTextEdit* Codoni = nullptr;

private:
    void ListCodons(const QString& code);
    int ListPositionOf(int cell) const;
    void ClearHighlight();

    QString SelectedCode;
};

}  // namespace vintalem::ui
