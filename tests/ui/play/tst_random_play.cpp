// A seeded player that drives the real windows for thousands of actions and checks,
// after every one of them, that the game is still in a consistent state.
//
// VINTALEM_PLAY_SEED and VINTALEM_PLAY_ACTIONS replay or lengthen a run.

#include "core/coding_run.h"
#include "core/codon_table.h"
#include "core/report.h"
#include "core/sequence.h"
#include "tests/support/game.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/info/about_form.h"
#include "ui/main/main_form.h"
#include "ui/main/mutation_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <deque>
#include <optional>
#include <random>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

constexpr std::uint32_t kDefaultSeed = 0x5EED2024u;
constexpr int kDefaultActions = 20000;
constexpr int kSlots = MainForm::kSlots;

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kMagenta(255, 0, 255);

using test::kLengthMessage;
using test::kStopMessage;
using test::kTitle;

using test::kAllForms;
using test::qstr;
using test::codeOf;
const QStringList kClosable{names::Atab, names::mutazioni, names::InformazsuVintalem, names::Information};

std::uint32_t envNumber(const char* name, std::uint32_t fallback)
{
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok, 0);
    return ok ? static_cast<std::uint32_t>(value) : fallback;
}

// What the rows must show since the last run that passed the length check, as the core decides it.
struct Rows {
    std::array<QString, kSlots> rna;
    ProteinRow fresh{}, previous{};
    bool heading = false;
    quint8 flag = 0;
};

int characters(const QString& text) { return static_cast<int>(text.toUcs4().size()); }

Outcome lookUp(const QString& dna) { return LookUpCodon(TranscribeCodon(dna.toStdString())); }
QString tipOf(Outcome o)
{
    if (!o)
        return {};
    return *o == AminoAcidId::Stop ? qstr(kStopTooltip) : qstr(entry(*o).italianName);
}
bool glyphOf(Outcome o) { return o && *o != AminoAcidId::Stop; }

QString referenceCodon(const std::string& reference, int slot)
{
    return qstr(vintalem::referenceCodon(reference, static_cast<std::size_t>(slot)));
}

// What a line edit with a limit of three does with `inserted` at its cursor.
QString afterInsert(const QLineEdit* box, const QString& inserted)
{
    QString text = box->text();
    int at = box->cursorPosition();
    if (box->hasSelectedText()) {
        at = box->selectionStart();
        text.remove(at, box->selectedText().size());
    }
    const auto room = box->maxLength() - text.size();
    if (room > 0)
        text.insert(at, inserted.left(room));
    return text;
}

bool plainAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    return true;
}

QString listingOf(const QString& code)
{
    QString codons;
    for (std::size_t cell = 0; cell < 64; ++cell) {
        if (qstr(entry(outcomeOfCell(cell)).code) != code)
            continue;
        const auto codon = codonOfCell(cell);
        codons += QLatin1Char(' ') + QString::fromLatin1(codon.data(), 3);
    }
    return codons;
}

const QStringList kPasteSamples{
    QString(), QStringLiteral("a"), QStringLiteral("ACGT"), QStringLiteral("acgtacgtacgt"),
    QStringLiteral("ac\ng"), QStringLiteral("a\r\nc"), QStringLiteral("\n\n\n"), QStringLiteral("t\tc"),
    QStringLiteral("αβγ"), QStringLiteral("Жук"), QStringLiteral("中文字"), QStringLiteral("àèì"),
    QStringLiteral("😀"), QStringLiteral("a😀"), QStringLiteral("😀😀c"), QStringLiteral("👍🏽"),
    QStringLiteral("   "), QStringLiteral("e\u0301a"), QStringLiteral("u"), QStringLiteral("gAu"),
    QStringLiteral("\u00a0tc"), QStringLiteral("1 2 3"),
};

// Text of key events from keyboards with other layouts.
const QStringList kForeignKeys{
    QStringLiteral("è"), QStringLiteral("é"), QStringLiteral("à"), QStringLiteral("ì"), QStringLiteral("ò"),
    QStringLiteral("ù"), QStringLiteral("À"), QStringLiteral("È"), QStringLiteral("ç"), QStringLiteral("ñ"),
    QStringLiteral("ß"), QStringLiteral("ü"), QStringLiteral("Ä"), QStringLiteral("α"), QStringLiteral("Ω"),
    QStringLiteral("Ж"), QStringLiteral("ж"), QStringLiteral("中"), QStringLiteral("あ"), QStringLiteral("ا"),
    QStringLiteral("😀"), QStringLiteral("👍"), QStringLiteral("\u0301"), QStringLiteral("\u00a0"),
    QStringLiteral("\u200b"), QStringLiteral("\u00e5"),
};

const QStringList kCompositions{
    QStringLiteral("è"), QStringLiteral("A"), QStringLiteral("gT"), QStringLiteral("xyz"), QStringLiteral("ä"),
    QStringLiteral("ca😀"), QStringLiteral("中"), QStringLiteral("tTt"),
};

enum class Way { Widget, Window };

// The colour a cell is given; a disabled window may grey what it inherits, which is not ours to check.
QColor colourOf(const QLabel* cell) { return cell->palette().color(QPalette::Active, QPalette::WindowText); }

}  // namespace

class TstRandomPlay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void playThousandsOfActions();

private:
    using Snapshot = QMap<QString, QString>;

    // Set-up and the play loop.
    int pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(rng_); }
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    void playOne();
    void playWhileAboutIsOpen();
    void finish();

    // Actions of a player.
    void typeCharacter(char c, Way way = Way::Widget);
    void typeForeign();
    void typeControl();
    void compose();
    void pressEditingKey();
    void paste();
    void retype(const QString& codon, const char* what);
    void retypeSomeBox();
    void restoreSomeBox();
    void silentChange();
    void clickCodProt();
    void clickChnSeq();
    void clickGlyph(bool old);
    void clickCell();
    void clickListEntry();
    void triggerMenu();
    void closeWindow();
    void advanceClock();
    void disabledInput();

    // Checks.
    void checkInvariants();
    void checkRows();
    void checkForms();
    void checkHighlight(const QString& code, const QColor& colour);
    void checkOnlyChanged(const Snapshot& before, const QStringList& prefixes);
    void checkTypedInto(int box, const QString& expected);
    Snapshot snapshot() const;
    void failAt(const char* condition, const QString& detail, const char* file, int line);
    QString context() const;
    void begin(const QString& what);

    int boxToEdit();
    QPoint inForm(QWidget* widget, QPoint at) const { return widget->mapTo(widget->window(), at); }
    QPoint inForm(QWidget* widget) const { return inForm(widget, widget->rect().center()); }
    CodonTableForm* table() const { return tk_->forms().find<CodonTableForm>(names::Atab); }
    bool aboutOpen() const { return tk_->forms().isLoaded(names::Information); }
    bool noteShouldShow() const { return noteDue_ && tk_->clock->secondsSinceMidnight() < *noteDue_; }

    std::uint32_t seed_ = kDefaultSeed;
    int actions_ = kDefaultActions;
    int index_ = 0;
    std::mt19937 rng_;
    std::unique_ptr<test::TestToolkit> tk_;
    QPointer<MainForm> main_;
    std::deque<QString> recent_;
    bool failed_ = false;

    Rows rows_;  // what the rows must show since the last run that passed the length check
    std::optional<double> noteDue_;
    std::size_t messages_ = 0;
    std::string reference_;

    struct Tally {
        int runs = 0, lengthRefused = 0, stopWarnings = 0, silent = 0, duringNote = 0, aboutActions = 0,
            disabledInputs = 0, closes = 0, reopens = 0, generations = 0, glyphLookUps = 0, pastes = 0;
    } tally_;
};

