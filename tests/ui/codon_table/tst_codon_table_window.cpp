#include "core/codon_table.h"
#include "tests/support/catalogue.h"
#include "tests/support/game.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/twips.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <map>
#include <optional>
#include <string>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 192, 0);
const QColor kRed(192, 0, 0);
const QColor kBlue(0, 0, 192);
const char kUpperBases[] = "ACGU";

// The list as the player reads it, from the tests' own catalogue: Italian alphabetical order, Stop last.
QStringList listColumn(bool names)
{
    QStringList out;
    for (int p = 0; p < test::kOracleCount; ++p)
        out << QString::fromUtf8(names ? test::oracleAtListPlace(p)->name : test::oracleAtListPlace(p)->code);
    return out << QStringLiteral("Stop");
}
const QStringList kListTexts = listColumn(true);
const QStringList kListCodes = listColumn(false);

const QString kLegend = QStringLiteral(
    "La lettera in verde è la prima base del codone, quella in rosso è la seconda, mentre quella in blu è la terza "
    "ed ultima. Ricordate: il codone è la tripletta di basi azotate dell'RNA che codifica un singolo aminoacido.");

// Cell i's codon, worked out from its place in the grid.
std::string codonAt(int i)
{
    const char* bases = "acgu";
    return {bases[i / 16], bases[(i / 4) % 4], bases[i % 4]};
}

// The code the standard genetic code gives cell i's codon.
QString codeAt(int i)
{
    const auto outcome = LookUpCodon(codonAt(i));
    return outcome ? QString::fromUtf8(entry(*outcome).code.data(), qsizetype(entry(*outcome).code.size())) : QString();
}

QList<int> expectedCells(const QString& code)
{
    QList<int> cells;
    for (int i = 0; i < 64; ++i)
        if (codeAt(i) == code)
            cells << i;
    return cells;
}

QString codonsOf(const QString& code)
{
    QString text;
    for (int i : expectedCells(code))
        text += QLatin1Char(' ') + QString::fromStdString(codonAt(i));
    return text;
}

CodonTableForm* openTable(test::TestToolkit& tk)
{
    return qobject_cast<CodonTableForm*>(tk.forms().show(names::Atab));
}

// A fresh program with only its codon table window shown.
#define OPEN_TABLE(tk, table)                   \
    test::TestToolkit tk;                       \
    CodonTableForm* table = openTable(tk);      \
    QVERIFY(table)

QColor plain(const CodonTableForm& table) { return table.palette().color(QPalette::ButtonText); }

// Empty when exactly `cells` are bold in `colour` and every other cell is plain.
QString highlightProblem(const CodonTableForm& table, const QList<int>& cells, const QColor& colour)
{
    for (int i = 0; i < 64; ++i) {
        const Label* cell = table.aminoacido[i];
        const bool expected = cells.contains(i);
        const QColor want = expected ? colour : plain(table);
        if (cell->fontBold() != expected)
            return QStringLiteral("cell %1 (%2) bold=%3").arg(i).arg(cell->text()).arg(cell->fontBold());
        if (cell->foreColor() != want)
            return QStringLiteral("cell %1 (%2) colour %3, expected %4")
                .arg(i)
                .arg(cell->text(), cell->foreColor().name(), want.name());
    }
    return {};
}

#define VERIFY_HIGHLIGHT(table, cells, colour)                                      \
    do {                                                                            \
        const QString problem_ = highlightProblem((table), (cells), (colour));      \
        QVERIFY2(problem_.isEmpty(), qPrintable(problem_));                         \
    } while (false)

int selectedRow(const CodonTableForm& table)
{
    const auto selected = table.AaList->selectedItems();
    return selected.size() == 1 ? table.AaList->row(selected.first()) : -1;
}

