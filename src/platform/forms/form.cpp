#include "platform/forms/form.h"

#include "platform/forms/menu.h"
#include "platform/system/fonts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

QColor toQColor(Colour c) {
    return QColor(c.r, c.g, c.b);
}

void setRole(QWidget* widget, QPalette::ColorRole role, Colour colour) {
    if (!colour.isSet())
        return;
    QPalette p = widget->palette();
    p.setColor(role, toQColor(colour));
    widget->setPalette(p);
}

QFont boldFont(const Font& font) {
    QFont f(drawnFace(font.face));
    f.setPointSizeF(font.points);
    f.setWeight(QFont::Bold);
    // Letters advance by their designed widths, not by widths rounded to whole pixels, so that
    // texts placed by their blanks land where they were designed on every system.
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}

Qt::WindowFlags windowFlags(const WindowLayout& layout) {
    Qt::WindowFlags flags = layout.inTaskbar ? Qt::Window : Qt::Tool;
    if (layout.border == Border::None)
        return flags | Qt::FramelessWindowHint;
    // A title bar with its close button, and neither minimise nor maximise button.
    return flags | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}

bool standsInFront(Kind kind) {
    return kind == Kind::PushButton || kind == Kind::Frame;
}

} // namespace

QRect twipsRect(double left, double top, double width, double height) {
    const auto px = [](double twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); };
    const int x = px(left);
    const int y = px(top);
    return QRect(x, y, px(left + width) - x, px(top + height) - y);
}

Form::Form(const WindowLayout& layout) : layout_(layout) {}

Form::~Form() {
    delete window_;
}

const Control* Form::design(const QString& name) const {
    for (const ControlGroup& group : layout_.groups) {
        for (const Control& c : group.controls) {
            if (name == QString::fromUtf8(c.name))
                return &c;
        }
    }
    return nullptr;
}

void Form::load() {
    if (window_)
        return;
    build();
    shownSinceLoad_ = false;
    connectHandlers();
    Form_Load();
}

void Form::show() {
    load();
    if (!shownSinceLoad_) {
        shownSinceLoad_ = true;
        if (layout_.maximised) {
            // Without a window manager a maximised window keeps its size hint: fill the screen.
            window_->setGeometry(window_->screen()->availableGeometry());
            window_->showMaximized();
        } else {
            // Shown as laid out: show() would fill the screen where the platform opens every
            // window full-screen, as in the browser.
            window_->setVisible(true);
        }
        const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(),
                                        [](PushButton* b) { return !b->isHidden() && b->isEnabled(); });
        if (first != tabOrder_.end())
            (*first)->setFocus(Qt::ActiveWindowFocusReason);
    } else {
        window_->show();
    }
    window_->raise();
    window_->activate();
}

void Form::unload() {
    if (!window_)
        return;
    FormWindow* dying = std::exchange(window_, nullptr);
    client_ = nullptr;
    controls_.clear();
    menuItems_.clear();
    tabOrder_.clear();
    dying->onClose = nullptr;
    dying->hide();
    FormWindow::activateLatest();
    // The unload may come from a handler of one of its own controls: destroy it once that
    // handler has returned.
    dying->deleteLater();
    if (unloaded)
        unloaded();
}

void Form::build() {
    window_ = new FormWindow(nullptr, windowFlags(layout_));
    window_->setObjectName(QString::fromUtf8(layout_.name));
    window_->setWindowTitle(QString::fromUtf8(layout_.title));
    window_->onClose = [this] { unload(); };

    client_ = new ClientArea(QSize(pixels(layout_.clientWidth), pixels(layout_.clientHeight)), window_);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    setRole(client_, QPalette::Window, layout_.back);
    window_->setCentralWidget(client_);

    for (const ControlGroup& group : layout_.groups)
        buildGroup(group);
    buildMenu();
    chainTabOrder();
    for (const Description& d : layout_.descriptions)
        control(QString::fromUtf8(d.control))->setAccessibleDescription(QString::fromUtf8(d.text));

    const QSize size = window_->sizeHint();
    // A window without a frame cannot be resized by hand but may still open maximised.
    if (layout_.border == Border::FixedSingle)
        window_->setFixedSize(size);
    else
        window_->resize(size);
}

void Form::buildGroup(const ControlGroup& group) {
    QWidget* parent = group.container ? control(QString::fromUtf8(group.container)) : client_;
    Q_ASSERT(parent);
    // Later siblings stand in front of earlier ones: create from back to front, and push buttons
    // and frames last, since they always stand in front of labels, lines, shapes and images.
    for (bool front : {false, true}) {
        for (auto it = group.controls.rbegin(); it != group.controls.rend(); ++it) {
            if (standsInFront(it->kind) == front)
                controls_.insert(QString::fromUtf8(it->name), create(*it, parent));
        }
    }
}

