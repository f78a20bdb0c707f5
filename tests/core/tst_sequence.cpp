#include "core/codon_table.h"
#include "core/sequence.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace vintalem;

namespace {
constexpr std::size_t kMiddleDraws = (kCodonCount - 2) * kCodonLength;  // 54

// Hands out scripted values (then zeros) and logs every call: 'R' randomize, 'n' next.
class LoggingSource final {
public:
    explicit LoggingSource(std::vector<float> values) : values_(std::move(values)) {}
    void randomize() { log.push_back('R'); }
    float next()
    {
        log.push_back('n');
        return next_ < values_.size() ? values_[next_++] : 0.0f;
    }

    std::string log;

private:
    std::vector<float> values_;
    std::size_t next_ = 0;
};

// Passes a real generator through, keeping the values drawn after each reseeding.
class RecordingSource final {
public:
    explicit RecordingSource(ClockSeededGenerator& inner) : inner_(inner) {}
    void randomize()
    {
        inner_.randomize();
        segments.emplace_back();
    }
    float next()
    {
        const float r = inner_.next();
        if (segments.empty())
            segments.emplace_back();
        segments.back().push_back(r);
        return r;
    }

    std::vector<std::vector<float>> segments;

private:
    ClockSeededGenerator& inner_;
};

std::string joined(const CodonTexts& t)
{
    std::string s;
    for (const std::string& c : t)
        s += c;
    return s;
}

double chiSquare(const std::vector<double>& observed, const std::vector<double>& expected)
{
    double x = 0;
    for (std::size_t i = 0; i < observed.size(); ++i)
        x += (observed[i] - expected[i]) * (observed[i] - expected[i]) / expected[i];
    return x;
}

std::vector<std::string> nonStopTriplets()
{
    std::vector<std::string> list;
    const std::string bases = "acgt";
    for (char a : bases)
        for (char b : bases)
            for (char c : bases) {
                std::string t{a, b, c};
                if (t != "act" && t != "atc" && t != "att")
                    list.push_back(t);
            }
    return list;
}
}  // namespace

class TstSequence : public QObject {
    Q_OBJECT
private slots:
    void codonBoxKey_data();
    void codonBoxKey();
    void baseMapping_data();
    void baseMapping();
    void stopMapping_data();
    void stopMapping();
    void stopTemplateInMiddleRedrawn_data();
    void stopTemplateInMiddleRedrawn();
    void reseedsBeforeMiddleAndStop();
    void outOfRangeSourceStaysInRange();
    void structure();
    void generatorRange();
    void baseFrequencies();
    void tripletFrequencies();
    void stopFrequencies();
    void sameClockReadingDiffers();
    void stopDrawIsNoRepeatOfFirstBase();
    void clockIsRead();
};

void TstSequence::codonBoxKey_data()
{
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("taken");
    for (char base : {'a', 'c', 'g', 't'}) {
        QTest::addRow("%c", base) << int(base) << int(base);
        QTest::addRow("%c", base - 32) << int(base - 32) << int(base);
    }
    QTest::newRow("Backspace") << 8 << 8;
    // Everything else is dropped: the other letters, the neighbours of the ranges, controls.
    for (char c : {'u', 'U', 'b', 'B', 'x', 'z', 'Z', '@', '[', '`', '{', '5', ' '})
        QTest::addRow("%c", c) << int(c) << 0;
    QTest::newRow("NUL") << 0 << 0;
    QTest::newRow("Tab") << 9 << 0;
    QTest::newRow("Enter") << 13 << 0;
    QTest::newRow("Ctrl+C") << 3 << 0;
    QTest::newRow("Ctrl+V") << 22 << 0;
    QTest::newRow("Ctrl+X") << 24 << 0;
    QTest::newRow("Ctrl+Z") << 26 << 0;
    QTest::newRow("Delete") << 127 << 0;
    QTest::newRow("e grave") << 0xE8 << 0;
    QTest::newRow("A grave") << 0xC0 << 0;
    QTest::newRow("a + 256") << 'a' + 256 << 0;
}

void TstSequence::codonBoxKey()
{
    QFETCH(int, typed);
    QFETCH(int, taken);
    QCOMPARE(vintalem::codonBoxKey(typed), taken);
}

