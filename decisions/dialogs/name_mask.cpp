#include "decisions/dialogs/name_mask.h"

#include <algorithm>

#include "ui/cp1252.h"

namespace cv {

namespace {

constexpr QChar kBlank = QLatin1Char('_');
constexpr QChar kFree = QLatin1Char('n');

// The free positions of Mask: the mask characters at its end.
int FreePositions(const QString& mask) {
    const QString positions = mask.section(QLatin1Char(';'), 0, 0);
    int count = 0;
    while (count < positions.size() && positions[positions.size() - 1 - count] == kFree) ++count;
    return count;
}

}  // namespace

QString NameMask(const std::string& fixed, int freePositions) {
    QString mask;
    // Every fixed character is escaped: a letter of the label may be a mask character.
    for (const QChar c : Cp1252ToQString(fixed)) mask += QLatin1Char('\\') + c;
    mask += QLatin1Char('>') + QString(freePositions, kFree);
    return mask + QLatin1Char(';') + kBlank;
}

std::string MaskedName(const QLineEdit& field) {
    QString shown = field.displayText();
    const int free = field.inputMask().isEmpty() ? 0 : FreePositions(field.inputMask());
    for (int i = std::max<int>(0, shown.size() - free); i < shown.size(); ++i)
        if (shown[i] == kBlank) shown[i] = QLatin1Char(' ');
    return QStringToCp1252(shown);
}

}  // namespace cv
