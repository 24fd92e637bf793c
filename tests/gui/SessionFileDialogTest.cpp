#include "gui/SessionFileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace cfx;

namespace {

struct Warning {
    QString title;
    QString text;
};

template <typename Dialog> struct Harness {
    explicit Harness(const QString& folder) : dialog(folder) {
        dialog.setWarn([this](QWidget*, const QString& title, const QString& text) {
            warnings.push_back({title, text});
        });
        dialog.show();
        name = dialog.template findChild<QLineEdit*>("TxtFilename");
        files = dialog.template findChild<QListWidget*>("FilDialog");
        folders = dialog.template findChild<QListWidget*>("DirDialog");
        drives = dialog.template findChild<QComboBox*>("DrvDialog");
        ok = dialog.template findChild<QPushButton*>("CmdOK");
        cancel = dialog.template findChild<QPushButton*>("CmdCancel");
    }
    Dialog dialog;
    QVector<Warning> warnings;
    QLineEdit* name = nullptr;
    QListWidget* files = nullptr;
    QListWidget* folders = nullptr;
    QComboBox* drives = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

void touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text().trimmed();
    return texts;
}

} // namespace

class SessionFileDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveGivesTheExtensionInCapitals_data();
    void saveGivesTheExtensionInCapitals();
    void saveRefusesAnEmptyName();
    void saveCancelChoosesNothing();
    void saveListClickDoesNotCopyTheName();
    void openRefusesAnEmptyName();
    void openHandsOnTheClickedOrTypedFile();
    void openAtTheRootUsesOneSeparator();
    void openCancelHandsOnNothing();
    void captionAndListsFollowTheFolder();
    void returnInTheFolderListEntersTheFolderOnly();
    void drivesListTheRoot();
};

void SessionFileDialogTest::saveGivesTheExtensionInCapitals_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("file");
    QTest::newRow("none") << "lap times"
                          << "lap times.CFX";
    QTest::newRow("lower") << "run.cfx"
                           << "run.CFX";
    QTest::newRow("mixed") << "run.Cfx"
                           << "run.CFX";
    QTest::newRow("other") << "name.txt"
                           << "name.txt.CFX";
}

