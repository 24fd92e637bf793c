#include "gui/ReportWindow.h"

#include "core/ReadingsModel.h"
#include "models/GridBrushProxy.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace cfx {

namespace {

constexpr int kColTime = 1;
constexpr int kColComment = 3;
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

} // namespace

ReportWindow::ReportWindow(ReadingsModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), m_model(model) {
    setObjectName(QStringLiteral("StopWatchReport1"));
    setWindowTitle(tr("Chronofex - Report"));
    setWindowIcon(QIcon(QStringLiteral(":/REPORTICO")));
    buildControls();
    wire();

    // Form load.
    static constexpr int kWidths[] = {370, 1050, 578, 1867};
    // At least the design's widths, wider where the font needs it to show a whole number, time
    // and share.
    const QFontMetrics fm = m_timerResults->fontMetrics();
    const int pad = 2 * fm.horizontalAdvance(QLatin1Char('0'));
    const int needed[] = {fm.horizontalAdvance(QStringLiteral("99999")) + pad,
                          fm.horizontalAdvance(QStringLiteral("S00:00:00.00")) + pad,
                          fm.horizontalAdvance(QStringLiteral("100.00")) + pad,
                          twipsToPixels(kWidths[3])};
    m_columnsPx = 0;
    for (int c = 0; c < 4; ++c) {
        m_model.results().setColWidth(c, kWidths[c]);
        const int w = std::max(twipsToPixels(kWidths[c]), needed[c]);
        m_timerResults->setColumnWidth(c, w);
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

    m_timerResults = new QTableView(this);
    named(m_timerResults, "TimerResults", tr("Readings"));
    m_proxy = new GridBrushProxy(this);
    m_proxy->setSourceModel(&m_model.results());
    m_timerResults->setModel(m_proxy);
    m_timerResults->setItemDelegate(new ReadingDelegate(m_timerResults));
    m_timerResults->verticalHeader()->hide();
    m_timerResults->verticalHeader()->setDefaultSectionSize(m_timerResults->fontMetrics().height() +
                                                            4);
    m_timerResults->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_timerResults->horizontalHeader()->setHighlightSections(false);
    m_timerResults->horizontalHeader()->setStretchLastSection(true);
    m_timerResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_timerResults->setSelectionMode(QAbstractItemView::SingleSelection);
    m_timerResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_timerResults->setWordWrap(false);
    m_timerResults->setMinimumHeight(twipsToPixels(1575));

    m_textFileButton = new QPushButton(tr("Write to Text File && Clear"), this);
    named(m_textFileButton, "writefilecmnd", tr("Write to Text File & Clear"));
    m_textFileButton->setToolTip(
        tr("Creates files 'CFXReport' & 'CFXRawCSV' in program directory"));
    m_wordReportButton = new QPushButton(tr("Make Word Report"), this);
    named(m_wordReportButton, "writeWordcmnd", tr("Make Word Report"));
    m_wordReportButton->setToolTip(tr("Creates results report in MS Word"));

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
    layout->addWidget(m_timerResults, 1);
    layout->addLayout(bottom);

    setTabOrder(m_commentBox, m_addCommentButton);
    setTabOrder(m_addCommentButton, m_excludeButton);
    setTabOrder(m_excludeButton, m_timerResults);
    setTabOrder(m_timerResults, m_textFileButton);
    setTabOrder(m_textFileButton, m_wordReportButton);
}

void ReportWindow::wire() {
    connect(&m_model, &ReadingsModel::appended, this, &ReportWindow::onAppended);
    connect(&m_model, &ReadingsModel::refreshed, this, &ReportWindow::onRefreshed);
    connect(&m_model, &ReadingsModel::cleared, this, &ReportWindow::onCleared);
    connect(&m_model, &ReadingsModel::loaded, this, &ReportWindow::onLoaded);
    connect(&m_model.results(), &GridModel::selectionChanged, this,
            &ReportWindow::onModelSelection);
    connect(&m_model.results(), &GridModel::topRowRequested, this, [this](int row) {
        m_timerResults->scrollTo(m_proxy->index(row - 1, 0), QAbstractItemView::PositionAtTop);
    });
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
    // A click on a row, or moving through the rows with the keyboard.
    connect(m_timerResults->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncing && current.isValid())
                    onGridClicked(current.row() + 1);
            });
    connect(m_timerResults, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            onGridClicked(index.row() + 1);
    });
}

