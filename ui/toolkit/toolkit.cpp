#include "toolkit.h"

#include "accessibility.h"

#include <QtGlobal>

namespace vintalem::ui {

namespace {
Toolkit* g_toolkit = nullptr;
}

Toolkit::Toolkit()
    : messages_(std::make_unique<QtMessageService>()), clock_(std::make_unique<QtClock>())
{
    installAccessibility();
    forms_ = std::make_unique<FormRegistry>();
    g_toolkit = this;
}

Toolkit::~Toolkit()
{
    forms_.reset();
    if (g_toolkit == this)
        g_toolkit = nullptr;
}

Toolkit& Toolkit::current()
{
    // Stops every build, not only those that keep assert().
    if (!g_toolkit)
        qFatal("Toolkit::current(): there is no toolkit; the program makes one before any form or service is used");
    return *g_toolkit;
}

}  // namespace vintalem::ui
