#include "gui/MeasureWindow.h"
#include "core/RateMeter.h"
#include "core/RecordTable.h"
#include "core/SpeedMeter.h"
#include "gui/RateWindow.h"
#include "gui/SpeedWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace cfx;

namespace {

QString local(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

// The main stopwatch as the windows see it, moved by the test.
struct FakeClock {
    qint32 cs = 0;
    bool running = true;
    MeasureClock source() {
        MeasureClock c;
        c.elapsedCs = [this] { return cs; };
        c.running = [this] { return running; };
        return c;
    }
};

template <typename T> T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("missing control %s", name);
    return found;
}

QString labelText(QWidget* w, const char* name) {
    return child<QLabel>(w, name)->text();
}

// Answers the next modal comment dialog: types the text, then OK or closes it without OK.
// Returns a flag that becomes true once a dialog was seen.
std::shared_ptr<bool> answerComment(const QString& text, bool ok) {
    auto seen = std::make_shared<bool>(false);
    QTimer::singleShot(0, [seen, text, ok] {
        auto* dialog = qobject_cast<CommentDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *seen = true;
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("Text1")), text);
        if (ok)
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        else
            dialog->reject();
    });
    return seen;
}

} // namespace

class MeasureWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rateOneCycleShowsTimingThenResult();
    void rateSpaceOnStartMarksOnItsPress();
    void ratePressWhileStoppedAbandons();
    void rateStoresNumberedRecordsOnceEach();
    void rateClosingHidesAndKeepsRecords();
    void rateReportButtonsAskForTheirReports();
    void speedMeasuresAndStores();
    void speedDistanceBoxTakesOnlyDistances();
    void speedClosingHidesAndKeepsRecords();
};

void MeasureWindowTest::rateOneCycleShowsTimingThenResult() {
    FakeClock clock;
    RateWindow form(clock.source());
    auto* start = child<MeasureButton>(&form, "Command7");
    QCOMPARE(labelText(&form, "Label1"), QStringLiteral("0.0"));
    QCOMPARE(child<QComboBox>(&form, "Combo1")->currentText(), QStringLiteral("1"));
    QVERIFY(!child<QToolButton>(&form, "Save")->isEnabled());
    QVERIFY(!child<QToolButton>(&form, "Reset")->isEnabled());

    clock.cs = 2000;
    QTest::mousePress(start, Qt::LeftButton);
    QTest::mouseRelease(start, Qt::LeftButton);
    QCOMPARE(labelText(&form, "Label1"), QStringLiteral("Timing..."));
    QVERIFY(start->text().isEmpty());
    QCOMPARE(start->iconName(), QStringLiteral("WAITING"));
    QVERIFY(!child<QComboBox>(&form, "Combo1")->isEnabled());
    QVERIFY(child<QToolButton>(&form, "Reset")->isEnabled());

    // Any mouse button marks, and the mark is taken on the press.
    clock.cs = 2150;
    QTest::mousePress(start, Qt::RightButton);
    clock.cs = 9999;
    QTest::mouseRelease(start, Qt::RightButton);
    QCOMPARE(labelText(&form, "Label1"), local("1.50"));
    QCOMPARE(labelText(&form, "Label2"), local("40.00"));
    QCOMPARE(start->text(), QStringLiteral("Start"));
    QCOMPARE(start->iconName(), QStringLiteral("START"));
    QVERIFY(child<QToolButton>(&form, "Save")->isEnabled());
    QVERIFY(child<QComboBox>(&form, "Combo1")->isEnabled());
}

void MeasureWindowTest::rateSpaceOnStartMarksOnItsPress() {
    FakeClock clock;
    RateWindow form(clock.source());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* start = child<MeasureButton>(&form, "Command7");
    start->setFocus();
    // Return is not the button's key.
    QTest::keyClick(start, Qt::Key_Return);
    QCOMPARE(form.meter().clickCount(), 0);
    clock.cs = 1000;
    QTest::keyClick(start, Qt::Key_Space);
    QCOMPARE(labelText(&form, "Label1"), QStringLiteral("Timing..."));
    // The mark is the moment the key goes down; a held key's repeats are no marks.
    clock.cs = 1300;
    QTest::keyPress(start, Qt::Key_Space);
    clock.cs = 1400;
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(start, &repeat);
    clock.cs = 9999;
    QTest::keyRelease(start, Qt::Key_Space);
    QCOMPARE(labelText(&form, "Label1"), local("3.00"));
    QCOMPARE(form.meter().clickCount(), 0);
}

