#include "core/coding_run.h"
#include "core/codon_table.h"
#include "tests/support/game.h"
#include "tests/support/slots.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/main/mutation_form.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

using test::empties;
using test::Game;
using test::kDesigned;
using test::kDesignedCodes;

using test::slotTexts;
using test::withSlots;

struct Paragraph {
    const char* text;
    int tabsAfter;
};
const Paragraph kExplanation[] = {
    {"La mutazione è un'alterazione ereditabile nella sequenza delle basi del DNA.", 5},
    {"Può essere indotta da vari agenti fisici (radiazioni, temperature elevate) e chimici (farmaci, sostanze "
     "tossiche).",
     2},
    {"Talvolta non ha effetti visibili mentre nella maggior parte dei casi le mutazioni provocano delle "
     "alterazioni tali da non essere compatibili con la vita.",
     4},
    {"In rari casi, però, la mutazione nel DNA può riflettersi nella produzione di proteine più efficienti e che "
     "quindi conferiscono un vantaggio selettivo alla cellula che le produce, che dopo un certo numero di "
     "divisioni rimpiazza il tipo cellulare parentale.",
     5},
    {"Questo vantaggio è in realtà strettamente dipendente dall'ambiente in cui si trova la cellula, in cui "
     "devono trovarsi dei fattori che favoriscono la vita delle cellule e degli organismi che portano la "
     "mutazione, altrimenti questa verrà persa nelle generazioni successive.",
     3},
    {"Per esempio in presenza di antibiotici specifici i batteri normalmente muoiono, ma in alcuni casi, molto "
     "rari, nel DNA di uno dei batteri può verificarsi una mutazione che lo rende resistente alla mutazione, per "
     "esempio modificando il bersaglio dell'antibiotico in modo che non possa più essere riconosciuto da questo.",
     5},
    {"L'antibiotico somministrato dall'esterno permetterà solo ai batteri che presentano una mutazione di "
     "moltiplicarsi, in quanto gli altri non saranno in grado di sopravvivere. In questo modo l'antibiotico "
     "opera una selezione, che non avverrebbe in sua assenza.",
     5},
    {"Quindi l'acquisizione di un carattere genetico particolare, come la resistenza ad un antibiotico, deriva "
     "da una parte da un evento casuale, l'insorgenza di una mutazione che conferisce delle caratteristiche "
     "positive per la sopravvivenza, e dall'altra dalla presenza nell'ambiente di un agente selezionante.",
     5},
    {"La mutazione può insorgere anche in assenza di un agente selezionante, ma in questo caso gli individui "
     "portatori non otterranno nessun vantaggio selettivo e non si moltiplicheranno in maniera predominante, "
     "anzi potrebbero avere addirittura uno svantaggio selettivo.",
     3},
    {"Per esempio la presenza della mutazione che causa la talassemia o malattia mediterranea conferisce una "
     "resistenza alla malaria.",
     5},
    {"Pertanto gli individui portatori della malattia, che possiedono pertanto sia il gene che codifica per una "
     "proteina mutata che quello che codifica per la proteina funzionante e quindi non presentano la malattia ma "
     "sono in grado di trasmetterla ai figli, in passato hanno avuto un vantaggio selettivo nei luoghi in cui era "
     "diffusa la malaria, portando all'attuale elevata diffusione di questo tratto genetico nella popolazione "
     "italiana.",
     5},
    {"In assenza dell'agente di questa malattia questi individui vanno incontro ad uno svantaggio riproduttivo, "
     "perché possono dar luogo a bambini affetti dalla malattia, cioè che producono solo la proteina difettiva, "
     "pertanto il numero degli individui con questa mutazione nella popolazione italiana è in diminuzione.",
     9},
};

// Everything before the source line, whose author names are the program's own.
QString explanationBody()
{
    QString text(QLatin1Char('\t'));
    for (const Paragraph& p : kExplanation)
        text += QString::fromUtf8(p.text) + QString(p.tabsAfter, QLatin1Char('\t'));
    return text;
}

