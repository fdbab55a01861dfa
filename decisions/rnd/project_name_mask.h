#pragma once
// The name of an R&D project as the team types it: "P", the first character
// of the market's label, then three letters or digits, in upper case.
// Unfilled positions show as "_" and read as spaces.

#include <QLineEdit>
#include <string>

namespace cv {

class TModRnD;

// Gives Edit the project-name mask of the model's market and the text Name.
void SetProjectNameMask(QLineEdit& edit, const TModRnD& model, const std::string& name = {});

// The name typed in Edit, unfilled positions as spaces (cp1252 bytes).
std::string TypedProjectName(const QLineEdit& edit);

// A name is complete when no position is left unfilled.
bool IsCompleteProjectName(const std::string& name);

}  // namespace cv
