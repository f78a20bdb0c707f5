#pragma once

namespace vintalem::ui {
class FormRegistry;

// Tells the registry how to make each of the program's five windows.
void registerForms(FormRegistry& registry);
}  // namespace vintalem::ui