// A real click on a list entry, as the player makes it after scrolling the one-entry list.
void clickListEntry(CodonTableForm& table, int row)
{
    QListWidgetItem* item = table.AaList->item(row);
    table.AaList->scrollToItem(item);
    const QRect rect = table.AaList->visualItemRect(item);
    QTest::mouseClick(table.AaList->viewport(), Qt::LeftButton, {}, rect.center());
}

void clickCell(CodonTableForm& table, int i)
{
    QTest::mouseClick(table.aminoacido[i], Qt::LeftButton, {}, table.aminoacido[i]->rect().center());
}

// What the player sees of a look-up.
struct Snapshot {
    QList<bool> bold;
    QList<QColor> colours;
    QString codons;
    bool headingVisible;
    int row;

    explicit Snapshot(const CodonTableForm& t)
        : codons(t.Label74->text()), headingVisible(t.Label75->isVisible()), row(selectedRow(t))
    {
        for (const Label* cell : t.aminoacido) {
            bold << cell->fontBold();
            colours << cell->foreColor();
        }
    }
    bool operator==(const Snapshot&) const = default;
};

// The base letters the window declares at the given twips place.
QList<CodonTableForm::BaseLetter> lettersAt(int left, int top)
{
    QList<CodonTableForm::BaseLetter> found;
    for (const CodonTableForm::BaseLetter& l : CodonTableForm::baseLetters())
        if (l.left == left && l.top == top)
            found << l;
    return found;
}

QRect letterRect(int left, int top)
{
    return twipsRect(left, top, CodonTableForm::kLetterWidth, CodonTableForm::kLetterHeight);
}

// Pixels inside `rect` nearer to `colour` than to the window's ground and to black text: the
// inked part of a glyph, whatever the font engine's antialiasing (some leave a letter without
// a single fully inked pixel).
int pixelsOf(const QImage& image, const QRect& rect, const QColor& colour)
{
    const QColor ground = QApplication::palette().color(QPalette::Window);
    const auto distance = [](QColor a, QColor b) {
        const int r = a.red() - b.red(), g = a.green() - b.green(), bl = a.blue() - b.blue();
        return r * r + g * g + bl * bl;
    };
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int d = distance(pixel, colour);
            n += d < distance(pixel, ground) && d < distance(pixel, Qt::black);
        }
    return n;
}

// `caption` drawn alone in `font` and `colour` on the window's background, as a label draws it.
QImage drawnAlone(const CodonTableForm& table, const QString& caption, const QFont& font, const QColor& colour)
{
    const QSize size = letterRect(0, 0).size();
    QImage image(size, QImage::Format_RGB32);
    image.fill(table.palette().color(QPalette::Window));
    QPainter p(&image);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
    return image;
}

QImage clientPicture(CodonTableForm& table)
{
    return table.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A coding run of the designed strand edited to Met, then Gly (Arg replaced), then stop in slot 2.
struct Game : test::Game {
    Game()
    {
        set(1, QStringLiteral("ccc"));
        set(2, QStringLiteral("act"));
        press();
    }

    CodonTableForm* table() { return tk.forms().find<CodonTableForm>(names::Atab); }
    void clickGlyph(int slot) { QTest::mouseClick(main->AA[slot], Qt::LeftButton, {}, main->AA[slot]->rect().center()); }
    void clickOldGlyph(int slot)
    {
        QTest::mouseClick(main->OldAA[slot], Qt::LeftButton, {}, main->OldAA[slot]->rect().center());
    }
    void closeTable()
    {
        if (CodonTableForm* t = table())
            t->close();
        test::flushDeletes();
    }
};

}  // namespace

class TstCodonTableWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void captionAndClientArea();
    void cells_data();
    void cells();
    void baseLetters_data();
    void baseLetters();
    void baseLettersTakeNoInput();
    void baseLettersGreyInDisabledWindow();
    void sideControls_data();
    void sideControls();
    void listEntries_data();
    void listEntries();
    void stateAfterLoad();
    void legendBox();
    void tabOrder();

    void lookUpFromList_data();
    void lookUpFromList();
    void clickingCellEqualsChoosingInList_data();
    void clickingCellEqualsChoosingInList();
    void cellClickKeepsSelectedCode();
    void releaseWithNothingSelectedAfterLoad();
    void releaseWithNothingSelectedRepeatsLastCode();
    void whichFromMainWindow_data();
    void whichFromMainWindow();
    void whichWithoutMatchOnlyClears_data();
    void whichWithoutMatchOnlyClears();
    void lysAfterAsn();
    void keyboardSelectionStartsNoLookUp();
    void whichShowsHiddenWindow();

    void glyphClickLooksUp_data();
    void glyphClickLooksUp();
    void emptyGlyphClickDoesNothing();
    void glyphClickReloadsClosedTable();
    void replacedGlyphClickLooksUp_data();
    void replacedGlyphClickLooksUp();
};

void TstCodonTableWindow::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void TstCodonTableWindow::cleanup() { test::flushDeletes(); }

void TstCodonTableWindow::captionAndClientArea()
{
    OPEN_TABLE(tk, table);
    QCOMPARE(table->windowTitle(), QStringLiteral("Tabella degli Aminoacidi"));
    QCOMPARE(table->client()->size(), QSize(6600 / 15, 5010 / 15));
    QVERIFY(!table->windowIcon().isNull());
}

void TstCodonTableWindow::cells_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("example");  // the code of some cells, read off a printed table
    const std::map<int, QString> examples{{0, "Lys"},   {14, "Met"}, {48, "Stop"}, {50, "Stop"},
                                          {56, "Stop"}, {58, "Trp"}, {63, "Phe"},  {40, "Gly"}};
    for (int i = 0; i < 64; ++i)
        QTest::addRow("%d %s", i, codonAt(i).c_str()) << i << (examples.count(i) ? examples.at(i) : QString());
}

void TstCodonTableWindow::cells()
{
    QFETCH(int, cell);
    QFETCH(QString, example);
    OPEN_TABLE(tk, table);
    const Label* label = table->aminoacido[cell];
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), table->client());
    const int f = cell / 16, s = (cell / 4) % 4, t = cell % 4;
    QCOMPARE(label->geometry(), QRect((1080 + 1080 * f) / 15, (480 + 960 * s + 240 * t) / 15, 375 / 15, 255 / 15));
    QCOMPARE(label->text(), codeAt(cell));
    if (!example.isEmpty())
        QCOMPARE(label->text(), example);
    QVERIFY(!label->fontBold());
    QCOMPARE(label->foreColor(), plain(*table));
    QVERIFY(label->isVisible());
}

void TstCodonTableWindow::baseLetters_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    for (int f = 0; f < 4; ++f)
        QTest::addRow("green %c", kUpperBases[f]) << 1080 + 1080 * f << 240 << QString(QChar(kUpperBases[f])) << kGreen;
    for (int s = 0; s < 4; ++s)
        QTest::addRow("red %c", kUpperBases[s]) << 360 << 840 + 960 * s << QString(QChar(kUpperBases[s])) << kRed;
    for (int i = 0; i < 64; ++i)
        QTest::addRow("blue beside cell %d", i) << 720 + 1080 * (i / 16) << 480 + 960 * ((i / 4) % 4) + 240 * (i % 4)
                                                << QString(QChar(kUpperBases[i % 4])) << kBlue;
}

