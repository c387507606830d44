#pragma once

// In the browser the program is one canvas, which assistive technology cannot read. The page
// mirror keeps in the page one invisible element over the canvas for every control on screen, with
// the role, name, description and state that Qt's accessibility gives the control on the desktop:
// each window a region named by its title (the front one first, and above the others), push
// buttons as buttons, labels as text, and each menu bar's menus as a WAI-ARIA menu bar. Where a
// window in front covers another, a finger finds the front window's surface and controls only.
// Activating a button's element
// clicks the button; Space or Enter on a focused element is that key on the control, so that a
// button held with it is held; Tab and Shift+Tab follow Qt's focus chain, with the front window's
// menu bar in it. Elements change in place when their controls change, never on a paint. Where the
// page is larger than the browser's window (zoomed in), the focused element is scrolled into sight,
// and the wheel, and fingers that land where they would do nothing in the program, pan the page.
// Built for the browser only.

#include <QString>

namespace platform {

// Starts mirroring every window of the application; once, after the application exists.
void startPageMirror();

// Takes every element out of the page and stops following the program, which is ending.
void stopPageMirror();

// Says text through the page's one polite live region, which is there from the mirror's start:
// a region made together with its text is not read by every browser.
void announceInPage(const QString& text);

} // namespace platform
