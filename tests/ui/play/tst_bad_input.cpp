// Bad input is answered as the game promises and never costs the player the rest of the work.

#include "core/codon_table.h"
#include "tests/support/game.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <array>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

constexpr int kSlots = MainForm::kSlots;
using test::kLengthMessage;
using test::kStopMessage;
using test::kTitle;

using test::codeOfDna;
using test::transcribe;

// Replaces a box's text by typing, as the player does.
void typeInto(TextBox* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// A run with one real change first (Lys or Val to Arg), so that every row has something to lose.
void playOneRun(MainForm& main, int slot)
{
    typeInto(main.nt[slot], QStringLiteral("gcc"));
    QTest::mouseClick(main.CodProt, Qt::LeftButton);
}

}  // namespace

class TstBadInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void incompleteCodonChangesNothing_data();
    void incompleteCodonChangesNothing();
    void foreignCharacterIsDropped_data();
    void foreignCharacterIsDropped();
    void missingStopCodonWarnsThenTranslatesAll_data();
    void missingStopCodonWarnsThenTranslatesAll();
    void missingStartCodonShowsNoProtein_data();
    void missingStartCodonShowsNoProtein();
};

void TstBadInput::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void TstBadInput::cleanup() { test::flushDeletes(); }

void TstBadInput::incompleteCodonChangesNothing_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("explanationOpen");
    for (int slot = 0; slot < kSlots; ++slot)
        for (int length = 0; length < 3; ++length)
            QTest::addRow("slot %d with %d letters", slot, length) << slot << length << (slot % 2 == 0);
}

void TstBadInput::incompleteCodonChangesNothing()
{
    QFETCH(int, slot);
    QFETCH(int, length);
    QFETCH(bool, explanationOpen);

    test::Game g;
    auto& [tk, main] = g;
    QVERIFY(g.designedInstalled());
    playOneRun(*g.main, slot == 7 ? 8 : 7);
    QVERIFY(!main->OldAaName[slot == 7 ? 8 : 7]->text().isEmpty());
    if (!explanationOpen)
        tk.forms().find(names::mutazioni)->close();
    test::flushDeletes();

    // Shorten the box with Backspace, as a player does.
    TextBox* box = main->nt[slot];
    QTest::keyClick(box, Qt::Key_End);
    for (int k = length; k < 3; ++k)
        QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text().size(), length);
    const test::Screen before = g.screen();

    QTest::mouseClick(main->CodProt, Qt::LeftButton);
    QCOMPARE(tk.messages->shown.size(), std::size_t(1));
    QCOMPARE(tk.messages->shown.front().prompt, kLengthMessage);
    QCOMPARE(tk.messages->shown.front().title, kTitle);

    VERIFY_SAME(before, g.screen());
    QCOMPARE(g.tk.forms().isVisible(names::mutazioni), explanationOpen);

    // Mending the box is all it takes to go on.
    typeInto(box, g.referenceCodon(slot));
    QTest::mouseClick(main->CodProt, Qt::LeftButton);
    QCOMPARE(tk.messages->shown.size(), std::size_t(1));
    QCOMPARE(main->RNA[slot]->text(), transcribe(g.referenceCodon(slot)));
}

void TstBadInput::foreignCharacterIsDropped_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("foreign");
    const QStringList characters{QStringLiteral("x"), QStringLiteral("è"), QStringLiteral("U"),
                                 QStringLiteral("G"), QStringLiteral("5"), QStringLiteral(" "),
                                 QStringLiteral("中"), QStringLiteral("\n"), QStringLiteral("\t"),
                                 QStringLiteral("😀")};
    for (int slot : {0, 3, 10, 18})
        for (const QString& c : characters)
            QTest::addRow("slot %d, U+%04X", slot, c.toUcs4().value(0)) << slot << c;
}

