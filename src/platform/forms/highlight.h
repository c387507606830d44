#pragma once

#include "platform/forms/controls.h"

#include <QPainter>
#include <QRegion>
#include <QWidget>

namespace platform {

// A thick frame over the highlighted control, seen from across a classroom on every background
// the layouts use (pink, peach, pale cyan and yellow, orange, white): black outside, yellow inside.
// It stands above the window's controls, takes no input and moves none of them.
class Highlight : public QWidget {
public:
    static constexpr int thickness = 4;

    explicit Highlight(QWidget* window) : QWidget(window) {
        setObjectName(QStringLiteral("highlight"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setInert(this);
    }

protected:
    // Only the frame: the control shows through inside it.
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect yellow = rect().adjusted(thickness, thickness, -thickness, -thickness);
        const QRect inside = yellow.adjusted(thickness, thickness, -thickness, -thickness);
        p.setClipRegion(QRegion(rect()) - QRegion(yellow));
        p.fillRect(rect(), Qt::black);
        p.setClipRegion(QRegion(yellow) - QRegion(inside));
        p.fillRect(yellow, Qt::yellow);
    }
};

} // namespace platform
