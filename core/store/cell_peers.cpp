#include "core/store/cell_peers.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

#include "core/base/errors.h"
#include "core/base/text_format.h"

namespace cv {
namespace {

// Cells of one kind of one set share a key.
using TPeerKey = std::tuple<int, int, bool, bool, bool>;

std::string NameText(std::string_view stored) {
    return std::string(stored.front() == 'a' ? "the array " : "the scalar ") + std::string(stored.substr(1));
}

}  // namespace

void TCellPeers::Add(int type, int period, const TCellIndex& cell, bool array, std::string_view name) {
    if (cells_.empty() || cells_.back().type != type || cells_.back().period != period || cells_.back().cell != cell)
        cells_.push_back({type, period, cell, {}});
    cells_.back().names.push_back((array ? "a" : "s") + std::string(name));
}

void TCellPeers::Check() const {
    std::map<TPeerKey, std::vector<const TCell*>> kinds;
    for (const TCell& cell : cells_)
        kinds[{cell.type, cell.period, cell.cell.firm != 0, cell.cell.zone != 0, cell.cell.market != 0}].push_back(
            &cell);
    for (const auto& [key, peers] : kinds) {
        if (peers.size() < 2) continue;
        std::unordered_map<std::string_view, std::size_t> holders;
        for (const TCell* cell : peers)
            for (const std::string& name : cell->names) ++holders[name];
        for (const TCell* cell : peers) {
            const auto holds = [cell](std::string_view name) {
                return std::find(cell->names.begin(), cell->names.end(), name) != cell->names.end();
            };
            const auto lacked = std::find_if(holders.begin(), holders.end(), [&](const auto& holder) {
                return holder.second == peers.size() - 1 && !holds(holder.first);
            });
            const auto own = std::find_if(cell->names.begin(), cell->names.end(),
                                          [&](const std::string& name) { return holders.at(name) == 1; });
            if (lacked == holders.end() || own == cell->names.end()) continue;
            const TCellIndex& at = cell->cell;
            throw EDataError(FormatText(
                "the cell (type %d, period %d, zone %d, market %d, firm %d) lacks %s, which the other %d cells "
                "of its kind hold, and holds %s, which none of them holds",
                {cell->type, cell->period, at.zone, at.market, at.firm, NameText(lacked->first),
                 static_cast<int>(peers.size() - 1), NameText(*own)}));
        }
    }
}

}  // namespace cv
