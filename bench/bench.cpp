// Measures the game against a minimal Qt Widgets program and times its hot paths.
//
//   vintalem_bench [--runs N] [--out FILE]
//
// 1. Start-up: the two probe programs (the game's own main() and the minimal program,
//    each with a paint probe linked in) are started alternately, N times each. The wall
//    time runs from just before fork() to the moment all their windows have painted;
//    peak resident memory comes from wait4().
// 2. In this process: the forms are loaded and one coding run is timed with its repaint,
//    then runCoding alone, then the CPU time of the 2-second note and of 5 idle seconds.
#include "app/assets.h"
#include "app/forms.h"
#include "core/coding_run.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/toolkit.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using namespace vintalem;
using namespace vintalem::ui;

// ---------------------------------------------------------------- statistics

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

double cpuMs()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(ru.ru_utime) + ms(ru.ru_stime);
}

std::string selfDir()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    std::string path(buf, static_cast<std::size_t>(n));
    return path.substr(0, path.find_last_of('/'));
}

// ---------------------------------------------------------------- start-up

struct Launch {
    bool ok = false;
    double ms = 0;         // fork() to the report of the last first paint
    double maxRssKb = 0;   // from wait4(): the whole life of the child
    std::string error;
};

Launch launch(const std::string& program, int stderrFd)
{
    Launch result;
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        result.error = std::strerror(errno);
        return result;
    }
    const long long start = monotonicNs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        if (stderrFd >= 0)
            dup2(stderrFd, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    if (pid < 0) {
        close(out[0]);
        result.error = std::strerror(errno);
        return result;
    }

    std::string text;
    const long long deadline = start + 30'000'000'000LL;
    for (;;) {
        const long long left = (deadline - monotonicNs()) / 1'000'000;
        if (left <= 0) {
            kill(pid, SIGKILL);
            result.error = "no report within 30 s";
            break;
        }
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            continue;
        char buf[512];
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0)
            break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    close(out[0]);

    int status = 0;
    rusage ru{};
    wait4(pid, &status, 0, &ru);
    result.maxRssKb = static_cast<double>(ru.ru_maxrss);

    const auto at = text.find("painted_ns=");
    if (result.error.empty() && at == std::string::npos)
        result.error = "no paint report (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
    if (result.error.empty()) {
        const long long painted = std::atoll(text.c_str() + at + std::strlen("painted_ns="));
        result.ms = static_cast<double>(painted - start) / 1e6;
        result.ok = true;
    }
    return result;
}

struct StartupFigures {
    std::vector<double> gameMs, gameRss, minimalMs, minimalRss;
    int failures = 0;
    std::string lastError;
};

StartupFigures measureStartup(const std::string& game, const std::string& minimal, int runs, int stderrFd)
{
    StartupFigures f;
    // One discarded launch each fills the page cache and the font cache.
    launch(game, stderrFd);
    launch(minimal, stderrFd);
    const auto record = [&](const std::string& program, std::vector<double>& ms, std::vector<double>& rss) {
        const Launch l = launch(program, stderrFd);
        if (!l.ok) {
            ++f.failures;
            f.lastError = program + ": " + l.error;
            return;
        }
        ms.push_back(l.ms);
        rss.push_back(l.maxRssKb);
    };
    for (int r = 0; r < runs; ++r) {
        // ABBA order, so a slow drift of the machine weighs on both alike.
        if (r % 2 == 0) {
            record(game, f.gameMs, f.gameRss);
            record(minimal, f.minimalMs, f.minimalRss);
        } else {
            record(minimal, f.minimalMs, f.minimalRss);
            record(game, f.gameMs, f.gameRss);
        }
    }
    return f;
}

// ---------------------------------------------------------------- in process

class SilentMessages final : public MessageService {
public:
    void show(const QString&, const QString&) override { ++count; }
    int count = 0;
};

class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QObject* parent) : QObject(parent) {}
    std::map<QObject*, int> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
};

void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

CodonTexts textsOf(const MainForm& main)
{
    CodonTexts texts;
    for (int i = 0; i < MainForm::kSlots; ++i)
        texts[i] = main.nt[i]->text().toStdString();
    return texts;
}

// Tries every single-base change of `slot`; the first that `accept` likes is applied.
bool mutate(CodonTexts& texts, const std::string& reference, int slot,
            const std::function<bool(const CodingRunResult&)>& accept)
{
    for (std::size_t pos = 0; pos < kCodonLength; ++pos) {
        for (char base : std::string("acgt")) {
            CodonTexts candidate = texts;
            if (candidate[slot][pos] == base)
                continue;
            candidate[slot][pos] = base;
            if (accept(runCoding(candidate, reference))) {
                texts = candidate;
                return true;
            }
        }
    }
    return false;
}

