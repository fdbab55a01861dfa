// The project-list and name operations of TModRnD that the R&D dialogs call.

#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "core/base/errors.h"
#include "core/language/language_file.h"
#include "model/rnd/mod_rnd.h"

namespace cv {

void TModRnD::SetNbPrjs(int n) {
    if (!DecNext) throw EModelError("TModRnD used before Init");
    if (n < 0 || n > ProjectSlots()) throw ERangeError();
    DecNext->SetSmallint(kCategoryFirmMarket, Context, "NbPrjs", static_cast<std::int16_t>(n));
    NbPrjs = n;
}

// Only a project in the list is removed: a slot beyond NbPrjs holds none, and
// counting it off would drop the last real project.
void TModRnD::DeleteProject(int i) {
    if (i < 1 || i > NbPrjs) throw ERangeError();
    PrjNames->DeleteElement(i);
    PrjFins->DeleteRow(i);
    PrjTecs->DeleteRow(i);
    SetNbPrjs(NbPrjs - 1);
}

int TModRnD::NamePosition(const TSimArr* names, int count, std::string_view name) const {
    if (name.empty() || !names) return 0;
    for (int position = 1; position <= count; ++position)
        if (SameTextAscii(names->GetZts({position}), name)) return position;
    return 0;
}

// Names left in slots beyond NbPrjs are not projects.
bool TModRnD::IsProject(std::string_view name) const { return NamePosition(PrjNames, NbPrjs, name) != 0; }

bool TModRnD::IsUnusedProtoName(std::string_view name) const { return PrototypeIndex(name) == 0; }

bool TModRnD::IsFreeName(std::string_view name) const { return IsUnusedProtoName(name) && !IsProject(name); }

int TModRnD::PrototypeIndex(std::string_view name) const { return NamePosition(ProNames, NbPros, name); }

bool TModRnD::HasPrototypeToContinue() const {
    for (int prototype = 1; prototype <= NbPros; ++prototype) {
        if (ProFins->GetReal48({prototype, Fin.ProReqBgt}) > 0 && !IsProject(ProNames->GetZts({prototype})))
            return true;
    }
    return false;
}

}  // namespace cv
