#include "tests/support/game.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/twips.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <map>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

using test::kAllForms;
const QStringList kUnloadOrder{names::mutazioni, names::zuvo, names::Information, names::InformazsuVintalem,
                               names::Atab};

QString joinedCodons(const MainForm& main)
{
    QString all;
    for (const TextBox* box : main.nt)
        all += box->text();
    return all;
}

// Changes codon 1 of the designed strand from Arg to Trp, then presses "Codifica proteina".
void codingRunWithOneChange(MainForm& main)
{
    main.nt[1]->setText(QStringLiteral("acc"));
    QTest::mouseClick(main.CodProt, Qt::LeftButton);
}

bool anyCellBold(const CodonTableForm& table, const QString& code)
{
    for (const Label* cell : table.aminoacido)
        if (cell->text() == code && cell->fontBold())
            return true;
    return false;
}

}  // namespace

class TstMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void windowCaptionAndFixedClientArea();
    void controlsAtTwipPositions_data();
    void controlsAtTwipPositions();
    void captions_data();
    void captions();
    void rowCaptionsAreBold();
    void menus();
    void reportLabelsHiddenAtStart();
    void formLoadOpensCodonTableAndDrawsSequence();
    void rnaBoxesAreReadOnlyAndOutOfTheTabChain();
    void changeSequenceAfterCodingRunResetsRows();
    void tableMenuBringsOpenTableToFront();
    void tableMenuReopensClosedTableAfresh();
    void informationMenusOpenOneInstanceEach();
    void closingAnotherWindowUnloadsOnlyThatWindow();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();
};

void TstMainWindow::initTestCase()
{
    // As in the program: the registry, not the last visible window, ends it.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TstMainWindow::cleanup() { test::flushDeletes(); }

void TstMainWindow::windowCaptionAndFixedClientArea()
{
    test::Game g;
    auto& [tk, main] = g;
    QVERIFY(main);
    QCOMPARE(main->windowTitle(), QStringLiteral("Vintalem"));
    QCOMPARE(main->client()->size(), QSize(698, 359));
    QCOMPARE(main->client()->minimumSize(), QSize(698, 359));
    QCOMPARE(main->client()->maximumSize(), QSize(698, 359));
    QVERIFY(!main->windowIcon().isNull());
}

void TstMainWindow::controlsAtTwipPositions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("twips");  // left, top, width, height

    const QString client = QStringLiteral("client");
    const QString legend = QStringLiteral("legend");
    auto row = [](const QString& name, const QString& parent, QRect twips) {
        QTest::newRow(qPrintable(name)) << name << parent << twips;
    };
    row("Label3", client, {840, 0, 9495, 495});
    row("DNA3", client, {120, 600, 615, 255});
    row("ChnSeq", client, {8880, 480, 1455, 375});
    row("Label1", client, {120, 1080, 615, 255});
    row("CodProt", client, {8880, 1080, 1455, 375});
    row("Label13", client, {120, 1560, 735, 255});
    row("Label15", client, {840, 2280, 2415, 495});
    row("Label14", client, {3360, 2400, 2535, 375});
    row("legend", client, {720, 3720, 9615, 1575});
    for (int i = 0; i < MainForm::kSlots; ++i) {
        const int left = 840 + 360 * i;
        row(QStringLiteral("nt(%1)").arg(i), client, {left, 600, 375, 285});
        row(QStringLiteral("RNA(%1)").arg(i), client, {left, 1080, 375, 285});
        row(QStringLiteral("AA(%1)").arg(i), client, {left, 1560, 375, 375});
        row(QStringLiteral("naame(%1)").arg(i), client, {left, 2040, 375, 255});
        row(QStringLiteral("OldAA(%1)").arg(i), client, {left, 2760, 375, 375});
        row(QStringLiteral("OldAaName(%1)").arg(i), client, {left, 3240, 375, 255});
    }
    row("Shape1", legend, {120, 240, 255, 255});
    row("Label8", legend, {480, 240, 855, 255});
    row("Shape2", legend, {1440, 240, 255, 255});
    row("Label7", legend, {1800, 240, 735, 255});
    row("Shape6", legend, {2640, 240, 255, 255});
    row("Label9", legend, {3000, 240, 735, 255});
    row("Shape7", legend, {3840, 240, 200, 200});
    row("Label10", legend, {4200, 240, 735, 255});
    row("Shape8", legend, {5040, 240, 135, 135});
    row("Label11", legend, {5280, 240, 735, 255});
    row("Shape3", legend, {6120, 240, 255, 255});
    row("Label5", legend, {6480, 240, 735, 255});
    row("Shape4", legend, {7320, 240, 255, 255});
    row("Label4", legend, {7680, 240, 615, 255});
    row("Shape5", legend, {8400, 240, 255, 255});
    row("Label6", legend, {8760, 240, 735, 255});
    row("Label12", legend, {8280, 0, 1215, 255});
    row("Label2", legend, {120, 600, 9375, 855});
}

