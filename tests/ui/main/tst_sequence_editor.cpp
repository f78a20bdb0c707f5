#include "tests/support/game.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTestEventList>

#include <functional>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

// Empties a box the way a player does: End, then Backspace until nothing is left.
void eraseByKeys(TextBox* box)
{
    QTest::keyClick(box, Qt::Key_End);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(box, Qt::Key_Backspace);
}

// Puts a text into a box and the cursor after it.
void prepare(TextBox* box, const QString& text)
{
    box->setText(text);
    box->deselect();
    box->setCursorPosition(static_cast<int>(text.size()));
}

bool anyPixel(const QImage& image, const std::function<bool(QColor)>& match)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixelColor(x, y)))
                return true;
    return false;
}

bool reddish(QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; }
bool darkGrey(QColor c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; }

}  // namespace

class TstSequenceEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void typedCharacter_data();
    void typedCharacter();
    void keys_data();
    void keys();
    void otherKeysLeaveBoxUnchanged_data();
    void otherKeysLeaveBoxUnchanged();
    void composedCharactersAreFilteredToo();
    void compositionShowsOnlyWhatTheBoxTakes_data();
    void compositionShowsOnlyWhatTheBoxTakes();
    void clipboardAndUndoKeysDoNothing();
    void pasteIsCutToThreeAndColouredByLength();
    void colourIsPainted();
    void editingTouchesNeitherRnaNorReference();
    void changeSequenceMakesEveryBoxBlack();
};

void TstSequenceEditor::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void TstSequenceEditor::cleanup() { test::flushDeletes(); }

void TstSequenceEditor::typedCharacter_data()
{
    // Which codes a box takes is the core's rule; here, that typing goes through it.
    QTest::addColumn<char>("typed");
    QTest::addColumn<QString>("expected");  // after typing into "ta"
    QTest::newRow("a") << 'a' << "taa";
    QTest::newRow("G") << 'G' << "tag";
    QTest::newRow("u") << 'u' << "ta";
    QTest::newRow("5") << '5' << "ta";
}

void TstSequenceEditor::typedCharacter()
{
    QFETCH(char, typed);
    QFETCH(QString, expected);

    test::Game g;
    TextBox* box = g.main->nt[5];
    prepare(box, QStringLiteral("ta"));
    QTest::keyClick(box, typed);
    QCOMPARE(box->text(), expected);
    QCOMPARE(box->foreColor(), expected.size() == 3 ? kBlack : kRed);
}

void TstSequenceEditor::keys_data()
{
    QTest::addColumn<QString>("start");  // the cursor after it
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("selected");
    auto keys = [](std::initializer_list<std::pair<int, Qt::KeyboardModifiers>> list) {
        QTestEventList events;
        for (const auto& [key, modifiers] : list) {
            if (key < 128)
                events.addKeyClick(static_cast<char>(key), modifiers);
            else
                events.addKeyClick(static_cast<Qt::Key>(key), modifiers);
        }
        return events;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier;
    const int home = Qt::Key_Home, end = Qt::Key_End, left = Qt::Key_Left, right = Qt::Key_Right;
    const int del = Qt::Key_Delete, back = Qt::Key_Backspace;
    QTest::newRow("erased by keys") << "tac" << keys({{end, none}, {back, none}, {back, none}, {back, none}}) << ""
                                    << 0 << "";
    QTest::newRow("G into an empty box") << "" << keys({{'G', none}}) << "g" << 1 << "";
    QTest::newRow("two bases") << "" << keys({{'g', none}, {'A', none}}) << "ga" << 2 << "";
    QTest::newRow("three bases") << "" << keys({{'g', none}, {'A', none}, {'c', none}}) << "gac" << 3 << "";
    QTest::newRow("a fourth base at the end") << "gac" << keys({{'t', none}}) << "gac" << 3 << "";
    QTest::newRow("a fourth base anywhere") << "gac" << keys({{home, none}, {'a', none}, {right, none}, {'T', none}})
                                            << "gac" << 1 << "";
    QTest::newRow("a base replaces everything selected") << "gac" << keys({{home, shift}, {'T', none}}) << "t" << 1
                                                         << "";
    QTest::newRow("select the last base") << "gac" << keys({{left, shift}}) << "gac" << 2 << "c";
    QTest::newRow("a base replaces the selection") << "gac" << keys({{left, shift}, {'g', none}}) << "gag" << 3 << "";
    QTest::newRow("backspace") << "tac" << keys({{back, none}}) << "ta" << 2 << "";
    QTest::newRow("home") << "gac" << keys({{home, none}}) << "gac" << 0 << "";
    QTest::newRow("home, right") << "gac" << keys({{home, none}, {right, none}}) << "gac" << 1 << "";
    QTest::newRow("home, right, end") << "gac" << keys({{home, none}, {right, none}, {end, none}}) << "gac" << 3
                                      << "";
    QTest::newRow("left") << "gac" << keys({{left, none}}) << "gac" << 2 << "";
    QTest::newRow("left, shift+home") << "gac" << keys({{left, none}, {home, shift}}) << "gac" << 0 << "ga";
    QTest::newRow("delete at home") << "gac" << keys({{home, none}, {del, none}}) << "ac" << 0 << "";
    QTest::newRow("delete twice") << "gac" << keys({{home, none}, {del, none}, {end, none}, {left, none}, {del, none}})
                                  << "a" << 1 << "";
    QTest::newRow("typing goes in at the cursor")
        << "gac" << keys({{home, none}, {del, none}, {end, none}, {left, none}, {del, none}, {home, none}, {'t', none},
                          {'c', none}})
        << "tca" << 2 << "";
}

void TstSequenceEditor::keys()
{
    QFETCH(QString, start);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, selected);
    test::Game g;
    TextBox* box = g.main->nt[7];
    prepare(box, start);
    QSignalSpy changed(box, &QLineEdit::textChanged);
    keys.simulate(box);
    QCOMPARE(box->text(), text);
    QCOMPARE(box->cursorPosition(), cursor);
    QCOMPARE(box->selectedText(), selected);
    QCOMPARE(box->foreColor(), text.size() == 3 ? kBlack : kRed);
    if (text == start)
        QCOMPARE(changed.count(), 0);
}

