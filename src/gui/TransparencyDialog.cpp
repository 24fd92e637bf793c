#include "gui/TransparencyDialog.h"

#include "gui/WindowFit.h"
#include "gui/WindowShape.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace cfx {

TransparencyDialog::TransparencyDialog(QWidget* display, QWidget* parent)
    : QDialog(parent), m_display(display) {
    setObjectName(QStringLiteral("frmDisplayTransparent"));
    setWindowTitle(tr("Chronofex - Display Transparency"));
    buildControls();
    wire();
    apply(m_opacityBar->value());
}

void TransparencyDialog::buildControls() {
    m_opacityBar = new QScrollBar(Qt::Horizontal, this);
    m_opacityBar->setObjectName(QStringLiteral("HScroll1"));
    m_opacityBar->setAccessibleName(tr("Display transparency"));
    m_opacityBar->setRange(kMinimum, kMaximum);
    m_opacityBar->setSingleStep(5);
    m_opacityBar->setPageStep(25);
    m_opacityBar->setValue(kMaximum);
    // A drag applies when the thumb is released, not on every pixel of the way.
    m_opacityBar->setTracking(false);
    m_opacityBar->setFocusPolicy(Qt::StrongFocus);
    m_opacityBar->setMinimumWidth(260);

    auto* label2 = new QLabel(tr("Maximum"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    auto* label1 = new QLabel(tr("None"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_opacityBar, 0, 0, 1, 2);
    layout->addWidget(label2, 1, 0);
    layout->addWidget(label1, 1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Wide enough for the whole title in the title bar.
    m_opacityBar->setMinimumWidth(std::max(m_opacityBar->minimumWidth(),
                                           titleBarWidth(this) - layout->contentsMargins().left() -
                                               layout->contentsMargins().right()));
}

void TransparencyDialog::wire() {
    connect(m_opacityBar, &QScrollBar::valueChanged, this, &TransparencyDialog::apply);
}

int TransparencyDialog::value() const {
    return m_opacityBar->value();
}

void TransparencyDialog::setValue(int value) {
    m_opacityBar->setValue(value);
    // setValue emits nothing when the value stays; the display gets it all the same.
    apply(m_opacityBar->value());
}

void TransparencyDialog::apply(int value) {
    if (m_display)
        setWindowTranslucency(m_display, value);
    Q_EMIT applied(value);
}

void TransparencyDialog::showDialog() {
    if (!m_placed) {
        adjustSize();
        if (const QScreen* screen = this->screen()) {
            QRect r = frameGeometry();
            r.moveCenter(screen->availableGeometry().center());
            move(r.topLeft());
        }
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void TransparencyDialog::closeEvent(QCloseEvent* event) {
    hide();
    // The user's close box only hides the dialog; the program's own close at exit goes through.
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace cfx
