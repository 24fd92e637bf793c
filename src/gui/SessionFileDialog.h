#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace cfx {

// The program's own window for choosing a session file: a drive list, the folder list, the
// "*.CFX" files of the folder and a name box. It only chooses a path; reading and writing the
// file happen elsewhere.
class SessionFileDialog : public QDialog {
    Q_OBJECT
public:
    // Shows a warning message box (exclamation icon). Replaceable so tests see the message
    // instead of a modal box.
    using Warn = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
    static void defaultWarn(QWidget* parent, const QString& title, const QString& text);

    void setWarn(Warn warn) { m_warn = std::move(warn); }

    // The folder the lists show; changing it relists the folders and files.
    QString folder() const { return m_folder; }
    void setFolder(const QString& folder);

protected:
    enum class Kind { Open, Save };
    SessionFileDialog(Kind kind, const QString& startFolder, QWidget* parent);

    QLineEdit* nameBox() const { return m_name; }
    void warn(const QString& title, const QString& text) { m_warn(this, title, text); }
    virtual void okPressed() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void wire();
    void fillDrives();
    void listFolders();
    void listFiles();
    void driveChosen(int index);
    void folderActivated();
    void fileClicked();
    void fileCurrentChanged();
    void fileActivated();

    Kind m_kind;
    QString m_folder;
    QString m_caption;
    Warn m_warn = &SessionFileDialog::defaultWarn;

    QLabel* m_image = nullptr;
    QComboBox* m_drives = nullptr;
    QListWidget* m_folders = nullptr;
    QListWidget* m_files = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

// Chooses a session to open. Shown modeless; OK hands the path on and closes the window.
class OpenFileDialog : public SessionFileDialog {
    Q_OBJECT
public:
    explicit OpenFileDialog(const QString& startFolder, QWidget* parent = nullptr);

Q_SIGNALS:
    void sessionChosen(const QString& path);

private:
    void okPressed() override;
};

// Chooses where to save the session. Shown modally; chosenPath() is empty when cancelled.
class SaveFileDialog : public SessionFileDialog {
    Q_OBJECT
public:
    explicit SaveFileDialog(const QString& startFolder, QWidget* parent = nullptr);

    QString chosenPath() const { return m_chosenPath; }

private:
    void okPressed() override;

    QString m_chosenPath;
};

} // namespace cfx
