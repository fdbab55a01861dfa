#pragma once
// TFoSimul: the team page, from which a team handles its industry as a whole:
// opening it, closing it, sending its data back, backups, loans and budget
// changes. It is the only page that can be shown while no industry is open.
// Its menu items are enabled by whether an industry is open and whether the
// page looks at the industry's current period.

#include <QLabel>
#include <QPointer>
#include <string>

#include "shell/page_window.h"
#include "ui/help_contexts.h"

namespace cv {

class TCv3SpBtn;
class TFoCv3Main;

class TFoSimul : public TFoCv3Mod {
    Q_OBJECT

public:
    // Help contexts the page sets on the session.
    static constexpr THelpContext kHelpContextPage = hcTeamPage;
    static constexpr THelpContext kHelpContextMenu = hcTeamPageMenu;
    // The background pictures of the media directory.
    static constexpr char kNoIndustryPicture[] = "MAINNIND.WMF";
    static constexpr char kIndustryPicture[] = "MAININD.WMF";

    TFoSimul(TFoCv3Main& mainWindow, QWidget* owner);

    void MenuItemClick(QAction* item) override;
    void SetupBar() override;
    void UpdateMenus() override;
    // A period chosen on the bar enables or disables the items that work on
    // the current period only.
    bool ApplySelector(TBarGrpBtn& group, QWidget* sender) override;
    void FormActivate() override;
    void FormDeactivate() override;
    // The print selection: every zone chosen on the selector bar, whose zone group it lends the dialog.
    void Print() override;

    // The background picture control; replaced on every redraw.
    QLabel* Image() const { return image_; }

    // Every page takes the industry just opened; one that does not read (the
    // frame cannot show it) is closed again, and no industry is shown.
    void ShowOpenedIndustry();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenu();
    QAction* Item(const char* name) const;
    void MPCloseIndClick(QAction* item);
    void MPPasswdClick(QAction* item);
    void CloseIndustry();
    // Without an industry only this page stays, on its picture of no industry.
    void ShowWhenClosed();
    // Runs the opening dialog; a successful opening refreshes every page.
    void OpenIndustryClick(QAction* item, bool transferMode);
    // Sending the data to the instructor, zip backups and restoring them.
    void MPTransferToAdmClick(QAction* item);
    void MPBackupClick(QAction* item);
    void MPRestoreClick(QAction* item);
    std::string SelectedFirmLabel() const;
    // The loan and budget-change dialog on one of its tabs, for the team's
    // firm and the industry's decision period.
    void OpenBank(QAction* item, int tab);
    static constexpr int kBankNewLoanTab = 0;
    static constexpr int kBankScheduleTab = 1;
    static constexpr int kBankBudgetChangeTab = 2;
    void DrawNoIndustryBackground();
    void DrawBackground();
    void ReplaceImage(const char* pictureName, bool topHalf);
    int ClientAreaHeight() const;

    TFoCv3Main& mainWindow_;
    QPointer<QLabel> image_;
    bool firstActivation_ = true;
    std::string languageCode_;
    // What the picture control shows, so that a new page size redraws it.
    const char* pictureName_ = nullptr;
    bool pictureTopHalf_ = false;
};

}  // namespace cv