// The whole text of the explanation window, from the first tab to the source line.
void verifyExplanation(const QString& text)
{
    QVERIFY(text.startsWith(QLatin1Char('\t')));
    QVERIFY(!text.startsWith(QStringLiteral("\t\t")));
    QVERIFY(text.startsWith(explanationBody()));
    const QString source = text.mid(explanationBody().size());
    QVERIFY2(source.startsWith(QStringLiteral("Fonte: ")), qPrintable(source));
    QVERIFY(source.size() > 7);
    QVERIFY(!source.contains(QLatin1Char('\t')));
    QVERIFY(!text.contains(QLatin1Char('\n')));
    QVERIFY(!text.contains(QLatin1Char('\r')));
}

#define VERIFY_EXPLANATION(text)        \
    do {                                \
        verifyExplanation(text);        \
        if (QTest::currentTestFailed()) \
            return;                     \
    } while (false)

using test::kLengthMessage;
using test::kStopMessage;
using test::kTitle;

// Glyphs and tooltips agree with the captions of both rows.
void verifyGlyphsMatchCaptions(const MainForm* main)
{
    for (int i = 0; i < MainForm::kSlots; ++i) {
        const QString code = main->naame[i]->text();
        const QString old = main->OldAaName[i]->text();
        if (code.isEmpty()) {
            QVERIFY2(main->AA[i]->isEmpty(), qPrintable(QStringLiteral("new slot %1").arg(i)));
            QCOMPARE(main->AA[i]->toolTip(), QString());
        } else if (code == QLatin1String("Stop")) {
            QCOMPARE(main->AA[i]->toolTip(), QStringLiteral("STOP"));
            QVERIFY(main->AA[i]->isEmpty());
        } else {
            QCOMPARE(main->AA[i]->toolTip(), test::nameOf(code));
            QVERIFY(!main->AA[i]->isEmpty());
        }
        if (old.isEmpty()) {
            QVERIFY2(main->OldAA[i]->isEmpty(), qPrintable(QStringLiteral("previous slot %1").arg(i)));
            QCOMPARE(main->OldAA[i]->toolTip(), QString());
        } else if (old == QLatin1String("Stop")) {
            QCOMPARE(main->OldAA[i]->toolTip(), QStringLiteral("STOP"));
        } else {
            QCOMPARE(main->OldAA[i]->toolTip(), test::nameOf(old));
            QVERIFY(!main->OldAA[i]->isEmpty());
        }
    }
}

#define VERIFY_GLYPHS(main)                   \
    do {                                      \
        verifyGlyphsMatchCaptions(main);      \
        if (QTest::currentTestFailed())       \
            return;                           \
    } while (false)

// Counts what would bring a window up or forward.
class RaiseCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::ZOrderChange
            || event->type() == QEvent::WindowActivate)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

using test::renderAt;

}  // namespace

class TstCodingRunWindow : public QObject {
    Q_OBJECT
private slots:
    void designedStrandIsInstalled();
    void freshSequenceWithoutEdits();
    void lengthCheck_data();
    void lengthCheck();
    void scenario_data();
    void scenario();
    void noStopCodonWarnsBeforeTranslating();
    void silentPressDuringNoteExtendsIt();
    void replacingPressHidesNoteAtOnce();
    void changedBackCountsAsUnchanged();
    void explanationWindowLifecycle();
    void twoPressesGiveSameWindow_data();
    void twoPressesGiveSameWindow();
    void repeatedPressKeepsPreviousGlyphs_data();
    void repeatedPressKeepsPreviousGlyphs();
    void exitDuringNote();
    void closeWhileStopMessageIsUp_data();
    void closeWhileStopMessageIsUp();
    void realMessageBox_data();
    void realMessageBox();
};

void TstCodingRunWindow::designedStrandIsInstalled()
{
    Game g;
    QVERIFY(g.main);
    QVERIFY(g.designedInstalled());
    for (int i = 0; i < MainForm::kSlots; ++i)
        QCOMPARE(g.main->nt[i]->text(), QString::fromLatin1(kDesigned[i]));
    g.press();
    QCOMPARE(g.rna(), QStringList({"aug", "cga", "ggc", "uuu", "acg", "gca", "ccu", "aaa", "guc", "cag",
                                   "ugg", "agu", "ucc", "gaa", "cug", "gua", "aau", "ccg", "uac", "uaa"}));
}

