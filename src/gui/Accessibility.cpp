#include "gui/Accessibility.h"

#include "gui/SevenSegmentDigit.h"
#include "gui/TopMaxScrollBar.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QDialog>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
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

// --- places in the screen's own pixels ---------------------------------------------------------
//
// Qt's AT-SPI bridge hands a control's rect() over as it is: with a scale factor (QT_SCALE_FACTOR,
// QT_SCREEN_SCALE_FACTORS) that is in device-independent pixels, half the real place at a factor
// of 2, so a magnifier looks beside the control and a click at its place misses. (Checked in Qt's
// sources up to the 6.9 bridge: none of them scales; the e2e test scale2_windows.sh compares the
// bus with the window system and fails on a Qt that would scale twice.)
//
// Every widget's interface is therefore a stand-in that forwards everything to the interface Qt
// makes for the widget, and gives places in the screen's pixels: Qt keeps a screen's top-left
// corner where the window system has it and scales from there.

// Set while Qt's own code runs under a stand-in (childAt): Qt compares the rect() of other
// controls with places it took from the widgets, so the stand-ins answer in Qt's pixels then.
int gQtPlacesDepth = 0;

class QtPlacesScope {
public:
    QtPlacesScope() { ++gQtPlacesDepth; }
    ~QtPlacesScope() { --gQtPlacesDepth; }
    QtPlacesScope(const QtPlacesScope&) = delete;
    QtPlacesScope& operator=(const QtPlacesScope&) = delete;
};

// One coordinate from Qt's pixels to the screen's, from the screen's top-left corner.
int toScreenPixels(int value, int origin, qreal factor) {
    return origin + qRound((value - origin) * factor);
}

QRect toScreenPixels(const QRect& rect, const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen || rect.isNull() || gQtPlacesDepth > 0)
        return rect;
    const qreal factor = screen->devicePixelRatio();
    const QPoint origin = screen->geometry().topLeft();
    // Both edges scaled, so that controls side by side stay side by side.
    const int left = toScreenPixels(rect.left(), origin.x(), factor);
    const int top = toScreenPixels(rect.top(), origin.y(), factor);
    const int right = toScreenPixels(rect.left() + rect.width(), origin.x(), factor);
    const int bottom = toScreenPixels(rect.top() + rect.height(), origin.y(), factor);
    return QRect(left, top, right - left, bottom - top);
}

QPoint toQtPixels(const QPoint& point, const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        return point;
    const qreal factor = screen->devicePixelRatio();
    const QPoint origin = screen->geometry().topLeft();
    return origin + QPoint(qRound((point.x() - origin.x()) / factor),
                           qRound((point.y() - origin.y()) / factor));
}

// A part Qt's interface of a widget hands out without a widget of its own (a table cell, a menu
// item): forwarded to it, with its place in the screen's pixels. It belongs to the stand-in of the
// widget, which makes it once per part; the part itself stays Qt's.
class ScreenPixelsPart : public QAccessibleInterface {
public:
    ScreenPixelsPart(QAccessible::Id partId, QWidget* owner) : m_owner(owner), m_partId(partId) {}
    ScreenPixelsPart(const ScreenPixelsPart&) = delete;
    ScreenPixelsPart& operator=(const ScreenPixelsPart&) = delete;

    QAccessibleInterface* part() const { return QAccessible::accessibleInterface(m_partId); }

