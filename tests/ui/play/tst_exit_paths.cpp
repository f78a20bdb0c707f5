// Every way out of the game ends it, whatever else is on screen at that moment.

#include "tests/support/game.h"
#include "ui/form_names.h"
#include "ui/info/about_form.h"
#include "ui/main/main_form.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <vector>

using namespace vintalem;
using namespace vintalem::ui;
using test::kAllForms;

namespace {

// The windows besides the main one, one bit each in a row's subset.
const QStringList kOthers{names::Atab, names::mutazioni, names::InformazsuVintalem, names::Information};

enum class Way { CloseBox, Close, Esci };
enum class Moment { Idle, Note, LengthMessage, StopMessage };

const char* const kWayNames[] = {"close box", "close()", "Esci"};
const char* const kMomentNames[] = {"idle", "during the note", "length message up", "stop message up"};

void takeWayOut(MainForm* main, Way way)
{
    switch (way) {
    case Way::CloseBox: main->windowHandle()->close(); break;
    case Way::Close: main->close(); break;
    case Way::Esci: main->mnuExit->trigger(); break;
    }
}

// What the player does with the disabled main window when trying that way out.
void tryWayOutOnDisabledWindow(MainForm* main, Way way)
{
    QWindow* window = main->windowHandle();
    if (way == Way::Esci) {
        QMenuBar* bar = main->menuBar();
        QAction* file = bar->actions().value(0);
        QTest::mouseClick(window, Qt::LeftButton, {}, bar->mapTo(main, bar->actionGeometry(file).center()));
        QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(window, Qt::Key_E);
    } else if (way == Way::CloseBox) {
        window->close();
    } else {
        main->close();
    }
}

}  // namespace

class TstExitPaths : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void everyWayOutEndsTheProgram_data();
    void everyWayOutEndsTheProgram();
    void esciFromCodeWhileAboutIsOpen();
    void programStartsAndKeepsRunning();
};

void TstExitPaths::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void TstExitPaths::cleanup() { test::flushDeletes(); }

void TstExitPaths::everyWayOutEndsTheProgram_data()
{
    QTest::addColumn<int>("subset");
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("moment");
    for (int subset = 0; subset < 16; ++subset) {
        const bool about = subset & 8;
        for (Moment moment : {Moment::Idle, Moment::Note, Moment::LengthMessage, Moment::StopMessage}) {
            // A message needs a press of the button, which the about window blocks.
            if (about && (moment == Moment::LengthMessage || moment == Moment::StopMessage))
                continue;
            for (Way way : {Way::CloseBox, Way::Close, Way::Esci}) {
                QStringList open;
                for (int k = 0; k < 4; ++k)
                    if (subset & (1 << k))
                        open << kOthers.at(k);
                QTest::addRow("%s, %s, with {%s}", kWayNames[int(way)], kMomentNames[int(moment)],
                              qPrintable(open.join(QLatin1Char(','))))
                    << subset << int(way) << int(moment);
            }
        }
    }
}

