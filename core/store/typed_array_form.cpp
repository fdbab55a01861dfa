#include "core/store/typed_array.h"

#include <utility>

#include "core/base/text_format.h"
#include "core/store/shape_memo.h"

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
// The bytes of a text field besides its characters: the length and the closing zero.
constexpr std::size_t kTextFieldOverhead = 2;
// The array form's seven tags, kind, sub type and dimension count.
constexpr std::size_t kFormHeader = 10;
// A dimension name in the named form: its tag, then L, C, L and the characters.
constexpr std::size_t kDimNameField = 1 + 3 + TSimArr::kDimNameMax;

// Filled in place: an index built a component at a time and then copied whole
// stalls the processor on every array read.
void ReadBounds(TGetBuf buf, std::uint16_t& pos, int nDim, TIndex& bounds) {
    if (nDim > kMaxDims) throw EDataError(FormatText("array with %d dimensions", {nDim}));
    bounds = TIndex();
    for (int d = 0; d < nDim; ++d) bounds.Set(d, static_cast<std::int16_t>(BufGetWord(buf, pos)));
}

std::int16_t StoredWord(const std::uint8_t* bytes) { return static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8)); }

using TDimNameViews = std::array<std::string_view, kMaxDims>;

// The one reader of the named-array form: Body(buf, pos) takes the array
// form; the dimension names are views into Buf, cut to their maximum.
template <class Body>
TDimNameViews ParseNamedForm(TGetBuf buf, std::uint16_t& pos, Body&& body) {
    TDimNameViews names;
    std::size_t nameCount = 0;
    bool hasBody = false;
    for (;;) {
        switch (BufGetByte(buf, pos)) {
        case kTagDimName: {
            const std::string_view name = BufGetShortStrView(buf, pos);
            if (nameCount < names.size()) names[nameCount++] = name.substr(0, TSimArr::kDimNameMax);
            break;
        }
        case kTagBody:
            body(buf, pos);
            hasBody = true;
            break;
        case kTagSimArrEnd:
            if (!hasBody) throw EDataError("named array ends before its body");
            return names;
        default: break;  // not a tag of this form: skipped
        }
    }
}

// The names read, kept for the process (the trailing empty ones, which the
// names of an array always end with, left out); more distinct names than are
// kept make the form unreadable.
TDimNames NamesForReading(const TDimNameViews& names) {
    std::size_t count = names.size();
    while (count > 0 && names[count - 1].empty()) --count;
    try {
        return TDimNames(std::span(names).first(count));
    } catch (const ERangeError&) {
        throw EDataError("named array with more distinct dimension names than are kept");
    }
}

// Puts a form of Size bytes (0: not known) through Put(fields): checked once
// when it fits, else field by field, so that a form that does not fit raises
// at the field that ends past the buffer, as the puts do.
template <class Put>
void PutFields(TPutBuf buf, std::uint16_t& pos, std::size_t size, Put&& put) {
    if (size != 0 && BufFits(buf, pos, size)) {
        TFieldPuts<false> fields(buf, pos);
        put(fields);
    } else {
        TFieldPuts<true> fields(buf, pos);
        put(fields);
    }
}

}  // namespace

std::size_t TDynArr::FormSize() const {
    if (nDim_ == 0 || (kind_ == dkZts && subType_ == 0)) return 0;
    const std::size_t elements = kind_ == dkZts ? std::size_t{count_} * (subType_ + kTextFieldOverhead) : byteSize_;
    return kFormHeader + 4 * std::size_t{nDim_} + elements;
}

template <class Fields>
void TDynArr::PutForm(Fields& fields) const {
    if (nDim_ == 0) throw ERangeError();
    fields.Byte(kTagKind);
    fields.Byte(kind_);
    fields.Byte(kTagSubType);
    fields.Byte(subType_);
    fields.Byte(kTagNDim);
    fields.Byte(nDim_);
    fields.Byte(kTagLowerBounds);
    for (int d = 0; d < nDim_; ++d) fields.Word(static_cast<std::uint16_t>(lb_[d]));
    fields.Byte(kTagUpperBounds);
    for (int d = 0; d < nDim_; ++d) fields.Word(static_cast<std::uint16_t>(ub_[d]));
    fields.Byte(kTagElements);
    if (kind_ == dkZts) {
        for (std::uint32_t i = 0; i < count_; ++i) fields.Zts(TextAt(i), subType_);
    } else {
        fields.Block(data_.get(), byteSize_);
    }
    fields.Byte(kTagArrayEnd);
}

