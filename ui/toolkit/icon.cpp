#include "icon.h"

#include <QPixmap>

namespace vintalem::ui {

namespace {
#include "resources/vintalem.xpm"
}

QIcon programIcon()
{
    static const QIcon icon{QPixmap(vintalem_icon)};
    return icon;
}

}  // namespace vintalem::ui
