#include "core/codon_table.h"

#include <QTest>

#include <map>
#include <set>
#include <string>

using namespace vintalem;

Q_DECLARE_METATYPE(vintalem::AminoAcidId)

namespace {
QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string_view view(const QByteArray& b) { return {b.constData(), static_cast<std::size_t>(b.size())}; }

// The standard code as textbooks print it: first, second and third base each
// running through T, C, A, G; one amino-acid letter per codon, '*' for stop.
constexpr std::string_view kStandardCode = "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG";
constexpr std::string_view kTextbookBases = "ucag";  // T as U, since these are RNA codons

const std::map<char, const char*> kThreeLetter = {
    {'A', "Ala"}, {'R', "Arg"}, {'N', "Asn"}, {'D', "Asp"}, {'C', "Cys"}, {'Q', "Gln"}, {'E', "Glu"},
    {'G', "Gly"}, {'H', "His"}, {'I', "Ile"}, {'L', "Leu"}, {'K', "Lys"}, {'M', "Met"}, {'F', "Phe"},
    {'P', "Pro"}, {'S', "Ser"}, {'T', "Thr"}, {'W', "Trp"}, {'Y', "Tyr"}, {'V', "Val"}, {'*', "Stop"}};

std::map<std::string, QString> standardCode()
{
    std::map<std::string, QString> code;
    for (std::size_t i = 0; i < 64; ++i) {
        const std::string codon{kTextbookBases[i / 16], kTextbookBases[(i / 4) % 4], kTextbookBases[i % 4]};
        code[codon] = QString::fromLatin1(kThreeLetter.at(kStandardCode[i]));
    }
    return code;
}
}  // namespace

class TstCodonTable : public QObject {
    Q_OBJECT
private slots:
    void standardCode_data();
    void standardCode();
    void tableHoldsEachCodonOnce();
    void rejected_data();
    void rejected();
    void stopCodons_data();
    void stopCodons();
    void startCodon();
    void cells_data();
    void cells();
    void everyCellIsItsCodon();
    void cellsOfAminoAcid_data();
    void cellsOfAminoAcid();
};

void TstCodonTable::standardCode_data()
{
    QTest::addColumn<QByteArray>("codon");
    QTest::addColumn<QString>("outcome");
    for (const auto& [codon, outcome] : ::standardCode())
        QTest::newRow(codon.c_str()) << QByteArray::fromStdString(codon) << outcome;
}

void TstCodonTable::standardCode()
{
    QFETCH(QByteArray, codon);
    QFETCH(QString, outcome);
    const auto found = LookUpCodon(view(codon));
    QVERIFY(found.has_value());
    QCOMPARE(text(entry(*found).code), outcome);
    QCOMPARE(isStopCodon(view(codon)), outcome == QLatin1String("Stop"));
}

void TstCodonTable::tableHoldsEachCodonOnce()
{
    const auto code = ::standardCode();
    std::set<std::string_view> seen;
    for (const CodonEntry& e : kCodonTable) {
        QVERIFY2(seen.insert(e.codon).second, std::string(e.codon).c_str());
        const auto it = code.find(std::string(e.codon));
        QVERIFY2(it != code.end(), std::string(e.codon).c_str());
        QCOMPARE(text(entry(e.outcome).code), it->second);
    }
    QCOMPARE(seen.size(), std::size_t{64});
}

void TstCodonTable::rejected_data()
{
    QTest::addColumn<QByteArray>("codon");
    QTest::newRow("capitals") << QByteArray("AUG");
    QTest::newRow("mixed case") << QByteArray("Aug");
    QTest::newRow("two letters") << QByteArray("ug");
    QTest::newRow("four letters") << QByteArray("augc");
    QTest::newRow("trailing blank") << QByteArray("aug ");
    QTest::newRow("leading blank") << QByteArray(" aug");
    QTest::newRow("DNA letter t") << QByteArray("atg");
    QTest::newRow("template of start") << QByteArray("tac");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("one letter") << QByteArray("a");
    QTest::newRow("trailing NUL") << QByteArray("aug\0", 4);
    QTest::newRow("inner NUL") << QByteArray("a\0g", 3);
    QTest::newRow("accented u") << QByteArray("a\xc3\xbag");          // "aúg"
    QTest::newRow("accented, three characters") << QByteArray("\xc3\xa0ug");  // "àug"
    QTest::newRow("lone high byte") << QByteArray("au\xe7");
    QTest::newRow("stop in capitals") << QByteArray("UAA");
    QTest::newRow("six letters") << QByteArray("augaug");
}

void TstCodonTable::rejected()
{
    QFETCH(QByteArray, codon);
    QVERIFY(!LookUpCodon(view(codon)).has_value());
    QVERIFY(!isStopCodon(view(codon)));
}

void TstCodonTable::stopCodons_data()
{
    QTest::addColumn<QByteArray>("codon");
    QTest::addColumn<bool>("stop");
    QTest::newRow("uaa") << QByteArray("uaa") << true;
    QTest::newRow("uag") << QByteArray("uag") << true;
    QTest::newRow("uga") << QByteArray("uga") << true;
    QTest::newRow("ugg is Trp") << QByteArray("ugg") << false;
    QTest::newRow("uau is Tyr") << QByteArray("uau") << false;
    QTest::newRow("UAA") << QByteArray("UAA") << false;
    QTest::newRow("uaa with blank") << QByteArray("uaa ") << false;
    QTest::newRow("ua") << QByteArray("ua") << false;
    QTest::newRow("att, its template") << QByteArray("att") << false;
}

