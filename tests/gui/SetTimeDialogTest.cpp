#include "gui/SetTimeDialog.h"
#include "gui/Accessibility.h"
#include "gui/StopwatchActions.h"
#include "gui/TopMaxScrollBar.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace cfx;

class SetTimeDialogTest : public QObject {
    Q_OBJECT

    SteadyClock m_time;
    std::unique_ptr<Stopwatch> m_clock;
    NullDisplay m_display;
    std::unique_ptr<StopwatchActions> m_actions;
    TopMaxScrollBar* bar(SetTimeDialog& f, int n) {
        return f.findChild<TopMaxScrollBar*>(QStringLiteral("VScroll%1").arg(n));
    }
    QLineEdit* box(SetTimeDialog& f, int n) {
        return f.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    }

private Q_SLOTS:
    void init() {
        m_clock = std::make_unique<Stopwatch>(m_time);
        m_display = NullDisplay{};
        m_clock->setDisplay(&m_display);
        m_actions = std::make_unique<StopwatchActions>();
        m_actions->followStopwatch(*m_clock);
    }

    void barsRunFromTheirLargestValueAtTheTop() {
        m_clock->setResolution(QStringLiteral("100"));
        SetTimeDialog form(*m_clock);
        form.prepare();
        const int tops[4] = {99, 59, 59, 99};
        for (int n = 1; n <= 4; ++n) {
            TopMaxScrollBar* b = bar(form, n);
            QVERIFY(b);
            QCOMPARE(b->orientation(), Qt::Vertical);
            QCOMPARE(b->top(), tops[n - 1]);
            // Qt's minimum is the top end of a vertical bar.
            b->setValue(b->minimum());
            QCOMPARE(b->number(), tops[n - 1]);
            QCOMPARE(box(form, n)->text(), QString::number(tops[n - 1]));
            b->setValue(b->maximum());
            QCOMPARE(box(form, n)->text(), QStringLiteral("00"));
        }
        // The up arrow (a single step towards the top) increases the number.
        bar(form, 2)->setNumber(7);
        bar(form, 2)->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(bar(form, 2)->number(), 8);
        QCOMPARE(box(form, 2)->text(), QStringLiteral("08"));
    }

    // A screen reader reads and sets the number a bar stands for, not its position underneath.
    void barsTellScreenReadersTheirNumber() {
        installAccessibleRoles();
        SetTimeDialog form(*m_clock);
        form.prepare();
        QCOMPARE(QAccessible::queryAccessibleInterface(&form)->role(), QAccessible::Dialog);
        bar(form, 1)->setNumber(1);
        QAccessibleInterface* hours = QAccessible::queryAccessibleInterface(bar(form, 1));
        QAccessibleValueInterface* value = hours->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toInt(), 1);
        QCOMPARE(value->maximumValue().toInt(), 99);
        QCOMPARE(value->minimumValue().toInt(), 0);
        QCOMPARE(hours->text(QAccessible::Value), QStringLiteral("1"));
        QVERIFY(hours->text(QAccessible::Name).startsWith(QStringLiteral("Hours")));
        value->setCurrentValue(12);
        QCOMPARE(bar(form, 1)->number(), 12);
        QCOMPARE(box(form, 1)->text(), QStringLiteral("12"));
    }

    void opensAtOneMinuteThenAtTheLastAppliedTime() {
        SetTimeDialog form(*m_clock);
        form.prepare();
        QCOMPARE(form.values(), (cfx::SetTimeValues{0, 1, 0, 0}));
        QCOMPARE(box(form, 2)->text(), QStringLiteral("01"));
        QCOMPARE(bar(form, 4)->top(), 9);

        bar(form, 1)->setNumber(1);
        bar(form, 2)->setNumber(2);
        bar(form, 3)->setNumber(3);
        bar(form, 4)->setNumber(5);
        form.show();
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(form.isVisible()); // Apply leaves the dialog open
        QCOMPARE(m_clock->baseCs(), 372350);
        QCOMPARE(m_display.ledValues(), (std::array<int, 8>{0, 1, 0, 2, 0, 3, 0, 5}));
        QVERIFY(m_actions->snap()->isEnabled() && m_actions->reset()->isEnabled());
        form.close();

        // Reopened at another resolution: the hours, minutes and seconds come back, the
        // sub-second bar starts at 0 with the new range.
        m_clock->setResolution(QStringLiteral("1"));
        form.prepare();
        QCOMPARE(form.values(), (cfx::SetTimeValues{1, 2, 3, 0}));
        QCOMPARE(bar(form, 4)->top(), 0);
        QCOMPARE(box(form, 4)->text(), QStringLiteral("00"));
    }

    void typedInputIsHeldToTwoDigitsInRange() {
        SetTimeDialog form(*m_clock);
        form.prepare();
        form.show();
        QApplication::setActiveWindow(&form);
        QLineEdit* mins = box(form, 2);
        mins->setFocus();
        mins->selectAll();
        QTest::keyClicks(mins, QStringLiteral("75"));
        QCOMPARE(mins->text(), QStringLiteral("59"));
        QCOMPARE(bar(form, 2)->number(), 59);

        mins->selectAll();
        QTest::keyClicks(mins, QStringLiteral("4x2"));
        QCOMPARE(mins->text(), QStringLiteral("42"));
        QCOMPARE(bar(form, 2)->number(), 42);

        mins->selectAll();
        QTest::keyClicks(mins, QStringLiteral("7"));
        QCOMPARE(bar(form, 2)->number(), 7);
        QTest::keyClick(mins, Qt::Key_Tab);
        QCOMPARE(mins->text(), QStringLiteral("07"));

        // A sub-second count above the resolution's range is cut to its largest value.
        QLineEdit* sub = box(form, 4);
        sub->selectAll();
        QTest::keyClicks(sub, QStringLiteral("35"));
        QCOMPARE(sub->text(), QStringLiteral("09"));

        // A box left empty applies the bar's value.
        QLineEdit* hrs = box(form, 1);
        hrs->clear();
        form.apply();
        QCOMPARE(hrs->text(), QStringLiteral("00"));
        QCOMPARE(m_clock->baseCs(), 7 * 6000 + 90);
        QCOMPARE(m_clock->minuteText(), QStringLiteral("07"));
    }
};

QTEST_MAIN(SetTimeDialogTest)
#include "SetTimeDialogTest.moc"
