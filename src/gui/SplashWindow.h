#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

class QLabel;
class QAction;
class QMenu;
class QTimer;

namespace cfx {

// The picture-shaped splash and about window. As the splash it shows the title for four seconds
// with the mouse cursor hidden, then asks for the main panel and closes; closed earlier, it ends
// the program. As the about window it shows the version, a credit line and the contact address
// and stays until closed. Either way it is dragged by its face, a
// right-click offers "Close" and a double-click closes it.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 4000;
    static const QString kContactAddress;

    enum class Mode { Splash, About };

    explicit SplashWindow(QWidget* parent = nullptr);
    ~SplashWindow() override;

    void showSplash();
    void showAbout();
    // What the window was last shown as.
    Mode mode() const { return m_mode; }

    // "Omnichron Stopwatch v" and the program's version.
    static QString titleText();
    // The about window's version line: "V " and the program's version.
    static QString versionText();

    // The part of the window that is shown and takes the mouse: the picture without its key colour.
    QRegion outline() const { return m_outline; }
    bool cursorHidden() const { return m_cursorHidden; }

Q_SIGNALS:
    // The four seconds are over: the main panel is to be shown.
    void splashFinished();
    // The splash was closed before its time: the program is to end.
    void splashClosedEarly();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
    void wire();
    void showTimerFired();
    void hideCursor();
    void showCursor();
    void openContact();

    Mode m_mode = Mode::Splash;
    QImage m_picture;
    QRegion m_outline;
    QTimer* m_showTimer = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_closeAction = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_subtitleLabel = nullptr;
    QLabel* m_creditLabel = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_secondCreditLabel = nullptr;
    QLabel* m_contactLabel = nullptr;

    bool m_dragging = false;
    QPoint m_dragStart;
    bool m_cursorHidden = false;
    bool m_splashDone = false; // the panel was asked for, so closing no longer ends the program
};

} // namespace cfx
