#pragma once

#include "platform/access/settled.h"

#include <QStringList>
#include <QWidget>

namespace platform {

// One per window: keeps what the window has to say until the handler that said it has returned
// and the window is active, so that a window's opening, which the screen reader presents as the
// window and its focused button, comes before what the window says. On Linux it is itself the
// notification that a screen reader speaks as it appears; elsewhere it stays hidden. Read-aloud,
// where it is on, says the same utterance.
class Notice : public QWidget {
    Q_OBJECT
public:
    explicit Notice(QWidget* window);

    void add(const QString& text);
    // What was said last, as one utterance.
    const QString& text() const { return text_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override;

private:
    void deliver();
    // Says text_ as each system's screen readers honour it.
    void speak();

    QStringList pending_;
    QString text_;
    OnceSettled delivery_{this, [this] { deliver(); }};
};

} // namespace platform
