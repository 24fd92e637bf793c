#include "gui/ReportWindow.h"

#include "core/GapStatistics.h"
#include "core/Session.h"
#include "gui/Announcer.h"
#include "gui/GapChart.h"
#include "models/ReadingsTableModel.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace cfx {

namespace {

const QString kBlank = QStringLiteral(" ");

// A selected cell with a colour of its own (yellow for a stopped reading, red for an excluded
// one) keeps that colour and gets a frame, so the selection never hides what the colour says.
class ReadingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool coloured = index.data(Qt::BackgroundRole).canConvert<QBrush>() &&
                              index.data(Qt::BackgroundRole).value<QBrush>().style() != Qt::NoBrush;
        if (!coloured || !(option.state & QStyle::State_Selected)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, plain, index);
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
        painter->drawLine(option.rect.topLeft() + QPoint(0, 1),
                          option.rect.topRight() + QPoint(0, 1));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

// The table view copies only its current cell on Ctrl+C; the readings' copy takes the key first.
class CopyKeyFilter : public QObject {
public:
    CopyKeyFilter(QAction* copy, QObject* parent) : QObject(parent), m_copy(copy) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            m_copy->trigger();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAction* m_copy;
};

} // namespace

ReportWindow::ReportWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session) {
    setObjectName(QStringLiteral("StopWatchReport1"));
    setWindowTitle(tr("Chronofex - Report"));
    setWindowIcon(QIcon(QStringLiteral(":/REPORTICO")));
    buildControls();
    wire();

    // Form load.
    static constexpr int kWidths[] = {370, 1050, 578, 1050, 1867};
    // At least the design's widths, wider where the font needs it to show a whole number, time
    // and share.
    const QFontMetrics fm = m_readingsTable->fontMetrics();
    const int pad = 2 * fm.horizontalAdvance(QLatin1Char('0'));
    const int needed[] = {fm.horizontalAdvance(QStringLiteral("99999")) + pad,
                          fm.horizontalAdvance(QStringLiteral("S00:00:00.00")) + pad,
                          fm.horizontalAdvance(QStringLiteral("100.00")) + pad,
                          fm.horizontalAdvance(QStringLiteral("-00:00:00.00")) + pad,
                          twipsToPixels(kWidths[4])};
    m_columnsPx = 0;
    for (int c = 0; c < ReadingsTableModel::ColumnCount; ++c) {
        const int w = std::max(twipsToPixels(kWidths[c]), needed[c]);
        m_readingsTable->setColumnWidth(c, w);
        m_columnsPx += w;
    }
    setEmpty();
    setLayoutTwips(kNarrowTwips, kGridNarrowTwips);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void ReportWindow::buildControls() {
    auto named = [](QWidget* w, const char* name, const QString& accessible) {
        w->setObjectName(QLatin1String(name));
        w->setAccessibleName(accessible);
    };
    m_recordBox = new QLineEdit(this);
    named(m_recordBox, "Text5", tr("Record number"));
    m_recordBox->setFixedWidth(twipsToPixels(375));
    m_recordBox->setAlignment(Qt::AlignCenter);

    m_commentBox = new QLineEdit(this);
    named(m_commentBox, "Text6", tr("Comment"));
    m_commentBox->setMaxLength(kTextMaxLength);
    m_commentBox->setToolTip(tr("Enter comment to add in Report"));
    m_commentBox->setMinimumWidth(twipsToPixels(1935));

    m_addCommentButton = new QPushButton(tr("Add Comment"), this);
    named(m_addCommentButton, "flexcmnd", tr("Add Comment"));
    m_addCommentButton->setToolTip(tr("Adds comment in adjacent textbox to result in Report"));
    m_addCommentButton->setMinimumWidth(twipsToPixels(1215));

    m_recordScrollBar = new QScrollBar(Qt::Vertical, this);
    named(m_recordScrollBar, "VScroll1", tr("Select record"));
    m_recordScrollBar->setFixedSize(twipsToPixels(255), twipsToPixels(375));
    m_recordScrollBar->setFocusPolicy(Qt::StrongFocus);

    m_excludeButton = new QPushButton(tr("Exclude"), this);
    named(m_excludeButton, "Command1", tr("Exclude"));
    m_excludeButton->setMinimumWidth(twipsToPixels(855));

    m_excludeCaption = new QLabel(tr("this record in all Time calculations"), this);
    named(m_excludeCaption, "Label1", m_excludeCaption->text());
    m_excludeCaption->setBuddy(m_excludeButton);

    m_readingsTable = new QTableView(this);
    named(m_readingsTable, "TimerResults", tr("Readings"));
    m_table = new ReadingsTableModel(m_session, this);
    m_readingsTable->setModel(m_table);
    m_readingsTable->setItemDelegate(new ReadingDelegate(m_readingsTable));
    m_readingsTable->verticalHeader()->hide();
    m_readingsTable->verticalHeader()->setDefaultSectionSize(
        m_readingsTable->fontMetrics().height() + 4);
    m_readingsTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_readingsTable->horizontalHeader()->setHighlightSections(false);
    m_readingsTable->horizontalHeader()->setStretchLastSection(true);
    m_readingsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_readingsTable->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_readingsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_readingsTable->setWordWrap(false);
    // Tab leaves the table for the next control; the arrows move through the rows.
    m_readingsTable->setTabKeyNavigation(false);
    m_readingsTable->setMinimumHeight(twipsToPixels(1575));
    // Ctrl+C copies the selected readings, the context menu also all of them, as tab-separated
    // lines that paste into a spreadsheet.
    auto* copy = new QAction(tr("Copy"), m_readingsTable);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this] {
        QList<int> rows;
        for (const QModelIndex& index : m_readingsTable->selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        if (!rows.isEmpty())
            QGuiApplication::clipboard()->setText(readingsText(rows, false));
    });
    auto* copyAll = new QAction(tr("Copy All"), m_readingsTable);
    connect(copyAll, &QAction::triggered, this, [this] {
        QList<int> rows;
        for (int r = 0; r < m_table->rowCount(); ++r)
            rows << r;
        QGuiApplication::clipboard()->setText(readingsText(rows, true));
    });
    m_readingsTable->addAction(copy);
    m_readingsTable->installEventFilter(new CopyKeyFilter(copy, m_readingsTable));
    m_readingsTable->addAction(copyAll);
    m_readingsTable->setContextMenuPolicy(Qt::ActionsContextMenu);

    m_textFileButton = new QPushButton(tr("Write to Text File && Clear"), this);
    named(m_textFileButton, "writefilecmnd", tr("Write to Text File & Clear"));
    m_textFileButton->setToolTip(
        tr("Creates files 'CFXReport' & 'CFXRawCSV' in program directory"));
    m_wordReportButton = new QPushButton(tr("Make Word Report"), this);
    named(m_wordReportButton, "writeWordcmnd", tr("Make Word Report"));
    m_wordReportButton->setToolTip(tr("Creates results report in MS Word"));

    m_statistics = new QLabel(this);
    // Screen readers read the figures themselves: the label's text is its accessible name.
    m_statistics->setObjectName(QStringLiteral("StatisticsLine"));
    m_statistics->setWordWrap(true);
    m_statistics->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_chartBox = new QCheckBox(tr("Show gap chart"), this);
    named(m_chartBox, "ChartCheck", tr("Show gap chart"));
    m_saveChartButton = new QPushButton(tr("Save Chart..."), this);
    named(m_saveChartButton, "SaveChart", tr("Save Chart"));
    m_saveChartButton->setEnabled(false);
    m_chart = new GapChart(this);
    m_chart->hide();
    m_status = new QLabel(this);
    named(m_status, "StatusLine", tr("Status"));
    m_status->setWordWrap(true);
    m_status->hide();
    m_openFolderButton = new QPushButton(tr("Open Folder"), this);
    named(m_openFolderButton, "OpenFolder", tr("Open Folder"));
    m_openFolderButton->hide();
    m_statisticsTimer = new QTimer(this);
    m_statisticsTimer->setSingleShot(true);
    m_statisticsTimer->setInterval(0);

    auto* top = new QHBoxLayout;
    top->addWidget(m_recordBox);
    top->addWidget(m_commentBox, 1);
    top->addWidget(m_addCommentButton);
    top->addWidget(m_recordScrollBar);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_excludeButton);
    middle->addWidget(m_excludeCaption, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_textFileButton);
    bottom->addWidget(m_wordReportButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(twipsToPixels(120), twipsToPixels(75), twipsToPixels(120),
                               twipsToPixels(60));
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(m_readingsTable, 1);
    layout->addWidget(m_statistics);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(m_chartBox, 1);
    chartRow->addWidget(m_saveChartButton);
    layout->addLayout(chartRow);
    layout->addWidget(m_chart);
    // The status line sits above the report buttons, which keep their place at the bottom.
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_openFolderButton);
    layout->addLayout(statusRow);
    layout->addLayout(bottom);

    setTabOrder(m_commentBox, m_addCommentButton);
    setTabOrder(m_addCommentButton, m_excludeButton);
    setTabOrder(m_excludeButton, m_readingsTable);
    setTabOrder(m_readingsTable, m_chartBox);
    setTabOrder(m_chartBox, m_saveChartButton);
    setTabOrder(m_saveChartButton, m_textFileButton);
    setTabOrder(m_textFileButton, m_wordReportButton);
    setTabOrder(m_wordReportButton, m_openFolderButton);
}

