#pragma once

namespace platform {

// Sets what every window relies on, once, before any window is built: a style that paints the
// layouts' colours exactly, and stand-ins for the layouts' font faces.
void setUpApplication();

} // namespace platform
