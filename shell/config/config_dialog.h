#pragma once
// TFoConfig: the configuration dialog. It shows the program directory and
// lets the team choose its private directory, the exchange directory and the
// language of the program's texts. Nothing is stored before OK.

#include <QButtonGroup>
#include <QLabel>
#include <string>
#include <vector>

#include "core/team/config_settings.h"
#include "ui/qn_form.h"

namespace cv {

class TFoConfig : public TQNForm {
    Q_OBJECT

public:
    explicit TFoConfig(QWidget* owner = nullptr);

    // The language codes in the order of the entries of RGLang.
    const std::vector<std::string>& LangCodes() const { return langCodes_; }
    // After OK: whether the language was switched, so that the caller
    // updates what depends on it (the help file).
    bool LanguageChanged() const { return languageChanged_; }

private:
    void BuildDirectories();
    void BuildLanguages();
    QLabel* AddDirectoryRow(int row, const char* labelName, const char* caption, const char* panelName,
                            const char* buttonName);
    // Lets the team choose a directory; a directory that fails Usable keeps the caption.
    void ChooseDirectory(QLabel& panel, bool (*usable)(const std::string&));
    void BBOKClick();

    QLabel* pgmDir_ = nullptr;
    QLabel* workDir_ = nullptr;
    QLabel* transferDir_ = nullptr;
    QButtonGroup* languages_ = nullptr;
    std::vector<std::string> langCodes_;
    bool languageChanged_ = false;
};

}  // namespace cv
