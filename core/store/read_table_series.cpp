#include "core/store/read_table_series.h"

#include <algorithm>

namespace cv {
namespace {

int RefOf(TTableSeriesNames& table, std::string_view name) {
    if (name.empty()) return -1;
    const auto known = std::ranges::find(table.names, name);
    if (known != table.names.end()) return static_cast<int>(known - table.names.begin());
    table.names.push_back(name);
    return static_cast<int>(table.names.size()) - 1;
}

}  // namespace

const TTableSeriesNames& TableSeriesNames() {
    static const TTableSeriesNames kNames = [] {
        TTableSeriesNames table;
        for (const TIndustryRead& read : IndustryReads()) {
            TTableSeriesNames::TRefs& refs = table.entries.emplace_back();
            for (std::size_t d = 0; d < read.dims.size(); ++d) refs.dims[d] = RefOf(table, read.dims[d]);
            refs.bound = RefOf(table, read.bound);
            for (std::size_t e = 0; e < read.elements.size(); ++e) refs.elements[e] = RefOf(table, read.elements[e].bound);
        }
        return table;
    }();
    return kNames;
}

}  // namespace cv
