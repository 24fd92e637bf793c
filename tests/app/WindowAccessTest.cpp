// Walks every window the program can open and checks what a screen-reader or keyboard user
// depends on: every control is named, reachable with Tab, and its caption fits. Set
// CFX_SCREENSHOT_DIR to also save a picture of every window (scripts/screenshots.sh does, at a
// scale factor of 2 and under the dark palette).
#include "app/Application.h"
#include "app/DisplayKeeper.h"
#include "app/SessionKeeper.h"
#include "core/Contrast.h"
#include "core/Session.h"
#include "gui/Appearance.h"
#include "gui/MainPanel.h"
#include "gui/ReportWindow.h"
#include "gui/StopwatchActions.h"
#include "gui/WindowFit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

using namespace cfx;

namespace {

// Parts that Qt builds inside a compound control (the line edit of a spin box, the scroll bars
// of a view): the compound control itself is what a user and a screen reader deal with.
bool isInnerPart(const QWidget* w) {
    if (w->objectName().startsWith(QLatin1String("qt_")))
        return true;
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QAbstractItemView*>(p) || qobject_cast<const QKeySequenceEdit*>(p))
            return true;
        if (p->objectName().startsWith(QLatin1String("qt_")))
            return true;
    }
    return qobject_cast<const QHeaderView*>(w) != nullptr;
}

bool isInteractive(const QWidget* w) {
    if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
        qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
        qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
        qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
        qobject_cast<const QKeySequenceEdit*>(w))
        return true;
    // The program's own controls (picture buttons, hotkey boxes) take the focus.
    return w->focusPolicy() != Qt::NoFocus && !qobject_cast<const QLabel*>(w) && !w->isWindow();
}

QString describe(const QWidget* w) {
    return QStringLiteral("%1 %2 in \"%3\"")
        .arg(QLatin1String(w->metaObject()->className()),
             w->objectName().isEmpty() ? QStringLiteral("(no objectName)") : w->objectName(),
             w->window()->windowTitle().isEmpty() ? w->window()->objectName()
                                                  : w->window()->windowTitle());
}

QString accessibleName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name).trimmed() : QString();
}

} // namespace

class WindowAccessTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;
    // Findings of one test, one line each, reported together so one run shows them all.
    QStringList m_unnamed, m_noObjectName, m_noFocus, m_clipped, m_menuItems, m_roles, m_faint;
    QSet<QString> m_seen;
    int m_windows = 0;
    int m_controls = 0;

    void walkWindow(QWidget* window) {
        if (!window->isVisible())
            return;
        const QString key =
            window->metaObject()->className() + window->objectName() + window->windowTitle();
        if (m_seen.contains(key))
            return;
        m_seen.insert(key);
        ++m_windows;
        saveScreenshot(window);
        checkWindowRole(window);
        checkTitleFits(window);
        const QList<QWidget*> all = window->findChildren<QWidget*>();
        for (QWidget* w : all) {
            if (w->window() != window || isInnerPart(w) || !isInteractive(w))
                continue;
            ++m_controls;
            if (accessibleName(w).isEmpty())
                m_unnamed << describe(w);
            if (w->objectName().isEmpty())
                m_noObjectName << describe(w);
            // A control the user can see and use must be reachable with Tab. Scroll bars never
            // are, by the toolkit's convention; each of ours has a box beside it that takes the
            // same value from the keyboard.
            if (w->isVisibleTo(window) && w->isEnabled() && !(w->focusPolicy() & Qt::TabFocus) &&
                !qobject_cast<QScrollBar*>(w))
                m_noFocus << describe(w);
            checkCaptionFits(w, window);
        }
        const QImage picture = window->grab().toImage();
        for (QWidget* w : all) {
            if (w->window() == window && !isInnerPart(w) && w->isVisibleTo(window))
                checkContrast(w, picture);
        }
        for (QMenu* menu : window->findChildren<QMenu*>())
            walkMenu(menu);
    }

    void walkMenu(QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            if (a->text().remove(QLatin1Char('&')).trimmed().isEmpty())
                m_menuItems << QStringLiteral("menu item %1 in menu %2")
                                   .arg(a->objectName(), menu->objectName());
        }
    }

    // Buttons and check boxes have room for their caption (at every scale factor and with the
    // dark style's metrics, which is why this runs under scripts/screenshots.sh too).
    void checkCaptionFits(QWidget* w, QWidget* window) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button || button->text().isEmpty() || !w->isVisibleTo(window))
            return;
        if (button->width() + 1 < button->minimumSizeHint().width())
            m_clipped << QStringLiteral("%1: %2 px wide, its caption needs %3 px")
                             .arg(describe(w))
                             .arg(button->width())
                             .arg(button->minimumSizeHint().width());
    }

    // A screen reader announces a window by its role and title: frames and dialogs, never the
    // "filler" of a plain widget.
    void checkWindowRole(QWidget* window) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
        const QAccessible::Role role = iface ? iface->role() : QAccessible::NoRole;
        if ((role != QAccessible::Window && role != QAccessible::Dialog) ||
            iface->text(QAccessible::Name).trimmed().isEmpty())
            m_roles << QStringLiteral("%1: role %2, name \"%3\"")
                           .arg(describe(window))
                           .arg(role)
                           .arg(iface ? iface->text(QAccessible::Name) : QString());
    }

    void checkTitleFits(QWidget* window) {
        if (window->windowFlags().testFlag(Qt::FramelessWindowHint) ||
            window->windowTitle().isEmpty())
            return;
        if (window->frameGeometry().width() < titleBarWidth(window))
            m_clipped << QStringLiteral("%1: %2 px wide, its title needs %3 px")
                             .arg(describe(window))
                             .arg(window->frameGeometry().width())
                             .arg(titleBarWidth(window));
    }

    // Text in labels and boxes reaches 4.5:1 against what it is drawn on, under either palette
    // (the program colours some of them, some lie on pictures): the text colour against the
    // colour most of the control's pixels have in the window's picture.
    void checkContrast(QWidget* w, const QImage& picture) {
        if (!w->isEnabled())
            return;
        QPalette::ColorRole fore = QPalette::WindowText;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w))
            fore = QPalette::Text;
        else if (!qobject_cast<QLabel*>(w) || qobject_cast<QLabel*>(w)->text().isEmpty())
            return;
        const QColor f = w->palette().color(fore);
        const qreal ratio = picture.devicePixelRatio();
        const QRect area(w->mapTo(w->window(), QPoint(0, 0)) * ratio, w->size() * ratio);
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (picture.valid(x, y))
                    ++counts[picture.pixel(x, y)];
        if (counts.isEmpty())
            return;
        QRgb most = counts.constBegin().key();
        for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
            if (it.value() > counts.value(most))
                most = it.key();
        const QColor b = QColor::fromRgb(most);
        auto value = [](const QColor& c) {
            return static_cast<quint32>(c.red() + 256 * c.green() + 65536 * c.blue());
        };
        const double contrast = contrastRatio(value(f), value(b));
        if (contrast < kMinTextContrast)
            m_faint << QStringLiteral("%1: %2 on %3, %4:1")
                           .arg(describe(w), f.name(), b.name())
                           .arg(contrast, 0, 'f', 2);
    }

    void saveScreenshot(QWidget* window) {
        const QString dir = qEnvironmentVariable("CFX_SCREENSHOT_DIR");
        if (dir.isEmpty())
            return;
        QDir().mkpath(dir);
        QString name = window->objectName();
        if (name.isEmpty())
            name = QLatin1String(window->metaObject()->className());
        QVERIFY(window->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png")));
    }

    void walkAllWindows() {
        for (QWidget* w : QApplication::topLevelWidgets())
            walkWindow(w);
    }

    // Opens a window through one of the program's hooks. A dialog that blocks in its own event
    // loop is walked and closed from inside that loop.
    void open(const std::function<void()>& hook) {
        QTimer::singleShot(200, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                walkWindow(modal);
                modal->close();
            }
        });
        hook();
        QTest::qWait(250);
        walkAllWindows();
    }

    void openEveryWindow() {
        Application& p = *m_program;
        open([&] {
            // Readings of every kind, and the chart shown, so that all of the report is seen.
            Session& r = p.readings();
            for (int i = 1; i <= 8; ++i)
                r.appendReading(i * 130 + (i % 3) * 40, i == 3, QStringLiteral("00"), false,
                                QStringLiteral("00:00:0%1.00").arg(i));
            r.refreshReadings();
            r.exclude(5);
            r.addComment(2, QStringLiteral("warm-up lap"));
            p.report().findChild<QCheckBox*>(QStringLiteral("ChartCheck"))->setChecked(true);
            p.setReportVisible(true);
        });
        open([&] { p.setRateVisible(true); });
        open([&] { p.setSpeedVisible(true); });
        open([&] { p.openSetTimeDialog(); });
        open([&] { p.actions().hotkeys()->trigger(); });
        open([&] { p.displays().showTransparencyDialog(); });
        open([&] { p.showAbout(); });
        open([&] { p.sessions().openSessionDialog(); });
        open([&] { p.sessions().saveSessionDialog(); });
    }

    static QString list(const QStringList& lines) {
        return QLatin1String("\n  ") + lines.join(QLatin1String("\n  "));
    }

