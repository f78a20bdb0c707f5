#include "app/assets.h"
#include "tests/support/fakes.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/placement.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace vintalem;
using namespace vintalem::ui;

// What a title bar shows: on Windows the system's own text of the window; elsewhere Qt's,
// to which Qt appends the application's display name, if one was set.
static QString titleBar(const QWidget* window)
{
#ifdef Q_OS_WIN
    wchar_t text[256] = {};
    GetWindowTextW(reinterpret_cast<HWND>(window->winId()), text, 256);
    if (QGuiApplication::platformName() == QLatin1String("windows"))
        return QString::fromWCharArray(text);
#endif
    const QString title = window->windowHandle()->title(), name = QGuiApplication::applicationDisplayName();
    return name == QCoreApplication::applicationName() || title.endsWith(name) ? title : title + " — " + name;
}

// WCAG 2.1 contrast ratio of two opaque colours.
static double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class TstDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(); }

    void titleBarIsTheCaption_data()
    {
        QTest::addColumn<QString>("form");  // none: the message box
        QTest::addColumn<QString>("caption");
        QTest::newRow("main") << names::zuvo << "Vintalem";
        QTest::newRow("codon table") << names::Atab << "Tabella degli Aminoacidi";
        QTest::newRow("explanation") << names::mutazioni << "mutazioni";
        QTest::newRow("about") << names::Information << "Informazioni sul programma";
        QTest::newRow("how to play") << names::InformazsuVintalem << "Come funziona il programma?";
        QTest::newRow("message box") << QString() << test::kTitle;
    }
    void titleBarIsTheCaption()
    {
        QFETCH(QString, form);
        QFETCH(QString, caption);
        test::TestToolkit tk;
        QString shown;
        QTimer::singleShot(0, &tk.forms(), [&shown] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                shown = titleBar(box);
                box->close();
            }
        });
        if (form.isEmpty())
            QtMessageService().show(test::kLengthMessage, test::kTitle);
        else
            shown = titleBar(tk.forms().show(form));
        QCOMPARE(shown, caption);
    }

    // The texts whose colour the desktop would give, on the grounds they are drawn on
    // (Codoni's ground is the button face); the application keeps this palette on any scheme.
    void textsReadOnTheirGround_data()
    {
        QTest::addColumn<QPalette::ColorRole>("text");
        QTest::addColumn<QPalette::ColorRole>("ground");
        QTest::newRow("window") << QPalette::WindowText << QPalette::Window;
        QTest::newRow("text box") << QPalette::Text << QPalette::Base;
        QTest::newRow("Codoni") << QPalette::Text << QPalette::Button;
        QTest::newRow("button") << QPalette::ButtonText << QPalette::Button;
        QTest::newRow("selection") << QPalette::HighlightedText << QPalette::Highlight;
        QTest::newRow("tooltip") << QPalette::ToolTipText << QPalette::ToolTipBase;
    }
    void textsReadOnTheirGround()
    {
        QFETCH(QPalette::ColorRole, text);
        QFETCH(QPalette::ColorRole, ground);
        QCOMPARE(QApplication::palette(), designedPalette());
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            const double ratio = contrast(designedPalette().color(group, text), designedPalette().color(group, ground));
            QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
        }
    }

    void onlyTheLeftButtonChooses_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("alaninaFirst");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("codons");  // a release with nothing chosen looks up the empty code
        QTest::newRow("left chooses Arginina") << Qt::LeftButton << false << 1 << " aga agg cga cgc cgg cgu";
        QTest::newRow("right on a fresh list") << Qt::RightButton << false << -1 << "";
        QTest::newRow("middle on a fresh list") << Qt::MiddleButton << false << -1 << "";
        QTest::newRow("right repeats Alanina") << Qt::RightButton << true << 0 << " gca gcc gcg gcu";
    }
    void onlyTheLeftButtonChooses()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, alaninaFirst);
        QFETCH(int, selected);
        QFETCH(QString, codons);
        test::TestToolkit tk;
        auto* table = qobject_cast<CodonTableForm*>(tk.forms().show(names::Atab));
        const auto click = [list = table->AaList](int row, Qt::MouseButton b) {
            list->scrollToItem(list->item(row));
            QTest::mouseClick(list->viewport(), b, {}, list->visualItemRect(list->item(row)).center());
        };
        if (alaninaFirst)
            click(0, Qt::LeftButton);
        click(1, button);
        const auto chosen = table->AaList->selectedItems();
        QCOMPARE(chosen.isEmpty() ? -1 : table->AaList->row(chosen.first()), selected);
        QCOMPARE(table->Label74->text(), codons);
        QVERIFY(table->Label75->isVisible());
    }

    void windowsFitTheScreen_data()
    {
        QTest::addColumn<QRect>("available");  // logical pixels: a screen right of a 1920 one, under a panel
        QTest::addColumn<bool>("sideBySide");  // the main window and the codon table
        const QSize screens[] = {{1024, 768}, {1366, 768}, {1920, 1080}, {2560, 1440}};
        const double sideBySideUpTo[] = {0, 1.0, 1.5, 2.0};  // scale factor
        for (int s = 0; s < 4; ++s)
            for (const double scale : {1.0, 1.5, 2.0}) {
                const QSize logical = (QSizeF(screens[s]) / scale).toSize();
                QTest::addRow("%dx%d at %g", screens[s].width(), screens[s].height(), scale)
                    << QRect(1920, 32, logical.width(), logical.height() - 32) << (scale <= sideBySideUpTo[s]);
            }
    }
    void windowsFitTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(bool, sideBySide);
        test::TestToolkit tk;
        std::vector<QSize> sizes;
        for (const QString& name : {names::zuvo, names::Atab, names::mutazioni, names::Information, names::InformazsuVintalem})
            sizes.push_back(tk.forms().load(name)->size().grownBy(kAssumedFrame));
        const std::vector<QPoint> at = placeWindows(available, sizes);
        for (std::size_t i = 0; i < sizes.size(); ++i) {  // whole where it fits, else its title bar on screen
            const QRect w(at[i], sizes[i]), a = available;
            QVERIFY(w.left() >= a.left() && (w.right() <= a.right() || w.left() == a.left()));
            QVERIFY(w.top() >= a.top() && (w.bottom() <= a.bottom() || w.top() == a.top()));
        }
        QCOMPARE(at[0], available.topLeft());
        QCOMPARE(!QRect(at[0], sizes[0]).intersects(QRect(at[1], sizes[1])), sideBySide);
        // Where nothing fits, the least overlap: 10 x 10 in the corner, not 10 x 50 beside or below.
        QCOMPARE(placeWindows({0, 0, 100, 100}, {{50, 50}}, {{0, 0, 60, 60}}).front(), QPoint(50, 50));
    }

    // Windows and the browser have no Liberation Sans: there it is the one the program carries.
    void drawsInLiberationSans()
    {
        test::TestToolkit tk;
        QFont font = tk.forms().load<MainForm>(names::zuvo)->font();
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
        // The bold face itself, not one synthesised from the regular.
        QVERIFY(QFontDatabase::styles(QStringLiteral("Liberation Sans")).contains(QStringLiteral("Bold")));
    }

    // What the layout or the Italian texts depend on and does not load is said once; the set-up goes on.
    void missingAssetIsReported_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("report");
        QTest::newRow("font") << "Vintalem Missing Sans" << "qtbase_it"
                              << "The font \"Vintalem Missing Sans\" is neither installed nor carried";
        QTest::newRow("translation") << "Liberation Sans" << "qtbase_xx" << "Qt's translation qtbase_xx is neither in ";
    }
    void missingAssetIsReported()
    {
        QFETCH(QString, family);
        QFETCH(QString, translation);
        QFETCH(QString, report);
        QFont font = defaultFont();
        font.setFamily(family);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(report)));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        setUpApplication({QStringLiteral("vintalem"), font, programIcon(), {translation}});
        QCOMPARE(QApplication::palette(), designedPalette());
        setUpApplication();  // the program's own again, for the tests after this one
    }

    void contextMenuIsItalian()
    {
        test::TestToolkit tk;
        const std::unique_ptr<QMenu> menu(tk.forms().load<MainForm>(names::zuvo)->nt[0]->createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        QCOMPARE(texts, QStringList({"Annulla", "Rifai", "Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"}));
    }
};

QTEST_MAIN(TstDesktop)
#include "tst_desktop.moc"