void TstExitPaths::everyWayOutEndsTheProgram()
{
    QFETCH(int, subset);
    QFETCH(int, way);
    QFETCH(int, moment);
    const Way how = static_cast<Way>(way);
    const Moment when = static_cast<Moment>(moment);
    const bool withAbout = subset & 8;

    test::Game g;
    test::TestToolkit& tk = g.tk;
    MainForm* main = g.main;
    QVERIFY(g.designedInstalled());

    // Bring the windows of the row on screen the way a player does.
    if (when == Moment::Note) {
        // The designed strand ends in att; act codes the same stop: a silent change.
        main->nt[19]->setText(QStringLiteral("act"));
        QTest::mouseClick(main->CodProt, Qt::LeftButton);
        QVERIFY(main->Label15->isVisible());
    } else if (subset & 2) {
        QTest::mouseClick(main->CodProt, Qt::LeftButton);
    }
    if (!(subset & 2))
        if (Form* explanation = tk.forms().find(names::mutazioni))
            explanation->close();
    if (!(subset & 1))
        tk.forms().find(names::Atab)->close();
    else if (!tk.forms().isLoaded(names::Atab))
        main->Atabella->trigger();
    if (subset & 4)
        main->Info->trigger();
    if (withAbout)
        main->mnuInformations->trigger();
    test::flushDeletes();

    std::vector<QPointer<Form>> windows;
    for (int k = 0; k < 4; ++k) {
        Form* form = tk.forms().find(kOthers.at(k));
        QCOMPARE(form != nullptr, bool(subset & (1 << k)));
        if (form) {
            QVERIFY(form->isVisible());
            windows.emplace_back(form);
        }
    }
    windows.emplace_back(main);
    QCOMPARE(main->isEnabled(), !withAbout);
    if (when == Moment::Note)
        QVERIFY(main->Label15->isVisible());

    if (when == Moment::LengthMessage) {
        main->nt[4]->setText(main->nt[4]->text().left(2));
    } else if (when == Moment::StopMessage) {
        main->nt[19]->setText(QStringLiteral("ggg"));  // the generated middle codons are never stops
    }
    bool messageUp = false;
    tk.messages->whileShown = [&] {
        messageUp = true;
        takeWayOut(main, how);
    };

    QEventLoop loop;
    connect(&tk.forms(), &FormRegistry::lastFormUnloaded, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    bool timedOut = false;
    QTimer safety;
    safety.setSingleShot(true);
    connect(&safety, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.exit(1);
    });
    safety.start(5000);

    bool ignoredWhileDisabled = true;
    QTimer::singleShot(0, main, [&, main] {
        if (when == Moment::LengthMessage || when == Moment::StopMessage) {
            QTest::mouseClick(main->CodProt, Qt::LeftButton);
            return;
        }
        if (withAbout) {
            // The about window holds the main window still: this try changes nothing.
            tryWayOutOnDisabledWindow(main, how);
            test::flushDeletes();
            ignoredWhileDisabled = tk.forms().find(names::zuvo) == main && main->isVisible() &&
                                   tk.forms().loadedCount() == static_cast<int>(windows.size()) &&
                                   !QApplication::activePopupWidget();
            QTest::mouseClick(tk.forms().find<AboutForm>(names::Information)->ok, Qt::LeftButton);
        }
        takeWayOut(main, how);
    });

    const int status = loop.exec();
    QVERIFY2(!timedOut, "the way out never ended the program");
    QCOMPARE(status, 0);
    QVERIFY2(ignoredWhileDisabled, "the disabled main window reacted");
    QVERIFY(tk.forms().ended());
    QCOMPARE(tk.forms().loadedCount(), 0);
    if (when == Moment::LengthMessage || when == Moment::StopMessage) {
        QVERIFY(messageUp);
        QCOMPARE(tk.messages->shown.size(), std::size_t(1));
        QCOMPARE(tk.messages->shown.front().prompt,
                 when == Moment::LengthMessage ? test::kLengthMessage : test::kStopMessage);
    }
    for (const QPointer<Form>& form : windows)
        if (form)
            QVERIFY2(!form->isVisible(), qPrintable(form->formName()));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<Form*>(w))
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));

    test::flushDeletes();
    // A note that was still up must not bring anything back when its time comes.
    tk.clock->advance(5.0);
    test::flushDeletes();
    for (const QPointer<Form>& form : windows)
        QVERIFY(form.isNull());
    QVERIFY(!test::anyFormLeft());
    for (const QString& name : kAllForms) {
        QCOMPARE(tk.forms().find(name), nullptr);
        QCOMPARE(tk.forms().load(name), nullptr);
    }
    QCOMPARE(tk.forms().loadedCount(), 0);
    QCOMPARE(tk.clock->pendingAlarms(), 0);
}

void TstExitPaths::esciFromCodeWhileAboutIsOpen()
{
    // Not a player's way (the menu is disabled), but the unload order must cope with the
    // about window enabling windows that are already gone.
    test::Game g;
    test::TestToolkit& tk = g.tk;
    MainForm* main = g.main;
    g.press();
    main->Info->trigger();
    main->mnuInformations->trigger();
    QCOMPARE(tk.forms().loadedCount(), 5);

    QSignalSpy ended(&tk.forms(), &FormRegistry::lastFormUnloaded);
    main->mnuExit->trigger();
    QCOMPARE(ended.count(), 1);
    test::flushDeletes();
    for (const QString& name : kAllForms)
        QCOMPARE(tk.forms().load(name), nullptr);
    QVERIFY(!test::anyFormLeft());
}

void TstExitPaths::programStartsAndKeepsRunning()
{
    // The program has no command line and no way out but its windows, so this only proves
    // that the real executable starts, shows its windows and is still running once its event
    // loop runs. A plugin loaded into it reports the shown windows at that moment.
#ifndef TEST_PLUGINS
    QSKIP("A statically linked Qt loads no plugin into the program to report its windows");
#else
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(TEST_PLUGINS));
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("vintalemshownwindows"));
    program.setProcessEnvironment(env);
    program.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VINTALEM_EXE_FROM_TEST)), {});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));

    // The deadline only keeps a broken program from hanging the suite; the line decides.
    QByteArray out;
    const QDeadlineTimer safety(120000);
    while (!out.contains('\n') && program.waitForReadyRead(safety.remainingTime()))
        out += program.readAllStandardOutput();
    const QString line = QString::fromUtf8(out).trimmed();
    QVERIFY2(line.startsWith(QStringLiteral("shown windows: ")),
             qPrintable(QStringLiteral("no report (%1): %2").arg(line, QString::fromLocal8Bit(program.readAllStandardError()))));
    const QStringList shown = line.mid(15).split(QLatin1Char('|'));
    QVERIFY2(shown.contains(QStringLiteral("Vintalem")), qPrintable(line));
    QVERIFY2(shown.contains(QStringLiteral("Tabella degli Aminoacidi")), qPrintable(line));
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    QVERIFY(program.waitForFinished());
#endif
}

QTEST_MAIN(TstExitPaths)
#include "tst_exit_paths.moc"