    bool isValid() const override { return part() && part()->isValid() && m_owner; }
    // None: the cache keeps it apart from the part's own object (a menu item's action).
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return part() ? part()->window() : nullptr; }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        return part() ? part()->relations(match)
                      : QList<QPair<QAccessibleInterface*, QAccessible::Relation>>();
    }
    QAccessibleInterface* focusChild() const override {
        return part() ? part()->focusChild() : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (!part())
            return nullptr;
        const QPoint p = toQtPixels(QPoint(x, y), m_owner);
        const QtPlacesScope scope;
        return part()->childAt(p.x(), p.y());
    }
    QAccessibleInterface* parent() const override { return part() ? part()->parent() : nullptr; }
    QAccessibleInterface* child(int index) const override {
        return part() ? part()->child(index) : nullptr;
    }
    int childCount() const override { return part() ? part()->childCount() : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return part() ? part()->indexOfChild(child) : -1;
    }
    QString text(QAccessible::Text t) const override {
        return part() ? part()->text(t) : QString();
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (part())
            part()->setText(t, text);
    }
    QRect rect() const override {
        return part() ? toScreenPixels(part()->rect(), m_owner) : QRect();
    }
    QAccessible::Role role() const override {
        return part() ? part()->role() : QAccessible::NoRole;
    }
    QAccessible::State state() const override {
        if (part())
            return part()->state();
        QAccessible::State gone;
        gone.invalid = true;
        return gone;
    }
    QColor foregroundColor() const override {
        return part() ? part()->foregroundColor() : QColor();
    }
    QColor backgroundColor() const override {
        return part() ? part()->backgroundColor() : QColor();
    }
    void virtual_hook(int id, void* data) override {
        if (part())
            part()->virtual_hook(id, data);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return part() ? part()->interface_cast(t) : nullptr;
    }

private:
    QPointer<QWidget> m_owner;
    QAccessible::Id m_partId;
};

// Qt's own part behind a part stand-in (Qt's interfaces take their parts apart by their classes).
const QAccessibleInterface* qtPart(const QAccessibleInterface* iface) {
    const auto* standIn = dynamic_cast<const ScreenPixelsPart*>(iface);
    return standIn ? standIn->part() : iface;
}

