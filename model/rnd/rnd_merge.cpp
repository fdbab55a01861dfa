// TModRnD::MergeProsAndPrjs: the firm's projects of t+1 join its prototype
// list of t+1. A project bearing a prototype's name continues it; any other
// becomes a new prototype in the next free row, or, when the list is full, in
// the row of an older prototype that no marketed brand is built on.

#include <string>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/model_access.h"
#include "model/rnd/mod_rnd.h"
#include "model/rnd/rnd_rows.h"

namespace cv {

namespace {

// "ProReqBgt" of a prototype started this period and not costed yet.
constexpr double kNotCostedYet = -1;
// "ProPerEnd" of a prototype that is not available yet.
constexpr double kOpenEnd = 32767;

}  // namespace

void TModRnD::MergeProsAndPrjs(TDataContext& context) {
    LogFmt(1, "TModRnD.MergeProsAndPrjs for %s in %s",
           {Data->FirmLabel(context.SelFirm), Data->MarketLabel(context.SelMarket)});
    BindPrototypes(*ResNext);
    RequireRunLayout();
    for (int project = 1; project <= NbPrjs; ++project) MergeProject(project);
}

void TModRnD::MergeProject(int project) {
    const std::string name = PrjNames->GetZts({project});
    LogFmt(2, "  Processing project %s", {name});
    // A nameless project would make a prototype that no name look-up finds.
    if (name.empty()) {
        LogFmt(1, "    project %d has no name: skipped", {project});
        return;
    }
    const TSeries& dims = Dimensions();
    int row = PrototypeIndex(name);
    if (row != 0) {
        LogFmt(3, "    continuation of prototype %s", {name});
        CopyRowColumns(*ProTecs, row, *PrjTecs, project, dims.Lo(), dims.Hi());
        CopyColumns(*ProFins, row, *PrjFins, project,
                    {Fin.ProAllBgt, Fin.ProReqUC, Fin.ProOldReqUC, Fin.ProPreMkt, Fin.ProManCap, Fin.ProDeveloper,
                     Fin.ProPartner, Fin.ProAllBgtOther});
    } else {
        LogFmt(3, "    new project");
        row = NewPrototypeRow(name);
        if (row == 0) return;
        ResNext->SetSmallint(kCategoryFirmMarket, Context, "NbPros", static_cast<std::int16_t>(NbPros));
        StoreName(*ProNames, row, name);
        CopyRowColumns(*ProTecs, row, *PrjTecs, project, dims.Lo(), dims.Hi());
        CopyRowColumns(*ProFins, row, *PrjFins, project, ProFinances->Lo(), ProFinances->Hi());
        ProFins->SetReal48({row, Fin.ProReqBgt}, kNotCostedYet);
        ProFins->SetReal48({row, Fin.ProPerBeg}, Data->DecPeriod());
        ProFins->SetReal48({row, Fin.ProPerEnd}, kOpenEnd);
    }
    ProFins->AddLong({row, Fin.ProCumBgt},
                     PrjFins->GetReal48({project, Fin.ProAllBgt}) + PrjFins->GetReal48({project, Fin.ProAllBgtOther}));
}

// The row a new project takes: the next one while the list has room, else a
// reused one; 0 (with the level-0 line) when every row must be kept.
int TModRnD::NewPrototypeRow(std::string_view project) {
    const int capacity = PrototypeCapacity();
    if (NbPros < capacity) return ++NbPros;
    if (capacity < kMaxPrototypes)
        Warn(FormatText("the prototype list of firm %d in market %d ends at row %d, before %d",
                        {Context.SelFirm, Context.SelMarket, capacity, kMaxPrototypes}));
    int slot = ReusableSlot(true);
    if (slot == 0) slot = ReusableSlot(false);
    if (slot == 0) LogFmt(0, "ERROR !!! could not find a slot for %s", {project});
    return slot;
}

// The lowest prototype started before the decision period that no marketed
// brand is built on (and, with UnfinishedOnly, that still needs a budget).
int TModRnD::ReusableSlot(bool unfinishedOnly) const {
    for (int slot = 1; slot <= NbPros; ++slot) {
        if (ProFins->GetReal48({slot, Fin.ProPerBeg}) >= Data->DecPeriod()) continue;
        if (unfinishedOnly && !(ProFins->GetReal48({slot, Fin.ProReqBgt}) > 0)) continue;
        if (!IsMarketedBrandName(ProNames->GetZts({slot}))) return slot;
    }
    return 0;
}

}  // namespace cv
