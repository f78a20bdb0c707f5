#pragma once

#include "core/coding_run.h"
#include "tests/support/fakes.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QTest>

#include <array>
#include <string_view>

namespace vintalem::ui {
class MutationForm;
}

namespace vintalem::test {

QString qstr(std::string_view s);
// The RNA the core transcribes a template codon to.
QString transcribe(const QString& dna);
// The code a slot shows for an outcome ("" for none), and for a codon of RNA.
QString codeOf(Outcome outcome);
QString codeOfRna(const QString& rna);
QString codeOfDna(const QString& dna);
// The Italian name of a code, "" when it is none.
QString nameOf(const QString& code);
QStringList empties(int n = 20);

// Every form of the game, by name.
inline const QStringList kAllForms{ui::names::zuvo, ui::names::Atab, ui::names::mutazioni, ui::names::Information,
                                   ui::names::InformazsuVintalem};
// Some form is still a top-level widget.
bool anyFormLeft();

// A strand the tests know in full, and what it codes slot by slot: a test that edits or
// reads the strand uses it, so that every seed takes the same path.
extern const std::array<const char*, 20> kDesigned;
extern const QStringList kDesignedCodes;
// A random source whose draws make the given strand (middle codons and stop template).
std::unique_ptr<ScriptedSource> sourceFor(const std::array<const char*, 20>& codons);

// Everything the main window shows of the game, for before/after comparisons.
struct Screen {
    QStringList nt, rna, names, tips, oldNames, oldTips;
    QList<QImage> glyphs, oldGlyphs;
    bool label14 = false, label15 = false, explanationLoaded = false, explanationVisible = false;
    QString explanationText;
    std::string reference;
};
void verifySame(const Screen& a, const Screen& b, bool withPreviousGlyphs = true);
#define VERIFY_SAME(...)                         \
    do {                                         \
        vintalem::test::verifySame(__VA_ARGS__); \
        if (QTest::currentTestFailed())          \
            return;                              \
    } while (false)

enum class Strand { Drawn, Designed };

// The program as it starts: its main window loaded and shown, on a drawn or the designed strand.
struct Game {
    explicit Game(Strand strand = Strand::Designed);

    TestToolkit tk;
    QPointer<ui::MainForm> main;

    void press();
    void set(int slot, const QString& text);
    ui::MutationForm* explanation();
    QString referenceCodon(int slot) const;
    bool designedInstalled() const;
    Screen screen();
    QStringList rna() const;
    QStringList newCodes() const;
    QStringList oldCodes() const;
    // What the codon boxes transcribe to, computed by the core.
    QStringList transcribedBoxes() const;
};

}  // namespace vintalem::test
