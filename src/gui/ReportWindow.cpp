#include "gui/ReportWindow.h"

#include "core/ReadingsModel.h"
#include "core/Twips.h"
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
    setWindowTitle(QStringLiteral("Chronofex - Report"));
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
    m_text5 = new QLineEdit(this);
    named(m_text5, "Text5", QStringLiteral("Record number"));
    m_text5->setFixedWidth(twipsToPixels(375));
    m_text5->setAlignment(Qt::AlignCenter);

    m_text6 = new QLineEdit(this);
    named(m_text6, "Text6", QStringLiteral("Comment"));
    m_text6->setMaxLength(kTextMaxLength);
    m_text6->setToolTip(QStringLiteral("Enter comment to add in Report"));
    m_text6->setMinimumWidth(twipsToPixels(1935));

    m_flexcmnd = new QPushButton(QStringLiteral("Add Comment"), this);
    named(m_flexcmnd, "flexcmnd", QStringLiteral("Add Comment"));
    m_flexcmnd->setToolTip(QStringLiteral("Adds comment in adjacent textbox to result in Report"));
    m_flexcmnd->setMinimumWidth(twipsToPixels(1215));

    m_vscroll1 = new QScrollBar(Qt::Vertical, this);
    named(m_vscroll1, "VScroll1", QStringLiteral("Select record"));
    m_vscroll1->setFixedSize(twipsToPixels(255), twipsToPixels(375));
    m_vscroll1->setFocusPolicy(Qt::StrongFocus);

    m_command1 = new QPushButton(QStringLiteral("Exclude"), this);
    named(m_command1, "Command1", QStringLiteral("Exclude"));
    m_command1->setMinimumWidth(twipsToPixels(855));

    m_label1 = new QLabel(QStringLiteral("this record in all Time calculations"), this);
    named(m_label1, "Label1", m_label1->text());
    m_label1->setBuddy(m_command1);

    m_timerResults = new QTableView(this);
    named(m_timerResults, "TimerResults", QStringLiteral("Readings"));
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

    m_writefilecmnd = new QPushButton(QStringLiteral("Write to Text File && Clear"), this);
    named(m_writefilecmnd, "writefilecmnd", QStringLiteral("Write to Text File & Clear"));
    m_writefilecmnd->setToolTip(
        QStringLiteral("Creates files 'CFXReport' & 'CFXRawCSV' in program directory"));
    m_writeWordcmnd = new QPushButton(QStringLiteral("Make Word Report"), this);
    named(m_writeWordcmnd, "writeWordcmnd", QStringLiteral("Make Word Report"));
    m_writeWordcmnd->setToolTip(QStringLiteral("Creates results report in MS Word"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_text5);
    top->addWidget(m_text6, 1);
    top->addWidget(m_flexcmnd);
    top->addWidget(m_vscroll1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_command1);
    middle->addWidget(m_label1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_writefilecmnd);
    bottom->addWidget(m_writeWordcmnd);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(twipsToPixels(120), twipsToPixels(75), twipsToPixels(120),
                               twipsToPixels(60));
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(m_timerResults, 1);
    layout->addLayout(bottom);

    setTabOrder(m_text6, m_flexcmnd);
    setTabOrder(m_flexcmnd, m_command1);
    setTabOrder(m_command1, m_timerResults);
    setTabOrder(m_timerResults, m_writefilecmnd);
    setTabOrder(m_writefilecmnd, m_writeWordcmnd);
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
    connect(m_vscroll1, &QScrollBar::valueChanged, this, &ReportWindow::selectRecord);
    connect(m_command1, &QPushButton::clicked, this, &ReportWindow::onToggleExclusion);
    connect(m_flexcmnd, &QPushButton::clicked, this, &ReportWindow::onAddComment);
    // Enter in the comment box adds the comment, as the button would.
    connect(m_text6, &QLineEdit::returnPressed, this, [this] {
        if (m_flexcmnd->isEnabled())
            onAddComment();
    });
    connect(m_writefilecmnd, &QPushButton::clicked, this, &ReportWindow::writeFileRequested);
    connect(m_writeWordcmnd, &QPushButton::clicked, this, &ReportWindow::wordReportRequested);
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
    m_text5->setText(kBlank);
    m_text6->setText(kBlank);
    for (QWidget* w : std::initializer_list<QWidget*>{m_flexcmnd, m_vscroll1, m_writefilecmnd,
                                                      m_writeWordcmnd, m_command1})
        w->setEnabled(false);
    m_command1->setText(QStringLiteral("Exclude"));
    m_command1->setAccessibleName(m_command1->text());
    const QSignalBlocker block(m_vscroll1);
    m_vscroll1->setRange(0, 0);
}