void TstBadInput::foreignCharacterIsDropped()
{
    QFETCH(int, slot);
    QFETCH(QString, foreign);

    test::Game g;
    auto& [tk, main] = g;
    QVERIFY(g.designedInstalled());
    const QString generated = g.referenceCodon(slot);
    // With the stop template gone too, a message comes up before the tidying of the report.
    const bool stopLeft = slot != 18;
    if (!stopLeft)
        typeInto(main->nt[19], QStringLiteral("ggg"));

    // Only a paste brings such a character in: keep two bases and paste it after them.
    TextBox* box = main->nt[slot];
    box->setCursorPosition(2);
    QTest::keyClick(box, Qt::Key_Delete);
    QGuiApplication::clipboard()->setText(foreign);
    box->paste();
    const QString held = box->text();
    QVERIFY2(held.startsWith(generated.left(2)) && held != generated, qPrintable(held));
    const test::Screen before = g.screen();

    // The previous-protein row before its tidying, seen while a message is up.
    std::array<QString, kSlots> oldAtWarning;
    tk.messages->whileShown = [&] {
        for (int i = 0; i < kSlots; ++i)
            oldAtWarning[i] = main->OldAaName[i]->text();
    };
    QTest::mouseClick(main->CodProt, Qt::LeftButton);

    QCOMPARE(tk.messages->shown.size(), std::size_t(stopLeft ? 0 : 1));
    QCOMPARE(main->RNA[slot]->text(), transcribe(generated.left(2)));
    QCOMPARE(main->naame[slot]->text(), QString());
    QVERIFY(main->AA[slot]->isEmpty());
    if (slot == 0) {
        // No start codon left: nothing is translated, and slot 0 keeps the generated Met.
        for (int i = 0; i < kSlots; ++i)
            QCOMPARE(main->naame[i]->text(), QString());
        QCOMPARE(main->OldAaName[0]->text(), QStringLiteral("Met"));
    } else {
        // Translation goes on past the slot.
        for (int i = 0; i < kSlots; ++i) {
            if (i == slot)
                continue;
            const QString expected = i == 19 && !stopLeft ? codeOfDna(QStringLiteral("ggg"))
                                                          : codeOfDna(g.referenceCodon(i));
            QCOMPARE(main->naame[i]->text(), expected);
        }
        // The slot shows nothing in the new row, so its replaced entry is tidied away.
        QCOMPARE(main->OldAaName[slot]->text(), QString());
    }
    if (!stopLeft) {
        // Up to the tidying, the slot counted as changed and showed what the generated codon coded.
        QCOMPARE(oldAtWarning[slot], codeOfDna(generated));
    }

    // Nothing but the RNA and protein rows moved.
    const test::Screen after = g.screen();
    QCOMPARE(after.nt, before.nt);
    QCOMPARE(main->nt[slot]->text(), held);
    QCOMPARE(after.reference, before.reference);
}

void TstBadInput::missingStopCodonWarnsThenTranslatesAll_data()
{
    QTest::addColumn<QString>("lastCodon");
    QTest::addColumn<int>("stopAt");  // a slot given a stop template as well, or -1
    for (const char* t : {"ggg", "aaa", "tac", "gct", "ccc"}) {
        QTest::addRow("slot 19 '%s'", t) << QString::fromLatin1(t) << -1;
        QTest::addRow("slot 19 '%s', stop in slot 6", t) << QString::fromLatin1(t) << 6;
    }
}

