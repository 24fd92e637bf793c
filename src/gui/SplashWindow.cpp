#include "gui/SplashWindow.h"

#include <QAction>
#include <QBitmap>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace cfx {

const QString SplashWindow::kContactAddress = QStringLiteral(CFX_CONTACT_EMAIL);

namespace {

// Shrinks a label's font until its text fits its width: the fonts found on the system may be
// wider than the ones the picture was laid out for.
void fitText(QLabel* label) {
    QFont font = label->font();
    while (font.pixelSize() > 8 &&
           QFontMetrics(font).horizontalAdvance(label->text()) > label->width()) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    label->setFont(font);
}

// The contact address: opens a new mail message on a click, or on Return or Space when focused.
class ContactLabel : public QLabel {
public:
    ContactLabel(const QString& text, std::function<void()> activate, QWidget* parent)
        : QLabel(text, parent), m_activate(std::move(activate)) {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            m_activate();
        }
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
            event->key() == Qt::Key_Space) {
            m_activate();
            return;
        }
        QLabel::keyPressEvent(event);
    }

private:
    std::function<void()> m_activate;
};

QCursor handCursor() {
    QSvgRenderer renderer(QStringLiteral(":/HAND"));
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    return QCursor(pixmap, 11, 2); // the fingertip
}

QFont titleFont(int pixelSize) {
    QFont font(QStringLiteral("Arial Black"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Black);
    font.setPixelSize(pixelSize);
    return font;
}

QLabel* makeLabel(const char* name, const QFont& font, const QRect& place, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setGeometry(place);
    label->setAttribute(Qt::WA_TransparentForMouseEvents); // the face under it stays draggable
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0xf2, 0xf5, 0xfa));
    label->setPalette(palette);
    return label;
}

// Where the texts sit on the picture's title band.
const QRect kFirstRow(180, 48, 228, 28);
const QRect kSecondRow(180, 78, 228, 20);
const QRect kThirdRow(180, 100, 228, 22);

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Chronofex"));    // no-tr: the program's name
    setAccessibleName(QStringLiteral("Chronofex")); // no-tr: the program's name

    m_titleLabel = makeLabel("Label1", titleFont(15), kFirstRow, this);
    m_subtitleLabel = makeLabel("Label2", titleFont(11), kSecondRow, this);
    m_creditLabel = makeLabel("Label3", titleFont(11), kThirdRow, this);
    m_versionLabel = makeLabel("Label4", titleFont(15), kFirstRow, this);
    m_versionLabel->setText(versionText());
    fitText(m_versionLabel);
    m_secondCreditLabel = makeLabel("Label5", titleFont(11), kSecondRow, this);

    QFont plain(QStringLiteral("Arial"));
    plain.setStyleHint(QFont::SansSerif);
    plain.setPixelSize(13);
    plain.setUnderline(true);
    auto* contact = new ContactLabel(
        kContactAddress, [this] { openContact(); }, this);
    contact->setObjectName(QStringLiteral("Label6"));
    contact->setAccessibleName(tr("Write to %1").arg(kContactAddress));
    contact->setToolTip(tr("Write an e-mail to %1").arg(kContactAddress));
    contact->setFont(plain);
    contact->setCursor(handCursor());
    QPalette palette = contact->palette();
    palette.setColor(QPalette::WindowText, QColor(0x9f, 0xd4, 0xff));
    contact->setPalette(palette);
    contact->setGeometry(kThirdRow.x(), kThirdRow.y(), contact->sizeHint().width(),
                         kThirdRow.height());
    m_contactLabel = contact;

    m_showTimer = new QTimer(this);
    m_showTimer->setObjectName(QStringLiteral("tmrShow"));
    m_showTimer->setSingleShot(true);
    m_showTimer->setInterval(kShowMs);

    m_menu = new QMenu(QStringLiteral("SplashMenu"), this); // no-tr: a pop-up shows no title
    m_menu->setObjectName(QStringLiteral("mnuSplash"));
    m_closeAction = m_menu->addAction(tr("Close"));
    m_closeAction->setObjectName(QStringLiteral("mnuClose"));

    load();
    wire();
}

SplashWindow::~SplashWindow() {
    showCursor();
}

void SplashWindow::wire() {
    connect(m_showTimer, &QTimer::timeout, this, &SplashWindow::showTimerFired);
    connect(m_closeAction, &QAction::triggered, this, &QWidget::close);
}

void SplashWindow::load() {
    m_picture = QImage(QStringLiteral(":/SPLASHPIC")).convertToFormat(QImage::Format_RGB32);
    setFixedSize(m_picture.size());

    // Every pixel of the top-left pixel's colour is cut out of the window: not drawn, and the
    // mouse goes through to whatever lies below.
    const QImage mask = m_picture.createMaskFromColor(m_picture.pixel(0, 0), Qt::MaskInColor);
    m_outline = QRegion(QBitmap::fromImage(mask));
    setMask(m_outline);

    m_titleLabel->setText(titleText());
    fitText(m_titleLabel);
}

QString SplashWindow::versionText() {
    return QStringLiteral("V ") + QStringLiteral(CFX_VERSION);
}

QString SplashWindow::titleText() {
    // no-tr: the product's title
    return QStringLiteral("Omnichron Stopwatch v") + QStringLiteral(CFX_VERSION);
}

void SplashWindow::showSplash() {
    m_mode = Mode::Splash;
    m_titleLabel->show();
    m_creditLabel->setText(tr("by the Chronofex authors"));
    fitText(m_creditLabel);
    m_creditLabel->show();
    m_versionLabel->hide();
    m_secondCreditLabel->hide();
    m_contactLabel->hide();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
    hideCursor();
    show();
    m_showTimer->start();
}

void SplashWindow::showAbout() {
    m_mode = Mode::About;
    m_titleLabel->hide();
    m_creditLabel->hide();
    m_versionLabel->show();
    m_secondCreditLabel->setText(tr("Made with Qt for the Linux desktop"));
    fitText(m_secondCreditLabel);
    m_secondCreditLabel->show();
    m_contactLabel->show();

    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->geometry().center() - rect().center());
        }
    }
    show();
    raise();
    activateWindow();
}

void SplashWindow::showTimerFired() {
    if (m_mode != Mode::Splash) {
        return;
    }
    m_showTimer->stop();
    showCursor();
    m_splashDone = true;
    Q_EMIT splashFinished();
    close();
}

void SplashWindow::hideCursor() {
    if (!m_cursorHidden) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        m_cursorHidden = true;
    }
}

void SplashWindow::showCursor() {
    if (m_cursorHidden) {
        QGuiApplication::restoreOverrideCursor();
        m_cursorHidden = false;
    }
}

void SplashWindow::openContact() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + kContactAddress));
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragStart = event->position().toPoint();
    }
}

void SplashWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(pos() + event->position().toPoint() - m_dragStart);
    }
}

void SplashWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
    } else if (event->button() == Qt::RightButton) {
        m_menu->popup(event->globalPosition().toPoint());
    }
}

void SplashWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        close();
    }
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_mode == Mode::About) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    m_showTimer->stop();
    m_dragging = false;
    showCursor();
    if (m_mode == Mode::Splash && !m_splashDone) {
        m_splashDone = true;
        Q_EMIT splashClosedEarly();
    }
    event->accept();
}

} // namespace cfx