void ReportWindow::focusComment() {
    m_text6->setFocus();
    m_text6->selectAll();
}

int ReportWindow::recordInText5() const {
    bool ok = false;
    const int n = m_text5->text().trimmed().toInt(&ok);
    return ok && m_model.isValidRecord(n) ? n : 0;
}

void ReportWindow::showRecordState(int n) {
    m_text6->setText(m_model.results().textMatrix(n, kColComment));
    m_command1->setText(m_model.isExcluded(n) ? QStringLiteral("Include")
                                              : QStringLiteral("Exclude"));
    m_command1->setAccessibleName(m_command1->text());
}

void ReportWindow::selectRecord(int n) {
    if (!m_model.isValidRecord(n))
        return;
    m_text5->setText(QString::number(n));
    m_model.results().setRow(n);
    m_model.results().setTopRow(n);
    showRecordState(n);
    m_model.selectRecord(n);
    if (isVisible())
        focusComment();
}

void ReportWindow::onAppended(int row) {
    m_text5->setText(QString::number(row));
    m_flexcmnd->setEnabled(true);
    m_vscroll1->setEnabled(true);
    m_vscroll1->setRange(1, m_model.recordCount());
    m_vscroll1->setValue(row);
    if (isVisible())
        focusComment();
}

void ReportWindow::onRefreshed() {
    const int last = m_model.recordCount();
    if (last == 0)
        return;
    if (!m_writefilecmnd->isEnabled()) {
        m_writefilecmnd->setEnabled(true);
        m_writeWordcmnd->setEnabled(true);
    }
    if (last >= 6)
        setLayoutTwips(kWideTwips, kGridWideTwips);
    else
        setLayoutTwips(kNarrowTwips, kGridNarrowTwips);
    // The newest record is selected; the toggle offers what can be done to it.
    m_command1->setText(m_model.isExcluded(last) ? QStringLiteral("Include")
                                                 : QStringLiteral("Exclude"));
    m_command1->setAccessibleName(m_command1->text());
    m_command1->setEnabled(true);
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
    m_flexcmnd->setEnabled(true);
    m_vscroll1->setEnabled(true);
    m_writefilecmnd->setEnabled(true);
    m_writeWordcmnd->setEnabled(true);
    m_command1->setEnabled(true);
    {
        const QSignalBlocker block(m_vscroll1);
        m_vscroll1->setRange(1, last);
        m_vscroll1->setValue(last);
    }
    if (last >= 6)
        setLayoutTwips(kWideTwips, kGridWideTwips);
    m_text5->setText(QString::number(last));
    showRecordState(last);
}

void ReportWindow::onGridClicked(int row) {
    if (!m_model.isValidRecord(row))
        return;
    GridModel& grid = m_model.results();
    grid.setSelectionMode(1);
    grid.setRow(row);
    m_text5->setText(grid.textMatrix(row, 0));
    showRecordState(row);
    m_vscroll1->setValue(row);
    m_model.selectRecord(row);
    focusComment();
}

void ReportWindow::onToggleExclusion() {
    const int n = recordInText5();
    if (n == 0)
        return;
    if (m_command1->text() == QLatin1String("Include")) {
        m_model.Include(n);
        m_command1->setText(QStringLiteral("Exclude"));
    } else {
        m_model.Exclude(n);
        m_command1->setText(QStringLiteral("Include"));
    }
    m_command1->setAccessibleName(m_command1->text());
}

void ReportWindow::onAddComment() {
    const int n = recordInText5();
    if (n == 0)
        return;
    m_model.AddComment(n, m_text6->text());
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
