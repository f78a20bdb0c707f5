#pragma once

namespace vintalem::ui {
class FormRegistry;
class Toolkit;

// Tells the registry how to make each of the program's five windows, and what they carry.
void registerForms(FormRegistry& registry);

// The core's clock-seeded generator as the toolkit's random source; it reads whatever clock
// the toolkit has at the moment it reseeds.
void installRandomSource(Toolkit& toolkit);
}  // namespace vintalem::ui
