#pragma once

// The control kinds of the windowing layer that draw or show, as small Qt widgets. The push
// button, which takes the pupil's input, has a file of its own.

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace platform {

// Marks a control as only drawn (see Flags::Inert), and tells whether one is.
void setInert(QWidget* control);
bool isInert(const QWidget* control);

// A label of plain text that wraps at blanks, starts at its top edge, is clipped to its own
// rectangle and raises changed() inside every setting of its text, also when the text is equal.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent);

    void setText(const QString& text);

signals:
    void changed();

protected:
    // A click on a label is not a click on the window beneath it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A captioned frame whose background colour can be set; its children are placed relative to it.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    void setBackColor(const QColor& colour);
    QColor backColor() const;
};

// A straight line between two points of its parent, drawn one pixel wide.
class LineControl : public QWidget {
    Q_OBJECT
public:
    LineControl(QPoint from, QPoint to, QWidget* parent);

    QPoint from() const { return from_; }
    QPoint to() const { return to_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;
    QPoint to_;
};

// A filled rectangle with rounded corners and an outline of a given width in pixels.
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    ShapeControl(const QColor& fill, int outlineWidth, QWidget* parent);

    QColor fill() const { return fill_; }
    int outlineWidth() const { return outlineWidth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    int outlineWidth_;
};

// An empty picture box with a single-line border.
class ImageBox : public QFrame {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent);
};

} // namespace platform
