#include "core/coding_run.h"
#include "core/codon_table.h"
#include "core/report.h"
#include "core/sequence.h"

#include <QTest>

#include <string>

using namespace vintalem;

Q_DECLARE_METATYPE(vintalem::AminoAcidId)

namespace {
QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string_view view(const QByteArray& b) { return {b.constData(), static_cast<std::size_t>(b.size())}; }

// A strand whose every slot codes something known, worked out by hand:
// the template letters complemented (a-u, g-c, c-g, t-a), then the standard code.
struct KnownSlot {
    const char* dna;
    const char* rna;
    const char* outcome;
};
constexpr KnownSlot kKnown[kCodonCount] = {
    {"tac", "aug", "Met"}, {"aaa", "uuu", "Phe"}, {"ggg", "ccc", "Pro"}, {"ccc", "ggg", "Gly"},
    {"ttt", "aaa", "Lys"}, {"gct", "cga", "Arg"}, {"cat", "gua", "Val"}, {"tgg", "acc", "Thr"},
    {"acc", "ugg", "Trp"}, {"ata", "uau", "Tyr"}, {"agc", "ucg", "Ser"}, {"tta", "aau", "Asn"},
    {"ctg", "gac", "Asp"}, {"gtt", "caa", "Gln"}, {"ctt", "gaa", "Glu"}, {"gta", "cau", "His"},
    {"tag", "auc", "Ile"}, {"aac", "uug", "Leu"}, {"cga", "gcu", "Ala"}, {"att", "uaa", "Stop"},
};

CodonTexts knownTexts()
{
    CodonTexts t;
    for (std::size_t i = 0; i < kCodonCount; ++i)
        t[i] = kKnown[i].dna;
    return t;
}

std::string joined(const CodonTexts& t)
{
    std::string s;
    for (const std::string& c : t)
        s += c;
    return s;
}

const std::string kReference = joined(knownTexts());

QString outcomeText(const Outcome& o) { return o ? text(entry(*o).code) : QString(); }

QStringList outcomesOf(const CodingRunResult& r)
{
    QStringList list;
    for (const Outcome& o : r.outcomes)
        list << outcomeText(o);
    return list;
}

QStringList knownOutcomes(std::size_t upTo = kCodonCount)
{
    QStringList list;
    for (std::size_t i = 0; i < kCodonCount; ++i)
        list << (i < upTo ? QString::fromLatin1(kKnown[i].outcome) : QString());
    return list;
}

std::vector<std::size_t> changedSlots(const CodingRunResult& r)
{
    std::vector<std::size_t> where;
    for (std::size_t i = 0; i < kCodonCount; ++i)
        if (r.changes[i].changed)
            where.push_back(i);
    return where;
}
}  // namespace

class TstCodingRun : public QObject {
    Q_OBJECT
private slots:
    void transcribe_data();
    void transcribe();
    void characterCount_data();
    void characterCount();
    void referenceCodons();

    void freshKnownSequence();
    void freshGeneratedSequences();
    void firstBadLength_data();
    void firstBadLength();
    void slot0ChangedToTat();
    void stopReplacedWithoutOtherStop();
    void stopTypedInSlot5();
    void twoStops();
    void augInSlot7IsMet();
    void changedBackCountsUnchanged();
    void foreignCharacter_data();
    void foreignCharacter();
    void noStartStillWarns();
    void noStartWithStopDoesNotWarn();
    void unmatchedCodonDoesNotEndProtein();
    void emptyReference();

    void report_data();
    void report();
    void reportKeepsWhatAnUndecodableReferenceLeft();
};