#define PLAY_CHECK(cond, detail)                                           \
    do {                                                                   \
        if (!(cond)) {                                                     \
            failAt(#cond, (detail), __FILE__, __LINE__);                   \
            return;                                                        \
        }                                                                  \
    } while (false)
#define PLAY_STEP(call)  \
    do {                 \
        call;            \
        if (failed_)     \
            return;      \
    } while (false)

namespace {
QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform warns on every raise(); thousands of those would crowd out what matters.
void dropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_previousHandler(type, context, message);
}
}  // namespace

void TstRandomPlay::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    g_previousHandler = qInstallMessageHandler(dropPlatformNoise);
}

void TstRandomPlay::cleanup()
{
    tk_.reset();
    test::flushDeletes();
}

void TstRandomPlay::failAt(const char* condition, const QString& detail, const char* file, int line)
{
    failed_ = true;
    QString recent;
    for (const QString& r : recent_)
        recent += QStringLiteral("\n    ") + r;
    const QString message = QStringLiteral("%1: %2 (%3)\n  recent actions:%4")
                                .arg(context(), detail, QString::fromLatin1(condition), recent);
    QTest::qFail(qPrintable(message), file, line);
}

QString TstRandomPlay::context() const
{
    return QStringLiteral("seed %1 (VINTALEM_PLAY_SEED=%1), action %2 of %3")
        .arg(seed_)
        .arg(index_)
        .arg(actions_);
}

void TstRandomPlay::begin(const QString& what)
{
    recent_.push_back(QStringLiteral("#%1 %2").arg(index_).arg(what));
    if (recent_.size() > 12)
        recent_.pop_front();
}

void TstRandomPlay::playThousandsOfActions()
{
    seed_ = envNumber("VINTALEM_PLAY_SEED", kDefaultSeed);
    actions_ = static_cast<int>(envNumber("VINTALEM_PLAY_ACTIONS", kDefaultActions));
    qInfo("random play: seed %u, %d actions", seed_, actions_);
    QElapsedTimer elapsed;
    elapsed.start();

    rng_.seed(seed_);
    tk_ = std::make_unique<test::TestToolkit>();
    // The program's random source starts from the run's seed, so that a seed replays the same strands.
    tk_->toolkit.setRandom(
        std::make_unique<RandomService<ClockSeededGenerator>>(
            ClockSeededGenerator([c = tk_->clock] { return c->ticks(); }, seed_ ^ 0x9E3779B9u)));
    main_ = tk_->forms().load<MainForm>(names::zuvo);
    QVERIFY(main_);
    main_->show();
    reference_ = main_->referenceSequence();
    // Before any run the rows are blank.
    rows_ = Rows{};

    checkInvariants();
    QVERIFY(!failed_);
    for (index_ = 1; index_ <= actions_ && !failed_; ++index_) {
        if (aboutOpen()) {
            ++tally_.aboutActions;
            playWhileAboutIsOpen();
        } else {
            playOne();
        }
        if (failed_)
            break;
        test::flushDeletes();
        checkInvariants();
    }
    if (failed_)
        return;
    finish();
    if (failed_)
        return;

    const auto ms = elapsed.elapsed();
    qInfo("random play: seed %u, %d actions in %lld ms; %d coding runs (%d refused for length, %d stop "
          "warnings, %d silent, %d during the note), %d generations, %d pastes, %d glyph look-ups, "
          "%d actions with the about window open (%d inputs to disabled windows), %d windows closed, %d reopened",
          seed_, actions_, static_cast<long long>(ms), tally_.runs, tally_.lengthRefused, tally_.stopWarnings,
          tally_.silent, tally_.duringNote, tally_.generations, tally_.pastes, tally_.glyphLookUps,
          tally_.aboutActions, tally_.disabledInputs, tally_.closes, tally_.reopens);

    // A long run that never reached the interesting states proves little.
    if (actions_ >= 5000) {
        QVERIFY2(tally_.runs - tally_.lengthRefused > 200, "too few coding runs passed the length check");
        QVERIFY2(tally_.lengthRefused > 50, "too few coding runs were refused");
        QVERIFY2(tally_.silent > 20, "too few silent changes");
        QVERIFY2(tally_.duringNote > 20, "too few runs during the note");
        QVERIFY2(tally_.stopWarnings > 5, "too few runs without a stop codon");
        QVERIFY2(tally_.disabledInputs > 200, "too little input to disabled windows");
        QVERIFY2(tally_.reopens > 50, "too few windows reopened");
    }
}

void TstRandomPlay::playOne()
{
    // Weights of what a player does; pressing the button again while the note is up is favoured.
    struct Choice {
        double weight;
        void (TstRandomPlay::*act)();
    };
    static const char kBases[] = "acgtACGT";
    static const char kOthers[] = "bdefhijklmnopqrsuvwxyzBDEFHIJKLMNOPQRSUVWXYZ0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
    const double note = main_->Label15->isVisible() ? 14.0 : 0.0;
    const Choice choices[] = {
        {14, nullptr},  // a base
        {6, nullptr},   // any other printable character
        {3, &TstRandomPlay::typeControl},
        {3, &TstRandomPlay::typeForeign},
        {2, &TstRandomPlay::compose},
        {8, &TstRandomPlay::pressEditingKey},
        {5, &TstRandomPlay::paste},
        {9, &TstRandomPlay::retypeSomeBox},
        {6, &TstRandomPlay::restoreSomeBox},
        {7, &TstRandomPlay::silentChange},
        {10 + note, &TstRandomPlay::clickCodProt},
        {1.2, &TstRandomPlay::clickChnSeq},
        {2.5, nullptr},  // a new-protein glyph
        {2.5, nullptr},  // a replaced glyph
        {3, &TstRandomPlay::clickCell},
        {2, &TstRandomPlay::clickListEntry},
        {4, &TstRandomPlay::triggerMenu},
        {3, &TstRandomPlay::closeWindow},
        {6, &TstRandomPlay::advanceClock},
    };
    double total = 0;
    for (const Choice& c : choices)
        total += c.weight;
    double x = uniform(0, total);
    std::size_t k = 0;
    for (; k + 1 < std::size(choices); ++k) {
        if (x < choices[k].weight)
            break;
        x -= choices[k].weight;
    }
    switch (k) {
    case 0: typeCharacter(kBases[pick(8)], chance(0.25) ? Way::Window : Way::Widget); return;
    case 1: typeCharacter(kOthers[pick(static_cast<int>(sizeof(kOthers)) - 1)], chance(0.25) ? Way::Window : Way::Widget); return;
    case 12: clickGlyph(false); return;
    case 13: clickGlyph(true); return;
    default: {
        const auto act = choices[k].act;  // read first: gcc 12 UBSan misreports the indexed call
        (this->*act)();
        return;
    }
    }
}

