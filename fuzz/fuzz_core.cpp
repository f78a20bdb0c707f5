// Feeds arbitrary bytes to the core and checks what must hold for any input.
//
// Input with a newline: lines 1..20 are the codon box texts, everything after the
// 20th newline is the reference strand. Input without one is read compactly, so that
// the fuzzer reaches every arrangement of starts, stops and edits quickly: byte i
// (i < 20) picks reference codon i among the 64 triplets, byte 20 + i, if present,
// the text of box i (its high bits: 2 puts an accented letter in the middle, 3 drops
// the last letter); a missing byte leaves the box as generated. The raw bytes also
// drive the table look-ups and, read as uniform draws, a sequence generation.

#include "core/amino_acids.h"
#include "core/codon_table.h"
#include "core/coding_run.h"
#include "core/sequence.h"
#include "core/shared_strand.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace vintalem;

#define CHECK(condition)                                                                                      \
    do {                                                                                                      \
        if (!(condition))                                                                                     \
            __builtin_trap();                                                                                 \
    } while (0)

namespace {

// The standard code as textbooks print it (bases U, C, A, G), kept apart from the product's table.
constexpr std::string_view kTextbookCode = "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG";
constexpr std::string_view kTextbookBases = "ucag";

std::optional<char> textbookLetter(std::string_view codon)
{
    if (codon.size() != 3)
        return std::nullopt;
    std::size_t index = 0;
    for (char c : codon) {
        const std::size_t b = kTextbookBases.find(c);
        if (b == std::string_view::npos)
            return std::nullopt;
        index = index * 4 + b;
    }
    return kTextbookCode[index];
}

char oneLetter(AminoAcidId id)
{
    constexpr std::string_view letters = "ACDEFGHIKLMNPQRSTVWY*";  // catalogue order, Stop last
    return letters[static_cast<std::size_t>(id)];
}

bool sameOutcome(std::optional<AminoAcidId> got, std::optional<char> expected)
{
    if (got.has_value() != expected.has_value())
        return false;
    return !got || oneLetter(*got) == *expected;
}

bool isLead(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

std::size_t characters(std::string_view s)
{
    std::size_t n = 0;
    for (char c : s)
        n += isLead(c);
    return n;
}

// Reads the first three characters and maps only the four template letters.
std::string transcribed(std::string_view s)
{
    std::string rna;
    std::size_t seen = 0;
    for (char c : s) {
        if (isLead(c) && ++seen > 3)
            break;
        switch (c) {
        case 'a': rna += 'u'; break;
        case 'g': rna += 'c'; break;
        case 'c': rna += 'g'; break;
        case 't': rna += 'a'; break;
        default: break;
        }
    }
    return rna;
}

bool isStop(std::string_view rna) { return rna == "uaa" || rna == "uag" || rna == "uga"; }

std::string_view codonOf(std::string_view reference, std::size_t slot)
{
    const std::size_t start = slot * 3;
    return start < reference.size() ? reference.substr(start, 3) : std::string_view{};
}

void checkLookUps(std::string_view bytes)
{
    const auto found = LookUpCodon(bytes);
    CHECK(sameOutcome(found, textbookLetter(bytes)));
    if (found) {
        bool inTable = false;
        for (const CodonEntry& e : kCodonTable)
            inTable = inTable || (e.codon == bytes && e.outcome == *found);
        CHECK(inTable);
    }
    CHECK(isStopCodon(bytes) == (found == AminoAcidId::Stop));

    const auto code = FindByCode(bytes);
    if (code)
        CHECK(entry(*code).code == bytes);
}

void checkRun(const CodonTexts& texts, std::string_view reference)
{
    const CodingRunResult r = runCoding(texts, reference);

    std::optional<std::size_t> firstBad;
    for (std::size_t i = 0; i < kCodonCount && !firstBad; ++i)
        if (characters(texts[i]) != 3)
            firstBad = i;
    CHECK(r.firstBadLength == firstBad);
    if (firstBad) {
        for (std::size_t i = 0; i < kCodonCount; ++i) {
            CHECK(r.rna[i].empty());
            CHECK(!r.changes[i].changed);
            CHECK(!r.outcomes[i]);
        }
        CHECK(!r.stopWarning);
        return;
    }

    bool anyStop = false;
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        const std::string& rna = r.rna[i];
        CHECK(rna.size() <= 3);
        for (char c : rna)
            CHECK(c == 'a' || c == 'c' || c == 'g' || c == 'u');
        CHECK(rna == transcribed(texts[i]));
        anyStop = anyStop || isStop(rna);

        const std::string_view generated = codonOf(reference, i);
        CHECK(r.changes[i].changed == (texts[i] != generated));
        if (r.changes[i].changed)
            CHECK(sameOutcome(r.changes[i].previous, textbookLetter(transcribed(generated))));
    }
    CHECK(r.stopWarning == !anyStop);

    bool translating = r.rna[0] == "aug";
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        if (!translating) {
            CHECK(!r.outcomes[i]);
            continue;
        }
        CHECK(sameOutcome(r.outcomes[i], textbookLetter(r.rna[i])));
        if (isStop(r.rna[i]))
            translating = false;
    }
}