void TstCodingRun::transcribe_data()
{
    QTest::addColumn<QByteArray>("dna");
    QTest::addColumn<QByteArray>("rna");
    QTest::newRow("gct") << QByteArray("gct") << QByteArray("cga");
    QTest::newRow("tac") << QByteArray("tac") << QByteArray("aug");
    QTest::newRow("each letter a") << QByteArray("aaa") << QByteArray("uuu");
    QTest::newRow("each letter g") << QByteArray("ggg") << QByteArray("ccc");
    QTest::newRow("each letter c") << QByteArray("ccc") << QByteArray("ggg");
    QTest::newRow("each letter t") << QByteArray("ttt") << QByteArray("aaa");
    QTest::newRow("order kept") << QByteArray("agc") << QByteArray("ucg");
    QTest::newRow("stop template act") << QByteArray("act") << QByteArray("uga");
    QTest::newRow("stop template atc") << QByteArray("atc") << QByteArray("uag");
    QTest::newRow("stop template att") << QByteArray("att") << QByteArray("uaa");
    QTest::newRow("empty") << QByteArray("") << QByteArray("");
    QTest::newRow("two letters") << QByteArray("gc") << QByteArray("cg");
    QTest::newRow("only first three read") << QByteArray("gcta") << QByteArray("cga");
    QTest::newRow("long text") << QByteArray("tacgggttt") << QByteArray("aug");
    QTest::newRow("foreign dropped") << QByteArray("gxt") << QByteArray("ca");
    QTest::newRow("capitals dropped") << QByteArray("GcT") << QByteArray("g");
    QTest::newRow("u is no DNA letter") << QByteArray("uac") << QByteArray("ug");
    QTest::newRow("blank dropped") << QByteArray("t c") << QByteArray("ag");
    QTest::newRow("all foreign") << QByteArray("xyz") << QByteArray("");
    QTest::newRow("foreign counts as read") << QByteArray("xgct") << QByteArray("cg");
    // An accented letter is one character of the three, not two bytes.
    QTest::newRow("accented first") << QByteArray("\xc3\xa9" "ac") << QByteArray("ug");
    QTest::newRow("accented middle, fourth not read") << QByteArray("a\xc3\xa9" "cg") << QByteArray("ug");
    QTest::newRow("accented last") << QByteArray("ag\xc3\xa0t") << QByteArray("uc");
    QTest::newRow("three-byte character") << QByteArray("\xe2\x82\xac" "tat") << QByteArray("au");
    QTest::newRow("four-byte character") << QByteArray("t\xf0\x9f\x98\x80" "ac") << QByteArray("au");
}

void TstCodingRun::transcribe()
{
    QFETCH(QByteArray, dna);
    QFETCH(QByteArray, rna);
    QCOMPARE(QByteArray::fromStdString(TranscribeCodon(view(dna))), rna);
}

void TstCodingRun::characterCount_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("ascii") << QByteArray("tac") << 3;
    QTest::newRow("two") << QByteArray("ta") << 2;
    QTest::newRow("four") << QByteArray("tacg") << 4;
    QTest::newRow("accented counts once") << QByteArray("t\xc3\xa0" "c") << 3;
    QTest::newRow("two accented") << QByteArray("\xc3\xa8\xc3\xa0") << 2;
    QTest::newRow("euro sign") << QByteArray("\xe2\x82\xac") << 1;
    QTest::newRow("emoji") << QByteArray("a\xf0\x9f\x98\x80") << 2;
    QTest::newRow("NUL is a character") << QByteArray("a\0c", 3) << 3;
}

void TstCodingRun::characterCount()
{
    QFETCH(QByteArray, utf8);
    QFETCH(int, count);
    QCOMPARE(vintalem::characterCount(view(utf8)), static_cast<std::size_t>(count));
    // Agrees with Qt's own reading of UTF-8 (code points, not UTF-16 units).
    QCOMPARE(static_cast<int>(QString::fromUtf8(utf8).toUcs4().size()), count);
}

void TstCodingRun::referenceCodons()
{
    for (std::size_t i = 0; i < kCodonCount; ++i)
        QCOMPARE(text(referenceCodon(kReference, i)), QString::fromLatin1(kKnown[i].dna));
    QVERIFY(referenceCodon(kReference, kCodonCount).empty());
    QVERIFY(referenceCodon("", 0).empty());
    QCOMPARE(text(referenceCodon("tacgg", 1)), QStringLiteral("gg"));
}

void TstCodingRun::freshKnownSequence()
{
    const CodingRunResult r = runCoding(knownTexts(), kReference);
    QVERIFY(!r.firstBadLength.has_value());
    for (std::size_t i = 0; i < kCodonCount; ++i)
        QCOMPARE(QByteArray::fromStdString(r.rna[i]), QByteArray(kKnown[i].rna));
    QVERIFY(changedSlots(r).empty());
    QVERIFY(!r.stopWarning);
    QCOMPARE(outcomesOf(r), knownOutcomes());
}

