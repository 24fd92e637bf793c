#include "core/SevenSegment.h"
#include "core/TimeFormat.h"
#include "gui/LargeDisplay.h"
#include "gui/SevenSegmentDigit.h"
#include "gui/TransparencyDialog.h"
#include "models/Colours.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace cfx;

namespace {
QColor colourAt(const QImage& image, QPointF p) {
    return image.pixelColor(p.toPoint());
}

QPointF centreOf(const QPolygonF& polygon) {
    return polygon.boundingRect().center();
}

// The digit as it is painted: which segments show the lit colour.
QString paintedSegments(SevenSegmentDigit& led, qreal dpr = 1.0) {
    QImage image(led.size() * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    led.render(&image);
    const QColor lit = colourFromValue(led.ledColorOn());
    QString shown;
    for (int s = 0; s < cfx::kSegmentCount; ++s)
        if (colourAt(image, centreOf(led.segmentPolygon(s)) * dpr) == lit)
            shown += QChar('a' + s);
    return shown;
}
} // namespace

class DisplayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void digitPaintsItsSegmentsAtAnySize();
    void digitsFollowTheClockFields();
    void resolutionOneCutsOffTheSubSecondDigits();
    void looksAndFlash();
    void attachedDisplayFollowsThePanel();
    void freeDisplayDragsAndAttachedDoesNot();
    void menuRules();
    void transparencySliderLimitsAndCommits();
};

void DisplayTest::digitPaintsItsSegmentsAtAnySize() {
    SevenSegmentDigit led;
    led.setLedColorOn(65280);
    led.setLedColorOff(0);
    led.resize(22, 41);
    QCOMPARE(paintedSegments(led), QStringLiteral("g")); // idle dash
    led.setLedIdle(false);
    led.setLedValue(1);
    QCOMPARE(paintedSegments(led), QStringLiteral("bc"));
    led.setLedValue(2);
    QCOMPARE(paintedSegments(led), QStringLiteral("abdeg"));
    // Larger, on a double-density surface, and stretched: the digit keeps its shape.
    led.resize(90, 120);
    led.setLedValue(7);
    QCOMPARE(paintedSegments(led, 2.0), QStringLiteral("abc"));
    led.setLedValue(8);
    QCOMPARE(paintedSegments(led, 2.0), QStringLiteral("abcdefg"));
    // The lit and unlit colours are what they were set to: unlit segments never show lit.
    led.setLedColorOn(255);
    led.setLedValue(4);
    QCOMPARE(paintedSegments(led), QStringLiteral("bcfg"));
}

void DisplayTest::digitsFollowTheClockFields() {
    LargeDisplay display;
    QVERIFY(display.led(0)->ledIdle());
    display.setLedIdle(false);
    // 12 h 34 min 56.78 s at resolution 10: sub-seconds "07".
    const qint32 cs = ((12 * 60 + 34) * 60 + 56) * 100 + 78;
    const cfx::TimeFields f = cfx::timeFields(cs);
    display.setLedValues(cfx::displayDigits(f, cfx::subSecText(78, 10)));
    const std::array<int, 8> expected{1, 2, 3, 4, 5, 6, 0, 7};
    QCOMPARE(display.ledValues(), expected);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(display.led(i)->ledValue(), expected[static_cast<std::size_t>(i)]);
        QCOMPARE(display.led(i)->objectName(), QStringLiteral("LED%1").arg(i + 1));
        QVERIFY(!display.led(i)->ledIdle());
    }
    // The digits read left to right in order on the face.
    for (int i = 1; i < 8; ++i)
        QVERIFY(display.led(i)->x() > display.led(i - 1)->x());
}

void DisplayTest::resolutionOneCutsOffTheSubSecondDigits() {
    LargeDisplay display;
    display.show();
    auto* frame = display.findChild<QWidget*>(QStringLiteral("FrameBorder"));
    auto* picture = display.findChild<QWidget*>(QStringLiteral("Picture1"));
    auto* dot = display.findChild<QLabel*>(QStringLiteral("LabelSecond"));
    QVERIFY(frame && picture && dot);
    QCOMPARE(display.width(), 253);
    QCOMPARE(picture->width(), 241);
    QCOMPARE(frame->width(), 225);
    QVERIFY(display.led(7)->geometry().right() < frame->width());
    QVERIFY(!display.mask().contains(QPoint(0, 0)));
    QVERIFY(display.mask().contains(QPoint(250, 32)));

    display.setResolutionOne(true);
    QCOMPARE(display.width(), 198);
    QCOMPARE(picture->width(), 186);
    QCOMPARE(frame->width(), 168);
    // Six digits stay whole inside the frame; the "." and both sub-second digits lie beyond it.
    QVERIFY(display.led(5)->geometry().right() < frame->width());
    QVERIFY(display.led(6)->x() >= frame->width());
    QVERIFY(dot->isHidden());
    // The outline follows the new width: its right corners are cut at 198, not at 253.
    QVERIFY(!display.mask().contains(QPoint(197, 0)));
    QVERIFY(display.mask().contains(QPoint(197, 32)));
    QVERIFY(!display.mask().contains(QPoint(250, 32)));

    display.setResolutionOne(false);
    QCOMPARE(display.width(), 253);
    QVERIFY(!dot->isHidden());
    QVERIFY(display.mask().contains(QPoint(250, 32)));
}

