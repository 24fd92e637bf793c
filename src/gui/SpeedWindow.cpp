#include "gui/SpeedWindow.h"

#include "core/SpeedMeter.h"
#include "core/Twips.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

#include <algorithm>

namespace cfx {

namespace {

constexpr int kClientWidthTwips = 2190;

} // namespace

SpeedWindow::SpeedWindow(MeasureClock clock, QWidget* parent)
    : SpeedWindow(std::make_unique<SpeedMeter>(std::move(clock)), parent) {}

SpeedWindow::SpeedWindow(std::unique_ptr<SpeedMeter> meter, QWidget* parent)
    : MeasureWindow(*meter, parent), m_meter(std::move(meter)) {
    setObjectName(QStringLiteral("RateNSpeed"));
    setWindowTitle(tr("Speed"));
    setWindowIcon(QIcon(QStringLiteral(":/SPEED")));
    createControls();
    finishSetup(800, -3200);
}

SpeedWindow::~SpeedWindow() = default;

void SpeedWindow::createControls() {
    DisplayPanel* panel = displayPanel();
    m_unitLabel = createLabel(panel, "Label3", QString());
    m_unitLabel->setFont(captionFont());
    auto* shown = new QHBoxLayout(panel);
    shown->setContentsMargins(6, 4, 6, 4);
    shown->addWidget(valueLabel(), 1);
    shown->addWidget(m_unitLabel, 0, Qt::AlignRight | Qt::AlignBottom);
    // Room for the longest speed the display shows ("9999999.9999") beside its unit.
    const QFontMetrics valueMetrics(valueFont());
    const int unitWidth = QFontMetrics(captionFont()).horizontalAdvance(QStringLiteral("kph"));
    valueLabel()->setMinimumWidth(valueMetrics.horizontalAdvance(MeasureWindow::tr("Timing...")));
    m_unitLabel->setMinimumWidth(unitWidth);
    panel->setMinimumWidth(
        std::max(twipsToPixels(kClientWidthTwips) - 12,
                 valueMetrics.horizontalAdvance(QStringLiteral("9999999.9999")) + unitWidth + 20));

    QLabel* distanceCaption = createLabel(this, "Label2", tr("Length"));
    m_distanceBox = new DistanceBox(this);
    m_distanceBox->setObjectName(QStringLiteral("Text2"));
    m_distanceBox->setToolTip(tr("Enter distance"));
    m_distanceBox->setAccessibleName(tr("Length"));
    m_distanceBox->setMaximumWidth(
        m_distanceBox->fontMetrics().horizontalAdvance(QStringLiteral("8888888")) + 12);
    distanceCaption->setBuddy(m_distanceBox);
    m_unitBox = new QComboBox(this);
    m_unitBox->setObjectName(QStringLiteral("Combo1"));
    m_unitBox->setEditable(true);
    m_unitBox->setInsertPolicy(QComboBox::NoInsert);
    m_unitBox->addItems(speedUnitItems());
    m_unitBox->setCurrentIndex(0);
    m_unitBox->setToolTip(tr("Select unit"));
    m_unitBox->setAccessibleName(tr("Unit"));
    auto* distance = new QHBoxLayout;
    distance->addWidget(distanceCaption);
    distance->addWidget(m_distanceBox);
    distance->addWidget(m_unitBox);

    createStartButton(QStringLiteral("Command1"), tr("Start/Stop timing"), this);
    QFrame* frame = createButtonFrame(QStringLiteral("Frame3"), this);
    createStoreAndFreshButtons(frame);
    QHBoxLayout* framed = createButtonRow(frame);
    framed->addWidget(storeButton());
    framed->addWidget(freshButton());
    auto* measuring = new QHBoxLayout;
    measuring->setSpacing(4);
    measuring->addWidget(startButton());
    measuring->addWidget(frame, 1);

    createReportButtons(
        QStringLiteral("Command2"),
        tr("Creates files 'CFXSpeedResults' and 'CFXSpeedRawCSV' in program directory"),
        QStringLiteral("Command3"));

    addRow(distance);
    addRow(measuring);
}

void SpeedWindow::pressStart() {
    m_meter->press(m_distanceBox->text(), m_unitBox->currentText());
}

void SpeedWindow::showDetails() {
    m_unitLabel->setText(m_meter->unitCaption());
    displayPanel()->setAccessibleDescription(valueLabel()->text() + QLatin1Char(' ') +
                                             m_meter->unitCaption());
}

std::unique_ptr<CommentDialog> SpeedWindow::createCommentDialog() {
    return std::make_unique<SpeedCommentDialog>(this);
}

} // namespace cfx