void TstCodonTableWindow::baseLetters()
{
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    QCOMPARE(CodonTableForm::baseLetters().size(), std::size_t(72));
    const QList<CodonTableForm::BaseLetter> here = lettersAt(left, top);
    QCOMPARE(here.size(), 1);
    QCOMPARE(QString(QChar(here[0].caption)), caption);
    QCOMPARE(QColor::fromRgb(here[0].colour), colour);

    OPEN_TABLE(tk, table);
    QFont bold = table->font();
    bold.setBold(true);
    QFont regular = table->font();
    regular.setBold(false);
    // The caption fits its place at the window's font.
    const QRect rect = letterRect(left, top);
    QVERIFY(QFontMetrics(bold).horizontalAdvance(caption) <= rect.width());
    QVERIFY(QFontMetrics(bold).height() <= rect.height());

    // On screen: the letter in its colour, in bold, inside its place and nowhere else near it.
    const QImage picture = clientPicture(*table);
    const QImage alone = drawnAlone(*table, caption, bold, colour);
    const int inked = pixelsOf(alone, alone.rect(), colour);
    QVERIFY(inked > 0);
    QCOMPARE(pixelsOf(picture, rect, colour), inked);
    QVERIFY(pixelsOf(drawnAlone(*table, caption, regular, colour), alone.rect(), colour) < inked);
    for (const QColor& other : {kGreen, kRed, kBlue})
        if (other != colour)
            QCOMPARE(pixelsOf(picture, rect, other), 0);
    // Its glyph's inside, pixel for pixel.
    for (int y = 0; y < alone.height(); ++y)
        for (int x = 0; x < alone.width(); ++x)
            if (alone.pixelColor(x, y).rgb() == colour.rgb())
                QCOMPARE(picture.pixelColor(rect.left() + x, rect.top() + y), colour);
}

void TstCodonTableWindow::baseLettersTakeNoInput()
{
    OPEN_TABLE(tk, table);
    const Snapshot before(*table);
    for (const CodonTableForm::BaseLetter& l : CodonTableForm::baseLetters())
        QTest::mouseClick(table->windowHandle(), Qt::LeftButton, {},
                          table->client()->mapTo(table, letterRect(l.left, l.top).center()));
    QVERIFY(Snapshot(*table) == before);
    QVERIFY(table->selectedCode().isEmpty());
}

void TstCodonTableWindow::baseLettersGreyInDisabledWindow()
{
    OPEN_TABLE(tk, table);
    table->setEnabled(false);
    const QImage picture = clientPicture(*table);
    const QColor grey = table->palette().color(QPalette::Disabled, QPalette::WindowText);
    QVERIFY(grey != kGreen && grey != kRed && grey != kBlue);
    for (const CodonTableForm::BaseLetter& l : CodonTableForm::baseLetters()) {
        const QRect rect = letterRect(l.left, l.top);
        QCOMPARE(pixelsOf(picture, rect, QColor::fromRgb(l.colour)), 0);
        // Without the rows a grid line may cross.
        QVERIFY(pixelsOf(picture, rect.adjusted(0, 1, 0, -1), grey) > 0);
    }
    table->setEnabled(true);
    const QImage enabled = clientPicture(*table);
    for (const CodonTableForm::BaseLetter& l : CodonTableForm::baseLetters())
        QVERIFY(pixelsOf(enabled, letterRect(l.left, l.top), QColor::fromRgb(l.colour)) > 0);
}

void TstCodonTableWindow::sideControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Label73") << "Label73" << QRect(5040, 240, 1455, 495)
                             << "Scegli l'aminoacido che vuoi codificare:";
    QTest::newRow("AaList") << "AaList" << QRect(5040, 840, 1455, 255) << QString();
    QTest::newRow("Label75") << "Label75" << QRect(5040, 1320, 1455, 615)
                             << "I codoni di RNA che codificano per l'aminoacido sono:";
    QTest::newRow("Label74") << "Label74" << QRect(5040, 2160, 1455, 495) << QString();
    QTest::newRow("Codoni") << "Codoni" << QRect(240, 4440, 4695, 495) << QString();
}

void TstCodonTableWindow::sideControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    OPEN_TABLE(tk, table);
    auto* widget = table->client()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    if (auto* label = qobject_cast<Label*>(widget))
        QCOMPARE(label->text(), caption);
}

void TstCodonTableWindow::listEntries_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    for (int p = 0; p < kListTexts.size(); ++p)
        QTest::addRow("%d %s", p, qPrintable(kListTexts[p])) << p << kListTexts[p];
}

