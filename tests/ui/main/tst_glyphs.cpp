#include "tests/support/catalogue.h"
#include "tests/support/game.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/controls.h"

#include <QFontMetrics>
#include <QImage>
#include <QTest>

#include <array>
#include <cmath>
#include <memory>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

using Procedure = void (MainForm::*)(int, Row);

enum class Geometry { SmallSquare, MediumRect, LargeSquare, SmallCircle, MediumCircle, LargeCircle };

// What each amino acid must look like, worked out from the tests' own copy of the catalogue:
// polar ones are circles, the others squares (Val's medium one a rectangle); size sets the
// size, and the charge the colour.
struct Expected {
    Procedure procedure;
    AminoAcidId id;
    const char* code;
    const char* name;
    Geometry geometry;
    QRgb fill;
};

constexpr QRgb kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

const std::array<Procedure, 20> kProcedures{
    &MainForm::DrawAla, &MainForm::DrawCys, &MainForm::DrawAsp, &MainForm::DrawGlu, &MainForm::DrawPhe,
    &MainForm::DrawGly, &MainForm::DrawHis, &MainForm::DrawIle, &MainForm::DrawLys, &MainForm::DrawLeu,
    &MainForm::DrawMet, &MainForm::DrawAsn, &MainForm::DrawPro, &MainForm::DrawGln, &MainForm::DrawArg,
    &MainForm::DrawSer, &MainForm::DrawThr, &MainForm::DrawVal, &MainForm::DrawTrp, &MainForm::DrawTyr,
};

Expected expected(int row)
{
    const test::OracleRow& r = test::kOracle[row];
    const std::string_view size = r.size, charge = r.charge;
    const int s = size == "Small" ? 0 : size == "Medium" ? 1 : 2;
    const bool polar = std::string_view(r.polarity) == "Polar";
    const Geometry g = polar ? std::array{Geometry::SmallCircle, Geometry::MediumCircle, Geometry::LargeCircle}[s]
                             : std::array{Geometry::SmallSquare, Geometry::MediumRect, Geometry::LargeSquare}[s];
    const QRgb fill = charge == "Acidic" ? kRed : charge == "Basic" ? kGreen : kBlue;
    return {kProcedures[row], static_cast<AminoAcidId>(row), r.code, r.name, g, fill};
}

// Worked positions in the box's twips for a 698 x 359 pixel client area.
constexpr double kChainY = 204.5;
const QRectF kSmallSquare(QPointF(124, 154.5), QPointF(224, 254.5));
const QRectF kMediumRect(QPointF(89, 129.5), QPointF(269, 304.5));
const QRectF kLargeSquare(QPointF(49, 79.5), QPointF(299, 329.5));
const QPointF kCircleCentre(164, 201.5);

bool isCircle(Geometry g)
{
    return g == Geometry::SmallCircle || g == Geometry::MediumCircle || g == Geometry::LargeCircle;
}
QRectF rectOf(Geometry g)
{
    return g == Geometry::SmallSquare ? kSmallSquare : g == Geometry::MediumRect ? kMediumRect : kLargeSquare;
}
double radiusOf(Geometry g) { return g == Geometry::SmallCircle ? 50 : g == Geometry::MediumCircle ? 100 : 140; }

using test::renderAt;

// Colour at a point given in logical pixels of the box.
QColor pixel(const QImage& image, double x, double y)
{
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(std::floor(x * dpr)), static_cast<int>(std::floor(y * dpr)));
}

bool near(const QColor& a, QRgb b, int tolerance = 3)
{
    return std::abs(a.red() - qRed(b)) <= tolerance && std::abs(a.green() - qGreen(b)) <= tolerance
        && std::abs(a.blue() - qBlue(b)) <= tolerance;
}

QString describe(const QColor& c) { return c.name(); }

bool isDark(const QColor& c) { return qGray(c.rgb()) < 100; }

