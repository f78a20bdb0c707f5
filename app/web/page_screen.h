#pragma once

namespace vintalem::ui {
class FormRegistry;
class Zoom;
}  // namespace vintalem::ui

namespace vintalem::web {

// Scales the whole game to the page it is in, before its first window shows and again whenever
// the page's room changes (resized, turned, full screen, another monitor): as large as the room
// allows with every window whole. The page's zoom (its bar, keys, wheel and two fingers) goes
// through `zoom`; when the windows outgrow the room the page scrolls.
void fitGameToPage(ui::FormRegistry& forms, ui::Zoom& zoom);

}  // namespace vintalem::web
