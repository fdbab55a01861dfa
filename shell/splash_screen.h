#pragma once
// TFoSplashScreen: the window shown once at start-up (splash mode) and from
// the bar's about button (about mode). It fills the screen with picture bands
// and four buttons that switch between the views: the maker, the authors, the
// program (with the instructor's message for the industry in about mode, when
// the industry holds one) and the development team. It fills the room the
// screen leaves beside the window manager's frame.

#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QStringList>
#include <QTextEdit>
#include <QWidget>

#include "core/store/data_context.h"
#include "ui/qn_form.h"

namespace cv {

class TFoSplashScreen : public TQNForm {
    Q_OBJECT

public:
    // Sizes from the window's design.
    static constexpr int kViewButtonWidth = 173;
    static constexpr int kViewButtonHeight = 26;
    static constexpr int kOkButtonWidth = 89;
    static constexpr int kMemoHeight = 97;
    // Lines of the instructor's message ("CustMsg") shown in the program view.
    static constexpr int kCustomMessageLines = 5;

    // Context: the current page's data-context record in about mode (not
    // owned); null in splash mode.
    TFoSplashScreen(QWidget* owner, const TDataContext* context);

    QPushButton* LastViewButton() const { return lastViewButton_; }

    void BBQuenorClick();
    void BBAuthorsClick();
    void BBProgramClick();
    void BBTeamClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* AddButton(const char* name, const char* designCaption);
    QWidget* AddPanel(const char* panelName, const char* imageName);
    void LayOut();
    // Lays the window out again when the room beside the window manager's
    // frame differs from its size.
    void FitRoom();
    void DrawPictures(QWidget* panel);
    void ShowView(QPushButton* pressed, std::initializer_list<QWidget*> shown);
    void FillProgramView();
    // The five lines of the instructor's message ("CustMsg") in about mode;
    // none when no industry is open or its message is missing or blank.
    QStringList CustomMessage() const;

    const TDataContext* context_;
    QPushButton* btnOk_;
    QPushButton* BBQuenor_;
    QPushButton* BBAuthors_;
    QPushButton* BBProgram_;
    QPushButton* BBTeam_;
    QWidget* Panel1_;
    QWidget* Panel2_;
    QWidget* Panel3_;
    QWidget* Panel4_;
    QWidget* Panel5_;
    QTextEdit* Memo1_;
    QPushButton* lastViewButton_ = nullptr;
    bool shownOnce_ = false;
    QSet<QWidget*> drawnPanels_;
};

}  // namespace cv