void TstCodingRunWindow::freshSequenceWithoutEdits()
{
    Game g(test::Strand::Drawn);
    QVERIFY(g.main);
    QVERIFY(!g.explanation());
    g.press();

    QVERIFY(g.tk.messages->shown.empty());
    const QStringList rna = g.rna();
    QCOMPARE(rna[0], QStringLiteral("aug"));
    QVERIFY2(isStopCodon(rna[19].toStdString()), qPrintable(rna[19]));
    QCOMPARE(rna, g.transcribedBoxes());
    const QStringList codes = g.newCodes();
    QCOMPARE(codes[0], QStringLiteral("Met"));
    QCOMPARE(codes[19], QStringLiteral("Stop"));
    for (int i = 0; i < 19; ++i) {
        QVERIFY2(!codes[i].isEmpty() && codes[i] != QLatin1String("Stop"), qPrintable(QString::number(i)));
        QCOMPARE(codes[i], test::codeOfRna(rna[i]));
    }
    QCOMPARE(g.oldCodes(), empties(20));
    VERIFY_GLYPHS(g.main);
    QVERIFY(!g.main->Label14->isVisible());
    QVERIFY(!g.main->Label15->isVisible());
    QVERIFY(!g.main->silentMutation());

    MutationForm* m = g.explanation();
    QVERIFY(m);
    QVERIFY(m->isVisible());
    VERIFY_EXPLANATION(m->explanation->toPlainText());
}

void TstCodingRunWindow::lengthCheck_data()
{
    QTest::addColumn<QList<int>>("boxes");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("runBefore");
    QTest::newRow("two letters in slot 7") << QList<int>{7} << QStringList{"ac"} << true;
    QTest::newRow("slot 0 empty") << QList<int>{0} << QStringList{""} << true;
    QTest::newRow("one letter in slot 19") << QList<int>{19} << QStringList{"g"} << true;
    QTest::newRow("two short boxes, one message") << QList<int>{3, 12} << QStringList{"a", "tg"} << true;
    QTest::newRow("before any run, opens nothing") << QList<int>{11} << QStringList{"tc"} << false;
}

void TstCodingRunWindow::lengthCheck()
{
    QFETCH(QList<int>, boxes);
    QFETCH(QStringList, texts);
    QFETCH(bool, runBefore);
    Game g;
    QVERIFY(g.designedInstalled());
    if (runBefore) {
        // A previous run leaves something in every part of the window.
        g.set(3, "aca");
        g.press();
        QCOMPARE(g.tk.messages->shown.size(), std::size_t(0));
        QVERIFY(g.main->Label14->isVisible());
    }
    for (int k = 0; k < boxes.size(); ++k)
        g.set(boxes[k], texts[k]);
    const test::Screen before = g.screen();
    QCOMPARE(before.explanationVisible, runBefore);
    g.press();

    QCOMPARE(g.tk.messages->shown.size(), std::size_t(1));
    QCOMPARE(g.tk.messages->shown[0].prompt, kLengthMessage);
    QCOMPARE(g.tk.messages->shown[0].title, kTitle);
    VERIFY_SAME(before, g.screen());
}

