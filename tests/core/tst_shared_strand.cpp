#include "core/sequence.h"
#include "core/shared_strand.h"

#include <QTest>

#include <string>

using namespace vintalem;

namespace {
// A strand the generator can draw: start, 18 middle codons, a stop template.
const std::string kStrand = "tac" "gga" "ttc" "cgc" "aag" "ccc" "tgg" "gat" "cag" "gtc" "agg" "ctt" "gca" "tcc"
                            "aac" "gcg" "ttg" "acc" "cga" "att";
}  // namespace

Q_DECLARE_METATYPE(LinkProblem)

class TstSharedStrand : public QObject {
    Q_OBJECT
private slots:
    void readsLinks_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<LinkProblem>("problem");
        QTest::addColumn<QString>("boxes");  // the changed boxes read, "n:text" joined by spaces
        const QString dna = QString::fromStdString("#dna=" + kStrand);
        QTest::newRow("none") << "" << LinkProblem::None << "";
        QTest::newRow("other keys only") << "#x=1&y" << LinkProblem::None << "";
        QTest::newRow("strand") << dna << LinkProblem::None << "";
        QTest::newRow("capitals") << dna.toUpper().replace("#DNA", "#dna") << LinkProblem::None << "";
        QTest::newRow("percent-encoded") << "#dna=%74%41c" + dna.mid(8) << LinkProblem::None << "";
        QTest::newRow("changed boxes") << dna + "&caselle=5ggg.12a.20" << LinkProblem::None << "4:ggg 11:a 19:";
        QTest::newRow("boxes, capitals, dots at the end") << dna + "&CASELLE=1TAC." << LinkProblem::None << "0:tac";
        QTest::newRow("short") << dna.chopped(3) << LinkProblem::StrandLength << "";
        QTest::newRow("long") << dna + QString(5000, 'a') << LinkProblem::StrandLength << "";
        QTest::newRow("a letter not a base") << QString(dna).replace(10, 1, "u") << LinkProblem::StrandLetters << "";
        QTest::newRow("script") << "#dna=<script>alert(1)</script>" + QString(35, 'a') << LinkProblem::StrandLetters << "";
        QTest::newRow("no start") << "#dna=tag" + dna.mid(8) << LinkProblem::StrandStart << "";
        QTest::newRow("an early stop") << dna.left(8) + "att" + dna.mid(11) << LinkProblem::StrandEarlyStop << "";
        QTest::newRow("no stop at the end") << dna.chopped(3) + "ggg" << LinkProblem::StrandNoStop << "";
        QTest::newRow("four letters in a box") << dna + "&caselle=5gggg" << LinkProblem::Boxes << "";
        QTest::newRow("box 21") << dna + "&caselle=21a" << LinkProblem::Boxes << "";
        QTest::newRow("box 0") << dna + "&caselle=0a" << LinkProblem::Boxes << "";
        QTest::newRow("a box twice") << dna + "&caselle=5a.5c" << LinkProblem::Boxes << "";
        QTest::newRow("a letter not a base in a box") << dna + "&caselle=5x" << LinkProblem::Boxes << "";
        QTest::newRow("boxes without a strand") << "#caselle=5a" << LinkProblem::Boxes << "";
    }
    void readsLinks()
    {
        QFETCH(QString, fragment);
        QFETCH(LinkProblem, problem);
        QFETCH(QString, boxes);
        const LinkReading reading = readLink(fragment.toStdString());
        QCOMPARE(reading.problem, problem);
        const bool strand = fragment.contains("dna=") && problem == LinkProblem::None;
        QCOMPARE(reading.game.has_value(), strand);
        if (!strand)
            return;
        QCOMPARE(QString::fromStdString(reading.game->strand), QString::fromStdString(kStrand));
        QStringList read;
        for (std::size_t i = 0; i < kCodonCount; ++i)
            if (reading.game->boxes[i])
                read << QString::number(i) + ':' + QString::fromStdString(*reading.game->boxes[i]);
        QCOMPARE(read.join(' '), boxes);
    }

    void writesWhatItReads()
    {
        CodonTexts boxes;
        for (std::size_t i = 0; i < kCodonCount; ++i)
            boxes[i] = kStrand.substr(i * kCodonLength, kCodonLength);
        QCOMPARE(QString::fromStdString(writeLink(kStrand, boxes)), QString::fromStdString("dna=" + kStrand));
        boxes[4] = "ggg";
        boxes[19] = "";
        const std::string link = writeLink(kStrand, boxes);
        QCOMPARE(QString::fromStdString(link), QString::fromStdString("dna=" + kStrand + "&caselle=5ggg.20"));
        const LinkReading back = readLink("#" + link);
        QVERIFY(back.game);
        QCOMPARE(back.game->boxes[4], std::optional<std::string>("ggg"));
        QCOMPARE(back.game->boxes[19], std::optional<std::string>(""));
        QVERIFY(!back.game->boxes[5]);
    }

    // Played back, the draws make the generator draw the strand itself, whatever it is.
    void drawsMakeTheStrand()
    {
        ClockSeededGenerator generator([] { return std::uint64_t(2026); });
        for (int round = 0; round < 200; ++round) {
            const CodonTexts drawn = drawSequence(generator);
            std::string strand;
            for (const std::string& codon : drawn)
                strand += codon;
            QCOMPARE(checkStrand(strand), LinkProblem::None);
            ReplayedDraws replay(drawsFor(strand));
            QCOMPARE(drawSequence(replay), drawn);
            QVERIFY(replay.done());
        }
    }
};

QTEST_APPLESS_MAIN(TstSharedStrand)
#include "tst_shared_strand.moc"