void TstSequence::baseMapping_data()
{
    QTest::addColumn<float>("r1");
    QTest::addColumn<float>("r2");
    QTest::addColumn<float>("r3");
    QTest::addColumn<QString>("triplet");
    QTest::newRow("lowest of each") << 0.0f << 0.25f << 0.5f << "agc";
    QTest::newRow("highest of each") << 0.2499f << 0.4999f << 0.7499f << "agc";
    QTest::newRow("t from 0.75") << 0.75f << 0.75f << 0.75f << "ttt";
    QTest::newRow("t just below 1") << 0.99999f << 0.0f << 0.0f << "taa";
    QTest::newRow("order is a g c t") << 0.1f << 0.6f << 0.3f << "acg";
    QTest::newRow("tac may be drawn") << 0.8f << 0.1f << 0.6f << "tac";
    QTest::newRow("gtg") << 0.3f << 0.9f << 0.4f << "gtg";
}

void TstSequence::baseMapping()
{
    QFETCH(float, r1);
    QFETCH(float, r2);
    QFETCH(float, r3);
    QFETCH(QString, triplet);
    LoggingSource source({r1, r2, r3});  // everything after draws 0.0: "aaa", then "act"
    const CodonTexts codons = drawSequence(source);
    QCOMPARE(QString::fromStdString(codons[0]), QStringLiteral("tac"));
    QCOMPARE(QString::fromStdString(codons[1]), triplet);
    for (std::size_t k = 2; k + 1 < kCodonCount; ++k)
        QCOMPARE(QString::fromStdString(codons[k]), QStringLiteral("aaa"));
    QCOMPARE(QString::fromStdString(codons[19]), QStringLiteral("act"));
}

void TstSequence::stopMapping_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("stop");
    QTest::newRow("0 is act") << 0.0f << "act";
    QTest::newRow("just below a third is act") << 0.3333f << "act";
    QTest::newRow("just above a third is atc") << 0.34f << "atc";
    QTest::newRow("just below two thirds is atc") << 0.6666f << "atc";
    QTest::newRow("just above two thirds is att") << 0.67f << "att";
    QTest::newRow("just below 1 is att") << 0.99999f << "att";
}

void TstSequence::stopMapping()
{
    QFETCH(float, r);
    QFETCH(QString, stop);
    std::vector<float> values(kMiddleDraws, 0.5f);  // "ccc" in every middle slot
    values.push_back(r);
    LoggingSource source(values);
    const CodonTexts codons = drawSequence(source);
    QCOMPARE(QString::fromStdString(codons[18]), QStringLiteral("ccc"));
    QCOMPARE(QString::fromStdString(codons[19]), stop);
}

void TstSequence::stopTemplateInMiddleRedrawn_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QList<float>>("stopDraws");
    for (int slot : {1, 9, 18}) {
        const QByteArray s = QByteArray::number(slot);
        QTest::newRow(("act in " + s).constData()) << slot << QList<float>{0.0f, 0.5f, 0.75f};
        QTest::newRow(("atc in " + s).constData()) << slot << QList<float>{0.0f, 0.75f, 0.5f};
        QTest::newRow(("att in " + s).constData()) << slot << QList<float>{0.0f, 0.75f, 0.75f};
    }
}

void TstSequence::stopTemplateInMiddleRedrawn()
{
    QFETCH(int, slot);
    QFETCH(QList<float>, stopDraws);
    // Every other middle slot draws "ggg"; the stop template is followed by "gct" and then
    // by two more stop templates in a row, which must be thrown away too.
    std::vector<float> values;
    for (int k = 1; k < slot; ++k)
        values.insert(values.end(), {0.25f, 0.25f, 0.25f});
    values.insert(values.end(), stopDraws.begin(), stopDraws.end());
    values.insert(values.end(), stopDraws.begin(), stopDraws.end());
    values.insert(values.end(), {0.25f, 0.5f, 0.75f});
    for (int k = slot + 1; k <= 18; ++k)
        values.insert(values.end(), {0.25f, 0.25f, 0.25f});
    values.push_back(0.5f);
    LoggingSource source(values);
    const CodonTexts codons = drawSequence(source);
    for (int k = 1; k <= 18; ++k)
        QCOMPARE(QString::fromStdString(codons[static_cast<std::size_t>(k)]),
                 k == slot ? QStringLiteral("gct") : QStringLiteral("ggg"));
    QCOMPARE(QString::fromStdString(codons[19]), QStringLiteral("atc"));
    QCOMPARE(std::count(source.log.begin(), source.log.end(), 'n'),
             static_cast<std::ptrdiff_t>(kMiddleDraws + 6 + 1));
}