void TstCodonTableWindow::listEntries()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    OPEN_TABLE(tk, table);
    QCOMPARE(table->AaList->count(), 21);
    QCOMPARE(table->AaList->item(position)->text(), text);
    QVERIFY(!table->AaList->isSortingEnabled());
    QCOMPARE(table->AaList->selectionMode(), QAbstractItemView::SingleSelection);
}

void TstCodonTableWindow::stateAfterLoad()
{
    OPEN_TABLE(tk, table);
    QVERIFY(table->isVisible());
    QVERIFY(table->AaList->selectedItems().isEmpty());
    QCOMPARE(selectedRow(*table), -1);
    QVERIFY(table->Label75->isHidden());
    QVERIFY(table->Label74->text().isEmpty());
    QVERIFY(table->selectedCode().isEmpty());
    VERIFY_HIGHLIGHT(*table, QList<int>{}, plain(*table));
}

void TstCodonTableWindow::legendBox()
{
    OPEN_TABLE(tk, table);
    QCOMPARE(table->Codoni->toPlainText(), kLegend);
    QVERIFY(table->Codoni->isReadOnly());
    QVERIFY(table->Codoni->lineWrapMode() != QPlainTextEdit::NoWrap);
    QVERIFY(table->Codoni->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff);
    QCOMPARE(table->Codoni->palette().color(QPalette::Base), table->palette().color(QPalette::Button));

    // Typing into it changes nothing.
    table->Codoni->setFocus();
    QTest::keyClicks(table->Codoni, QStringLiteral("xyz"));
    QTest::keyClick(table->Codoni, Qt::Key_Backspace);
    QCOMPARE(table->Codoni->toPlainText(), kLegend);
}

void TstCodonTableWindow::tabOrder()
{
    OPEN_TABLE(tk, table);
    QList<QWidget*> chain;
    for (QWidget* w = table->nextInFocusChain(); w != table; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
    QVERIFY(chain.contains(table->Codoni));
    QVERIFY(chain.contains(table->AaList));
    QVERIFY(chain.indexOf(table->Codoni) < chain.indexOf(table->AaList));
    // Of the labels only the grid takes the focus, as one Tab stop after the list (the chain is a ring).
    for (const Label* label : table->findChildren<Label*>())
        QVERIFY2(chain.contains(const_cast<Label*>(label)) == (label == table->aminoacido[0]),
                 qPrintable(label->objectName()));
    QCOMPARE(chain.value((chain.indexOf(table->AaList) + 1) % chain.size()), table->aminoacido[0]);
}

void TstCodonTableWindow::lookUpFromList_data()
{
    QTest::addColumn<int>("row");
    for (int p = 0; p < kListTexts.size(); ++p)
        QTest::addRow("%s", qPrintable(kListTexts[p])) << p;
}

void TstCodonTableWindow::lookUpFromList()
{
    QFETCH(int, row);
    OPEN_TABLE(tk, table);
    // Start from another look-up, so what is left over shows.
    clickListEntry(*table, row == 0 ? 20 : 0);
    clickListEntry(*table, row);

    const QString code = kListCodes[row];
    QVERIFY(!expectedCells(code).isEmpty());
    QCOMPARE(selectedRow(*table), row);
    VERIFY_HIGHLIGHT(*table, expectedCells(code), kMagenta);
    QCOMPARE(table->Label74->text(), codonsOf(code));
    QVERIFY(table->Label75->isVisible());
    QCOMPARE(table->selectedCode(), code);
}

void TstCodonTableWindow::clickingCellEqualsChoosingInList_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("entry");
    QTest::newRow("cell 60 Leu") << 60 << "Leucina";
    QTest::newRow("cell 62 Leu") << 62 << "Leucina";
    QTest::newRow("cell 28 Leu") << 28 << "Leucina";
    QTest::newRow("cell 14 Met") << 14 << "Metionina";
    QTest::newRow("cell 56 Stop") << 56 << "Stop";
    QTest::newRow("cell 0 Lys") << 0 << "Lisina";
}

