#include "gui/MeasureWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace cfx {

MeasureButton::MeasureButton(const QString& objectName, const QString& caption, const QString& icon,
                             const QString& toolTip, QWidget* parent)
    : QToolButton(parent) {
    setObjectName(objectName);
    setToolTip(toolTip);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(24, 24));
    setAutoRaise(false);
    setFocusPolicy(Qt::StrongFocus);
    setIconName(icon);
    setCaption(caption);
    // Wide enough for the longest caption the button ever shows, so it does not jump.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Store")) + 16);
}

void MeasureButton::setIconName(const QString& icon) {
    m_iconName = icon;
    setIcon(QIcon(QLatin1Char(':') + icon));
}

void MeasureButton::setCaption(const QString& caption) {
    setText(caption);
    // A blank caption leaves only the picture; screen readers still need a name.
    setAccessibleName(caption.isEmpty() ? toolTip() : caption);
}

void MeasureButton::mousePressEvent(QMouseEvent* event) {
    if (isEnabled())
        Q_EMIT mousePressed();
    QToolButton::mousePressEvent(event);
}

DistanceBox::DistanceBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kMaxLength);
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), this));
    setContextMenuPolicy(Qt::NoContextMenu);
}

void DistanceBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::Cut)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint();
    if (typed && text != QStringLiteral(".") &&
        !(text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9'))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

DisplayPanel::DisplayPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 192));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("Display"));
}

MeasureWindow::MeasureWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {}

QLabel* measureui::makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void MeasureWindow::connectReportButtons(QPushButton* textFile, QPushButton* wordReport,
                                         const GridModel& records) {
    connect(textFile, &QPushButton::clicked, this, [this, textFile, &records] {
        if (m_textFileHook)
            m_textFileHook(this, records);
        textFile->setFocus();
    });
    connect(wordReport, &QPushButton::clicked, this, [this, &records] {
        if (m_wordReportHook)
            m_wordReportHook(this, records);
    });
}

void MeasureWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window (it is never deleted), so the records survive until "Fresh"
    // or the end. The close box is refused outright: accepting it could end the program when
    // this is the last visible window. A close from the program (its shut-down) is accepted.
    if (event->spontaneous())
        event->ignore();
    hide();
    Q_EMIT closeRequested();
}

CommentDialog::CommentDialog(const QString& objectName, const QString& caption,
                             const QString& prompt, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* label = new QLabel(prompt, this);
    label->setObjectName(QStringLiteral("Label1"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setAccessibleName(QStringLiteral("Comment"));
    m_text->setMaxLength(kMaxComment);
    // Room for a full comment of wide letters.
    m_text->setMinimumWidth(m_text->fontMetrics().horizontalAdvance(QString(kMaxComment, 'n')));
    label->setBuddy(m_text);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

QString CommentDialog::comment() const {
    return m_text->text();
}

AddRateComment::AddRateComment(QWidget* parent)
    : CommentDialog(
          QStringLiteral("AddRateComment"), QStringLiteral("Chronofex - Add Rate Comment"),
          QStringLiteral("Comment will be added to current Rate record, and saved:"), parent) {}

AddComment::AddComment(QWidget* parent)
    : CommentDialog(QStringLiteral("AddComment"), QStringLiteral("Chronofex - Add Speed Comment"),
                    QStringLiteral("Comment will be added to current Speed record, and saved:"),
                    parent) {}

namespace measureui {

QFont valueFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(14.25);
    return font;
}

QFont captionFont() {
    QFont font = QApplication::font();
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

void placeFromCentre(QWidget* window, int dxTwips, int dyTwips) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    const QRect whole = screen->geometry();
    int x = (whole.width() - size.width()) / 2 + px(dxTwips) + whole.left();
    int y = (whole.height() - size.height()) / 2 + px(dyTwips) + whole.top();
    // On a small screen the offsets could push the window off it.
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() - size.width()));
    y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() - size.height()));
    window->move(x, y);
}

void addStayOnTopMenu(QWidget* window) {
    auto* onTop = new QAction(QStringLiteral("Always on top"), window);
    onTop->setObjectName(QStringLiteral("actAlwaysOnTop"));
    onTop->setCheckable(true);
    QObject::connect(onTop, &QAction::toggled, window, [window](bool on) {
        const bool visible = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        // Changing a window flag hides the window; bring it back where it was.
        if (visible)
            window->show();
    });
    window->addAction(onTop);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace measureui

} // namespace cfx
