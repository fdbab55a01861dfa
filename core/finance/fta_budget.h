#pragma once
// TFtaBudget: the team's budget in one zone for the decision period. The open
// industry owns one, created when the industry is opened and freed when it is
// closed; its users set it up with their own context before each calculation.

namespace cv {

class TFtaBudget {
public:
    TFtaBudget() = default;
    TFtaBudget(const TFtaBudget&) = delete;
    TFtaBudget& operator=(const TFtaBudget&) = delete;
};

}  // namespace cv
