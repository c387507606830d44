#pragma once

// Read-aloud, for pupils who read with difficulty: the same stream as the announcements (the
// question when it is shown, the chosen answer, the verdict), said by a voice without a screen
// reader. A pupil who cannot read a caption hears it too: a push button's caption is said when the
// pointer has rested on the button for a moment, or when the keyboard brings the focus to it, and a
// click on a label says its text again. Off unless turned on; nothing on screen changes.

#include "platform/access/voice.h"

#include <chrono>
#include <memory>

namespace platform {

// Turns read-aloud on, said by voice; rest is how long the pointer rests on a button before its
// caption is said. After setUpAccessibility; the program's end turns it off.
void startReadAloud(std::unique_ptr<Voice> voice, std::chrono::milliseconds rest = std::chrono::seconds(1));

// Turns read-aloud off and lets its voice go.
void stopReadAloud();

// Says text as it stands (a spoken form already), when read-aloud is on; nothing otherwise.
void readAloud(const QString& text);

} // namespace platform
