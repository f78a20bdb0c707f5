#include "tests/support/game.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/info/about_form.h"
#include "ui/info/how_to_play_form.h"
#include "ui/main/main_form.h"
#include "ui/main/mutation_form.h"
#include "ui/toolkit/twips.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QWindow>

#include <cmath>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

using test::kAllForms;

const QString kTitleLine =
    QStringLiteral("Vintalem") + QString(46, QLatin1Char(' ')) + QStringLiteral("Versione 1.0 per Win95");

// The how-to-play text, piece by piece; a line break is the label's own '\n'.
QString expectedHowToPlay()
{
    const QString br = QStringLiteral("\n");
    return br + QStringLiteral("Il programma vi permette di modificare la sequenza nucleotidica (a, c, t o g) che il "
                               "computer vi fornisce.") +
           br + br +
           QStringLiteral("Mutate la sequenza che il computer vi fornisce e vedrete come, modificando una o più basi, "
                          "anche la proteina che viene codificata (premendo 'Codifica proteina') verrà cambiata. In "
                          "questo modo potrete osservare come alcune modificazioni portino alla sintesi di una proteina "
                          "con aminoacidi completamente diversi da quelli prima presenti, mentre altri avranno solo "
                          "qualche piccola differenza... ma potrebbero anche non cambiare!") +
           br + br + QStringLiteral("Ecco una spiegazione divertente ed efficace della degenerazione del codice genetico.") +
           br + br +
           QStringLiteral("Prova anche a cliccare sull'immagine dell'aminoacido e vedrai quanti codoni (le tre basi "
                          "dell'RNA) codificano per quell'aminoacido.") +
           br + QStringLiteral("Buon divertimento.") + br + br +
           QStringLiteral("Aminoacido = unità fondamentale per costruire le proteine") + br + br +
           QStringLiteral("Tripletta = insieme di tre basi vicine in un RNA o nel DNA") + br + br +
           QStringLiteral("Codice genetico = codice in cui è contenuto il messaggio per la costruzione delle proteine. "
                          "E' formato da  triplette coificanti ognuna un aminoacido") +
           br + br + QStringLiteral("Degenerazione del codice genetico = più triplette codificano uno stesso aminoacido");
}

// The program as the player has it: the main window and the codon table window.
struct Program : test::Game {
    // Fills the RNA row, which also opens the explanation window.
    void codingRun() { press(); }
    AboutForm* openAbout()
    {
        main->mnuInformations->trigger();
        return tk.forms().find<AboutForm>(names::Information);
    }
    CodonTableForm* table() { return tk.forms().find<CodonTableForm>(names::Atab); }
    Form* form(const QString& name) { return tk.forms().find(name); }
};

// Sends a click through the window system to where `target` sits in its window.
void clickThroughWindow(QWidget* target)
{
    QWidget* window = target->window();
    QVERIFY(window->windowHandle());
    const QPoint at = target->mapTo(window, target->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
}

bool isInk(QRgb pixel) { return qGray(pixel) < 128; }

}  // namespace

class TstInfoWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void aboutWindowLayout();
    void aboutText();
    void disabledWindowsIgnoreInput_data();
    void disabledWindowsIgnoreInput();
    void howToPlayStaysUsableWhileAboutIsOpen();
    void leavingAboutEnablesAgain_data();
    void leavingAboutEnablesAgain();

    void howToPlayLayout();
    void howToPlayText();
    void howToPlayLeavesOthersUsable();
    void underlinesUnderGlossaryTerms_data();
    void underlinesUnderGlossaryTerms();
};

void TstInfoWindows::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void TstInfoWindows::cleanup() { test::flushDeletes(); }

void TstInfoWindows::aboutWindowLayout()
{
    Program p;
    AboutForm* about = p.openAbout();
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("Informazioni sul programma"));
    QCOMPARE(about->client()->size(), QSize(4545 / 15, 2220 / 15));
    QVERIFY(!about->windowIcon().isNull());
    QCOMPARE(about->Informazioni->geometry(), twipsRect(120, 120, 4335, 1455));
    QCOMPARE(about->ok->geometry(), twipsRect(1680, 1800, 1095, 375));
    QCOMPARE(about->ok->text(), QStringLiteral("Ok"));

    // "Ok" is the first control to take the focus.
    QWidget* first = about->nextInFocusChain();
    while (first != about && !(first->focusPolicy() & Qt::TabFocus))
        first = first->nextInFocusChain();
    QCOMPARE(first, about->ok);
}