void TstCodingRun::freshGeneratedSequences()
{
    std::uint64_t tick = 1000;
    ClockSeededGenerator generator([&tick] { return tick += 7; });
    for (int n = 0; n < 200; ++n) {
        const CodonTexts texts = drawSequence(generator);
        const CodingRunResult r = runCoding(texts, joined(texts));
        QVERIFY(!r.firstBadLength.has_value());
        QCOMPARE(QByteArray::fromStdString(r.rna[0]), QByteArray("aug"));
        QVERIFY(isStopCodon(r.rna[19]));
        QVERIFY(changedSlots(r).empty());
        QVERIFY(!r.stopWarning);
        QCOMPARE(r.outcomes[0], std::optional(AminoAcidId::Met));
        for (std::size_t i = 1; i + 1 < kCodonCount; ++i) {
            QVERIFY(r.outcomes[i].has_value());
            QVERIFY(*r.outcomes[i] != AminoAcidId::Stop);
        }
        QCOMPARE(r.outcomes[19], std::optional(AminoAcidId::Stop));
    }
}

void TstCodingRun::firstBadLength_data()
{
    QTest::addColumn<QList<int>>("where");
    QTest::addColumn<QList<QByteArray>>("texts");
    QTest::addColumn<int>("first");
    QTest::newRow("two letters") << QList<int>{4} << QList<QByteArray>{"ac"} << 4;
    QTest::newRow("empty slot 0") << QList<int>{0} << QList<QByteArray>{""} << 0;
    QTest::newRow("four letters in 19") << QList<int>{19} << QList<QByteArray>{"attg"} << 19;
    QTest::newRow("first of two") << QList<int>{9, 3} << QList<QByteArray>{"a", "tttt"} << 3;
    QTest::newRow("two accented characters") << QList<int>{7} << QList<QByteArray>{"a\xc3\xa9"} << 7;
    QTest::newRow("three bytes, two characters") << QList<int>{2} << QList<QByteArray>{"\xc3\xa0t"} << 2;
}

void TstCodingRun::firstBadLength()
{
    QFETCH(QList<int>, where);
    QFETCH(QList<QByteArray>, texts);
    QFETCH(int, first);
    CodonTexts t = knownTexts();
    for (qsizetype k = 0; k < where.size(); ++k)
        t[static_cast<std::size_t>(where[k])] = texts[k].toStdString();
    const CodingRunResult r = runCoding(t, kReference);
    QCOMPARE(r.firstBadLength, std::optional(static_cast<std::size_t>(first)));
    // Nothing else is decided.
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        QVERIFY(r.rna[i].empty());
        QVERIFY(!r.changes[i].changed);
        QVERIFY(!r.changes[i].previous.has_value());
        QVERIFY(!r.outcomes[i].has_value());
    }
    QVERIFY(!r.stopWarning);
}

void TstCodingRun::slot0ChangedToTat()
{
    CodonTexts t = knownTexts();
    t[0] = "tat";
    const CodingRunResult r = runCoding(t, kReference);
    QVERIFY(!r.firstBadLength.has_value());
    QCOMPARE(QByteArray::fromStdString(r.rna[0]), QByteArray("aua"));
    QCOMPARE(outcomesOf(r), knownOutcomes(0));
    QCOMPARE(changedSlots(r), std::vector<std::size_t>{0});
    QCOMPARE(r.changes[0].previous, std::optional(AminoAcidId::Met));
    QVERIFY(!r.stopWarning);
}

void TstCodingRun::stopReplacedWithoutOtherStop()
{
    CodonTexts t = knownTexts();
    t[19] = "gct";
    const CodingRunResult r = runCoding(t, kReference);
    QVERIFY(r.stopWarning);
    QStringList expected = knownOutcomes(19);
    expected[19] = QStringLiteral("Arg");
    QCOMPARE(outcomesOf(r), expected);
    QVERIFY(!outcomesOf(r).contains(QStringLiteral("Stop")));
    QCOMPARE(changedSlots(r), std::vector<std::size_t>{19});
    QCOMPARE(r.changes[19].previous, std::optional(AminoAcidId::Stop));
}