void TstCodingRunWindow::scenario_data()
{
    QTest::addColumn<QString>("edits");
    QTest::addColumn<bool>("runFirst");   // the new row is full before the change
    QTest::addColumn<QString>("rna");     // RNA of some slots, worked out by hand
    QTest::addColumn<QString>("fresh");   // the new row: the designed strand's codes but for these
    QTest::addColumn<QString>("previous");  // the previous row: empty but for these
    QTest::addColumn<bool>("stopWarning");
    QTest::addColumn<bool>("silent");
    QTest::newRow("no edits") << "" << false << "" << "" << "" << false << false;
    QTest::newRow("gct is Arg") << "5=gct" << false << "5=cga" << "5=Arg" << "5=Ala" << false << false;
    QTest::newRow("tac in slot 7 is Met") << "7=tac" << false << "7=aug" << "7=Met" << "7=Lys" << false << false;
    QTest::newRow("ggg is Pro") << "10=ggg" << false << "10=ccc" << "10=Pro" << "10=Trp" << false << false;
    QTest::newRow("tca is Ser, in slot 12 too") << "12=tca" << false << "12=agu" << "" << "12=Ser" << false << true;
    QTest::newRow("start codon changed") << "0=tat" << true << "0=aua" << "0/" << "0=Met" << false << false;
    QTest::newRow("no stop and no start") << "0=ggg 19=ggg" << false << "" << "0/" << "0=Met" << true << false;
    QTest::newRow("stop typed into slot 5") << "5=act" << true << "5=uga" << "5=Stop 6/" << "5=Ala" << false
                                            << false;
    // Slot 9 changed too, but its new slot is empty.
    QTest::newRow("two stops end at the first") << "3=atc 9=att" << false << "" << "3=Stop 4/" << "3=Phe" << false
                                                << false;
    QTest::newRow("stop in slot 5 empties later previous slots")
        << "10=acg 5=atc" << false << "" << "5=Stop 6/" << "5=Ala" << false << false;
    // Decodes to nothing; translation goes on, and the report tidies the changed slot away.
    QTest::newRow("foreign character dropped") << "4=gxc" << false << "4=cg" << "4=" << "" << false << false;
    // One character of two bytes: still three characters, and a change.
    QTest::newRow("foreign character counts as change") << "0=tàc" << false << "0=ag" << "0/" << "0=Met" << false
                                                        << false;
    QTest::newRow("gct to gcc, both Arg") << "1=gcc" << false << "" << "" << "1=Arg" << false << true;
    QTest::newRow("third base of an Ala codon") << "5=cga" << false << "" << "" << "5=Ala" << false << true;
    QTest::newRow("third base of a Gly codon") << "2=cct" << false << "" << "" << "2=Gly" << false << true;
    QTest::newRow("stop template for another") << "19=act" << false << "" << "" << "19=Stop" << false << true;
    QTest::newRow("stop template for the third") << "19=atc" << false << "" << "" << "19=Stop" << false << true;
    QTest::newRow("silent first, then replacing") << "2=cca 15=aat" << false << "" << "15=Leu" << "2=Gly 15=Val"
                                                  << false << false;
    QTest::newRow("replacing first, then silent") << "17=gga 3=aca" << false << "" << "3=Cys" << "17=Pro 3=Phe"
                                                  << false << false;
}

void TstCodingRunWindow::scenario()
{
    QFETCH(QString, edits);
    QFETCH(bool, runFirst);
    QFETCH(QString, rna);
    QFETCH(QString, fresh);
    QFETCH(QString, previous);
    QFETCH(bool, stopWarning);
    QFETCH(bool, silent);
    Game g;
    QVERIFY(g.designedInstalled());
    if (runFirst) {
        g.press();
        QCOMPARE(g.newCodes(), kDesignedCodes);
    }
    for (const auto& [slot, text] : slotTexts(edits))
        g.set(slot, text);
    g.press();

    QCOMPARE(g.rna(), g.transcribedBoxes());
    for (const auto& [slot, text] : slotTexts(rna))
        QCOMPARE(g.main->RNA[slot]->text(), text);
    const QStringList old = withSlots(empties(), previous);
    QCOMPARE(g.newCodes(), withSlots(kDesignedCodes, fresh));
    QCOMPARE(g.oldCodes(), old);
    VERIFY_GLYPHS(g.main);
    const bool heading = old != empties();
    QCOMPARE(g.main->Label14->isVisible(), heading);
    QCOMPARE(g.main->Label15->isVisible(), silent);
    QCOMPARE(g.main->silentMutation(), silent);
    QCOMPARE(g.tk.clock->pendingAlarms(), silent ? 1 : 0);
    QCOMPARE(g.tk.messages->shown.size(), std::size_t(stopWarning ? 1 : 0));
    if (stopWarning) {
        QCOMPARE(g.tk.messages->shown[0].prompt, kStopMessage);
        QCOMPARE(g.tk.messages->shown[0].title, kTitle);
    }
    QVERIFY(g.tk.forms().isVisible(names::mutazioni));

    // The note goes two seconds after the press; the rest of the report stays.
    g.tk.clock->advance(1.875);
    QCOMPARE(g.main->Label15->isVisible(), silent);
    g.tk.clock->advance(0.125);
    QVERIFY(!g.main->Label15->isVisible());
    QCOMPARE(g.main->Label14->isVisible(), heading);
    QCOMPARE(g.oldCodes(), old);
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
}