void TstRandomPlay::playWhileAboutIsOpen()
{
    const int roll = pick(100);
    if (roll < 70) {
        disabledInput();
    } else if (roll < 82) {
        advanceClock();
    } else if (roll < 86 && tk_->forms().isLoaded(names::InformazsuVintalem)) {
        begin(QStringLiteral("close the how-to-play window while the about window is open"));
        const Snapshot before = snapshot();
        tk_->forms().find(names::InformazsuVintalem)->close();
        test::flushDeletes();
        ++tally_.closes;
        PLAY_CHECK(!tk_->forms().isLoaded(names::InformazsuVintalem), QStringLiteral("not closed"));
        checkOnlyChanged(before, {QStringLiteral("forms/InformazsuVintalem")});
    } else if (roll >= 90) {
        auto* about = tk_->forms().find<AboutForm>(names::Information);
        const Snapshot before = snapshot();
        const int how = pick(3);
        begin(how == 0 ? QStringLiteral("click Ok") : how == 1 ? QStringLiteral("close the about window")
                                                              : QStringLiteral("close box of the about window"));
        if (how == 0)
            QTest::mouseClick(about->ok, Qt::LeftButton);
        else if (how == 1)
            about->close();
        else
            about->windowHandle()->close();
        test::flushDeletes();
        ++tally_.closes;
        PLAY_CHECK(!aboutOpen(), QStringLiteral("the about window is still open"));
        checkOnlyChanged(before, {QStringLiteral("forms/")});
        for (const QString& name : {names::zuvo, names::mutazioni, names::Atab})
            if (Form* form = tk_->forms().find(name))
                PLAY_CHECK(form->isEnabled(), name + QStringLiteral(" still disabled"));
    } else {
        disabledInput();
    }
}

void TstRandomPlay::finish()
{
    ++index_;
    if (auto* about = tk_->forms().find<AboutForm>(names::Information)) {
        begin(QStringLiteral("click Ok before leaving"));
        QTest::mouseClick(about->ok, Qt::LeftButton);
    }
    begin(QStringLiteral("Esci"));
    main_->mnuExit->trigger();
    // A pending note must not bring anything back.
    tk_->clock->advance(5.0);
    test::flushDeletes();
    PLAY_CHECK(tk_->forms().ended(), QStringLiteral("the program did not end"));
    PLAY_CHECK(tk_->forms().loadedCount() == 0, QStringLiteral("windows left loaded"));
    PLAY_CHECK(main_.isNull(), QStringLiteral("the main window still exists"));
    PLAY_CHECK(!test::anyFormLeft(), QStringLiteral("a window was left behind"));
    for (const QString& name : kAllForms)
        PLAY_CHECK(tk_->forms().load(name) == nullptr, name + QStringLiteral(" loaded after the end"));
}

// --- actions ---------------------------------------------------------------------------------------------------

int TstRandomPlay::boxToEdit()
{
    // Mostly an incomplete box, so that enough runs get past the length check.
    if (chance(0.7)) {
        std::vector<int> short_;
        for (int i = 0; i < kSlots; ++i)
            if (characters(main_->nt[i]->text()) != 3)
                short_.push_back(i);
        if (!short_.empty())
            return short_[static_cast<std::size_t>(pick(static_cast<int>(short_.size())))];
    }
    return pick(kSlots);
}

void TstRandomPlay::checkTypedInto(int box, const QString& expected)
{
    PLAY_CHECK(main_->nt[box]->text() == expected,
               QStringLiteral("nt(%1) reads '%2', expected '%3'").arg(box).arg(main_->nt[box]->text(), expected));
}

void TstRandomPlay::typeCharacter(char c, Way way)
{
    const int i = pick(kSlots);
    TextBox* box = main_->nt[i];
    if (way == Way::Window) {
        // A real click into the box gives it the focus and puts the cursor where it lands.
        const int x = pick(std::max(1, box->width() - 2)) + 1;
        QTest::mouseClick(main_->windowHandle(), Qt::LeftButton, {}, inForm(box, QPoint(x, box->height() / 2)));
        if (QApplication::focusWidget() != box && main_->focusWidget() != box) {
            begin(QStringLiteral("click into nt(%1) did not focus it").arg(i));
            PLAY_CHECK(false, QStringLiteral("a click into an enabled codon box must focus it"));
        }
    }
    const bool base = QByteArrayView("acgtACGT").contains(c);
    const QString expected = base ? afterInsert(box, QString(QChar::fromLatin1(c).toLower())) : box->text();
    begin(QStringLiteral("type '%1' (code %2) into nt(%3) '%4' through the %5")
              .arg(QChar::fromLatin1(c))
              .arg(int(c))
              .arg(i)
              .arg(box->text(), way == Way::Window ? QStringLiteral("window") : QStringLiteral("box")));
    const Snapshot before = snapshot();
    if (way == Way::Window)
        QTest::keyClick(main_->windowHandle(), c);
    else
        QTest::keyClick(box, c);
    PLAY_STEP(checkTypedInto(i, expected));
    checkOnlyChanged(before, {QStringLiteral("main/nt/%1").arg(i)});
}

void TstRandomPlay::typeForeign()
{
    const int i = pick(kSlots);
    TextBox* box = main_->nt[i];
    const QString text = kForeignKeys.at(pick(static_cast<int>(kForeignKeys.size())));
    const QChar first = text.at(0);
    const Qt::Key key = first.isSurrogate() ? Qt::Key_unknown : static_cast<Qt::Key>(first.toUpper().unicode());
    begin(QStringLiteral("key with text '%1' into nt(%2) '%3'").arg(text).arg(i).arg(box->text()));
    const Snapshot before = snapshot();
    QTest::sendKeyEvent(QTest::Click, box, key, text, Qt::NoModifier);
    PLAY_STEP(checkTypedInto(i, before.value(QStringLiteral("main/nt/%1").arg(i))));
    checkOnlyChanged(before, {});
}

