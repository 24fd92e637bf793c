#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace cfx {

// The handbook: the program's own HTML pages in its resources, one per window, in the language
// of the interface. F1 in any of the program's windows opens it at the page for that window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `language` names the folder of pages (":/help/<language>/"); English when it has none.
    explicit HelpWindow(const QString& language, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Shows the window at a page ("report", "panel#menu", ...), above a modal dialog if one is
    // open, so that it can be read and scrolled while the dialog waits.
    void showPage(const QString& page);
    // Shows the page for one of the program's windows.
    void showHelpFor(const QWidget* window);
    // The page that describes a window ("index" for one it does not know).
    static QString pageFor(const QWidget* window);
    // The pages in a language folder, for the tests that check every link.
    static QStringList pageNames();

    QString language() const { return m_language; }
    QTextBrowser* browser() const { return m_browser; }

    // Lets F1 open the handbook from every window of the application.
    void watchHelpKey();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_language;
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QToolButton* m_home = nullptr;
};

} // namespace cfx
