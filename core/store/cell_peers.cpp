#include "core/store/cell_peers.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "core/base/errors.h"
#include "core/base/text_format.h"

namespace cv {
namespace {

// Cells of one kind of one set share a key.
using TPeerKey = std::tuple<int, int, bool, bool, bool>;

}  // namespace

void TCellPeers::Add(int type, int period, const TCellIndex& cell, bool array, std::string_view name) {
    if (cells_.empty() || cells_.back().type != type || cells_.back().period != period || cells_.back().cell != cell)
        cells_.push_back({type, period, cell, {}});
    TNameMap<std::size_t>& ids = ids_[array ? 1 : 0];
    auto found = ids.find(name);
    if (found == ids.end()) {
        found = ids.emplace(std::string(name), names_.size()).first;
        names_.push_back({array, std::string(name)});
    }
    cells_.back().names.push_back(found->second);
}

void TCellPeers::Check() const {
    std::map<TPeerKey, std::vector<const TCell*>> kinds;
    for (const TCell& cell : cells_)
        kinds[{cell.type, cell.period, cell.cell.firm != 0, cell.cell.zone != 0, cell.cell.market != 0}].push_back(
            &cell);
    std::vector<std::size_t> holders(names_.size());
    std::vector<bool> held(names_.size());
    for (const auto& [key, peers] : kinds) {
        if (peers.size() < 2) continue;
        std::fill(holders.begin(), holders.end(), 0);
        for (const TCell* cell : peers)
            for (const std::size_t name : cell->names) ++holders[name];
        for (const TCell* cell : peers) {
            // A name of its own is rare: only then is a lacked one looked for.
            const auto own = std::find_if(cell->names.begin(), cell->names.end(),
                                          [&holders](std::size_t name) { return holders[name] == 1; });
            if (own == cell->names.end()) continue;
            for (const std::size_t name : cell->names) held[name] = true;
            std::size_t lacked = 0;
            while (lacked < names_.size() && (held[lacked] || holders[lacked] != peers.size() - 1)) ++lacked;
            for (const std::size_t name : cell->names) held[name] = false;
            if (lacked == names_.size()) continue;
            const auto text = [this](std::size_t name) {
                return (names_[name].array ? "the array " : "the scalar ") + names_[name].name;
            };
            const TCellIndex& at = cell->cell;
            throw EDataError(FormatText(
                "the cell (type %d, period %d, zone %d, market %d, firm %d) lacks %s, which the other %d cells "
                "of its kind hold, and holds %s, which none of them holds",
                {cell->type, cell->period, at.zone, at.market, at.firm, text(lacked),
                 static_cast<int>(peers.size() - 1), text(*own)}));
        }
    }
}

}  // namespace cv
