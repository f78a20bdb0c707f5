#pragma once

#include <QList>
#include <QStringList>

#include <utility>

// Scenario tables write rows of twenty slots compactly: "3=aca 5=" sets slots 3 and 5,
// and "6/" empties every slot from 6 on.
namespace vintalem::test {

inline QList<std::pair<int, QString>> slotTexts(const QString& spec)
{
    QList<std::pair<int, QString>> out;
    for (const QString& token : spec.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto at = token.indexOf(QLatin1Char('='));
        if (at > 0)
            out.append({token.left(at).toInt(), token.mid(at + 1)});
    }
    return out;
}

inline QStringList withSlots(QStringList base, const QString& spec)
{
    for (const QString& token : spec.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (token.endsWith(QLatin1Char('/')))
            for (int i = token.chopped(1).toInt(); i < base.size(); ++i)
                base[i].clear();
    for (const auto& [slot, text] : slotTexts(spec))
        base[slot] = text;
    return base;
}

}  // namespace vintalem::test
