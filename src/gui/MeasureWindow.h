#pragma once

#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace cfx {

class GridModel;

namespace measureui {
// What a report button runs: it reads the records and shows its own outcome over the window.
using ReportHook = std::function<void(QWidget* window, const GridModel& records)>;
} // namespace measureui

// What the rate and speed windows share: their two report buttons run hooks over the window's
// records, and the close box only hides the window, so the records live as long as the program.
class MeasureWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own with a title, minimise and close box, but no maximise.
    explicit MeasureWindow(QWidget* parent);

    // What "TextFile" and "Word Report" run. Without a hook the buttons do nothing.
    void setTextFileHook(measureui::ReportHook hook) { m_textFileHook = std::move(hook); }
    void setWordReportHook(measureui::ReportHook hook) { m_wordReportHook = std::move(hook); }

Q_SIGNALS:
    // The user closed the window; it is hidden and its menu item should be unchecked.
    void closeRequested();

protected:
    // The text-file button keeps the focus after its report, ready for the next one.
    void connectReportButtons(QPushButton* textFile, QPushButton* wordReport,
                              const GridModel& records);
    void closeEvent(QCloseEvent* event) override;

private:
    measureui::ReportHook m_textFileHook;
    measureui::ReportHook m_wordReportHook;
};

// A picture button with its caption under the icon. With markOnPress it reports the moment any
// mouse button goes down on it: a measurement mark must be taken at the earliest event of a click,
// and a key press (Space) on it takes no mark at all.
class MeasureButton : public QToolButton {
    Q_OBJECT
public:
    explicit MeasureButton(const QString& objectName, const QString& caption, const QString& icon,
                           const QString& toolTip, QWidget* parent = nullptr);
    void setIconName(const QString& icon);
    QString iconName() const { return m_iconName; }
    void setCaption(const QString& caption);

Q_SIGNALS:
    void mousePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_iconName;
};

// The distance box: at most seven characters, only digits and "." can be typed (Backspace and the
// movement keys keep working). The clipboard keys are refused, and pasted or dropped text that
// holds anything else is rejected, so the box never shows text that is not a distance.
class DistanceBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 7;
    explicit DistanceBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The light yellow display panel; its labels are placed by hand because the value positions
// move with the state of the measurement.
class DisplayPanel : public QFrame {
    Q_OBJECT
public:
    explicit DisplayPanel(QWidget* parent = nullptr);
};

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

class AddRateComment : public CommentDialog {
    Q_OBJECT
public:
    explicit AddRateComment(QWidget* parent = nullptr);
};

class AddComment : public CommentDialog {
    Q_OBJECT
public:
    explicit AddComment(QWidget* parent = nullptr);
};

namespace measureui {

// A label with its object name.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text);
QFont valueFont();   // the large values in the display panel
QFont captionFont(); // the small bold unit captions
// Design twips to pixels at 96 dots per inch.
constexpr int px(int twips) {
    return twips / 15;
}
// Places a window at the centre of the screen moved by (dx, dy) twips, kept on the screen.
void placeFromCentre(QWidget* window, int dxTwips, int dyTwips);
// A right-click menu that keeps the window above the others or not.
void addStayOnTopMenu(QWidget* window);

} // namespace measureui

} // namespace cfx
