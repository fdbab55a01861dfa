#pragma once
// TQNForm: the base of every window of the program. It fixes the font at
// Arial 8 bold in pixels, so that layouts do not follow the screen's text size,
// and takes captions and hints from the language file by component name.

#include <QDialog>

namespace cv {

class TQNForm : public QDialog {
    Q_OBJECT

public:
    // Flags say what kind of window this is: a dialog by default, Qt::Widget
    // for a page that lives inside the main window, Qt::Window for the main
    // window itself.
    explicit TQNForm(QWidget* owner = nullptr, Qt::WindowFlags flags = Qt::Dialog);

    // The font every window starts with: Arial, 8 points bold, as 11 pixels.
    static QFont FormFont();

protected:
    // Only a dialog window answers Escape and Enter as a dialog does (close,
    // press the default button); a page or the main window lets them pass.
    void keyPressEvent(QKeyEvent* event) override;

    // Translates the window and every object it owns when the program's
    // translator is open; without one the texts given at construction stay.
    // A derived class calls this at the end of its constructor, once its
    // controls exist.
    void TranslateForm();
};

}  // namespace cv