void TstCodingRunWindow::noStopCodonWarnsBeforeTranslating()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.press();
    QCOMPARE(g.newCodes(), kDesignedCodes);
    g.tk.forms().unload(names::mutazioni);
    test::flushDeletes();
    QVERIFY(!g.tk.forms().isLoaded(names::mutazioni));

    g.set(19, "gct");
    int calls = 0;
    g.tk.messages->whileShown = [&] {
        ++calls;
        // The RNA row and both cleared rows are in place; nothing new is shown yet.
        QCOMPARE(g.rna(), g.transcribedBoxes());
        QCOMPARE(g.main->RNA[19]->text(), QStringLiteral("cga"));
        QCOMPARE(g.newCodes(), empties(20));
        for (auto* box : g.main->AA) {
            QVERIFY(box->isEmpty());
            QCOMPARE(box->toolTip(), QString());
        }
        QStringList old = empties(20);
        old[19] = "Stop";
        QCOMPARE(g.oldCodes(), old);
        QVERIFY(!g.tk.forms().isLoaded(names::mutazioni));
        QVERIFY(!g.main->Label14->isVisible());
    };
    g.press();
    g.tk.messages->whileShown = nullptr;

    QCOMPARE(calls, 1);
    QCOMPARE(g.tk.messages->shown.size(), std::size_t(1));
    QCOMPARE(g.tk.messages->shown[0].prompt, kStopMessage);
    QCOMPARE(g.tk.messages->shown[0].title, kTitle);
    QStringList expected = kDesignedCodes;
    expected[19] = "Arg";
    QCOMPARE(g.newCodes(), expected);
    QVERIFY(!g.newCodes().contains(QStringLiteral("Stop")));
    QStringList old = empties(20);
    old[19] = "Stop";
    QCOMPARE(g.oldCodes(), old);
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.main->Label14->isVisible());
    QVERIFY(!g.main->Label15->isVisible());
    QVERIFY(g.tk.forms().isVisible(names::mutazioni));
}

void TstCodingRunWindow::silentPressDuringNoteExtendsIt()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(1, "gcc");
    g.press();
    QVERIFY(g.main->Label15->isVisible());
    g.tk.clock->advance(1.0);
    g.press();
    QVERIFY(g.main->Label15->isVisible());
    g.tk.clock->advance(1.5);  // 2.5 s after the first press
    QVERIFY(g.main->Label15->isVisible());
    g.tk.clock->advance(0.375);
    QVERIFY(g.main->Label15->isVisible());
    g.tk.clock->advance(0.125);  // 2 s after the second press
    QVERIFY(!g.main->Label15->isVisible());
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
}

void TstCodingRunWindow::replacingPressHidesNoteAtOnce()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(1, "gcc");
    g.press();
    QVERIFY(g.main->Label15->isVisible());
    g.tk.clock->advance(0.5);
    g.set(3, "aca");  // Phe to Cys
    g.press();
    QVERIFY(!g.main->Label15->isVisible());
    QVERIFY(g.main->Label14->isVisible());
    QVERIFY(!g.main->silentMutation());
    g.tk.clock->advance(3.0);
    QVERIFY(!g.main->Label15->isVisible());
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
}

void TstCodingRunWindow::changedBackCountsAsUnchanged()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(6, "ggg");  // Pro stays Pro
    g.set(8, "tag");  // Val to Ile
    g.press();
    QVERIFY(g.main->Label14->isVisible());
    g.set(6, kDesigned[6]);
    g.set(8, kDesigned[8]);
    g.press();
    QCOMPARE(g.oldCodes(), empties(20));
    QCOMPARE(g.newCodes(), kDesignedCodes);
    VERIFY_GLYPHS(g.main);
    QVERIFY(!g.main->Label14->isVisible());
    QVERIFY(!g.main->Label15->isVisible());
}