void DisplayTest::looksAndFlash() {
    LargeDisplay display;
    display.resize(display.size());
    auto* frame = display.findChild<QWidget*>(QStringLiteral("FrameBorder"));
    const auto labels = display.findChildren<QLabel*>();
    QCOMPARE(labels.size(), 3);

    auto check = [&](quint32 background, quint32 lit) {
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(display.led(i)->ledColorOff(), background);
            QCOMPARE(display.led(i)->ledColorOn(), lit);
        }
        QCOMPARE(frame->palette().color(QPalette::Window), colourFromValue(background));
        for (QLabel* l : labels) {
            QCOMPARE(l->palette().color(QPalette::Window), colourFromValue(background));
            QCOMPARE(l->palette().color(QPalette::WindowText), colourFromValue(lit));
        }
        // What is painted, not only what is stored: the frame's gap between two digits.
        const QImage image = display.grab().toImage();
        const QPoint gap = frame->mapTo(
            &display, QPoint(display.led(0)->geometry().right() + 1, frame->height() / 2));
        QCOMPARE(image.pixelColor(gap * image.devicePixelRatio()), colourFromValue(background));
    };

    check(DisplaySink::kLightGrey, DisplaySink::kBlack);          // LCD at start-up
    display.setColours(DisplaySink::kBlack, DisplaySink::kGreen); // LED running
    check(DisplaySink::kBlack, DisplaySink::kGreen);
    display.setColours(DisplaySink::kBlack, DisplaySink::kRed); // LED stopped
    check(DisplaySink::kBlack, DisplaySink::kRed);
    // The snap flash whitens the background and keeps the lit colour; the restore brings it back.
    display.setBackground(DisplaySink::kWhite);
    check(DisplaySink::kWhite, DisplaySink::kRed);
    display.setBackground(DisplaySink::kBlack);
    check(DisplaySink::kBlack, DisplaySink::kRed);
}

void DisplayTest::attachedDisplayFollowsThePanel() {
    QWidget panel;
    panel.setGeometry(100, 120, 300, 150);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    LargeDisplay display;
    display.setPanel(&panel);
    display.show();
    auto* timer1 = display.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer1 && !timer1->isActive());
    display.setAttached(true);
    QVERIFY(timer1->isActive());
    auto flush = [&] {
        const QRect f = panel.frameGeometry();
        return display.pos() == QPoint(f.x() + f.width(), f.y());
    };
    QVERIFY(flush());

    panel.move(400, 50);
    QTRY_VERIFY(flush());
    panel.resize(350, 150);
    QTRY_VERIFY(flush());

    // Free: the panel goes its way, the display stays.
    display.setAttached(false);
    QVERIFY(!timer1->isActive());
    const QPoint kept = display.pos();
    panel.move(10, 10);
    QTest::qWait(50);
    QCOMPARE(display.pos(), kept);
    // Attaching again docks at once.
    display.setAttached(true);
    QVERIFY(flush());
}

void DisplayTest::freeDisplayDragsAndAttachedDoesNot() {
    QWidget panel;
    panel.setGeometry(100, 100, 200, 100);
    panel.show();
    LargeDisplay display;
    display.setPanel(&panel);
    display.show();
    QVERIFY(QTest::qWaitForWindowExposed(&display));

    auto drag = [&](QPoint by) {
        const QPoint start(30, 30);
        QTest::mousePress(&display, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start + by),
                         QPointF(display.mapToGlobal(start) + by), Qt::LeftButton, Qt::LeftButton,
                         {});
        QCoreApplication::sendEvent(&display, &move);
        QTest::mouseRelease(&display, Qt::LeftButton, {}, start + by);
    };

    display.setAttached(true);
    const QPoint docked = display.pos();
    drag({40, 25});
    QCOMPARE(display.pos(), docked);

    display.setAttached(false);
    drag({40, 25});
    QCOMPARE(display.pos(), docked + QPoint(40, 25));
}

