#pragma once

// In the browser the program is one canvas, which assistive technology cannot read. The page
// mirror keeps in the page one invisible element over the canvas for every control on screen, with
// the role, name, description and state that Qt's accessibility gives the control on the desktop:
// each window a region named by its title (the front one first), push buttons as buttons, labels
// as text (those that change as polite live regions), and each menu bar's menus. Activating a
// button's element clicks the button; Space on a focused element is Space on the control, so that
// a button held with Space is held; Tab and Shift+Tab follow Qt's focus chain. Elements change in
// place when their controls change, never on a paint. Built for the browser only.

namespace platform {

// Starts mirroring every window of the application; once, after the application exists.
void startPageMirror();

// Takes every element out of the page and stops following the program, which is ending.
void stopPageMirror();

} // namespace platform