void TstSequence::reseedsBeforeMiddleAndStop()
{
    LoggingSource source({});
    drawSequence(source);
    const std::string expected = "R" + std::string(kMiddleDraws, 'n') + "Rn";
    QCOMPARE(QString::fromStdString(source.log), QString::fromStdString(expected));
}

void TstSequence::outOfRangeSourceStaysInRange()
{
    // A source that breaks its promise (r = 1, r < 0) still yields letters of the strand.
    for (float r : {1.0f, -0.5f, 7.0f}) {
        LoggingSource source(std::vector<float>(kMiddleDraws + 1, r));
        const CodonTexts codons = drawSequence(source);
        for (std::size_t k = 1; k < kCodonCount; ++k) {
            QCOMPARE(codons[k].size(), std::size_t{3});
            for (char c : codons[k])
                QVERIFY(c == 'a' || c == 'c' || c == 'g' || c == 't');
        }
        QVERIFY(isStopTemplate(codons[19]));
    }
}

void TstSequence::structure()
{
    ClockSeededGenerator generator([] { return std::uint64_t{424242}; });
    for (int n = 0; n < 3000; ++n) {
        const CodonTexts codons = drawSequence(generator);
        const std::string strand = joined(codons);
        QCOMPARE(strand.size(), std::size_t{60});
        for (char c : strand)
            QVERIFY2(c == 'a' || c == 'c' || c == 'g' || c == 't', strand.c_str());
        for (const std::string& codon : codons)
            QCOMPARE(codon.size(), std::size_t{3});
        QCOMPARE(QString::fromStdString(strand.substr(0, 3)), QStringLiteral("tac"));
        const std::string last = strand.substr(57);
        QVERIFY2(last == "act" || last == "atc" || last == "att", strand.c_str());
        for (std::size_t k = 1; k <= 18; ++k) {
            const std::string codon = strand.substr(3 * k, 3);
            QVERIFY2(codon != "act" && codon != "atc" && codon != "att", strand.c_str());
        }
        // Transcribed, the strand starts with the start codon and ends with its only stop.
        QCOMPARE(QString::fromStdString(TranscribeCodon(codons[0])), QStringLiteral("aug"));
        for (std::size_t k = 1; k <= 18; ++k)
            QVERIFY(!isStopCodon(TranscribeCodon(codons[k])));
        QVERIFY(isStopCodon(TranscribeCodon(codons[19])));
    }
}

void TstSequence::generatorRange()
{
    ClockSeededGenerator generator([] { return std::uint64_t{1}; });
    generator.randomize();
    double sum = 0;
    float lowest = 1, highest = 0;
    constexpr int n = 200000;
    for (int i = 0; i < n; ++i) {
        const float r = generator.next();
        QVERIFY(r >= 0.0f && r < 1.0f);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
        sum += r;
    }
    QVERIFY(lowest < 0.001f);
    QVERIFY(highest > 0.999f);
    QVERIFY(std::abs(sum / n - 0.5) < 0.005);
}

// The statistical checks use a fixed clock and the default state: deterministic, never flaky.
constexpr int kGenerations = 20000;

void TstSequence::baseFrequencies()
{
    ClockSeededGenerator generator([] { return std::uint64_t{77}; });
    std::map<char, double> count;
    for (int n = 0; n < kGenerations; ++n) {
        const CodonTexts codons = drawSequence(generator);
        for (std::size_t k = 1; k <= 18; ++k)
            for (char c : codons[k])
                count[c] += 1;
    }
    const double total = 18.0 * 3 * kGenerations;
    // Among the 61 allowed triplets' 183 letters: a 45, c 46, g 48, t 44 - nearly even.
    const std::vector<double> expected{total * 45 / 183, total * 46 / 183, total * 48 / 183, total * 44 / 183};
    const std::vector<double> observed{count['a'], count['c'], count['g'], count['t']};
    QCOMPARE(count.size(), std::size_t{4});
    for (double o : observed)
        QVERIFY2(std::abs(o / total - 0.25) < 0.02, qPrintable(QString::number(o / total)));
    const double x = chiSquare(observed, expected);
    QVERIFY2(x < 25.0, qPrintable(QString::number(x)));  // 3 degrees of freedom
}