void TstRandomPlay::typeControl()
{
    const int i = pick(kSlots);
    TextBox* box = main_->nt[i];
    const int letter = pick(26);
    QGuiApplication::clipboard()->setText(chance(0.5) ? QStringLiteral("gg") : QStringLiteral("tac"));
    begin(QStringLiteral("Ctrl+%1 in nt(%2) '%3'").arg(QChar(u'A' + letter)).arg(i).arg(box->text()));
    // Ctrl+H types code 8, which is Backspace; every other control character is dropped.
    const bool backspace = letter == 'H' - 'A';
    QString expected = box->text();
    if (backspace && box->hasSelectedText())
        expected.remove(box->selectionStart(), box->selectedText().size());
    else if (backspace && box->cursorPosition() > 0)
        expected.remove(box->cursorPosition() - 1, 1);
    const Snapshot before = snapshot();
    QTest::keyClick(box, static_cast<Qt::Key>(Qt::Key_A + letter), Qt::ControlModifier);
    if (!backspace || plainAscii(before.value(QStringLiteral("main/nt/%1").arg(i))))
        PLAY_STEP(checkTypedInto(i, expected));
    checkOnlyChanged(before, {QStringLiteral("main/nt/%1").arg(i)});
}

void TstRandomPlay::compose()
{
    const int i = pick(kSlots);
    TextBox* box = main_->nt[i];
    const QString commit = kCompositions.at(pick(static_cast<int>(kCompositions.size())));
    QString accepted;
    for (QChar c : commit) {
        const QChar lower = c.toLower();
        if (c.unicode() < 0x80 && QStringLiteral("acgt").contains(lower))
            accepted += lower;
    }
    const QString expected = accepted.isEmpty() ? box->text() : afterInsert(box, accepted);
    begin(QStringLiteral("compose '%1' into nt(%2) '%3'").arg(commit).arg(i).arg(box->text()));
    const Snapshot before = snapshot();
    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(box, &event);
    PLAY_STEP(checkTypedInto(i, expected));
    checkOnlyChanged(before, {QStringLiteral("main/nt/%1").arg(i)});
}

void TstRandomPlay::pressEditingKey()
{
    const int i = pick(kSlots);
    TextBox* box = main_->nt[i];
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        const char* name;
    };
    // Delete carries the DEL character on real keyboards; QTest sends it without text. Both must delete.
    static const Key keys[] = {
        {Qt::Key_Backspace, Qt::NoModifier, "\b", "Backspace"},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", "Backspace"},
        {Qt::Key_Delete, Qt::NoModifier, "", "Delete"},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", "Delete with DEL text"},
        {Qt::Key_Left, Qt::NoModifier, "", "Left"},
        {Qt::Key_Right, Qt::NoModifier, "", "Right"},
        {Qt::Key_Home, Qt::NoModifier, "", "Home"},
        {Qt::Key_End, Qt::NoModifier, "", "End"},
        {Qt::Key_Left, Qt::ShiftModifier, "", "Shift+Left"},
        {Qt::Key_Right, Qt::ShiftModifier, "", "Shift+Right"},
        {Qt::Key_Home, Qt::ShiftModifier, "", "Shift+Home"},
        {Qt::Key_End, Qt::ShiftModifier, "", "Shift+End"},
        {Qt::Key_Return, Qt::NoModifier, "\r", "Enter"},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", "Escape"},
        {Qt::Key_Tab, Qt::NoModifier, "\t", "Tab"},
    };
    const Key& k = keys[pick(static_cast<int>(std::size(keys)))];
    const QString text = box->text();
    std::optional<QString> expected;
    if (plainAscii(text)) {
        QString t = text;
        const int cursor = box->cursorPosition();
        const bool selection = box->hasSelectedText();
        const int from = box->selectionStart();
        const auto length = box->selectedText().size();
        if (k.key == Qt::Key_Backspace) {
            if (selection)
                t.remove(from, length);
            else if (cursor > 0)
                t.remove(cursor - 1, 1);
            expected = t;
        } else if (k.key == Qt::Key_Delete) {
            if (selection)
                t.remove(from, length);
            else if (cursor < t.size())
                t.remove(cursor, 1);
            expected = t;
        } else {
            expected = t;  // moving and selecting never change the text
        }
    }
    begin(QStringLiteral("%1 in nt(%2) '%3' at %4%5")
              .arg(QString::fromLatin1(k.name))
              .arg(i)
              .arg(text)
              .arg(box->cursorPosition())
              .arg(box->hasSelectedText() ? QStringLiteral(" with '%1' selected").arg(box->selectedText())
                                          : QString()));
    const Snapshot before = snapshot();
    QTest::sendKeyEvent(QTest::Click, box, k.key, QString::fromLatin1(k.text), k.modifiers);
    if (expected)
        PLAY_STEP(checkTypedInto(i, *expected));
    checkOnlyChanged(before, {QStringLiteral("main/nt/%1").arg(i)});
}

void TstRandomPlay::paste()
{
    const int i = pick(kSlots);
    TextBox* box = main_->nt[i];
    QString clip;
    switch (pick(4)) {
    case 0: clip = kPasteSamples.at(pick(static_cast<int>(kPasteSamples.size()))); break;
    case 1: {
        // A whole codon, in either case.
        static const char bases[] = "acgtACGT";
        for (int k = 0; k < 3; ++k)
            clip += QChar::fromLatin1(bases[pick(chance(0.8) ? 4 : 8)]);
        break;
    }
    case 2: {
        static const QString alphabet = QStringLiteral("acgtACGTuxyz019 .,;\n\t\r-àè中😀");
        const int length = 20 + pick(180);
        const QList<uint> points = alphabet.toUcs4();
        for (int k = 0; k < length; ++k) {
            const char32_t c = points.at(pick(static_cast<int>(points.size())));
            clip += QString::fromUcs4(&c, 1);
        }
        break;
    }
    default: clip = referenceCodon(reference_, i).left(pick(4)); break;
    }
    const bool all = chance(0.5);
    if (all)
        box->selectAll();
    QGuiApplication::clipboard()->setText(clip);
    const QString pasted = QGuiApplication::clipboard()->text();
    PLAY_CHECK(pasted == clip, QStringLiteral("the clipboard did not keep the text"));
    const QString expected = afterInsert(box, pasted);
    QString shown = clip.left(40);
    shown.replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    begin(QStringLiteral("paste '%1'%2 (%3 characters) into nt(%4) '%5'%6")
              .arg(shown, clip.size() > 40 ? QStringLiteral("...") : QString())
              .arg(clip.size())
              .arg(i)
              .arg(box->text(), all ? QStringLiteral(" all selected") : QString()));
    const Snapshot before = snapshot();
    box->paste();
    ++tally_.pastes;
    PLAY_STEP(checkTypedInto(i, expected));
    checkOnlyChanged(before, {QStringLiteral("main/nt/%1").arg(i)});
}