#define VERIFY_COLOUR(image, x, y, rgb)                                                                   \
    do {                                                                                                  \
        const QColor seen_ = pixel(image, x, y);                                                          \
        QVERIFY2(near(seen_, rgb), qPrintable(QStringLiteral("at (%1, %2) px, ratio %3: %4, expected %5") \
                                                  .arg(x).arg(y).arg((image).devicePixelRatio())          \
                                                  .arg(describe(seen_), QColor(rgb).name())));            \
    } while (false)

#define VERIFY_DARK(image, x, y)                                                                             \
    do {                                                                                                     \
        const QColor seen_ = pixel(image, x, y);                                                             \
        QVERIFY2(isDark(seen_), qPrintable(QStringLiteral("at (%1, %2) px, ratio %3: %4, expected the line") \
                                               .arg(x).arg(y).arg((image).devicePixelRatio())                \
                                               .arg(describe(seen_))));                                      \
    } while (false)

constexpr QRgb kWhite = 0xFFFFFF;
constexpr std::array<qreal, 3> kRatios{1.0, 1.5, 2.0};

}  // namespace

class TstGlyphs : public QObject {
    Q_OBJECT
private slots:
    void clientAreaGivesWorkedPositions();
    void glyphProcedure_data();
    void glyphProcedure();
    void decodeShowsNameAndCode_data();
    void decodeShowsNameAndCode();
    void pixels_data();
    void pixels();
    void drawingSurvivesHideShowAndRepaint();
    void secondGlyphDrawsOverFirst();
    void oldRowAndNewRowAreIndependent_data();
    void oldRowAndNewRowAreIndependent();
    void stopInNewRowShowsStop();
    void stopInOldRowTouchesOnlyItsSlot();
    void legendShapes_data();
    void legendShapes();
    void legendLabels_data();
    void legendLabels();
};

void TstGlyphs::clientAreaGivesWorkedPositions()
{
    test::Game f;  // its protein rows still empty
    QVERIFY(f.main);
    QCOMPARE(f.main->client()->size(), QSize(698, 359));
    for (int i = 0; i < MainForm::kSlots; ++i) {
        QCOMPARE(f.main->AA[i]->size(), QSize(25, 25));
        QCOMPARE(f.main->OldAA[i]->size(), QSize(25, 25));
    }
}

void TstGlyphs::glyphProcedure_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < test::kOracleCount; ++i)
        QTest::newRow(test::kOracle[i].code) << i;
}

void TstGlyphs::glyphProcedure()
{
    QFETCH(int, row);
    const Expected e = expected(row);
    test::Game f;
    QVERIFY(f.main);
    const int slot = 4;
    (f.main->*e.procedure)(slot, Row::New);

    PictureBox* box = f.main->AA[slot];
    QCOMPARE(f.main->naame[slot]->text(), QString::fromLatin1(e.code));
    QCOMPARE(box->toolTip(), QString::fromUtf8(e.name));

    // The chain line first, then the shape over it.
    const auto& shapes = box->shapes();
    QCOMPARE(shapes.size(), std::size_t(2));
    const auto* line = std::get_if<PictureBox::Line>(&shapes[0]);
    QVERIFY(line);
    QCOMPARE(line->from, QPointF(698, kChainY));
    QCOMPARE(line->to, QPointF(0, kChainY));
    QPointF centre;
    if (isCircle(e.geometry)) {
        const auto* circle = std::get_if<PictureBox::Circle>(&shapes[1]);
        QVERIFY(circle);
        QCOMPARE(circle->centre, kCircleCentre);
        QCOMPARE(circle->radius, radiusOf(e.geometry));
        QCOMPARE(circle->fill.rgb(), QColor(e.fill).rgb());
        centre = kCircleCentre;
    } else {
        const auto* rect = std::get_if<PictureBox::Box>(&shapes[1]);
        QVERIFY(rect);
        QCOMPARE(rect->rect, rectOf(e.geometry));
        QCOMPARE(rect->fill.rgb(), QColor(e.fill).rgb());
        centre = rectOf(e.geometry).center();
    }

    for (qreal dpr : kRatios) {
        const QImage image = renderAt(box, dpr);
        // The shape hides the line at its centre.
        VERIFY_COLOUR(image, centre.x() / 15, centre.y() / 15, e.fill);
        // Top right corner: beyond every glyph.
        VERIFY_COLOUR(image, 22.5, 2.5, kWhite);
        // The line runs on to the right of every glyph, in the pixel row holding y = 204.5 twips.
        VERIFY_DARK(image, 22.5, kChainY / 15);
        VERIFY_COLOUR(image, 22.5, kChainY / 15 - 2, kWhite);
        VERIFY_COLOUR(image, 22.5, kChainY / 15 + 2, kWhite);
    }
}

