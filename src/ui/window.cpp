#include "window.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QWindow>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "controls.h"
#include "desktop_entry.h"
#include "fonts.h"

Q_LOGGING_CATEGORY(lcClick, "snelk.click")

namespace ui {
namespace {

QColor colour(Rgb rgb) { return QColor::fromRgb(QRgb(0xFF000000u | rgb)); }

QWidget* makeControl(const ControlSpec& spec, QWidget* parent, QButtonGroup*& radios)
{
    QWidget* w = nullptr;
    switch (spec.kind) {
    case ControlKind::Label: {
        auto* label = new ClickableLabel(qs(spec.text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(spec.wordWrap);
        w = label;
        break;
    }
    case ControlKind::Image: {
        auto* image = new Picture(qs(spec.picture), spec.fit == Fit::Stretch, parent);
        image->setAccessibleName(qs(spec.description));
        w = image;
        break;
    }
    case ControlKind::PushButton: {
        auto* button = new PushButton(qs(spec.text), parent);
        button->setAutoDefault(true);  // Enter presses the focused button
        w = button;
        break;
    }
    case ControlKind::RadioButton: {
        auto* radio = new RadioButton(qs(spec.text), parent);
        if (!radios) radios = new QButtonGroup(parent);
        radios->addButton(radio);
        w = radio;
        break;
    }
    }
    w->setObjectName(spec.name);
    w->setGeometry(spec.rect.toPixels());
    if (spec.colour != kDefaultColour) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::WindowText, colour(spec.colour));
        w->setPalette(pal);
    }
    if (!spec.tooltip.empty()) w->setToolTip(qs(spec.tooltip));
    if (spec.tabIndex < 0) w->setFocusPolicy(Qt::NoFocus);
    else w->setFocusPolicy(Qt::StrongFocus);
    w->setEnabled(spec.enabled);
    w->setVisible(spec.visible);
    return w;
}

void buildMenus(QMainWindow* window, std::span<const MenuSpec> menus)
{
    if (menus.empty()) return;
    QMenuBar* bar = window->menuBar();
    for (const MenuSpec& m : menus) {
        QMenu* menu = bar->addMenu(qs(m.text));
        menu->setObjectName(m.name);
        for (const MenuItemSpec& item : m.items) menu->addAction(qs(item.text))->setObjectName(item.name);
    }
}

// Chains the focusable controls by tab index and gives the focus to the
// first one that can take it.
void orderFocus(const WindowSpec& spec, QWidget* client)
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& c : spec.controls)
        if (c.tabIndex >= 0) order.push_back(&c);
    std::stable_sort(order.begin(), order.end(),
                     [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    QWidget* first = nullptr;
    for (const ControlSpec* c : order) {
        QWidget* w = client->findChild<QWidget*>(c->name);
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
        if (!first && c->enabled && c->visible) first = w;
    }
    if (first) first->setFocus(Qt::OtherFocusReason);
}

}  // namespace

Window::Window(const WindowSpec& spec)
    : defaultButton_(spec.defaultButton), cancelButton_(spec.cancelButton), isMainWindow_(spec.isMainWindow)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(spec.name);
    setWindowTitle(qs(spec.caption));

    const QRect band(0, 0, pixels(spec.width), pixels(spec.band.height));
    auto* client = new ClientArea(band, colour(spec.band.colour));
    client->setFixedSize(pixels(spec.width), pixels(spec.height));
    setCentralWidget(client);

    QButtonGroup* radios = nullptr;
    for (const ControlSpec& c : spec.controls) pendingFonts_.push_back({makeControl(c, client, radios), c.font});
    if (fontsSetUp()) giveFonts();
    buildMenus(this, spec.menus);
    if (!defaultButton_.isEmpty()) control<QPushButton>(defaultButton_)->setDefault(true);
    orderFocus(spec, client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Window::giveFonts()
{
    if (QWindow* handle = windowHandle(); handle && !activateOnceExposed_) handle->removeEventFilter(this);
    for (const PendingFont& p : std::exchange(pendingFonts_, {})) p.control->setFont(ui::font(p.font));
}

void Window::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Before the window is mapped; a show from the display (the window
    // restored from its minimised state) finds it named already.
    if (event->spontaneous()) return;
    nameDesktopEntry(windowHandle());
    // A window built before any font was made gets its fonts at its exposure
    // or at the next turn of the event loop, whichever is first: after the
    // request to map it, before its first paint.
    if (pendingFonts_.empty()) return;
    windowHandle()->installEventFilter(this);
    QMetaObject::invokeMethod(this, &Window::giveFonts, Qt::QueuedConnection);
}

void Window::activateOnceExposed()
{
    activateOnceExposed_ = true;
    windowHandle()->installEventFilter(this);
}

bool Window::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        if (windowHandle()->isExposed() && std::exchange(activateOnceExposed_, false))
            QMetaObject::invokeMethod(this, &QWidget::activateWindow, Qt::QueuedConnection);
        giveFonts();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Window::onClick(const QString& name, std::function<void()> handler)
{
    const QString where = objectName() + QLatin1Char('.') + name;
    auto run = [where, handler = std::move(handler)] { runHandler(where, handler); };
    if (auto* button = findChild<QAbstractButton*>(name))
        connect(button, &QAbstractButton::clicked, this, run);
    else if (auto* label = findChild<ClickableLabel*>(name))
        connect(label, &ClickableLabel::clicked, this, run);
    else if (auto* action = findChild<QAction*>(name))
        connect(action, &QAction::triggered, this, run);
    else
        unknownName("window " + objectName() + " has no clickable " + name);
}

void Window::onFrameClose(std::function<void()> handler) { frameCloseHandler_ = std::move(handler); }

void Window::closeWindow()
{
    closingByProgram_ = true;
    close();
}

// Qt's own title bar on Wayland, drawn where the desktop draws none, offers
// a maximise button whatever the window asks for; the window stays as it is.
void Window::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    constexpr Qt::WindowStates refused = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & refused))
        setWindowState(windowState() & ~refused);
}

void Window::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closing(this);
    if (!closingByProgram_ && frameCloseHandler_)
        runHandler(objectName() + QLatin1String(".frame"), frameCloseHandler_);
}

void Window::keyPressEvent(QKeyEvent* event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && event->key() == Qt::Key_Escape) {
        // Escape does nothing unless the window has a cancel button.
        if (!cancelButton_.isEmpty()) clickIfEnabled(cancelButton_);
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !defaultButton_.isEmpty()) {
        clickIfEnabled(defaultButton_);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Window::clickIfEnabled(const QString& name)
{
    auto* button = findChild<QAbstractButton*>(name);
    if (button && button->isEnabled() && button->isVisible()) button->click();
}

void unknownName(const QString& what)
{
    Q_ASSERT_X(false, "ui::unknownName", qPrintable(what));
    throw std::out_of_range(what.toStdString());
}

void runHandler(const QString& where, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        qCWarning(lcClick, "%s stopped: %s", qPrintable(where), e.what());
    } catch (...) {
        qCWarning(lcClick, "%s stopped by an unknown failure", qPrintable(where));
    }
}

}  // namespace ui