void TstRandomPlay::retype(const QString& codon, const char* what)
{
    const int i = boxToEdit();
    TextBox* box = main_->nt[i];
    QString typed = codon;
    if (typed.isEmpty()) {
        static const char bases[] = "acgtACGT";
        for (int k = 0; k < 3; ++k)
            typed += QChar::fromLatin1(bases[pick(8)]);
    } else if (typed == QLatin1String("=")) {
        typed = referenceCodon(reference_, i);
    } else if (typed == QLatin1String("~")) {
        // A different triplet that codes the same outcome as the generated one, if there is one.
        const QString generated = referenceCodon(reference_, i);
        const Outcome outcome = lookUp(generated);
        QStringList synonyms;
        static const char dna[] = "acgt";
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < 4; ++b)
                for (int c = 0; c < 4; ++c) {
                    const QString t = QString::fromLatin1(std::array<char, 3>{dna[a], dna[b], dna[c]}.data(), 3);
                    if (t != generated && lookUp(t) == outcome)
                        synonyms << t;
                }
        typed = synonyms.isEmpty() ? generated : synonyms.at(pick(static_cast<int>(synonyms.size())));
    }
    begin(QStringLiteral("%1: select all of nt(%2) '%3' and type '%4'")
              .arg(QString::fromLatin1(what))
              .arg(i)
              .arg(box->text(), typed));
    const Snapshot before = snapshot();
    box->selectAll();
    QTest::keyClicks(box, typed);
    PLAY_STEP(checkTypedInto(i, typed.toLower()));
    checkOnlyChanged(before, {QStringLiteral("main/nt/%1").arg(i)});
}

void TstRandomPlay::retypeSomeBox() { retype(QString(), "retype"); }
void TstRandomPlay::restoreSomeBox() { retype(QStringLiteral("="), "restore"); }
void TstRandomPlay::silentChange() { retype(QStringLiteral("~"), "synonymous codon"); }

void TstRandomPlay::clickCodProt()
{
    std::array<QString, kSlots> texts;
    CodonTexts core;
    bool whole = true;
    for (int i = 0; i < kSlots; ++i) {
        texts[i] = main_->nt[i]->text();
        core[i] = texts[i].toStdString();
        whole = whole && characters(texts[i]) == 3;
    }
    const bool duringNote = main_->Label15->isVisible();
    begin(QStringLiteral("click Codifica proteina%1%2")
              .arg(whole ? QString() : QStringLiteral(" with an incomplete codon"),
                   duringNote ? QStringLiteral(" during the note") : QString()));
    const Snapshot before = snapshot();
    QPointer<Form> explanationBefore = tk_->forms().find(names::mutazioni);
    QTest::mouseClick(main_->CodProt, Qt::LeftButton);
    ++tally_.runs;

    const CodingRunResult run = runCoding(core, main_->referenceSequence());
    const auto& shown = tk_->messages->shown;
    if (!whole) {
        ++tally_.lengthRefused;
        PLAY_CHECK(run.firstBadLength.has_value(), QStringLiteral("the core passed an incomplete codon"));
        PLAY_CHECK(shown.size() == messages_ + 1, QStringLiteral("%1 messages for one incomplete codon")
                                                      .arg(shown.size() - messages_));
        PLAY_CHECK(shown.back().prompt == kLengthMessage && shown.back().title == kTitle,
                   QStringLiteral("wrong message: ") + shown.back().prompt);
        messages_ = shown.size();
        checkOnlyChanged(before, {QStringLiteral("msgs")});
        return;
    }
    if (duringNote)
        ++tally_.duringNote;

    PLAY_CHECK(!run.firstBadLength, QStringLiteral("the core refused complete codons"));
    for (int i = 0; i < kSlots; ++i)
        PLAY_CHECK(run.rna[i] == TranscribeCodon(core[i]), QStringLiteral("core RNA %1").arg(i));

    const std::size_t wanted = messages_ + (run.stopWarning ? 1 : 0);
    PLAY_CHECK(shown.size() == wanted,
               QStringLiteral("%1 messages, expected %2").arg(shown.size() - messages_).arg(wanted - messages_));
    if (run.stopWarning) {
        ++tally_.stopWarnings;
        PLAY_CHECK(shown.back().prompt == kStopMessage && shown.back().title == kTitle,
                   QStringLiteral("wrong message: ") + shown.back().prompt);
    }
    messages_ = shown.size();

    const CodingReport report = runReport(run, rows_.previous);
    for (int i = 0; i < kSlots; ++i)
        rows_.rna[i] = qstr(run.rna[i]);
    rows_.fresh = run.outcomes;
    rows_.previous = report.previous;
    rows_.heading = report.showHeading;
    rows_.flag = report.silentMutation ? 1 : 0;
    if (rows_.flag) {
        ++tally_.silent;
        noteDue_ = tk_->clock->secondsSinceMidnight() + MainForm::kNoteSeconds;
    } else {
        noteDue_.reset();
    }
    PLAY_STEP(checkRows());

    Form* explanation = tk_->forms().find(names::mutazioni);
    PLAY_CHECK(explanation && explanation->isVisible(), QStringLiteral("the explanation window is not open"));
    if (explanationBefore)
        PLAY_CHECK(explanation == explanationBefore.data(), QStringLiteral("an open explanation window was replaced"));
    else
        ++tally_.reopens;
    checkOnlyChanged(before, {QStringLiteral("main/rna/"), QStringLiteral("main/new/"), QStringLiteral("main/old/"),
                              QStringLiteral("main/l14"), QStringLiteral("main/l15"), QStringLiteral("main/flag"),
                              QStringLiteral("forms/mutazioni"), QStringLiteral("mut/"), QStringLiteral("msgs")});
}

void TstRandomPlay::clickChnSeq()
{
    begin(QStringLiteral("click Cambia sequenza"));
    const Snapshot before = snapshot();
    QTest::mouseClick(main_->ChnSeq, Qt::LeftButton);
    ++tally_.generations;
    reference_ = main_->referenceSequence();
    PLAY_CHECK(reference_.size() == 60, QStringLiteral("reference of %1 letters").arg(reference_.size()));
    PLAY_CHECK(reference_.substr(0, 3) == "tac", QStringLiteral("no start template"));
    PLAY_CHECK(isStopTemplate(reference_.substr(57, 3)), QStringLiteral("no stop template at the end"));
    for (int i = 0; i < kSlots; ++i) {
        if (i > 0 && i < kSlots - 1)
            PLAY_CHECK(!isStopTemplate(reference_.substr(static_cast<std::size_t>(i) * 3, 3)),
                       QStringLiteral("stop template in slot %1").arg(i));
        PLAY_CHECK(main_->nt[i]->text() == referenceCodon(reference_, i), QStringLiteral("nt(%1)").arg(i));
    }
    for (char c : reference_)
        PLAY_CHECK(c == 'a' || c == 'c' || c == 'g' || c == 't', QStringLiteral("letter %1").arg(c));
    const quint8 flag = rows_.flag;  // the flag belongs to the last report, not to the sequence
    rows_ = Rows{};
    rows_.flag = flag;
    PLAY_STEP(checkRows());
    checkOnlyChanged(before, {QStringLiteral("main/nt/"), QStringLiteral("main/rna/"), QStringLiteral("main/new/"),
                              QStringLiteral("main/old/"), QStringLiteral("main/l14"), QStringLiteral("main/ref")});
}

