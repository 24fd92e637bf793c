#include "gui/SpeedWindow.h"

#include "core/SpeedMeter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace cfx {

namespace {

constexpr int kClientWidthTwips = 2190;

} // namespace

SpeedWindow::SpeedWindow(MeasureClock clock, QWidget* parent)
    : MeasureWindow(parent), m_meter(std::make_unique<SpeedMeter>(std::move(clock))) {
    setObjectName(QStringLiteral("RateNSpeed"));
    setWindowTitle(QStringLiteral("Speed"));
    setWindowIcon(QIcon(QStringLiteral(":/SPEED")));
    buildControls();
    wire();
    render();
    adjustSize();
    measureui::placeFromCentre(this, 800, -3200);
}

SpeedWindow::~SpeedWindow() = default;

const GridModel& SpeedWindow::SpeedGrid() const {
    return m_meter->grid();
}

void SpeedWindow::buildControls() {
    m_panel = new DisplayPanel(this);
    m_label1 = measureui::makeLabel(m_panel, "Label1", measuretext::kZero);
    m_label1->setFont(measureui::valueFont());
    m_label3 = measureui::makeLabel(m_panel, "Label3", QString());
    m_label3->setFont(measureui::captionFont());
    auto* shown = new QHBoxLayout(m_panel);
    shown->setContentsMargins(6, 4, 6, 4);
    shown->addWidget(m_label1, 1);
    shown->addWidget(m_label3, 0, Qt::AlignRight | Qt::AlignBottom);
    // Room for the longest speed the display shows ("9999999.9999") beside its unit.
    const QFontMetrics valueMetrics(measureui::valueFont());
    const int unitWidth =
        QFontMetrics(measureui::captionFont()).horizontalAdvance(QStringLiteral("kph"));
    m_label1->setMinimumWidth(valueMetrics.horizontalAdvance(QStringLiteral("Timing...")));
    m_label3->setMinimumWidth(unitWidth);
    m_panel->setMinimumWidth(
        std::max(measureui::px(kClientWidthTwips) - 12,
                 valueMetrics.horizontalAdvance(QStringLiteral("9999999.9999")) + unitWidth + 20));
    m_panel->setFixedHeight(valueMetrics.height() + 10);

    auto* label2 = measureui::makeLabel(this, "Label2", QStringLiteral("Length"));
    m_distance = new DistanceBox(this);
    m_distance->setObjectName(QStringLiteral("Text2"));
    m_distance->setToolTip(QStringLiteral("Enter distance"));
    m_distance->setAccessibleName(QStringLiteral("Length"));
    m_distance->setMaximumWidth(
        m_distance->fontMetrics().horizontalAdvance(QStringLiteral("8888888")) + 12);
    label2->setBuddy(m_distance);
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("Combo1"));
    m_unit->setEditable(true);
    m_unit->setInsertPolicy(QComboBox::NoInsert);
    m_unit->addItems(speedUnitItems());
    m_unit->setCurrentIndex(0);
    m_unit->setToolTip(QStringLiteral("Select unit"));
    m_unit->setAccessibleName(QStringLiteral("Unit"));
    auto* length = new QHBoxLayout;
    length->addWidget(label2);
    length->addWidget(m_distance);
    length->addWidget(m_unit);

    m_start = new MeasureButton(QStringLiteral("Command1"), measuretext::kStart,
                                QStringLiteral("START"), QStringLiteral("Start/Stop timing"), this);
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame3"));
    frame->setFrameShape(QFrame::StyledPanel);
    m_save = new MeasureButton(QStringLiteral("Save"), QStringLiteral("Store"),
                               QStringLiteral("STORE"), QStringLiteral("Remember result"), frame);
    m_reset = new MeasureButton(QStringLiteral("Reset"), QStringLiteral("Fresh"),
                                QStringLiteral("FRESH"), QStringLiteral("New session"), frame);
    auto* framed = new QHBoxLayout(frame);
    framed->setContentsMargins(4, 4, 4, 4);
    framed->setSpacing(4);
    framed->addWidget(m_save);
    framed->addWidget(m_reset);
    auto* measuring = new QHBoxLayout;
    measuring->setSpacing(4);
    measuring->addWidget(m_start);
    measuring->addWidget(frame, 1);

    m_command2 = new QPushButton(QStringLiteral("TextFile"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setToolTip(QStringLiteral(
        "Creates files 'CFXSpeedResults' and 'CFXSpeedRawCSV' in program directory"));
    m_command3 = new QPushButton(QStringLiteral("Word Report"), this);
    m_command3->setObjectName(QStringLiteral("Command3"));
    m_command3->setToolTip(QStringLiteral("Creates results report in MS Word"));
    auto* reports = new QHBoxLayout;
    reports->setSpacing(4);
    for (QPushButton* b : {m_command2, m_command3}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        reports->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_panel);
    layout->addLayout(length);
    layout->addLayout(measuring);
    layout->addLayout(reports);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    measureui::addStayOnTopMenu(this);
}

void SpeedWindow::wire() {
    connect(m_start, &MeasureButton::mousePressed, this, [this] {
        m_meter->press(m_distance->text(), m_unit->currentText());
        render();
    });
    connect(m_save, &QToolButton::clicked, this, &SpeedWindow::storeResult);
    connect(m_reset, &QToolButton::clicked, this, [this] {
        m_meter->fresh();
        render();
    });
    connectReportButtons(m_command2, m_command3, m_meter->grid());
}

void SpeedWindow::render() {
    const SpeedMeter::View& v = m_meter->view();
    m_label1->setText(v.Label1);
    m_label3->setText(v.Label3);
    m_panel->setAccessibleDescription(v.Label1 + QLatin1Char(' ') + v.Label3);
    m_start->setCaption(v.StartCaption);
    m_start->setIconName(v.StartIcon);
    m_save->setEnabled(v.SaveEnabled);
    m_reset->setEnabled(v.ResetEnabled);
    m_command2->setEnabled(v.ReportsEnabled);
    m_command3->setEnabled(v.ReportsEnabled);
}

void SpeedWindow::storeResult() {
    AddComment dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        m_meter->commentAccepted(dialog.comment());
    m_meter->commentDialogClosed();
    render();
}

void SpeedWindow::AddRecord(const QString& comment) {
    m_meter->AddRecord(comment);
}

} // namespace cfx
