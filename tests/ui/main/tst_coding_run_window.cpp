#include "core/codon_table.h"
#include "core/coding_run.h"
#include "tests/support/fakes.h"
#include "ui/main/main_form.h"
#include "ui/main/mutation_form.h"
#include "ui/toolkit/form_names.h"

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

// A strand the tests know in full: each middle codon is drawn from three scripted values.
const std::array<const char*, 20> kDesigned{
    "tac", "gct", "ccg", "aaa", "tgc", "cgt", "gga", "ttt", "cag", "gtc",
    "acc", "tca", "agg", "ctt", "gac", "cat", "tta", "ggc", "atg", "att",
};
// What the strand above codes, slot by slot.
const QStringList kDesignedCodes{
    "Met", "Arg", "Gly", "Phe", "Thr", "Ala", "Pro", "Lys", "Val", "Gln",
    "Trp", "Ser", "Ser", "Glu", "Leu", "Val", "Asn", "Pro", "Tyr", "Stop",
};

float valueFor(char base)
{
    switch (base) {
    case 'a': return 0.1f;
    case 'g': return 0.35f;
    case 'c': return 0.6f;
    default: return 0.85f;  // t
    }
}

std::vector<float> scriptFor(const std::array<const char*, 20>& codons)
{
    std::vector<float> values;
    for (std::size_t slot = 1; slot + 1 < codons.size(); ++slot)
        for (const char* c = codons[slot]; *c; ++c)
            values.push_back(valueFor(*c));
    const std::string_view stop = codons.back();
    values.push_back(stop == "act" ? 0.1f : stop == "atc" ? 0.5f : 0.9f);
    return values;
}

QStringList empties(int n) { return QStringList(n, QString()); }

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

using test::kLengthMessage;
using test::kStopMessage;
using test::kTitle;

// The main window of a fresh program, shown; with the designed strand unless told otherwise.
struct Game {
    test::TestToolkit tk;
    QPointer<MainForm> main;

    explicit Game(bool designed = true)
    {
        if (designed)
            tk.toolkit.setRandom(std::make_unique<test::ScriptedSource>(scriptFor(kDesigned)));
        main = tk.forms().load<MainForm>(names::zuvo);
        if (main)
            main->show();
    }

    void press() { QTest::mouseClick(main->CodProt, Qt::LeftButton); }
    void set(int slot, const QString& text) { main->nt[slot]->setText(text); }
    MutationForm* explanation() { return tk.forms().find<MutationForm>(names::mutazioni); }
    bool designedInstalled() const
    {
        std::string joined;
        for (const char* c : kDesigned)
            joined += c;
        return main && main->referenceSequence() == joined;
    }

    QStringList rna() const
    {
        QStringList out;
        for (auto* box : main->RNA)
            out << box->text();
        return out;
    }
    QStringList newCodes() const
    {
        QStringList out;
        for (auto* label : main->naame)
            out << label->text();
        return out;
    }
    QStringList oldCodes() const
    {
        QStringList out;
        for (auto* label : main->OldAaName)
            out << label->text();
        return out;
    }
    // The RNA that the codon boxes transcribe to, computed without the window.
    QStringList transcribedBoxes() const
    {
        QStringList out;
        for (auto* box : main->nt)
            out << QString::fromStdString(TranscribeCodon(box->text().toStdString()));
        return out;
    }
};

