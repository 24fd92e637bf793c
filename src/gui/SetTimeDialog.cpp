#include "gui/SetTimeDialog.h"

#include "gui/TopMaxScrollBar.h"
#include "gui/WindowFit.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

namespace cfx {

namespace {

struct Field {
    const char* label;
    const char* box;
    const char* bar;
    const char* caption;
    const char* spoken;
};

constexpr Field kFields[4] = {
    {"Label1", "Text1", "VScroll1", QT_TRANSLATE_NOOP("cfx::SetTimeDialog", "Hrs"),
     QT_TRANSLATE_NOOP("cfx::SetTimeDialog", "Hours")},
    {"Label2", "Text2", "VScroll2", QT_TRANSLATE_NOOP("cfx::SetTimeDialog", "Mins"),
     QT_TRANSLATE_NOOP("cfx::SetTimeDialog", "Minutes")},
    {"Label3", "Text3", "VScroll3", QT_TRANSLATE_NOOP("cfx::SetTimeDialog", "Secs"),
     QT_TRANSLATE_NOOP("cfx::SetTimeDialog", "Seconds")},
    {"Label4", "Text4", "VScroll4", QT_TRANSLATE_NOOP("cfx::SetTimeDialog", "Subsec"),
     QT_TRANSLATE_NOOP("cfx::SetTimeDialog", "Sub-second count")},
};

} // namespace

SetTimeDialog::SetTimeDialog(Stopwatch& clock, QWidget* parent) : QDialog(parent), m_clock(clock) {
    setObjectName(QStringLiteral("SetTimeForm"));
    setWindowTitle(tr("Chronofex - Set Time"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    const auto* digitsValidator =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,2}")), this);
    for (int i = 0; i < 4; ++i) {
        const Field& f = kFields[i];
        auto* label = new QLabel(tr(f.caption), this);
        label->setObjectName(QString::fromLatin1(f.label));
        label->setAlignment(Qt::AlignHCenter);

        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(f.box));
        box->setAccessibleName(tr(f.spoken));
        box->setMaxLength(2);
        box->setValidator(digitsValidator);
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
        label->setBuddy(box);

        auto* bar = new TopMaxScrollBar(this);
        bar->setObjectName(QString::fromLatin1(f.bar));
        bar->setAccessibleName(tr("%1 (up increases)").arg(tr(f.spoken)));
        bar->setMinimumHeight(110);

        grid->addWidget(label, 0, i, Qt::AlignHCenter);
        grid->addWidget(box, 1, i, Qt::AlignHCenter);
        grid->addWidget(bar, 2, i, Qt::AlignHCenter);
        m_boxes[i] = box;
        m_bars[i] = bar;
    }
    m_bars[0]->setTop(cfx::SetTimeModel::kMaxHours);
    m_bars[1]->setTop(cfx::SetTimeModel::kMaxMinutes);
    m_bars[2]->setTop(cfx::SetTimeModel::kMaxSeconds);
    m_bars[3]->setTop(cfx::SetTimeModel::subSecMax(m_clock.eventsPerSec()));

    m_apply = new QPushButton(tr("Apply"), this);
    m_apply->setObjectName(QStringLiteral("Command1"));
    m_apply->setAccessibleName(tr("Apply"));
    m_apply->setToolTip(tr("Preset the stopwatch to this time"));
    m_apply->setDefault(true);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addSpacing(6);
    outer->addWidget(m_apply);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    // Wide enough for the whole title in the title bar.
    outer->addStrut(titleBarWidth(this) - outer->contentsMargins().left() -
                    outer->contentsMargins().right());

    for (int i = 0; i < 4; ++i) {
        m_boxes[i]->setText(cfx::SetTimeModel::boxText(m_bars[i]->number()));
    }
    wire();
}

SetTimeDialog::~SetTimeDialog() {
    // A box that has the focus reports editingFinished while the base class deletes it, when
    // this object is already half destroyed; cut those connections first.
    for (QLineEdit* box : m_boxes)
        box->disconnect(this);
}

void SetTimeDialog::wire() {
    for (int i = 0; i < 4; ++i) {
        connect(m_bars[i], &TopMaxScrollBar::numberChanged, this, [this, i](int number) {
            if (!m_typing) {
                m_boxes[i]->setText(cfx::SetTimeModel::boxText(number));
            }
        });
        connect(m_boxes[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { boxEdited(i, text); });
        connect(m_boxes[i], &QLineEdit::editingFinished, this, [this, i] { commitBox(i); });
    }
    connect(m_apply, &QPushButton::clicked, this, &SetTimeDialog::apply);
}

void SetTimeDialog::prepare() {
    const cfx::SetTimeValues preset = m_model.preset(m_clock);
    m_bars[3]->setTop(cfx::SetTimeModel::subSecMax(m_clock.eventsPerSec()));
    m_bars[0]->setNumber(preset.hours);
    m_bars[1]->setNumber(preset.minutes);
    m_bars[2]->setNumber(preset.seconds);
    m_bars[3]->setNumber(preset.subSec);
    for (int i = 0; i < 4; ++i) {
        m_boxes[i]->setText(cfx::SetTimeModel::boxText(m_bars[i]->number()));
    }

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void SetTimeDialog::boxEdited(int index, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    TopMaxScrollBar* bar = m_bars[index];
    const int typed = text.toInt();
    if (typed > bar->top()) {
        // Held to the bar's range: a too-large value becomes the largest one.
        m_boxes[index]->setText(cfx::SetTimeModel::boxText(bar->top()));
    }
    m_typing = true;
    bar->setNumber(typed);
    m_typing = false;
}

void SetTimeDialog::commitBox(int index) {
    m_boxes[index]->setText(cfx::SetTimeModel::boxText(m_bars[index]->number()));
}

cfx::SetTimeValues SetTimeDialog::values() const {
    return {m_bars[0]->number(), m_bars[1]->number(), m_bars[2]->number(), m_bars[3]->number()};
}

void SetTimeDialog::setClockRunning(bool running) {
    m_apply->setEnabled(!running);
    m_apply->setToolTip(running ? tr("Stop the stopwatch to set a custom time")
                                : tr("Preset the stopwatch to this time"));
}

void SetTimeDialog::apply() {
    if (!m_apply->isEnabled()) {
        return;
    }
    for (int i = 0; i < 4; ++i) {
        commitBox(i);
    }
    m_model.apply(m_clock, m_clock.display(), values());
}

} // namespace cfx