void TstSequence::tripletFrequencies()
{
    ClockSeededGenerator generator([] { return std::uint64_t{2024}; });
    const std::vector<std::string> allowed = nonStopTriplets();
    QCOMPARE(allowed.size(), std::size_t{61});
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < allowed.size(); ++i)
        index[allowed[i]] = i;
    std::vector<std::vector<double>> perSlot(19, std::vector<double>(allowed.size(), 0.0));
    std::vector<double> overall(allowed.size(), 0.0);
    for (int n = 0; n < kGenerations; ++n) {
        const CodonTexts codons = drawSequence(generator);
        for (std::size_t k = 1; k <= 18; ++k) {
            const auto it = index.find(codons[k]);
            QVERIFY2(it != index.end(), codons[k].c_str());
            perSlot[k][it->second] += 1;
            overall[it->second] += 1;
        }
    }
    // 60 degrees of freedom: mean 60, standard deviation about 11.
    const double x = chiSquare(overall, std::vector<double>(allowed.size(), 18.0 * kGenerations / 61));
    QVERIFY2(x < 130.0, qPrintable(QString::number(x)));
    for (std::size_t k = 1; k <= 18; ++k) {
        const double xs = chiSquare(perSlot[k], std::vector<double>(allowed.size(), double(kGenerations) / 61));
        QVERIFY2(xs < 130.0, qPrintable(QStringLiteral("slot %1: %2").arg(k).arg(xs)));
    }
}

void TstSequence::stopFrequencies()
{
    ClockSeededGenerator generator([] { return std::uint64_t{99}; });
    std::map<std::string, double> count;
    for (int n = 0; n < kGenerations; ++n)
        count[drawSequence(generator)[19]] += 1;
    QCOMPARE(count.size(), std::size_t{3});
    const std::vector<double> observed{count["act"], count["atc"], count["att"]};
    const double x = chiSquare(observed, std::vector<double>(3, kGenerations / 3.0));
    QVERIFY2(x < 20.0, qPrintable(QString::number(x)));  // 2 degrees of freedom
}

void TstSequence::sameClockReadingDiffers()
{
    // A coarse clock that does not move between two quick generations.
    ClockSeededGenerator generator([] { return std::uint64_t{5}; });
    std::set<std::string> seen;
    for (int n = 0; n < 200; ++n)
        QVERIFY2(seen.insert(joined(drawSequence(generator))).second, "a generation repeated");
}

void TstSequence::stopDrawIsNoRepeatOfFirstBase()
{
    ClockSeededGenerator generator([] { return std::uint64_t{5}; });
    RecordingSource recorder(generator);
    std::array<std::array<double, 3>, 4> table{};  // first base code x stop code
    constexpr int n = 6000;
    for (int g = 0; g < n; ++g) {
        recorder.segments.clear();
        drawSequence(recorder);
        QCOMPARE(recorder.segments.size(), std::size_t{2});
        QVERIFY(recorder.segments[0].size() >= kMiddleDraws);
        QCOMPARE(recorder.segments[1].size(), std::size_t{1});
        const float firstBase = recorder.segments[0][0];
        const float stopDraw = recorder.segments[1][0];
        QVERIFY2(firstBase != stopDraw, "the stop draw repeats the first base draw");
        table[static_cast<std::size_t>(firstBase * 4)][static_cast<std::size_t>(stopDraw * 3)] += 1;
    }
    // The stop drawn does not depend on the first base drawn: independence, 6 degrees of freedom.
    double x = 0;
    for (std::size_t b = 0; b < 4; ++b)
        for (std::size_t s = 0; s < 3; ++s) {
            double row = 0, column = 0;
            for (std::size_t j = 0; j < 3; ++j)
                row += table[b][j];
            for (std::size_t i = 0; i < 4; ++i)
                column += table[i][s];
            const double expected = row * column / n;
            x += (table[b][s] - expected) * (table[b][s] - expected) / expected;
        }
    QVERIFY2(x < 30.0, qPrintable(QString::number(x)));
}

void TstSequence::clockIsRead()
{
    int reads = 0;
    std::uint64_t reading = 100;
    ClockSeededGenerator a([&] { ++reads; return reading; });
    drawSequence(a);
    QCOMPARE(reads, 2);

    // Same state, same readings: the same strand; another reading: another strand.
    ClockSeededGenerator b([] { return std::uint64_t{100}; });
    ClockSeededGenerator c([] { return std::uint64_t{100}; });
    ClockSeededGenerator d([] { return std::uint64_t{101}; });
    const std::string sb = joined(drawSequence(b));
    QCOMPARE(QString::fromStdString(joined(drawSequence(c))), QString::fromStdString(sb));
    QVERIFY(joined(drawSequence(d)) != sb);
}

QTEST_APPLESS_MAIN(TstSequence)
#include "tst_sequence.moc"