void TstRandomPlay::clickGlyph(bool old)
{
    const int i = pick(kSlots);
    PictureBox* box = old ? main_->OldAA[i] : main_->AA[i];
    const QString code = (old ? main_->OldAaName[i] : main_->naame[i])->text();
    begin(QStringLiteral("click %1(%2) showing '%3'").arg(old ? QStringLiteral("OldAA") : QStringLiteral("AA")).arg(i).arg(code));
    const Snapshot before = snapshot();
    const bool wasLoaded = table() != nullptr;
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    if (code.isEmpty()) {
        checkOnlyChanged(before, {});
        return;
    }
    ++tally_.glyphLookUps;
    if (!wasLoaded)
        ++tally_.reopens;
    CodonTableForm* t = table();
    PLAY_CHECK(t && t->isVisible(), QStringLiteral("the codon table window did not come up"));
    PLAY_STEP(checkHighlight(code, kYellow));
    const Outcome id = FindByCode(code.toStdString());
    PLAY_CHECK(id && t->AaList->currentRow() == static_cast<int>(listIndexOf(*id)),
               QStringLiteral("list shows row %1").arg(t->AaList->currentRow()));
    checkOnlyChanged(before, {QStringLiteral("forms/Atab"), QStringLiteral("atab/")});
}

void TstRandomPlay::clickCell()
{
    CodonTableForm* t = table();
    if (!t) {
        triggerMenu();
        return;
    }
    const int cell = pick(CodonTableForm::kCells);
    const QString code = t->aminoacido[cell]->text();
    begin(QStringLiteral("click cell %1 '%2'").arg(cell).arg(code));
    const Snapshot before = snapshot();
    QTest::mouseClick(t->aminoacido[cell], Qt::LeftButton, {}, t->aminoacido[cell]->rect().center());
    PLAY_STEP(checkHighlight(code, kMagenta));
    const Outcome id = FindByCode(code.toStdString());
    PLAY_CHECK(id && t->AaList->currentRow() == static_cast<int>(listIndexOf(*id)),
               QStringLiteral("list shows row %1").arg(t->AaList->currentRow()));
    PLAY_CHECK(t->Label74->text() == listingOf(code), QStringLiteral("codons listed: ") + t->Label74->text());
    PLAY_CHECK(t->Label75->isVisible(), QStringLiteral("the codon heading is hidden"));
    checkOnlyChanged(before, {QStringLiteral("atab/")});
}

void TstRandomPlay::clickListEntry()
{
    CodonTableForm* t = table();
    if (!t) {
        triggerMenu();
        return;
    }
    const int row = pick(t->AaList->count());
    QListWidgetItem* item = t->AaList->item(row);
    t->AaList->scrollToItem(item);
    const QString code = qstr(entry(byListIndex(static_cast<std::size_t>(row))).code);
    begin(QStringLiteral("click list entry %1 '%2'").arg(row).arg(item->text()));
    const Snapshot before = snapshot();
    QTest::mouseClick(t->AaList->viewport(), Qt::LeftButton, {}, t->AaList->visualItemRect(item).center());
    PLAY_CHECK(t->selectedCode() == code, QStringLiteral("chosen code '%1'").arg(t->selectedCode()));
    PLAY_STEP(checkHighlight(code, kMagenta));
    PLAY_CHECK(t->Label74->text() == listingOf(code), QStringLiteral("codons listed: ") + t->Label74->text());
    checkOnlyChanged(before, {QStringLiteral("atab/")});
}

void TstRandomPlay::triggerMenu()
{
    const int which = pick(7);
    QAction* action = which < 3 ? main_->Atabella : which < 5 ? main_->Info : main_->mnuInformations;
    const QString name = action == main_->Atabella ? names::Atab
                         : action == main_->Info   ? names::InformazsuVintalem
                                                   : names::Information;
    begin(QStringLiteral("menu %1").arg(action->text()));
    const Snapshot before = snapshot();
    QPointer<Form> open = tk_->forms().find(name);
    action->trigger();
    Form* form = tk_->forms().find(name);
    PLAY_CHECK(form && form->isVisible(), name + QStringLiteral(" is not open"));
    if (open) {
        PLAY_CHECK(form == open.data(), name + QStringLiteral(" was opened a second time"));
        checkOnlyChanged(before, {});
        return;
    }
    ++tally_.reopens;
    if (name == names::Atab) {
        CodonTableForm* t = table();
        PLAY_STEP(checkHighlight(QString(), QColor()));
        PLAY_CHECK(t->AaList->currentRow() == -1 && t->selectedCode().isEmpty() && t->Label74->text().isEmpty() &&
                       !t->Label75->isVisible(),
                   QStringLiteral("a reopened codon table window kept old state"));
        checkOnlyChanged(before, {QStringLiteral("forms/Atab"), QStringLiteral("atab/")});
    } else if (name == names::Information) {
        for (const QString& blocked : {names::zuvo, names::mutazioni, names::Atab})
            if (Form* f = tk_->forms().find(blocked))
                PLAY_CHECK(!f->isEnabled(), blocked + QStringLiteral(" still enabled"));
        checkOnlyChanged(before, {QStringLiteral("forms/")});
    } else {
        checkOnlyChanged(before, {QStringLiteral("forms/") + name});
    }
}

void TstRandomPlay::closeWindow()
{
    QStringList open;
    for (const QString& name : kClosable)
        if (tk_->forms().isLoaded(name))
            open << name;
    if (open.isEmpty()) {
        triggerMenu();
        return;
    }
    const QString name = open.at(pick(static_cast<int>(open.size())));
    Form* form = tk_->forms().find(name);
    const bool box = chance(0.5);
    begin(QStringLiteral("%1 %2").arg(box ? QStringLiteral("close box of") : QStringLiteral("close()"), name));
    const Snapshot before = snapshot();
    if (box)
        form->windowHandle()->close();
    else
        form->close();
    test::flushDeletes();
    ++tally_.closes;
    PLAY_CHECK(!tk_->forms().isLoaded(name), name + QStringLiteral(" is still loaded"));
    if (name == names::Atab)
        checkOnlyChanged(before, {QStringLiteral("forms/Atab"), QStringLiteral("atab/")});
    else if (name == names::mutazioni)
        checkOnlyChanged(before, {QStringLiteral("forms/mutazioni"), QStringLiteral("mut/")});
    else if (name == names::Information)
        checkOnlyChanged(before, {QStringLiteral("forms/")});
    else
        checkOnlyChanged(before, {QStringLiteral("forms/") + name});
}