void TstGlyphs::decodeShowsNameAndCode_data()
{
    glyphProcedure_data();
}

void TstGlyphs::decodeShowsNameAndCode()
{
    QFETCH(int, row);
    const Expected e = expected(row);
    test::Game f;
    QVERIFY(f.main);
    const int slot = row;  // a different slot for each amino acid
    const int elsewhere = (row + 10) % MainForm::kSlots;
    f.main->DecodeCodon(slot, Row::New, e.id);
    f.main->DecodeCodon(slot, Row::Old, e.id);
    (f.main->*e.procedure)(elsewhere, Row::New);  // reference drawing

    QCOMPARE(f.main->naame[slot]->text(), QString::fromLatin1(e.code));
    QCOMPARE(f.main->AA[slot]->toolTip(), QString::fromUtf8(e.name));
    QCOMPARE(f.main->OldAaName[slot]->text(), QString::fromLatin1(e.code));
    QCOMPARE(f.main->OldAA[slot]->toolTip(), QString::fromUtf8(e.name));
    // Both rows show the same caption, which the report compares.
    QCOMPARE(f.main->naame[slot]->text(), f.main->OldAaName[slot]->text());
    // The look-up draws exactly what the procedure draws.
    const QImage reference = renderAt(f.main->AA[elsewhere], 1);
    QCOMPARE(renderAt(f.main->AA[slot], 1), reference);
    QCOMPARE(renderAt(f.main->OldAA[slot], 1), reference);
}

void TstGlyphs::pixels_data()
{
    using Points = QList<QPointF>;
    QTest::addColumn<int>("row");
    QTest::addColumn<Points>("filled");
    QTest::addColumn<Points>("white");
    QTest::addColumn<Points>("line");  // on the chain line, with white two pixels above and below
    const double y = kChainY / 15;
    // Square (124, 154.5)-(224, 254.5) twips: (8.27, 10.3)-(14.93, 16.97) px; the line at x = 30 twips too.
    QTest::newRow("Ala small square") << 0 << Points{{9.5, 11.5}, {13.5, 15.5}, {11.5, 13.5}}
                                      << Points{{6.5, 8.5}, {16.5, 18.5}, {11.5, 8.5}, {11.5, 18.5}}
                                      << Points{{2, y}, {17.5, y}};
    // (89, 129.5)-(269, 304.5) twips: (5.93, 8.63)-(17.93, 20.3) px.
    QTest::newRow("Val rectangle") << 17 << Points{{7.5, 10.5}, {16.5, 10.5}, {7.5, 18.5}, {16.5, 18.5}}
                                   << Points{{4.5, 12.5}, {19.5, 12.5}, {11.5, 7.5}, {11.5, 21.5}} << Points{};
    // Centre (164, 201.5) twips, radius 140: (10.93, 13.43) px, radius 9.33; corners of its square white.
    const Points largeCircle{{10.5, 13.5}, {3.5, 13.5}, {18.5, 13.5}, {10.5, 5.5}, {10.5, 21.5}};
    const Points corners{{2.5, 4.5}, {18.5, 4.5}, {2.5, 21.5}, {18.5, 21.5}};
    QTest::newRow("His large circle") << 6 << largeCircle << corners << Points{};
    QTest::newRow("Lys green circle") << 8 << largeCircle << corners << Points{};
    // (49, 79.5)-(299, 329.5) twips: (3.27, 5.3)-(19.93, 21.97) px; Leu and Ile differ only in colour.
    const Points largeSquare{{4.5, 6.5}, {18.5, 20.5}, {11.5, 13.5}, {18.5, 6.5}};
    const Points aroundLarge{{1.5, 3.5}, {21.5, 22.5}, {11.5, 3.5}};
    QTest::newRow("Leu green square") << 9 << largeSquare << aroundLarge << Points{};
    QTest::newRow("Ile blue square") << 7 << largeSquare << aroundLarge << Points{};
    // Centre (10.93, 13.43) px, radius 3.33.
    QTest::newRow("Asp small red circle") << 2 << Points{{10.5, 13.5}, {9.5, 12.5}}
                                          << Points{{10.5, 8.5}, {10.5, 18.5}} << Points{{3.5, y}, {18.5, y}};
}