void SessionFileDialogTest::saveGivesTheExtensionInCapitals() {
    QFETCH(QString, typed);
    QFETCH(QString, file);
    QTemporaryDir dir;
    Harness<SaveFileDialog> h(dir.path());
    // Typing the name and pressing Return is enough.
    h.name->setFocus();
    QTest::keyClicks(h.name, typed);
    QTest::keyClick(h.name, Qt::Key_Return);
    QCOMPARE(h.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(h.dialog.chosenPath(), dir.path() + "/" + file);
    QVERIFY(h.warnings.isEmpty());
    QVERIFY(!QFile::exists(h.dialog.chosenPath())); // the dialog only chooses
}

void SessionFileDialogTest::saveRefusesAnEmptyName() {
    QTemporaryDir dir;
    Harness<SaveFileDialog> h(dir.path());
    for (const QString& typed : {QString(), QStringLiteral("   ")}) {
        h.name->setText(typed);
        h.ok->click();
        QCOMPARE(h.warnings.size(), 1);
        QCOMPARE(h.warnings[0].title, QStringLiteral("File Name missing"));
        QCOMPARE(h.warnings[0].text, QStringLiteral("To save Session, please enter File Name"));
        QVERIFY(h.dialog.isVisible());
        QVERIFY(h.dialog.chosenPath().isEmpty());
        h.warnings.clear();
    }
}

void SessionFileDialogTest::saveCancelChoosesNothing() {
    QTemporaryDir dir;
    Harness<SaveFileDialog> h(dir.path());
    h.name->setText("run");
    h.cancel->click();
    QCOMPARE(h.dialog.result(), int(QDialog::Rejected));
    QVERIFY(h.dialog.chosenPath().isEmpty());
    QVERIFY(!h.dialog.isVisible());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

void SessionFileDialogTest::saveListClickDoesNotCopyTheName() {
    QTemporaryDir dir;
    touch(dir.filePath("old.CFX"));
    Harness<SaveFileDialog> h(dir.path());
    QCOMPARE(h.files->count(), 1);
    h.name->setText("new");
    const QRect r = h.files->visualItemRect(h.files->item(0));
    QTest::mouseClick(h.files->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(h.name->text(), QStringLiteral("new"));
}

void SessionFileDialogTest::openRefusesAnEmptyName() {
    QTemporaryDir dir;
    Harness<OpenFileDialog> h(dir.path());
    QSignalSpy chosen(&h.dialog, &OpenFileDialog::sessionChosen);
    h.ok->click();
    QCOMPARE(h.warnings.size(), 1);
    QCOMPARE(h.warnings[0].title, QStringLiteral("File Unspecified"));
    QCOMPARE(h.warnings[0].text, QStringLiteral("Please select a File to Open"));
    QVERIFY(h.dialog.isVisible());
    QCOMPARE(chosen.count(), 0);
}

void SessionFileDialogTest::openHandsOnTheClickedOrTypedFile() {
    QTemporaryDir dir;
    touch(dir.filePath("b.cfx"));
    touch(dir.filePath("a.CFX"));
    touch(dir.filePath("notes.txt"));
    {
        Harness<OpenFileDialog> h(dir.path());
        QSignalSpy chosen(&h.dialog, &OpenFileDialog::sessionChosen);
        QCOMPARE(itemTexts(h.files), (QStringList{"a.CFX", "b.cfx"}));
        const QRect r = h.files->visualItemRect(h.files->item(1));
        QTest::mouseClick(h.files->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(h.name->text(), QStringLiteral("b.cfx"));
        h.ok->click();
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toString(), dir.filePath("b.cfx"));
        QVERIFY(!h.dialog.isVisible());
    }
    {
        // A name that is not listed is passed on as typed; the loader deals with it.
        Harness<OpenFileDialog> h(dir.path());
        QSignalSpy chosen(&h.dialog, &OpenFileDialog::sessionChosen);
        h.name->setFocus();
        QTest::keyClicks(h.name, "elsewhere");
        QTest::keyClick(h.name, Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toString(), dir.filePath("elsewhere"));
    }
    {
        // Return on a listed file opens it.
        Harness<OpenFileDialog> h(dir.path());
        QSignalSpy chosen(&h.dialog, &OpenFileDialog::sessionChosen);
        h.files->setFocus();
        h.files->setCurrentRow(0);
        QTest::keyClick(h.files, Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toString(), dir.filePath("a.CFX"));
    }
}

void SessionFileDialogTest::openAtTheRootUsesOneSeparator() {
    Harness<OpenFileDialog> h(QStringLiteral("/"));
    QSignalSpy chosen(&h.dialog, &OpenFileDialog::sessionChosen);
    h.name->setText("x.CFX");
    h.ok->click();
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen[0][0].toString(), QStringLiteral("/x.CFX"));
}

void SessionFileDialogTest::openCancelHandsOnNothing() {
    QTemporaryDir dir;
    touch(dir.filePath("a.CFX"));
    Harness<OpenFileDialog> h(dir.path());
    QSignalSpy chosen(&h.dialog, &OpenFileDialog::sessionChosen);
    h.files->setCurrentRow(0);
    QTest::keyClick(&h.dialog, Qt::Key_Escape);
    QVERIFY(!h.dialog.isVisible());
    QCOMPARE(chosen.count(), 0);
}

void SessionFileDialogTest::captionAndListsFollowTheFolder() {
    QTemporaryDir dir;
    QDir d(dir.path());
    QVERIFY(d.mkdir("sub"));
    touch(d.filePath("top.CFX"));
    touch(d.filePath("sub/inner.cfx"));
    Harness<OpenFileDialog> h(dir.path());
    QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Open CFX File"));
    QCOMPARE(itemTexts(h.files), QStringList{"top.CFX"});
    QVERIFY(itemTexts(h.folders).contains("sub"));
    h.name->setText("typed");

    h.dialog.setFolder(d.filePath("sub"));
    QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Open CFX File - [%1]").arg(d.filePath("sub")));
    QCOMPARE(itemTexts(h.files), QStringList{"inner.cfx"});
    QVERIFY(h.name->text().isEmpty()); // the open window forgets the name on a folder change

    Harness<SaveFileDialog> s(dir.path());
    s.name->setText("keep");
    s.dialog.setFolder(d.filePath("sub"));
    QCOMPARE(s.dialog.windowTitle(), QStringLiteral("Save CFX File - [%1]").arg(d.filePath("sub")));
    QCOMPARE(s.name->text(), QStringLiteral("keep"));
}

void SessionFileDialogTest::returnInTheFolderListEntersTheFolderOnly() {
    QTemporaryDir dir;
    QDir d(dir.path());
    QVERIFY(d.mkdir("inner"));
    Harness<SaveFileDialog> h(dir.path());
    h.name->setText("run");
    const QList<QListWidgetItem*> found = h.folders->findItems("inner", Qt::MatchEndsWith);
    QCOMPARE(found.size(), 1);
    h.folders->setFocus();
    h.folders->setCurrentItem(found[0]);
    QTest::keyClick(h.folders, Qt::Key_Return);
    QCOMPARE(h.dialog.folder(), d.filePath("inner"));
    QVERIFY(h.dialog.isVisible()); // Return chose the folder, it did not press OK
    QVERIFY(h.dialog.chosenPath().isEmpty());
    // Backspace goes up again.
    h.folders->setFocus();
    QTest::keyClick(h.folders, Qt::Key_Backspace);
    QCOMPARE(h.dialog.folder(), dir.path());
}

void SessionFileDialogTest::drivesListTheRoot() {
    Harness<OpenFileDialog> h(QStringLiteral("/"));
    QVERIFY(h.drives->count() >= 1);
    QCOMPARE(h.drives->itemData(0).toString(), QStringLiteral("/"));
    QCOMPARE(h.drives->currentIndex(), 0);
}

QTEST_MAIN(SessionFileDialogTest)
#include "SessionFileDialogTest.moc"
