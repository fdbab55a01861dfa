#include "core/store/industry_dump.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/store/bag_form.h"
#include "core/store/industry_file.h"
#include "core/store/series.h"
#include "core/store/volume_set_dump.h"
#include "core/base/errors.h"

namespace cv {

namespace {

constexpr std::uint16_t kPreviewBytes = 16;
constexpr const char* kIndent = "        ";
constexpr const char* kElementIndent = "          ";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string RealText(long double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.12Lg", value);
    return text;
}

std::string ValueText(const TSimValue& value) {
    switch (value.kind) {
    case dkReal48: return RealText(FromReal48(value.real));
    case dkZts: return Quoted(value.text);
    default: return std::to_string(value.integer);
    }
}

void DumpInfo(TGetBuf buf, std::ostream& out) {
    std::uint16_t pos = 0;
    std::string items;
    for (std::uint8_t tag = BufGetByte(buf, pos); tag != kInfoTagEnd; tag = BufGetByte(buf, pos)) {
        items += items.empty() ? " " : ", ";
        if (tag == kInfoTagPeriod)
            items += "current period " + std::to_string(static_cast<std::int16_t>(BufGetWord(buf, pos)));
        else if (tag == kInfoTagScenario)
            items += "scenario " + Quoted(BufGetShortStr(buf, pos));
        else
            items += "skipped tag " + std::to_string(tag);
    }
    out << kIndent << "info:" << items << '\n';
}

void DumpSeriesList(TGetBuf buf, std::ostream& out) {
    TListSeries list;
    std::uint16_t pos = 0;
    list.ReadFromBuffer(buf, pos);
    out << kIndent << "series list: " << list.Count() << " series\n";
    for (int i = 0; i < list.Count(); ++i) {
        const TSeries& series = *list.GetSeries(i);
        out << kIndent << "series " << i << ' ' << Quoted(series.Name()) << " id " << series.Id() << ' '
            << series.Lo() << ".." << series.Hi() << ':';
        for (const std::string& label : series.Labels()) out << ' ' << Quoted(label);
        out << '\n';
    }
}

std::string ElementText(const TSimArr& array, const TIndex& index) {
    if (array.Kind() == dkZts) return Quoted(array.GetZts(index));
    return ValueText(array.GetV(index));
}

// One line per run of the last dimension, prefixed by the leading index components.
void DumpElements(const TSimArr& array, TIndex& index, int d, std::ostream& out) {
    const int last = array.NDim();
    if (d == last) {
        out << kElementIndent;
        if (last > 1) {
            out << '[';
            for (int k = 1; k < last; ++k) out << (k > 1 ? "," : "") << index[k - 1];
            out << ",*]";
        }
        for (int i = array.LB(last); i <= array.UB(last); ++i) {
            index.Set(last - 1, i);
            out << ' ' << ElementText(array, index);
        }
        out << '\n';
        return;
    }
    for (int i = array.LB(d); i <= array.UB(d); ++i) {
        index.Set(d - 1, i);
        DumpElements(array, index, d + 1, out);
    }
}

void DumpArray(const std::string& name, const TSimArr& array, std::ostream& out) {
    out << kIndent << "array " << Quoted(name) << " kind " << static_cast<int>(array.Kind());
    if (array.Kind() == dkZts) out << " max length " << static_cast<int>(array.SubType());
    out << " [";
    for (int d = 1; d <= array.NDim(); ++d)
        out << (d > 1 ? ", " : "") << array.LB(d) << ".." << array.UB(d) << ' ' << Quoted(array.DimName(d));
    out << "]\n";
    if (array.Count() == 0) return;
    TIndex index;
    DumpElements(array, index, 1, out);
}

void DumpBag(TGetBuf buf, std::ostream& out) {
    std::uint16_t pos = 0;
    const TBagFormVisitor visitor{
        .scalar =
            [&out](const std::string& name, const TSimValue& value) {
                out << kIndent << "scalar " << Quoted(name) << " kind " << static_cast<int>(value.kind);
                if (value.kind == dkZts) out << " max length " << static_cast<int>(value.subType);
                out << " = " << ValueText(value) << '\n';
            },
        .array = [&out](const std::string& name, const TSimArr& array) { DumpArray(name, array, out); },
    };
    WalkBagForm(buf, pos, visitor);
}

}  // namespace

void DumpVolumeBytes(TVolSet& set, int position, std::ostream& out) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    set.VolumeGetAt(position, data, size);
    out << kIndent << "bytes:";
    const std::uint16_t shown = std::min(size, kPreviewBytes);
    for (std::uint16_t i = 0; i < shown; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", data[i]);
        out << hex;
    }
    out << (size > shown ? " ..." : "") << '\n';
}

void DumpIndustryVolume(TVolSet& set, int position, std::ostream& out) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    set.VolumeGetAt(position, data, size);
    const TGetBuf buf(data, size);
    try {
        switch (set.Entry(position).keys[0]) {
        case vtInfo: DumpInfo(buf, out); break;
        case vtSeries: DumpSeriesList(buf, out); break;
        case vtConstant:
        case vtResults:
        case vtDecisions:
        case vtDefaults: DumpBag(buf, out); break;
        default: DumpVolumeBytes(set, position, out); break;
        }
    } catch (const EDataError& error) {
        out << '\n' << kIndent << "undecodable: " << error.what() << '\n';
        DumpVolumeBytes(set, position, out);
    } catch (const EOverflowError& error) {
        out << '\n' << kIndent << "undecodable: " << error.what() << '\n';
        DumpVolumeBytes(set, position, out);
    }
}

void DumpVolSetFile(const std::string& fileName, std::ostream& out) {
    TVolSet set;
    set.OpenReadOnly(fileName);
    const bool industry = set.Header().signature == kIndustrySignature;
    DumpVolSet(set, out, industry ? DumpIndustryVolume : DumpVolumeBytes);
    set.Close();
}

}  // namespace cv