void TstCodingRun::stopTypedInSlot5()
{
    CodonTexts t = knownTexts();
    t[5] = "act";
    const CodingRunResult r = runCoding(t, kReference);
    QCOMPARE(QByteArray::fromStdString(r.rna[5]), QByteArray("uga"));
    QStringList expected = knownOutcomes(5);
    expected[5] = QStringLiteral("Stop");
    QCOMPARE(outcomesOf(r), expected);
    QCOMPARE(changedSlots(r), std::vector<std::size_t>{5});
    QCOMPARE(r.changes[5].previous, std::optional(AminoAcidId::Arg));
    QVERIFY(!r.stopWarning);
    // Transcription still covers the slots that translation never reaches.
    for (std::size_t i = 6; i < kCodonCount; ++i)
        QCOMPARE(QByteArray::fromStdString(r.rna[i]), QByteArray(kKnown[i].rna));
}

void TstCodingRun::twoStops()
{
    CodonTexts t = knownTexts();
    t[3] = "atc";
    t[10] = "act";
    const CodingRunResult r = runCoding(t, kReference);
    QStringList expected = knownOutcomes(3);
    expected[3] = QStringLiteral("Stop");
    QCOMPARE(outcomesOf(r), expected);
    QCOMPARE(changedSlots(r), (std::vector<std::size_t>{3, 10}));
    QCOMPARE(r.changes[3].previous, std::optional(AminoAcidId::Gly));
    QCOMPARE(r.changes[10].previous, std::optional(AminoAcidId::Ser));
}

void TstCodingRun::augInSlot7IsMet()
{
    CodonTexts t = knownTexts();
    t[7] = "tac";
    const CodingRunResult r = runCoding(t, kReference);
    QStringList expected = knownOutcomes();
    expected[7] = QStringLiteral("Met");
    QCOMPARE(outcomesOf(r), expected);
    QCOMPARE(r.changes[7].previous, std::optional(AminoAcidId::Thr));
}

void TstCodingRun::changedBackCountsUnchanged()
{
    CodonTexts t = knownTexts();
    t[12] = "ctc";
    QCOMPARE(changedSlots(runCoding(t, kReference)), std::vector<std::size_t>{12});
    t[12] = kKnown[12].dna;
    const CodingRunResult r = runCoding(t, kReference);
    QVERIFY(changedSlots(r).empty());
    QCOMPARE(outcomesOf(r), knownOutcomes());
}

void TstCodingRun::foreignCharacter_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QByteArray>("rna");
    QTest::newRow("accented letter") << QByteArray("t\xc3\xa9t") << QByteArray("aa");
    QTest::newRow("capital") << QByteArray("tTt") << QByteArray("aa");
    QTest::newRow("digit") << QByteArray("1tt") << QByteArray("aa");
    QTest::newRow("blank") << QByteArray("tt ") << QByteArray("aa");
    QTest::newRow("all foreign") << QByteArray("xyz") << QByteArray("");
}

void TstCodingRun::foreignCharacter()
{
    QFETCH(QByteArray, box);
    QFETCH(QByteArray, rna);
    CodonTexts t = knownTexts();
    t[4] = box.toStdString();
    const CodingRunResult r = runCoding(t, kReference);
    QVERIFY(!r.firstBadLength.has_value());
    QCOMPARE(QByteArray::fromStdString(r.rna[4]), rna);
    QStringList expected = knownOutcomes();
    expected[4] = QString();
    QCOMPARE(outcomesOf(r), expected);
    QCOMPARE(changedSlots(r), std::vector<std::size_t>{4});
    QCOMPARE(r.changes[4].previous, std::optional(AminoAcidId::Lys));
    QVERIFY(!r.stopWarning);
}

void TstCodingRun::noStartStillWarns()
{
    CodonTexts t = knownTexts();
    t[0] = "ttt";
    t[19] = "gct";
    const CodingRunResult r = runCoding(t, kReference);
    QVERIFY(r.stopWarning);
    QCOMPARE(outcomesOf(r), knownOutcomes(0));
    QCOMPARE(changedSlots(r), (std::vector<std::size_t>{0, 19}));
    QCOMPARE(QByteArray::fromStdString(r.rna[0]), QByteArray("aaa"));
    QCOMPARE(QByteArray::fromStdString(r.rna[19]), QByteArray("cga"));
}

void TstCodingRun::noStartWithStopDoesNotWarn()
{
    // The stop check looks at every slot, slot 0 included.
    CodonTexts t = knownTexts();
    t[0] = "att";
    t[19] = "gct";
    const CodingRunResult r = runCoding(t, kReference);
    QVERIFY(!r.stopWarning);
    QCOMPARE(outcomesOf(r), knownOutcomes(0));
}

