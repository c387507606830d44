#pragma once

namespace platform {

// Sets what every window relies on, once, before any window is built: a style that paints the
// layouts' colours exactly, and stand-ins for the layouts' font faces; in the browser, the page's
// elements that assistive technology reads in place of the canvas.
void setUpApplication();

// Ends the program once its windows have gone: the event loop returns 0. In the browser, where
// the page outlives the program, the page is told, so that it can say the program has ended.
void quitApplication();

} // namespace platform