void TstMainWindow::controlsAtTwipPositions()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, twips);

    test::Game g;
    auto& [tk, main] = g;
    const QList<QWidget*> found = main->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* control = found.first();
    QVERIFY(control->parentWidget());
    QCOMPARE(control->parentWidget()->objectName(), parent);
    if (parent == QStringLiteral("client"))
        QCOMPARE(control->parentWidget(), main->client());
    QCOMPARE(control->geometry(), twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));

    // Nothing moves after a coding run and a new sequence either.
    codingRunWithOneChange(*main);
    QTest::mouseClick(main->ChnSeq, Qt::LeftButton);
    QCOMPARE(control->geometry(), twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
}

void TstMainWindow::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    auto row = [](const char* name, const QString& caption) { QTest::newRow(name) << QString::fromLatin1(name) << caption; };
    row("Label3", QStringLiteral("Con questo gioco potrai vedere gli effetti che avranno sulla proteina le modifiche "
                                 "effettuate sul DNA da cui la proteina è codificata. Ma attenzione! Ricordati che, "
                                 "per poter essere letto, il DNA deve avere tre basi per ogni codone!"));
    row("DNA3", QStringLiteral("DNA"));
    row("Label1", QStringLiteral("RNA"));
    row("Label13", QStringLiteral("Proteina"));
    row("ChnSeq", QStringLiteral("Cambia sequenza"));
    row("CodProt", QStringLiteral("Codifica proteina"));
    row("Label15", QStringLiteral("Le mutazioni che hai fatto non cambiano gli aminoacidi codificati"));
    row("Label14", QStringLiteral("Questi sono gli aminoacidi sostituiti:"));
    row("legend", QStringLiteral("Legenda"));
    row("Label8", QStringLiteral("aa apolare"));
    row("Label7", QStringLiteral("aa polare"));
    row("Label9", QStringLiteral("aa grande"));
    row("Label10", QStringLiteral("aa medio"));
    row("Label11", QStringLiteral("aa piccolo"));
    row("Label5", QStringLiteral("aa basico"));
    row("Label4", QStringLiteral("aa acido"));
    row("Label6", QStringLiteral("aa neutro"));
    row("Label12", QStringLiteral("aa = aminoacido"));
    row("Label2",
        QStringLiteral("Un aminoacido può avere diverse caratteristiche: può essere polare o apolare (avere cioè più "
                       "o meno affinità per l'acqua), avere dimensioni differenti, essere acido, neutro o basico "
                       "(possedere, cioè, delle cariche sulla sua superficie). Tutto ciò determina in maniera "
                       "significativa le funzionalità finali della proteina a cui appartiene. Cambiando all'interno "
                       "della proteina un singolo aminoacido con caratteristiche differenti possiamo ottenere una "
                       "proteina con una funzionalità leggermente o completamente diversa."));
}

void TstMainWindow::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);

    test::Game g;
    auto& [tk, main] = g;
    QWidget* control = main->findChild<QWidget*>(name);
    QVERIFY(control);
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), caption);
    else if (auto* button = qobject_cast<QPushButton*>(control))
        QCOMPARE(button->text(), caption);
    else if (auto* frame = qobject_cast<Frame*>(control))
        QCOMPARE(frame->caption(), caption);
    else
        QFAIL("no caption on this kind of control");
}

void TstMainWindow::rowCaptionsAreBold()
{
    test::Game g;
    auto& [tk, main] = g;
    const QFont regular = main->Label3->font();
    QVERIFY(!regular.bold());
    for (Label* caption : {main->DNA3, main->Label1, main->Label13}) {
        const QFont f = caption->font();
        QCOMPARE(f.weight(), QFont::Bold);
        QCOMPARE(int(f.weight()), 700);
        QVERIFY(!f.italic());
        QVERIFY(!f.underline());
        QVERIFY(!f.strikeOut());
        // Only the weight differs from the window's own font.
        QCOMPARE(f.family(), regular.family());
        QCOMPARE(f.pointSizeF(), regular.pointSizeF());
        QCOMPARE(f.pixelSize(), regular.pixelSize());
    }
    for (const char* name : {"Label14", "Label15", "Label2", "Label8", "Label12", "naame(0)", "OldAaName(0)"}) {
        auto* label = main->findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY2(label, name);
        QVERIFY2(!label->font().bold(), name);
    }
}