class ScreenPixelsAccessible : public QAccessibleInterface,
                               public QAccessibleTextInterface,
                               public QAccessibleTableInterface {
public:
    // Qt's interface for the widget is in the accessibility cache under innerId; this one owns it.
    ScreenPixelsAccessible(QWidget* widget, QAccessible::Id innerId)
        : m_widget(widget), m_innerId(innerId) {}
    // Deleted by the cache (widget destroyed, interface renewed, program end), possibly after the
    // inner one: that is found gone by its id, never deleted twice.
    ~ScreenPixelsAccessible() override {
        for (const QAccessible::Id standIn : std::as_const(m_parts))
            QAccessible::deleteAccessibleInterface(standIn);
        QAccessible::deleteAccessibleInterface(m_innerId);
    }
    ScreenPixelsAccessible(const ScreenPixelsAccessible&) = delete;
    ScreenPixelsAccessible& operator=(const ScreenPixelsAccessible&) = delete;

    bool isValid() const override { return inner() && inner()->isValid(); }
    // Kept here: the cache asks for the object when it deletes this interface, maybe after the
    // inner one.
    QObject* object() const override { return m_widget; }
    QWindow* window() const override { return inner() ? inner()->window() : nullptr; }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        return inner() ? inner()->relations(match)
                       : QList<QPair<QAccessibleInterface*, QAccessible::Relation>>();
    }
    QAccessibleInterface* focusChild() const override {
        return inner() ? standIn(inner()->focusChild()) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (!inner())
            return nullptr;
        const QPoint p = toQtPixels(QPoint(x, y), m_widget);
        QAccessibleInterface* found = nullptr;
        {
            const QtPlacesScope scope;
            found = inner()->childAt(p.x(), p.y());
        }
        return standIn(found);
    }
    QAccessibleInterface* parent() const override { return inner() ? inner()->parent() : nullptr; }
    QAccessibleInterface* child(int index) const override {
        return inner() ? standIn(inner()->child(index)) : nullptr;
    }
    int childCount() const override { return inner() ? inner()->childCount() : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return inner() && child ? inner()->indexOfChild(qtPart(child)) : -1;
    }
    QString text(QAccessible::Text t) const override {
        return inner() ? inner()->text(t) : QString();
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (inner())
            inner()->setText(t, text);
    }
    QRect rect() const override {
        return inner() ? toScreenPixels(inner()->rect(), m_widget) : QRect();
    }
    QAccessible::Role role() const override {
        return inner() ? inner()->role() : QAccessible::NoRole;
    }
    QAccessible::State state() const override {
        if (inner())
            return inner()->state();
        QAccessible::State gone;
        gone.invalid = true;
        return gone;
    }
    QColor foregroundColor() const override {
        return inner() ? inner()->foregroundColor() : QColor();
    }
    QColor backgroundColor() const override {
        return inner() ? inner()->backgroundColor() : QColor();
    }
    void virtual_hook(int id, void* data) override {
        if (inner())
            inner()->virtual_hook(id, data);
    }
    // The value, action and other parts are Qt's own; text has places in it and a table hands
    // out cells, so these go through here.
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (!inner())
            return nullptr;
        if (t == QAccessible::TextInterface)
            return innerText() ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
        if (t == QAccessible::TableInterface)
            return innerTable() ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
        return inner()->interface_cast(t);
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override {
        return innerTable() ? standIn(innerTable()->caption()) : nullptr;
    }
    QAccessibleInterface* summary() const override {
        return innerTable() ? standIn(innerTable()->summary()) : nullptr;
    }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return innerTable() ? standIn(innerTable()->cellAt(row, column)) : nullptr;
    }
    int selectedCellCount() const override {
        return innerTable() ? innerTable()->selectedCellCount() : 0;
    }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells =
            innerTable() ? innerTable()->selectedCells() : QList<QAccessibleInterface*>();
        for (QAccessibleInterface*& cell : cells)
            cell = standIn(cell);
        return cells;
    }
    QString columnDescription(int column) const override {
        return innerTable() ? innerTable()->columnDescription(column) : QString();
    }
    QString rowDescription(int row) const override {
        return innerTable() ? innerTable()->rowDescription(row) : QString();
    }
    int selectedColumnCount() const override {
        return innerTable() ? innerTable()->selectedColumnCount() : 0;
    }
    int selectedRowCount() const override {
        return innerTable() ? innerTable()->selectedRowCount() : 0;
    }
    int columnCount() const override { return innerTable() ? innerTable()->columnCount() : 0; }
    int rowCount() const override { return innerTable() ? innerTable()->rowCount() : 0; }
    QList<int> selectedColumns() const override {
        return innerTable() ? innerTable()->selectedColumns() : QList<int>();
    }
    QList<int> selectedRows() const override {
        return innerTable() ? innerTable()->selectedRows() : QList<int>();
    }
    bool isColumnSelected(int column) const override {
        return innerTable() && innerTable()->isColumnSelected(column);
    }
    bool isRowSelected(int row) const override {
        return innerTable() && innerTable()->isRowSelected(row);
    }
    bool selectRow(int row) override { return innerTable() && innerTable()->selectRow(row); }
    bool selectColumn(int column) override {
        return innerTable() && innerTable()->selectColumn(column);
    }
    bool unselectRow(int row) override { return innerTable() && innerTable()->unselectRow(row); }
    bool unselectColumn(int column) override {
        return innerTable() && innerTable()->unselectColumn(column);
    }
    // The view's changes reach Qt's table, which drops the cells that went; their stand-ins go
    // with them, before anyone asks the bus about them.
    void modelChange(QAccessibleTableModelChangeEvent* event) override {
        if (innerTable())
            innerTable()->modelChange(event);
        dropGoneParts(true);
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (innerText())
            innerText()->selection(selectionIndex, startOffset, endOffset);
    }
    int selectionCount() const override { return innerText() ? innerText()->selectionCount() : 0; }
    void addSelection(int startOffset, int endOffset) override {
        if (innerText())
            innerText()->addSelection(startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (innerText())
            innerText()->removeSelection(selectionIndex);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (innerText())
            innerText()->setSelection(selectionIndex, startOffset, endOffset);
    }
    int cursorPosition() const override { return innerText() ? innerText()->cursorPosition() : 0; }
    void setCursorPosition(int position) override {
        if (innerText())
            innerText()->setCursorPosition(position);
    }
    QString text(int startOffset, int endOffset) const override {
        return innerText() ? innerText()->text(startOffset, endOffset) : QString();
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = -1;
        return innerText()
                   ? innerText()->textBeforeOffset(offset, boundaryType, startOffset, endOffset)
                   : QString();
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = -1;
        return innerText()
                   ? innerText()->textAfterOffset(offset, boundaryType, startOffset, endOffset)
                   : QString();
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override {
        *startOffset = *endOffset = -1;
        return innerText() ? innerText()->textAtOffset(offset, boundaryType, startOffset, endOffset)
                           : QString();
    }
    int characterCount() const override { return innerText() ? innerText()->characterCount() : 0; }
    QRect characterRect(int offset) const override {
        return innerText() ? toScreenPixels(innerText()->characterRect(offset), m_widget) : QRect();
    }
    int offsetAtPoint(const QPoint& point) const override {
        return innerText() ? innerText()->offsetAtPoint(toQtPixels(point, m_widget)) : -1;
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        if (innerText())
            innerText()->scrollToSubstring(startIndex, endIndex);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return innerText() ? innerText()->attributes(offset, startOffset, endOffset) : QString();
    }

private:
    QAccessibleInterface* inner() const { return QAccessible::accessibleInterface(m_innerId); }
    QAccessibleTextInterface* innerText() const {
        QAccessibleInterface* in = inner();
        return in ? in->textInterface() : nullptr;
    }

    QAccessibleTableInterface* innerTable() const {
        QAccessibleInterface* in = inner();
        return in ? in->tableInterface() : nullptr;
    }

    // The stand-in of a part without a widget of its own; widgets have their own stand-ins.
    QAccessibleInterface* standIn(QAccessibleInterface* part) const {
        if (!part || dynamic_cast<ScreenPixelsPart*>(part))
            return part;
        if (const QObject* object = part->object(); object && object->isWidgetType())
            return part;
        const QAccessible::Id partId = QAccessible::uniqueId(part);
        if (const auto known = m_parts.constFind(partId); known != m_parts.cend()) {
            if (QAccessibleInterface* standIn = QAccessible::accessibleInterface(*known))
                return standIn;
        }
        dropGoneParts();
        auto* made = new ScreenPixelsPart(partId, m_widget);
        m_parts.insert(partId, QAccessible::registerAccessibleInterface(made));
        return made;
    }
    // Stand-ins of parts Qt has dropped (cells of a changed table): at once, or now and then (each
    // time their number has doubled).
    void dropGoneParts(bool now = false) const {
        if (!now && m_parts.size() < m_partsChecked)
            return;
        for (auto it = m_parts.begin(); it != m_parts.end();) {
            if (QAccessible::accessibleInterface(it.key())) {
                ++it;
            } else {
                QAccessible::deleteAccessibleInterface(it.value());
                it = m_parts.erase(it);
            }
        }
        m_partsChecked = std::max<qsizetype>(64, 2 * m_parts.size());
    }

    QPointer<QWidget> m_widget;
    QAccessible::Id m_innerId;
    // Stand-in ids by the ids of Qt's parts.
    mutable QHash<QAccessible::Id, QAccessible::Id> m_parts;
    mutable qsizetype m_partsChecked = 64;
};

// The widget whose interface is being made by Qt under the stand-in being made for it.
QObject* gMaking = nullptr;

QAccessibleInterface* screenPixelsFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType() || object == gMaking)
        return nullptr;
    // Asked first of all factories, for the most derived class: once per widget is enough.
    if (className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    // The interface Qt (or roleFactory) makes for the widget, asked for with this factory
    // stepping aside; it goes into the cache, where the stand-in finds it by its id.
    QObject* const outer = gMaking;
    gMaking = object;
    QAccessibleInterface* inner = QAccessible::queryAccessibleInterface(object);
    gMaking = outer;
    if (!inner)
        return nullptr;
    return new ScreenPixelsAccessible(static_cast<QWidget*>(object), QAccessible::uniqueId(inner));
}

// Only X11 places windows in the screen's pixels; a Wayland compositor has no global places to
// give, and at a factor of 1 there is nothing to change.
bool screensScaled() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [](const QScreen* screen) {
        return !qFuzzyCompare(screen->devicePixelRatio(), 1.0);
    });
}

} // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(&roleFactory);
        // Installed last, asked first.
        if (screensScaled())
            QAccessible::installFactory(&screenPixelsFactory);
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
