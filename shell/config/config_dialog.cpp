#include "shell/config/config_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "core/base/ui_services.h"
#include "core/session/session.h"
#include "core/session/settings_paths.h"
#include "core/team/exchange_files.h"
#include "shell/config/ok_cancel_row.h"
#include "ui/cp1252.h"
#include "core/language/language_file.h"
#include "ui/translate_component.h"

namespace cv {
namespace {

constexpr int kClientWidth = 570;
constexpr int kClientHeight = 389;
constexpr int kLanguageColumns = 3;
constexpr char kOpenMessages[] = "TeamIndOpen";
constexpr int kLineUnusableDir = 12;
constexpr int kLineReadOnlySettings = 13;
constexpr char kNewPrivateDirKey[] = "NewPrivateDir";

// Paths are the file system's bytes (UTF-8); texts of the language files are cp1252.
QString PathText(const std::string& path) { return QString::fromStdString(path); }

// The system's mounted volumes, in its order.
std::vector<TMountedVolume> MountedVolumes() {
    std::vector<TMountedVolume> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        volumes.push_back({volume.rootPath().toStdString(), volume.isValid() && volume.isReady(), volume.isReadOnly()});
    return volumes;
}

// The session's exchange directory; while the settings name none that this
// platform reaches ("A:\" from Windows, or nothing), the one proposed.
std::string ShownExchangeDir() {
    if (IsExchangeDirSet(Session->ExchangeDir())) return Session->ExchangeDir();
    return ProposedExchangeDir(Session->RootDir(), WritableMountPoints(MountedVolumes()));
}

std::string PanelPath(const QLabel& panel) { return panel.text().toStdString(); }

}  // namespace

TFoConfig::TFoConfig(QWidget* owner) : TQNForm(owner) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoConfig"));
    setWindowTitle(QStringLiteral("Configuration"));
    setFixedSize(kClientWidth, kClientHeight);
    auto* layout = new QVBoxLayout(this);
    BuildDirectories();
    BuildLanguages();
    layout->addWidget(findChild<QGroupBox*>(QStringLiteral("GBDirectories")));
    layout->addWidget(findChild<QGroupBox*>(QStringLiteral("RGLang")), 1);
    AddOkCancelRow(*this, *layout, "BBOK", true, [this] { BBOKClick(); });
    TranslateForm();
    QApplication::restoreOverrideCursor();
}

QLabel* TFoConfig::AddDirectoryRow(int row, const char* labelName, const char* caption, const char* panelName,
                                   const char* buttonName) {
    auto* box = findChild<QGroupBox*>(QStringLiteral("GBDirectories"));
    auto* grid = static_cast<QGridLayout*>(box->layout());
    auto* label = new QLabel(QString::fromLatin1(caption), box);
    label->setObjectName(QString::fromLatin1(labelName));
    auto* panel = new QLabel(box);
    panel->setObjectName(QString::fromLatin1(panelName));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumWidth(300);
    grid->addWidget(label, row, 0);
    // The program directory, which cannot be changed, takes the button's column too.
    grid->addWidget(panel, row, 1, 1, buttonName ? 1 : 2);
    if (buttonName) {
        auto* button = new QPushButton(QStringLiteral("Change..."), box);
        button->setObjectName(QString::fromLatin1(buttonName));
        grid->addWidget(button, row, 2);
    }
    return panel;
}

void TFoConfig::BuildDirectories() {
    auto* box = new QGroupBox(QStringLiteral("Directories"), this);
    box->setObjectName(QStringLiteral("GBDirectories"));
    new QGridLayout(box);
    pgmDir_ = AddDirectoryRow(0, "LPgmDir", "Program directory", "QNEPgmDir", nullptr);
    workDir_ = AddDirectoryRow(1, "LWorkDir", "Private directory", "QNEWorkDir", "BBPrivChange");
    transferDir_ = AddDirectoryRow(2, "LTranferDir", "Admin/Team Transfer directory", "QNETransferDir", "BBExchChange");
    pgmDir_->setText(PathText(Session->BinDir()));
    workDir_->setText(PathText(Session->PrivateDir()));
    transferDir_->setText(PathText(ShownExchangeDir()));
    connect(findChild<QPushButton*>(QStringLiteral("BBPrivChange")), &QPushButton::clicked, this,
            [this] { ChooseDirectory(*workDir_, PrivateDirUsable); });
    connect(findChild<QPushButton*>(QStringLiteral("BBExchChange")), &QPushButton::clicked, this,
            [this] { ChooseDirectory(*transferDir_, ExchangeDirUsable); });
}

void TFoConfig::BuildLanguages() {
    auto* box = new QGroupBox(QStringLiteral("Language"), this);
    box->setObjectName(QStringLiteral("RGLang"));
    auto* grid = new QGridLayout(box);
    languages_ = new QButtonGroup(box);
    int index = 0;
    for (const TLanguageChoice& language : InstalledLanguages(Session->TextDir())) {
        auto* button = new QRadioButton(Cp1252ToQString(language.name), box);
        button->setObjectName(QStringLiteral("RGLang_%1").arg(index));
        languages_->addButton(button, index);
        grid->addWidget(button, index / kLanguageColumns, index % kLanguageColumns);
        if (SameTextAscii(language.code, Session->Language())) button->setChecked(true);
        langCodes_.push_back(language.code);
        ++index;
    }
    grid->setRowStretch(grid->rowCount(), 1);
}

void TFoConfig::ChooseDirectory(QLabel& panel, bool (*usable)(const std::string&)) {
    if (Session->SettingsReadOnly()) {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kOpenMessages, {kLineReadOnlySettings}, TAlignment::taCenter);
        return;
    }
    QFileDialog chooser(this);
    chooser.setObjectName(QStringLiteral("DirChooser"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly);
    chooser.setDirectory(PathText(Session->RootDir()));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    const std::string dir = WithTrailingSlash(chooser.selectedFiles().first().toStdString());
    if (usable(dir))
        panel.setText(PathText(dir));
    else
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kOpenMessages, {kLineUnusableDir}, TAlignment::taCenter);
}

void TFoConfig::BBOKClick() {
    if (StoreDirectories(*Session, PanelPath(*workDir_), PanelPath(*transferDir_)))
        Ui().ShowMessageBox(TMsgDlgType::mtInformation, mbOK, kNewPrivateDirKey, {0}, TAlignment::taCenter);
    const int selected = languages_->checkedId();
    if (selected >= 0 && !SameTextAscii(langCodes_[selected], Session->Language())) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        languageChanged_ = SwitchLanguage(*Session, langCodes_[selected]);
        if (languageChanged_)
            for (QWidget* window : QApplication::topLevelWidgets()) TranslateComponent(*Translator, window);
        QApplication::restoreOverrideCursor();
    }
    accept();
}

}  // namespace cv