void ReportWindow::wire() {
    connect(&m_session, &Session::appended, this, &ReportWindow::onAppended);
    connect(&m_session, &Session::refreshed, this, &ReportWindow::onRefreshed);
    connect(&m_session, &Session::cleared, this, &ReportWindow::onCleared);
    connect(&m_session, &Session::loaded, this, &ReportWindow::onLoaded);
    // The statistics and the chart follow every change, once per burst of changes.
    for (auto signal : {&Session::appended, &Session::truncated, &Session::readingChanged})
        connect(&m_session, signal, m_statisticsTimer, qOverload<>(&QTimer::start));
    for (auto signal : {&Session::refreshed, &Session::loaded, &Session::timeTextsChanged})
        connect(&m_session, signal, m_statisticsTimer, qOverload<>(&QTimer::start));
    connect(&m_session, &Session::cleared, m_statisticsTimer, qOverload<>(&QTimer::start));
    connect(m_statisticsTimer, &QTimer::timeout, this, &ReportWindow::updateStatistics);
    connect(m_chartBox, &QCheckBox::toggled, this, &ReportWindow::setChartShown);
    connect(m_saveChartButton, &QPushButton::clicked, this, &ReportWindow::saveChart);
    connect(m_openFolderButton, &QPushButton::clicked, this,
            [this] { Q_EMIT openFolderRequested(m_writtenFolder); });
    connect(m_recordScrollBar, &QScrollBar::valueChanged, this, &ReportWindow::selectRecord);
    connect(m_excludeButton, &QPushButton::clicked, this, &ReportWindow::onToggleExclusion);
    connect(m_addCommentButton, &QPushButton::clicked, this, &ReportWindow::onAddComment);
    // Enter in the comment box adds the comment, as the button would.
    connect(m_commentBox, &QLineEdit::returnPressed, this, [this] {
        if (m_addCommentButton->isEnabled())
            onAddComment();
    });
    connect(m_textFileButton, &QPushButton::clicked, this, &ReportWindow::writeFileRequested);
    connect(m_wordReportButton, &QPushButton::clicked, this, &ReportWindow::wordReportRequested);
    // A click on a row goes on to the comment box. Moving through the rows with the keyboard
    // shows each row's record and leaves the focus in the table, where a screen reader reads
    // the row.
    connect(m_readingsTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncing || !current.isValid())
                    return;
                if (QGuiApplication::mouseButtons() != Qt::NoButton)
                    onGridClicked(current.row() + 1);
                else
                    showRow(current.row() + 1);
            });
    connect(m_readingsTable, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            onGridClicked(index.row() + 1);
    });
}

