#include "core/amino_acids.h"
#include "tests/support/fakes.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/main/mutation_form.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPlainTextEdit>
#include <QTest>

using namespace vintalem;
using namespace vintalem::ui;

// What a screen reader reads and can do, through QAccessible.
class TstAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void boxesHaveItalianNames_data();
    void boxesHaveItalianNames();
    void glyphReadsNameAndCode();
    void glyphPressActionLooksUp();
    void emptyGlyphPressDoesNothing();
    void cellsReadCodonAndCode();
    void textBoxesAnswerEveryOffset_data();
    void textBoxesAnswerEveryOffset();
    void windowsAreFramesAndTheAboutADialog();
    void silentNoteIsAnnounced();
    void highlightedCellsReadAsSelected();
};

namespace {
QString nameOf(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

void press(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(iface);
    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
}
}  // namespace

void TstAccessibility::boxesHaveItalianNames_data()
{
    QTest::addColumn<int>("slot");
    for (int slot : {0, 7, 19})
        QTest::addRow("slot %d", slot) << slot;
}

void TstAccessibility::boxesHaveItalianNames()
{
    QFETCH(int, slot);
    test::TestToolkit tk;
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    const QString n = QString::number(slot + 1);
    QCOMPARE(nameOf(main->nt[slot]), QStringLiteral("Codone di DNA ") + n);
    QCOMPARE(nameOf(main->RNA[slot]), QStringLiteral("Codone di RNA ") + n);
    QCOMPARE(nameOf(main->AA[slot]), QStringLiteral("Aminoacido ") + n);
    QCOMPARE(nameOf(main->OldAA[slot]), QStringLiteral("Aminoacido sostituito ") + n);
    QCOMPARE(QAccessible::queryAccessibleInterface(main->AA[slot])->role(), QAccessible::Button);
}

void TstAccessibility::glyphReadsNameAndCode()
{
    test::TestToolkit tk;
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    main->DecodeCodon(2, Row::New, AminoAcidId::Trp);
    QCOMPARE(nameOf(main->AA[2]), QStringLiteral("Aminoacido 3: Triptofano Trp"));
    main->DecodeCodon(4, Row::Old, AminoAcidId::Stop);
    QCOMPARE(nameOf(main->OldAA[4]), QStringLiteral("Aminoacido sostituito 5: STOP Stop"));
    main->ClearProteinSlot(2);
    QCOMPARE(nameOf(main->AA[2]), QStringLiteral("Aminoacido 3"));
}

void TstAccessibility::glyphPressActionLooksUp()
{
    test::TestToolkit tk;
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    main->DecodeCodon(0, Row::New, AminoAcidId::Gly);
    tk.forms().unload(names::Atab);
    test::flushDeletes();
    press(main->AA[0]);
    auto* table = tk.forms().find<CodonTableForm>(names::Atab);
    QVERIFY(table);
    QVERIFY(table->isVisible());
    for (int cell = 40; cell < 44; ++cell) {
        QCOMPARE(table->aminoacido[cell]->foreColor(), QColor(255, 255, 0));
        QVERIFY(table->aminoacido[cell]->fontBold());
    }
    QCOMPARE(table->AaList->currentItem()->text(), QStringLiteral("Glicina"));
}

void TstAccessibility::emptyGlyphPressDoesNothing()
{
    test::TestToolkit tk;
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    tk.forms().unload(names::Atab);
    test::flushDeletes();
    press(main->OldAA[5]);
    QVERIFY(!tk.forms().isLoaded(names::Atab));
}

void TstAccessibility::cellsReadCodonAndCode()
{
    test::TestToolkit tk;
    auto* table = tk.forms().load<CodonTableForm>(names::Atab);
    QCOMPARE(nameOf(table->aminoacido[14]), QStringLiteral("aug: Met"));
    QCOMPARE(nameOf(table->aminoacido[48]), QStringLiteral("uaa: Stop"));
    press(table->aminoacido[58]);
    QCOMPARE(table->Label74->text(), QStringLiteral(" ugg"));
    QCOMPARE(table->aminoacido[58]->foreColor(), QColor(255, 0, 255));
}

void TstAccessibility::textBoxesAnswerEveryOffset_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("boundary");
    const QStringList names{"char", "word", "sentence", "line", "paragraph"};
    const QList<QAccessible::TextBoundaryType> boundaries{QAccessible::CharBoundary, QAccessible::WordBoundary,
                                                          QAccessible::SentenceBoundary, QAccessible::LineBoundary,
                                                          QAccessible::ParagraphBoundary};
    for (const QString box : {"zuvo/nt(0)", "zuvo/RNA(0)", "Atab/Codoni", "mutazioni/explanation"})
        for (int b = 0; b < boundaries.size(); ++b)
            QTest::newRow(qPrintable(box + QLatin1Char(' ') + names[b])) << box << static_cast<int>(boundaries[b]);
}

