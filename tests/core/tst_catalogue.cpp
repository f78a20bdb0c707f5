#include "core/amino_acids.h"
#include "tests/support/catalogue.h"

#include <QTest>

#include <set>
#include <string>

using namespace vintalem;

Q_DECLARE_METATYPE(vintalem::AminoAcidId)

namespace {
QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString chargeName(ChargeClass c)
{
    switch (c) {
    case ChargeClass::Acidic: return QStringLiteral("Acidic");
    case ChargeClass::Basic: return QStringLiteral("Basic");
    case ChargeClass::Neutral: return QStringLiteral("Neutral");
    }
    return {};
}

QString polarityName(Polarity p) { return p == Polarity::Polar ? QStringLiteral("Polar") : QStringLiteral("Apolar"); }

QString sizeName(SizeClass s)
{
    switch (s) {
    case SizeClass::Small: return QStringLiteral("Small");
    case SizeClass::Medium: return QStringLiteral("Medium");
    case SizeClass::Large: return QStringLiteral("Large");
    }
    return {};
}

using test::kOracle;
}  // namespace

class TstCatalogue : public QObject {
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void stopEntry();
    void findByCode_data();
    void findByCode();
    void findByCodeRoundTrip();
    void listOrder();
    void catalogueOrderIsOneLetterOrder();
    void samePlaceInBothOrders();
    void totals();
    void textsHaveNoBlanks();
};

void TstCatalogue::rows_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("charge");
    QTest::addColumn<QString>("polarity");
    QTest::addColumn<QString>("size");
    QTest::addColumn<int>("listIndex");
    int id = 0;
    for (const test::OracleRow& r : kOracle) {
        QTest::newRow(r.code) << id << QString::fromLatin1(r.code) << QString::fromLatin1(r.name)
                              << QString::fromLatin1(r.charge) << QString::fromLatin1(r.polarity)
                              << QString::fromLatin1(r.size) << r.listIndex;
        ++id;
    }
}

void TstCatalogue::rows()
{
    QFETCH(int, id);
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(QString, charge);
    QFETCH(QString, polarity);
    QFETCH(QString, size);
    QFETCH(int, listIndex);
    const AminoAcid& a = entry(static_cast<AminoAcidId>(id));
    QCOMPARE(static_cast<int>(a.id), id);
    QCOMPARE(text(a.code), code);
    QCOMPARE(text(a.italianName), name);
    QCOMPARE(chargeName(a.charge), charge);
    QCOMPARE(polarityName(a.polarity), polarity);
    QCOMPARE(sizeName(a.size), size);
    QCOMPARE(static_cast<int>(a.listIndex), listIndex);
    QCOMPARE(static_cast<int>(listIndexOf(a.id)), listIndex);
    QCOMPARE(byListIndex(static_cast<std::size_t>(listIndex)), a.id);
}

void TstCatalogue::stopEntry()
{
    QCOMPARE(static_cast<int>(AminoAcidId::Stop), 20);
    const AminoAcid& stop = entry(AminoAcidId::Stop);
    QCOMPARE(stop.id, AminoAcidId::Stop);
    QCOMPARE(text(stop.code), QStringLiteral("Stop"));
    QCOMPARE(text(stop.italianName), QStringLiteral("Stop"));
    QCOMPARE(text(kStopTooltip), QStringLiteral("STOP"));
    QCOMPARE(stop.listIndex, std::size_t{20});
    QCOMPARE(byListIndex(20), AminoAcidId::Stop);
    QCOMPARE(kCatalogue.size(), kEntryCount);
    QCOMPARE(kEntryCount, std::size_t{21});
    QCOMPARE(kAminoAcidCount, std::size_t{20});
}

void TstCatalogue::findByCode_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<AminoAcidId>("id");
    QTest::newRow("Stop") << QByteArray("Stop") << true << AminoAcidId::Stop;
    QTest::newRow("Ala") << QByteArray("Ala") << true << AminoAcidId::Ala;
    QTest::newRow("Tyr") << QByteArray("Tyr") << true << AminoAcidId::Tyr;
    QTest::newRow("Leu") << QByteArray("Leu") << true << AminoAcidId::Leu;
    QTest::newRow("STOP is only a tooltip") << QByteArray("STOP") << false << AminoAcidId::Stop;
    QTest::newRow("stop") << QByteArray("stop") << false << AminoAcidId::Stop;
    QTest::newRow("empty") << QByteArray("") << false << AminoAcidId::Stop;
    QTest::newRow("lower case") << QByteArray("ala") << false << AminoAcidId::Stop;
    QTest::newRow("upper case") << QByteArray("ALA") << false << AminoAcidId::Stop;
    QTest::newRow("trailing blank") << QByteArray("Ala ") << false << AminoAcidId::Stop;
    QTest::newRow("leading blank") << QByteArray(" Ala") << false << AminoAcidId::Stop;
    QTest::newRow("prefix") << QByteArray("Al") << false << AminoAcidId::Stop;
    QTest::newRow("longer") << QByteArray("Alan") << false << AminoAcidId::Stop;
    QTest::newRow("Italian name") << QByteArray("Alanina") << false << AminoAcidId::Stop;
    QTest::newRow("one-letter code") << QByteArray("A") << false << AminoAcidId::Stop;
    QTest::newRow("trailing NUL") << QByteArray("Ala\0", 4) << false << AminoAcidId::Stop;
    QTest::newRow("accented") << QByteArray("Al\xc3\xa0") << false << AminoAcidId::Stop;
}

