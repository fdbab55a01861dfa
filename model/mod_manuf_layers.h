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
    explicit TInventoryLayers(TSimArr& array)
        : array_(array),
          direct_(array.Kind() == dkReal48 && array.NDim() == 3),
          layerStride_(array.Stride(1)),
          rowStride_(array.Stride(2)),
          sizeColumn_(si::InvSize - array.LB(3)),
          costColumn_(si::InvTCost - array.LB(3)) {}

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

    // Elements of a row that passed RequireRow (and of a layer within the
    // array's bounds): a three-dimensional Real48 array is addressed directly.
    long double Size(int layer, int row) const {
        return direct_ ? array_.Real48At(Position(layer, row) + sizeColumn_)
                       : array_.GetReal48({layer, row, si::InvSize});
    }
    long double Cost(int layer, int row) const {
        return direct_ ? array_.Real48At(Position(layer, row) + costColumn_)
                       : array_.GetReal48({layer, row, si::InvTCost});
    }
    void Set(int layer, int row, long double size, long double cost) {
        SetSize(layer, row, size);
        if (direct_)
            array_.SetReal48At(Position(layer, row) + costColumn_, cost);
        else
            array_.SetReal48({layer, row, si::InvTCost}, cost);
    }
    void SetSize(int layer, int row, long double size) {
        if (direct_)
            array_.SetReal48At(Position(layer, row) + sizeColumn_, size);
        else
            array_.SetReal48({layer, row, si::InvSize}, size);
    }

    // Units of Row over every layer of the array.
    long double TotalSize(int row) const {
        long double total = 0;
        if (!direct_) {
            for (int layer = array_.LB(1); layer <= array_.UB(1); ++layer) total += Size(layer, row);
            return total;
        }
        std::size_t position = Position(array_.LB(1), row) + sizeColumn_;
        for (int layer = array_.LB(1); layer <= array_.UB(1); ++layer, position += layerStride_)
            total += array_.Real48At(position);
        return total;
    }

    static constexpr std::string_view kName = "Inventory";

private:
    std::size_t Position(int layer, int row) const {
        return static_cast<std::size_t>(layer - array_.LB(1)) * layerStride_ +
               static_cast<std::size_t>(row - array_.LB(2)) * rowStride_;
    }

    TSimArr& array_;
    bool direct_;
    std::size_t layerStride_;
    std::size_t rowStride_;
    std::size_t sizeColumn_;
    std::size_t costColumn_;
};

}  // namespace cv
