#pragma once
// The main window's page button: a tool button that knows the page window it
// shows. Each page stores itself in its button when it is created; a button
// whose page is not built yet shows nothing when clicked. With the focus it
// answers Enter as well as Space, as a push button does.

#include <QPointer>
#include <QToolButton>
#include <cstdint>

namespace cv {

class TCv3SpBtn : public QToolButton {
    Q_OBJECT

public:
    // Platform colour values, 0x00BBGGRR.
    static constexpr std::uint32_t kFirstColor = 0x000080;
    static constexpr std::uint32_t kSecondColor = 0x008000;

    explicit TCv3SpBtn(QWidget* owner = nullptr);

    // The page window shown by this button, not owned; empty until the page
    // registers itself, and empty again once that page is destroyed.
    QWidget* AssociatedForm() const { return associatedForm_; }
    void SetAssociatedForm(QWidget* form) { associatedForm_ = form; }

    std::uint32_t FirstColor() const { return firstColor_; }
    std::uint32_t SecondColor() const { return secondColor_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QWidget> associatedForm_;
    std::uint32_t firstColor_ = kFirstColor;
    std::uint32_t secondColor_ = kSecondColor;
};

}  // namespace cv
