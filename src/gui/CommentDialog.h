#pragma once

#include <QDialog>

class QLineEdit;

namespace cfx {

// Modal comment dialog of the rate and speed windows: one line of at most 44 characters.
class CommentDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxComment = 44;
    CommentDialog(const QString& objectName, const QString& caption, const QString& prompt,
                  QWidget* parent);
    QString comment() const;

private:
    QLineEdit* m_text = nullptr;
};

// Asks for the comment of a stored rate result.
class RateCommentDialog : public CommentDialog {
    Q_OBJECT
public:
    explicit RateCommentDialog(QWidget* parent = nullptr);
};

// Asks for the comment of a stored speed result.
class SpeedCommentDialog : public CommentDialog {
    Q_OBJECT
public:
    explicit SpeedCommentDialog(QWidget* parent = nullptr);
};

} // namespace cfx