void TstInfoWindows::aboutText()
{
    Program p;
    AboutForm* about = p.openAbout();
    QVERIFY(about);
    const QString text = about->Informazioni->text();
    QVERIFY(!text.contains(QLatin1Char('\r')));
    QVERIFY(!text.startsWith(QLatin1Char('\n')));
    QVERIFY(!text.endsWith(QLatin1Char('\n')));

    const QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], kTitleLine);
    QCOMPARE(lines[0].size(), 76);
    QVERIFY(lines[0].startsWith(QStringLiteral("Vintalem") + QString(46, QLatin1Char(' ')) + QLatin1Char('V')));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], QStringLiteral("Il presente programma è stato realizzato da:"));
    QVERIFY(!lines[3].trimmed().isEmpty());
    QCOMPARE(lines[4], QString());
    QCOMPARE(lines[5], QStringLiteral("Con la collaborazione di:"));
    const QStringList collaborators = lines[6].split(QStringLiteral(" e "));
    QCOMPARE(collaborators.size(), 2);
    for (const QString& name : collaborators) {
        QVERIFY(!name.isEmpty());
        QCOMPARE(name, name.trimmed());
    }
}

void TstInfoWindows::disabledWindowsIgnoreInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("click Codifica proteina") << "CodProt";
    QTest::newRow("click a cell of the table") << "cell";
    QTest::newRow("keys into a codon box") << "keys";
    for (const QString& name : {names::mutazioni, names::Atab, names::zuvo})
        QTest::addRow("close %s", qPrintable(name)) << name;
}

void TstInfoWindows::disabledWindowsIgnoreInput()
{
    QFETCH(QString, input);
    Program p;
    QVERIFY(p.designedInstalled());
    p.codingRun();
    QCOMPARE(p.main->RNA[1]->text(), QStringLiteral("cga"));
    p.main->nt[1]->setText(QStringLiteral("ccc"));  // what a working button would transcribe
    TextBox* box = p.main->nt[3];
    box->setFocus();
    CodonTableForm* table = p.table();
    for (const QString& name : {names::zuvo, names::mutazioni, names::Atab})
        QVERIFY2(p.form(name)->isEnabled(), qPrintable(name));
    AboutForm* about = p.openAbout();
    QVERIFY(about && about->isEnabled());
    for (const QString& name : {names::zuvo, names::mutazioni, names::Atab})
        QVERIFY2(!p.form(name)->isEnabled(), qPrintable(name));

    auto act = [&] {
        if (input == QLatin1String("CodProt")) {
            clickThroughWindow(p.main->CodProt);
        } else if (input == QLatin1String("cell")) {
            clickThroughWindow(table->aminoacido[14]);
        } else if (input == QLatin1String("keys")) {
            box->setFocus();  // a disabled box does not take it
            box->end(false);
            for (auto key : {Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_G})
                QTest::keyClick(p.main->windowHandle(), key);
        } else {
            p.form(input)->close();
        }
        test::flushDeletes();
    };
    auto screen = [&] {
        QStringList s = p.rna() + p.newCodes() + p.oldCodes();
        for (const TextBox* codon : p.main->nt)
            s << codon->text();
        for (const Label* cell : table->aminoacido)
            s << QString::number(cell->fontBold());
        s << table->Label74->text();
        for (const QString& name : kAllForms)
            s << QStringLiteral("%1 %2").arg(name).arg(p.tk.forms().isVisible(name));
        return s;
    };
    const QStringList before = screen();
    act();
    QCOMPARE(screen(), before);

    // The same input works once the about window is gone.
    QTest::mouseClick(about->ok, Qt::LeftButton);
    test::flushDeletes();
    act();
    if (input == QLatin1String("CodProt")) {
        QCOMPARE(p.main->RNA[1]->text(), QStringLiteral("ggg"));
    } else if (input == QLatin1String("cell")) {
        QVERIFY(table->aminoacido[14]->fontBold());
        QCOMPARE(table->Label74->text(), QStringLiteral(" aug"));
    } else if (input == QLatin1String("keys")) {
        QCOMPARE(box->text(), QStringLiteral("ag"));  // was aaa
    } else {
        QVERIFY(!p.tk.forms().isLoaded(input));
    }
}

void TstInfoWindows::howToPlayStaysUsableWhileAboutIsOpen()
{
    Program p;
    QVERIFY(p.main);
    p.main->Info->trigger();
    QVERIFY(p.openAbout());
    auto* howTo = p.tk.forms().find<HowToPlayForm>(names::InformazsuVintalem);
    QVERIFY(howTo);
    QVERIFY(howTo->isEnabled());
    QVERIFY(howTo->isVisible());
    QVERIFY(!p.main->isEnabled());

    // Its close box works, and touches nothing else.
    howTo->close();
    test::flushDeletes();
    QVERIFY(!p.tk.forms().isLoaded(names::InformazsuVintalem));
    QVERIFY(p.form(names::Information));
    QVERIFY(!p.main->isEnabled());
    QVERIFY(!p.table()->isEnabled());
}