QWidget* Form::create(const Control& c, QWidget* parent) {
    const QString text = QString::fromUtf8(c.text);
    QWidget* widget = nullptr;
    switch (c.kind) {
    case Kind::PushButton: {
        auto* button = new PushButton(text, parent);
        setRole(button, QPalette::Button, c.back);
        button->setFocusPolicy(Qt::StrongFocus);
        tabOrder_.push_back(button);
        widget = button;
        break;
    }
    case Kind::Label: {
        auto* label = new Label(parent);
        label->setText(text);
        label->setAlignment(Qt::AlignTop | (c.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
        if (c.back.isSet()) {
            label->setAutoFillBackground(true);
            setRole(label, QPalette::Window, c.back);
        }
        widget = label;
        break;
    }
    case Kind::Frame: {
        auto* frame = new Frame(text, parent);
        frame->setBackColor(toQColor(c.back));
        widget = frame;
        break;
    }
    case Kind::Line:
        widget =
            new LineControl(QPoint(pixels(c.left), pixels(c.top)), QPoint(pixels(c.width), pixels(c.height)), parent);
        break;
    case Kind::Shape:
        widget = new ShapeControl(toQColor(c.back), c.outline, parent);
        break;
    case Kind::Image:
        widget = new ImageBox(parent);
        break;
    }
    widget->setObjectName(QString::fromUtf8(c.name));
    if (c.kind != Kind::Line)
        widget->setGeometry(twipsRect(c.left, c.top, c.width, c.height));
    if (c.kind != Kind::PushButton)
        widget->setFocusPolicy(Qt::NoFocus);
    setRole(widget, QPalette::WindowText, c.fore);
    setRole(widget, QPalette::ButtonText, c.fore);
    if (c.font.face)
        widget->setFont(boldFont(c.font));
    if (c.tab != noTab)
        widget->setProperty("tabIndex", c.tab);
    if (c.tooltip)
        widget->setToolTip(QString::fromUtf8(c.tooltip));
    if (c.flags & Hidden)
        widget->hide();
    if (c.flags & Disabled)
        widget->setEnabled(false);
    if (c.flags & Inert)
        setInert(widget);
    return widget;
}

void Form::buildMenu() {
    QHash<QString, QMenu*> menus;
    for (const MenuItem& item : layout_.menu) {
        const QString name = QString::fromUtf8(item.name);
        const QString caption = QString::fromUtf8(item.caption);
        if (!item.menu) {
            auto* menu = new Menu(caption, window_->menuBar());
            window_->menuBar()->addMenu(menu);
            menu->setObjectName(name);
            menus.insert(name, menu);
            menuItems_.insert(name, menu->menuAction());
        } else {
            QAction* action = menus.value(QString::fromUtf8(item.menu))->addAction(caption);
            action->setObjectName(name);
            menuItems_.insert(name, action);
        }
    }
}

void Form::chainTabOrder() {
    // Push buttons were created back to front; their tab positions give the focus chain.
    std::stable_sort(tabOrder_.begin(), tabOrder_.end(), [](PushButton* a, PushButton* b) {
        return a->property("tabIndex").toInt() < b->property("tabIndex").toInt();
    });
    for (std::size_t i = 1; i < tabOrder_.size(); ++i)
        QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

void Form::onClick(const QString& control, std::function<void()> handler) {
    QObject::connect(button(control), &QPushButton::clicked, window_, [h = std::move(handler)] { h(); });
}

void Form::onMouseDown(const QString& control, std::function<void()> handler) {
    QObject::connect(button(control), &PushButton::mouseDown, window_, [h = std::move(handler)] { h(); });
}

void Form::onMouseUp(const QString& control, std::function<void()> handler) {
    QObject::connect(button(control), &PushButton::mouseUp, window_, [h = std::move(handler)] { h(); });
}

void Form::onChange(const QString& label, std::function<void()> handler) {
    QObject::connect(this->label(label), &Label::changed, window_, std::move(handler));
}

void Form::onMenu(const QString& item, std::function<void()> handler) {
    QObject::connect(menuItem(item), &QAction::triggered, window_, [h = std::move(handler)] { h(); });
}

void Form::onFormClick(std::function<void()> handler) {
    QObject::connect(client_, &ClientArea::clicked, window_, std::move(handler));
}

} // namespace platform