void MeasureWindowTest::ratePressWhileStoppedAbandons() {
    FakeClock clock;
    RateWindow form(clock.source());
    auto* start = child<MeasureButton>(&form, "Command7");
    child<QComboBox>(&form, "Combo1")->setCurrentText(QStringLiteral("3"));
    QTest::mouseClick(start, Qt::LeftButton);
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(form.meter().clickCount(), 2);

    clock.running = false;
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(labelText(&form, "Label1"), QStringLiteral("Stopped"));
    QCOMPARE(form.meter().clickCount(), 0);
    QVERIFY(!child<QToolButton>(&form, "Save")->isEnabled());
    QVERIFY(child<QComboBox>(&form, "Combo1")->isEnabled());
    QCOMPARE(start->text(), QStringLiteral("Start"));
}

void MeasureWindowTest::rateStoresNumberedRecordsOnceEach() {
    FakeClock clock;
    RateWindow form(clock.source());
    auto* start = child<MeasureButton>(&form, "Command7");
    auto* save = child<QToolButton>(&form, "Save");
    auto* fileCmnd = child<QPushButton>(&form, "FileCmnd");
    auto measure = [&](qint32 span) {
        clock.cs = 0;
        QTest::mouseClick(start, Qt::LeftButton);
        clock.cs = span;
        QTest::mouseClick(start, Qt::LeftButton);
    };
    for (int i = 1; i <= 3; ++i) {
        measure(100 * i);
        QVERIFY(save->isEnabled());
        auto seen = answerComment(QStringLiteral("cycle %1").arg(i), true);
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(*seen);
        QVERIFY(!save->isEnabled());
        QVERIFY(fileCmnd->isEnabled());
    }
    const RecordTable& grid = form.records();
    QCOMPARE(grid.count(), 3);
    for (int r = 1; r <= 3; ++r) {
        QCOMPARE(grid.text(r, RateMeter::ColNumber), QString::number(r));
        QCOMPARE(grid.text(r, RateMeter::ColComment), QStringLiteral("cycle %1").arg(r));
    }

    // Closed without OK: nothing stored, Store still offered, the reports offered.
    measure(50);
    auto seen = answerComment(QStringLiteral("dropped"), false);
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(*seen);
    QCOMPARE(grid.count(), 3);
    QVERIFY(save->isEnabled());

    // The comment is cut at 44 characters.
    seen = answerComment(QString(50, QLatin1Char('x')), true);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(grid.text(4, RateMeter::ColComment), QString(44, QLatin1Char('x')));

    QTest::mouseClick(child<QToolButton>(&form, "Reset"), Qt::LeftButton);
    QCOMPARE(grid.count(), 0);
    QCOMPARE(labelText(&form, "Label1"), QStringLiteral("Reset"));
    QVERIFY(!fileCmnd->isEnabled());
    QVERIFY(!child<QPushButton>(&form, "WordCmnd")->isEnabled());
    measure(100);
    seen = answerComment(QString(), true);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(grid.text(1, RateMeter::ColNumber), QStringLiteral("1"));
    QVERIFY(grid.text(1, RateMeter::ColComment).isEmpty());
}

void MeasureWindowTest::rateClosingHidesAndKeepsRecords() {
    FakeClock clock;
    RateWindow form(clock.source());
    QSignalSpy closed(&form, &RateWindow::closeRequested);
    form.show();
    auto* start = child<MeasureButton>(&form, "Command7");
    QTest::mouseClick(start, Qt::LeftButton);
    clock.cs = 300;
    QTest::mouseClick(start, Qt::LeftButton);
    form.addRecord(QStringLiteral("kept"));

    form.close();
    QVERIFY(form.isHidden());
    QCOMPARE(closed.count(), 1);
    form.show();
    QCOMPARE(form.records().count(), 1);
    QCOMPARE(form.records().text(1, RateMeter::ColComment), QStringLiteral("kept"));
    QCOMPARE(labelText(&form, "Label1"), local("3.00"));
}

