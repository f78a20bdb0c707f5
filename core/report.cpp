#include "report.h"

namespace vintalem {

CodingReport runReport(const CodingRunResult& run, const ProteinRow& before)
{
    CodingReport report;
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        const SlotChange& change = run.changes[i];
        report.decoded[i] = !change.changed ? Outcome{} : change.previous ? change.previous : before[i];
    }

    report.previous = report.decoded;
    for (std::size_t i = 1; i < kCodonCount; ++i) {
        if (!run.outcomes[i]) {
            report.tidied[i] = true;
            report.previous[i].reset();
        }
    }

    // The scan ends at the first slot whose two outcomes differ: one such slot outweighs
    // any number of silent ones.
    for (std::size_t i = 0; i < kCodonCount; ++i) {
        const Outcome& fresh = run.outcomes[i];
        const Outcome& old = report.previous[i];
        if (fresh && old == fresh) {
            report.silentMutation = true;
        } else if (fresh && old) {
            report.silentMutation = false;
            break;
        }
    }

    for (const Outcome& old : report.previous)
        report.showHeading = report.showHeading || old.has_value();
    return report;
}

}  // namespace vintalem
