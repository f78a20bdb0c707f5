#include "tests/support/fakes.h"
#include "ui/toolkit/form.h"
#include "ui/toolkit/form_registry.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/twips.h"

#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

// What the probe forms did, kept outside them so it survives their destruction.
struct Journal {
    QStringList events;
    std::map<QString, int> created;
    int count(const QString& event) const { return static_cast<int>(events.count(event)); }
};

// A form that writes down its lifecycle and lets a test script its handlers.
class ProbeForm : public Form {
    Q_OBJECT
public:
    using LoadHook = std::function<void(ProbeForm&)>;
    using QueryHook = std::function<void(ProbeForm&, int& cancel, int mode)>;

    ProbeForm(const QString& name, Journal& journal, LoadHook onLoad, QueryHook onQuery)
        : Form(name, QStringLiteral("Probe ") + name, 3000, 1500),
          journal_(journal),
          onLoad_(std::move(onLoad)),
          onQuery_(std::move(onQuery))
    {
        ++journal_.created[name];
    }
    ~ProbeForm() override { journal_.events << QStringLiteral("destroyed:") + formName(); }

    void Form_Load() override
    {
        ++loads;
        journal_.events << QStringLiteral("load:") + formName();
        if (onLoad_)
            onLoad_(*this);
    }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override
    {
        journal_.events << QStringLiteral("query:%1:%2").arg(formName()).arg(UnloadMode);
        if (onQuery_)
            onQuery_(*this, Cancel, UnloadMode);
    }

    int loads = 0;

private:
    Journal& journal_;
    LoadHook onLoad_;
    QueryHook onQuery_;
};

QString query(const QString& name, int mode) { return QStringLiteral("query:%1:%2").arg(name).arg(mode); }

// A bare toolkit with only the probe forms the test registers.
struct Bench {
    Journal journal;  // outlives the forms, which write to it as they go
    Toolkit toolkit;

    // Unloaded forms are deleted later; let that happen while the journal is still here.
    ~Bench() { test::flushDeletes(); }

    FormRegistry& forms() { return toolkit.forms(); }

    void add(const QString& name, ProbeForm::QueryHook onQuery = {}, ProbeForm::LoadHook onLoad = {})
    {
        forms().registerForm(name, [this, name, onQuery, onLoad] {
            return std::make_unique<ProbeForm>(name, journal, onLoad, onQuery);
        });
    }
    ProbeForm* probe(const QString& name) { return forms().find<ProbeForm>(name); }
};

const QString A = QStringLiteral("a");
const QString B = QStringLiteral("b");
const QString C = QStringLiteral("c");
const QString Keeper = QStringLiteral("keeper");

}  // namespace

class TstFormRegistry : public QObject {
    Q_OBJECT
public:
    static void initMain();

private slots:
    void initTestCase();
    void cleanup();

    void stopsWithoutToolkit_data();
    void stopsWithoutToolkit();

    void oneInstancePerName();
    void unknownNameLoadsNothing();
    void loadRunsFormLoadOnceWithoutShowing();
    void findNeverLoads();
    void showLoadsShowsAndRaises();
    void hideKeepsTheFormLoaded();
    void unloadOfUnloadedFormDoesNothing();
    void queryUnloadRunsOncePerUnload();
    void closeRequestUnloadsWithControlMenuMode();
    void reloadedFormStartsAfresh();
    void formUnloadingItselfFromQueryUnload();
    void nestedUnloadDuringQueryUnload();
    void reentrantUnloadOfTheFormWhoseQueryRuns();
    void cancelKeepsTheForm();
    void setEnabledNeverLoads();
    void disabledFormIgnoresCloseRequests();
    void lastFormUnloadedOnce();
    void nothingLoadsAfterTheEnd();
    void formUnloadingItselfInFormLoad();
    void clientAreaInTwips();
    void twipsToPixels_data();
    void twipsToPixels();
    void placeTwipsSetsGeometry();
};

