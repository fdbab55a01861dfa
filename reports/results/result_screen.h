#pragma once
// TResult and TRnDScr: the two levels every result screen shares. They add no
// state: a result screen is a report screen (TCVScreen) that the results page,
// the company report or a decision dialog creates with a kind of its own.

#include "ui/report/cv_screen.h"

namespace cv {

class TResult : public TCVScreen {
protected:
    using TCVScreen::TCVScreen;
};

class TRnDScr : public TResult {
protected:
    using TResult::TResult;
};

}  // namespace cv