void TDynArr::WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const {
    PutFields(buf, pos, FormSize(), [this](auto& fields) { PutForm(fields); });
}

std::size_t TextFieldSizeBound(std::string_view text, std::uint8_t maxLen) {
    constexpr std::size_t kFieldHeaderBound = 4;  // a short string's three length bytes, a text's length and end
    if (maxLen == 0 && text.size() > kMaxFieldText) return kNoSizeBound;
    return kFieldHeaderBound + std::max<std::size_t>(text.size(), maxLen);
}

// The form's size, or for texts of no maximum length its header, two bounds
// per dimension, and a bound for each text.
std::size_t TDynArr::StoredSizeBound() const {
    if (nDim_ == 0) return kNoSizeBound;
    if (const std::size_t size = FormSize(); size != 0) return size;
    std::size_t size = kFormHeader + 4 * static_cast<std::size_t>(nDim_);
    for (std::uint32_t i = 0; i < count_; ++i) size = AddSizeBounds(size, TextFieldSizeBound(TextAt(i), subType_));
    return size;
}

template <class OnElements>
void TDynArr::ParseForm(TGetBuf buf, std::uint16_t& pos, OnElements&& onElements) {
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
            onElements(ShapeForReading(kind, subType, nDim, lb, ub), buf, pos);
            hasElements = true;
            break;
        case kTagArrayEnd:
            if (!hasElements) throw EDataError("array ends before its elements");
            return;
        default: break;  // not a tag of this form: skipped
        }
    }
}

void TDynArr::ReadFromBuffer(TGetBuf buf, std::uint16_t& pos) {
    // The elements are taken over only once the whole form has been read, so
    // that a form refused after them leaves this array as it was.
    TDynArr read;
    ParseForm(buf, pos, [&read](const TShape& shape, TGetBuf elements, std::uint16_t& at) {
        read.ReadElements(shape, elements, at);
    });
    TDynArr::operator=(std::move(read));
    modified_ = false;
}

TDynArr::TStoredBounds TDynArr::BoundsOf(const TShape& shape) {
    TStoredBounds bounds;
    bounds.kind = shape.kind;
    bounds.nDim = shape.nDim;
    bounds.lb = shape.lb;
    bounds.ub = shape.ub;
    return bounds;
}

TDynArr::TStoredBounds TDynArr::CheckBuffer(TGetBuf buf, std::uint16_t& pos) {
    TStoredBounds bounds;
    ParseForm(buf, pos, [&bounds](const TShape& shape, TGetBuf elements, std::uint16_t& at) {
        bounds = BoundsOf(shape);
        SkipElements(shape, elements, at);
    });
    return bounds;
}

// The checks that remain when every tag is where WriteToBuffer puts it are
// those of the shape; the rest is a few compares instead of a tag loop.
template <class Take>
std::size_t TDynArr::FindWrittenForm(const std::uint8_t* bytes, std::size_t end, std::size_t at, std::uint8_t closing,
                                     Take&& take) {
    constexpr std::size_t kHeaderSize = 7;  // '3' kind '4' sub type '5' dimension count '6'
    if (at + kHeaderSize > end) return 0;
    const std::uint8_t* header = bytes + at;
    if (header[0] != kTagKind || header[2] != kTagSubType || header[4] != kTagNDim || header[6] != kTagLowerBounds)
        return 0;
    const int nDim = header[5];
    const std::uint8_t kind = header[1];
    const std::uint8_t subType = header[3];
    // Texts of a maximum length each take a field of that length; texts of
    // any length are walked field by field by the full reader.
    if (nDim < 1 || nDim > kMaxDims || (kind == dkZts && subType == 0)) return 0;
    const std::size_t lowerAt = at + kHeaderSize;
    const std::size_t upperAt = lowerAt + 2 * nDim + 1;     // after '7'
    const std::size_t elementsAt = upperAt + 2 * nDim + 1;  // after '8'
    if (elementsAt > end || bytes[upperAt - 1] != kTagUpperBounds || bytes[elementsAt - 1] != kTagElements) return 0;
    thread_local TShapeMemo<TShape> shapes;
    const TShape* known = shapes.Find(bytes + at, elementsAt - at);
    if (known == nullptr) {
        TIndex lb;
        TIndex ub;
        for (int d = 0; d < nDim; ++d) {
            lb.Set(d, StoredWord(bytes + lowerAt + 2 * d));
            ub.Set(d, StoredWord(bytes + upperAt + 2 * d));
        }
        known = &shapes.Keep(bytes + at, elementsAt - at, ShapeForReading(kind, subType, nDim, lb, ub));
    }
    const TShape& shape = *known;
    const std::size_t storedSize = kind == dkZts ? subType + kTextFieldOverhead : shape.elementSize;
    const std::size_t endTagAt = elementsAt + std::size_t{shape.count} * storedSize;
    if (endTagAt + 1 >= end || bytes[endTagAt] != kTagArrayEnd || bytes[endTagAt + 1] != closing) return 0;
    take(shape, elementsAt);
    return endTagAt + 2;
}