void TstGlyphs::pixels()
{
    QFETCH(int, row);
    QFETCH(QList<QPointF>, filled);
    QFETCH(QList<QPointF>, white);
    QFETCH(QList<QPointF>, line);
    const Expected e = expected(row);
    test::Game f;
    QVERIFY(f.main);
    const int slot = row % MainForm::kSlots;
    (f.main->*e.procedure)(slot, Row::New);
    for (qreal dpr : kRatios) {
        const QImage image = renderAt(f.main->AA[slot], dpr);
        for (const QPointF& p : filled)
            VERIFY_COLOUR(image, p.x(), p.y(), e.fill);
        for (const QPointF& p : white)
            VERIFY_COLOUR(image, p.x(), p.y(), kWhite);
        for (const QPointF& p : line) {
            VERIFY_DARK(image, p.x(), p.y());
            VERIFY_COLOUR(image, p.x(), p.y() - 2, kWhite);
            VERIFY_COLOUR(image, p.x(), p.y() + 2, kWhite);
        }
    }
    // At ratio 2 the 1-pixel line covers one device row completely, left of the small square.
    if (e.geometry == Geometry::SmallSquare) {
        const QImage sharp = renderAt(f.main->AA[slot], 2);
        QVERIFY2(near(sharp.pixelColor(4, 27), 0x000000, 8), qPrintable(describe(sharp.pixelColor(4, 27))));
    }
}

void TstGlyphs::drawingSurvivesHideShowAndRepaint()
{
    test::Game f;
    QVERIFY(f.main);
    f.main->DrawAla(0, Row::New);
    f.main->DrawGln(0, Row::Old);
    const QImage before = renderAt(f.main->AA[0], 1);
    const QImage beforeOld = renderAt(f.main->OldAA[0], 2);
    f.main->hide();
    QVERIFY(!f.main->AA[0]->isVisible());
    f.main->show();
    f.main->repaint();
    QCoreApplication::processEvents();
    QCOMPARE(renderAt(f.main->AA[0], 1), before);
    QCOMPARE(renderAt(f.main->OldAA[0], 2), beforeOld);
    // What a screen would show: the window's own grab holds the glyph too.
    const QImage shown = f.main->AA[0]->grab().toImage();
    QVERIFY(near(shown.pixelColor(11, 13), kBlue));
    QVERIFY(near(shown.pixelColor(4, 4), kWhite));
    QCOMPARE(f.main->AA[0]->shapes().size(), std::size_t(2));
}

void TstGlyphs::secondGlyphDrawsOverFirst()
{
    test::Game f;
    QVERIFY(f.main);
    f.main->DrawPhe(8, Row::New);
    f.main->DrawAsp(8, Row::New);
    // The second chain line is the first one again: it moves on top of the square.
    const auto& shapes = f.main->AA[8]->shapes();
    QCOMPARE(shapes.size(), std::size_t(3));
    QVERIFY(std::holds_alternative<PictureBox::Box>(shapes[0]));
    QVERIFY(std::holds_alternative<PictureBox::Line>(shapes[1]));
    QVERIFY(std::holds_alternative<PictureBox::Circle>(shapes[2]));
    QCOMPARE(f.main->naame[8]->text(), QStringLiteral("Asp"));
    QCOMPARE(f.main->AA[8]->toolTip(), QStringLiteral("Aspartato"));
    for (qreal dpr : kRatios) {
        const QImage image = renderAt(f.main->AA[8], dpr);
        VERIFY_COLOUR(image, 10.5, 13.5, kRed);   // the later circle on top
        VERIFY_COLOUR(image, 5.5, 7.5, kBlue);    // the earlier square around it
        VERIFY_COLOUR(image, 17.5, 19.5, kBlue);
        VERIFY_COLOUR(image, 17.5, 7.5, kBlue);
        VERIFY_COLOUR(image, 1.5, 3.5, kWhite);
    }
}

