#include "toolkit.h"

#include "accessibility.h"

#include <cassert>

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
    assert(g_toolkit);
    return *g_toolkit;
}

}  // namespace vintalem::ui