void TDynArr::ReadWrittenElements(const TShape& shape, TGetBuf buf, std::size_t elementsAt) {
    auto pos = static_cast<std::uint16_t>(elementsAt);
    ReadElements(shape, buf, pos);
    modified_ = false;
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
    if (shape.kind == dkZts) return ReadTexts(shape, buf, pos);
    const std::size_t byteSize = std::size_t{shape.count} * shape.elementSize;
    std::unique_ptr<std::uint8_t[]> block = AllocateBlock(shape, byteSize == 0, 0, kReadOutOfMemory);
    BufGetBlock(buf, pos, block.get(), byteSize);
    Adopt(shape, std::move(block));
}

// Texts of a maximum length lie in fields of one size: once their extent is
// checked, each is read in place. Other texts, and fields that run past the
// end, are read as BufGetZtsView reads them, raising at the first bad field.
void TDynArr::ReadTexts(const TShape& shape, TGetBuf buf, std::uint16_t& pos) {
    const std::uint8_t maxLen = shape.subType;
    const std::size_t fieldSize = maxLen + kTextFieldOverhead;
    if (maxLen != 0 && pos + shape.count * fieldSize <= BufReadableEnd(buf)) {
        return ReadTextFields(shape, pos, [buf, maxLen, fieldSize](std::uint16_t& at) {
            const std::uint8_t* field = buf.data + at;
            at = static_cast<std::uint16_t>(at + fieldSize);
            return std::string_view(reinterpret_cast<const char*>(field + 1), std::min(field[0], maxLen));
        });
    }
    ReadTextFields(shape, pos, [buf, maxLen](std::uint16_t& at) { return BufGetZtsView(buf, at, maxLen); });
}

template <class Field>
void TDynArr::ReadTextFields(const TShape& shape, std::uint16_t& pos, Field&& field) {
    std::uint16_t at = pos;
    std::size_t room = shape.count == 0 ? ElementRoom(shape.subType, 0) : 0;
    for (std::uint32_t i = 0; i < shape.count; ++i) room += ElementRoom(shape.subType, field(at).size());
    std::unique_ptr<std::uint8_t[]> block =
        AllocateBlock(shape, shape.count == 0, static_cast<std::uint32_t>(room), kReadOutOfMemory);
    char* chars = reinterpret_cast<char*>(block.get() + TextCharsAt(shape.Slots()));
    std::uint32_t end = 0;
    for (std::uint32_t i = 0; i < shape.count; ++i) {
        const std::string_view text = field(pos);
        std::copy(text.begin(), text.end(), chars + end);
        end += static_cast<std::uint32_t>(text.size());
        StoreWord32(block.get() + kTextEndSize * i, end);
    }
    Adopt(shape, std::move(block));
}

// The same fields as ReadElements, each checked over its extent.
void TDynArr::SkipElements(const TShape& shape, TGetBuf buf, std::uint16_t& pos) {
    if (shape.kind == dkZts) {
        for (std::uint32_t i = 0; i < shape.count; ++i) BufGetZtsView(buf, pos, shape.subType);
        return;
    }
    BufSkipBlock(buf, pos, std::size_t{shape.count} * shape.elementSize);
}

