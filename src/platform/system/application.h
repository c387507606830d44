#pragma once

#include <functional>

namespace platform {

// Sets what every window relies on, once, before any window is built: a style that paints the
// layouts' colours exactly, and stand-ins for the layouts' font faces.
void setUpApplication();

// Ends the program once its windows have gone: the event loop returns 0. What was asked for with
// atQuit() is done first; in the browser, where the page outlives the program, the page is then
// told, so that it can say the program has ended.
void quitApplication();

// Asks for farewell to be done when the program ends: what lives outside the program's windows
// (in the browser, the page's elements for assistive technology) goes with it.
void atQuit(std::function<void()> farewell);

} // namespace platform