void DisplayTest::menuRules() {
    LargeDisplay display;
    auto* join = display.findChild<QAction*>(QStringLiteral("mnuJoin"));
    auto* onTop = display.findChild<QAction*>(QStringLiteral("mnuOnTop"));
    auto* transparent = display.findChild<QAction*>(QStringLiteral("mnuTransparent"));
    QVERIFY(join && onTop && transparent);
    QCOMPARE(join->text(), QStringLiteral("Join with CFX Control Panel"));
    QCOMPARE(onTop->text(), QStringLiteral("Always onTop"));
    QCOMPARE(transparent->text(), QStringLiteral("Display Transparency..."));

    display.setAttached(true);
    display.prepareOptionsMenu();
    QVERIFY(!join->isEnabled());
    display.setAttached(false);
    display.prepareOptionsMenu();
    QVERIFY(join->isEnabled());
    QSignalSpy joinSpy(&display, &LargeDisplay::joinRequested);
    join->trigger();
    QCOMPARE(joinSpy.count(), 1);

    // Always onTop toggles its check mark and the window's stay-on-top state together.
    display.show();
    onTop->trigger();
    QVERIFY(onTop->isChecked());
    QVERIFY(display.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(display.isVisible());
    onTop->trigger();
    QVERIFY(!onTop->isChecked());
    QVERIFY(!display.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(display.isVisible());

    // The Menu key and Shift+F10 open the menu too, with its first item selected.
    QVERIFY(QTest::qWaitForWindowExposed(&display));
    for (const QKeyCombination key :
         {QKeyCombination(Qt::Key_Menu), QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)}) {
        QTest::keyClick(&display, key.key(), key.keyboardModifiers());
        QTRY_VERIFY(display.optionsMenu()->isVisible());
        QCOMPARE(display.optionsMenu()->activeAction(), display.optionsMenu()->actions().value(0));
        display.optionsMenu()->close();
        QTRY_VERIFY(!display.optionsMenu()->isVisible());
    }

    // Transparency is offered only while the window system can show it, asked each time the
    // menu is prepared.
    display.prepareOptionsMenu();
    QVERIFY(!transparent->isVisible());
    bool compositor = true;
    display.setTranslucencyProbe([&compositor] { return compositor; });
    display.prepareOptionsMenu();
    QVERIFY(transparent->isVisible());
    compositor = false;
    display.prepareOptionsMenu();
    QVERIFY(!transparent->isVisible());
    compositor = true;
    display.prepareOptionsMenu();
    QSignalSpy transparentSpy(&display, &LargeDisplay::transparencyRequested);
    transparent->trigger();
    QCOMPARE(transparentSpy.count(), 1);
}

void DisplayTest::transparencySliderLimitsAndCommits() {
    LargeDisplay display;
    display.show();
    TransparencyDialog dialog(&display);
    auto* slider = dialog.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    QVERIFY(slider);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Chronofex - Display Transparency"));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
             QStringLiteral("Maximum"));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("None"));

    dialog.setValue(255);
    QCOMPARE(display.windowOpacity(), 1.0);
    // The far left end is 60, never lower.
    dialog.setValue(0);
    QCOMPARE(slider->value(), 60);
    QVERIFY(qAbs(display.windowOpacity() - 60 / 255.0) < 0.01);
    slider->triggerAction(QAbstractSlider::SliderSingleStepSub); // left arrow
    QCOMPARE(slider->value(), 60);

    // An arrow step commits at once.
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd); // right arrow
    QVERIFY(slider->value() > 60);
    QVERIFY(qAbs(display.windowOpacity() - slider->value() / 255.0) < 0.01);

    // A drag changes nothing until the thumb is released.
    const qreal before = display.windowOpacity();
    slider->setSliderDown(true);
    slider->setSliderPosition(200);
    QCOMPARE(display.windowOpacity(), before);
    slider->setSliderDown(false);
    QCOMPARE(slider->value(), 200);
    QVERIFY(qAbs(display.windowOpacity() - 200 / 255.0) < 0.01);

    // Closing hides; reopening shows the slider where it was.
    dialog.showDialog();
    QVERIFY(dialog.isVisible());
    dialog.close();
    QVERIFY(!dialog.isVisible());
    dialog.showDialog();
    QCOMPARE(slider->value(), 200);
    QVERIFY(qAbs(display.windowOpacity() - 200 / 255.0) < 0.01);
}

QTEST_MAIN(DisplayTest)
#include "DisplayTest.moc"