// The protein runs from slot 0 to the stop in slot 19, so every slot shows something.
bool fullLength(const CodingRunResult& r)
{
    for (std::size_t i = 0; i + 1 < kCodonCount; ++i)
        if (!r.outcomes[i] || *r.outcomes[i] == AminoAcidId::Stop)
            return false;
    return r.outcomes[kCodonCount - 1] == AminoAcidId::Stop;
}

enum class Frame {
    None,            // the click alone: handlers and widget updates, nothing painted
    PendingUpdates,  // then the pending events: what the screen gets, the dirty widgets
    FullRepaint,     // then the whole window painted at once, and the pending events
};

// Kept out of line so a profiler can be pointed at it (--toggle-collect).
[[gnu::noinline]] void timedCodingRun(MainForm& main, Frame frame)
{
    main.CodProt->click();
    if (frame == Frame::FullRepaint)
        main.repaint();
    if (frame != Frame::None)
        QCoreApplication::processEvents();
}

[[gnu::noinline]] CodingRunResult timedRunCoding(const CodonTexts& texts, std::string_view reference)
{
    return runCoding(texts, reference);
}

void clearPreviousRow(MainForm& main)
{
    for (int i = 0; i < MainForm::kSlots; ++i)
        main.OldAA[i]->Cls();
}

void setTexts(MainForm& main, const CodonTexts& texts)
{
    for (int i = 0; i < MainForm::kSlots; ++i)
        main.nt[i]->setText(QString::fromStdString(texts[i]));
}

struct InProcessFigures {
    std::vector<double> codingRunUs, updateRunUs, clickOnlyUs, runCodingUs, noteCpuMs, idleCpuMs;
    bool everySlotPainted = false;
    bool noteShownAndHidden = true;
    int messages = 0;
    QString focus, active, platform;
    std::vector<std::string> problems;
};