void TstRandomPlay::advanceClock()
{
    const double now = tk_->clock->secondsSinceMidnight();
    double step = 0;
    const int kind = pick(8);
    if (noteDue_ && kind >= 5) {
        const double left = *noteDue_ - now;
        step = std::max(0.0, kind == 5 ? left : kind == 6 ? left - 0.001 : left + 0.001);
    } else {
        step = kind < 3 ? uniform(0.0, 0.5) : kind < 5 ? uniform(0.5, 2.5) : 0.0;
    }
    begin(QStringLiteral("advance the clock by %1 s%2")
              .arg(step, 0, 'f', 4)
              .arg(noteDue_ ? QStringLiteral(" (note due in %1 s)").arg(*noteDue_ - now, 0, 'f', 4) : QString()));
    const Snapshot before = snapshot();
    tk_->clock->advance(step);
    // Let the windows catch up with what is pending, as an idle moment would.
    QCoreApplication::processEvents();
    checkOnlyChanged(before, {QStringLiteral("main/l15")});
}

void TstRandomPlay::disabledInput()
{
    ++tally_.disabledInputs;
    const Snapshot before = snapshot();
    QWindow* window = main_->windowHandle();
    const int kind = pick(9);
    switch (kind) {
    case 0: {
        const bool codProt = chance(0.6);
        QPushButton* b = codProt ? main_->CodProt : main_->ChnSeq;
        begin(QStringLiteral("click %1 through the disabled main window").arg(b->text()));
        QTest::mouseClick(window, Qt::LeftButton, {}, inForm(b));
        break;
    }
    case 1: {
        const int i = pick(kSlots);
        PictureBox* box = chance(0.5) ? main_->AA[i] : main_->OldAA[i];
        begin(QStringLiteral("click %1 through the disabled main window").arg(box->objectName()));
        QTest::mouseClick(window, Qt::LeftButton, {}, inForm(box));
        break;
    }
    case 2: {
        const int i = pick(kSlots);
        static const char keys[] = "acgtACGTx5";
        const char c = keys[pick(10)];
        begin(QStringLiteral("click nt(%1) and type '%2' through the disabled main window").arg(i).arg(c));
        QTest::mouseClick(window, Qt::LeftButton, {}, inForm(main_->nt[i]));
        QTest::keyClick(window, c);
        QTest::keyClick(window, Qt::Key_Backspace);
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
        break;
    }
    case 3: {
        QMenuBar* bar = main_->menuBar();
        const QList<QAction*> titles = bar->actions();
        QAction* title = titles.at(pick(static_cast<int>(titles.size())));
        begin(QStringLiteral("click menu %1 through the disabled main window").arg(title->text()));
        QTest::mouseClick(window, Qt::LeftButton, {}, inForm(bar, bar->actionGeometry(title).center()));
        QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(window, Qt::Key_Down);
        QTest::keyClick(window, Qt::Key_Return);
        break;
    }
    case 4:
        begin(QStringLiteral("close box of the disabled main window"));
        window->close();
        break;
    case 5:
        if (CodonTableForm* t = table()) {
            const int cell = pick(CodonTableForm::kCells);
            begin(QStringLiteral("click cell %1 through the disabled codon table window").arg(cell));
            QTest::mouseClick(t->windowHandle(), Qt::LeftButton, {}, inForm(t->aminoacido[cell]));
            break;
        }
        [[fallthrough]];
    case 6:
        if (CodonTableForm* t = table()) {
            const int row = pick(t->AaList->count());
            begin(QStringLiteral("click list entry %1 through the disabled codon table window").arg(row));
            const QRect r = t->AaList->visualItemRect(t->AaList->item(row));
            if (t->AaList->viewport()->rect().intersects(r))
                QTest::mouseClick(t->windowHandle(), Qt::LeftButton, {}, inForm(t->AaList->viewport(), r.center()));
            QTest::keyClick(t->windowHandle(), Qt::Key_Down);
            break;
        }
        [[fallthrough]];
    case 7:
        if (Form* f = chance(0.5) ? tk_->forms().find(names::Atab) : tk_->forms().find(names::mutazioni)) {
            begin(QStringLiteral("close box of the disabled %1 window").arg(f->formName()));
            if (chance(0.5))
                f->windowHandle()->close();
            else
                f->close();
            break;
        }
        [[fallthrough]];
    default:
        if (auto* m = tk_->forms().find<MutationForm>(names::mutazioni)) {
            begin(QStringLiteral("click and type into the disabled explanation window"));
            QTest::mouseClick(m->windowHandle(), Qt::LeftButton, {}, inForm(m->explanation));
            QTest::keyClick(m->windowHandle(), 'a');
        } else {
            begin(QStringLiteral("type into the disabled main window"));
            QTest::keyClick(window, 'g');
        }
        break;
    }
    test::flushDeletes();
    PLAY_CHECK(!QApplication::activePopupWidget(), QStringLiteral("a menu opened on a disabled window"));
    checkOnlyChanged(before, {});
}

// --- checks ----------------------------------------------------------------------------------------------------

