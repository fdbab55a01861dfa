#include "core/data/typed_array.h"

#include "core/services/text_format.h"

// The tagged stored forms of arrays and named arrays (docs/tagged_forms.md).

namespace cv {

namespace {

constexpr std::string_view kReadOutOfMemory = "Out of memory ! Close other applications and restart Corvantis3";

// Tags of the array form (docs/tagged_forms.md).
constexpr std::uint8_t kTagKind = '3';
constexpr std::uint8_t kTagSubType = '4';
constexpr std::uint8_t kTagNDim = '5';
constexpr std::uint8_t kTagLowerBounds = '6';
constexpr std::uint8_t kTagUpperBounds = '7';
constexpr std::uint8_t kTagElements = '8';
constexpr std::uint8_t kTagArrayEnd = 'd';
// Tags of the named-array form around it.
constexpr std::uint8_t kTagDimName = 103;
constexpr std::uint8_t kTagBody = 104;
constexpr std::uint8_t kTagSimArrEnd = 200;

// Filled in place: an index built a component at a time and then copied whole
// stalls the processor on every array read.
void ReadBounds(TGetBuf buf, std::uint16_t& pos, int nDim, TIndex& bounds) {
    if (nDim > kMaxDims) throw EDataError(FormatText("array with %d dimensions", {nDim}));
    bounds = TIndex();
    for (int d = 0; d < nDim; ++d) bounds.Set(d, static_cast<std::int16_t>(BufGetWord(buf, pos)));
}

}  // namespace

void TDynArr::WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const {
    if (nDim_ == 0) throw ERangeError();
    BufPutByte(buf, pos, kTagKind);
    BufPutByte(buf, pos, kind_);
    BufPutByte(buf, pos, kTagSubType);
    BufPutByte(buf, pos, subType_);
    BufPutByte(buf, pos, kTagNDim);
    BufPutByte(buf, pos, static_cast<std::uint8_t>(nDim_));
    BufPutByte(buf, pos, kTagLowerBounds);
    for (int d = 0; d < nDim_; ++d) BufPutWord(buf, pos, static_cast<std::uint16_t>(lb_[d]));
    BufPutByte(buf, pos, kTagUpperBounds);
    for (int d = 0; d < nDim_; ++d) BufPutWord(buf, pos, static_cast<std::uint16_t>(ub_[d]));
    BufPutByte(buf, pos, kTagElements);
    if (kind_ == dkZts) {
        for (std::uint32_t i = 0; i < count_; ++i) BufPutZts(buf, pos, texts_[i], subType_);
    } else {
        BufPutBlock(buf, pos, data_.get(), byteSize_);
    }
    BufPutByte(buf, pos, kTagArrayEnd);
}

void TDynArr::ReadFromBuffer(TGetBuf buf, std::uint16_t& pos) {
    std::uint8_t kind = 0;
    std::uint8_t subType = 0;
    int nDim = 0;
    TIndex lb;
    TIndex ub;
    bool hasElements = false;
    for (;;) {
        switch (BufGetByte(buf, pos)) {
        case kTagKind: kind = BufGetByte(buf, pos); break;
        case kTagSubType: subType = BufGetByte(buf, pos); break;
        case kTagNDim: nDim = BufGetByte(buf, pos); break;
        case kTagLowerBounds: ReadBounds(buf, pos, nDim, lb); break;
        case kTagUpperBounds: ReadBounds(buf, pos, nDim, ub); break;
        case kTagElements:
            ReadElements(ShapeForReading(kind, subType, nDim, lb, ub), buf, pos);
            hasElements = true;
            break;
        case kTagArrayEnd:
            if (!hasElements) throw EDataError("array ends before its elements");
            modified_ = false;
            return;
        default: break;  // not a tag of this form: skipped
        }
    }
}

TDynArr::TShape TDynArr::ShapeForReading(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb,
                                         const TIndex& ub) {
    if (kind > dkZts) throw EDataError(FormatText("array of unknown element kind %d", {kind}));
    if (nDim < 1 || nDim > kMaxDims || lb.Count() < nDim || ub.Count() < nDim) {
        throw EDataError(FormatText("array with %d dimensions and incomplete bounds", {nDim}));
    }
    try {
        return PlanShape(kind, subType, nDim, lb, ub);
    } catch (const ERangeError&) {
        throw EDataError("array shape beyond the limits");
    }
}

// A truncated field raises before the array changes.
void TDynArr::ReadElements(const TShape& shape, TGetBuf buf, std::uint16_t& pos) {
    if (shape.kind == dkZts) {
        std::vector<std::string> texts = AllocateTexts(shape, kReadOutOfMemory);
        for (std::uint32_t i = 0; i < shape.count; ++i) texts[i] = BufGetZts(buf, pos, shape.subType);
        Adopt(shape, nullptr, std::move(texts));
        return;
    }
    const std::size_t byteSize = std::size_t{shape.count} * shape.elementSize;
    std::unique_ptr<std::uint8_t[]> block = AllocateBlock(shape, byteSize == 0, kReadOutOfMemory);
    BufGetBlock(buf, pos, block.get(), byteSize);
    Adopt(shape, std::move(block), {});
}

void TSimArr::WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const {
    for (int d = 0; d < NDim(); ++d) {
        BufPutByte(buf, pos, kTagDimName);
        BufPutShortStr(buf, pos, dimNames_[d], kDimNameMax);
    }
    BufPutByte(buf, pos, kTagBody);
    TDynArr::WriteToBuffer(buf, pos);
    BufPutByte(buf, pos, kTagSimArrEnd);
}

void TSimArr::ReadFromBuffer(TGetBuf buf, std::uint16_t& pos) {
    std::array<std::string_view, kMaxDims> names;  // views into Buf
    std::size_t nameCount = 0;
    bool hasBody = false;
    for (;;) {
        switch (BufGetByte(buf, pos)) {
        case kTagDimName: {
            const std::string_view name = BufGetShortStrView(buf, pos);
            if (nameCount < names.size()) names[nameCount++] = name.substr(0, kDimNameMax);
            break;
        }
        case kTagBody:
            TDynArr::ReadFromBuffer(buf, pos);
            hasBody = true;
            break;
        case kTagSimArrEnd:
            if (!hasBody) throw EDataError("named array ends before its body");
            for (std::size_t d = 0; d < names.size(); ++d) dimNames_[d].assign(names[d]);
            return;
        default: break;  // not a tag of this form: skipped
        }
    }
}

}  // namespace cv