InProcessFigures measureInProcess(int codingRuns, bool profileOnly)
{
    InProcessFigures f;
    f.platform = QGuiApplication::platformName();

    Toolkit toolkit;
    auto messages = std::make_unique<SilentMessages>();
    SilentMessages* silent = messages.get();
    toolkit.setMessages(std::move(messages));
    installRandomSource(toolkit);
    registerForms(toolkit.forms());
    auto* main = toolkit.forms().load<MainForm>(names::zuvo);
    if (!main) {
        f.problems.emplace_back("the main window did not load");
        return f;
    }
    main->show();
    runEventLoopFor(300);

    const std::string reference = main->referenceSequence();
    const CodonTexts generated = textsOf(*main);

    // A few replacing mutations that keep the protein full length.
    CodonTexts replaced = generated;
    for (int slot : {4, 9, 14}) {
        const bool found = mutate(replaced, reference, slot, [slot](const CodingRunResult& r) {
            return fullLength(r) && r.changes[slot].changed && r.outcomes[slot] != r.changes[slot].previous;
        });
        if (!found)
            f.problems.push_back("no replacing mutation for slot " + std::to_string(slot));
    }
    setTexts(*main, replaced);

    const auto codingRun = [main] { timedCodingRun(*main, Frame::FullRepaint); };
    for (int i = 0; i < 20; ++i)  // the first run also opens the explanation window
        codingRun();

    {
        PaintCounter counter(nullptr);
        for (int i = 0; i < MainForm::kSlots; ++i) {
            main->AA[i]->installEventFilter(&counter);
            main->naame[i]->installEventFilter(&counter);
        }
        codingRun();
        f.everySlotPainted = true;
        for (int i = 0; i < MainForm::kSlots; ++i)
            f.everySlotPainted = f.everySlotPainted && counter.paints[main->AA[i]] > 0
                && counter.paints[main->naame[i]] > 0 && !main->naame[i]->text().isEmpty();
        for (int i = 0; i < MainForm::kSlots; ++i) {
            main->AA[i]->removeEventFilter(&counter);
            main->naame[i]->removeEventFilter(&counter);
        }
    }

    // Each timed run starts as the first press after the player's mutations does: the
    // previous-protein row empty, as "Cambia sequenza" leaves it.
    // Interleaved, so load from elsewhere on the machine weighs on all three alike.
    for (int i = 0; i < codingRuns; ++i) {
        for (Frame frame : {Frame::FullRepaint, Frame::PendingUpdates, Frame::None}) {
            clearPreviousRow(*main);
            const auto t0 = std::chrono::steady_clock::now();
            timedCodingRun(*main, frame);
            const auto t1 = std::chrono::steady_clock::now();
            const double us = std::chrono::duration<double, std::micro>(t1 - t0).count();
            (frame == Frame::FullRepaint ? f.codingRunUs : frame == Frame::PendingUpdates ? f.updateRunUs : f.clickOnlyUs)
                .push_back(us);
        }
    }

    if (profileOnly)
        return f;

    // The core alone, in batches so the clock's own cost does not count.
    constexpr int kBatch = 1000;
    for (int s = 0; s < 300; ++s) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int k = 0; k < kBatch; ++k) {
            CodingRunResult r = timedRunCoding(replaced, reference);
            asm volatile("" : : "r"(&r) : "memory");
        }
        const auto t1 = std::chrono::steady_clock::now();
        f.runCodingUs.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count() / kBatch);
    }

    // A silent mutation: the real clock keeps the note up for 2 seconds.
    CodonTexts silentTexts = generated;
    bool silentFound = false;
    for (int slot = 1; slot + 1 < MainForm::kSlots && !silentFound; ++slot)
        silentFound = mutate(silentTexts, reference, slot, [slot](const CodingRunResult& r) {
            return r.changes[slot].changed && r.outcomes[slot] == r.changes[slot].previous;
        });
    if (!silentFound) {
        f.problems.emplace_back("no silent mutation found");
    } else {
        setTexts(*main, silentTexts);
        for (int rep = 0; rep < 3; ++rep) {
            main->CodProt->click();
            main->repaint();
            const bool shown = main->Label15->isVisible();
            const double c0 = cpuMs();
            runEventLoopFor(2500);
            const double c1 = cpuMs();
            f.noteShownAndHidden = f.noteShownAndHidden && shown && !main->Label15->isVisible();
            f.noteCpuMs.push_back(c1 - c0);
        }
    }

    runEventLoopFor(500);
    for (int rep = 0; rep < 3; ++rep) {
        const double c0 = cpuMs();
        runEventLoopFor(5000);
        f.idleCpuMs.push_back(cpuMs() - c0);
    }

    f.messages = silent->count;
    QWidget* focus = QApplication::focusWidget();
    f.focus = focus ? focus->objectName() + QStringLiteral(" (") + QString::fromLatin1(focus->metaObject()->className())
            + QStringLiteral(")")
                    : QStringLiteral("none");
    QWidget* active = QApplication::activeWindow();
    f.active = active ? active->objectName() : QStringLiteral("none");

    toolkit.forms().unload(names::zuvo);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return f;
}

// ---------------------------------------------------------------- report

std::string readFirst(const char* path, const std::string& key)
{
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key, 0) == 0) {
            const auto colon = line.find(':');
            std::string value = colon == std::string::npos ? line : line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(" \t"));
            return value;
        }
    return "unknown";
}

std::string fmt(const char* format, double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

}  // namespace