void TstCodonTableWindow::clickingCellEqualsChoosingInList()
{
    QFETCH(int, cell);
    QFETCH(QString, entry);
    const int row = kListTexts.indexOf(entry);

    std::optional<Snapshot> fromList;
    {
        OPEN_TABLE(tk, table);
        clickListEntry(*table, row);
        fromList.emplace(*table);
    }
    test::flushDeletes();

    OPEN_TABLE(tk, table);
    // The list starts elsewhere, scrolled to its top.
    clickListEntry(*table, 0);
    table->AaList->scrollToTop();
    clickCell(*table, cell);

    VERIFY_HIGHLIGHT(*table, expectedCells(kListCodes[row]), kMagenta);
    QCOMPARE(table->Label74->text(), codonsOf(kListCodes[row]));
    QCOMPARE(selectedRow(*table), row);
    QCOMPARE(table->AaList->currentRow(), row);
    // The list shows the entry.
    const QRect shown = table->AaList->visualItemRect(table->AaList->item(row));
    QVERIFY(table->AaList->viewport()->rect().contains(shown.center()));
    QVERIFY(Snapshot(*table) == *fromList);
}

void TstCodonTableWindow::cellClickKeepsSelectedCode()
{
    OPEN_TABLE(tk, table);
    clickCell(*table, 60);
    QVERIFY(table->selectedCode().isEmpty());

    clickListEntry(*table, kListTexts.indexOf("Metionina"));
    clickCell(*table, 58);
    QCOMPARE(table->selectedCode(), QStringLiteral("Met"));
    VERIFY_HIGHLIGHT(*table, QList<int>{58}, kMagenta);
}

void TstCodonTableWindow::releaseWithNothingSelectedAfterLoad()
{
    OPEN_TABLE(tk, table);
    QVERIFY(table->Label75->isHidden());
    // A release without a press selects nothing.
    QTest::mouseRelease(table->AaList->viewport(), Qt::LeftButton, {}, table->AaList->viewport()->rect().center());

    QVERIFY(table->AaList->selectedItems().isEmpty());
    VERIFY_HIGHLIGHT(*table, QList<int>{}, plain(*table));
    QCOMPARE(table->Label74->text(), QString());
    QVERIFY(table->Label75->isVisible());
}

void TstCodonTableWindow::releaseWithNothingSelectedRepeatsLastCode()
{
    OPEN_TABLE(tk, table);
    clickListEntry(*table, kListTexts.indexOf("Metionina"));
    clickCell(*table, 40);  // Gly, without touching the chosen code
    table->AaList->clearSelection();
    QTest::mouseRelease(table->AaList->viewport(), Qt::LeftButton, {}, table->AaList->viewport()->rect().center());

    VERIFY_HIGHLIGHT(*table, QList<int>{14}, kMagenta);
    QCOMPARE(table->Label74->text(), QStringLiteral(" aug"));
}

void TstCodonTableWindow::whichFromMainWindow_data()
{
    QTest::addColumn<QString>("before");  // list entry looked up first, if any
    QTest::addColumn<QString>("codons");
    QTest::addColumn<bool>("headingVisible");
    QTest::newRow("fresh") << QString() << QString() << false;
    QTest::newRow("after Metionina") << "Metionina" << " aug" << true;
    QTest::newRow("after Serina") << "Serina" << " agc agu uca ucc ucg ucu" << true;
}

