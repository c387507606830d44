#pragma once

// Stand-ins for the clock and the random source, and clicks the way a pupil makes them.

#include "catalogue/lettura.h"
#include "platform/access/accessibility.h"
#include "platform/access/announce.h"
#include "platform/forms/form.h"
#include "platform/system/application.h"
#include "platform/system/clock.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QWindow>

#include <deque>

namespace support {

class StandInClock final : public platform::Clock {
public:
    float timer() const override { return now; }
    float now = 36000.0f;
};

// Returns the queued values in turn, then repeats the last one.
class StandInRandom final : public platform::RandomSource {
public:
    void reseed(float seed) override { seeds.push_back(seed); }
    float next() override {
        if (values.size() > 1) {
            const float v = values.front();
            values.pop_front();
            return v;
        }
        return values.empty() ? 0.0f : values.front();
    }
    std::deque<float> values;
    std::vector<float> seeds;
};

// Keeps what the program says to a screen reader, until taken.
class StandInAnnouncer final : public platform::Announcer {
public:
    void announce(QWidget* window, const QString& text) override { said.push_back({window, text}); }
    // The texts said since the last call, each checked to be said on behalf of window.
    QStringList take(const QWidget* window) {
        QStringList texts;
        for (const auto& [w, t] : said) {
            if (w != window)
                texts << QStringLiteral("(said on behalf of another window) ") + t;
            else
                texts << t;
        }
        said.clear();
        return texts;
    }
    std::vector<std::pair<QWidget*, QString>> said;
};

// The entry drawn for a value r with N questions is floor(r * N) + 1: this value draws numero.
inline float drawing(int numero, int n) {
    return (static_cast<float>(numero) - 0.5f) / static_cast<float>(n);
}

// The centre of the named control, in its window.
inline QPoint centro(platform::Form& form, const QString& name) {
    QWidget* control = form.control(name);
    return control->mapTo(form.window(), control->rect().center());
}

// A press and release of a mouse button through the window, at the centre of the named control,
// so that whatever stands on top there takes it, as under a real pointer.
inline void click(platform::Form& form, const QString& name, Qt::MouseButton button = Qt::LeftButton) {
    QVERIFY2(form.control(name), qPrintable(name));
    QTest::mouseClick(form.window()->windowHandle(), button, Qt::NoModifier, centro(form, name));
}

inline QString text(platform::Form& form, const QString& label) {
    return form.label(label)->text();
}

inline bool visible(platform::Form& form, const QString& control) {
    return form.control(control)->isVisible();
}

// The offscreen platform warns each time a window is raised or sized from its hints; those
// notices say nothing about the program and would crowd out the tests' own messages.
inline void quietOffscreenNotices() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
            return;
        previous(type, context, message);
    });
}

// What the program sets up before its first window: style, fonts and accessibility; and quiet.
inline void setUpApplication() {
    platform::setUpApplication();
    platform::setUpAccessibility(catalogue::comeSiLegge);
    quietOffscreenNotices();
}

// The families a face named by the layouts must resolve to. Windows has Arial and Times New Roman
// themselves; elsewhere (and in a Windows build run where only the metric twins are installed) the
// twins stand in. MS Sans Serif is drawn in DejaVu Sans everywhere.
inline QStringList intendedFamilies(const QString& layoutFace) {
    if (layoutFace == QLatin1String("MS Sans Serif"))
        return {QStringLiteral("DejaVu Sans")};
    const QString twin = layoutFace == QLatin1String("Times New Roman") ? QStringLiteral("Liberation Serif")
                                                                        : QStringLiteral("Liberation Sans");
#if defined(Q_OS_WIN)
    return {layoutFace, twin};
#else
    return {twin};
#endif
}

// A table the end-to-end scenarios read too (stati-quiz.json, catalogo.json), from the test's
// resources.
inline QJsonObject tabella(const QString& nome) {
    QFile file(QStringLiteral(":/") + nome);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s is not among the test's resources", qPrintable(nome));
    return QJsonDocument::fromJson(file.readAll()).object();
}

// Where input goes now: the open menu, or else the window in front.
inline QWidget* fronte() {
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    return platform::FormWindow::front();
}

// Runs the deferred destruction of unloaded windows.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace support