int main(int argc, char* argv[])
{
    int runs = 15;
    int codingRuns = 1000;
    std::string outPath = "bench-results.md";
    bool profile = false;  // only the coding runs, for valgrind --tool=callgrind
    const std::string dir = selfDir();
    std::string game = dir + "/vintalem_startup_probe";
    std::string minimal = dir + "/vintalem_bench_minimal_probe";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--coding-runs" && i + 1 < argc)
            codingRuns = std::max(1, std::atoi(argv[++i]));
        else if (a == "--out" && i + 1 < argc)
            outPath = argv[++i];
        else if (a == "--profile")
            profile = true;
        else if (a != "-platform" && a.rfind("-", 0) == 0) {
            std::fprintf(stderr, "usage: %s [--runs N] [--coding-runs N] [--out FILE] [--profile]\n", argv[0]);
            return 2;
        }
    }

    // Start-up first, before this process has a QApplication of its own.
    const std::string logPath = outPath + ".stderr.log";
    StartupFigures s;
    if (!profile) {
        const int logFd = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        std::fprintf(stderr, "start-up: %d runs of each program...\n", runs);
        s = measureStartup(game, minimal, runs, logFd);
        if (logFd >= 0)
            close(logFd);
    }

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(defaultFont());
    QApplication::setWindowIcon(programIcon());
    std::fprintf(stderr, "in process: coding runs, the note and idle time (about 25 s)...\n");
    const InProcessFigures p = measureInProcess(codingRuns, profile);
    if (profile) {
        std::printf("coding run with full repaint: median %.1f µs\n", median(p.codingRunUs));
        return 0;
    }

    const double gMs = median(s.gameMs), mMs = median(s.minimalMs);
    const double gRss = median(s.gameRss) / 1024.0, mRss = median(s.minimalRss) / 1024.0;
    const double coding = median(p.codingRunUs), core = median(p.runCodingUs);
    const double note = median(p.noteCpuMs), idle = median(p.idleCpuMs);
    const auto verdict = [](double value, double goal) { return value < goal ? "met" : "MISSED"; };

    std::ostringstream md;
    md << "| What | Game | Minimal | Game / minimal | Goal |\n"
       << "|---|---:|---:|---:|---|\n"
       << "| Start-up to first paint of all windows, median of " << s.gameMs.size() << " (ms) | " << fmt("%.1f", gMs)
       << " | " << fmt("%.1f", mMs) << " | " << fmt("%.2f", mMs > 0 ? gMs / mMs : 0) << " | |\n"
       << "| Peak resident memory, median (MiB) | " << fmt("%.1f", gRss) << " | " << fmt("%.1f", mRss) << " | "
       << fmt("%.2f", mRss > 0 ? gRss / mRss : 0) << " | |\n"
       << "\n| What | Median | 90th percentile | Goal | |\n"
       << "|---|---:|---:|---|---|\n"
       << "| Coding run: click, repaint of the whole window, pending events (µs, " << p.codingRunUs.size() << " runs) | "
       << fmt("%.1f", coding) << " | " << fmt("%.1f", percentile(p.codingRunUs, 0.9)) << " | < 1000 µs | "
       << verdict(coding, 1000) << " |\n"
       << "| Coding run: click, pending events only (µs) | " << fmt("%.1f", median(p.updateRunUs)) << " | "
       << fmt("%.1f", percentile(p.updateRunUs, 0.9)) << " | < 1000 µs | " << verdict(median(p.updateRunUs), 1000)
       << " |\n"
       << "| Coding run: click alone, nothing painted (µs) | " << fmt("%.1f", median(p.clickOnlyUs)) << " | "
       << fmt("%.1f", percentile(p.clickOnlyUs, 0.9)) << " | | |\n"
       << "| runCoding alone (µs, " << p.runCodingUs.size() << " batches of 1000) | " << fmt("%.3f", core) << " | "
       << fmt("%.3f", percentile(p.runCodingUs, 0.9)) << " | < 2 µs | " << verdict(core, 2) << " |\n"
       << "| CPU during the 2-second note, 2.5 s of event loop (ms, " << p.noteCpuMs.size() << " runs) | "
       << fmt("%.2f", note) << " | " << fmt("%.2f", percentile(p.noteCpuMs, 0.9)) << " | < 10 ms | "
       << verdict(note, 10) << " |\n"
       << "| CPU while idle for 5 s (ms, " << p.idleCpuMs.size() << " runs) | " << fmt("%.2f", idle) << " | "
       << fmt("%.2f", percentile(p.idleCpuMs, 0.9)) << " | < 5 ms | " << verdict(idle, 5) << " |\n";

    std::ostringstream notes;
    notes << "\nPlatform: " << p.platform.toStdString() << "; Qt " << qVersion() << "; " << std::thread::hardware_concurrency()
          << " cores; " << readFirst("/proc/cpuinfo", "model name") << ".\n"
          << "Every protein slot painted in a coding run: " << (p.everySlotPainted ? "yes" : "NO") << ". "
          << "Note shown by the silent run and gone after 2.5 s: " << (p.noteShownAndHidden ? "yes" : "NO") << ". "
          << "Message boxes raised: " << p.messages << ". "
          << "Focus while idle: " << p.focus.toStdString() << ", active window: " << p.active.toStdString() << ".\n";
    if (s.failures)
        notes << "Start-up launches that failed: " << s.failures << " (last: " << s.lastError << "; see " << logPath
              << ").\n";
    for (const std::string& problem : p.problems)
        notes << "Problem: " << problem << ".\n";

    std::printf("%s%s", md.str().c_str(), notes.str().c_str());
    std::ofstream out(outPath);
    out << "# Benchmark results\n\n" << md.str() << notes.str();
    std::fprintf(stderr, "written to %s\n", outPath.c_str());

    const bool sound = s.failures == 0 && p.problems.empty() && p.everySlotPainted && p.noteShownAndHidden;
    return sound ? 0 : 1;
}