void TstSequenceEditor::otherKeysLeaveBoxUnchanged_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("start");
    for (const QString& start : {QString(), QStringLiteral("ta"), QStringLiteral("tac")}) {
        const QByteArray tag = start.isEmpty() ? QByteArray("empty") : start.toLatin1();
        QTest::addRow("u into %s", tag.constData()) << int(Qt::Key_U) << QStringLiteral("u") << start;
        QTest::addRow("U into %s", tag.constData()) << int(Qt::Key_U) << QStringLiteral("U") << start;
        QTest::addRow("x into %s", tag.constData()) << int(Qt::Key_X) << QStringLiteral("x") << start;
        QTest::addRow("5 into %s", tag.constData()) << int(Qt::Key_5) << QStringLiteral("5") << start;
        QTest::addRow("space into %s", tag.constData()) << int(Qt::Key_Space) << QStringLiteral(" ") << start;
        QTest::addRow("Enter into %s", tag.constData()) << int(Qt::Key_Return) << QStringLiteral("\r") << start;
        QTest::addRow("keypad Enter into %s", tag.constData()) << int(Qt::Key_Enter) << QStringLiteral("\r")
                                                               << start;
        QTest::addRow("e grave into %s", tag.constData()) << int(Qt::Key_Egrave) << QStringLiteral("è") << start;
        QTest::addRow("A grave into %s", tag.constData()) << int(Qt::Key_Agrave) << QStringLiteral("À") << start;
        QTest::addRow("Tab char into %s", tag.constData()) << int(Qt::Key_unknown) << QStringLiteral("\t") << start;
    }
}

void TstSequenceEditor::otherKeysLeaveBoxUnchanged()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, start);

    test::Game g;
    TextBox* box = g.main->nt[9];
    prepare(box, start);
    const QColor colour = box->foreColor();
    QSignalSpy changed(box, &QLineEdit::textChanged);

    QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(key), text, Qt::NoModifier);
    QCOMPARE(box->text(), start);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(box->foreColor(), colour);
}

void TstSequenceEditor::composedCharactersAreFilteredToo()
{
    test::Game g;
    TextBox* box = g.main->nt[2];
    prepare(box, QStringLiteral("t"));

    QInputMethodEvent accented;
    accented.setCommitString(QStringLiteral("è"));
    QApplication::sendEvent(box, &accented);
    QCOMPARE(box->text(), QStringLiteral("t"));

    QInputMethodEvent capital;
    capital.setCommitString(QStringLiteral("A"));
    QApplication::sendEvent(box, &capital);
    QCOMPARE(box->text(), QStringLiteral("ta"));
    QCOMPARE(box->foreColor(), kRed);
}

void TstSequenceEditor::compositionShowsOnlyWhatTheBoxTakes_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("composing");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a refused letter") << "t" << "b" << "";
    QTest::newRow("a capital, lowered") << "t" << "A" << "a";
    QTest::newRow("letters mixed") << "" << "xAg" << "ag";
    QTest::newRow("no room left") << "tac" << "g" << "";
    QTest::newRow("room for one") << "ta" << "cg" << "c";
}

// A soft keyboard's text still being composed is drawn in the box: it must look exactly as the
// letters the box would take, composed in a twin box.
void TstSequenceEditor::compositionShowsOnlyWhatTheBoxTakes()
{
    QFETCH(QString, start);
    QFETCH(QString, composing);
    QFETCH(QString, shown);
    test::Game g;
    const auto drawn = [&](TextBox* box, const QString& preedit) {
        prepare(box, start);
        QInputMethodEvent event(preedit, {});
        QApplication::sendEvent(box, &event);
        return box->grab().toImage();
    };
    const QImage composed = drawn(g.main->nt[2], composing);
    QCOMPARE(g.main->nt[2]->text(), start);
    const QImage expected = drawn(g.main->nt[3], shown);
    QCOMPARE(composed, expected);
    if (!shown.isEmpty())
        QVERIFY(expected != drawn(g.main->nt[4], QString()));
}

