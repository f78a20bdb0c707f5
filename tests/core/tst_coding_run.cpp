#include "core/coding_run.h"
#include "core/codon_table.h"
#include "core/report.h"
#include "core/sequence.h"
#include "tests/support/slots.h"

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

    void freshGeneratedSequences();
    void firstBadLength_data();
    void firstBadLength();
    void scenario_data();
    void scenario();
    void changedBackCountsUnchanged();
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

void TstCodingRun::scenario_data()
{
    QTest::addColumn<QString>("edits");     // into the known strand
    QTest::addColumn<QString>("rna");       // of the edited slots
    QTest::addColumn<QString>("outcomes");  // the known ones but for these
    QTest::addColumn<QString>("previous");  // what the changed slots' generated codons coded
    QTest::addColumn<bool>("stopWarning");
    QTest::newRow("no edits") << "" << "" << "" << "" << false;
    QTest::newRow("slot 0 changed to tat") << "0=tat" << "0=aua" << "0/" << "0=Met" << false;
    QTest::newRow("stop replaced, no other stop") << "19=gct" << "19=cga" << "19=Arg" << "19=Stop" << true;
    // Transcription still covers the slots that translation never reaches.
    QTest::newRow("stop typed in slot 5") << "5=act" << "5=uga" << "5=Stop 6/" << "5=Arg" << false;
    QTest::newRow("two stops") << "3=atc 10=act" << "3=uag 10=uga" << "3=Stop 4/" << "3=Gly 10=Ser" << false;
    QTest::newRow("aug in slot 7 is Met") << "7=tac" << "7=aug" << "7=Met" << "7=Thr" << false;
    QTest::newRow("accented letter") << "4=t\u00e9t" << "4=aa" << "4=" << "4=Lys" << false;
    QTest::newRow("capital") << "4=tTt" << "4=aa" << "4=" << "4=Lys" << false;
    QTest::newRow("digit") << "4=1tt" << "4=aa" << "4=" << "4=Lys" << false;
    QTest::newRow("all foreign") << "4=xyz" << "4=" << "4=" << "4=Lys" << false;
    QTest::newRow("no start still warns") << "0=ttt 19=gct" << "0=aaa 19=cga" << "0/" << "0=Met 19=Stop" << true;
    // The stop check looks at every slot, slot 0 included.
    QTest::newRow("no start, stop in slot 0") << "0=att 19=gct" << "0=uaa 19=cga" << "0/" << "0=Met 19=Stop"
                                              << false;
    QTest::newRow("unmatched codons do not end the protein")
        << "8=a-c 9=c\u00f2t" << "8=ug 9=ga" << "8= 9=" << "8=Trp 9=Tyr" << false;
}

void TstCodingRun::scenario()
{
    QFETCH(QString, edits);
    QFETCH(QString, rna);
    QFETCH(QString, outcomes);
    QFETCH(QString, previous);
    QFETCH(bool, stopWarning);
    CodonTexts t = knownTexts();
    QStringList knownRna;
    for (const KnownSlot& k : kKnown)
        knownRna << QString::fromLatin1(k.rna);
    for (const auto& [slot, box] : test::slotTexts(edits))
        t[static_cast<std::size_t>(slot)] = box.toStdString();
    const CodingRunResult r = runCoding(t, kReference);
    QVERIFY(!r.firstBadLength.has_value());
    QStringList rnaRow, previousRow;
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        rnaRow << text(r.rna[i]);
        previousRow << (r.changes[i].changed ? outcomeText(r.changes[i].previous) : QStringLiteral("-"));
    }
    QCOMPARE(rnaRow, test::withSlots(knownRna, rna));
    QCOMPARE(outcomesOf(r), test::withSlots(knownOutcomes(), outcomes));
    QCOMPARE(previousRow, test::withSlots(QStringList(kCodonCount, QStringLiteral("-")), previous));
    QCOMPARE(r.stopWarning, stopWarning);
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
