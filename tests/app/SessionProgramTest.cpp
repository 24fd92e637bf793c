#include "app/Application.h"
#include "app/HotkeyKeeper.h"
#include "app/SessionKeeper.h"
#include "core/Session.h"
#include "core/io/LineFile.h"
#include "core/io/SessionFile.h"
#include "core/io/SessionLoad.h"
#include "core/io/TextReport.h"
#include "gui/MainPanel.h"
#include "gui/ReportWindow.h"
#include "gui/SessionFileDialog.h"
#include "gui/StopwatchActions.h"
#include "tests/support/FakeClock.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace cfx;

namespace {

struct Message {
    QString title;
    QString text;
};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// The lines of a file, without the first (the creation time).
QByteArray withoutFirstLine(const QByteArray& bytes) {
    return bytes.mid(bytes.indexOf("\r\n") + 2);
}

} // namespace

class SessionProgramTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void savedSessionReopensWithItsReadings();
    void loadedClockContinuesFromTheStoredTime();
    void handEditedResolutionIsAppliedAsWritten();
    void unreadableFileKeepsTheCurrentSession();
    void failedSaveIsReported();
    void saveDialogWritesOnlyOnOk();
    void openDialogLoadsTheChosenFile();
    void commandLineReportMatchesTheReportButton();
    void resetReadingsCanBeRecoveredUntilNewOnesAreTaken();
    void exclusionsBesideTheFileAreAppliedOnlyToTheFileTheyWereSavedWith();

private:
    QPushButton* button(const char* name) const {
        return m_program->panel().findChild<QPushButton*>(QLatin1String(name));
    }
    // Three readings: one at a running clock with a comment, one excluded, one taken stopped.
    void takeThreeReadings();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Application> m_program;
    FakeClock* m_clock = nullptr;
    QVector<Message> m_messages;
};

void SessionProgramTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_dir->path());
    m_program = std::make_unique<Application>(m_dir->path());
    auto clock = std::make_unique<FakeClock>();
    m_clock = clock.get();
    m_program->setTimeSource(std::move(clock));
    m_program->load();
    m_messages.clear();
    m_program->setSessionMessage([this](const QString& title, const QString& text) {
        m_messages.push_back({title, text});
    });
}

void SessionProgramTest::cleanup() {
    m_program.reset();
    m_dir.reset();
}

void SessionProgramTest::takeThreeReadings() {
    Session& r = m_program->readings();
    r.setSessionStamp(QStringLiteral("8.12.2026 00:01:02"));
    r.appendReading(157, false, "57", false, "00:00:01.05");
    r.appendReading(312, false, "12", false, "00:00:03.01");
    r.appendReading(471, true, "71", false, "00:00:04.07");
    r.refreshReadings();
    QVERIFY(r.addComment(1, QString::fromUtf8("d\xC3\xA9part, fast")));
    QVERIFY(r.exclude(2));
    m_program->clock().setBaseCs(471);
    m_program->display().setLedValues({0, 0, 0, 0, 0, 4, 0, 7});
}

