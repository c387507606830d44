#include "platform/forms/controls.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

namespace {

constexpr char inertProperty[] = "inert";

} // namespace

void setInert(QWidget* control) {
    control->setProperty(inertProperty, true);
}

bool isInert(const QWidget* control) {
    return control->property(inertProperty).toBool();
}

Label::Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void Label::setText(const QString& text) {
    // QLabel tells assistive technology of a new text itself.
    QLabel::setText(text);
    emit changed();
}

void Label::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void Frame::setBackColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

QColor Frame::backColor() const {
    return palette().color(QPalette::Window);
}

LineControl::LineControl(QPoint from, QPoint to, QWidget* parent) : QWidget(parent), from_(from), to_(to) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(QRect(from, to).normalized().adjusted(0, 0, 1, 1));
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(from_ - pos(), to_ - pos());
}

ShapeControl::ShapeControl(const QColor& fill, int outlineWidth, QWidget* parent)
    : QWidget(parent), fill_(fill), outlineWidth_(outlineWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The outline lies inside the rectangle, as the shape's own edge.
    const qreal inset = outlineWidth_ / 2.0;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const qreal radius = std::min(box.width(), box.height()) / 6.0;
    painter.setPen(QPen(palette().color(QPalette::WindowText), outlineWidth_));
    painter.setBrush(fill_);
    painter.drawRoundedRect(box, radius, radius);
}

ImageBox::ImageBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

} // namespace platform