void TstGlyphs::oldRowAndNewRowAreIndependent_data()
{
    QTest::addColumn<bool>("old");
    QTest::newRow("previous row") << true;
    QTest::newRow("new row") << false;
}

void TstGlyphs::oldRowAndNewRowAreIndependent()
{
    QFETCH(bool, old);
    const Row isOld = old ? Row::Old : Row::New;
    test::Game f;
    QVERIFY(f.main);
    const int slot = 13;
    f.main->DrawTrp(slot, isOld);
    f.main->DecodeCodon(slot + 1, isOld, AminoAcidId::Glu);

    for (int i = 0; i < MainForm::kSlots; ++i) {
        const bool drawn = i == slot || i == slot + 1;
        PictureBox* target = old ? f.main->OldAA[i] : f.main->AA[i];
        PictureBox* other = old ? f.main->AA[i] : f.main->OldAA[i];
        Label* targetName = old ? f.main->OldAaName[i] : f.main->naame[i];
        Label* otherName = old ? f.main->naame[i] : f.main->OldAaName[i];
        QCOMPARE(target->isEmpty(), !drawn);
        QVERIFY(other->isEmpty());
        QCOMPARE(other->toolTip(), QString());
        QCOMPARE(otherName->text(), QString());
        if (!drawn) {
            QCOMPARE(targetName->text(), QString());
            QCOMPARE(target->toolTip(), QString());
        }
        const QImage image = renderAt(other, 1);
        VERIFY_COLOUR(image, 10.5, 13.5, kWhite);
        VERIFY_COLOUR(image, 3.5, kChainY / 15, kWhite);
    }
    PictureBox* trp = old ? f.main->OldAA[slot] : f.main->AA[slot];
    QCOMPARE((old ? f.main->OldAaName[slot] : f.main->naame[slot])->text(), QStringLiteral("Trp"));
    QCOMPARE(trp->toolTip(), QStringLiteral("Triptofano"));
    VERIFY_COLOUR(renderAt(trp, 1), 10.5, 13.5, kBlue);
    QCOMPARE((old ? f.main->OldAaName[slot + 1] : f.main->naame[slot + 1])->text(), QStringLiteral("Glu"));
}

// Which slots follow a stop is the core's decision; the window only shows the stop.
void TstGlyphs::stopInNewRowShowsStop()
{
    test::Game f;
    QVERIFY(f.main);
    const int stop = 5;
    f.main->DecodeCodon(stop, Row::New, AminoAcidId::Stop);

    QCOMPARE(f.main->AA[stop]->toolTip(), QStringLiteral("STOP"));
    QCOMPARE(f.main->naame[stop]->text(), QStringLiteral("Stop"));
    QVERIFY(f.main->AA[stop]->isEmpty());
    for (qreal dpr : kRatios) {
        const QImage image = renderAt(f.main->AA[stop], dpr);
        VERIFY_COLOUR(image, 11.5, 13.5, kWhite);
        VERIFY_COLOUR(image, 3.5, kChainY / 15, kWhite);  // no chain line either
    }
}

void TstGlyphs::stopInOldRowTouchesOnlyItsSlot()
{
    test::Game f;
    QVERIFY(f.main);
    for (int i = 0; i < MainForm::kSlots; ++i) {
        f.main->DrawSer(i, Row::New);
        f.main->DrawArg(i, Row::Old);
    }
    f.main->DecodeCodon(7, Row::Old, AminoAcidId::Stop);

    QCOMPARE(f.main->OldAA[7]->toolTip(), QStringLiteral("STOP"));
    QCOMPARE(f.main->OldAaName[7]->text(), QStringLiteral("Stop"));
    // The picture is left as it was.
    VERIFY_COLOUR(renderAt(f.main->OldAA[7], 1), 10.5, 13.5, kGreen);
    for (int i = 0; i < MainForm::kSlots; ++i) {
        QCOMPARE(f.main->naame[i]->text(), QStringLiteral("Ser"));
        QCOMPARE(f.main->AA[i]->toolTip(), QStringLiteral("Serina"));
        QVERIFY(!f.main->AA[i]->isEmpty());
        if (i != 7) {
            QCOMPARE(f.main->OldAaName[i]->text(), QStringLiteral("Arg"));
            QCOMPARE(f.main->OldAA[i]->toolTip(), QStringLiteral("Arginina"));
        }
    }
}