QString nameOf(const QString& code)
{
    const auto id = FindByCode(code.toStdString());
    return id ? QString::fromUtf8(entry(*id).italianName.data(), entry(*id).italianName.size()) : QString();
}

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
            QCOMPARE(main->AA[i]->toolTip(), nameOf(code));
            QVERIFY(!main->AA[i]->isEmpty());
        }
        if (old.isEmpty()) {
            QVERIFY2(main->OldAA[i]->isEmpty(), qPrintable(QStringLiteral("previous slot %1").arg(i)));
            QCOMPARE(main->OldAA[i]->toolTip(), QString());
        } else if (old == QLatin1String("Stop")) {
            QCOMPARE(main->OldAA[i]->toolTip(), QStringLiteral("STOP"));
        } else {
            QCOMPARE(main->OldAA[i]->toolTip(), nameOf(old));
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

// What the window shows, for before/after comparisons.
struct Snapshot {
    QStringList rna, names, tips, oldNames, oldTips;
    QList<QImage> glyphs, oldGlyphs;
    bool label14 = false, label15 = false, explanationLoaded = false, explanationVisible = false;
    QString explanationText;
};

Snapshot snapshot(Game& g)
{
    Snapshot s;
    for (int i = 0; i < MainForm::kSlots; ++i) {
        s.rna << g.main->RNA[i]->text();
        s.names << g.main->naame[i]->text();
        s.tips << g.main->AA[i]->toolTip();
        s.oldNames << g.main->OldAaName[i]->text();
        s.oldTips << g.main->OldAA[i]->toolTip();
        s.glyphs << g.main->AA[i]->grab().toImage();
        s.oldGlyphs << g.main->OldAA[i]->grab().toImage();
    }
    s.label14 = g.main->Label14->isVisible();
    s.label15 = g.main->Label15->isVisible();
    if (MutationForm* m = g.explanation()) {
        s.explanationLoaded = true;
        s.explanationVisible = m->isVisible();
        s.explanationText = m->explanation->toPlainText();
    }
    return s;
}

void verifySame(const Snapshot& a, const Snapshot& b, bool withPreviousGlyphs = true)
{
    QCOMPARE(b.rna, a.rna);
    QCOMPARE(b.names, a.names);
    QCOMPARE(b.tips, a.tips);
    QCOMPARE(b.oldNames, a.oldNames);
    QCOMPARE(b.oldTips, a.oldTips);
    for (int i = 0; i < a.glyphs.size(); ++i) {
        QVERIFY2(b.glyphs[i] == a.glyphs[i], qPrintable(QStringLiteral("glyph %1").arg(i)));
        if (withPreviousGlyphs)
            QVERIFY2(b.oldGlyphs[i] == a.oldGlyphs[i], qPrintable(QStringLiteral("previous glyph %1").arg(i)));
    }
    QCOMPARE(b.label14, a.label14);
    QCOMPARE(b.label15, a.label15);
    QCOMPARE(b.explanationLoaded, a.explanationLoaded);
    QCOMPARE(b.explanationVisible, a.explanationVisible);
    QCOMPARE(b.explanationText, a.explanationText);
}

#define VERIFY_SAME(...)                \
    do {                                \
        verifySame(__VA_ARGS__);        \
        if (QTest::currentTestFailed()) \
            return;                     \
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

bool anyFormLeft()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<Form*>(w))
            return true;
    return false;
}

}  // namespace

class TstCodingRunWindow : public QObject {
    Q_OBJECT
private slots:
    void designedStrandIsInstalled();
    void freshSequenceWithoutEdits();
    void designedStrandWithoutEdits();
    void lengthCheck_data();
    void lengthCheck();
    void lengthCheckBeforeAnyRunOpensNothing();
    void oneChangedBox_data();
    void oneChangedBox();
    void startCodonChanged();
    void noStopCodonWarnsBeforeTranslating();
    void noStopAndNoStartStillWarns();
    void stopTypedIntoSlot5();
    void twoStopsEndAtTheFirst();
    void foreignCharacterIsDropped();
    void foreignCharacterCountsAsChange();
    void silentChange_data();
    void silentChange();
    void silentPressDuringNoteExtendsIt();
    void replacingPressHidesNoteAtOnce();
    void silentAndReplacingChange_data();
    void silentAndReplacingChange();
    void stopInSlot5EmptiesLaterPreviousSlots();
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
}

void TstCodingRunWindow::freshSequenceWithoutEdits()
{
    Game g(false);
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
        const auto expected = LookUpCodon(rna[i].toStdString());
        QVERIFY(expected);
        QCOMPARE(codes[i], QString::fromLatin1(entry(*expected).code.data(), entry(*expected).code.size()));
    }
    QCOMPARE(g.oldCodes(), empties(20));
    VERIFY_GLYPHS(g.main);
    QVERIFY(!g.main->Label14->isVisible());
    QVERIFY(!g.main->Label15->isVisible());
    QCOMPARE(g.main->silentMutation(), quint8(0));

    MutationForm* m = g.explanation();
    QVERIFY(m);
    QVERIFY(m->isVisible());
    const QString text = m->explanation->toPlainText();
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