void TstSequenceEditor::clipboardAndUndoKeysDoNothing()
{
    test::Game g;
    TextBox* box = g.main->nt[6];
    QClipboard* clipboard = QGuiApplication::clipboard();

    // The same keys do reach an ordinary line edit here, so their silence below means something.
    QLineEdit plain;
    plain.setText(QStringLiteral("tac"));
    plain.selectAll();
    QTest::keyClick(&plain, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("tac"));
    plain.setCursorPosition(3);
    QTest::keyClick(&plain, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(plain.text(), QStringLiteral("tactac"));
    QTest::keyClick(&plain, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(plain.text(), QStringLiteral("tac"));

    clipboard->setText(QStringLiteral("ggg"));
    QCOMPARE(clipboard->text(), QStringLiteral("ggg"));

    prepare(box, QStringLiteral("tac"));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("ggg"));
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("tac"));
    QCOMPARE(clipboard->text(), QStringLiteral("ggg"));

    prepare(box, QStringLiteral("ta"));
    clipboard->setText(QStringLiteral("g"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("ta"));

    QTest::keyClick(box, 'c');
    QCOMPARE(box->text(), QStringLiteral("tac"));
    QVERIFY(box->isUndoAvailable());  // there is something to undo, yet Ctrl+Z does not
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("tac"));
    QCOMPARE(box->foreColor(), kBlack);
}

void TstSequenceEditor::pasteIsCutToThreeAndColouredByLength()
{
    test::Game g;
    TextBox* box = g.main->nt[10];
    QClipboard* clipboard = QGuiApplication::clipboard();

    eraseByKeys(box);
    clipboard->setText(QStringLiteral("ACGTTT"));
    box->paste();  // what the box's own context menu does
    QCOMPARE(box->text(), QStringLiteral("ACG"));
    QCOMPARE(box->foreColor(), kBlack);

    prepare(box, QStringLiteral("a"));
    clipboard->setText(QStringLiteral("x"));
    box->paste();
    QCOMPARE(box->text(), QStringLiteral("ax"));
    QCOMPARE(box->foreColor(), kRed);
}

void TstSequenceEditor::colourIsPainted()
{
    test::Game g;
    TextBox* box = g.main->nt[12];
    prepare(box, QStringLiteral("ggg"));
    QImage image = box->grab().toImage();
    QVERIFY(anyPixel(image, darkGrey));
    QVERIFY(!anyPixel(image, reddish));

    QTest::keyClick(box, Qt::Key_Backspace);
    image = box->grab().toImage();
    QVERIFY(anyPixel(image, reddish));
}

void TstSequenceEditor::editingTouchesNeitherRnaNorReference()
{
    test::Game g;
    MainForm* main = g.main;
    g.press();
    QVERIFY(g.tk.messages->shown.empty());
    QStringList rna;
    for (const QLineEdit* box : main->RNA)
        rna << box->text();
    QCOMPARE(rna.at(0), QStringLiteral("aug"));
    const std::string reference = main->referenceSequence();

    TextBox* box = main->nt[3];
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, QStringLiteral("ga"));
    QCOMPARE(box->text(), QStringLiteral("aga"));  // was aaa
    eraseByKeys(main->nt[4]);

    for (int i = 0; i < MainForm::kSlots; ++i)
        QCOMPARE(main->RNA[i]->text(), rna.at(i));
    QCOMPARE(main->referenceSequence(), reference);
}

void TstSequenceEditor::changeSequenceMakesEveryBoxBlack()
{
    test::Game g(test::Strand::Drawn);
    MainForm* main = g.main;
    eraseByKeys(main->nt[0]);
    QTest::keyClick(main->nt[1], Qt::Key_End);
    QTest::keyClick(main->nt[1], Qt::Key_Backspace);
    QGuiApplication::clipboard()->setText(QStringLiteral("XYZW"));
    main->nt[2]->selectAll();
    main->nt[2]->paste();
    QCOMPARE(main->nt[0]->foreColor(), kRed);
    QCOMPARE(main->nt[1]->foreColor(), kRed);

    QTest::mouseClick(main->ChnSeq, Qt::LeftButton);
    for (const TextBox* box : main->nt) {
        QCOMPARE(box->text().size(), 3);
        for (QChar base : box->text())
            QVERIFY2(QStringLiteral("acgt").contains(base), qPrintable(box->text()));
        QCOMPARE(box->foreColor(), kBlack);
    }
}

QTEST_MAIN(TstSequenceEditor)
#include "tst_sequence_editor.moc"
