#pragma once

#include <QString>

namespace vintalem::ui::names {

inline const QString zuvo = QStringLiteral("zuvo");
inline const QString Atab = QStringLiteral("Atab");
inline const QString mutazioni = QStringLiteral("mutazioni");
inline const QString Information = QStringLiteral("Information");
inline const QString InformazsuVintalem = QStringLiteral("InformazsuVintalem");

}  // namespace vintalem::ui::names