void TstCodingRunWindow::designedStrandWithoutEdits()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.press();
    QCOMPARE(g.newCodes(), kDesignedCodes);
    QCOMPARE(g.oldCodes(), empties(20));
    QCOMPARE(g.rna(), QStringList({"aug", "cga", "ggc", "uuu", "acg", "gca", "ccu", "aaa", "guc", "cag",
                                   "ugg", "agu", "ucc", "gaa", "cug", "gua", "aau", "ccg", "uac", "uaa"}));
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.tk.messages->shown.empty());
}

void TstCodingRunWindow::lengthCheck_data()
{
    QTest::addColumn<QList<int>>("boxes");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("two letters in slot 7") << QList<int>{7} << QStringList{"ac"};
    QTest::newRow("slot 0 empty") << QList<int>{0} << QStringList{""};
    QTest::newRow("one letter in slot 19") << QList<int>{19} << QStringList{"g"};
    QTest::newRow("two short boxes, one message") << QList<int>{3, 12} << QStringList{"a", "tg"};
}

void TstCodingRunWindow::lengthCheck()
{
    QFETCH(QList<int>, boxes);
    QFETCH(QStringList, texts);
    Game g;
    QVERIFY(g.designedInstalled());
    // A previous run leaves something in every part of the window.
    g.set(3, "aca");
    g.press();
    QCOMPARE(g.tk.messages->shown.size(), std::size_t(0));
    QVERIFY(g.main->Label14->isVisible());
    const Snapshot before = snapshot(g);
    QVERIFY(before.explanationVisible);

    for (int k = 0; k < boxes.size(); ++k)
        g.set(boxes[k], texts[k]);
    g.press();

    QCOMPARE(g.tk.messages->shown.size(), std::size_t(1));
    QCOMPARE(g.tk.messages->shown[0].prompt, kLengthMessage);
    QCOMPARE(g.tk.messages->shown[0].title, kTitle);
    VERIFY_SAME(before, snapshot(g));
}

void TstCodingRunWindow::lengthCheckBeforeAnyRunOpensNothing()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(11, "tc");
    const Snapshot before = snapshot(g);
    g.press();
    QCOMPARE(g.tk.messages->shown.size(), std::size_t(1));
    QCOMPARE(g.tk.messages->shown[0].prompt, kLengthMessage);
    QVERIFY(!g.tk.forms().isLoaded(names::mutazioni));
    QCOMPARE(g.rna(), empties(20));
    VERIFY_SAME(before, snapshot(g));
}

void TstCodingRunWindow::oneChangedBox_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rna");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("replaced");
    QTest::newRow("gct is Arg") << 5 << "gct" << "cga" << "Arg" << "Ala";
    QTest::newRow("tac in slot 7 is Met") << 7 << "tac" << "aug" << "Met" << "Lys";
    QTest::newRow("ggg is Pro") << 10 << "ggg" << "ccc" << "Pro" << "Trp";
    QTest::newRow("tca is Ser, in slot 12 too") << 12 << "tca" << "agu" << "Ser" << "Ser";
}

void TstCodingRunWindow::oneChangedBox()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, rna);
    QFETCH(QString, code);
    QFETCH(QString, replaced);
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(slot, text);
    g.press();

    QCOMPARE(g.main->RNA[slot]->text(), rna);
    QCOMPARE(g.rna(), g.transcribedBoxes());
    QStringList expected = kDesignedCodes;
    expected[slot] = code;
    QCOMPARE(g.newCodes(), expected);
    QStringList old = empties(20);
    old[slot] = replaced;
    QCOMPARE(g.oldCodes(), old);
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.main->Label14->isVisible());
    QCOMPARE(g.main->Label15->isVisible(), code == replaced);
    QVERIFY(g.tk.messages->shown.empty());
}