void ReportWindow::setLayoutTwips(int windowTwips, int gridTwips) {
    m_windowTwips = windowTwips;
    m_gridTwips = gridTwips;
    // The wide layout leaves room for the grid's own scroll bar beside the columns.
    const int frame = 2 * m_readingsTable->frameWidth();
    const int scrollBar =
        gridTwips == kGridWideTwips ? m_readingsTable->verticalScrollBar()->sizeHint().width() : 0;
    const int grid = std::max(twipsToPixels(gridTwips), m_columnsPx + frame + scrollBar);
    m_readingsTable->setFixedWidth(grid);
    // The window's outer width includes its frame; the client area is about 35 twips narrower.
    const int extra = twipsToPixels(windowTwips - 35) - twipsToPixels(gridTwips);
    setFixedWidth(std::max(grid + extra, minimumSizeHint().width()));
    resize(width(), std::max(twipsToPixels(2805), sizeHint().height()));
}

void ReportWindow::setEmpty() {
    m_recordBox->setText(kBlank);
    m_commentBox->setText(kBlank);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_addCommentButton, m_recordScrollBar, m_textFileButton,
                                         m_wordReportButton, m_excludeButton})
        w->setEnabled(false);
    setExcludeOffer(false);
    const QSignalBlocker block(m_recordScrollBar);
    m_recordScrollBar->setRange(0, 0);
}

void ReportWindow::focusComment() {
    m_commentBox->setFocus();
    m_commentBox->selectAll();
}

