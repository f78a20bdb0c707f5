#include "fonts.h"

namespace vintalem::ui {

QFont defaultFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

QFont boldFont()
{
    QFont font = defaultFont();
    font.setBold(true);
    return font;
}

}  // namespace vintalem::ui