private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariable("CHRONOFEX_PALETTE") == QLatin1String("dark"))
            cfx::applyDarkPalette();
        m_program = std::make_unique<Application>(m_dir.path());
        m_program->load();
        m_program->panel().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_program->panel()));
        // The resolution box in its colour for a chosen, not yet applied entry.
        auto* resolution = m_program->panel().findChild<QComboBox*>(QStringLiteral("Combo1"));
        Q_EMIT resolution->activated(0);
        QCOMPARE(m_program->panel().resolutionBoxColour(), MainPanel::kResolutionPending);
        walkAllWindows();
        openEveryWindow();
    }

    void cleanupTestCase() {
        m_program->unloadWindows();
        m_program.reset();
    }

    void reachesEveryWindow() {
        // The panel and the large display at least; more as each window is wired in.
        QVERIFY2(m_windows >= 2, qPrintable(QString::number(m_windows)));
        QVERIFY(m_controls > 10);
        qInfo("walked %d windows, %d controls", m_windows, m_controls);
    }

    void everyControlHasAnAccessibleName() {
        QVERIFY2(m_unnamed.isEmpty(), qPrintable(QStringLiteral("controls a screen reader "
                                                                "cannot name:") +
                                                 list(m_unnamed)));
        QVERIFY2(m_menuItems.isEmpty(),
                 qPrintable(QStringLiteral("menu items without text:") + list(m_menuItems)));
    }

    void everyControlHasItsDesignName() {
        QVERIFY2(m_noObjectName.isEmpty(),
                 qPrintable(QStringLiteral("controls without objectName:") + list(m_noObjectName)));
    }

    void everyVisibleControlIsReachableWithTab() {
        QVERIFY2(m_noFocus.isEmpty(),
                 qPrintable(QStringLiteral("controls Tab never reaches:") + list(m_noFocus)));
    }

    void everyWindowIsAFrameOrDialogWithItsTitle() {
        QVERIFY2(
            m_roles.isEmpty(),
            qPrintable(QStringLiteral("windows a screen reader cannot tell:") + list(m_roles)));
    }

    void everyTextReadsAgainstItsBackground() {
        QVERIFY2(m_faint.isEmpty(),
                 qPrintable(QStringLiteral("text below 4.5:1 contrast:") + list(m_faint)));
    }

    void everyCaptionFits() {
        QVERIFY2(m_clipped.isEmpty(),
                 qPrintable(QStringLiteral("clipped captions:") + list(m_clipped)));
    }
};

QTEST_MAIN(WindowAccessTest)
#include "WindowAccessTest.moc"