void TstCodingRunWindow::startCodonChanged()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.press();  // the new row is full before the change
    g.set(0, "tat");
    g.press();

    QCOMPARE(g.main->RNA[0]->text(), QStringLiteral("aua"));
    QCOMPARE(g.rna(), g.transcribedBoxes());
    QCOMPARE(g.newCodes(), empties(20));
    QStringList old = empties(20);
    old[0] = "Met";
    QCOMPARE(g.oldCodes(), old);
    QCOMPARE(g.main->OldAA[0]->toolTip(), QStringLiteral("Metionina"));
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.main->Label14->isVisible());
    QVERIFY(!g.main->Label15->isVisible());
    QVERIFY(g.tk.messages->shown.empty());
    QVERIFY(g.tk.forms().isVisible(names::mutazioni));
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

void TstCodingRunWindow::noStopAndNoStartStillWarns()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(0, "ggg");
    g.set(19, "ggg");
    g.press();
    QCOMPARE(g.tk.messages->shown.size(), std::size_t(1));
    QCOMPARE(g.tk.messages->shown[0].prompt, kStopMessage);
    QCOMPARE(g.newCodes(), empties(20));
    QStringList old = empties(20);
    old[0] = "Met";
    QCOMPARE(g.oldCodes(), old);
    QVERIFY(g.tk.forms().isVisible(names::mutazioni));
}

void TstCodingRunWindow::stopTypedIntoSlot5()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.press();
    g.set(5, "act");
    g.press();

    QCOMPARE(g.main->RNA[5]->text(), QStringLiteral("uga"));
    QStringList expected = kDesignedCodes.mid(0, 5);
    expected << "Stop" << empties(14);
    QCOMPARE(g.newCodes(), expected);
    QCOMPARE(g.main->AA[5]->toolTip(), QStringLiteral("STOP"));
    QStringList old = empties(20);
    old[5] = "Ala";
    QCOMPARE(g.oldCodes(), old);
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.main->Label14->isVisible());
    QVERIFY(!g.main->Label15->isVisible());
    QVERIFY(g.tk.messages->shown.empty());
}

void TstCodingRunWindow::twoStopsEndAtTheFirst()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(3, "atc");
    g.set(9, "att");
    g.press();
    QStringList expected = kDesignedCodes.mid(0, 3);
    expected << "Stop" << empties(16);
    QCOMPARE(g.newCodes(), expected);
    QStringList old = empties(20);
    old[3] = "Phe";  // slot 9 changed too, but its new slot is empty
    QCOMPARE(g.oldCodes(), old);
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.tk.messages->shown.empty());
}

void TstCodingRunWindow::foreignCharacterIsDropped()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(4, QStringLiteral("gxc"));
    g.press();
    QVERIFY(g.tk.messages->shown.empty());
    QCOMPARE(g.main->RNA[4]->text(), QStringLiteral("cg"));
    QStringList expected = kDesignedCodes;
    expected[4] = QString();  // decodes to nothing; translation goes on
    QCOMPARE(g.newCodes(), expected);
    // Changed, but its new slot is empty, so the report tidies it away.
    QCOMPARE(g.oldCodes(), empties(20));
    QVERIFY(!g.main->Label14->isVisible());
    VERIFY_GLYPHS(g.main);
}

void TstCodingRunWindow::foreignCharacterCountsAsChange()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(0, QStringLiteral("tàc"));  // one character too many bytes, still three characters
    g.press();
    QVERIFY(g.tk.messages->shown.empty());
    QCOMPARE(g.main->RNA[0]->text(), QStringLiteral("ag"));
    QCOMPARE(g.newCodes(), empties(20));
    QStringList old = empties(20);
    old[0] = "Met";
    QCOMPARE(g.oldCodes(), old);
    QVERIFY(g.main->Label14->isVisible());
}

void TstCodingRunWindow::silentChange_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::newRow("gct to gcc, both Arg") << 1 << "gcc" << "Arg";
    QTest::newRow("third base of an Ala codon") << 5 << "cga" << "Ala";
    QTest::newRow("third base of a Gly codon") << 2 << "cct" << "Gly";
    QTest::newRow("stop template for another") << 19 << "act" << "Stop";
    QTest::newRow("stop template for the third") << 19 << "atc" << "Stop";
}