void TstCatalogue::findByCode()
{
    QFETCH(QByteArray, code);
    QFETCH(bool, found);
    QFETCH(AminoAcidId, id);
    const auto result = FindByCode(std::string_view(code.constData(), static_cast<std::size_t>(code.size())));
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(*result, id);
}

void TstCatalogue::findByCodeRoundTrip()
{
    for (const AminoAcid& a : kCatalogue) {
        const std::string copy(a.code);  // a different buffer: compared by content
        const auto found = FindByCode(copy);
        QVERIFY2(found.has_value(), copy.c_str());
        QCOMPARE(*found, a.id);
    }
}

void TstCatalogue::listOrder()
{
    for (std::size_t i = 0; i < kEntryCount; ++i) {
        const auto* r = test::oracleAtListPlace(static_cast<int>(i));
        QCOMPARE(text(entry(byListIndex(i)).code), QString::fromLatin1(r ? r->code : "Stop"));
        QCOMPARE(text(entry(byListIndex(i)).italianName), QString::fromUtf8(r ? r->name : "Stop"));
        QCOMPARE(listIndexOf(byListIndex(i)), i);
        QCOMPARE(kListOrder[i], byListIndex(i));
    }
}

void TstCatalogue::catalogueOrderIsOneLetterOrder()
{
    // One-letter codes of the three-letter codes, written independently of the catalogue.
    const std::pair<const char*, char> oneLetter[] = {
        {"Ala", 'A'}, {"Arg", 'R'}, {"Asn", 'N'}, {"Asp", 'D'}, {"Cys", 'C'}, {"Gln", 'Q'}, {"Glu", 'E'},
        {"Gly", 'G'}, {"His", 'H'}, {"Ile", 'I'}, {"Leu", 'L'}, {"Lys", 'K'}, {"Met", 'M'}, {"Phe", 'F'},
        {"Pro", 'P'}, {"Ser", 'S'}, {"Thr", 'T'}, {"Trp", 'W'}, {"Tyr", 'Y'}, {"Val", 'V'}};
    auto letterOf = [&](std::string_view code) {
        for (const auto& [c, l] : oneLetter)
            if (code == c)
                return l;
        return '?';
    };
    std::string letters;
    for (std::size_t i = 0; i < kAminoAcidCount; ++i)
        letters.push_back(letterOf(kCatalogue[i].code));
    QCOMPARE(QString::fromStdString(letters), QStringLiteral("ACDEFGHIKLMNPQRSTVWY"));
}

void TstCatalogue::samePlaceInBothOrders()
{
    QStringList same;
    for (const AminoAcid& a : kCatalogue)
        if (a.listIndex == static_cast<std::size_t>(a.id))
            same << text(a.code);
    QCOMPARE(same, (QStringList{"Ala", "Ser", "Trp", "Stop"}));
}

void TstCatalogue::totals()
{
    int acidic = 0, basic = 0, neutral = 0, polar = 0, apolar = 0, small = 0, medium = 0, large = 0;
    for (std::size_t i = 0; i < kAminoAcidCount; ++i) {
        const AminoAcid& a = kCatalogue[i];
        acidic += a.charge == ChargeClass::Acidic;
        basic += a.charge == ChargeClass::Basic;
        neutral += a.charge == ChargeClass::Neutral;
        polar += a.polarity == Polarity::Polar;
        apolar += a.polarity == Polarity::Apolar;
        small += a.size == SizeClass::Small;
        medium += a.size == SizeClass::Medium;
        large += a.size == SizeClass::Large;
    }
    QCOMPARE(acidic, 2);
    QCOMPARE(basic, 3);
    QCOMPARE(neutral, 15);
    QCOMPARE(polar, 10);
    QCOMPARE(apolar, 10);
    QCOMPARE(small, 6);
    QCOMPARE(medium, 4);
    QCOMPARE(large, 10);

    // Leu and Ile differ only in charge.
    const AminoAcid& leu = entry(AminoAcidId::Leu);
    const AminoAcid& ile = entry(AminoAcidId::Ile);
    QCOMPARE(leu.polarity, ile.polarity);
    QCOMPARE(leu.size, ile.size);
    QCOMPARE(leu.charge, ChargeClass::Basic);
    QCOMPARE(ile.charge, ChargeClass::Neutral);
}

void TstCatalogue::textsHaveNoBlanks()
{
    std::set<std::string_view> codes, names;
    for (const AminoAcid& a : kCatalogue) {
        for (std::string_view s : {a.code, a.italianName}) {
            QVERIFY(!s.empty());
            QVERIFY(s.front() != ' ' && s.back() != ' ');
            QVERIFY(s.front() >= 'A' && s.front() <= 'Z');
        }
        codes.insert(a.code);
        names.insert(a.italianName);
    }
    QCOMPARE(codes.size(), kEntryCount);
    QCOMPARE(names.size(), kEntryCount);
}

QTEST_APPLESS_MAIN(TstCatalogue)
#include "tst_catalogue.moc"
