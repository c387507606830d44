#pragma once

// The window lifecycle. A Form object lives for the whole run; its on-screen window and controls
// exist only between load() and unload(), so the fields of a derived window survive an unload.

#include "platform/forms/controls.h"
#include "platform/forms/formwindow.h"
#include "platform/forms/layout.h"
#include "platform/forms/pushbutton.h"

#include <QHash>
#include <QString>

#include <functional>
#include <vector>

class QAction;

namespace platform {

// The rectangle in logical pixels of a rectangle given in twips.
QRect twipsRect(double left, double top, double width, double height);

class Form {
public:
    explicit Form(const WindowLayout& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls from the layout, then runs Form_Load. Loading a loaded
    // window does nothing.
    void load();
    // Makes the window visible, brings it to the front and activates it; never modal.
    void show();
    // Destroys the window and its controls; the Form and its fields remain. Closing the window
    // from its title bar does the same. Unloading an unloaded window does nothing.
    void unload();
    bool isLoaded() const { return window_ != nullptr; }

    const WindowLayout& layout() const { return layout_; }
    FormWindow* window() const { return window_; }
    ClientArea* clientArea() const { return client_; }

    // The window's controls by name while it is loaded; nullptr otherwise.
    QWidget* control(const QString& name) const { return controls_.value(name); }
    PushButton* button(const QString& name) const { return qobject_cast<PushButton*>(control(name)); }
    Label* label(const QString& name) const { return qobject_cast<Label*>(control(name)); }
    Frame* frame(const QString& name) const { return qobject_cast<Frame*>(control(name)); }
    QAction* menuItem(const QString& name) const { return menuItems_.value(name); }
    // The layout row of the named control.
    const Control* design(const QString& name) const;

    // Told after every unload, so that the owner of the windows can tell when none is open.
    std::function<void()> unloaded;

protected:
    virtual void Form_Load() {}
    // Connects the handlers to the controls of a freshly built window, before Form_Load runs.
    virtual void connectHandlers() {}

    void onClick(const QString& control, std::function<void()> handler);
    void onMouseDown(const QString& control, std::function<void()> handler);
    void onMouseUp(const QString& control, std::function<void()> handler);
    void onChange(const QString& label, std::function<void()> handler);
    void onMenu(const QString& item, std::function<void()> handler);
    void onFormClick(std::function<void()> handler);

private:
    void build();
    void buildGroup(const ControlGroup& group);
    QWidget* create(const Control& control, QWidget* parent);
    void buildMenu();
    void chainTabOrder();

    const WindowLayout& layout_;
    FormWindow* window_ = nullptr;
    ClientArea* client_ = nullptr;
    QHash<QString, QWidget*> controls_;
    QHash<QString, QAction*> menuItems_;
    std::vector<PushButton*> tabOrder_;
    bool shownSinceLoad_ = false;
};

} // namespace platform