// The dimension names, then the body and end tags around the array form.
std::size_t TSimArr::StoredSizeBound() const {
    return AddSizeBounds(TDynArr::StoredSizeBound(), kDimNameField * static_cast<std::size_t>(NDim()) + 2);
}

std::size_t TSimArr::NamedFormSize() const {
    const std::size_t size = FormSize();
    return size == 0 ? 0 : size + kDimNameField * static_cast<std::size_t>(NDim()) + 2;
}

void TSimArr::WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const {
    PutFields(buf, pos, NamedFormSize(), [this](auto& fields) {
        for (int d = 0; d < NDim(); ++d) {
            fields.Byte(kTagDimName);
            fields.ShortStr(DimName(d + 1), kDimNameMax);
        }
        fields.Byte(kTagBody);
        PutForm(fields);
        fields.Byte(kTagSimArrEnd);
    });
}

void TSimArr::ReadFromBuffer(TGetBuf buf, std::uint16_t& pos) {
    TDimNameViews names;
    TDimNames dimNames;
    const std::size_t writtenEnd = FindWrittenNamedForm(
        buf, pos, &names, [this, buf, &names, &dimNames](const TShape& shape, std::size_t elementsAt) {
            dimNames = NamesForReading(names);
            ReadWrittenElements(shape, buf, elementsAt);
        });
    if (writtenEnd != 0) {
        pos = static_cast<std::uint16_t>(writtenEnd);
    } else {
        // As for the bare form: the body is taken over only once the named form has ended.
        TDynArr read;
        names = ParseNamedForm(buf, pos, [&read](TGetBuf body, std::uint16_t& at) { read.ReadFromBuffer(body, at); });
        dimNames = NamesForReading(names);
        TDynArr::operator=(std::move(read));
    }
    dimNames_ = dimNames;
}

TSimArr::TStoredDims TSimArr::CheckBuffer(TGetBuf buf, std::uint16_t& pos) {
    TStoredDims dims;
    const auto takeBounds = [&dims, &buf](const TShape& shape, std::size_t elementsAt) {
        static_cast<TStoredBounds&>(dims) = BoundsOf(shape);
        if (shape.kind != dkZts) dims.elements = buf.data + elementsAt;
    };
    const std::size_t writtenEnd = FindWrittenNamedForm(buf, pos, &dims.names, takeBounds);
    if (writtenEnd != 0) {
        pos = static_cast<std::uint16_t>(writtenEnd);
        return dims;
    }
    TStoredBounds bounds;
    dims.names = ParseNamedForm(buf, pos, [&bounds](TGetBuf body, std::uint16_t& at) {
        bounds = TDynArr::CheckBuffer(body, at);
    });
    static_cast<TStoredBounds&>(dims) = bounds;
    return dims;
}

// The names as ParseNamedForm takes them: the first five, cut to their maximum.
template <class Take>
std::size_t TSimArr::FindWrittenNamedForm(TGetBuf buf, std::size_t pos, TDimNameViews* names, Take&& take) {
    constexpr std::size_t kNameHeader = 4;  // the tag, then L, C, L
    const std::size_t end = BufReadableEnd(buf);
    const std::uint8_t* bytes = buf.data;
    std::size_t at = pos;
    std::size_t nameCount = 0;
    while (at < end && bytes[at] == kTagDimName) {
        if (at + kNameHeader > end) return 0;
        const std::uint8_t capacity = bytes[at + 2];
        if (at + kNameHeader + capacity > end) return 0;
        if (names != nullptr && nameCount < names->size()) {
            const std::size_t length = std::min<std::size_t>({bytes[at + 1], capacity, kDimNameMax});
            (*names)[nameCount++] = std::string_view(reinterpret_cast<const char*>(bytes + at + kNameHeader), length);
        }
        at += kNameHeader + capacity;
    }
    if (at >= end || bytes[at] != kTagBody) return 0;
    return FindWrittenForm(bytes, end, at + 1, kTagSimArrEnd, take);
}

}  // namespace cv
