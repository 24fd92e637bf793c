#include "gui/RateWindow.h"

#include "core/RateMeter.h"
#include "core/Twips.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

#include <algorithm>

namespace cfx {

namespace {

// Left edge of the cycles-per-minute value in the display panel, in twips: beside a figure, and
// further right when the seconds value shows a word instead.
constexpr int kCyclesPerMinLeftTwips = 950;
constexpr int kCyclesPerMinBesideWordLeftTwips = 1200;

constexpr int kClientWidthTwips = 2190;
constexpr int kValueLeft = 6; // left edge of the seconds-per-cycle value in the panel, pixels

} // namespace

RateWindow::RateWindow(MeasureClock clock, QWidget* parent)
    : RateWindow(std::make_unique<RateMeter>(std::move(clock)), parent) {}

RateWindow::RateWindow(std::unique_ptr<RateMeter> meter, QWidget* parent)
    : MeasureWindow(*meter, parent), m_meter(std::move(meter)) {
    setObjectName(QStringLiteral("RateForm"));
    setWindowTitle(tr("Rate"));
    setWindowIcon(QIcon(QStringLiteral(":/RATE")));
    createControls();
    finishSetup(-3300, 600);
}

RateWindow::~RateWindow() = default;

void RateWindow::createControls() {
    DisplayPanel* panel = displayPanel();
    m_cyclesPerMinLabel = createLabel(panel, "Label2", MeasureTexts::kZero);
    m_cyclesPerMinLabel->setFont(valueFont());
    // Room for the widest values the window shows side by side, e.g. "999.99" and "9999.99".
    const QFontMetrics valueMetrics(valueFont());
    const int wanted =
        std::max(twipsToPixels(kCyclesPerMinBesideWordLeftTwips) +
                     valueMetrics.horizontalAdvance(QStringLiteral("9999.99")),
                 kValueLeft + valueMetrics.horizontalAdvance(MeasureWindow::tr("Timing...")));
    panel->setMinimumWidth(std::max(twipsToPixels(kClientWidthTwips) - 12, wanted + 8));

    auto* captions = new QWidget(this);
    QLabel* secsPerCycleCaption = createLabel(captions, "Label5", tr("sec/c"));
    QLabel* cyclesPerMinCaption = createLabel(captions, "Label6", tr("c/min"));
    for (QLabel* unit : {secsPerCycleCaption, cyclesPerMinCaption}) {
        unit->setFont(captionFont());
        unit->adjustSize();
    }
    secsPerCycleCaption->move(kValueLeft, 0);
    cyclesPerMinCaption->move(twipsToPixels(kCyclesPerMinLeftTwips), 0);
    captions->setFixedHeight(secsPerCycleCaption->height());

    QLabel* cyclesBefore = createLabel(this, "Label3", tr("Avg. rate of"));
    m_cyclesBox = new QComboBox(this);
    m_cyclesBox->setObjectName(QStringLiteral("Combo1"));
    m_cyclesBox->setEditable(true);
    m_cyclesBox->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    m_cyclesBox->setCurrentIndex(0);
    m_cyclesBox->setInsertPolicy(QComboBox::NoInsert);
    m_cyclesBox->setToolTip(tr("Select number of cycles for rate measurement"));
    m_cyclesBox->setAccessibleName(tr("Number of cycles"));
    m_cyclesBox->setMaximumWidth(
        m_cyclesBox->fontMetrics().horizontalAdvance(QStringLiteral("8888")) + 36);
    cyclesBefore->setBuddy(m_cyclesBox);
    QLabel* cyclesAfter = createLabel(this, "Label4", tr("cycles"));
    auto* cycles = new QHBoxLayout;
    cycles->addWidget(cyclesBefore);
    cycles->addWidget(m_cyclesBox);
    cycles->addWidget(cyclesAfter);
    cycles->addStretch();

    QFrame* frame = createButtonFrame(QStringLiteral("Frame1"), this);
    createStartButton(QStringLiteral("Command7"), tr("Start/Stop rate measurement"), frame);
    createStoreAndFreshButtons(frame);
    QHBoxLayout* buttons = createButtonRow(frame);
    for (MeasureButton* button : {startButton(), storeButton(), freshButton()})
        buttons->addWidget(button);

    createReportButtons(QStringLiteral("FileCmnd"),
                        tr("Creates files 'CFXRateResults' & 'CFXRateRawCSV' in program directory"),
                        QStringLiteral("WordCmnd"));

    addRow(captions);
    addRow(cycles);
    addRow(frame);
}

void RateWindow::pressStart() {
    m_meter->press(m_cyclesBox->currentText());
}

void RateWindow::showDetails() {
    const RateMeter::RateView& rate = m_meter->rateView();
    QLabel* secsPerCycle = valueLabel();
    secsPerCycle->adjustSize();
    m_cyclesPerMinLabel->setText(rate.cyclesPerMin);
    m_cyclesPerMinLabel->adjustSize();
    const int top = (displayPanel()->height() - secsPerCycle->height()) / 2;
    secsPerCycle->move(kValueLeft, top);
    // A long seconds value would run into the second value at its usual place; keep them apart.
    int left = twipsToPixels(m_meter->view().status == MeasureStatus::Figure
                                 ? kCyclesPerMinLeftTwips
                                 : kCyclesPerMinBesideWordLeftTwips);
    if (!rate.cyclesPerMin.isEmpty())
        left = std::max(left, secsPerCycle->x() + secsPerCycle->width() + 6);
    m_cyclesPerMinLabel->move(left, top);
    m_cyclesPerMinLabel->setVisible(!rate.cyclesPerMin.isEmpty());
    // The values with their units, as the captions above them give them.
    displayPanel()->setAccessibleDescription(
        rate.cyclesPerMin.isEmpty()
            ? secsPerCycle->text()
            : tr("%1 sec/c, %2 c/min").arg(secsPerCycle->text(), rate.cyclesPerMin));
    m_cyclesBox->setEnabled(rate.cyclesBoxEnabled);
}

std::unique_ptr<CommentDialog> RateWindow::createCommentDialog() {
    return std::make_unique<RateCommentDialog>(this);
}

} // namespace cfx
