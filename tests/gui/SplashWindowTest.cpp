#include "gui/SplashWindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace cfx;

// Receives the links the program hands to the desktop, so no mail program is started.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

class Form1Test : public QObject {
    Q_OBJECT

    static void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
    static bool shown(SplashWindow& form, const char* name) {
        auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
        return label && label->isVisibleTo(&form);
    }

private Q_SLOTS:
    void outlineIsThePictureWithoutItsKeyColour() {
        SplashWindow form;
        const QImage picture = QImage(QStringLiteral(":/SPLASHPIC"));
        QVERIFY(!picture.isNull());
        QCOMPARE(form.size(), picture.size());
        const QRgb key = picture.pixel(0, 0);
        const QRegion outline = form.outline();
        int cut = 0;
        int kept = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const bool isKey = picture.pixel(x, y) == key;
                QCOMPARE(outline.contains(QPoint(x, y)), !isKey);
                (isKey ? cut : kept)++;
            }
        }
        // A real shape: a good part is cut away and most of the window stays.
        QVERIFY(cut > picture.width() * picture.height() / 10);
        QVERIFY(kept > cut);
        QCOMPARE(form.mask(), outline);
    }

    void splashHidesTheCursorThenAsksForThePanel() {
        SplashWindow form;
        QSignalSpy finished(&form, &SplashWindow::splashFinished);
        QSignalSpy early(&form, &SplashWindow::splashClosedEarly);
        auto* timer = form.findChild<QTimer*>(QStringLiteral("tmrShow"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 4000);

        form.showSplash();
        QCOMPARE(form.mode(), SplashWindow::Mode::Splash);
        QVERIFY(form.isVisible());
        QVERIFY(timer->isActive());
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
        QVERIFY(shown(form, "Label1") && shown(form, "Label3"));
        QVERIFY(!shown(form, "Label4") && !shown(form, "Label5") && !shown(form, "Label6"));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Omnichron Stopwatch v") + QStringLiteral(CFX_VERSION));

        timer->start(20); // the four seconds, shortened
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(early.count(), 0);
        QVERIFY(!form.isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void closingTheSplashEarlyEndsItWithoutThePanel() {
        SplashWindow form;
        QSignalSpy finished(&form, &SplashWindow::splashFinished);
        QSignalSpy early(&form, &SplashWindow::splashClosedEarly);
        form.showSplash();
        auto* timer = form.findChild<QTimer*>(QStringLiteral("tmrShow"));
        timer->setInterval(30);
        timer->start();

        sendMouse(&form, QEvent::MouseButtonDblClick, {100, 100}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(early.count(), 1);
        QVERIFY(!timer->isActive());
        QVERIFY(!QGuiApplication::overrideCursor());
        QTest::qWait(100);
        QCOMPARE(finished.count(), 0);
    }

    void aboutShowsVersionCreditAndContactAndStays() {
        SplashWindow form;
        QSignalSpy finished(&form, &SplashWindow::splashFinished);
        form.showAbout();
        QCOMPARE(form.mode(), SplashWindow::Mode::About);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!shown(form, "Label1") && !shown(form, "Label3"));
        QVERIFY(shown(form, "Label4") && shown(form, "Label5") && shown(form, "Label6"));
        // The program's own version, the one --version and the package give.
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
                 QStringLiteral("V ") + QStringLiteral(CFX_VERSION));
        QVERIFY(!form.findChild<QLabel*>(QStringLiteral("Label5"))->text().isEmpty());
        auto* contact = form.findChild<QLabel*>(QStringLiteral("Label6"));
        QCOMPARE(contact->cursor().shape(), Qt::BitmapCursor);
        QVERIFY(!contact->cursor().pixmap().isNull());

        // Even if the show timer runs out, the about window stays.
        auto* timer = form.findChild<QTimer*>(QStringLiteral("tmrShow"));
        timer->start(10);
        QTest::qWait(60);
        QVERIFY(form.isVisible());
        QCOMPARE(finished.count(), 0);

        LinkCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        QTest::mouseClick(contact, Qt::LeftButton);
        contact->setFocus();
        QTest::keyClick(contact, Qt::Key_Return);
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls.first(),
                 QUrl(QStringLiteral("mailto:") + SplashWindow::kContactAddress));
    }

    void dragMovesByTheMouseDisplacement() {
        SplashWindow form;
        form.showAbout();
        form.move(100, 100);
        QTRY_COMPARE(form.pos(), QPoint(100, 100));

        sendMouse(&form, QEvent::MouseButtonPress, {200, 90}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(&form, QEvent::MouseMove, {230, 80}, Qt::NoButton, Qt::LeftButton);
        QTRY_COMPARE(form.pos(), QPoint(130, 90));
        sendMouse(&form, QEvent::MouseButtonRelease, {230, 80}, Qt::LeftButton, Qt::NoButton);
        // Without the button held nothing moves.
        sendMouse(&form, QEvent::MouseMove, {260, 60}, Qt::NoButton, Qt::NoButton);
        QTest::qWait(20);
        QCOMPARE(form.pos(), QPoint(130, 90));
    }

    void rightClickOffersCloseAndDoubleClickCloses() {
        SplashWindow form;
        form.showAbout();
        sendMouse(&form, QEvent::MouseButtonPress, {200, 90}, Qt::RightButton, Qt::RightButton);
        sendMouse(&form, QEvent::MouseButtonRelease, {200, 90}, Qt::RightButton, Qt::NoButton);
        auto* menu = form.findChild<QMenu*>(QStringLiteral("mnuSplash"));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("Close"));
        menu->actions().first()->trigger();
        QVERIFY(!form.isVisible());

        form.showAbout();
        QVERIFY(form.isVisible());
        sendMouse(&form, QEvent::MouseButtonDblClick, {200, 90}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(Form1Test)
#include "SplashWindowTest.moc"