void TstCodingRunWindow::explanationWindowLifecycle()
{
    Game g;
    QVERIFY(g.designedInstalled());
    QVERIFY(!g.tk.forms().isLoaded(names::mutazioni));
    g.press();
    QPointer<MutationForm> first = g.explanation();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QVERIFY(first->explanation->toPlainText().startsWith(explanationBody()));

    // While it is up, runs leave it alone: no new text, not brought forward.
    RaiseCounter raises;
    first->installEventFilter(&raises);
    first->explanation->setPlainText(QStringLiteral("letto"));
    g.set(3, "aca");
    g.press();
    QCOMPARE(g.explanation(), first.data());
    QCOMPARE(first->explanation->toPlainText(), QStringLiteral("letto"));
    QCOMPARE(raises.count, 0);
    g.press();
    QCOMPARE(first->explanation->toPlainText(), QStringLiteral("letto"));
    QCOMPARE(raises.count, 0);
    // The counter does see a window being brought forward.
    g.tk.forms().show(names::mutazioni);
    QVERIFY(raises.count > 0);
    first->removeEventFilter(&raises);

    // Closed by the player: gone, and the next run brings it back whole.
    first->close();
    QVERIFY(!g.tk.forms().isLoaded(names::mutazioni));
    test::flushDeletes();
    QVERIFY(!first);
    g.press();
    MutationForm* second = g.explanation();
    QVERIFY(second);
    QVERIFY(second->isVisible());
    VERIFY_EXPLANATION(second->explanation->toPlainText());
}

void TstCodingRunWindow::twoPressesGiveSameWindow_data()
{
    QTest::addColumn<QList<int>>("boxes");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("no edits") << QList<int>{} << QStringList{};
    QTest::newRow("a replacing change") << QList<int>{3} << QStringList{"aca"};
    QTest::newRow("a silent change") << QList<int>{1} << QStringList{"gcc"};
    QTest::newRow("start changed") << QList<int>{0, 12} << QStringList{"tat", "agc"};
    QTest::newRow("early stop") << QList<int>{4, 9} << QStringList{"att", "ccc"};
}

void TstCodingRunWindow::twoPressesGiveSameWindow()
{
    QFETCH(QList<int>, boxes);
    QFETCH(QStringList, texts);
    Game g;
    QVERIFY(g.designedInstalled());
    for (int k = 0; k < boxes.size(); ++k)
        g.set(boxes[k], texts[k]);
    g.press();
    const test::Screen first = g.screen();
    g.press();
    // The previous row's pictures have a test of their own below.
    VERIFY_SAME(first, g.screen(), false);
    QVERIFY(g.tk.messages->shown.empty());
}

void TstCodingRunWindow::repeatedPressKeepsPreviousGlyphs_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::newRow("a replacing change") << 3 << "aca";
    QTest::newRow("a silent change") << 1 << "gcc";
    QTest::newRow("start changed") << 0 << "tat";
}

void TstCodingRunWindow::repeatedPressKeepsPreviousGlyphs()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(slot, text);
    g.press();
    QVERIFY(!g.main->OldAA[slot]->isEmpty());
    const QImage once = renderAt(g.main->OldAA[slot], 1);
    const QImage onceSharp = renderAt(g.main->OldAA[slot], 2);
    g.press();
    g.press();
    // The same glyph again must look the same, antialiased edges included.
    QVERIFY(renderAt(g.main->OldAA[slot], 1) == once);
    QVERIFY(renderAt(g.main->OldAA[slot], 2) == onceSharp);
}

void TstCodingRunWindow::exitDuringNote()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.tk.forms().show(names::InformazsuVintalem);
    g.set(1, "gcc");
    g.press();
    QVERIFY(g.main->Label15->isVisible());

    QPointer<MainForm> main = g.main;
    main->mnuExit->trigger();
    QCOMPARE(g.tk.forms().loadedCount(), 0);
    QVERIFY(g.tk.forms().ended());
    test::flushDeletes();
    QVERIFY(!main);
    QVERIFY(!test::anyFormLeft());
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
    g.tk.clock->advance(3.0);  // nothing may fire into the dead window
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
    QCOMPARE(g.tk.forms().loadedCount(), 0);
}

