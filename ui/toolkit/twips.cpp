#include "twips.h"

#include <QWidget>

namespace vintalem::ui {

void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

}  // namespace vintalem::ui
