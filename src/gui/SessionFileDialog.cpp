#include "gui/SessionFileDialog.h"

#include "core/io/SessionPaths.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>

namespace cfx {

namespace {

constexpr int kPathRole = Qt::UserRole + 1;

QString absoluteFolder(const QString& folder) {
    const QString path = folder.isEmpty() ? QDir::currentPath() : folder;
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

SessionFileDialog::SessionFileDialog(Kind kind, const QString& startFolder, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_folder(absoluteFolder(startFolder)) {
    const bool open = m_kind == Kind::Open;
    setObjectName(open ? QStringLiteral("OpenFileDialog") : QStringLiteral("SaveFileDialog"));
    m_caption = open ? tr("Open CFX File") : tr("Save CFX File");
    setWindowTitle(m_caption);
    setWindowIcon(QIcon(open ? QStringLiteral(":/FILEOPEN") : QStringLiteral(":/FILESAVE")));
    build();
    wire();
    fillDrives();
    listFolders();
    listFiles();
}

void SessionFileDialog::defaultWarn(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void SessionFileDialog::build() {
    const bool open = m_kind == Kind::Open;

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setPixmap(
        QIcon(open ? QStringLiteral(":/FILEOPEN") : QStringLiteral(":/FILESAVE")).pixmap(32, 32));
    m_image->setAccessibleName(open ? tr("Open file") : tr("Save file"));

    auto* nameLabel = new QLabel(open ? tr("Open File:") : tr("Save File As:"), this);
    nameLabel->setObjectName(QStringLiteral("lblDialog"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("TxtFilename"));
    m_name->setAccessibleName(nameLabel->text());
    nameLabel->setBuddy(m_name);

    auto* folderLabel = new QLabel(tr("Select Directory"), this);
    folderLabel->setObjectName(QStringLiteral("Label2"));
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("DrvDialog"));
    m_drives->setAccessibleName(tr("Drive"));
    // A combo box's accessible name on this desktop is the item it shows ("/"): screen readers
    // take its name from the label it is the buddy of, and hear the folder as its description.
    auto* driveLabel = new QLabel(tr("Drive:"), this);
    driveLabel->setObjectName(QStringLiteral("DriveLabel"));
    driveLabel->setBuddy(m_drives);
    m_folders = new QListWidget(this);
    m_folders->setObjectName(QStringLiteral("DirDialog"));
    m_folders->setAccessibleName(folderLabel->text());
    folderLabel->setBuddy(m_folders);

    auto* fileLabel = new QLabel(open ? tr("Select File") : tr("CFX Files in Directory >"), this);
    fileLabel->setObjectName(QStringLiteral("Label1"));
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("FilDialog"));
    m_files->setAccessibleName(open ? tr("Select File") : tr("CFX Files in Directory"));
    fileLabel->setBuddy(m_files);

    m_ok = new QPushButton(tr("&OK"), this);
    m_ok->setObjectName(QStringLiteral("CmdOK"));
    m_ok->setAccessibleName(tr("OK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CmdCancel"));
    m_cancel->setAccessibleName(tr("Cancel"));
    m_cancel->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_image, 0, 0);
    grid->addWidget(nameLabel, 0, 1);
    grid->addWidget(m_name, 0, 2, 1, 2);
    grid->addWidget(fileLabel, 1, 0, 1, 2);
    grid->addWidget(m_files, 2, 0, 2, 2);
    grid->addWidget(folderLabel, 1, 2, 1, 2);
    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(driveLabel);
    driveRow->addWidget(m_drives, 1);
    grid->addLayout(driveRow, 2, 2, 1, 2);
    grid->addWidget(m_folders, 3, 2, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);

    setTabOrder(m_name, m_files);
    setTabOrder(m_files, m_drives);
    setTabOrder(m_drives, m_folders);
    setTabOrder(m_folders, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_name->setFocus();
    resize(460, 320);

    // Return in the lists acts on the list; it must not also press OK.
    m_folders->installEventFilter(this);
    m_files->installEventFilter(this);
}

void SessionFileDialog::wire() {
    connect(m_drives, &QComboBox::activated, this, &SessionFileDialog::driveChosen);
    connect(m_folders, &QListWidget::itemActivated, this, &SessionFileDialog::folderActivated);
    connect(m_files, &QListWidget::itemClicked, this, &SessionFileDialog::fileClicked);
    connect(m_files, &QListWidget::currentItemChanged, this,
            &SessionFileDialog::fileCurrentChanged);
    connect(m_files, &QListWidget::itemDoubleClicked, this, &SessionFileDialog::fileActivated);
    connect(m_ok, &QPushButton::clicked, this, &SessionFileDialog::okPressed);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SessionFileDialog::fillDrives() {
    const QSignalBlocker block(m_drives);
    m_drives->clear();
    for (const cfx::Volume& v : cfx::userVolumes()) {
        const QString text = v.label.isEmpty() || v.label == v.rootPath
                                 ? v.rootPath
                                 : QStringLiteral("%1  [%2]").arg(v.rootPath, v.label);
        m_drives->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), text, v.rootPath);
    }
}

void SessionFileDialog::setFolder(const QString& folder) {
    m_folder = absoluteFolder(folder);
    listFolders();
    listFiles();
    setWindowTitle(QStringLiteral("%1 - [%2]").arg(m_caption, m_folder));
    if (m_kind == Kind::Open)
        m_name->clear();
    else
        m_name->setFocus();
}

void SessionFileDialog::listFolders() {
    const QSignalBlocker block(m_folders);
    m_folders->clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = cfx::folderChain(m_folder);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString& path = chain[depth];
        const QString name = depth == 0 ? path : path.section(QLatin1Char('/'), -1);
        auto* item = new QListWidgetItem(openIcon, QString(depth * 2, QLatin1Char(' ')) + name);
        item->setData(kPathRole, path);
        m_folders->addItem(item);
    }
    m_folders->setCurrentRow(m_folders->count() - 1);
    const QString indent(chain.size() * 2, QLatin1Char(' '));
    for (const QString& sub : cfx::subfoldersOf(m_folder)) {
        auto* item = new QListWidgetItem(closedIcon, indent + sub);
        item->setData(kPathRole, cfx::joinFolder(m_folder, sub));
        m_folders->addItem(item);
    }

    QStringList roots;
    for (int i = 0; i < m_drives->count(); ++i)
        roots << m_drives->itemData(i).toString();
    const int drive = m_drives->findData(cfx::volumeRootOf(m_folder, roots));
    const QSignalBlocker blockDrives(m_drives);
    m_drives->setCurrentIndex(drive);
    m_drives->setAccessibleDescription(m_folder);
}

void SessionFileDialog::listFiles() {
    const QSignalBlocker block(m_files);
    m_files->clear();
    const QStringList files = cfx::sessionFilesIn(m_folder);
    m_files->addItems(files);
    // With nothing chosen yet a screen reader names only the list: a lone file is told by name.
    m_files->setAccessibleDescription(files.size() == 1 ? files.first() : QString());
}

void SessionFileDialog::driveChosen(int index) {
    const QString root = m_drives->itemData(index).toString();
    if (!root.isEmpty())
        setFolder(root);
}

void SessionFileDialog::folderActivated() {
    const QListWidgetItem* item = m_folders->currentItem();
    if (item == nullptr)
        return;
    const QString path = item->data(kPathRole).toString();
    if (path != m_folder)
        setFolder(path);
}

void SessionFileDialog::fileClicked() {
    if (m_kind == Kind::Save)
        m_name->setFocus();
    else
        fileCurrentChanged();
}

void SessionFileDialog::fileCurrentChanged() {
    // The save window never copies a listed name: the user types the name to save under.
    const QListWidgetItem* item = m_files->currentItem();
    if (m_kind == Kind::Open && item != nullptr)
        m_name->setText(item->text());
}

void SessionFileDialog::fileActivated() {
    if (m_kind == Kind::Open) {
        fileCurrentChanged();
        okPressed();
    } else {
        m_name->setFocus();
    }
}

bool SessionFileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == m_folders && enter) {
            folderActivated();
            return true;
        }
        if (watched == m_folders && key->key() == Qt::Key_Backspace) {
            const QStringList chain = cfx::folderChain(m_folder);
            if (chain.size() > 1)
                setFolder(chain[chain.size() - 2]);
            return true;
        }
        if (watched == m_files && enter) {
            if (m_files->currentItem() != nullptr)
                fileActivated();
            else if (m_kind == Kind::Save)
                m_name->setFocus();
            else
                okPressed();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SessionFileDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

OpenFileDialog::OpenFileDialog(const QString& startFolder, QWidget* parent)
    : SessionFileDialog(Kind::Open, startFolder, parent) {
    setModal(false);
}

void OpenFileDialog::okPressed() {
    const QString name = nameBox()->text().trimmed();
    if (name.isEmpty()) {
        warn(tr("File Unspecified"), tr("Please select a File to Open"));
        return;
    }
    const QString path = cfx::openDialogPath(folder(), name);
    accept();
    Q_EMIT sessionChosen(path);
}

SaveFileDialog::SaveFileDialog(const QString& startFolder, QWidget* parent)
    : SessionFileDialog(Kind::Save, startFolder, parent) {
    setModal(true);
}

void SaveFileDialog::okPressed() {
    const QString name = nameBox()->text().trimmed();
    if (name.isEmpty()) {
        warn(tr("File Name missing"), tr("To save Session, please enter File Name"));
        nameBox()->setFocus();
        return;
    }
    m_chosenPath = cfx::saveDialogPath(folder(), name);
    accept();
}

} // namespace cfx