void TstMainWindow::menus()
{
    test::Game g;
    auto& [tk, main] = g;
    QMenuBar* bar = main->findChild<QMenuBar*>();
    QVERIFY(bar);
    const QList<QAction*> titles = bar->actions();
    QCOMPARE(titles.size(), 2);
    QCOMPARE(titles[0]->text(), QStringLiteral("&File"));
    QCOMPARE(titles[1]->text(), QStringLiteral("&?"));

    QMenu* file = titles[0]->menu();
    QVERIFY(file);
    const QList<QAction*> fileItems = file->actions();
    QCOMPARE(fileItems.size(), 3);
    QCOMPARE(fileItems[0]->text(), QStringLiteral("&Tabella degli Aminoacidi"));
    QVERIFY(!fileItems[0]->isSeparator());
    QVERIFY(fileItems[1]->isSeparator());
    QCOMPARE(fileItems[2]->text(), QStringLiteral("&Esci"));
    QCOMPARE(fileItems[0], main->Atabella);
    QCOMPARE(fileItems[2], main->mnuExit);

    QMenu* help = titles[1]->menu();
    QVERIFY(help);
    const QList<QAction*> helpItems = help->actions();
    QCOMPARE(helpItems.size(), 2);
    QCOMPARE(helpItems[0]->text(), QStringLiteral("&Info su Vintalem"));
    QCOMPARE(helpItems[1]->text(), QStringLiteral("&Come si gioca?"));
    QCOMPARE(helpItems[0], main->mnuInformations);
    QCOMPARE(helpItems[1], main->Info);
    for (QAction* item : fileItems + helpItems)
        QVERIFY(item->isEnabled());
}

void TstMainWindow::reportLabelsHiddenAtStart()
{
    test::Game g;
    auto& [tk, main] = g;
    QVERIFY(main->isVisible());
    QVERIFY(main->Label3->isVisible());
    QVERIFY(!main->Label14->isVisible());
    QVERIFY(!main->Label15->isVisible());
}

void TstMainWindow::formLoadOpensCodonTableAndDrawsSequence()
{
    test::TestToolkit tk;
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    QVERIFY(main);
    // Loading runs Form_Load; showing the main window is the start-up's next step.
    QVERIFY(!main->isVisible());
    QVERIFY(tk.forms().isLoaded(names::Atab));
    QVERIFY(tk.forms().isVisible(names::Atab));
    QCOMPARE(tk.forms().loadedCount(), 2);
    QVERIFY(!tk.forms().isLoaded(names::mutazioni));
    QVERIFY(tk.messages->shown.empty());

    const QString reference = QString::fromStdString(main->referenceSequence());
    QCOMPARE(reference.size(), 60);
    QCOMPARE(joinedCodons(*main), reference);
    for (int i = 0; i < MainForm::kSlots; ++i) {
        const TextBox* box = main->nt[i];
        QCOMPARE(box->text().size(), 3);
        for (QChar base : box->text())
            QVERIFY2(QStringLiteral("acgt").contains(base), qPrintable(box->text()));
        QCOMPARE(box->foreColor(), QColor(0, 0, 0));
        QCOMPARE(main->RNA[i]->text(), QString());
        QVERIFY(main->AA[i]->isEmpty());
        QCOMPARE(main->AA[i]->toolTip(), QString());
        QCOMPARE(main->naame[i]->text(), QString());
        QVERIFY(main->OldAA[i]->isEmpty());
        QCOMPARE(main->OldAA[i]->toolTip(), QString());
        QCOMPARE(main->OldAaName[i]->text(), QString());
    }
    QVERIFY(reference.startsWith(QStringLiteral("tac")));
    QVERIFY(main->Label14->isHidden());
    QVERIFY(main->Label15->isHidden());

    main->show();
    QVERIFY(main->isVisible());
    QVERIFY(tk.forms().isVisible(names::Atab));
}

