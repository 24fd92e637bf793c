#include "gui/HelpWindow.h"

#include "gui/HotkeyDialog.h"
#include "gui/LargeDisplay.h"
#include "gui/MainPanel.h"
#include "gui/MeasureWindow.h"
#include "gui/RateWindow.h"
#include "gui/ReportWindow.h"
#include "gui/SessionFileDialog.h"
#include "gui/SetTimeDialog.h"
#include "gui/SpeedWindow.h"
#include "gui/SplashWindow.h"
#include "gui/TransparencyDialog.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace cfx {

namespace {

const QString kIndex = QStringLiteral("index");

QString folderFor(const QString& language) {
    const QString folder = QStringLiteral(":/help/") + language;
    return QFile::exists(folder + QStringLiteral("/index.html")) ? folder
                                                                 : QStringLiteral(":/help/en");
}

} // namespace

HelpWindow::HelpWindow(const QString& language, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Chronofex - Help"));
    setWindowIcon(QIcon(QStringLiteral(":/WATCHICO")));
    const QString folder = folderFor(language);
    m_language = folder.section(QLatin1Char('/'), -1);

    auto makeButton = [this](const char* name, const QString& caption, const QString& tip) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(name));
        button->setText(caption);
        button->setToolTip(tip);
        button->setAccessibleName(caption);
        return button;
    };
    m_back = makeButton("HelpBack", tr("Back"), tr("Back to the page before (Alt+Left)"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward = makeButton("HelpForward", tr("Forward"), tr("Forward again (Alt+Right)"));
    m_forward->setShortcut(QKeySequence::Forward);
    m_home = makeButton("HelpContents", tr("Contents"), tr("The handbook's contents"));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setAccessibleName(tr("Handbook page"));
    m_browser->setSearchPaths({folder});
    m_browser->setOpenExternalLinks(true);
    // A caret the arrows move, so that a screen reader reads the page line by line and all
    // through; links stay reachable by Tab.
    m_browser->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_home);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { showPage(kIndex); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("Chronofex - Help")
                                       : tr("Chronofex - Help - %1").arg(title));
    });

    resize(640, 560);
}

HelpWindow::~HelpWindow() = default;

QStringList HelpWindow::pageNames() {
    return {QStringLiteral("index"),   QStringLiteral("panel"),   QStringLiteral("display"),
            QStringLiteral("report"),  QStringLiteral("rate"),    QStringLiteral("speed"),
            QStringLiteral("hotkeys"), QStringLiteral("settime"), QStringLiteral("sessions"),
            QStringLiteral("files")};
}

QString HelpWindow::pageFor(const QWidget* window) {
    if (window == nullptr)
        return kIndex;
    if (qobject_cast<const QMenu*>(window))
        return QStringLiteral("panel#menu");
    if (qobject_cast<const MainPanel*>(window))
        return QStringLiteral("panel");
    if (qobject_cast<const LargeDisplay*>(window) ||
        qobject_cast<const TransparencyDialog*>(window))
        return QStringLiteral("display");
    if (qobject_cast<const ReportWindow*>(window))
        return QStringLiteral("report");
    if (qobject_cast<const RateWindow*>(window) || qobject_cast<const RateCommentDialog*>(window))
        return QStringLiteral("rate");
    if (qobject_cast<const SpeedWindow*>(window) || qobject_cast<const SpeedCommentDialog*>(window))
        return QStringLiteral("speed");
    if (qobject_cast<const HotkeyDialog*>(window))
        return QStringLiteral("hotkeys");
    if (qobject_cast<const SetTimeDialog*>(window))
        return QStringLiteral("settime");
    if (qobject_cast<const SessionFileDialog*>(window))
        return QStringLiteral("sessions");
    // A message box tells about the window it belongs to.
    if (qobject_cast<const QMessageBox*>(window) && window->parentWidget() != nullptr)
        return pageFor(window->parentWidget()->window());
    return kIndex;
}

void HelpWindow::showHelpFor(const QWidget* window) {
    if (window == this)
        return; // F1 in the handbook itself stays on its page
    showPage(pageFor(window));
}

void HelpWindow::showPage(const QString& page) {
    const QString file = page.section(QLatin1Char('#'), 0, 0) + QStringLiteral(".html");
    QUrl url(file);
    if (page.contains(QLatin1Char('#')))
        url.setFragment(page.section(QLatin1Char('#'), 1));
    m_browser->setSource(url);

    // A modal dialog blocks every other window; the handbook is then modal too, above it.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted =
        modal != nullptr && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    show();
    raise();
    activateWindow();
    // The page is what the user came for: the focus goes into it (a new page puts the caret at
    // its start).
    m_browser->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::watchHelpKey() {
    qApp->installEventFilter(this);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    if (QWidget* popup = QApplication::activePopupWidget()) {
        // An open menu has a page of its own; a list that drops down belongs to its window.
        // Either closes first, so the handbook is not left behind it.
        window = qobject_cast<QMenu*>(popup) != nullptr || popup->parentWidget() == nullptr
                     ? popup
                     : popup->parentWidget()->window();
        while (QWidget* open = QApplication::activePopupWidget())
            open->close();
    }
    showHelpFor(window);
    return true;
}

} // namespace cfx