void TstFormRegistry::initTestCase()
{
    // The registry, not the last closed window, decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TstFormRegistry::cleanup() { test::flushDeletes(); }

// This program run again by stopsWithoutToolkit: before anything else, it asks for what needs a toolkit.
void TstFormRegistry::initMain()
{
    const QByteArray call = qgetenv("VINTALEM_CALL_WITHOUT_TOOLKIT");
    if (call == "Toolkit::current()")
        Toolkit::current();
    else if (call == "forms()")
        ui::forms();
}

void TstFormRegistry::stopsWithoutToolkit_data()
{
    QTest::addColumn<QString>("report");
    QTest::newRow("Toolkit::current()") << "Toolkit::current(): there is no toolkit";
    QTest::newRow("forms()") << "forms(): there is no form registry";
}

// Not a null dereference, nor an assert a release build leaves out: a stop that says why.
void TstFormRegistry::stopsWithoutToolkit()
{
    QFETCH(QString, report);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VINTALEM_CALL_WITHOUT_TOOLKIT"), QString::fromLatin1(QTest::currentDataTag()));
    env.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));  // Windows: not to the debugger
    child.setProcessEnvironment(env);
    // A child that did not stop runs one quick test and passes, which fails this one.
    child.start(QCoreApplication::applicationFilePath(), {"-platform", "offscreen", "oneInstancePerName"});
    QVERIFY2(child.waitForFinished(120000), qPrintable(child.errorString()));
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(err.contains(report), qPrintable(err));
    QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
}

void TstFormRegistry::oneInstancePerName()
{
    Bench bench;
    bench.add(A);
    bench.add(B);
    Form* first = bench.forms().load(A);
    QVERIFY(first);
    QCOMPARE(bench.forms().load(A), first);
    QCOMPARE(bench.forms().show(A), first);
    QCOMPARE(bench.forms().find(A), first);
    QCOMPARE(bench.journal.created[A], 1);
    Form* other = bench.forms().load(B);
    QVERIFY(other && other != first);
    QCOMPARE(first->formName(), A);
    QCOMPARE(other->formName(), B);
    QCOMPARE(bench.forms().loadedCount(), 2);
}

void TstFormRegistry::unknownNameLoadsNothing()
{
    Bench bench;
    bench.add(A);
    QSignalSpy ended(&bench.forms(), &FormRegistry::lastFormUnloaded);
    QCOMPARE(bench.forms().load(QStringLiteral("nobody")), nullptr);
    QCOMPARE(bench.forms().show(QStringLiteral("nobody")), nullptr);
    QCOMPARE(bench.forms().loadedCount(), 0);
    QVERIFY(!bench.forms().ended());
    QCOMPARE(ended.count(), 0);
}

void TstFormRegistry::loadRunsFormLoadOnceWithoutShowing()
{
    Bench bench;
    bench.add(A);
    auto* form = bench.forms().load<ProbeForm>(A);
    QVERIFY(form);
    QCOMPARE(form->loads, 1);
    QVERIFY(!form->isVisible());
    QVERIFY(!bench.forms().isVisible(A));
    QVERIFY(bench.forms().isLoaded(A));
    bench.forms().load(A);
    bench.forms().show(A);
    QCOMPARE(form->loads, 1);
    QCOMPARE(bench.journal.count(QStringLiteral("load:a")), 1);
}

void TstFormRegistry::findNeverLoads()
{
    Bench bench;
    bench.add(A);
    QCOMPARE(bench.forms().find(A), nullptr);
    QVERIFY(!bench.forms().isLoaded(A));
    QVERIFY(!bench.forms().isVisible(A));
    QCOMPARE(bench.journal.created[A], 0);
    QCOMPARE(bench.forms().loadedCount(), 0);
}

void TstFormRegistry::showLoadsShowsAndRaises()
{
    Bench bench;
    bench.add(A);
    bench.add(B);
    auto* a = static_cast<ProbeForm*>(bench.forms().show(A));
    QVERIFY(a);
    QCOMPARE(a->loads, 1);
    QVERIFY(a->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(a));

    auto* b = static_cast<ProbeForm*>(bench.forms().show(B));
    QVERIFY(QTest::qWaitForWindowActive(b));
    QVERIFY(!a->isActiveWindow());

    // Showing an open form again brings it to the front instead of opening a second one.
    QCOMPARE(bench.forms().show(A), a);
    QVERIFY(QTest::qWaitForWindowActive(a));
    QCOMPARE(a->loads, 1);
    QCOMPARE(bench.forms().loadedCount(), 2);
}

void TstFormRegistry::hideKeepsTheFormLoaded()
{
    Bench bench;
    bench.add(A);
    Form* a = bench.forms().show(A);
    bench.forms().hide(A);
    QVERIFY(!a->isVisible());
    QCOMPARE(bench.forms().find(A), a);
    QCOMPARE(bench.journal.count(query(A, FormCode)), 0);
    bench.forms().hide(B);  // not registered, not loaded: nothing to hide
    QCOMPARE(bench.forms().loadedCount(), 1);
}

