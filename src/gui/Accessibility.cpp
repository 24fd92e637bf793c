#include "gui/Accessibility.h"

#include "gui/SevenSegmentDigit.h"
#include "gui/TopMaxScrollBar.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QWidget>

namespace cfx {

namespace {

constexpr char kRoleProperty[] = "cfxAccessibleRole";
constexpr char kCheckedProperty[] = "cfxAccessibleChecked";

// A picture that switches a setting: a check box, checked while the setting is on.
class ToggleAccessible : public QAccessibleWidget {
public:
    explicit ToggleAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::CheckBox) {}

    QAccessible::State state() const override {
        QAccessible::State st = QAccessibleWidget::state();
        st.checkable = true;
        st.checked = widget()->property(kCheckedProperty).toBool();
        return st;
    }
};

// A digit of the large display: its name says which digit it is, its value what it shows.
class DigitAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit DigitAccessible(SevenSegmentDigit* digit)
        : QAccessibleWidget(digit, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        const QString value =
            digit()->ledIdle() ? QStringLiteral("-") : QString::number(digit()->ledValue());
        if (t == QAccessible::Value || t == QAccessible::Description)
            return value;
        // Screen readers read a piece of text by its name: the name carries the digit too.
        if (t == QAccessible::Name)
            return QStringLiteral("%1: %2").arg(QAccessibleWidget::text(t), value);
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return digit()->ledIdle() ? 0 : digit()->ledValue(); }
    void setCurrentValue(const QVariant&) override {} // shown, not set
    QVariant maximumValue() const override { return 9; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    SevenSegmentDigit* digit() const { return static_cast<SevenSegmentDigit*>(widget()); }
};

// A bar of the set-time dialog: the number it sets, 0 to its top.
class NumberBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit NumberBarAccessible(TopMaxScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::number(bar()->number());
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return bar()->number(); }
    void setCurrentValue(const QVariant& value) override { bar()->setNumber(value.toInt()); }
    QVariant maximumValue() const override { return bar()->top(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

private:
    TopMaxScrollBar* bar() const { return static_cast<TopMaxScrollBar*>(widget()); }
};

QAccessibleInterface* roleFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // Asked once per class of the object's ancestry, most derived first: answer for the object's
    // own class only, so Qt's interfaces of the base classes are not replaced by accident.
    if (className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto* digit = qobject_cast<SevenSegmentDigit*>(object))
        return new DigitAccessible(digit);
    if (auto* bar = qobject_cast<TopMaxScrollBar*>(object))
        return new NumberBarAccessible(bar);
    if (widget->property(kCheckedProperty).isValid())
        return new ToggleAccessible(widget);
    const QVariant role = widget->property(kRoleProperty);
    if (role.isValid())
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    // Plain widgets are "filler" to a screen reader; the program's windows are frames.
    if (widget->isWindow() && className.startsWith(QLatin1String("cfx::")) &&
        !qobject_cast<QDialog*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(&roleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

namespace {

// An interface made before the role was given (by an accessible name set, say) is dropped, so
// that the next one asked for is made with the role.
void renewInterface(QWidget* widget) {
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
    widget->setProperty(kRoleProperty, static_cast<int>(role));
    renewInterface(widget);
}

void setAccessibleToggle(QWidget* widget, bool checked) {
    const QVariant before = widget->property(kCheckedProperty);
    widget->setProperty(kCheckedProperty, checked);
    if (!before.isValid())
        renewInterface(widget);
    else if (before.toBool() != checked) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(widget, changed);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace cfx
