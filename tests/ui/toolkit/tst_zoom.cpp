#include "tests/support/game.h"
#include "ui/toolkit/zoom.h"

#include <QApplication>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

// The main window and the codon table as the page measures them, frames included; a codon box
// is 25 pixels wide at the designed size.
const QSizeF kAlone(706, 406);
const QSizeF kPair(706 + 452, 406);
constexpr qreal kBox = 25;

std::vector<QWidget*> shownForms()
{
    std::vector<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown.push_back(w);
    return shown;
}

}  // namespace

class TstZoom : public QObject {
    Q_OBJECT
private slots:
    void fitsEveryScreen_data()
    {
        QTest::addColumn<QSizeF>("room");  // the page's room: the screen less its 48-pixel bar
        QTest::addColumn<qreal>("density");
        QTest::addColumn<qreal>("floor");  // the least codon box, in CSS pixels
        QTest::addColumn<bool>("sideBySide");
        QTest::addColumn<bool>("even");  // whole device pixels to a logical one lose little here
        QTest::newRow("laptop 1366 x 768") << QSizeF(1318, 768) << 1.0 << 25.0 << true << true;
        QTest::newRow("laptop at 200 %") << QSizeF(635, 384) << 2.0 << 20.0 << false << false;
        QTest::newRow("projector 1920 x 1080") << QSizeF(1872, 1080) << 1.0 << 36.0 << true << false;
        QTest::newRow("Android panel, density 2") << QSizeF(1872, 1080) << 2.0 << 36.0 << true << true;
        QTest::newRow("4K panel") << QSizeF(3792, 2160) << 1.0 << 72.0 << true << true;
        QTest::newRow("tablet 1024 x 768") << QSizeF(976, 768) << 2.0 << 33.0 << false << false;
        QTest::newRow("phone in landscape") << QSizeF(732, 360) << 3.0 << 20.0 << false << false;
    }
    void fitsEveryScreen()
    {
        QFETCH(QSizeF, room);
        QFETCH(qreal, density);
        QFETCH(qreal, floor);
        QFETCH(bool, sideBySide);
        QFETCH(bool, even);
        const Fit fit = fitScreen(room, density, kAlone, kPair);
        QCOMPARE(fit.sideBySide, sideBySide);
        QVERIFY2(kBox * fit.scale >= floor, qPrintable(QString::number(fit.scale)));
        const QSizeF whole = (sideBySide ? kPair : kAlone) * fit.scale;
        QVERIFY(whole.width() <= room.width() && whole.height() <= room.height());
        if (even)
            QCOMPARE(std::fmod(fit.scale * density, 1.0), 0.0);
    }

    void keepsTheDesignedSizeWhenItAlmostFits()
    {
        QCOMPARE(fitScreen(QSizeF(1318, 768), 1, kAlone, kPair).scale, 1.0);
        QCOMPARE(fitScreen(QSizeF(1400, 800), 2, kAlone, kPair).scale, 1.0);
    }

    void zoomSteps_data()
    {
        QTest::addColumn<qreal>("from");
        QTest::addColumn<int>("steps");
        QTest::addColumn<qreal>("to");
        QTest::newRow("in") << 1.0 << 1 << 1.1;
        QTest::newRow("out") << 1.0 << -1 << 0.9;
        QTest::newRow("three in") << 1.0 << 3 << 1.5;
        QTest::newRow("at most three times") << 2.5 << 4 << 3.0;
        QTest::newRow("at least half") << 0.67 << -3 << 0.5;
        QTest::newRow("from a pinch, in") << 1.3 << 1 << 1.5;
        QTest::newRow("from a pinch, out") << 1.3 << -1 << 1.25;
    }
    void zoomSteps()
    {
        QFETCH(qreal, from);
        QFETCH(int, steps);
        QFETCH(qreal, to);
        QCOMPARE(zoomStep(from, steps), to);
    }

