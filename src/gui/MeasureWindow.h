#pragma once

#include "gui/CommentDialog.h"
#include "gui/DisplayPanel.h"
#include "gui/MeasureButton.h"

#include <QWidget>

#include <memory>

class QAction;
class QHBoxLayout;
class QLabel;
class QLayout;
class QPushButton;
class QVBoxLayout;

namespace cfx {

class RecordTable;
class MeasureMeter;

// What the rate and speed windows share: a display panel with the main value, Start, Store and
// Fresh, the two report buttons, the comment dialog of Store, and a close box that only hides the
// window, so the records live as long as the program. A subclass creates its own controls and
// the shared ones in the order the focus moves through them, hands the meter what its boxes hold
// on a press of Start, and shows what its meter adds to the shared view.
class MeasureWindow : public QWidget {
    Q_OBJECT
public:
    ~MeasureWindow() override;

    // The stored results the reports read.
    const RecordTable& records() const;
    // Appends the last result with this comment as a record (what the comment dialog's OK does).
    void addRecord(const QString& comment);

    // "Always on top" of the window's right-click menu, checked while the window stays on top.
    QAction* stayOnTopAction() const { return m_stayOnTop; }

Q_SIGNALS:
    // The user closed the window; it is hidden and its menu item should be unchecked.
    void closeRequested();
    // "TextFile" and "Word Report" were pressed: the reports of records() are wanted, their
    // outcome shown over this window.
    void textFileRequested();
    void wordReportRequested();

protected:
    // A window of its own with a title, minimise and close box, but no maximise, with the display
    // panel and its main value. It shows the meter, which the subclass owns.
    MeasureWindow(MeasureMeter& meter, QWidget* parent);

    // The shared controls, created when the subclass asks for them.
    void createStartButton(const QString& objectName, const QString& toolTip, QWidget* parent);
    void createStoreAndFreshButtons(QWidget* parent);
    // The two report buttons side by side, in the row the window puts last.
    void createReportButtons(const QString& textFileName, const QString& textFileToolTip,
                             const QString& wordReportName);
    // A framed row for measure buttons.
    static QFrame* createButtonFrame(const QString& objectName, QWidget* parent);
    static QHBoxLayout* createButtonRow(QWidget* frame);
    // The rows under the display panel, top to bottom.
    void addRow(QWidget* row);
    void addRow(QLayout* row);
    // Puts the report buttons last, shows the meter's state, sizes the window and places it
    // (dx, dy) twips from the centre of the screen.
    void finishSetup(int dxTwips, int dyTwips);

    DisplayPanel* displayPanel() const { return m_displayPanel; }
    QLabel* valueLabel() const { return m_valueLabel; }
    MeasureButton* startButton() const { return m_startButton; }
    MeasureButton* storeButton() const { return m_storeButton; }
    MeasureButton* freshButton() const { return m_freshButton; }

    // A press on Start: the subclass hands its meter what the window's boxes hold.
    virtual void pressStart() = 0;
    // Shows what the subclass's meter adds to the shared view; the main value is already shown.
    virtual void showDetails() = 0;
    // The modal dialog that asks for the comment of a stored result.
    virtual std::unique_ptr<CommentDialog> createCommentDialog() = 0;

    // A label with its object name.
    static QLabel* createLabel(QWidget* parent, const char* objectName, const QString& text);
    static QFont valueFont();   // the large values in the display panel
    static QFont captionFont(); // the small bold unit captions

    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();
    void storeResult();
    void addStayOnTopMenu();
    void placeFromCentre(int dxTwips, int dyTwips);

    MeasureMeter& m_meter;
    QAction* m_stayOnTop = nullptr;
    DisplayPanel* m_displayPanel = nullptr;
    QLabel* m_valueLabel = nullptr;
    MeasureButton* m_startButton = nullptr;
    MeasureButton* m_storeButton = nullptr;
    MeasureButton* m_freshButton = nullptr;
    QPushButton* m_textFileButton = nullptr;
    QPushButton* m_wordReportButton = nullptr;
    QHBoxLayout* m_reportRow = nullptr;
    QVBoxLayout* m_rows = nullptr;
};

} // namespace cfx
