#include "shared_strand.h"

#include "sequence.h"

#include <algorithm>

namespace vintalem {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = lower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Percent-decoded and in small letters; a '%' that starts no escape stays as it is.
std::string decoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out.push_back(lower(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]))));
            i += 2;
        } else {
            out.push_back(lower(text[i]));
        }
    }
    return out;
}

bool isBase(char c) { return c == 'a' || c == 'c' || c == 'g' || c == 't'; }

// "5ggg" or "7": a codon number 1..20 and up to three bases.
std::optional<std::pair<std::size_t, std::string>> readBox(std::string_view item)
{
    std::size_t digits = 0;
    while (digits < item.size() && digits < 3 && item[digits] >= '0' && item[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 2 || item[0] == '0')
        return std::nullopt;
    const std::size_t number = static_cast<std::size_t>(std::stoi(std::string(item.substr(0, digits))));
    const std::string_view bases = item.substr(digits);
    if (number < 1 || number > kCodonCount || bases.size() > kCodonLength || !std::all_of(bases.begin(), bases.end(), isBase))
        return std::nullopt;
    return std::pair{number - 1, std::string(bases)};
}

}  // namespace

LinkProblem checkStrand(std::string_view strand)
{
    if (strand.size() != kSequenceLength)
        return LinkProblem::StrandLength;
    if (!std::all_of(strand.begin(), strand.end(), isBase))
        return LinkProblem::StrandLetters;
    if (strand.substr(0, kCodonLength) != kStartTemplate)
        return LinkProblem::StrandStart;
    for (std::size_t slot = 1; slot + 1 < kCodonCount; ++slot)
        if (isStopTemplate(strand.substr(slot * kCodonLength, kCodonLength)))
            return LinkProblem::StrandEarlyStop;
    if (!isStopTemplate(strand.substr(kSequenceLength - kCodonLength)))
        return LinkProblem::StrandNoStop;
    return LinkProblem::None;
}

LinkReading readLink(std::string_view fragment)
{
    if (!fragment.empty() && fragment.front() == '#')
        fragment.remove_prefix(1);
    std::optional<std::string> dna, boxes;
    while (!fragment.empty()) {
        const std::size_t end = std::min(fragment.find('&'), fragment.size());
        const std::string_view part = fragment.substr(0, end);
        fragment.remove_prefix(std::min(end + 1, fragment.size()));
        const std::size_t equals = std::min(part.find('='), part.size());
        const std::string key = decoded(part.substr(0, equals));
        const std::string_view value = part.substr(std::min(equals + 1, part.size()));
        if (key == "dna" && !dna)
            dna = decoded(value);
        else if (key == "caselle" && !boxes)
            boxes = decoded(value);
    }
    if (!dna && !boxes)
        return {};
    if (!dna)
        return {std::nullopt, LinkProblem::Boxes};
    if (const LinkProblem problem = checkStrand(*dna); problem != LinkProblem::None)
        return {std::nullopt, problem};
    SharedStrand game{*dna, {}};
    for (std::string_view rest = boxes ? std::string_view(*boxes) : std::string_view(); !rest.empty();) {
        const std::size_t end = std::min(rest.find('.'), rest.size());
        const auto box = readBox(rest.substr(0, end));
        if (!box || game.boxes[box->first])
            return {std::nullopt, LinkProblem::Boxes};
        game.boxes[box->first] = box->second;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return {std::move(game), LinkProblem::None};
}

std::string writeLink(std::string_view strand, const CodonTexts& boxes)
{
    std::string link = "dna=" + std::string(strand);
    std::string changed;
    for (std::size_t slot = 0; slot < kCodonCount; ++slot) {
        const std::string_view original = strand.substr(std::min(slot * kCodonLength, strand.size()), kCodonLength);
        if (boxes[slot] == original)
            continue;
        if (!changed.empty())
            changed += '.';
        changed += std::to_string(slot + 1);
        changed += boxes[slot];
    }
    if (!changed.empty())
        link += "&caselle=" + changed;
    return link;
}

std::vector<float> drawsFor(std::string_view strand)
{
    // Each middle base is drawn from one value, in the middle of its quarter; the stop
    // template from one more, in the middle of its third.
    const auto base = [](char b) { return b == 'a' ? 0.125f : b == 'g' ? 0.375f : b == 'c' ? 0.625f : 0.875f; };
    std::vector<float> draws;
    for (std::size_t i = kCodonLength; i + kCodonLength < strand.size(); ++i)
        draws.push_back(base(strand[i]));
    const std::string_view stop = strand.substr(kSequenceLength - kCodonLength);
    for (std::size_t k = 0; k < kStopTemplates.size(); ++k)
        if (kStopTemplates[k] == stop)
            draws.push_back((static_cast<float>(k) + 0.5f) / 3.0f);
    return draws;
}

}  // namespace vintalem
