#include "gui/MeasureWindow.h"

#include "core/MeasureMeter.h"
#include "core/Twips.h"
#include "gui/Accessibility.h"
#include "gui/Announcer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace cfx {

MeasureWindow::MeasureWindow(MeasureMeter& meter, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_meter(meter) {
    m_displayPanel = new DisplayPanel(this);
    m_valueLabel = createLabel(m_displayPanel, "Label1", MeasureTexts::kZero);
    m_valueLabel->setFont(valueFont());
    m_displayPanel->setFixedHeight(QFontMetrics(valueFont()).height() + 10);

    m_rows = new QVBoxLayout(this);
    m_rows->setContentsMargins(6, 6, 6, 6);
    m_rows->setSpacing(4);
    m_rows->addWidget(m_displayPanel);
}

MeasureWindow::~MeasureWindow() = default;

const RecordTable& MeasureWindow::records() const {
    return m_meter.records();
}

void MeasureWindow::addRecord(const QString& comment) {
    m_meter.addRecord(comment);
}

void MeasureWindow::createStartButton(const QString& objectName, const QString& toolTip,
                                      QWidget* parent) {
    m_startButton =
        new MeasureButton(objectName, tr("Start"), QStringLiteral("START"), toolTip, parent);
}

void MeasureWindow::createStoreAndFreshButtons(QWidget* parent) {
    m_storeButton = new MeasureButton(QStringLiteral("Save"), tr("Store"), QStringLiteral("STORE"),
                                      tr("Remember result"), parent);
    m_freshButton = new MeasureButton(QStringLiteral("Reset"), tr("Fresh"), QStringLiteral("FRESH"),
                                      tr("New session"), parent);
}

void MeasureWindow::createReportButtons(const QString& textFileName, const QString& textFileToolTip,
                                        const QString& wordReportName) {
    m_textFileButton = new QPushButton(tr("TextFile"), this);
    m_textFileButton->setObjectName(textFileName);
    m_textFileButton->setToolTip(textFileToolTip);
    m_wordReportButton = new QPushButton(tr("Word Report"), this);
    m_wordReportButton->setObjectName(wordReportName);
    m_wordReportButton->setToolTip(tr("Creates results report in MS Word"));
    m_reportRow = new QHBoxLayout;
    m_reportRow->setSpacing(4);
    for (QPushButton* button : {m_textFileButton, m_wordReportButton}) {
        button->setAccessibleName(button->text());
        button->setAutoDefault(false);
        m_reportRow->addWidget(button);
    }
}

QFrame* MeasureWindow::createButtonFrame(const QString& objectName, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(objectName);
    frame->setFrameShape(QFrame::StyledPanel);
    setAccessibleRole(frame, QAccessible::Grouping);
    return frame;
}

QHBoxLayout* MeasureWindow::createButtonRow(QWidget* frame) {
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(4);
    return row;
}

void MeasureWindow::addRow(QWidget* row) {
    m_rows->addWidget(row);
}

void MeasureWindow::addRow(QLayout* row) {
    m_rows->addLayout(row);
}

void MeasureWindow::finishSetup(int dxTwips, int dyTwips) {
    m_rows->addLayout(m_reportRow);
    m_rows->setSizeConstraint(QLayout::SetFixedSize);
    addStayOnTopMenu();

    connect(m_startButton, &MeasureButton::pressedDown, this, [this] {
        pressStart();
        refresh();
    });
    connect(m_storeButton, &QToolButton::clicked, this, &MeasureWindow::storeResult);
    connect(m_freshButton, &QToolButton::clicked, this, [this] {
        m_meter.fresh();
        refresh();
    });
    // The text-file button keeps the focus after its report, ready for the next one.
    connect(m_textFileButton, &QPushButton::clicked, this, [this] {
        Q_EMIT textFileRequested();
        m_textFileButton->setFocus();
    });
    connect(m_wordReportButton, &QPushButton::clicked, this, &MeasureWindow::wordReportRequested);

    refresh();
    adjustSize();
    placeFromCentre(dxTwips, dyTwips);
}

namespace {

// The meters' words in the language of the interface; a number passes unchanged.
QString statusText(const MeasureMeter::View& view) {
    switch (view.status) {
    case MeasureStatus::Figure:
        return view.figure;
    case MeasureStatus::Timing:
        return MeasureWindow::tr("Timing...");
    case MeasureStatus::Stopped:
        return MeasureWindow::tr("Stopped");
    case MeasureStatus::Reset:
        return MeasureWindow::tr("Reset");
    }
    return view.figure;
}

} // namespace

void MeasureWindow::refresh() {
    const MeasureMeter::View& view = m_meter.view();
    m_valueLabel->setText(statusText(view));
    showDetails();
    switch (view.start) {
    case StartFace::Start:
        m_startButton->setCaption(tr("Start"));
        m_startButton->setIconName(QStringLiteral("START"));
        break;
    case StartFace::Stop:
        m_startButton->setCaption(tr("Stop"));
        m_startButton->setIconName(QStringLiteral("STOP"));
        break;
    case StartFace::Waiting:
        m_startButton->setCaption(QString());
        m_startButton->setIconName(QStringLiteral("WAITING"));
        break;
    }
    m_storeButton->setEnabled(view.storeEnabled);
    m_freshButton->setEnabled(view.freshEnabled);
    m_textFileButton->setEnabled(view.reportsEnabled);
    m_wordReportButton->setEnabled(view.reportsEnabled);
    // The result, said as it changes and kept on Start, where the focus is while measuring.
    const QString result = displayPanel()->accessibleDescription();
    if (result != m_startButton->accessibleDescription()) {
        m_startButton->setAccessibleDescription(result);
        if (isVisible())
            announce(this, result);
    }
}

void MeasureWindow::storeResult() {
    const std::unique_ptr<CommentDialog> dialog = createCommentDialog();
    if (dialog->exec() == QDialog::Accepted)
        m_meter.commentAccepted(dialog->comment());
    m_meter.commentDialogClosed();
    refresh();
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

QLabel* MeasureWindow::createLabel(QWidget* parent, const char* objectName, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

QFont MeasureWindow::valueFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(14.25);
    return font;
}

QFont MeasureWindow::captionFont() {
    QFont font = QApplication::font();
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

void MeasureWindow::placeFromCentre(int dxTwips, int dyTwips) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = frameGeometry().size();
    const QRect whole = screen->geometry();
    int x = (whole.width() - size.width()) / 2 + twipsToPixels(dxTwips) + whole.left();
    int y = (whole.height() - size.height()) / 2 + twipsToPixels(dyTwips) + whole.top();
    // On a small screen the offsets could push the window off it.
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() - size.width()));
    y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() - size.height()));
    move(x, y);
}

void MeasureWindow::addStayOnTopMenu() {
    m_stayOnTop = new QAction(tr("Always on top"), this);
    m_stayOnTop->setObjectName(QStringLiteral("actAlwaysOnTop"));
    m_stayOnTop->setCheckable(true);
    connect(m_stayOnTop, &QAction::toggled, this, [this](bool on) {
        const bool visible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
        // Changing a window flag hides the window; bring it back where it was.
        if (visible)
            show();
    });
    addAction(m_stayOnTop);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace cfx
