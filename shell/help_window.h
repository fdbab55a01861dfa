#pragma once
// The help: one HTML file per language, "CV3T" + language code + ".html" in the
// program directory, shown in a window of its own that stays open beside the
// program. Each help context is an anchor of the file named "context" followed
// by its number ("context16" for the team page).

#include <QTextBrowser>
#include <string>

namespace cv {

class THelpWindow : public QTextBrowser {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* owner);

    // The anchor that stands for a help context.
    static QString AnchorOf(int helpContext);

    // Shows File at the context's anchor (the top when the file has no such
    // anchor) and brings the window to the front. A missing file shows nothing.
    // Asked for inside a modal dialog, the window comes up above the dialog.
    void ShowContext(const std::string& file, int helpContext);

private:
    void ShowAboveModalWindow();
};

}  // namespace cv
