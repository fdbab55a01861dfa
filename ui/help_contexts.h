#pragma once
// The help file's contexts: a window in use sets its context on the help
// state, and the help opens the file at the context's section (the anchor
// "context" followed by the number). The numbers are the help file's.

#include <array>
#include <cstdint>

namespace cv {

enum THelpContext : std::int32_t {
    hcNone = 0,  // no window has set one yet: the help shows the top of the file
    hcOpenIndustry = 1,
    hcTakeInstructorIndustry = 5,
    hcLoans = 6,  // a new loan and the loan schedule
    hcBudgetChange = 7,
    hcPrinting = 8,  // the print selection and the printing of the decisions
    hcSettings = 9,
    hcGraphsPage = 10,
    hcDecisionsPage = 13,  // the page and the summary of the decisions
    hcTeamPage = 16,
    hcStudiesPage = 19,
    hcNewsletterPage = 22,
    hcResultsPage = 28,
    hcRestoreBackup = 29,
    hcMakeBackup = 30,
    hcSemanticPerception = 34,
    hcSemanticTarget = 35,
    hcMarketingPlan = 36,
    hcMarketingMix = 37,
    hcMarketStudies = 38,
    hcCostEstimate = 39,
    hcBrandPortfolio = 42,  // the portfolio and the naming of a brand
    hcBudget = 43,
    hcMapTarget = 47,
    hcNewProject = 49,
    hcRnD = 50,  // the R&D decisions and the renaming of a project
    hcDistribution = 51,
    hcMapPerception = 52,
    hcReintroduceProject = 55,
    hcTeamPageMenu = 81,
};

// Every context a window sets; each has its section in the help file.
inline constexpr std::array kHelpContexts{
    // The team page, its menu and its dialogs; the settings.
    hcTeamPage, hcTeamPageMenu, hcOpenIndustry, hcTakeInstructorIndustry, hcLoans, hcBudgetChange, hcPrinting,
    hcMakeBackup, hcRestoreBackup, hcSettings,
    // The reading pages.
    hcResultsPage, hcNewsletterPage, hcStudiesPage, hcGraphsPage,
    // The graphs page's design dialogs.
    hcSemanticPerception, hcMapPerception, hcSemanticTarget, hcMapTarget,
    // The decisions page and its dialogs.
    hcDecisionsPage, hcBrandPortfolio, hcMarketingMix, hcDistribution, hcMarketStudies, hcRnD, hcNewProject,
    hcReintroduceProject, hcCostEstimate, hcBudget, hcMarketingPlan,
};

}  // namespace cv