void TstMainWindow::rnaBoxesAreReadOnlyAndOutOfTheTabChain()
{
    test::Game g;
    auto& [tk, main] = g;
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));

    for (QLineEdit* rna : main->RNA) {
        QVERIFY(rna->isReadOnly());
        QVERIFY(!(rna->focusPolicy() & Qt::TabFocus));
    }
    // A coding run fills the row; typing into it still changes nothing.
    codingRunWithOneChange(*main);
    const QString before = main->RNA[2]->text();
    QCOMPARE(before.size(), 3);
    QTest::keyClicks(main->RNA[2], QStringLiteral("acgu"));
    QTest::keyClick(main->RNA[2], Qt::Key_Backspace);
    QCOMPARE(main->RNA[2]->text(), before);

    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    main->nt[0]->setFocus(Qt::OtherFocusReason);
    QCOMPARE(QApplication::focusWidget(), main->nt[0]);
    QList<QWidget*> visited;
    for (int step = 0; step < 2 * MainForm::kSlots + 4; ++step) {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        QTest::keyClick(focused, Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    for (int i = 1; i < MainForm::kSlots; ++i)
        QCOMPARE(visited[i - 1], main->nt[i]);
    QCOMPARE(visited[MainForm::kSlots - 1], main->ChnSeq);
    QCOMPARE(visited[MainForm::kSlots], main->CodProt);
    for (QWidget* w : visited)
        for (QLineEdit* rna : main->RNA)
            QVERIFY2(w != rna, qPrintable(rna->objectName()));
    // The Tab chain comes round to the first codon box again.
    QVERIFY(visited.contains(main->nt[0]));
}

void TstMainWindow::changeSequenceAfterCodingRunResetsRows()
{
    test::Game g;
    auto& [tk, main] = g;
    codingRunWithOneChange(*main);
    QVERIFY(tk.messages->shown.empty());

    // The run-like state: every row below the codons holds something.
    QVERIFY(main->Label14->isVisible());
    QCOMPARE(main->RNA[0]->text(), QStringLiteral("aug"));
    QVERIFY(!main->AA[0]->isEmpty());
    QCOMPARE(main->naame[0]->text(), QStringLiteral("Met"));
    QVERIFY(!main->AA[1]->toolTip().isEmpty());
    QVERIFY(!main->OldAA[1]->isEmpty());
    QVERIFY(!main->OldAA[1]->toolTip().isEmpty());
    QVERIFY(!main->OldAaName[1]->text().isEmpty());
    QCOMPARE(main->naame[19]->text(), QStringLiteral("Stop"));
    QCOMPARE(main->AA[19]->toolTip(), QStringLiteral("STOP"));
    QVERIFY(tk.forms().isVisible(names::mutazioni));
    QPointer<Form> explanation = tk.forms().find(names::mutazioni);

    const std::string oldReference = main->referenceSequence();
    QTest::mouseClick(main->ChnSeq, Qt::LeftButton);

    QVERIFY(main->Label14->isHidden());
    for (int i = 0; i < MainForm::kSlots; ++i) {
        QCOMPARE(main->RNA[i]->text(), QString());
        QVERIFY(main->AA[i]->isEmpty());
        QCOMPARE(main->AA[i]->toolTip(), QString());
        QCOMPARE(main->naame[i]->text(), QString());
        QVERIFY(main->OldAA[i]->isEmpty());
        QCOMPARE(main->OldAA[i]->toolTip(), QString());
        QCOMPARE(main->OldAaName[i]->text(), QString());
        QCOMPARE(main->nt[i]->text().size(), 3);
        QCOMPARE(main->nt[i]->foreColor(), QColor(0, 0, 0));
    }
    QCOMPARE(main->referenceSequence().size(), std::size_t(60));
    QVERIFY(main->referenceSequence() != oldReference);
    QCOMPARE(joinedCodons(*main), QString::fromStdString(main->referenceSequence()));
    // Other windows are left as they are.
    QCOMPARE(tk.forms().find(names::mutazioni), explanation.data());
    QVERIFY(explanation->isVisible());
    QVERIFY(tk.forms().isVisible(names::Atab));
}

void TstMainWindow::tableMenuBringsOpenTableToFront()
{
    test::Game g;
    auto& [tk, main] = g;
    QPointer<Form> table = tk.forms().find(names::Atab);
    QVERIFY(table && table->isVisible());
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    const int loaded = tk.forms().loadedCount();

    main->Atabella->trigger();
    QCOMPARE(tk.forms().find(names::Atab), table.data());
    QCOMPARE(tk.forms().loadedCount(), loaded);
    QVERIFY(QTest::qWaitForWindowActive(table));
    int tables = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        tables += qobject_cast<CodonTableForm*>(w) != nullptr;
    QCOMPARE(tables, 1);
}

void TstMainWindow::tableMenuReopensClosedTableAfresh()
{
    test::Game g;
    auto& [tk, main] = g;
    QPointer<CodonTableForm> table = tk.forms().find<CodonTableForm>(names::Atab);
    QVERIFY(table);
    table->Which(QStringLiteral("Met"), Coming::FromMainWindow);
    QVERIFY(anyCellBold(*table, QStringLiteral("Met")));

    table->close();  // the user's close box
    QVERIFY(!tk.forms().isLoaded(names::Atab));
    test::flushDeletes();
    QVERIFY(!table);

    main->Atabella->trigger();
    auto* reopened = tk.forms().find<CodonTableForm>(names::Atab);
    QVERIFY(reopened);
    QVERIFY(reopened->isVisible());
    QVERIFY(!anyCellBold(*reopened, QStringLiteral("Met")));
    QCOMPARE(reopened->AaList->count(), 21);
}

void TstMainWindow::informationMenusOpenOneInstanceEach()
{
    test::Game g;
    auto& [tk, main] = g;
    const int loaded = tk.forms().loadedCount();

    main->Info->trigger();
    QPointer<Form> howTo = tk.forms().find(names::InformazsuVintalem);
    QVERIFY(howTo && howTo->isVisible());
    QCOMPARE(howTo->windowTitle(), QStringLiteral("Come funziona il programma?"));
    main->Info->trigger();
    QCOMPARE(tk.forms().find(names::InformazsuVintalem), howTo.data());
    QCOMPARE(tk.forms().loadedCount(), loaded + 1);

    main->mnuInformations->trigger();
    QPointer<Form> about = tk.forms().find(names::Information);
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("Informazioni sul programma"));
    main->mnuInformations->trigger();
    QCOMPARE(tk.forms().find(names::Information), about.data());
    QCOMPARE(tk.forms().loadedCount(), loaded + 2);
}

