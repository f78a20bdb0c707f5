// The PNG installed for the desktop must be the very icon the windows carry.
#include "app/assets.h"

#include <QImage>
#include <QtTest>

class TestInstalledIcon : public QObject {
    Q_OBJECT
private slots:
    void isThirtyTwoSquareWithAlpha()
    {
        const QImage png(QStringLiteral(VINTALEM_ICON_PNG));
        QVERIFY2(!png.isNull(), VINTALEM_ICON_PNG);
        QCOMPARE(png.size(), QSize(32, 32));
        QVERIFY(png.hasAlphaChannel());
    }

    void matchesTheWindowIconPixelForPixel()
    {
        const QImage png = QImage(QStringLiteral(VINTALEM_ICON_PNG)).convertToFormat(QImage::Format_ARGB32);
        const QImage window = vintalem::ui::programIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(window.size(), QSize(32, 32));
        int transparent = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                QCOMPARE(png.pixel(x, y), window.pixel(x, y));
                transparent += qAlpha(png.pixel(x, y)) == 0;
            }
        }
        // The background is see-through, not painted in some colour.
        QCOMPARE(qAlpha(png.pixel(0, 0)), 0);
        QVERIFY(transparent > 32 * 32 / 2);
    }
};

QTEST_MAIN(TestInstalledIcon)
#include "tst_installed_icon.moc"
