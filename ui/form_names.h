#pragma once

#include <QString>

// The names by which the windows reach each other through the form registry.
namespace vintalem::ui::names {

inline const QString zuvo = QStringLiteral("zuvo");
inline const QString Atab = QStringLiteral("Atab");
inline const QString mutazioni = QStringLiteral("mutazioni");
inline const QString Information = QStringLiteral("Information");
inline const QString InformazsuVintalem = QStringLiteral("InformazsuVintalem");

}  // namespace vintalem::ui::names