void SessionProgramTest::savedSessionReopensWithItsReadings() {
    takeThreeReadings();
    Session& r = m_program->readings();
    const QString path = m_dir->filePath("three.CFX");
    QVERIFY(m_program->sessions().saveSession(path));
    const cfx::SessionData saved =
        cfx::sessionFrom(r, "10", 471, "8.12.2026 00:01:02", {0, 0, 0, 0, 0, 4, 0, 7});

    // Something else happens before the session is opened again.
    r.appendReading(900, false, "00", false, "00:00:09.00");
    m_program->clock().setBaseCs(900);
    r.setStampPending(true);
    r.setSessionStamp(QStringLiteral("later"));

    m_program->sessions().loadSession(path);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(r.recordCount(), 3);
    for (int row = 1; row <= 3; ++row) {
        for (int c = 0; c < 4; ++c)
            QCOMPARE(r.text(row, static_cast<ReadingColumn>(c)),
                     saved.readings[row - 1].results[c]);
        QCOMPARE(r.reading(row).tag, saved.readings[row - 1].reference[0]);
        QCOMPARE(r.reading(row).timeCsText, saved.readings[row - 1].reference[1]);
        // The exclusion comes back from the file beside the session file.
        QCOMPARE(r.isExcluded(row), row == 2);
    }
    QCOMPARE(r.reading(1).comment, QString::fromUtf8("d\xC3\xA9part, fast"));
    QCOMPARE(r.reading(3).timeText, QStringLiteral("S00:00:04.07"));
    QVERIFY(r.reading(3).stoodStill);
    QVERIFY(!r.reading(1).stoodStill);

    QVERIFY(!r.stampPending());
    QCOMPARE(m_program->clock().baseCs(), 471);
    QCOMPARE(r.sessionStamp(), QStringLiteral("8.12.2026 00:01:02"));
    QCOMPARE(m_program->clock().eventsPerSec(), 10);
    QCOMPARE(m_program->display().ledValues(), (std::array<int, 8>{0, 0, 0, 0, 0, 4, 0, 7}));
    QCOMPARE(m_program->clock().panelText(), QStringLiteral("00:00:00:00"));
    QVERIFY(!m_program->clock().isRunning());
    QVERIFY(button("Command3")->isEnabled());
    QVERIFY(!button("Snap")->isEnabled());
    QVERIFY(m_program->actions().report()->isChecked());
    QVERIFY(m_program->actions().setTime()->isEnabled());
    // The newest record is selected.
    QVERIFY(m_program->report()
                .findChild<QTableView*>("TimerResults")
                ->selectionModel()
                ->isRowSelected(2, {}));

    // The session file itself holds what any reader of the format expects, nothing more.
    const QByteArray first = fileBytes(path);
    QCOMPARE(first, cfx::crlfBytes(cfx::sessionLines(saved)));
    // Saved again unchanged, the file has the same bytes.
    QVERIFY(m_program->sessions().saveSession(m_dir->filePath("again.CFX")));
    QCOMPARE(fileBytes(m_dir->filePath("again.CFX")), first);
}

void SessionProgramTest::loadedClockContinuesFromTheStoredTime() {
    const QString path = m_dir->filePath("clock.CFX");
    QVERIFY(
        cfx::writeLines(path, {"100", "200", "stamp", "0", "0", "0", "0", "0", "2", "0", "0", "0"})
            .ok);
    m_program->sessions().loadSession(path);
    QCOMPARE(m_program->readings().recordCount(), 0);
    QVERIFY(!m_program->actions().report()->isChecked()); // no readings, no report
    m_program->actions().startStop()->trigger();
    m_clock->advance(1234);
    m_program->clock().tick();
    QCOMPARE(m_program->clock().elapsedCs(), 200 + 123);
    m_program->actions().startStop()->trigger();
}

void SessionProgramTest::handEditedResolutionIsAppliedAsWritten() {
    const QString path = m_dir->filePath("edited.CFX");
    QVERIFY(cfx::writeLines(path, {"250", "57", "", "0", "0", "0", "0", "0", "0", "1", "4", "1",
                                   "1", "S00:00:00.14", "100.00", "", "57", "57"})
                .ok);
    m_program->sessions().loadSession(path);
    QCOMPARE(m_program->clock().eventsPerSec(), 250);
    // The panel's box shows it too, although its list does not hold it.
    QCOMPARE(m_program->panel().findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(),
             QStringLiteral("250"));
    QCOMPARE(m_program->readings().reading(1).timeText, QStringLiteral("S00:00:00.14"));
    // Saving it again keeps the hand-edited resolution.
    QVERIFY(m_program->sessions().saveSession(m_dir->filePath("resaved.CFX")));
    QVERIFY(fileBytes(m_dir->filePath("resaved.CFX")).startsWith("250\r\n57\r\n"));
}

void SessionProgramTest::unreadableFileKeepsTheCurrentSession() {
    takeThreeReadings();
    m_program->readings().setStampPending(true);
    const cfx::SessionData before = cfx::sessionFrom(
        m_program->readings(), m_program->clock().resolutionText(), m_program->clock().baseCs(),
        m_program->readings().sessionStamp(), m_program->display().ledValues());
    QDir(m_dir->path()).mkdir("folder.CFX");
    const QString damaged = m_dir->filePath("damaged.CFX");
    QVERIFY(cfx::writeLines(damaged, {"10", "-5"}).ok);

    for (const QString& path :
         {m_dir->filePath("missing.CFX"), m_dir->filePath("folder.CFX"), damaged}) {
        m_messages.clear();
        m_program->sessions().loadSession(path);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].title, QStringLiteral("Open CFX File"));
        QVERIFY(m_messages[0].text.contains(path));
        const cfx::SessionData after = cfx::sessionFrom(
            m_program->readings(), m_program->clock().resolutionText(), m_program->clock().baseCs(),
            m_program->readings().sessionStamp(), m_program->display().ledValues());
        QVERIFY(after == before);
        QVERIFY(m_program->readings().isExcluded(2));
        QVERIFY(m_program->readings().stampPending());
    }
}

