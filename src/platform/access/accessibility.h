#pragma once

#include "platform/access/spoken.h"

namespace platform {

// Gives assistive technology what Qt's own accessibility lacks, once, before any window is built:
// labels read as their text said by the program's reading, captions of spaced letters named as
// their words, a caption said otherwise than written described as it is said, inert controls left
// out, the notices that announcements appear in; in the browser, the page's elements that it reads
// in place of the canvas, which go when the program ends.
void setUpAccessibility(Reading reading = nullptr);

} // namespace platform
