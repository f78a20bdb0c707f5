#pragma once

// The game's classification written out by hand, in catalogue order: the tests' own copy,
// to hold the program's catalogue against.
namespace vintalem::test {

struct OracleRow {
    const char *code, *name, *charge, *polarity, *size;
    int listIndex;
};

inline constexpr OracleRow kOracle[] = {
    {"Ala", "Alanina", "Neutral", "Apolar", "Small", 0},
    {"Cys", "Cisteina", "Neutral", "Apolar", "Small", 4},
    {"Asp", "Aspartato", "Acidic", "Polar", "Small", 3},
    {"Glu", "Glutammato", "Acidic", "Polar", "Medium", 7},
    {"Phe", "Fenilalanina", "Neutral", "Apolar", "Large", 5},
    {"Gly", "Glicina", "Neutral", "Apolar", "Small", 6},
    {"His", "Istidina", "Neutral", "Polar", "Large", 10},
    {"Ile", "Isoleucina", "Neutral", "Apolar", "Large", 9},
    {"Lys", "Lisina", "Basic", "Polar", "Large", 12},
    {"Leu", "Leucina", "Basic", "Apolar", "Large", 11},
    {"Met", "Metionina", "Neutral", "Apolar", "Large", 13},
    {"Asn", "Aspargina", "Neutral", "Polar", "Medium", 2},
    {"Pro", "Prolina", "Neutral", "Polar", "Medium", 14},
    {"Gln", "Glutammina", "Neutral", "Polar", "Large", 8},
    {"Arg", "Arginina", "Basic", "Polar", "Large", 1},
    {"Ser", "Serina", "Neutral", "Apolar", "Small", 15},
    {"Thr", "Treonina", "Neutral", "Apolar", "Small", 17},
    {"Val", "Valina", "Neutral", "Apolar", "Medium", 19},
    {"Trp", "Triptofano", "Neutral", "Polar", "Large", 18},
    {"Tyr", "Tirosina", "Neutral", "Polar", "Large", 16},
};
inline constexpr int kOracleCount = static_cast<int>(sizeof kOracle / sizeof kOracle[0]);

// The row that shows in place p of the codon table's list; Stop (nullptr) is last.
inline const OracleRow* oracleAtListPlace(int p)
{
    for (const OracleRow& r : kOracle)
        if (r.listIndex == p)
            return &r;
    return nullptr;
}

}  // namespace vintalem::test