void TstBadInput::missingStopCodonWarnsThenTranslatesAll()
{
    QFETCH(QString, lastCodon);
    QFETCH(int, stopAt);

    test::Game g;
    auto& [tk, main] = g;
    QVERIFY(g.designedInstalled());
    typeInto(main->nt[19], lastCodon);
    if (stopAt >= 0)
        typeInto(main->nt[stopAt], QStringLiteral("att"));
    std::array<QString, kSlots> texts;
    for (int i = 0; i < kSlots; ++i)
        texts[i] = main->nt[i]->text();
    const std::string reference = main->referenceSequence();

    // While the warning is up the RNA row is written and the new row still empty.
    bool rowsReadyAtWarning = true;
    tk.messages->whileShown = [&] {
        for (int i = 0; i < kSlots; ++i)
            rowsReadyAtWarning = rowsReadyAtWarning && main->RNA[i]->text() == transcribe(texts[i]) &&
                                 main->naame[i]->text().isEmpty();
        rowsReadyAtWarning = rowsReadyAtWarning && main->OldAaName[19]->text() == QStringLiteral("Stop");
    };
    QTest::mouseClick(main->CodProt, Qt::LeftButton);

    if (stopAt < 0) {
        QCOMPARE(tk.messages->shown.size(), std::size_t(1));
        QCOMPARE(tk.messages->shown.front().prompt, kStopMessage);
        QCOMPARE(tk.messages->shown.front().title, kTitle);
        QVERIFY(rowsReadyAtWarning);
        // Then all twenty are translated, with no Stop.
        for (int i = 0; i < kSlots; ++i) {
            QCOMPARE(main->naame[i]->text(), codeOfDna(texts[i]));
            QVERIFY(!main->naame[i]->text().isEmpty());
            QVERIFY(main->naame[i]->text() != QStringLiteral("Stop"));
        }
        QCOMPARE(main->OldAaName[19]->text(), QStringLiteral("Stop"));
        QVERIFY(main->Label14->isVisible());
    } else {
        QVERIFY(tk.messages->shown.empty());
        QCOMPARE(main->naame[stopAt]->text(), QStringLiteral("Stop"));
        for (int i = stopAt + 1; i < kSlots; ++i)
            QCOMPARE(main->naame[i]->text(), QString());
    }
    QVERIFY(tk.forms().isVisible(names::mutazioni));
    for (int i = 0; i < kSlots; ++i)
        QCOMPARE(main->nt[i]->text(), texts[i]);
    QCOMPARE(main->referenceSequence(), reference);
}

void TstBadInput::missingStartCodonShowsNoProtein_data()
{
    QTest::addColumn<QString>("first");
    const char bases[] = "acgt";
    for (char a : std::string_view(bases, 4))
        for (char b : std::string_view(bases, 4))
            for (char c : std::string_view(bases, 4)) {
                const QString t = QString::fromLatin1(std::array<char, 3>{a, b, c}.data(), 3);
                if (t != QLatin1String("tac"))
                    QTest::newRow(qPrintable(t)) << t;
            }
}

void TstBadInput::missingStartCodonShowsNoProtein()
{
    QFETCH(QString, first);

    test::Game g;
    auto& [tk, main] = g;
    QVERIFY(g.designedInstalled());
    tk.forms().find(names::Atab)->close();
    test::flushDeletes();
    typeInto(main->nt[0], first);
    std::array<QString, kSlots> texts;
    for (int i = 0; i < kSlots; ++i)
        texts[i] = main->nt[i]->text();
    const std::string reference = main->referenceSequence();

    QTest::mouseClick(main->CodProt, Qt::LeftButton);

    QVERIFY(tk.messages->shown.empty());  // slot 19 still holds its stop
    for (int i = 0; i < kSlots; ++i) {
        QCOMPARE(main->RNA[i]->text(), transcribe(texts[i]));
        QCOMPARE(main->naame[i]->text(), QString());
        QVERIFY(main->AA[i]->isEmpty());
        QCOMPARE(main->OldAaName[i]->text(), i == 0 ? QStringLiteral("Met") : QString());
    }
    QCOMPARE(main->OldAA[0]->toolTip(), QStringLiteral("Metionina"));
    QVERIFY(!main->OldAA[0]->isEmpty());
    // The report still follows.
    QVERIFY(main->Label14->isVisible());
    QVERIFY(!main->Label15->isVisible());
    QVERIFY(tk.forms().isVisible(names::mutazioni));
    for (int i = 0; i < kSlots; ++i)
        QCOMPARE(main->nt[i]->text(), texts[i]);
    QCOMPARE(main->referenceSequence(), reference);
}

QTEST_MAIN(TstBadInput)
#include "tst_bad_input.moc"