void TstRandomPlay::checkInvariants()
{
    if (!main_) {
        PLAY_CHECK(false, QStringLiteral("the main window has gone"));
    }
    for (int i = 0; i < kSlots; ++i) {
        const TextBox* box = main_->nt[i];
        const int n = characters(box->text());
        PLAY_CHECK(n <= 3 && box->text().size() <= 3,
                   QStringLiteral("nt(%1) holds %2 characters: '%3'").arg(i).arg(n).arg(box->text()));
        PLAY_CHECK(box->foreColor() == (n == 3 ? kBlack : kRed),
                   QStringLiteral("nt(%1) '%2' is coloured %3").arg(i).arg(box->text(), box->foreColor().name()));
    }
    PLAY_CHECK(main_->referenceSequence() == reference_, QStringLiteral("the reference sequence changed"));
    PLAY_STEP(checkRows());
    PLAY_CHECK(main_->Label15->isVisible() == noteShouldShow(),
               QStringLiteral("the note is %1 at %2 s, due to go at %3")
                   .arg(main_->Label15->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"))
                   .arg(tk_->clock->secondsSinceMidnight(), 0, 'f', 4)
                   .arg(noteDue_ ? QString::number(*noteDue_, 'f', 4) : QStringLiteral("never")));
    PLAY_CHECK(tk_->clock->pendingAlarms() == (noteShouldShow() ? 1 : 0),
               QStringLiteral("%1 alarms pending").arg(tk_->clock->pendingAlarms()));
    PLAY_CHECK(tk_->messages->shown.size() == messages_, QStringLiteral("an unexpected message was shown"));
    checkForms();
}

void TstRandomPlay::checkRows()
{
    const Rows& r = rows_;
    auto check = [this](const Label* caption, const PictureBox* glyph, Outcome o, const char* row, int i) {
        PLAY_CHECK(caption->text() == codeOf(o),
                   QStringLiteral("%1(%2) '%3', expected '%4'").arg(row).arg(i).arg(caption->text(), codeOf(o)));
        PLAY_CHECK(glyph->toolTip() == tipOf(o), QStringLiteral("%1(%2) tooltip '%3'").arg(row).arg(i).arg(glyph->toolTip()));
        PLAY_CHECK(glyph->isEmpty() == !glyphOf(o), QStringLiteral("%1(%2) drawing").arg(row).arg(i));
    };
    for (int i = 0; i < kSlots; ++i) {
        PLAY_CHECK(main_->RNA[i]->text() == r.rna[i],
                   QStringLiteral("RNA(%1) '%2', expected '%3'").arg(i).arg(main_->RNA[i]->text(), r.rna[i]));
        PLAY_STEP(check(main_->naame[i], main_->AA[i], r.fresh[i], "naame", i));
        PLAY_STEP(check(main_->OldAaName[i], main_->OldAA[i], r.previous[i], "OldAaName", i));
    }
    PLAY_CHECK(main_->Label14->isVisible() == r.heading, QStringLiteral("Label14 visibility"));
    PLAY_CHECK(main_->silentMutation() == r.flag, QStringLiteral("silent-mutation flag %1").arg(main_->silentMutation()));
}

void TstRandomPlay::checkForms()
{
    std::map<QString, int> instances;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(w))
            ++instances[form->formName()];
    const bool about = aboutOpen();
    for (const QString& name : kAllForms) {
        Form* form = tk_->forms().find(name);
        PLAY_CHECK(instances[name] == (form ? 1 : 0),
                   QStringLiteral("%1 instances of %2 (loaded: %3)").arg(instances[name]).arg(name).arg(form != nullptr));
        if (!form)
            continue;
        PLAY_CHECK(form->isVisible(), name + QStringLiteral(" is loaded but not shown"));
        const bool blocked = name == names::zuvo || name == names::mutazioni || name == names::Atab;
        PLAY_CHECK(form->isEnabled() == !(about && blocked),
                   QStringLiteral("%1 is %2").arg(name, form->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled")));
    }
    PLAY_CHECK(tk_->forms().isLoaded(names::zuvo), QStringLiteral("the main window was unloaded"));
    PLAY_CHECK(!QApplication::activePopupWidget(), QStringLiteral("a popup is left open"));
    if (auto* m = tk_->forms().find<MutationForm>(names::mutazioni))
        PLAY_CHECK(m->explanation->toPlainText() == MutationForm::explanationText(),
                   QStringLiteral("the explanation text changed"));
    // The codon table highlights the cells of one outcome at most, in one colour.
    if (CodonTableForm* t = table()) {
        const auto& cells = t->aminoacido;
        const auto bold = std::find_if(cells.begin(), cells.end(), [](const Label* c) { return c->fontBold(); });
        PLAY_STEP(bold == cells.end() ? checkHighlight(QString(), QColor())
                                      : checkHighlight((*bold)->text(), colourOf(*bold)));
    }
}

void TstRandomPlay::checkHighlight(const QString& code, const QColor& colour)
{
    CodonTableForm* t = table();
    PLAY_CHECK(t, QStringLiteral("no codon table window"));
    const QColor plain = t->palette().color(QPalette::Active, QPalette::ButtonText);
    for (int i = 0; i < CodonTableForm::kCells; ++i) {
        const Label* cell = t->aminoacido[i];
        const bool marked = !code.isEmpty() && cell->text() == code;
        PLAY_CHECK(cell->fontBold() == marked, QStringLiteral("cell %1 '%2' bold: %3").arg(i).arg(cell->text()).arg(cell->fontBold()));
        PLAY_CHECK(colourOf(cell) == (marked ? colour : plain),
                   QStringLiteral("cell %1 '%2' coloured %3").arg(i).arg(cell->text(), colourOf(cell).name()));
    }
}

TstRandomPlay::Snapshot TstRandomPlay::snapshot() const
{
    Snapshot s;
    for (int i = 0; i < kSlots; ++i) {
        s.insert(QStringLiteral("main/nt/%1").arg(i), main_->nt[i]->text());
        s.insert(QStringLiteral("main/rna/%1").arg(i), main_->RNA[i]->text());
        s.insert(QStringLiteral("main/new/%1").arg(i), main_->naame[i]->text() + QLatin1Char('|') +
                                                           main_->AA[i]->toolTip() + QLatin1Char('|') +
                                                           QString::number(main_->AA[i]->shapes().size()));
        s.insert(QStringLiteral("main/old/%1").arg(i), main_->OldAaName[i]->text() + QLatin1Char('|') +
                                                           main_->OldAA[i]->toolTip() + QLatin1Char('|') +
                                                           QString::number(main_->OldAA[i]->shapes().size()));
    }
    s.insert(QStringLiteral("main/l14"), QString::number(main_->Label14->isVisible()));
    s.insert(QStringLiteral("main/l15"), QString::number(main_->Label15->isVisible()));
    s.insert(QStringLiteral("main/flag"), QString::number(main_->silentMutation()));
    s.insert(QStringLiteral("main/ref"), qstr(main_->referenceSequence()));
    for (const QString& name : kAllForms) {
        const Form* f = tk_->forms().find(name);
        s.insert(QStringLiteral("forms/") + name,
                 f ? QStringLiteral("loaded %1 visible %2 enabled %3")
                         .arg(quintptr(f), 0, 16)
                         .arg(f->isVisible())
                         .arg(f->isEnabled())
                   : QStringLiteral("-"));
    }
    if (const CodonTableForm* t = table()) {
        for (int i = 0; i < CodonTableForm::kCells; ++i)
            s.insert(QStringLiteral("atab/cell/%1").arg(i),
                     QStringLiteral("%1 %2").arg(t->aminoacido[i]->fontBold()).arg(colourOf(t->aminoacido[i]).name()));
        s.insert(QStringLiteral("atab/list"), QString::number(t->AaList->currentRow()));
        s.insert(QStringLiteral("atab/codons"), t->Label74->text() + QLatin1Char('|') +
                                                    QString::number(t->Label75->isVisible()));
        s.insert(QStringLiteral("atab/chosen"), t->selectedCode());
    }
    if (const auto* m = tk_->forms().find<MutationForm>(names::mutazioni))
        s.insert(QStringLiteral("mut/text"), QString::number(qHash(m->explanation->toPlainText())));
    s.insert(QStringLiteral("msgs"), QString::number(tk_->messages->shown.size()));
    return s;
}

void TstRandomPlay::checkOnlyChanged(const Snapshot& before, const QStringList& prefixes)
{
    const Snapshot after = snapshot();
    auto allowed = [&](const QString& key) {
        for (const QString& p : prefixes)
            if (key.startsWith(p))
                return true;
        return false;
    };
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (allowed(it.key()))
            continue;
        PLAY_CHECK(after.contains(it.key()), it.key() + QStringLiteral(" disappeared"));
        PLAY_CHECK(after.value(it.key()) == it.value(),
                   QStringLiteral("%1 changed from '%2' to '%3'").arg(it.key(), it.value(), after.value(it.key())));
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (!allowed(it.key()))
            PLAY_CHECK(before.contains(it.key()), it.key() + QStringLiteral(" appeared"));
}

QTEST_MAIN(TstRandomPlay)
#include "tst_random_play.moc"
