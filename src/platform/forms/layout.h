#pragma once

// Static description of a window: plain aggregates in twips that a window declares once as
// constant data and that Form turns into widgets. Rows read like a design table:
// name, kind, text, left, top, width, height, font, colours, alignment, tab, flags, tooltip.

#include <span>

namespace platform {

enum class Kind { PushButton, Label, Frame, Line, Shape, Image };

enum class Align { Left, Centre };

enum class Border { None, FixedSingle, Sizable };

// An RGB triple, or the system's own colour for the control's kind when not set.
struct Colour {
    int r = -1;
    int g = -1;
    int b = -1;
    constexpr bool isSet() const { return r >= 0; }
};
constexpr Colour rgb(int r, int g, int b) {
    return Colour{r, g, b};
}
inline constexpr Colour standard{};

// Every font of the program is bold; a face of nullptr leaves the platform's default font.
struct Font {
    const char* face = nullptr;
    double points = 0;
};
constexpr Font arial(double points) {
    return Font{"Arial", points};
}
constexpr Font timesNewRoman(double points) {
    return Font{"Times New Roman", points};
}
constexpr Font msSansSerif(double points) {
    return Font{"MS Sans Serif", points};
}
inline constexpr Font noFont{};

inline constexpr int noTab = -1;

// An inert control is only drawn: it does nothing and is not offered to assistive technology.
enum Flags : unsigned { None = 0, Hidden = 1, Disabled = 2, Inert = 4 };

// One control. For a Line, left/top/width/height hold the two end points x1, y1, x2, y2.
// A label with a background colour is opaque, without one transparent; a push button with a
// background colour is filled with it.
struct Control {
    const char* name;
    Kind kind;
    const char* text;
    int left;
    int top;
    int width;
    int height;
    Font font = noFont;
    Colour back = standard;
    Colour fore = standard;
    Align align = Align::Left;
    int tab = noTab;
    unsigned flags = None;
    const char* tooltip = nullptr;
    int outline = 1; // shapes: outline width in pixels
};

// Controls listed front to back inside one container: the client area (container nullptr) or
// a frame named by container.
struct ControlGroup {
    const char* container;
    std::span<const Control> controls;
};

struct MenuItem {
    const char* name;
    const char* caption;
    const char* menu; // nullptr for a menu of the menu bar, else the name of its menu
};

// What assistive technology reads of a control besides its name: for a label whose text may be
// empty, what it will show.
struct Description {
    const char* control;
    const char* text;
};

struct WindowLayout {
    const char* name;
    const char* title;
    Colour back;
    int clientWidth;
    int clientHeight;
    Border border;
    bool maximised;
    bool inTaskbar;
    std::span<const ControlGroup> groups;
    std::span<const MenuItem> menu;
    std::span<const Description> descriptions = {};
};

// Twips become logical pixels at 15 twips a pixel; edges are rounded so that adjacent controls
// stay adjacent.
inline constexpr int twipsPerPixel = 15;
constexpr int pixels(int twips) {
    constexpr int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((-twips + half) / twipsPerPixel);
}

} // namespace platform