void ReportWindow::setLayoutTwips(int windowTwips, int gridTwips) {
    m_windowTwips = windowTwips;
    m_gridTwips = gridTwips;
    // The wide layout leaves room for the grid's own scroll bar beside the columns.
    const int frame = 2 * m_timerResults->frameWidth();
    const int scrollBar =
        gridTwips == kGridWideTwips ? m_timerResults->verticalScrollBar()->sizeHint().width() : 0;
    const int grid = std::max(twipsToPixels(gridTwips), m_columnsPx + frame + scrollBar);
    m_timerResults->setFixedWidth(grid);
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
    m_excludeButton->setText(tr("Exclude"));
    m_excludeButton->setAccessibleName(m_excludeButton->text());
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
    return ok && m_model.isValidRecord(n) ? n : 0;
}

void ReportWindow::showRecordState(int n) {
    m_commentBox->setText(m_model.results().textMatrix(n, kColComment));
    m_excludeButton->setText(m_model.isExcluded(n) ? tr("Include") : tr("Exclude"));
    m_excludeButton->setAccessibleName(m_excludeButton->text());
}

void ReportWindow::selectRecord(int n) {
    if (!m_model.isValidRecord(n))
        return;
    m_recordBox->setText(QString::number(n));
    m_model.results().setRow(n);
    m_model.results().setTopRow(n);
    showRecordState(n);
    m_model.selectRecord(n);
    if (isVisible())
        focusComment();
}

void ReportWindow::onAppended(int row) {
    m_recordBox->setText(QString::number(row));
    m_addCommentButton->setEnabled(true);
    m_recordScrollBar->setEnabled(true);
    m_recordScrollBar->setRange(1, m_model.recordCount());
    m_recordScrollBar->setValue(row);
    if (isVisible())
        focusComment();
}

void ReportWindow::onRefreshed() {
    const int last = m_model.recordCount();
    if (last == 0)
        return;
    if (!m_textFileButton->isEnabled()) {
        m_textFileButton->setEnabled(true);
        m_wordReportButton->setEnabled(true);
    }
    if (last >= 6)
        setLayoutTwips(kWideTwips, kGridWideTwips);
    else
        setLayoutTwips(kNarrowTwips, kGridNarrowTwips);
    // The newest record is selected; the toggle offers what can be done to it.
    m_excludeButton->setText(m_model.isExcluded(last) ? tr("Include") : tr("Exclude"));
    m_excludeButton->setAccessibleName(m_excludeButton->text());
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
    const int last = m_model.recordCount();
    if (last == 0)
        return;
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

void ReportWindow::onGridClicked(int row) {
    if (!m_model.isValidRecord(row))
        return;
    GridModel& grid = m_model.results();
    grid.setSelectionMode(1);
    grid.setRow(row);
    m_recordBox->setText(grid.textMatrix(row, 0));
    showRecordState(row);
    m_recordScrollBar->setValue(row);
    m_model.selectRecord(row);
    focusComment();
}

void ReportWindow::onToggleExclusion() {
    const int n = recordInBox();
    if (n == 0)
        return;
    if (m_excludeButton->text() == tr("Include")) {
        m_model.include(n);
        m_excludeButton->setText(tr("Exclude"));
    } else {
        m_model.exclude(n);
        m_excludeButton->setText(tr("Include"));
    }
    m_excludeButton->setAccessibleName(m_excludeButton->text());
}

void ReportWindow::onAddComment() {
    const int n = recordInBox();
    if (n == 0)
        return;
    m_model.addComment(n, m_commentBox->text());
}

void ReportWindow::onModelSelection(int row, int col, int rowSel, int colSel) {
    if (row < 1)
        return;
    const QModelIndex from = m_proxy->index(row - 1, col);
    const QModelIndex to = m_proxy->index(rowSel - 1, colSel);
    if (!from.isValid() || !to.isValid())
        return;
    m_syncing = true;
    QItemSelectionModel* selection = m_timerResults->selectionModel();
    selection->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
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