void TstFormRegistry::unloadOfUnloadedFormDoesNothing()
{
    Bench bench;
    bench.add(A);
    bench.add(B);
    QSignalSpy unloaded(&bench.forms(), &FormRegistry::formUnloaded);
    QSignalSpy ended(&bench.forms(), &FormRegistry::lastFormUnloaded);

    bench.forms().unload(A);
    QCOMPARE(bench.journal.created[A], 0);
    QVERIFY(bench.journal.events.isEmpty());
    QCOMPARE(unloaded.count(), 0);
    QCOMPARE(ended.count(), 0);
    QVERIFY(!bench.forms().ended());

    // Once gone, a second unload finds nothing to do either.
    bench.forms().load(A);
    bench.forms().load(B);
    bench.forms().unload(A);
    bench.forms().unload(A);
    QCOMPARE(bench.journal.count(query(A, FormCode)), 1);
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(bench.forms().isLoaded(B));
}

void TstFormRegistry::queryUnloadRunsOncePerUnload()
{
    Bench bench;
    bench.add(A);
    bench.add(Keeper);
    bench.forms().load(Keeper);
    QPointer<Form> a = bench.forms().show(A);
    QSignalSpy unloaded(&bench.forms(), &FormRegistry::formUnloaded);

    bench.forms().unload(A);
    QCOMPARE(bench.journal.count(query(A, FormCode)), 1);
    QVERIFY(!bench.forms().isLoaded(A));
    QCOMPARE(unloaded.count(), 1);
    QCOMPARE(unloaded.at(0).at(0).toString(), A);
    QVERIFY(a && !a->isVisible());  // hidden at once, destroyed later
    test::flushDeletes();
    QVERIFY(!a);
    QVERIFY(bench.journal.events.contains(QStringLiteral("destroyed:a")));

    bench.forms().show(A);
    bench.forms().unload(A);
    QCOMPARE(bench.journal.count(query(A, FormCode)), 2);
    QCOMPARE(unloaded.count(), 2);
}

void TstFormRegistry::closeRequestUnloadsWithControlMenuMode()
{
    Bench bench;
    bench.add(A);
    bench.add(Keeper);
    bench.forms().load(Keeper);
    QPointer<Form> a = bench.forms().show(A);
    a->close();
    QCOMPARE(bench.journal.count(query(A, FormControlMenu)), 1);
    QCOMPARE(bench.journal.count(query(A, FormCode)), 0);
    QVERIFY(!bench.forms().isLoaded(A));
    QVERIFY(a && !a->isVisible());
    test::flushDeletes();
    QVERIFY(!a);
}

void TstFormRegistry::reloadedFormStartsAfresh()
{
    Bench bench;
    bench.add(A);
    bench.add(Keeper);
    bench.forms().load(Keeper);
    auto* first = bench.forms().load<ProbeForm>(A);
    first->setProperty("state", 42);
    bench.forms().unload(A);
    test::flushDeletes();
    auto* second = bench.forms().load<ProbeForm>(A);
    QVERIFY(second);
    QCOMPARE(bench.journal.created[A], 2);
    QCOMPARE(second->loads, 1);
    QVERIFY(!second->property("state").isValid());
    QCOMPARE(bench.journal.count(QStringLiteral("load:a")), 2);
}

void TstFormRegistry::formUnloadingItselfFromQueryUnload()
{
    Bench bench;
    bench.add(A, [&bench](ProbeForm& self, int&, int) {
        self.hide();
        bench.forms().unload(A);
        // Already gone from the registry, though the object still runs this handler.
        QVERIFY(!bench.forms().isLoaded(A));
    });
    bench.add(Keeper);
    bench.forms().load(Keeper);
    QPointer<Form> a = bench.forms().show(A);
    QSignalSpy unloaded(&bench.forms(), &FormRegistry::formUnloaded);

    bench.forms().unload(A);
    QCOMPARE(bench.journal.count(query(A, FormCode)), 1);
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!bench.forms().isLoaded(A));
    QVERIFY(a && !a->isVisible());
    test::flushDeletes();
    QVERIFY(!a);

    // The same through the close box.
    a = bench.forms().show(A);
    a->close();
    QCOMPARE(bench.journal.count(query(A, FormControlMenu)), 1);
    QCOMPARE(unloaded.count(), 2);
    QVERIFY(!bench.forms().isLoaded(A));
}

