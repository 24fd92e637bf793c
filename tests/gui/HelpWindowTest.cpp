#include "gui/HelpWindow.h"
#include "gui/ReportWindow.h"
#include "gui/Translation.h"

#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

using namespace cfx;

class HelpWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every page exists in every language, has a title, and every link between pages leads to a
    // page and an anchor that exist: a page added in English only, or a renamed anchor, fails.
    void everyPageAndLinkExistsInBothLanguages() {
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("de")}) {
            for (const QString& page : HelpWindow::pageNames()) {
                QFile file(QStringLiteral(":/help/%1/%2.html").arg(language, page));
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
                const QString html = QString::fromUtf8(file.readAll());
                QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(file.fileName()));
                QVERIFY2(html.contains(QStringLiteral("lang=\"%1\"").arg(language)),
                         qPrintable(file.fileName()));
                static const QRegularExpression link(
                    QStringLiteral("href=\"([a-z]+)\\.html(?:#([a-z]+))?\""));
                for (const auto& m : link.globalMatch(html)) {
                    QVERIFY2(HelpWindow::pageNames().contains(m.captured(1)),
                             qPrintable(file.fileName() + QStringLiteral(": ") + m.captured(0)));
                    if (m.hasCaptured(2)) {
                        QFile target(
                            QStringLiteral(":/help/%1/%2.html").arg(language, m.captured(1)));
                        QVERIFY(target.open(QIODevice::ReadOnly));
                        QVERIFY2(
                            target.readAll().contains(
                                QStringLiteral("id=\"%1\"").arg(m.captured(2)).toUtf8()),
                            qPrintable(file.fileName() + QStringLiteral(": ") + m.captured(0)));
                    }
                }
            }
        }
    }

    void opensThePageOfTheWindowAndFallsBackToEnglish() {
        HelpWindow help(QStringLiteral("de"));
        QCOMPARE(help.language(), QStringLiteral("de"));
        help.showPage(QStringLiteral("report"));
        QCOMPARE(help.browser()->source().fileName(), QStringLiteral("report.html"));
        QCOMPARE(help.browser()->documentTitle(), QStringLiteral("Der Bericht"));
        QVERIFY(help.isVisible());

        HelpWindow unknown(QStringLiteral("xx"));
        QCOMPARE(unknown.language(), QStringLiteral("en"));
        unknown.showPage(QStringLiteral("index"));
        QCOMPARE(unknown.browser()->documentTitle(), QStringLiteral("Chronofex handbook"));

        ReportWindow* none = nullptr;
        QCOMPARE(HelpWindow::pageFor(none), QStringLiteral("index"));
        QMenu menu;
        QCOMPARE(HelpWindow::pageFor(&menu), QStringLiteral("panel#menu"));
    }

    // F1 pressed in a window opens the handbook at that window's page.
    void f1InAWindowOpensItsPage() {
        HelpWindow help(QStringLiteral("en"));
        help.watchHelpKey();
        QMessageBox box(QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("x"));
        box.show();
        QTest::keyClick(&box, Qt::Key_F1);
        QVERIFY(help.isVisible());
        QCOMPARE(help.browser()->source().fileName(), QStringLiteral("index.html"));
    }

    void interfaceLanguageTakesTheFirstKnownLanguage() {
        QCOMPARE(interfaceLanguage({QStringLiteral("de-DE"), QStringLiteral("en-US")}),
                 QStringLiteral("de"));
        QCOMPARE(interfaceLanguage({QStringLiteral("fr-FR"), QStringLiteral("de_AT")}),
                 QStringLiteral("de"));
        // English first wins over a later German; nothing known gives English.
        QCOMPARE(interfaceLanguage({QStringLiteral("en-GB"), QStringLiteral("de-DE")}),
                 QStringLiteral("en"));
        QCOMPARE(interfaceLanguage({QStringLiteral("fr-FR")}), QStringLiteral("en"));
        QCOMPARE(interfaceLanguage({}), QStringLiteral("en"));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
