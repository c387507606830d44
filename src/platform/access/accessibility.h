#pragma once

namespace platform {

// Gives assistive technology what Qt's own accessibility lacks, once, before any window is built:
// labels read as their text, captions of spaced letters named as their words, the notices that
// announcements appear in; in the browser, the page's elements that it reads in place of the
// canvas, which go when the program ends.
void setUpAccessibility();

} // namespace platform
