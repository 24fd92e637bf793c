#include "gui/CommentDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace cfx {

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
    m_text->setAccessibleName(tr("Comment"));
    m_text->setMaxLength(kMaxComment);
    // Room for a full comment of wide letters.
    m_text->setMinimumWidth(m_text->fontMetrics().horizontalAdvance(QString(kMaxComment, 'n')));
    label->setBuddy(m_text);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setAccessibleName(tr("OK"));
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

RateCommentDialog::RateCommentDialog(QWidget* parent)
    : CommentDialog(QStringLiteral("AddRateComment"), tr("Chronofex - Add Rate Comment"),
                    tr("Comment will be added to current Rate record, and saved:"), parent) {}

SpeedCommentDialog::SpeedCommentDialog(QWidget* parent)
    : CommentDialog(QStringLiteral("AddComment"), tr("Chronofex - Add Speed Comment"),
                    tr("Comment will be added to current Speed record, and saved:"), parent) {}

} // namespace cfx
