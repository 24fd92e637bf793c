#pragma once

#include "core/Twips.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableView;
class QTimer;

namespace cfx {

class GapChart;
class ReadingsTableModel;
class Session;

// The report window: the readings of the session with their shares and comments, the record
// spinner, the include/exclude toggle, comment entry and the two report buttons. The readings
// live in the Session; this window shows them and passes the user's edits on. Closing it by
// its close box only hides it.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    // Window widths of the layouts, in twips: narrow, wide (room for the grid's scroll bar) and
    // the width after a write-and-clear.
    static constexpr int kNarrowTwips = 4250;
    static constexpr int kWideTwips = 4470;
    static constexpr int kClearedTwips = 4335;
    static constexpr int kGridNarrowTwips = 3975;
    static constexpr int kGridWideTwips = 4215;
    static constexpr int kTextMaxLength = 36;

    explicit ReportWindow(Session& session, QWidget* parent = nullptr);

    int windowTwips() const { return m_windowTwips; }
    bool wideLayout() const { return m_gridTwips == kGridWideTwips; }

    // The spinner's record becomes the selected one.
    void selectRecord(int n);
    // Selects record n's row in the table, and with toTop scrolls it to the top; the record box
    // and the controls stay as they are.
    void highlightRecord(int n, bool toTop = false);
    // Closing for good at the end of the program (the close box only hides).
    void closeForGood();
    // Readings neither written nor saved: a star after the title.
    void setUnsaved(bool unsaved);

    // The resolution the gaps and statistics are formatted at.
    void setEventsPerSec(int eventsPerSec);
    // The report files were written into the folder: the status line names them and offers to
    // open the folder.
    void showReportWritten(const QString& folder, const QStringList& fileNames);

Q_SIGNALS:
    // The close box hid the window: the panel's report switch goes off.
    void hiddenByUser();
    void writeFileRequested();
    void wordReportRequested();
    // "Open Folder" after the report files were written.
    void openFolderRequested(const QString& folder);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void wire();
    // The rows' five cells, tab-separated, a line each (the column titles first when asked).
    QString readingsText(const QList<int>& rows, bool withTitles) const;
    void setLayoutTwips(int windowTwips, int gridTwips);
    void setEmpty();
    void focusComment();
    int recordInBox() const;
    void showRecordState(int n);
    void setExcludeOffer(bool offersInclude);

    void onAppended(int row);
    void onRefreshed();
    void onCleared(bool forReset);
    void onLoaded();
    void showRow(int row);
    void onGridClicked(int row);
    void onToggleExclusion();
    void onAddComment();
    void updateStatistics();
    void setChartShown(bool shown);
    void saveChart();

    Session& m_session;
    ReadingsTableModel* m_table = nullptr;
    QLineEdit* m_recordBox = nullptr;
    QLineEdit* m_commentBox = nullptr;
    QPushButton* m_addCommentButton = nullptr;
    QScrollBar* m_recordScrollBar = nullptr;
    QPushButton* m_excludeButton = nullptr;
    QLabel* m_excludeCaption = nullptr;
    QTableView* m_readingsTable = nullptr;
    QPushButton* m_textFileButton = nullptr;
    QPushButton* m_wordReportButton = nullptr;
    QLabel* m_statistics = nullptr;
    QCheckBox* m_chartBox = nullptr;
    QPushButton* m_saveChartButton = nullptr;
    GapChart* m_chart = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_openFolderButton = nullptr;
    QTimer* m_statisticsTimer = nullptr; // one update per burst of changes
    QString m_writtenFolder;
    QString m_chartFolder;
    int m_eventsPerSec = 100;

    int m_windowTwips = kNarrowTwips;
    int m_gridTwips = kGridNarrowTwips;
    int m_columnsPx = 0;          // the four columns' widths together
    bool m_syncing = false;       // the view's selection follows the session, not the user
    bool m_offersInclude = false; // the toggle includes the record in the box (else excludes)
    bool m_closing = false;
};

} // namespace cfx