void TstCodonTableWindow::whichFromMainWindow()
{
    QFETCH(QString, before);
    QFETCH(QString, codons);
    QFETCH(bool, headingVisible);
    OPEN_TABLE(tk, table);
    if (!before.isEmpty())
        clickListEntry(*table, kListTexts.indexOf(before));
    const QString selectedBefore = table->selectedCode();

    table->Which(QStringLiteral("Gly"), Coming::FromMainWindow);

    VERIFY_HIGHLIGHT(*table, (QList<int>{40, 41, 42, 43}), kYellow);
    QCOMPARE(selectedRow(*table), kListTexts.indexOf("Glicina"));
    QCOMPARE(table->Label74->text(), codons);
    QCOMPARE(table->Label75->isVisible(), headingVisible);
    QCOMPARE(table->selectedCode(), selectedBefore);
}

void TstCodonTableWindow::whichWithoutMatchOnlyClears_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("coming");
    QTest::newRow("STOP from main") << "STOP" << 0;
    QTest::newRow("empty from main") << QString() << 0;
    QTest::newRow("STOP from table") << "STOP" << 1;
    QTest::newRow("lower-case leu") << "leu" << 0;
}

void TstCodonTableWindow::whichWithoutMatchOnlyClears()
{
    QFETCH(QString, code);
    QFETCH(int, coming);
    OPEN_TABLE(tk, table);
    clickListEntry(*table, kListTexts.indexOf("Leucina"));
    VERIFY_HIGHLIGHT(*table, expectedCells("Leu"), kMagenta);

    table->Which(code, Coming(coming));

    VERIFY_HIGHLIGHT(*table, QList<int>{}, plain(*table));
    QCOMPARE(table->Label74->text(), QStringLiteral(" cua cuc cug cuu uua uug"));
    QVERIFY(table->Label75->isVisible());
    QCOMPARE(selectedRow(*table), kListTexts.indexOf("Leucina"));
}

void TstCodonTableWindow::lysAfterAsn()
{
    OPEN_TABLE(tk, table);
    clickListEntry(*table, kListTexts.indexOf("Aspargina"));
    VERIFY_HIGHLIGHT(*table, (QList<int>{1, 3}), kMagenta);
    clickListEntry(*table, kListTexts.indexOf("Lisina"));
    VERIFY_HIGHLIGHT(*table, (QList<int>{0, 2}), kMagenta);
    QCOMPARE(table->Label74->text(), QStringLiteral(" aaa aag"));
}

void TstCodonTableWindow::keyboardSelectionStartsNoLookUp()
{
    OPEN_TABLE(tk, table);
    const int met = kListTexts.indexOf("Metionina");
    clickListEntry(*table, met);
    VERIFY_HIGHLIGHT(*table, QList<int>{14}, kMagenta);

    table->AaList->setFocus();
    QTest::keyClick(table->AaList, Qt::Key_Down);
    QCOMPARE(table->AaList->currentRow(), met + 1);  // the key did move the list
    QTest::keyClick(table->AaList, Qt::Key_Down);
    QTest::keyClick(table->AaList, Qt::Key_Up);
    QCOMPARE(table->AaList->currentRow(), met + 1);

    VERIFY_HIGHLIGHT(*table, QList<int>{14}, kMagenta);
    QCOMPARE(table->Label74->text(), QStringLiteral(" aug"));
    QCOMPARE(table->selectedCode(), QStringLiteral("Met"));
}

void TstCodonTableWindow::whichShowsHiddenWindow()
{
    OPEN_TABLE(tk, table);
    table->hide();
    table->Which(QStringLiteral("Met"), Coming::FromThisWindow);
    QVERIFY(table->isVisible());
    VERIFY_HIGHLIGHT(*table, QList<int>{14}, kMagenta);
    // From the window itself the list does not follow.
    QCOMPARE(selectedRow(*table), -1);
}

void TstCodonTableWindow::glyphClickLooksUp_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("entry");
    QTest::newRow("Met") << 0 << "Met" << "Metionina";
    QTest::newRow("Gly") << 1 << "Gly" << "Glicina";
    QTest::newRow("Stop") << 2 << "Stop" << "Stop";
}

