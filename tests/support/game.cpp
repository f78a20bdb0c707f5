#include "game.h"

#include "core/shared_strand.h"

#include "core/codon_table.h"
#include "ui/form_names.h"
#include "ui/main/mutation_form.h"

#include <QApplication>
#include <QTest>

namespace vintalem::test {

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString transcribe(const QString& dna) { return qstr(TranscribeCodon(dna.toStdString())); }
QString codeOf(Outcome outcome) { return outcome ? qstr(entry(*outcome).code) : QString(); }
QString codeOfRna(const QString& rna) { return codeOf(LookUpCodon(rna.toStdString())); }
QString codeOfDna(const QString& dna) { return codeOfRna(transcribe(dna)); }
QStringList empties(int n) { return QStringList(n, QString()); }

QString nameOf(const QString& code)
{
    const auto id = FindByCode(code.toStdString());
    return id ? qstr(entry(*id).italianName) : QString();
}

bool anyFormLeft()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<ui::Form*>(w))
            return true;
    return false;
}

const std::array<const char*, 20> kDesigned{
    "tac", "gct", "ccg", "aaa", "tgc", "cgt", "gga", "ttt", "cag", "gtc",
    "acc", "tca", "agg", "ctt", "gac", "cat", "tta", "ggc", "atg", "att",
};
const QStringList kDesignedCodes{
    "Met", "Arg", "Gly", "Phe", "Thr", "Ala", "Pro", "Lys", "Val", "Gln",
    "Trp", "Ser", "Ser", "Glu", "Leu", "Val", "Asn", "Pro", "Tyr", "Stop",
};

std::unique_ptr<ScriptedSource> sourceFor(const std::array<const char*, 20>& codons)
{
    std::string strand;
    for (const char* codon : codons)
        strand += codon;
    return std::make_unique<ScriptedSource>(drawsFor(strand));
}

template <typename Widgets>
static QStringList textsOf(const Widgets& widgets)
{
    QStringList out;
    for (const auto* w : widgets)
        out << w->text();
    return out;
}

Game::Game(Strand strand)
{
    if (strand == Strand::Designed)
        tk.toolkit.setRandom(sourceFor(kDesigned));
    main = tk.forms().load<ui::MainForm>(ui::names::zuvo);
    if (main)
        main->show();
}

void Game::press() { QTest::mouseClick(main->CodProt, Qt::LeftButton); }
void Game::set(int slot, const QString& text) { main->nt[slot]->setText(text); }
ui::MutationForm* Game::explanation() { return tk.forms().find<ui::MutationForm>(ui::names::mutazioni); }
QString Game::referenceCodon(int slot) const
{
    return qstr(vintalem::referenceCodon(main->referenceSequence(), static_cast<std::size_t>(slot)));
}

bool Game::designedInstalled() const
{
    std::string joined;
    for (const char* c : kDesigned)
        joined += c;
    return main && main->referenceSequence() == joined;
}

QStringList Game::rna() const { return textsOf(main->RNA); }
QStringList Game::newCodes() const { return textsOf(main->naame); }
QStringList Game::oldCodes() const { return textsOf(main->OldAaName); }
QStringList Game::transcribedBoxes() const
{
    QStringList out;
    for (const QString& text : textsOf(main->nt))
        out << transcribe(text);
    return out;
}

Screen Game::screen()
{
    Screen s;
    s.nt = textsOf(main->nt);
    s.rna = rna();
    s.names = newCodes();
    s.oldNames = oldCodes();
    for (int i = 0; i < ui::MainForm::kSlots; ++i) {
        s.tips << main->AA[i]->toolTip();
        s.oldTips << main->OldAA[i]->toolTip();
        s.glyphs << main->AA[i]->grab().toImage();
        s.oldGlyphs << main->OldAA[i]->grab().toImage();
    }
    s.label14 = main->Label14->isVisible();
    s.label15 = main->Label15->isVisible();
    if (ui::MutationForm* m = explanation()) {
        s.explanationLoaded = true;
        s.explanationVisible = m->isVisible();
        s.explanationText = m->explanation->toPlainText();
    }
    s.reference = main->referenceSequence();
    return s;
}

void verifySame(const Screen& a, const Screen& b, bool withPreviousGlyphs)
{
    QCOMPARE(b.nt, a.nt);
    QCOMPARE(b.rna, a.rna);
    QCOMPARE(b.names, a.names);
    QCOMPARE(b.tips, a.tips);
    QCOMPARE(b.oldNames, a.oldNames);
    QCOMPARE(b.oldTips, a.oldTips);
    for (int i = 0; i < a.glyphs.size(); ++i) {
        QVERIFY2(b.glyphs[i] == a.glyphs[i], qPrintable(QStringLiteral("glyph %1").arg(i)));
        if (withPreviousGlyphs)
            QVERIFY2(b.oldGlyphs[i] == a.oldGlyphs[i], qPrintable(QStringLiteral("previous glyph %1").arg(i)));
    }
    QCOMPARE(b.label14, a.label14);
    QCOMPARE(b.label15, a.label15);
    QCOMPARE(b.explanationLoaded, a.explanationLoaded);
    QCOMPARE(b.explanationVisible, a.explanationVisible);
    QCOMPARE(b.explanationText, a.explanationText);
    QCOMPARE(b.reference, a.reference);
}

}  // namespace vintalem::test