void TstCodingRun::unmatchedCodonDoesNotEndProtein()
{
    CodonTexts t = knownTexts();
    t[8] = "a-c";
    t[9] = "c\xc3\xb2t";
    const CodingRunResult r = runCoding(t, kReference);
    QStringList expected = knownOutcomes();
    expected[8] = QString();
    expected[9] = QString();
    QCOMPARE(outcomesOf(r), expected);
}

void TstCodingRun::emptyReference()
{
    // Before any generation every slot differs from the (empty) reference, which codes nothing.
    const CodingRunResult r = runCoding(knownTexts(), "");
    QCOMPARE(changedSlots(r).size(), kCodonCount);
    for (const SlotChange& c : r.changes)
        QVERIFY(!c.previous.has_value());
    QCOMPARE(outcomesOf(r), knownOutcomes());
}

// Slots of the known strand edited as "slot:codon ...", the previous-protein row as the
// report decodes it and leaves it ("slot:Code ..."), and its two flags.
void TstCodingRun::report_data()
{
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("heading");
    QTest::newRow("no edit") << "" << "" << "" << false << false;
    QTest::newRow("silent: gct to gcc, Arg both") << "5:gcc" << "5:Arg" << "5:Arg" << true << true;
    QTest::newRow("replacing: Arg to Ser") << "5:tca" << "5:Arg" << "5:Arg" << false << true;
    QTest::newRow("silent and replacing") << "5:gcc 7:agg" << "5:Arg 7:Thr" << "5:Arg 7:Thr" << false << true;
    QTest::newRow("replacing, then silent") << "1:aat 5:gcc" << "1:Phe 5:Arg" << "1:Phe 5:Arg" << false << true;
    QTest::newRow("stop exchanged for stop") << "19:atc" << "19:Stop" << "19:Stop" << true << true;
    QTest::newRow("stop replaced, no stop left") << "19:cga" << "19:Stop" << "19:Stop" << false << true;
    QTest::newRow("start changed: slot 0 keeps Met") << "0:tat 5:gcc" << "0:Met 5:Arg" << "0:Met" << false << true;
    QTest::newRow("stop in 5, 10 changed: 10 tidied") << "5:act 10:agt" << "5:Arg 10:Ser" << "5:Arg" << false << true;
    QTest::newRow("changed back is unchanged") << "5:gct" << "" << "" << false << false;
    QTest::newRow("pasted foreign letter in 4: tidied") << "4:tt\u00e9" << "4:Lys" << "" << false << false;
    QTest::newRow("pasted foreign letter in 0: kept") << "0:ta\u00e9" << "0:Met" << "0:Met" << false << true;
}

void TstCodingRun::report()
{
    QFETCH(QString, edits);
    QFETCH(QString, decoded);
    QFETCH(QString, previous);
    QFETCH(bool, silent);
    QFETCH(bool, heading);

    CodonTexts texts = knownTexts();
    for (const QString& edit : edits.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = edit.split(QLatin1Char(':'));
        texts[parts[0].toUInt()] = parts[1].toStdString();
    }
    const CodingRunResult run = runCoding(texts, kReference);
    const CodingReport r = runReport(run, ProteinRow{});
    const auto listed = [](const ProteinRow& row) {
        QStringList shown;
        for (std::size_t i = 0; i < kCodonCount; ++i)
            if (row[i])
                shown << QStringLiteral("%1:%2").arg(i).arg(outcomeText(row[i]));
        return shown.join(QLatin1Char(' '));
    };
    QCOMPARE(listed(r.decoded), decoded);
    QCOMPARE(listed(r.previous), previous);
    QCOMPARE(r.silentMutation, silent);
    QCOMPARE(r.showHeading, heading);
}

void TstCodingRun::reportKeepsWhatAnUndecodableReferenceLeft()
{
    // With no reference every slot counts as changed and decodes nothing: the row stays.
    ProteinRow before{};
    before[0] = AminoAcidId::Met;
    before[3] = AminoAcidId::Gly;
    const CodingReport r = runReport(runCoding(knownTexts(), ""), before);
    QCOMPARE(r.decoded, before);
    QCOMPARE(r.previous, before);
    QVERIFY(r.silentMutation);  // Gly in slot 3 both times
}

QTEST_APPLESS_MAIN(TstCodingRun)
#include "tst_coding_run.moc"
