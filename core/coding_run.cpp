#include "coding_run.h"

#include "codon_table.h"

namespace vintalem {

namespace {
bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

char rnaImage(char templateBase)
{
    switch (templateBase) {
    case 'a': return 'u';
    case 'g': return 'c';
    case 'c': return 'g';
    case 't': return 'a';
    default: return '\0';
    }
}
}  // namespace

std::size_t characterCount(std::string_view utf8)
{
    std::size_t n = 0;
    for (char c : utf8)
        if (!isContinuationByte(c))
            ++n;
    return n;
}

std::string TranscribeCodon(std::string_view templateCodon)
{
    std::string rna;
    std::size_t characters = 0;
    for (char c : templateCodon) {
        if (!isContinuationByte(c) && ++characters > kCodonLength)
            break;
        if (const char image = rnaImage(c))
            rna.push_back(image);
    }
    return rna;
}

std::string_view referenceCodon(std::string_view reference, std::size_t slot)
{
    const std::size_t start = slot * kCodonLength;
    return start < reference.size() ? reference.substr(start, kCodonLength) : std::string_view{};
}

CodingRunResult runCoding(const CodonTexts& texts, std::string_view reference)
{
    CodingRunResult result;
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        if (characterCount(texts[i]) != kCodonLength) {
            result.firstBadLength = i;
            return result;
        }
    }

    bool anyStop = false;
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        result.rna[i] = TranscribeCodon(texts[i]);
        anyStop = anyStop || isStopCodon(result.rna[i]);
        const std::string_view generated = referenceCodon(reference, i);
        if (texts[i] != generated)
            result.changes[i] = {true, LookUpCodon(TranscribeCodon(generated))};
    }
    result.stopWarning = !anyStop;

    if (result.rna[0] == kStartCodon) {
        for (std::size_t i = 0; i < kCodonCount; ++i) {
            result.outcomes[i] = LookUpCodon(result.rna[i]);
            if (result.outcomes[i] == AminoAcidId::Stop)
                break;
        }
    }
    return result;
}

}  // namespace vintalem