void MeasureWindowTest::rateReportButtonsAskForTheirReports() {
    FakeClock clock;
    RateWindow form(clock.source());
    int textRuns = 0;
    int wordRuns = 0;
    connect(&form, &MeasureWindow::textFileRequested, this, [&] {
        QCOMPARE(form.records().columns(), RateMeter::kColumns);
        QCOMPARE(form.records().count(), 1);
        ++textRuns;
    });
    connect(&form, &MeasureWindow::wordReportRequested, this, [&] { ++wordRuns; });
    auto* start = child<MeasureButton>(&form, "Command7");
    QTest::mouseClick(start, Qt::LeftButton);
    QTest::mouseClick(start, Qt::LeftButton);
    answerComment(QString(), true);
    QTest::mouseClick(child<QToolButton>(&form, "Save"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&form, "FileCmnd"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&form, "WordCmnd"), Qt::LeftButton);
    QCOMPARE(textRuns, 1);
    QCOMPARE(wordRuns, 1);
}

void MeasureWindowTest::speedMeasuresAndStores() {
    FakeClock clock;
    SpeedWindow form(clock.source());
    auto* start = child<MeasureButton>(&form, "Command1");
    QTest::keyClicks(child<QLineEdit>(&form, "Text2"), QStringLiteral("100"));
    clock.cs = 500;
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(start->text(), QStringLiteral("Stop"));
    QCOMPARE(start->iconName(), QStringLiteral("STOP"));
    QCOMPARE(labelText(&form, "Label1"), QStringLiteral("Timing..."));
    clock.cs = 1500;
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(labelText(&form, "Label1"), local("36.0"));
    QCOMPARE(labelText(&form, "Label3"), QStringLiteral("kph"));
    QCOMPARE(start->text(), QStringLiteral("Start"));

    auto seen = answerComment(QStringLiteral("100 m"), true);
    QTest::mouseClick(child<QToolButton>(&form, "Save"), Qt::LeftButton);
    QVERIFY(*seen);
    QVERIFY(!child<QToolButton>(&form, "Save")->isEnabled());
    QVERIFY(child<QPushButton>(&form, "Command2")->isEnabled());
    QCOMPARE(form.records().text(1, SpeedMeter::ColSpeed), local("36.0") + " kph");

    // Stopped in the middle of a run.
    QTest::mouseClick(start, Qt::LeftButton);
    clock.running = false;
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(labelText(&form, "Label1"), QStringLiteral("Stopped"));
    QCOMPARE(start->text(), QStringLiteral("Start"));
    QVERIFY(labelText(&form, "Label3").isEmpty());
}

void MeasureWindowTest::speedDistanceBoxTakesOnlyDistances() {
    FakeClock clock;
    SpeedWindow form(clock.source());
    form.show();
    auto* box = child<QLineEdit>(&form, "Text2");
    QTest::keyClicks(box, QStringLiteral("a1b2.c-5 "));
    QCOMPARE(box->text(), QStringLiteral("12.5"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("12."));
    QTest::keyClicks(box, QStringLiteral("34567"));
    QCOMPARE(box->text(), QStringLiteral("12.3456")); // the eighth character is refused

    // The clipboard keys are refused.
    box->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("42"));
    // As the X server sends it: Ctrl+V carrying the control character 0x16.
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
    QApplication::sendEvent(box, &paste);
    QVERIFY(box->text().isEmpty());
    // Text set by other routes still has to be a distance.
    box->insert(QStringLiteral("fast"));
    QVERIFY(box->text().isEmpty());
}

void MeasureWindowTest::speedClosingHidesAndKeepsRecords() {
    FakeClock clock;
    SpeedWindow form(clock.source());
    QSignalSpy closed(&form, &SpeedWindow::closeRequested);
    form.show();
    QTest::keyClicks(child<QLineEdit>(&form, "Text2"), QStringLiteral("100"));
    child<QComboBox>(&form, "Combo1")->setCurrentText(QStringLiteral("feet"));
    auto* start = child<MeasureButton>(&form, "Command1");
    QTest::mouseClick(start, Qt::LeftButton);
    clock.cs = 1000;
    QTest::mouseClick(start, Qt::LeftButton);
    form.addRecord(QStringLiteral("kept"));
    form.close();
    QVERIFY(form.isHidden());
    QCOMPARE(closed.count(), 1);
    form.show();
    QCOMPARE(form.records().count(), 1);
    QCOMPARE(labelText(&form, "Label1"), local("6.8182"));
    QCOMPARE(labelText(&form, "Label3"), QStringLiteral("mph"));
}

QTEST_MAIN(MeasureWindowTest)
#include "MeasureWindowTest.moc"
