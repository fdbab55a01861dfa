#pragma once
// Inventory layers of one firm in one zone and market: "Inventory" [layer,
// firm's brand, InvSize / InvTCost], layer k holding the units produced in
// period k that are still in stock and their unit transfer cost. Layers run
// from period 0 up to the period of the set; every loop is also held to the
// array's own bounds, and a brand row is checked before it is used.

#include <algorithm>
#include <string_view>

#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "model/model_access.h"

namespace cv {

class TInventoryLayers {
public:
    explicit TInventoryLayers(TSimArr& array) : array_(array) {}

    // The first layer (period 0, or the array's first) and the last one up to Period.
    int First() const { return std::max(0, static_cast<int>(array_.LB(1))); }
    int Last(int period) const { return std::min(period, static_cast<int>(array_.UB(1))); }
    int LastOfArray() const { return array_.UB(1); }

    // EModelError naming the array when Row, or Layer, lies outside it.
    void RequireRow(int row) const { RequireLayer(array_.LB(1), row); }
    void RequireLayer(int layer, int row) const {
        RequireIndex(array_, kName, {layer, row, si::InvSize});
        RequireIndex(array_, kName, {layer, row, si::InvTCost});
    }

    long double Size(int layer, int row) const { return array_.GetReal48({layer, row, si::InvSize}); }
    long double Cost(int layer, int row) const { return array_.GetReal48({layer, row, si::InvTCost}); }
    void Set(int layer, int row, long double size, long double cost) {
        array_.SetReal48({layer, row, si::InvSize}, size);
        array_.SetReal48({layer, row, si::InvTCost}, cost);
    }
    void SetSize(int layer, int row, long double size) { array_.SetReal48({layer, row, si::InvSize}, size); }

    // Units of Row over every layer of the array.
    long double TotalSize(int row) const {
        long double total = 0;
        for (int layer = array_.LB(1); layer <= array_.UB(1); ++layer) total += Size(layer, row);
        return total;
    }

    static constexpr std::string_view kName = "Inventory";

private:
    TSimArr& array_;
};

}  // namespace cv