void TstInfoWindows::leavingAboutEnablesAgain_data()
{
    QTest::addColumn<bool>("byOk");
    QTest::addColumn<bool>("explanationOpen");
    QTest::newRow("Ok") << true << false;
    QTest::newRow("close box") << false << false;
    QTest::newRow("Ok, explanation open") << true << true;
    QTest::newRow("close box, explanation open") << false << true;
}

void TstInfoWindows::leavingAboutEnablesAgain()
{
    QFETCH(bool, byOk);
    QFETCH(bool, explanationOpen);
    Program p;
    QVERIFY(p.main);
    if (explanationOpen)
        p.codingRun();
    QPointer<AboutForm> about = p.openAbout();
    QVERIFY(about);

    if (byOk)
        QTest::mouseClick(about->ok, Qt::LeftButton);
    else
        about->close();
    test::flushDeletes();

    QVERIFY(!about);
    QVERIFY(!p.tk.forms().isLoaded(names::Information));
    QVERIFY(p.main->isEnabled());
    QVERIFY(p.table()->isEnabled());
    if (explanationOpen) {
        QVERIFY(p.form(names::mutazioni)->isEnabled());
        QVERIFY(p.form(names::mutazioni)->isVisible());
    } else {
        QVERIFY(!p.tk.forms().isLoaded(names::mutazioni));
        QVERIFY(!p.tk.forms().isVisible(names::mutazioni));
    }

    // Input reaches the windows again, through the window system too.
    p.main->nt[1]->setText(QStringLiteral("ccc"));
    clickThroughWindow(p.main->CodProt);
    QCOMPARE(p.main->RNA[1]->text(), QStringLiteral("ggg"));
    QVERIFY(p.form(names::mutazioni)->isEnabled());
    clickThroughWindow(p.table()->aminoacido[63]);
    QVERIFY(p.table()->aminoacido[63]->fontBold());
    p.table()->close();
    test::flushDeletes();
    QVERIFY(!p.tk.forms().isLoaded(names::Atab));
}

void TstInfoWindows::howToPlayLayout()
{
    Program p;
    QVERIFY(p.main);
    p.main->Info->trigger();
    auto* howTo = p.tk.forms().find<HowToPlayForm>(names::InformazsuVintalem);
    QVERIFY(howTo);
    QVERIFY(howTo->isVisible());
    QCOMPARE(howTo->windowTitle(), QStringLiteral("Come funziona il programma?"));
    QCOMPARE(howTo->client()->size(), QSize(5475 / 15, 5370 / 15));
    QCOMPARE(howTo->fnz->geometry(), twipsRect(0, 0, 5415, 5295));
    QVERIFY(!howTo->windowIcon().isNull());
}

void TstInfoWindows::howToPlayText()
{
    Program p;
    QVERIFY(p.main);
    p.main->Info->trigger();
    auto* howTo = p.tk.forms().find<HowToPlayForm>(names::InformazsuVintalem);
    QVERIFY(howTo);
    const QString text = howTo->fnz->text();
    QCOMPARE(text, expectedHowToPlay());

    QVERIFY(text.startsWith(QLatin1Char('\n')));
    QVERIFY(!text.startsWith(QStringLiteral("\n\n")));
    QVERIFY(!text.endsWith(QLatin1Char('\n')));
    QVERIFY(!text.contains(QLatin1Char('\r')));
    QVERIFY(text.contains(QStringLiteral("quell'aminoacido.\nBuon divertimento.\n\nAminoacido =")));
    QVERIFY(text.contains(QStringLiteral("da  triplette coificanti")));
    // Eight paragraphs after the opening empty line, each pair parted by one empty line but one.
    const QStringList lines = text.mid(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 16);
    for (int i = 0; i < lines.size(); ++i) {
        const bool emptyExpected = i % 2 == 1 && i < 7;
        const bool emptyAfterBuon = i > 7 && i % 2 == 0;
        QCOMPARE(lines[i].isEmpty(), emptyExpected || emptyAfterBuon);
    }
}

void TstInfoWindows::howToPlayLeavesOthersUsable()
{
    Program p;
    QVERIFY(p.main);
    p.codingRun();
    p.main->Info->trigger();
    QVERIFY(p.tk.forms().isVisible(names::InformazsuVintalem));
    for (const QString& name : {names::zuvo, names::mutazioni, names::Atab})
        QVERIFY2(p.form(name)->isEnabled(), qPrintable(name));
    clickThroughWindow(p.table()->aminoacido[58]);
    QVERIFY(p.table()->aminoacido[58]->fontBold());
}

void TstInfoWindows::underlinesUnderGlossaryTerms_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("term");
    QTest::newRow("Aminoacido") << 0 << "Aminoacido";
    QTest::newRow("Tripletta") << 1 << "Tripletta";
    QTest::newRow("Codice genetico") << 2 << "Codice genetico";
    QTest::newRow("Degenerazione") << 3 << "Degenerazione del codice genetico";
}