int ReportWindow::recordInBox() const {
    bool ok = false;
    const int n = m_recordBox->text().trimmed().toInt(&ok);
    return ok && m_session.isValidRecord(n) ? n : 0;
}

void ReportWindow::setExcludeOffer(bool offersInclude) {
    m_offersInclude = offersInclude;
    m_excludeButton->setText(offersInclude ? tr("Include") : tr("Exclude"));
    m_excludeButton->setAccessibleName(m_excludeButton->text());
}

void ReportWindow::showRecordState(int n) {
    m_commentBox->setText(m_session.text(n, ReadingColumn::Comment));
    setExcludeOffer(m_session.isExcluded(n));
}

void ReportWindow::highlightRecord(int n, bool toTop) {
    if (!m_session.isValidRecord(n))
        return;
    const QModelIndex from = m_table->index(n - 1, 0);
    const QModelIndex to = m_table->index(n - 1, ReadingsTableModel::ColumnCount - 1);
    m_syncing = true;
    QItemSelectionModel* selection = m_readingsTable->selectionModel();
    selection->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
    if (toTop)
        m_readingsTable->scrollTo(from, QAbstractItemView::PositionAtTop);
}

void ReportWindow::selectRecord(int n) {
    if (!m_session.isValidRecord(n))
        return;
    m_recordBox->setText(QString::number(n));
    showRecordState(n);
    highlightRecord(n, true);
    if (isVisible())
        focusComment();
}

void ReportWindow::onAppended(int row) {
    m_recordBox->setText(QString::number(row));
    m_addCommentButton->setEnabled(true);
    m_recordScrollBar->setEnabled(true);
    m_recordScrollBar->setRange(1, m_session.recordCount());
    m_recordScrollBar->setValue(row);
    m_readingsTable->scrollTo(m_table->index(row - 1, 0), QAbstractItemView::PositionAtTop);
    if (isVisible())
        focusComment();
}

void ReportWindow::onRefreshed() {
    const int last = m_session.recordCount();
    if (last == 0)
        return;
    highlightRecord(last);
    if (!m_textFileButton->isEnabled()) {
        m_textFileButton->setEnabled(true);
        m_wordReportButton->setEnabled(true);
    }
    if (last >= 6)
        setLayoutTwips(kWideTwips, kGridWideTwips);
    else
        setLayoutTwips(kNarrowTwips, kGridNarrowTwips);
    // The newest record is selected; the toggle offers what can be done to it.
    setExcludeOffer(m_session.isExcluded(last));
    m_excludeButton->setEnabled(true);
}

void ReportWindow::onCleared(bool forReset) {
    setEmpty();
    if (forReset) {
        setLayoutTwips(kNarrowTwips, kGridNarrowTwips);
    } else {
        setLayoutTwips(kClearedTwips, kGridNarrowTwips);
        focusComment();
    }
}

void ReportWindow::onLoaded() {
    const int last = m_session.recordCount();
    if (last == 0)
        return;
    highlightRecord(last, true);
    m_addCommentButton->setEnabled(true);
    m_recordScrollBar->setEnabled(true);
    m_textFileButton->setEnabled(true);
    m_wordReportButton->setEnabled(true);
    m_excludeButton->setEnabled(true);
    {
        const QSignalBlocker block(m_recordScrollBar);
        m_recordScrollBar->setRange(1, last);
        m_recordScrollBar->setValue(last);
    }
    if (last >= 6)
        setLayoutTwips(kWideTwips, kGridWideTwips);
    m_recordBox->setText(QString::number(last));
    showRecordState(last);
}

void ReportWindow::showRow(int row) {
    if (!m_session.isValidRecord(row))
        return;
    m_recordBox->setText(m_session.text(row, ReadingColumn::Number));
    showRecordState(row);
    {
        // The spinner follows without its own selection, which would take the focus.
        const QSignalBlocker block(m_recordScrollBar);
        m_recordScrollBar->setValue(row);
    }
    highlightRecord(row);
}

void ReportWindow::onGridClicked(int row) {
    if (!m_session.isValidRecord(row))
        return;
    m_recordBox->setText(m_session.text(row, ReadingColumn::Number));
    showRecordState(row);
    m_recordScrollBar->setValue(row);
    highlightRecord(row);
    focusComment();
}

void ReportWindow::onToggleExclusion() {
    const int n = recordInBox();
    if (n == 0)
        return;
    const bool including = m_offersInclude;
    if (including)
        m_session.include(n);
    else
        m_session.exclude(n);
    highlightRecord(n);
    setExcludeOffer(!including);
    announce(this, including ? tr("Record %1 included").arg(n) : tr("Record %1 excluded").arg(n));
}

