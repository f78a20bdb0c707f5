#pragma once

#include "core/coding_run.h"
#include "core/report.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/form.h"
#include "ui/toolkit/services.h"

#include <QPushButton>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace vintalem::ui {

// The protein row a routine draws into: the new protein, or the amino acids the changes replaced.
enum class Row : quint8 { New = 0, Old = 1 };

// The main window: the DNA row, the RNA row, both protein rows, the report and the legend.
class MainForm : public Form {
    Q_OBJECT
public:
    static constexpr int kSlots = static_cast<int>(kCodonCount);
    static constexpr double kNoteSeconds = 2.0;

    MainForm();
    ~MainForm() override;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // Handlers.
    void mnuExit_Click();
    void Atabella_Click();
    void mnuInformations_Click();
    void Info_Click();
    void ChnSeq_Click();
    void CodProt_Click();
    void nt_KeyPress(int Index, int& KeyAscii);
    void nt_Change(int Index);
    void AA_Click(int Index);
    void OldAA_Click(int Index);

    // Routines of the game.
    void GenerateSequence();
    void ClearProteinSlot(int i);
    void DecodeCodon(int slot, Row isOld, Outcome outcome);
    void PrepareGlyphBox(int slot, Row isOld);
    void DrawGlyph(AminoAcidId aminoAcid, int slot, Row isOld);
    // One procedure per amino acid, in catalogue order.
    void DrawAla(int slot, Row isOld) { DrawGlyph(AminoAcidId::Ala, slot, isOld); }
    void DrawCys(int slot, Row isOld) { DrawGlyph(AminoAcidId::Cys, slot, isOld); }
    void DrawAsp(int slot, Row isOld) { DrawGlyph(AminoAcidId::Asp, slot, isOld); }
    void DrawGlu(int slot, Row isOld) { DrawGlyph(AminoAcidId::Glu, slot, isOld); }
    void DrawPhe(int slot, Row isOld) { DrawGlyph(AminoAcidId::Phe, slot, isOld); }
    void DrawGly(int slot, Row isOld) { DrawGlyph(AminoAcidId::Gly, slot, isOld); }
    void DrawHis(int slot, Row isOld) { DrawGlyph(AminoAcidId::His, slot, isOld); }
    void DrawIle(int slot, Row isOld) { DrawGlyph(AminoAcidId::Ile, slot, isOld); }
    void DrawLys(int slot, Row isOld) { DrawGlyph(AminoAcidId::Lys, slot, isOld); }
    void DrawLeu(int slot, Row isOld) { DrawGlyph(AminoAcidId::Leu, slot, isOld); }
    void DrawMet(int slot, Row isOld) { DrawGlyph(AminoAcidId::Met, slot, isOld); }
    void DrawAsn(int slot, Row isOld) { DrawGlyph(AminoAcidId::Asn, slot, isOld); }
    void DrawPro(int slot, Row isOld) { DrawGlyph(AminoAcidId::Pro, slot, isOld); }
    void DrawGln(int slot, Row isOld) { DrawGlyph(AminoAcidId::Gln, slot, isOld); }
    void DrawArg(int slot, Row isOld) { DrawGlyph(AminoAcidId::Arg, slot, isOld); }
    void DrawSer(int slot, Row isOld) { DrawGlyph(AminoAcidId::Ser, slot, isOld); }
    void DrawThr(int slot, Row isOld) { DrawGlyph(AminoAcidId::Thr, slot, isOld); }
    void DrawVal(int slot, Row isOld) { DrawGlyph(AminoAcidId::Val, slot, isOld); }
    void DrawTrp(int slot, Row isOld) { DrawGlyph(AminoAcidId::Trp, slot, isOld); }
    void DrawTyr(int slot, Row isOld) { DrawGlyph(AminoAcidId::Tyr, slot, isOld); }

    const std::string& referenceSequence() const { return ReferenceSequence; }
    bool silentMutation() const { return silentMutation_; }

    // Controls, named as the game names them.
    std::array<TextBox*, kSlots> nt{};
    std::array<QLineEdit*, kSlots> RNA{};
    std::array<PictureBox*, kSlots> AA{};
    std::array<Label*, kSlots> naame{};
    std::array<PictureBox*, kSlots> OldAA{};
    std::array<Label*, kSlots> OldAaName{};
    Label* Label3 = nullptr;
    Label* DNA3 = nullptr;
    Label* Label1 = nullptr;
    Label* Label13 = nullptr;
    Label* Label14 = nullptr;
    Label* Label15 = nullptr;
    QPushButton* ChnSeq = nullptr;
    QPushButton* CodProt = nullptr;
    Frame* legend = nullptr;
    Label* Label2 = nullptr;
    QAction* Atabella = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuInformations = nullptr;
    QAction* Info = nullptr;

private:
    void buildRows();
    void buildLegend();
    void buildMenus();
    PictureBox* glyphBox(int slot, Row isOld) const { return isOld == Row::Old ? OldAA[slot] : AA[slot]; }
    Label* nameLabel(int slot, Row isOld) const { return isOld == Row::Old ? OldAaName[slot] : naame[slot]; }
    void TranslateRna(const CodingRunResult& run, const CodingReport& report);
    void CheckStopCodon(const CodingRunResult& run, std::function<void()> then);
    void Report(const CodingReport& report);
    void clearSlot(int slot, Row isOld);
    void updateGlyphFocus(int slot, Row isOld);
    void lookUp(const QString& code);

    std::string ReferenceSequence;
    // What the previous-protein row shows, as outcomes: the report starts from it.
    ProteinRow previousRow_{};
    bool silentMutation_ = false;
    bool closing_ = false;
    std::unique_ptr<Alarm> noteAlarm_;
};

}  // namespace vintalem::ui