void TstInfoWindows::underlinesUnderGlossaryTerms()
{
    QFETCH(int, index);
    QFETCH(QString, term);
    Program p;
    QVERIFY(p.main);
    p.main->Info->trigger();
    auto* howTo = p.tk.forms().find<HowToPlayForm>(names::InformazsuVintalem);
    QVERIFY(howTo);
    Label* fnz = howTo->fnz;
    const QString text = fnz->text();
    const int at = text.indexOf(QLatin1Char('\n') + term + QStringLiteral(" =")) + 1;
    QVERIFY(at > 0);

    // Lay the text out as a word-wrapped plain label does, in its own width.
    QString laid = text;
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laid, fnz->font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(fnz->contentsRect().width());
        y = std::ceil(y);  // lines start on whole pixels
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    const QTextLine line = layout.lineForTextPosition(at);
    QVERIFY(line.isValid());
    QCOMPARE(line.textStart(), at);  // the term begins its line
    const qreal termWidth = line.cursorToX(at + term.size()) - line.cursorToX(at);
    const int lineTop = fnz->contentsRect().top() + int(std::floor(line.y()));
    const int lineBottom = fnz->contentsRect().top() + int(std::ceil(line.y() + line.height()));

    // Where the label really paints that line: the ink of the term's first letter.
    QImage textOnly(fnz->size(), QImage::Format_ARGB32);
    textOnly.fill(Qt::white);
    fnz->render(&textOnly, QPoint(), QRegion(), QWidget::DrawChildren);
    // The layout agrees with the label: ink exactly on the lines that hold text.
    const QRect inside = fnz->contentsRect();
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine l = layout.lineAt(i);
        const bool hasText = !laid.mid(l.textStart(), l.textLength()).trimmed().isEmpty();
        bool ink = false;
        const int top = inside.top() + int(l.y()) + 1, bottom = inside.top() + int(l.y() + l.height()) - 1;
        for (int row = top; row < bottom && !ink; ++row)
            for (int x = 0; x < textOnly.width() && !ink; ++x)
                ink = isInk(textOnly.pixel(x, row));
        QVERIFY2(ink == hasText, qPrintable(QStringLiteral("line %1 at %2: text %3, ink %4").arg(i).arg(l.y()).arg(hasText).arg(ink)));
    }
    const int firstLetter = int(std::ceil(line.cursorToX(at + 1) - line.cursorToX(at)));
    int inkTop = -1, inkBottom = -1;
    for (int row = lineTop; row < lineBottom && row < textOnly.height(); ++row)
        for (int x = 0; x < firstLetter; ++x)
            if (isInk(textOnly.pixel(x, row))) {
                if (inkTop < 0)
                    inkTop = row;
                inkBottom = row;
            }
    QVERIFY2(inkTop >= 0, "no ink where the term's line should be");
    const int baseline = fnz->contentsRect().top() + int(std::round(line.y() + line.ascent()));
    QVERIFY2(std::abs(inkBottom + 1 - baseline) <= 1,
             qPrintable(QStringLiteral("ink ends at %1, baseline %2").arg(inkBottom).arg(baseline)));

    // The underline in the label's coordinates.
    const QLineF underline = howTo->underlines()[index].translated(-fnz->pos());
    QCOMPARE(underline.y1(), underline.y2());
    QCOMPARE(underline.x1(), 0.0);
    QVERIFY2(std::abs(underline.length() - termWidth) <= 2,
             qPrintable(QStringLiteral("length %1, term %2").arg(underline.length()).arg(termWidth)));
    const int uy = int(underline.y1());
    QVERIFY2(uy > inkBottom && uy <= lineBottom + 1,
             qPrintable(QStringLiteral("underline at %1, text %2..%3, line ends %4")
                            .arg(uy)
                            .arg(inkTop)
                            .arg(inkBottom)
                            .arg(lineBottom)));

    // And it is drawn there.
    QImage window(howTo->client()->size(), QImage::Format_ARGB32);
    window.fill(Qt::white);
    howTo->client()->render(&window, QPoint(), QRegion(), QWidget::DrawChildren);
    const int drawnY = uy + fnz->y();
    int dark = 0;
    const int length = int(termWidth);
    for (int x = fnz->x() + 1; x < fnz->x() + length - 1; ++x)
        dark += isInk(window.pixel(x, drawnY)) ? 1 : 0;
    QVERIFY2(dark >= (length - 2) * 9 / 10, qPrintable(QStringLiteral("%1 of %2 dark").arg(dark).arg(length - 2)));
}

QTEST_MAIN(TstInfoWindows)
#include "tst_info_windows.moc"