void SessionProgramTest::failedSaveIsReported() {
    takeThreeReadings();
    QVERIFY(!m_program->sessions().saveSession(m_dir->filePath("no/such/folder/x.CFX")));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, QStringLiteral("Save CFX File"));
    QVERIFY(m_messages[0].text.contains("x.CFX"));
    QCOMPARE(m_program->readings().recordCount(), 3);
}

void SessionProgramTest::saveDialogWritesOnlyOnOk() {
    takeThreeReadings();
    auto answer = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* dialog = qobject_cast<SaveFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            if (ok) {
                auto* name = dialog->findChild<QLineEdit*>("TxtFilename");
                name->setText("laps.cfx");
                QTest::keyClick(name, Qt::Key_Return);
            } else {
                dialog->findChild<QPushButton*>("CmdCancel")->click();
            }
        });
    };
    answer(false);
    m_program->sessions().saveSessionDialog();
    QCOMPARE(QDir(m_dir->path()).entryList({"*.CFX"}, QDir::Files), QStringList{});

    answer(true);
    m_program->sessions().saveSessionDialog();
    QCOMPARE(QDir(m_dir->path()).entryList({"*.CFX"}, QDir::Files), QStringList{"laps.CFX"});
    cfx::SessionData saved;
    QString error;
    QVERIFY(cfx::readSession(m_dir->filePath("laps.CFX"), saved, error));
    QCOMPARE(saved.readings.size(), 3);
    QVERIFY(m_messages.isEmpty());

    // A hotkey starts the clock while the dialog is open: the file holds the session of the
    // moment Save was chosen, its time and its digits alike.
    QTimer::singleShot(0, [this] {
        m_program->hotkeys().press(0);
        m_clock->advance(2000);
        m_program->clock().tick();
    });
    answer(true);
    m_program->sessions().saveSessionDialog();
    QVERIFY(cfx::readSession(m_dir->filePath("laps.CFX"), saved, error));
    QCOMPARE(saved.baseCs, 471);
    QCOMPARE(saved.ledValues, (std::array<int, 8>{0, 0, 0, 0, 0, 4, 0, 7}));
}

void SessionProgramTest::openDialogLoadsTheChosenFile() {
    takeThreeReadings();
    QVERIFY(m_program->sessions().saveSession(m_dir->filePath("pick.CFX")));
    m_program->clock().reset();
    QCOMPARE(m_program->readings().recordCount(), 0);

    m_program->sessions().openSessionDialog();
    auto* dialog = m_program->panel().findChild<OpenFileDialog*>();
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    // The dialog starts in the folder of the last session.
    QCOMPARE(dialog->folder(), m_dir->path());
    dialog->findChild<QLineEdit*>("TxtFilename")->setText("pick.CFX");
    dialog->findChild<QPushButton*>("CmdOK")->click();
    QCOMPARE(m_program->readings().recordCount(), 3);
    QCOMPARE(m_program->clock().baseCs(), 471);
    QVERIFY(m_messages.isEmpty());
}

