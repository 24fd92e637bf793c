#include "gui/RateWindow.h"

#include "core/RateMeter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace cfx {

namespace {

constexpr int kClientWidthTwips = 2190;
constexpr int kValueLeft = 6; // left edge of the seconds-per-cycle value in the panel, pixels

} // namespace

RateWindow::RateWindow(MeasureClock clock, QWidget* parent)
    : MeasureWindow(parent), m_meter(std::make_unique<RateMeter>(std::move(clock))) {
    setObjectName(QStringLiteral("RateForm"));
    setWindowTitle(QStringLiteral("Rate"));
    setWindowIcon(QIcon(QStringLiteral(":/RATE")));
    buildControls();
    wire();
    render();
    adjustSize();
    measureui::placeFromCentre(this, -3300, 600);
}

RateWindow::~RateWindow() = default;

const GridModel& RateWindow::RateGrid() const {
    return m_meter->grid();
}

void RateWindow::buildControls() {
    m_panel = new DisplayPanel(this);
    m_label1 = measureui::makeLabel(m_panel, "Label1", measuretext::kZero);
    m_label2 = measureui::makeLabel(m_panel, "Label2", measuretext::kZero);
    for (QLabel* value : {m_label1, m_label2})
        value->setFont(measureui::valueFont());
    const int valueHeight = QFontMetrics(measureui::valueFont()).height();
    m_panel->setFixedHeight(valueHeight + 10);
    // Room for the widest values the window shows side by side, e.g. "999.99" and "9999.99".
    const QFontMetrics valueMetrics(measureui::valueFont());
    const int wanted =
        std::max(measureui::px(RateMeter::kLabel2BlankTwips) +
                     valueMetrics.horizontalAdvance(QStringLiteral("9999.99")),
                 kValueLeft + valueMetrics.horizontalAdvance(QStringLiteral("Timing...")));
    m_panel->setMinimumWidth(std::max(measureui::px(kClientWidthTwips) - 12, wanted + 8));

    auto* captions = new QWidget(this);
    m_label5 = measureui::makeLabel(captions, "Label5", QStringLiteral("sec/c"));
    m_label6 = measureui::makeLabel(captions, "Label6", QStringLiteral("c/min"));
    for (QLabel* unit : {m_label5, m_label6}) {
        unit->setFont(measureui::captionFont());
        unit->adjustSize();
    }
    m_label5->move(kValueLeft, 0);
    m_label6->move(measureui::px(RateMeter::kLabel2ValueTwips), 0);
    captions->setFixedHeight(m_label5->height());

    auto* label3 = measureui::makeLabel(this, "Label3", QStringLiteral("Avg. rate of"));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("Combo1"));
    m_combo->setEditable(true);
    m_combo->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    m_combo->setCurrentIndex(0);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setToolTip(QStringLiteral("Select number of cycles for rate measurement"));
    m_combo->setAccessibleName(QStringLiteral("Number of cycles"));
    m_combo->setMaximumWidth(m_combo->fontMetrics().horizontalAdvance(QStringLiteral("8888")) + 36);
    label3->setBuddy(m_combo);
    auto* label4 = measureui::makeLabel(this, "Label4", QStringLiteral("cycles"));
    auto* cycles = new QHBoxLayout;
    cycles->addWidget(label3);
    cycles->addWidget(m_combo);
    cycles->addWidget(label4);
    cycles->addStretch();

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    m_start =
        new MeasureButton(QStringLiteral("Command7"), measuretext::kStart, QStringLiteral("START"),
                          QStringLiteral("Start/Stop rate measurement"), frame);
    m_save = new MeasureButton(QStringLiteral("Save"), QStringLiteral("Store"),
                               QStringLiteral("STORE"), QStringLiteral("Remember result"), frame);
    m_reset = new MeasureButton(QStringLiteral("Reset"), QStringLiteral("Fresh"),
                                QStringLiteral("FRESH"), QStringLiteral("New session"), frame);
    auto* buttons = new QHBoxLayout(frame);
    buttons->setContentsMargins(4, 4, 4, 4);
    buttons->setSpacing(4);
    for (MeasureButton* b : {m_start, m_save, m_reset})
        buttons->addWidget(b);

    m_fileCmnd = new QPushButton(QStringLiteral("TextFile"), this);
    m_fileCmnd->setObjectName(QStringLiteral("FileCmnd"));
    m_fileCmnd->setToolTip(
        QStringLiteral("Creates files 'CFXRateResults' & 'CFXRateRawCSV' in program directory"));
    m_wordCmnd = new QPushButton(QStringLiteral("Word Report"), this);
    m_wordCmnd->setObjectName(QStringLiteral("WordCmnd"));
    m_wordCmnd->setToolTip(QStringLiteral("Creates results report in MS Word"));
    auto* reports = new QHBoxLayout;
    reports->setSpacing(4);
    for (QPushButton* b : {m_fileCmnd, m_wordCmnd}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        reports->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_panel);
    layout->addWidget(captions);
    layout->addLayout(cycles);
    layout->addWidget(frame);
    layout->addLayout(reports);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    measureui::addStayOnTopMenu(this);
}

void RateWindow::wire() {
    connect(m_start, &MeasureButton::mousePressed, this, [this] {
        m_meter->press(m_combo->currentText());
        render();
    });
    connect(m_save, &QToolButton::clicked, this, &RateWindow::storeResult);
    connect(m_reset, &QToolButton::clicked, this, [this] {
        m_meter->fresh();
        render();
    });
    connectReportButtons(m_fileCmnd, m_wordCmnd, m_meter->grid());
}

void RateWindow::render() {
    const RateMeter::View& v = m_meter->view();
    m_label1->setText(v.Label1);
    m_label1->adjustSize();
    m_label2->setText(v.Label2);
    m_label2->adjustSize();
    const int top = (m_panel->height() - m_label1->height()) / 2;
    m_label1->move(kValueLeft, top);
    // A long seconds value would run into the second value at its usual place; keep them apart.
    int left = measureui::px(v.Label2LeftTwips);
    if (!v.Label2.isEmpty())
        left = std::max(left, m_label1->x() + m_label1->width() + 6);
    m_label2->move(left, top);
    m_label2->setVisible(!v.Label2.isEmpty());
    m_panel->setAccessibleDescription(v.Label1 + QLatin1Char(' ') + v.Label2);

    m_start->setCaption(v.StartCaption);
    m_start->setIconName(v.StartIcon);
    m_save->setEnabled(v.SaveEnabled);
    m_reset->setEnabled(v.ResetEnabled);
    m_combo->setEnabled(v.ComboEnabled);
    m_fileCmnd->setEnabled(v.ReportsEnabled);
    m_wordCmnd->setEnabled(v.ReportsEnabled);
}

void RateWindow::storeResult() {
    AddRateComment dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        m_meter->commentAccepted(dialog.comment());
    m_meter->commentDialogClosed();
    render();
}

void RateWindow::AddRecord(const QString& comment) {
    m_meter->AddRecord(comment);
}

} // namespace cfx