void TstMainWindow::closingAnotherWindowUnloadsOnlyThatWindow()
{
    test::Game g;
    auto& [tk, main] = g;
    main->Info->trigger();
    QSignalSpy unloaded(&tk.forms(), &FormRegistry::formUnloaded);
    QSignalSpy ended(&tk.forms(), &FormRegistry::lastFormUnloaded);

    tk.forms().find(names::InformazsuVintalem)->close();
    tk.forms().find(names::Atab)->close();
    QCOMPARE(unloaded.count(), 2);
    QCOMPARE(ended.count(), 0);
    QCOMPARE(tk.forms().loadedCount(), 1);
    QCOMPARE(tk.forms().find(names::zuvo), main);
    QVERIFY(main->isVisible());
}

void TstMainWindow::closingEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("withAbout");
    QTest::newRow("close box") << QStringLiteral("close") << false;
    QTest::newRow("Esci") << QStringLiteral("exit") << false;
    QTest::newRow("Esci with about open") << QStringLiteral("exit") << true;
    QTest::newRow("unload with about open") << QStringLiteral("unload") << true;
}

void TstMainWindow::closingEndsTheProgram()
{
    QFETCH(QString, how);
    QFETCH(bool, withAbout);

    test::Game g;
    auto& [tk, main] = g;
    codingRunWithOneChange(*main);  // opens the explanation window
    main->Info->trigger();
    if (withAbout)
        tk.forms().show(names::Information);

    std::map<QString, QPointer<Form>> windows;
    QStringList expectedOrder;
    for (const QString& name : kUnloadOrder) {
        if (Form* form = tk.forms().find(name)) {
            QVERIFY2(form->isVisible(), qPrintable(name));
            windows[name] = form;
            expectedOrder << name;
        }
    }
    QCOMPARE(expectedOrder.size(), withAbout ? 5 : 4);

    QSignalSpy unloaded(&tk.forms(), &FormRegistry::formUnloaded);
    QSignalSpy ended(&tk.forms(), &FormRegistry::lastFormUnloaded);
    if (how == QStringLiteral("close"))
        main->close();
    else if (how == QStringLiteral("exit"))
        main->mnuExit->trigger();
    else
        tk.forms().unload(names::zuvo, FormControlMenu);

    QCOMPARE(tk.forms().loadedCount(), 0);
    QCOMPARE(ended.count(), 1);
    QVERIFY(tk.forms().ended());
    QStringList order;
    for (const QList<QVariant>& args : unloaded)
        order << args.at(0).toString();
    QCOMPARE(order, expectedOrder);
    for (const auto& [name, form] : windows) {
        QVERIFY2(form, qPrintable(name));
        QVERIFY2(!form->isVisible(), qPrintable(name));
    }

    test::flushDeletes();
    for (const auto& [name, form] : windows)
        QVERIFY2(!form, qPrintable(name));
    for (const QString& name : kAllForms)
        QCOMPARE(tk.forms().load(name), nullptr);
    QCOMPARE(tk.forms().loadedCount(), 0);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(unloaded.count(), expectedOrder.size());
    QVERIFY(!test::anyFormLeft());
}

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