// Uniform draws from the input bytes; zeros once they run out, so generation always ends.
class ByteSource final {
public:
    explicit ByteSource(std::string_view bytes) : bytes_(bytes) {}
    void randomize() { ++reseeds; }
    float next()
    {
        return at_ < bytes_.size() ? static_cast<float>(static_cast<unsigned char>(bytes_[at_++])) / 256.0f : 0.0f;
    }
    int reseeds = 0;

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

void checkGeneration(std::string_view bytes)
{
    ByteSource source(bytes);
    const CodonTexts codons = drawSequence(source);
    CHECK(source.reseeds == 2);
    CHECK(codons[0] == "tac");
    for (std::size_t k = 0; k < kCodonCount; ++k) {
        CHECK(codons[k].size() == 3);
        for (char c : codons[k])
            CHECK(c == 'a' || c == 'c' || c == 'g' || c == 't');
        const bool stopTemplate = codons[k] == "act" || codons[k] == "atc" || codons[k] == "att";
        CHECK(stopTemplate == (k == kCodonCount - 1));
    }
    std::string strand;
    for (const std::string& c : codons)
        strand += c;
    const CodingRunResult r = runCoding(codons, strand);
    CHECK(!r.firstBadLength && !r.stopWarning);
    for (std::size_t k = 0; k < kCodonCount; ++k) {
        CHECK(!r.changes[k].changed);
        CHECK(r.outcomes[k].has_value());
        CHECK((*r.outcomes[k] == AminoAcidId::Stop) == (k == kCodonCount - 1));
    }
}

std::string tripletOf(unsigned char b)
{
    constexpr std::string_view bases = "acgt";
    return {bases[(b >> 4) & 3], bases[(b >> 2) & 3], bases[b & 3]};
}

void splitLines(std::string_view bytes, CodonTexts& texts, std::string& reference)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < kCodonCount && at <= bytes.size(); ++i) {
        const std::size_t end = bytes.find('\n', at);
        const std::size_t stop = end == std::string_view::npos ? bytes.size() : end;
        texts[i] = std::string(bytes.substr(at, stop - at));
        at = stop + 1;
    }
    if (at < bytes.size())
        reference = std::string(bytes.substr(at));
}

void splitCompact(std::string_view bytes, CodonTexts& texts, std::string& reference)
{
    for (std::size_t i = 0; i < kCodonCount && i < bytes.size(); ++i) {
        const std::string generated = tripletOf(static_cast<unsigned char>(bytes[i]));
        reference += generated;
        texts[i] = generated;
        if (kCodonCount + i >= bytes.size())
            continue;
        const auto edit = static_cast<unsigned char>(bytes[kCodonCount + i]);
        std::string text = tripletOf(edit);
        switch (edit >> 6) {
        case 2: text.replace(1, 1, "\xc3\xa9"); break;
        case 3: text.pop_back(); break;
        default: break;
        }
        texts[i] = text;
    }
}

}  // namespace

// The bytes as a page's address: a strand a link starts on is one the generator draws again
// from its draws, its boxes hold up to three bases, and writing it back reads the same.
void checkLink(std::string_view bytes)
{
    const LinkReading reading = readLink(bytes);
    CHECK(!reading.game || reading.problem == LinkProblem::None);
    if (!reading.game)
        return;
    const SharedStrand& game = *reading.game;
    CHECK(checkStrand(game.strand) == LinkProblem::None);
    ReplayedDraws replay(drawsFor(game.strand));
    const CodonTexts drawn = drawSequence(replay);
    CodonTexts boxes;
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        CHECK(drawn[i] == game.strand.substr(i * kCodonLength, kCodonLength));
        CHECK(!game.boxes[i] || game.boxes[i]->size() <= kCodonLength);
        boxes[i] = game.boxes[i] ? *game.boxes[i] : drawn[i];
    }
    const LinkReading again = readLink(writeLink(game.strand, boxes));
    CHECK(again.game && again.game->strand == game.strand);
    for (std::size_t i = 0; i < kCodonCount; ++i)
        CHECK((again.game->boxes[i] ? *again.game->boxes[i] : drawn[i]) == boxes[i]);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    CodonTexts texts;
    std::string reference;
    if (bytes.find('\n') != std::string_view::npos)
        splitLines(bytes, texts, reference);
    else
        splitCompact(bytes, texts, reference);

    checkLookUps(bytes);
    for (const std::string& t : texts) {
        checkLookUps(t);
        CHECK(characterCount(t) == characters(t));
        CHECK(TranscribeCodon(t) == transcribed(t));
    }
    checkRun(texts, reference);
    checkGeneration(bytes);
    checkLink(bytes);
    return 0;
}
