#include "core/amino_acids.h"
#include "tests/support/fakes.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"

#include <QTest>

using namespace vintalem;
using namespace vintalem::ui;

// Which key on which control does what: the whole game without a mouse.
class TstKeyboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void keys_data();
    void keys();
    void tabGoesThroughFilledGlyphsOnly();
};

namespace {
// Slot 2 of the protein shows Trp, slots 1 and 4 of the replaced row a stop and Gly; the rest is empty.
MainForm* game(test::TestToolkit& tk)
{
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    main->DecodeCodon(2, Row::New, AminoAcidId::Trp);
    main->DecodeCodon(4, Row::Old, AminoAcidId::Gly);
    main->DecodeCodon(1, Row::Old, AminoAcidId::Stop);
    tk.forms().show(names::mutazioni);
    tk.forms().show(names::InformazsuVintalem);
    return main;
}

QWidget* controlAt(test::TestToolkit& tk, const QString& path)
{
    const QString form = path.section(QLatin1Char('/'), 0, 0);
    const QString child = path.section(QLatin1Char('/'), 1);
    QWidget* window = tk.forms().load(form);
    return child.isEmpty() ? window : window->findChild<QWidget*>(child);
}

// The state a key may change, written as one line so a row can name what it expects.
QString outcome(test::TestToolkit& tk)
{
    QStringList facts;
    for (const QString& name : {names::Atab, names::mutazioni, names::InformazsuVintalem})
        if (!tk.forms().isLoaded(name))
            facts << name + QStringLiteral(" closed");
    for (const QString& name : {names::zuvo, names::Information})
        if (Form* form = tk.forms().find(name); form && !form->isEnabled())
            facts << name + QStringLiteral(" disabled");
    if (tk.forms().isLoaded(names::Information))
        facts << QStringLiteral("about open");
    if (auto* table = tk.forms().find<CodonTableForm>(names::Atab)) {
        QStringList marked;
        for (Label* cell : table->aminoacido)
            if (cell->fontBold())
                marked << cell->text() + (cell->foreColor() == QColor(255, 255, 0) ? QStringLiteral(" yellow")
                                                                                   : QStringLiteral(" magenta"));
        marked.removeDuplicates();
        facts << marked;
        if (table->AaList->currentItem())
            facts << QStringLiteral("list ") + table->AaList->currentItem()->text();
        if (!table->Label74->text().isEmpty())
            facts << QStringLiteral("codons") + table->Label74->text();
        if (QWidget* focus = table->focusWidget(); focus && focus->objectName().startsWith(QLatin1String("amino")))
            facts << QStringLiteral("focus ") + focus->objectName();
    }
    return facts.join(QStringLiteral(", "));
}
}  // namespace

void TstKeyboard::keys_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("expected");

    const QString untouched;
    QTest::newRow("Space on a glyph looks it up") << "zuvo/AA(2)" << QKeySequence(Qt::Key_Space)
                                                  << "Trp yellow, list Triptofano";
    QTest::newRow("Return on a glyph") << "zuvo/AA(2)" << QKeySequence(Qt::Key_Return)
                                       << "Trp yellow, list Triptofano";
    QTest::newRow("Enter on a replaced glyph") << "zuvo/OldAA(4)" << QKeySequence(Qt::Key_Enter)
                                               << "Gly yellow, list Glicina";
    QTest::newRow("Space on an empty glyph") << "zuvo/AA(3)" << QKeySequence(Qt::Key_Space) << untouched;
    QTest::newRow("other keys on a glyph") << "zuvo/AA(2)" << QKeySequence(Qt::Key_A) << untouched;
    QTest::newRow("arrows move the list only") << "Atab/AaList" << QKeySequence(Qt::Key_Down, Qt::Key_Down)
                                               << "list Arginina";
    QTest::newRow("Return on the list looks up")
        << "Atab/AaList" << QKeySequence(Qt::Key_Down, Qt::Key_Return)
        << "Ala magenta, list Alanina, codons gca gcc gcg gcu";
    QTest::newRow("Space on the list looks up")
        << "Atab/AaList" << QKeySequence(Qt::Key_Down, Qt::Key_Space)
        << "Ala magenta, list Alanina, codons gca gcc gcg gcu";
    QTest::newRow("Return on a cell") << "Atab/aminoacido(14)" << QKeySequence(Qt::Key_Return)
                                      << "Met magenta, list Metionina, codons aug, focus aminoacido(14)";
    QTest::newRow("Space on a cell") << "Atab/aminoacido(58)" << QKeySequence(Qt::Key_Space)
                                     << "Trp magenta, list Triptofano, codons ugg, focus aminoacido(58)";
    QTest::newRow("Down and Right in the grid") << "Atab/aminoacido(0)" << QKeySequence(Qt::Key_Down, Qt::Key_Right)
                                                << "focus aminoacido(17)";
    QTest::newRow("Up and Left stop at the edge") << "Atab/aminoacido(0)" << QKeySequence(Qt::Key_Up, Qt::Key_Left)
                                                  << "focus aminoacido(0)";
    QTest::newRow("Escape closes the codon table") << "Atab/Codoni" << QKeySequence(Qt::Key_Escape) << "Atab closed";
    QTest::newRow("Escape closes the explanation") << "mutazioni/explanation" << QKeySequence(Qt::Key_Escape)
                                                   << "mutazioni closed";
    QTest::newRow("Escape closes how to play") << "InformazsuVintalem" << QKeySequence(Qt::Key_Escape)
                                               << "InformazsuVintalem closed";
    QTest::newRow("Escape closes the about window as Ok does") << "Information/ok" << QKeySequence(Qt::Key_Escape)
                                                               << untouched;
    QTest::newRow("Escape never closes the main window") << "zuvo/nt(0)" << QKeySequence(Qt::Key_Escape)
                                                         << untouched;
}

void TstKeyboard::keys()
{
    QFETCH(QString, control);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, expected);
    test::TestToolkit tk;
    game(tk);
    QWidget* target = controlAt(tk, control);
    QVERIFY(target);
    target->setFocus();
    for (int k = 0; k < keys.count(); ++k)
        QTest::keyClick(target->window()->focusWidget() ? target->window()->focusWidget() : target,
                        keys[k].key(), keys[k].keyboardModifiers());
    test::flushDeletes();
    QCOMPARE(outcome(tk), expected);
}

void TstKeyboard::tabGoesThroughFilledGlyphsOnly()
{
    test::TestToolkit tk;
    MainForm* main = game(tk);
    QList<QWidget*> chain;
    for (QWidget* w = main->nextInFocusChain(); w != main; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
    QList<QWidget*> expected(main->nt.begin(), main->nt.end());
    expected << main->ChnSeq << main->CodProt << main->AA[2] << main->OldAA[1] << main->OldAA[4];
    QCOMPARE(chain, expected);
    main->ChnSeq_Click();
    QVERIFY(!(main->OldAA[1]->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(main->AA[2]->focusPolicy() & Qt::TabFocus));
}

QTEST_MAIN(TstKeyboard)
#include "tst_keyboard.moc"
