// The walk over one section's index at its end: the last entry may end on the
// index's last word, the walk stops after the entry count even when words
// follow, and an index one word short refuses the last entry alone.

#include "core/language/language_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cv {
namespace {

constexpr int kSection = 3;

// What a walk over Index read: each entry's name and lines, in order.
struct TWalk {
    std::vector<TLangEntry> entries;
    std::string fault;
};

TWalk Walk(const std::vector<std::uint8_t>& pool, const std::vector<std::uint8_t>& index) {
    TLangIndexReader reader(pool, index);
    TWalk walk;
    while (reader.Next()) {
        TLangEntry entry;
        std::string_view name;
        EXPECT_TRUE(reader.Name(name));
        entry.name = name;
        EXPECT_TRUE(reader.AppendLines(entry.lines));
        walk.entries.push_back(entry);
    }
    walk.fault = reader.Fault();
    return walk;
}

bool SameEntries(const std::vector<TLangEntry>& a, const std::vector<TLangEntry>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].lines != b[i].lines) return false;
    return true;
}

TEST(LanguageIndex, TheWalkEndsAtTheLastEntryWhereverTheIndexEnds) {
    // The last entry with lines, and with none.
    const std::vector<std::vector<TLangEntry>> sections = {
        {{"First", {"one", "two"}}, {"Last", {"three", "four", "five"}}},
        {{"First", {"one"}}, {"Empty", {}}},
    };
    for (const auto& entries : sections) {
        SCOPED_TRACE(entries.back().name);
        const TLangSectionForm form = EncodeLangSection(kSection, entries);

        // The last entry ends on the index's last word: every entry, no fault.
        const TWalk whole = Walk(form.pool, form.index);
        EXPECT_TRUE(SameEntries(whole.entries, entries));
        EXPECT_EQ(whole.fault, "");

        // Words after the last entry: the entry count ends the walk.
        std::vector<std::uint8_t> longer = form.index;
        longer.insert(longer.end(), {1, 0, 5, 0, 0, 0});
        const TWalk padded = Walk(form.pool, longer);
        EXPECT_TRUE(SameEntries(padded.entries, entries));
        EXPECT_EQ(padded.fault, "");

        // One word short: the last entry runs past the index and is refused alone.
        const std::vector<std::uint8_t> shorter(form.index.begin(), form.index.end() - 2);
        const TWalk cut = Walk(form.pool, shorter);
        EXPECT_TRUE(SameEntries(cut.entries, {entries.begin(), entries.end() - 1}));
        EXPECT_NE(cut.fault.find("entry 2 of 2 runs past the"), std::string::npos) << cut.fault;
    }
}

}  // namespace
}  // namespace cv