void SessionProgramTest::commandLineReportMatchesTheReportButton() {
    takeThreeReadings();
    const QString session = m_dir->filePath("report.CFX");
    QVERIFY(m_program->sessions().saveSession(session));
    QVERIFY(QDir(m_dir->path()).mkdir("button"));
    QVERIFY(QDir(m_dir->path()).mkdir("cli"));

    m_program->sessions().loadSession(session);
    const cfx::ReportHeader header{QDateTime::currentDateTime(),
                                   m_program->clock().resolutionText(),
                                   m_program->readings().sessionStamp()};
    QVERIFY(cfx::writeReportAndClear(m_dir->filePath("button"), m_program->readings(), header,
                                     m_program->clock().eventsPerSec())
                .ok);

    QString error;
    QVERIFY2(cfx::writeSessionReport(session, m_dir->filePath("cli"),
                                     QDateTime::currentDateTime().addDays(-3), error),
             qPrintable(error));
    for (const QString& name : {cfx::kReportFileName, cfx::kRawCsvFileName}) {
        const QByteArray button = fileBytes(m_dir->filePath("button/" + name));
        const QByteArray cli = fileBytes(m_dir->filePath("cli/" + name));
        QVERIFY(!button.isEmpty());
        if (name == cfx::kReportFileName) {
            QCOMPARE(withoutFirstLine(cli), withoutFirstLine(button));
            QVERIFY(cli != button); // only the creation time differs
        } else {
            QCOMPARE(cli, button);
        }
    }

    // An unreadable session writes nothing.
    QVERIFY(!cfx::writeSessionReport(m_dir->filePath("none.CFX"), m_dir->filePath("cli2"),
                                     QDateTime::currentDateTime(), error));
    QVERIFY(error.contains("none.CFX"));
    QVERIFY(!QFile::exists(m_dir->filePath("cli2/") + cfx::kReportFileName));
}

// Reset with readings neither written nor saved: "Recover Last Readings" brings them back, with
// their comments and exclusions, until new readings are taken.
void SessionProgramTest::resetReadingsCanBeRecoveredUntilNewOnesAreTaken() {
    takeThreeReadings();
    Session& r = m_program->readings();
    const cfx::SessionData before = m_program->sessions().currentSession();
    QAction* recover = m_program->actions().recoverLast();
    QVERIFY(!recover->isEnabled());
    m_program->actions().reset()->setEnabled(true);
    m_program->actions().reset()->trigger();
    QCOMPARE(r.recordCount(), 0);
    QVERIFY(recover->isEnabled());
    recover->trigger();
    QCOMPARE(r.recordCount(), 3);
    QCOMPARE(m_program->sessions().currentSession().readings, before.readings);
    QVERIFY(r.isExcluded(2));
    QVERIFY(!recover->isEnabled());

    // Cleared again, then a new reading: the old ones are gone for good.
    m_program->actions().reset()->setEnabled(true);
    m_program->actions().reset()->trigger();
    QVERIFY(recover->isEnabled());
    r.appendReading(50, false, "50", false, "00:00:00.50");
    QVERIFY(!recover->isEnabled());
}

void SessionProgramTest::exclusionsBesideTheFileAreAppliedOnlyToTheFileTheyWereSavedWith() {
    takeThreeReadings();
    Session& r = m_program->readings();
    const QString path = m_dir->filePath("marks.CFX");
    const QString marks = path + ".excluded";
    QVERIFY(m_program->sessions().saveSession(path));
    QVERIFY(QFileInfo(marks).isFile());

    // A program that knows nothing of the marks writes the session file again (one comment
    // changed): the marks are not applied to it, and the user is told.
    cfx::SessionData other;
    QString error;
    QVERIFY(cfx::readSession(path, other, error));
    other.readings[0].results[3] = QStringLiteral("edited elsewhere");
    QVERIFY(cfx::writeSession(path, other).ok);
    m_program->sessions().loadSession(path);
    QCOMPARE(r.recordCount(), 3);
    QCOMPARE(r.reading(1).comment, QStringLiteral("edited elsewhere"));
    for (int n = 1; n <= 3; ++n)
        QVERIFY(!r.isExcluded(n));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, QStringLiteral("Open CFX File"));
    QVERIFY(m_messages[0].text.contains(QDir::toNativeSeparators(marks)));

    // Saved with nothing excluded, no marks are left beside it.
    QVERIFY(m_program->sessions().saveSession(path));
    QVERIFY(!QFileInfo::exists(marks));

    // Marks that cannot be kept: the session is saved, and the user told that they were not.
    m_messages.clear();
    r.exclude(3);
    QVERIFY(QDir().mkdir(marks));
    QVERIFY(m_program->sessions().saveSession(path));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, QStringLiteral("Save CFX File"));
    QVERIFY(m_messages[0].text.contains(QDir::toNativeSeparators(marks)));
    QVERIFY(QDir().rmdir(marks));
    QVERIFY(cfx::readSession(path, other, error));
    QCOMPARE(other.readings.size(), 3);
}

QTEST_MAIN(SessionProgramTest)
#include "SessionProgramTest.moc"