void TstCodingRunWindow::silentChange()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, code);
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(slot, text);
    g.press();

    QCOMPARE(g.main->naame[slot]->text(), code);
    QCOMPARE(g.main->OldAaName[slot]->text(), code);
    QStringList old = empties(20);
    old[slot] = code;
    QCOMPARE(g.oldCodes(), old);
    QCOMPARE(g.newCodes(), kDesignedCodes);
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.main->Label14->isVisible());
    QVERIFY(g.main->Label15->isVisible());
    QCOMPARE(g.main->silentMutation(), quint8(1));

    g.tk.clock->advance(1.875);
    QVERIFY(g.main->Label15->isVisible());
    g.tk.clock->advance(0.125);
    QVERIFY(!g.main->Label15->isVisible());
    // The rest of the report stays.
    QVERIFY(g.main->Label14->isVisible());
    QCOMPARE(g.oldCodes(), old);
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
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
    QCOMPARE(g.main->silentMutation(), quint8(0));
    g.tk.clock->advance(3.0);
    QVERIFY(!g.main->Label15->isVisible());
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
}

void TstCodingRunWindow::silentAndReplacingChange_data()
{
    QTest::addColumn<int>("silentSlot");
    QTest::addColumn<QString>("silentText");
    QTest::addColumn<QString>("silentCode");
    QTest::addColumn<int>("replacingSlot");
    QTest::addColumn<QString>("replacingText");
    QTest::addColumn<QString>("replacedCode");
    QTest::addColumn<QString>("newCode");
    QTest::newRow("silent first") << 2 << "cca" << "Gly" << 15 << "aat" << "Val" << "Leu";
    QTest::newRow("replacing first") << 17 << "gga" << "Pro" << 3 << "aca" << "Phe" << "Cys";
}

void TstCodingRunWindow::silentAndReplacingChange()
{
    QFETCH(int, silentSlot);
    QFETCH(QString, silentText);
    QFETCH(QString, silentCode);
    QFETCH(int, replacingSlot);
    QFETCH(QString, replacingText);
    QFETCH(QString, replacedCode);
    QFETCH(QString, newCode);
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(silentSlot, silentText);
    g.set(replacingSlot, replacingText);
    g.press();

    QStringList expected = kDesignedCodes;
    expected[replacingSlot] = newCode;
    QCOMPARE(g.newCodes(), expected);
    QStringList old = empties(20);
    old[silentSlot] = silentCode;
    old[replacingSlot] = replacedCode;
    QCOMPARE(g.oldCodes(), old);
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.main->Label14->isVisible());
    QVERIFY(!g.main->Label15->isVisible());
    QCOMPARE(g.tk.clock->pendingAlarms(), 0);
}

void TstCodingRunWindow::stopInSlot5EmptiesLaterPreviousSlots()
{
    Game g;
    QVERIFY(g.designedInstalled());
    g.set(10, "acg");  // Trp to Cys, but translation ends before it
    g.set(5, "atc");
    g.press();

    QStringList expected = kDesignedCodes.mid(0, 5);
    expected << "Stop" << empties(14);
    QCOMPARE(g.newCodes(), expected);
    QStringList old = empties(20);
    old[5] = "Ala";
    QCOMPARE(g.oldCodes(), old);
    QVERIFY(g.main->OldAA[10]->isEmpty());
    QCOMPARE(g.main->OldAA[10]->toolTip(), QString());
    VERIFY_GLYPHS(g.main);
    QVERIFY(g.main->Label14->isVisible());
    QVERIFY(!g.main->Label15->isVisible());
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
    const QString text = second->explanation->toPlainText();
    QVERIFY(text.startsWith(QLatin1Char('\t')));
    QVERIFY(!text.startsWith(QStringLiteral("\t\t")));
    QVERIFY(text.startsWith(explanationBody()));
    QVERIFY(text.mid(explanationBody().size()).startsWith(QStringLiteral("Fonte: ")));
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
    const Snapshot first = snapshot(g);
    g.press();
    // The previous row's pictures have a test of their own below.
    VERIFY_SAME(first, snapshot(g), false);
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
    QVERIFY(!anyFormLeft());
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
    QVERIFY(!anyFormLeft());
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