// Qt 6.4's interface of line edits, which the toolkit's replaces, loops for ever on the word or
// line at the end of a one-line box; every answer here must come at once, lie inside the text
// and tile it in order.
void TstAccessibility::textBoxesAnswerEveryOffset()
{
    QFETCH(QString, box);
    QFETCH(int, boundary);
    const auto b = static_cast<QAccessible::TextBoundaryType>(boundary);
    test::TestToolkit tk;
    tk.forms().load(names::zuvo)->show();
    tk.forms().show(names::mutazioni);
    QWidget* widget = tk.forms().load(box.section(QLatin1Char('/'), 0, 0))->findChild<QWidget*>(box.section(QLatin1Char('/'), 1));
    if (auto* rna = qobject_cast<QLineEdit*>(widget); rna && rna->isReadOnly())
        rna->setText(QStringLiteral("aug"));
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(widget)->textInterface();
    QVERIFY(text);
    const QString all = text->text(0, text->characterCount());
    const int n = static_cast<int>(all.size());
    QVERIFY(n >= 3);
    int covered = 0;
    for (int offset = 0; offset <= n; ++offset) {
        int s = -1, e = -1;
        const QString at = text->textAtOffset(offset, b, &s, &e);
        QVERIFY2(0 <= s && s <= e && e <= n && at == all.mid(s, e - s), qPrintable(QString::number(offset)));
        QVERIFY(offset < n ? s <= offset && offset < e : e == n);
        QVERIFY((s == e) == (offset == n && b == QAccessible::CharBoundary));
        if (s == covered)
            covered = e;
        int bs = -1, be = -1, as = -1, ae = -1;
        const QString before = text->textBeforeOffset(offset, b, &bs, &be);
        const QString after = text->textAfterOffset(offset, b, &as, &ae);
        QVERIFY(before == all.mid(bs, be - bs) && after == all.mid(as, ae - as));
        QVERIFY(be <= s || (s == e && be == s));
        QVERIFY(as >= e);
        int rs = -1, re = -1;
        text->attributes(offset, &rs, &re);
        QVERIFY(rs <= offset && (offset < re || re == n));
    }
    QCOMPARE(covered, n);
    // A codon reads whole as its word, sentence, line and paragraph, wherever the caret stands.
    if (box == QLatin1String("zuvo/nt(0)") && b != QAccessible::CharBoundary)
        for (int offset : {0, 1, 2, 3, -2}) {
            int s = -1, e = -1;
            QCOMPARE(text->textAtOffset(offset, b, &s, &e), all);
        }
}

void TstAccessibility::windowsAreFramesAndTheAboutADialog()
{
    test::TestToolkit tk;
    tk.forms().load(names::zuvo);
    for (const QString& name : {names::zuvo, names::Atab, names::mutazioni, names::InformazsuVintalem})
        QCOMPARE(QAccessible::queryAccessibleInterface(tk.forms().load(name))->role(), QAccessible::Window);
    QCOMPARE(QAccessible::queryAccessibleInterface(tk.forms().load(names::Information))->role(), QAccessible::Dialog);
    QVERIFY(!nameOf(tk.forms().find<MutationForm>(names::mutazioni)->explanation).isEmpty());
}

// A notification is what a screen reader announces when it appears (the alert itself
// needs a platform bridge, which the offscreen platform lacks).
void TstAccessibility::silentNoteIsAnnounced()
{
    test::TestToolkit tk;
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    QCOMPARE(QAccessible::queryAccessibleInterface(main->Label15)->role(), QAccessible::Notification);
    QCOMPARE(QAccessible::queryAccessibleInterface(main->Label14)->role(), QAccessible::StaticText);
}

void TstAccessibility::highlightedCellsReadAsSelected()
{
    test::TestToolkit tk;
    auto* table = tk.forms().load<CodonTableForm>(names::Atab);
    table->Which(QStringLiteral("Phe"), Coming::FromMainWindow);
    for (int cell : {61, 62, 63}) {  // uuc, uug, uuu
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(table->aminoacido[cell]);
        QCOMPARE(iface->state().selected, cell != 62);
        QCOMPARE(iface->text(QAccessible::Description).isEmpty(), cell == 62);
    }
    table->Which(QStringLiteral("Stop"), Coming::FromThisWindow);
    QVERIFY(!QAccessible::queryAccessibleInterface(table->aminoacido[63])->state().selected);
}

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
