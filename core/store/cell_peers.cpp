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
        cells_.push_back({type, period, cell, cellNames_.size(), cellNames_.size()});
    TNameMap<std::size_t>& ids = ids_[array ? 1 : 0];
    auto found = ids.find(name);
    if (found == ids.end()) {
        found = ids.emplace(std::string(name), names_.size()).first;
        names_.push_back({array, std::string(name)});
    }
    cellNames_.push_back(found->second);
    cells_.back().last = cellNames_.size();
}

void TCellPeers::Check() const {
    std::map<TPeerKey, std::vector<const TCell*>> kinds;
    for (const TCell& cell : cells_)
        kinds[{cell.type, cell.period, cell.cell.firm != 0, cell.cell.zone != 0, cell.cell.market != 0}].push_back(
            &cell);
    std::vector<std::size_t> holders(names_.size());
    for (const auto& [key, peers] : kinds) {
        if (peers.size() < 2) continue;
        std::fill(holders.begin(), holders.end(), 0);
        for (const TCell* cell : peers)
            for (std::size_t at = cell->first; at < cell->last; ++at) ++holders[cellNames_[at]];
        // The names all cells but one hold: mostly none.
        std::vector<std::size_t> allButOne;
        for (std::size_t name = 0; name < names_.size(); ++name)
            if (holders[name] == peers.size() - 1) allButOne.push_back(name);
        for (const TCell* cell : peers) {
            const auto begin = cellNames_.begin() + static_cast<std::ptrdiff_t>(cell->first);
            const auto end = cellNames_.begin() + static_cast<std::ptrdiff_t>(cell->last);
            const auto lacked = std::find_if_not(allButOne.begin(), allButOne.end(), [&](std::size_t name) {
                return std::find(begin, end, name) != end;
            });
            if (lacked == allButOne.end()) continue;
            const auto own = std::find_if(begin, end, [&holders](std::size_t name) { return holders[name] == 1; });
            // Of two cells, either may hold an optional name the other lacks.
            if (own == end && peers.size() < 3) continue;
            const TCellIndex& at = cell->cell;
            throw EDataError(FormatText(
                "the cell (type %d, period %d, zone %d, market %d, firm %d) lacks %s, which the other %d cells "
                "of its kind hold%s",
                {cell->type, cell->period, at.zone, at.market, at.firm, NameText(*lacked),
                 static_cast<int>(peers.size() - 1),
                 own == end ? std::string() : ", and holds " + NameText(*own) + " instead"}));
        }
    }
}

std::string TCellPeers::NameText(std::size_t name) const {
    return (names_[name].array ? "the array " : "the scalar ") + names_[name].name;
}

}  // namespace cv