void TstFormRegistry::nestedUnloadDuringQueryUnload()
{
    Bench bench;
    // Like a main window that takes the others with it: c, itself, then b.
    bench.add(A, [&bench](ProbeForm&, int&, int) {
        bench.forms().unload(C);
        bench.forms().unload(A);
        bench.forms().unload(B);
    });
    bench.add(B);
    bench.add(C);
    bench.add(Keeper);
    bench.forms().load(Keeper);
    bench.forms().show(A);
    bench.forms().show(B);
    bench.forms().show(C);
    QSignalSpy unloaded(&bench.forms(), &FormRegistry::formUnloaded);

    bench.forms().unload(A, FormControlMenu);
    QCOMPARE(unloaded.count(), 3);
    QCOMPARE(unloaded.at(0).at(0).toString(), C);
    QCOMPARE(unloaded.at(1).at(0).toString(), A);
    QCOMPARE(unloaded.at(2).at(0).toString(), B);
    QCOMPARE(bench.journal.count(query(A, FormControlMenu)), 1);
    QCOMPARE(bench.journal.count(query(B, FormCode)), 1);
    QCOMPARE(bench.journal.count(query(C, FormCode)), 1);
    QCOMPARE(bench.forms().loadedCount(), 1);
    QVERIFY(bench.forms().isLoaded(Keeper));
}

void TstFormRegistry::reentrantUnloadOfTheFormWhoseQueryRuns()
{
    Bench bench;
    // a's handler unloads b, whose handler unloads a again while a's handler still runs.
    bench.add(A, [&bench](ProbeForm&, int&, int) { bench.forms().unload(B); });
    bench.add(B, [&bench](ProbeForm&, int&, int) { bench.forms().unload(A); });
    bench.add(Keeper);
    bench.forms().load(Keeper);
    QPointer<Form> a = bench.forms().show(A);
    bench.forms().show(B);
    QSignalSpy unloaded(&bench.forms(), &FormRegistry::formUnloaded);

    bench.forms().unload(A);
    QCOMPARE(bench.journal.count(query(A, FormCode)), 1);
    QCOMPARE(bench.journal.count(query(B, FormCode)), 1);
    QCOMPARE(unloaded.count(), 2);
    QCOMPARE(unloaded.at(0).at(0).toString(), A);
    QCOMPARE(unloaded.at(1).at(0).toString(), B);
    QCOMPARE(bench.forms().loadedCount(), 1);
    test::flushDeletes();
    QVERIFY(!a);
}

void TstFormRegistry::cancelKeepsTheForm()
{
    int refusals = 1;
    Bench bench;
    bench.add(A, [&refusals](ProbeForm&, int& cancel, int) {
        if (refusals > 0) {
            --refusals;
            cancel = 1;
        }
    });
    QPointer<Form> a = bench.forms().show(A);
    QSignalSpy unloaded(&bench.forms(), &FormRegistry::formUnloaded);
    QSignalSpy ended(&bench.forms(), &FormRegistry::lastFormUnloaded);

    a->close();
    QCOMPARE(bench.journal.count(query(A, FormControlMenu)), 1);
    QCOMPARE(bench.forms().find(A), a.data());
    QVERIFY(a->isVisible());
    QCOMPARE(unloaded.count(), 0);
    QCOMPARE(ended.count(), 0);

    // A refusal does not stop the next request from asking again.
    bench.forms().unload(A);
    QCOMPARE(bench.journal.count(query(A, FormCode)), 1);
    QVERIFY(!bench.forms().isLoaded(A));
    QCOMPARE(unloaded.count(), 1);
    QCOMPARE(ended.count(), 1);
}

void TstFormRegistry::setEnabledNeverLoads()
{
    Bench bench;
    bench.add(A);
    bench.add(B);
    bench.forms().setEnabled(A, false);
    bench.forms().setEnabled(A, true);
    QVERIFY(!bench.forms().isLoaded(A));
    QCOMPARE(bench.journal.created[A], 0);

    Form* b = bench.forms().show(B);
    bench.forms().setEnabled(B, false);
    QVERIFY(!b->isEnabled());
    bench.forms().setEnabled(B, true);
    QVERIFY(b->isEnabled());

    // Enabling a form that has been unloaded must not bring it back.
    bench.forms().load(A);
    bench.forms().unload(A);
    bench.forms().setEnabled(A, true);
    QVERIFY(!bench.forms().isLoaded(A));
    QCOMPARE(bench.journal.created[A], 1);
}

