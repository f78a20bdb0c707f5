#include "core/amino_acids.h"

#include <QTest>

using namespace vintalem;

Q_DECLARE_METATYPE(vintalem::AminoAcidId)

class TstCatalogue : public QObject {
    Q_OBJECT
private slots:
    void findByCode_data();
    void findByCode();
    void listOrder();
};

void TstCatalogue::findByCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<AminoAcidId>("id");
    QTest::newRow("Stop") << "Stop" << true << AminoAcidId::Stop;
    QTest::newRow("Ala") << "Ala" << true << AminoAcidId::Ala;
    QTest::newRow("Tyr") << "Tyr" << true << AminoAcidId::Tyr;
    QTest::newRow("STOP is only a tooltip") << "STOP" << false << AminoAcidId::Stop;
    QTest::newRow("empty") << "" << false << AminoAcidId::Stop;
    QTest::newRow("lower case") << "ala" << false << AminoAcidId::Stop;
}

void TstCatalogue::findByCode()
{
    QFETCH(QString, code);
    QFETCH(bool, found);
    QFETCH(AminoAcidId, id);
    const std::string text = code.toStdString();
    const auto result = FindByCode(text);
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(*result, id);
}

void TstCatalogue::listOrder()
{
    const char* expected[] = {"Ala", "Arg", "Asn", "Asp", "Cys", "Phe", "Gly", "Glu", "Gln", "Ile", "His",
                              "Leu", "Lys", "Met", "Pro", "Ser", "Tyr", "Thr", "Trp", "Val", "Stop"};
    for (std::size_t i = 0; i < kEntryCount; ++i) {
        QCOMPARE(QString::fromUtf8(entry(byListIndex(i)).code.data(), entry(byListIndex(i)).code.size()),
                 QString::fromLatin1(expected[i]));
        QCOMPARE(listIndexOf(byListIndex(i)), i);
    }
}

QTEST_APPLESS_MAIN(TstCatalogue)
#include "tst_catalogue.moc"