void TstGlyphs::legendShapes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QColor>("fill");  // places are checked with the other controls of the main window
    const QColor white(255, 255, 255);
    QTest::newRow("Shape1") << "Shape1" << int(Shape::Square) << white;
    QTest::newRow("Shape2") << "Shape2" << int(Shape::Circle) << white;
    QTest::newRow("Shape6") << "Shape6" << int(Shape::Square) << white;
    QTest::newRow("Shape7") << "Shape7" << int(Shape::Square) << white;
    QTest::newRow("Shape8") << "Shape8" << int(Shape::Square) << white;
    QTest::newRow("Shape3") << "Shape3" << int(Shape::Square) << QColor(0, 255, 0);
    QTest::newRow("Shape4") << "Shape4" << int(Shape::Square) << QColor(255, 0, 0);
    QTest::newRow("Shape5") << "Shape5" << int(Shape::Square) << QColor(0, 0, 255);
}

void TstGlyphs::legendShapes()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QColor, fill);
    test::Game f;
    QVERIFY(f.main);
    Frame* legend = f.main->legend;
    QVERIFY(legend);
    QCOMPARE(legend->caption(), QStringLiteral("Legenda"));
    QCOMPARE(legend->geometry(), QRect(720 / 15, 3720 / 15, 9615 / 15, 1575 / 15));
    QCOMPARE(legend->findChildren<Shape*>().size(), 8);

    auto* shape = legend->findChild<Shape*>(name);
    QVERIFY(shape);
    QCOMPARE(shape->parentWidget(), legend);
    QCOMPARE(int(shape->kind()), kind);
    QCOMPARE(shape->fill(), fill);
    QVERIFY(shape->isVisible());
    for (qreal dpr : kRatios) {
        const QImage image = renderAt(shape, dpr);
        const double c = shape->width() / 2.0;
        VERIFY_COLOUR(image, c, c, fill.rgb() & 0xFFFFFF);
        if (kind == Shape::Square)
            VERIFY_DARK(image, 0.5, c + 2);  // the thin black border
    }
}

void TstGlyphs::legendLabels_data()
{
    // Their texts and places are checked with the other captions of the main window.
    QTest::addColumn<QString>("name");
    for (const char* name : {"Label8", "Label7", "Label9", "Label10", "Label11", "Label5", "Label4", "Label6",
                             "Label12", "Label2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TstGlyphs::legendLabels()
{
    QFETCH(QString, name);
    test::Game f;
    QVERIFY(f.main);
    Frame* legend = f.main->legend;
    QCOMPARE(legend->findChildren<Label*>().size(), 10);
    auto* label = legend->findChild<Label*>(name);
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), legend);
    QVERIFY(label->wordWrap());
    QVERIFY(!label->font().bold());
    QCOMPARE(label->frameShape(), QFrame::NoFrame);
    // Word-wrapped in its own width, the text must fit its height.
    const QRect area = label->contentsRect();
    const QRect needed = QFontMetrics(label->font())
                             .boundingRect(QRect(0, 0, area.width(), area.height()),
                                           Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
    QVERIFY2(needed.height() <= area.height() && needed.width() <= area.width(),
             qPrintable(QStringLiteral("needs %1 x %2 px, has %3 x %4")
                            .arg(needed.width()).arg(needed.height()).arg(area.width()).arg(area.height())));
    if (name == QLatin1String("Label2"))
        QCOMPARE(label, f.main->Label2);
}

QTEST_MAIN(TstGlyphs)
#include "tst_glyphs.moc"