    void keysAndWheelScaleEveryWindow_data()
    {
        QTest::addColumn<QTestEventList>("events");
        QTest::addColumn<int>("wheel");  // Ctrl+wheel afterwards, in eighths of a degree
        QTest::addColumn<qreal>("zoom");
        QTestEventList twiceIn, plus, out;
        twiceIn.addKeyClick(Qt::Key_Equal, Qt::ControlModifier);
        twiceIn.addKeyClick(Qt::Key_Equal, Qt::ControlModifier);
        plus.addKeyClick(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
        out.addKeyClick(Qt::Key_Minus, Qt::ControlModifier);
        QTestEventList inOutBack(twiceIn);  // a copy of its own: assignment would share the events
        inOutBack.addKeyClick(Qt::Key_Minus, Qt::ControlModifier);
        inOutBack.addKeyClick(Qt::Key_0, Qt::ControlModifier);
        QTest::newRow("Ctrl+= twice") << twiceIn << 0 << 1.25;
        QTest::newRow("Ctrl++") << plus << 0 << 1.1;
        QTest::newRow("Ctrl+-") << out << 0 << 0.9;
        QTest::newRow("Ctrl+0 goes back") << inOutBack << 0 << 1.0;
        QTest::newRow("Ctrl+wheel, two notches") << QTestEventList() << 240 << 1.25;
        QTest::newRow("Ctrl+wheel, half a notch") << QTestEventList() << 60 << 1.0;
        QTest::newRow("Ctrl+wheel back") << QTestEventList() << -120 << 0.9;
    }
    void keysAndWheelScaleEveryWindow()
    {
        QFETCH(QTestEventList, events);
        QFETCH(int, wheel);
        QFETCH(qreal, zoom);
        test::Game game;
        Zoom scale;
        game.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game.main));
        game.set(3, QStringLiteral("gg"));
        QWidget* box = QApplication::focusWidget();
        QVERIFY(box);
        const qreal base = game.main->devicePixelRatioF();
        std::vector<QSize> sizes;
        for (QWidget* w : shownForms())
            sizes.push_back(w->size());
        QCOMPARE(sizes.size(), std::size_t(2));  // the codon table beside the main window

        events.simulate(box);
        if (wheel) {
            const QPointF at(box->rect().center());
            QWheelEvent turn(at, box->mapToGlobal(at), QPoint(), QPoint(0, wheel), Qt::NoButton, Qt::ControlModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &turn);
        }
        QCOMPARE(scale.zoom(), zoom);
        // Every window keeps its logical size and draws it on the zoomed number of pixels.
        const std::vector<QWidget*> shown = shownForms();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            QWidget* w = shown[i];
            QCOMPARE(w->size(), sizes[i]);
            // Qt keeps a screen's factor to about four digits.
            QVERIFY(qAbs(w->devicePixelRatioF() - base * zoom) < 1e-3);
            const QSizeF drawn = QSizeF(w->grab().size()) - QSizeF(sizes[i]) * base * zoom;
            QVERIFY2(qAbs(drawn.width()) <= 1 && qAbs(drawn.height()) <= 1, qPrintable(QString::number(drawn.width())));
        }
        // The game goes on where it was.
        QCOMPARE(game.main->nt[3]->text(), QStringLiteral("gg"));
        QCOMPARE(QApplication::focusWidget(), box);
        scale.reset();
        QVERIFY(qAbs(game.main->devicePixelRatioF() - base) < 1e-3);
    }

    void zoomedWindowsStayOnTheirScreen()
    {
        test::Game game;
        Zoom scale;
        scale.setZoom(kMaxZoom);
        for (QWidget* w : shownForms()) {
            const QRect available = w->screen()->availableGeometry();
            const QRect frame = w->frameGeometry();
            // Whole where it fits, else its top left corner (its title bar) on the screen.
            QVERIFY(available.contains(frame.topLeft()));
            if (frame.width() <= available.width())
                QVERIFY(frame.right() <= available.right());
            if (frame.height() <= available.height())
                QVERIFY(frame.bottom() <= available.bottom());
        }
    }
};

QTEST_MAIN(TstZoom)
#include "tst_zoom.moc"