void TstCodingRunWindow::closeWhileStopMessageIsUp_data()
{
    QTest::addColumn<bool>("byRegistry");
    QTest::newRow("unloaded through the registry") << true;
    QTest::newRow("window closed") << false;
}

void TstCodingRunWindow::closeWhileStopMessageIsUp()
{
    QFETCH(bool, byRegistry);
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(19, "ggg");
    QPointer<MainForm> main = g.main;
    bool closedInside = false;
    g.tk.messages->whileShown = [&] {
        if (byRegistry)
            g.tk.forms().unload(names::zuvo);
        else
            main->close();
        closedInside = g.tk.forms().loadedCount() == 0;
    };
    g.press();
    g.tk.messages->whileShown = nullptr;

    QCOMPARE(g.tk.messages->shown.size(), std::size_t(1));
    QCOMPARE(g.tk.messages->shown[0].prompt, kStopMessage);
    QVERIFY(closedInside);
    QCOMPARE(g.tk.forms().loadedCount(), 0);
    QVERIFY(g.tk.forms().ended());
    test::flushDeletes();
    QVERIFY(!main);
    QVERIFY(!test::anyFormLeft());
    g.tk.clock->advance(3.0);
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
    QCOMPARE(g.tk.forms().loadedCount(), 0);
}

void TstCodingRunWindow::realMessageBox_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("runGoesOn");
    QTest::newRow("length message") << 7 << "ac" << kLengthMessage << false;
    QTest::newRow("stop message") << 19 << "gct" << kStopMessage << true;
}

void TstCodingRunWindow::realMessageBox()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, prompt);
    QFETCH(bool, runGoesOn);
    Game g;
    QVERIFY(g.designedInstalled());
    g.tk.toolkit.setMessages(std::make_unique<QtMessageService>());
    g.set(slot, text);

    struct Seen {
        int boxes = 0;
        bool messageBox = false, modal = false;
        QString title, text;
        int buttons = -1;
        QMessageBox::StandardButtons standard;
        QMessageBox::Icon icon = QMessageBox::Critical;
    } seen;
    int attempts = 0;
    QObject guard;  // no retry outlives this test
    // Closes every modal box that comes up while the run lasts, so a second one cannot hang the test.
    std::function<void()> closeBox = [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (++seen.boxes == 1) {
                seen.modal = modal->isModal();
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    seen.messageBox = true;
                    seen.title = box->windowTitle();
                    seen.text = box->text();
                    seen.buttons = static_cast<int>(box->buttons().size());
                    seen.standard = box->standardButtons();
                    seen.icon = box->icon();
                }
            }
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (QAbstractButton* ok = box ? box->button(QMessageBox::Ok) : nullptr)
                ok->click();
            else
                modal->close();
        }
        if (++attempts < 250)
            QTimer::singleShot(20, &guard, closeBox);
    };
    QTimer::singleShot(0, &guard, closeBox);
    g.press();

    QCOMPARE(seen.boxes, 1);
    QVERIFY(seen.messageBox);
    QVERIFY(seen.modal);
    QCOMPARE(seen.title, kTitle);
    QCOMPARE(seen.text, prompt);
    QCOMPARE(seen.buttons, 1);
    QCOMPARE(seen.standard.toInt(), int(QMessageBox::Ok));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QVERIFY(!QApplication::activeModalWidget());

    if (runGoesOn) {
        QStringList expected = kDesignedCodes;
        expected[19] = "Arg";
        QCOMPARE(g.newCodes(), expected);
        QVERIFY(g.tk.forms().isVisible(names::mutazioni));
        QVERIFY(g.main->Label14->isVisible());
    } else {
        QCOMPARE(g.rna(), empties(20));
        QCOMPARE(g.newCodes(), empties(20));
        QVERIFY(!g.tk.forms().isLoaded(names::mutazioni));
    }
}

QTEST_MAIN(TstCodingRunWindow)
#include "tst_coding_run_window.moc"