void TstCodonTable::stopCodons()
{
    QFETCH(QByteArray, codon);
    QFETCH(bool, stop);
    QCOMPARE(isStopCodon(view(codon)), stop);
    if (stop)
        QCOMPARE(LookUpCodon(view(codon)), std::optional(AminoAcidId::Stop));
}

void TstCodonTable::startCodon()
{
    QCOMPARE(text(kStartCodon), QStringLiteral("aug"));
    QCOMPARE(LookUpCodon("aug"), std::optional(AminoAcidId::Met));
    int metCodons = 0;
    for (const CodonEntry& e : kCodonTable)
        metCodons += e.outcome == AminoAcidId::Met;
    QCOMPARE(metCodons, 1);
}

void TstCodonTable::cells_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QByteArray>("codon");
    QTest::addColumn<AminoAcidId>("outcome");
    QTest::newRow("0") << 0 << QByteArray("aaa") << AminoAcidId::Lys;
    QTest::newRow("14") << 14 << QByteArray("aug") << AminoAcidId::Met;
    QTest::newRow("48") << 48 << QByteArray("uaa") << AminoAcidId::Stop;
    QTest::newRow("58") << 58 << QByteArray("ugg") << AminoAcidId::Trp;
    QTest::newRow("63") << 63 << QByteArray("uuu") << AminoAcidId::Phe;
}

void TstCodonTable::cells()
{
    QFETCH(int, cell);
    QFETCH(QByteArray, codon);
    QFETCH(AminoAcidId, outcome);
    const auto c = codonOfCell(static_cast<std::size_t>(cell));
    QCOMPARE(QByteArray(c.data(), 3), codon);
    QCOMPARE(outcomeOfCell(static_cast<std::size_t>(cell)), outcome);
}

void TstCodonTable::everyCellIsItsCodon()
{
    // Cells count in base order a, c, g, u, first base slowest.
    const auto code = ::standardCode();
    const std::string order = "acgu";
    std::set<std::string> seen;
    for (std::size_t cell = 0; cell < 64; ++cell) {
        const std::string expected{order[cell / 16], order[(cell / 4) % 4], order[cell % 4]};
        const auto c = codonOfCell(cell);
        const std::string got(c.data(), c.size());
        QCOMPARE(QString::fromStdString(got), QString::fromStdString(expected));
        seen.insert(got);
        QCOMPARE(text(entry(outcomeOfCell(cell)).code), code.at(expected));
    }
    QCOMPARE(seen.size(), std::size_t{64});
}

void TstCodonTable::cellsOfAminoAcid_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QList<int>>("cells");  // worked out by hand
    QTest::addColumn<QString>("codons");
    QTest::newRow("Met") << QByteArray("Met") << QList<int>{14} << "aug";
    QTest::newRow("Trp") << QByteArray("Trp") << QList<int>{58} << "ugg";
    QTest::newRow("Phe") << QByteArray("Phe") << QList<int>{61, 63} << "uuc uuu";
    QTest::newRow("Ile") << QByteArray("Ile") << QList<int>{12, 13, 15} << "aua auc auu";
    QTest::newRow("Stop") << QByteArray("Stop") << QList<int>{48, 50, 56} << "uaa uag uga";
    QTest::newRow("Leu") << QByteArray("Leu") << QList<int>{28, 29, 30, 31, 60, 62} << "cua cuc cug cuu uua uug";
    QTest::newRow("Ser") << QByteArray("Ser") << QList<int>{9, 11, 52, 53, 54, 55} << "agc agu uca ucc ucg ucu";
    QTest::newRow("Arg") << QByteArray("Arg") << QList<int>{8, 10, 24, 25, 26, 27} << "aga agg cga cgc cgg cgu";
    QTest::newRow("Gly") << QByteArray("Gly") << QList<int>{40, 41, 42, 43} << "gga ggc ggg ggu";
    QTest::newRow("Asn") << QByteArray("Asn") << QList<int>{1, 3} << "aac aau";
    QTest::newRow("Lys") << QByteArray("Lys") << QList<int>{0, 2} << "aaa aag";
    // Codes no cell shows match nothing.
    QTest::newRow("STOP") << QByteArray("STOP") << QList<int>{} << "";
    QTest::newRow("empty") << QByteArray("") << QList<int>{} << "";
    QTest::newRow("leu") << QByteArray("leu") << QList<int>{} << "";
}

void TstCodonTable::cellsOfAminoAcid()
{
    QFETCH(QByteArray, code);
    QFETCH(QList<int>, cells);
    QFETCH(QString, codons);
    QList<int> got;
    QStringList listed;
    for (const std::size_t cell : cellsOf(view(code))) {
        got << static_cast<int>(cell);
        const auto c = codonOfCell(cell);
        listed << QString::fromLatin1(c.data(), 3);
    }
    QCOMPARE(got, cells);
    QCOMPARE(listed.join(QLatin1Char(' ')), codons);
}

QTEST_APPLESS_MAIN(TstCodonTable)
#include "tst_codon_table.moc"
