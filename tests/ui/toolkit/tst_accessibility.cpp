#include "core/amino_acids.h"
#include "tests/support/fakes.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/form_names.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
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
    main->DecodeCodon(2, 0, AminoAcidId::Trp);
    QCOMPARE(nameOf(main->AA[2]), QStringLiteral("Aminoacido 3: Triptofano Trp"));
    main->DecodeCodon(4, 1, AminoAcidId::Stop);
    QCOMPARE(nameOf(main->OldAA[4]), QStringLiteral("Aminoacido sostituito 5: STOP Stop"));
    main->ClearProteinSlot(2);
    QCOMPARE(nameOf(main->AA[2]), QStringLiteral("Aminoacido 3"));
}

void TstAccessibility::glyphPressActionLooksUp()
{
    test::TestToolkit tk;
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    main->DecodeCodon(0, 0, AminoAcidId::Gly);
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

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
