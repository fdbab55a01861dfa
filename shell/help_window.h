#pragma once
// The help: one HTML file per language, "CV3T" + language code + ".html" in the
// program directory, shown in a window of its own that stays open beside the
// program. Each help context is an anchor of the file named "context" followed
// by its number ("context16" for the team page).

#include <QPointer>
#include <QTextBrowser>
#include <QWindow>
#include <optional>
#include <string>

namespace cv {

// A plain window for the window manager, with no owner: minimised alone and
// stacked by the person's clicks like any other window. While a modal window
// is open over the program, the toolkit takes the help for one of its own, so
// that it can be read, scrolled and closed while the dialog waits for its
// answer. Asked for in a dialog, it opens beside the dialog where the screen
// has room and stays in front of the program while that dialog is open.
class THelpWindow : public QTextBrowser {
    Q_OBJECT

public:
    THelpWindow();

    // The anchor that stands for a help context.
    static QString AnchorOf(int helpContext);

    // Shows File at the context's anchor (the top when the file has no such
    // anchor) and brings the window to the front, opening it again when it was
    // closed or minimised. A missing file shows nothing. Esc closes it.
    void ShowContext(const std::string& file, int helpContext);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Open();
    void PlaceBeside(const QWindow& dialog);
    void FollowModalWindow();
    void KeepInFront(bool inFront);

    // The modal window the help was last asked for in, while it is open.
    QPointer<QWindow> askedIn_;
    // The size the window had before it was made narrower to fit beside a
    // dialog; it takes it back when closed.
    std::optional<QSize> ownSize_;
};

}  // namespace cv