void ReportWindow::onAddComment() {
    const int n = recordInBox();
    if (n == 0)
        return;
    m_session.addComment(n, m_commentBox->text());
    highlightRecord(n);
    announce(this, tr("Comment added to record %1").arg(n));
}

void ReportWindow::setEventsPerSec(int eventsPerSec) {
    m_eventsPerSec = eventsPerSec;
    m_table->setEventsPerSec(eventsPerSec);
    m_statisticsTimer->start();
}

void ReportWindow::updateStatistics() {
    if (m_session.recordCount() == 0) {
        m_statistics->setText(tr("No readings"));
        m_statistics->setAccessibleDescription(m_statistics->text());
        m_saveChartButton->setEnabled(false);
        if (m_chartBox->isChecked())
            m_chart->setGaps({}, {}, 0.0);
        return;
    }
    const GapStatistics stats = computeGapStatistics(m_session, m_eventsPerSec);
    const GapStatisticTexts texts = gapStatisticTexts(stats, m_eventsPerSec, tr("Not Applicable"));
    m_statistics->setText(
        tr("Included: %1   Average: %2   Median: %3\n"
           "Longest: %4   Shortest: %5\nStandard deviation: %6")
            .arg(stats.included)
            .arg(texts.average, texts.median, texts.longest, texts.shortest, texts.deviation));
    m_statistics->setAccessibleDescription(m_statistics->text());
    m_saveChartButton->setEnabled(m_chartBox->isChecked());
    if (m_chartBox->isChecked()) {
        QVector<bool> excluded(m_session.recordCount());
        for (int n = 1; n <= m_session.recordCount(); ++n)
            excluded[n - 1] = m_session.isExcluded(n);
        m_chart->setGaps(stats.gapsCs, std::move(excluded), stats.meanCs);
    }
}

void ReportWindow::setChartShown(bool shown) {
    m_chart->setVisible(shown);
    updateStatistics();
    resize(width(), std::max(twipsToPixels(2805), sizeHint().height()));
}

void ReportWindow::saveChart() {
    const QString folder = m_chartFolder.isEmpty() ? QDir::homePath() : m_chartFolder;
    QString filter;
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Chart"), QDir(folder).filePath(tr("Chronofex Gaps.png")),
        tr("PNG image (*.png);;SVG image (*.svg)"), &filter);
    if (path.isEmpty())
        return;
    QString target = path;
    if (QFileInfo(target).suffix().isEmpty())
        target +=
            filter.contains(QLatin1String("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    QString error;
    if (!m_chart->saveChart(target, &error)) {
        QMessageBox::warning(this, tr("Chronofex - Report"),
                             tr("The chart could not be saved to \"%1\".\n%2")
                                 .arg(QDir::toNativeSeparators(target), error));
        return;
    }
    m_chartFolder = QFileInfo(target).absolutePath();
}

void ReportWindow::showReportWritten(const QString& folder, const QStringList& fileNames) {
    m_writtenFolder = folder;
    m_status->setText(
        tr("Written: %1 in %2").arg(fileNames.join(tr(" and ")), QDir::toNativeSeparators(folder)));
    m_status->setAccessibleDescription(m_status->text());
    m_status->show();
    m_openFolderButton->show();
    announce(this, m_status->text());
}

QString ReportWindow::readingsText(const QList<int>& rows, bool withTitles) const {
    // A tab or line break inside a comment would split its row in the spreadsheet.
    auto cell = [](QString text) {
        for (QChar& c : text) {
            if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                c = QLatin1Char(' ');
        }
        return text;
    };
    QString text;
    if (withTitles) {
        QStringList titles;
        for (int c = 0; c < ReadingsTableModel::ColumnCount; ++c)
            titles << cell(m_table->headerData(c, Qt::Horizontal).toString());
        text += titles.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    for (const int r : rows) {
        QStringList cells;
        for (int c = 0; c < ReadingsTableModel::ColumnCount; ++c)
            cells << cell(m_table->index(r, c).data().toString());
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

void ReportWindow::setUnsaved(bool unsaved) {
    // As desktop programs mark a document with changes not yet kept.
    const QString title = tr("Chronofex - Report");
    setWindowTitle(unsaved ? title + QLatin1Char('*') : title);
}

void ReportWindow::closeForGood() {
    m_closing = true;
    close();
}

void ReportWindow::closeEvent(QCloseEvent* event) {
    // The records live on while the window is hidden.
    hide();
    Q_EMIT hiddenByUser();
    if (m_closing)
        event->accept();
    else
        event->ignore();
}

} // namespace cfx