void TstCodonTableWindow::glyphClickLooksUp()
{
    QFETCH(int, slot);
    QFETCH(QString, code);
    QFETCH(QString, entry);
    Game game;
    QVERIFY(game.main);
    QCOMPARE(game.main->naame[slot]->text(), code);
    CodonTableForm* table = game.table();
    QVERIFY(table);
    clickListEntry(*table, kListTexts.indexOf("Triptofano"));
    table->hide();

    game.clickGlyph(slot);

    QCOMPARE(game.table(), table);
    QVERIFY(table->isVisible());
    VERIFY_HIGHLIGHT(*table, expectedCells(code), kYellow);
    QCOMPARE(selectedRow(*table), kListTexts.indexOf(entry));
    QCOMPARE(table->Label74->text(), QStringLiteral(" ugg"));
}

void TstCodonTableWindow::emptyGlyphClickDoesNothing()
{
    Game game;
    QVERIFY(game.main);
    QVERIFY(game.main->naame[5]->text().isEmpty());
    QVERIFY(game.main->OldAaName[5]->text().isEmpty());
    CodonTableForm* table = game.table();
    QVERIFY(table);
    clickListEntry(*table, kListTexts.indexOf("Metionina"));
    const Snapshot before(*table);

    game.clickGlyph(5);
    game.clickOldGlyph(5);
    QVERIFY(Snapshot(*table) == before);

    // Nor does it bring a closed table back.
    game.closeTable();
    QVERIFY(!game.tk.forms().isLoaded(names::Atab));
    game.clickGlyph(5);
    game.clickOldGlyph(5);
    QVERIFY(!game.tk.forms().isLoaded(names::Atab));
}

void TstCodonTableWindow::glyphClickReloadsClosedTable()
{
    Game game;
    QVERIFY(game.main);
    QPointer<CodonTableForm> old = game.table();
    QVERIFY(old);
    clickListEntry(*old, kListTexts.indexOf("Leucina"));
    game.closeTable();
    QVERIFY(!old);
    QVERIFY(!game.tk.forms().isLoaded(names::Atab));

    game.clickGlyph(1);

    CodonTableForm* table = game.table();
    QVERIFY(table);
    QVERIFY(table->isVisible());
    QCOMPARE(table->AaList->count(), 21);
    QCOMPARE(table->AaList->item(20)->text(), QStringLiteral("Stop"));
    VERIFY_HIGHLIGHT(*table, (QList<int>{40, 41, 42, 43}), kYellow);
    QCOMPARE(selectedRow(*table), kListTexts.indexOf("Glicina"));
    QVERIFY(table->Label74->text().isEmpty());
    QVERIFY(table->Label75->isHidden());
    QCOMPARE(table->Codoni->toPlainText(), kLegend);
}

void TstCodonTableWindow::replacedGlyphClickLooksUp_data()
{
    QTest::addColumn<bool>("closedFirst");
    QTest::newRow("table open") << false;
    QTest::newRow("table closed") << true;
}

void TstCodonTableWindow::replacedGlyphClickLooksUp()
{
    QFETCH(bool, closedFirst);
    Game game;
    QVERIFY(game.main);
    const QString replaced = QStringLiteral("Arg");
    QCOMPARE(game.main->OldAaName[1]->text(), replaced);
    if (closedFirst) {
        game.closeTable();
        QVERIFY(!game.tk.forms().isLoaded(names::Atab));
    } else {
        QVERIFY(game.table());
        clickListEntry(*game.table(), kListTexts.indexOf("Stop"));
    }

    game.clickOldGlyph(1);

    CodonTableForm* table = game.table();
    QVERIFY(table);
    QVERIFY(table->isVisible());
    VERIFY_HIGHLIGHT(*table, expectedCells(replaced), kYellow);
    QCOMPARE(selectedRow(*table), kListCodes.indexOf(replaced));
    QCOMPARE(table->Label74->text(), closedFirst ? QString() : QStringLiteral(" uaa uag uga"));
}

QTEST_MAIN(TstCodonTableWindow)
#include "tst_codon_table_window.moc"
