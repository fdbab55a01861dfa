#include "core/language/translator.h"

#include <fstream>

#include "core/store/volume_set.h"
#include "core/base/errors.h"
#include "core/base/file_routines.h"
#include "core/language/language_file.h"
#include "core/base/log_file.h"

namespace cv {

std::unique_ptr<TTranslate> Translator;
std::string VersionSuffix;

namespace {

constexpr std::string_view kUnknownSection = "Unknown section : ";
constexpr std::string_view kBadLineNumber = "bad line number ";

}  // namespace

TTranslate::TTranslate() = default;

TTranslate::~TTranslate() = default;

void TTranslate::Open(const std::string& fileName) {
    Close();
    auto set = std::make_unique<TVolSet>();
    set->OpenReadOnly(fileName);
    volSet_ = std::move(set);
}

void TTranslate::Close() {
    if (volSet_) volSet_->Close();
    volSet_.reset();
    ResetCache();
}

bool TTranslate::IsOpen() const { return volSet_ != nullptr; }

void TTranslate::ResetCache() {
    lineCache_.clear();
    cachedSection_ = kNoSection;
    cachedKey_.clear();
}

bool TTranslate::ReadSection(int section) {
    if (!volSet_ || section < INT16_MIN || section > INT16_MAX) return false;
    const auto sectionKey = static_cast<std::int16_t>(section);
    try {
        const std::uint8_t* bytes = nullptr;
        std::uint16_t size = 0;
        if (!volSet_->VolumeGet(bytes, size, {sectionKey, kLangPartPool})) return false;
        pool_.assign(bytes, bytes + size);
        if (!volSet_->VolumeGet(bytes, size, {sectionKey, kLangPartIndex})) return false;
        index_.assign(bytes, bytes + size);
    } catch (const EVolSetError& error) {
        LogFmt(0, "%s", {error.what()});
        return false;
    }
    return true;
}

void TTranslate::LogFault(int section, const std::string& fault) const {
    if (fault.empty()) return;
    LogFmt(0, "Language file %s, section %d: %s; the entry counts as missing",
           {volSet_->FileName(), section, fault});
}

void TTranslate::CollectLines(const std::string& name, std::vector<std::string>& lines, std::string& fault) const {
    TLangIndexReader reader(pool_, index_);
    while (reader.Next()) {
        std::string_view entryName;
        if (reader.Name(entryName) && SameTextAscii(entryName, name)) reader.AppendLines(lines);
    }
    if (fault.empty()) fault = reader.Fault();
}

void TTranslate::GetLines(int section, const std::string& key, std::vector<std::string>& lines) {
    lines.clear();
    if (!ReadSection(section)) {
        if (section != kSectionMenus) lines.push_back(std::string(kUnknownSection) + std::to_string(section));
        return;
    }
    std::string fault;
    if (!VersionSuffix.empty()) CollectLines(key + VersionSuffix, lines, fault);
    if (lines.empty()) CollectLines(key, lines, fault);
    LogFault(section, fault);
}

void TTranslate::GetLine(int section, const std::string& key, int lineNo, std::string& text) {
    if (section != cachedSection_ || !SameTextAscii(key, cachedKey_)) {
        cachedSection_ = section;
        cachedKey_ = key;
        GetLines(section, key, lineCache_);
    }
    if (lineNo >= 1 && static_cast<std::size_t>(lineNo) <= lineCache_.size())
        text = lineCache_[static_cast<std::size_t>(lineNo - 1)];
    else
        text = std::string(kBadLineNumber) + std::to_string(lineNo);
}

std::string TTranslate::GetLine(int section, const std::string& key, int lineNo) {
    std::string text;
    GetLine(section, key, lineNo, text);
    return text;
}

void TTranslate::SeriesLine(const std::string& key, int lineNo, std::string& text) {
    GetLine(kSectionSeries, key, lineNo, text);
}

void TTranslate::ControlsLine(const std::string& key, int lineNo, std::string& text) {
    GetLine(kSectionControls, key, lineNo, text);
}

void TTranslate::MessagesLine(const std::string& key, int lineNo, std::string& text) {
    GetLine(kSectionMessages, key, lineNo, text);
}

void TTranslate::GlobalsLine(const std::string& key, int lineNo, std::string& text) {
    GetLine(kSectionGlobals, key, lineNo, text);
}

void TTranslate::DecsLine(const std::string& key, int lineNo, std::string& text) {
    GetLine(kSectionDecs, key, lineNo, text);
}

void TTranslate::GetKeys(int section, std::vector<std::string>& list) {
    list.clear();
    if (!ReadSection(section)) {
        list.push_back(std::string(kUnknownSection) + std::to_string(section));
        return;
    }
    TLangIndexReader reader(pool_, index_);
    while (reader.Next()) {
        std::string_view name;
        if (reader.Name(name)) list.emplace_back(name);
    }
    LogFault(section, reader.Fault());
}

int TTranslate::SectionIndex(const std::string& name) { return LangSectionIndex(name); }

void ReadVersionSuffix() {
    VersionSuffix.clear();
    const auto fileName = ResolveFileNameCase("", kVersionFileName);
    if (!fileName) return;
    std::ifstream file(*fileName, std::ios::binary);
    if (!file || !std::getline(file, VersionSuffix)) {
        VersionSuffix.clear();
        return;
    }
    if (!VersionSuffix.empty() && VersionSuffix.back() == '\r') VersionSuffix.pop_back();
}

}  // namespace cv