void TstFormRegistry::disabledFormIgnoresCloseRequests()
{
    Bench bench;
    bench.add(A);
    QPointer<Form> a = bench.forms().show(A);
    bench.forms().setEnabled(A, false);
    a->close();
    QCOMPARE(bench.journal.count(query(A, FormControlMenu)), 0);
    QCOMPARE(bench.forms().find(A), a.data());
    QVERIFY(a->isVisible());

    bench.forms().setEnabled(A, true);
    a->close();
    QCOMPARE(bench.journal.count(query(A, FormControlMenu)), 1);
    QVERIFY(!bench.forms().isLoaded(A));
}

void TstFormRegistry::lastFormUnloadedOnce()
{
    Bench bench;
    // The last form's handler unloads the other as well: the end still comes once.
    bench.add(A, [&bench](ProbeForm&, int&, int) {
        bench.forms().unload(A);
        bench.forms().unload(B);
    });
    bench.add(B, [&bench](ProbeForm&, int&, int) { bench.forms().unload(A); });
    bench.add(C);
    bench.forms().show(A);
    bench.forms().show(B);
    bench.forms().show(C);
    QSignalSpy ended(&bench.forms(), &FormRegistry::lastFormUnloaded);
    QSignalSpy unloaded(&bench.forms(), &FormRegistry::formUnloaded);

    bench.forms().unload(C);
    QCOMPARE(ended.count(), 0);
    QVERIFY(!bench.forms().ended());

    bench.forms().unload(A);
    QCOMPARE(ended.count(), 1);
    QVERIFY(bench.forms().ended());
    QCOMPARE(unloaded.count(), 3);
    QCOMPARE(bench.forms().loadedCount(), 0);

    bench.forms().unload(A);
    bench.forms().unload(B);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(unloaded.count(), 3);
}

void TstFormRegistry::nothingLoadsAfterTheEnd()
{
    Bench bench;
    bench.add(A);
    bench.add(B);
    bench.forms().show(A);
    bench.forms().unload(A);
    QVERIFY(bench.forms().ended());
    QCOMPARE(bench.forms().load(A), nullptr);
    QCOMPARE(bench.forms().load(B), nullptr);
    QCOMPARE(bench.forms().show(B), nullptr);
    bench.forms().setEnabled(B, true);
    QCOMPARE(bench.forms().loadedCount(), 0);
    QCOMPARE(bench.journal.created[A], 1);
    QCOMPARE(bench.journal.created[B], 0);
}

void TstFormRegistry::formUnloadingItselfInFormLoad()
{
    Bench bench;
    bench.add(A, {}, [&bench](ProbeForm&) { bench.forms().unload(A); });
    bench.add(Keeper);
    bench.forms().load(Keeper);
    QCOMPARE(bench.forms().load(A), nullptr);
    QVERIFY(!bench.forms().isLoaded(A));
    QCOMPARE(bench.journal.count(query(A, FormCode)), 1);
    // Nor is a second attempt left on screen.
    QCOMPARE(bench.forms().show(A), nullptr);
    QCOMPARE(bench.journal.created[A], 2);
    test::flushDeletes();
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(w->objectName() != A);
}

void TstFormRegistry::clientAreaInTwips()
{
    Bench bench;
    bench.add(A);
    Form* a = bench.forms().show(A);
    QCOMPARE(a->client()->size(), QSize(200, 100));
    QCOMPARE(a->windowTitle(), QStringLiteral("Probe a"));
    QCOMPARE(a->objectName(), A);
}

void TstFormRegistry::twipsToPixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("column pitch") << 360 << 24;
    QTest::newRow("glyph box") << 375 << 25;
    QTest::newRow("codon box height") << 285 << 19;
    QTest::newRow("label height") << 255 << 17;
    QTest::newRow("button width") << 1455 << 97;
    QTest::newRow("main window width") << 10470 << 698;
    QTest::newRow("main window height") << 5385 << 359;
    QTest::newRow("one inch") << 1440 << 96;
}

void TstFormRegistry::twipsToPixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(ui::twipsToPixels(twips), pixels);
}

void TstFormRegistry::placeTwipsSetsGeometry()
{
    QWidget parent;
    QWidget child(&parent);
    placeTwips(&child, 840, 600, 375, 285);
    QCOMPARE(child.geometry(), QRect(56, 40, 25, 19));
    QCOMPARE(twipsRect(8880, 1080, 1455, 375), QRect(592, 72, 97, 25));
}

QTEST_MAIN(TstFormRegistry)
#include "tst_form_registry.moc"
