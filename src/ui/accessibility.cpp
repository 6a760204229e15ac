#include "accessibility.h"

#include <QAccessibleWidget>

#include "controls.h"
#include "window.h"

namespace ui {
namespace {

// A label as a screen reader meets it: plain text like any label, or, while
// something answers its clicks, a link with a "Press" action that clicks it,
// so that it can be followed without a mouse.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(ClickableLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override
    {
        return label()->isClickable() ? QAccessible::Link : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? label()->text() : name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = label()->isClickable();
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (canPress()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override
    {
        if (name == pressAction()) {
            if (canPress()) label()->click();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
    bool canPress() const { return label()->isClickable() && label()->isEnabled(); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String(ClickableLabel::staticMetaObject.className()))
        return new LabelAccessible(static_cast<ClickableLabel*>(object));
    // Every window but the main one is a dialog: a screen reader reads its
    // text (the question, the explanation) as soon as it comes up.
    if (className == QLatin1String(Window::staticMetaObject.className())) {
        auto* window = static_cast<Window*>(object);
        return window->isMainWindow() ? nullptr : new QAccessibleWidget(window, QAccessible::Dialog);
    }
    // A picture is an image, named by what it shows.
    if (className == QLatin1String(Picture::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

}  // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace ui
