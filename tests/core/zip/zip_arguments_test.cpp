#include <gtest/gtest.h>

#include "core/zip/xceed_zip.h"
#include "core/zip/zip_args.h"
#include "core/zip/zip_engine.h"
#include "core/zip/zip_errors.h"

namespace cv {
namespace {

using Args = std::vector<std::string>;

// What the component's settings say reaches the engine through its vector.
TEST(ZipArguments, EngineDecodesEverySettingOfTheComponent) {
    TXceedZip zip;
    zip.Password = "-starts-like-an-option";
    zip.Compression = 0;
    zip.MoveFiles = zip.IncludeHiddenFiles = zip.IncludeDirectoryEntries = zip.IncludeVolumeLabel = true;
    zip.Recurse = zip.MultidiskMode = zip.ClearDisks = true;
    zip.UseTempFile = false;
    zip.TempPath = "/tmp/work";
    zip.StoredExtensions = ".zip;.Lzh;;";
    zip.ZipFileName = "a.zip";
    zip.FilesToProcess = {">*.a", "f1", "<*.b", "f2", ">*.c"};
    TZipRequest request;
    ASSERT_TRUE(ParseZipArgs(zip.ZipArguments(), request));
    EXPECT_EQ(request.password, "-starts-like-an-option");
    EXPECT_TRUE(request.encrypt && request.moveFiles && request.includeHidden && request.directoryEntries &&
                request.volumeLabel && request.recurse && request.noTempFile && request.multidisk &&
                request.clearDisks);
    EXPECT_EQ(request.level, 0);
    EXPECT_FALSE(request.junkPaths);
    EXPECT_EQ(request.tempPath, "/tmp/work");
    EXPECT_EQ(request.storedExtensions, (Args{".ZIP", ".LZH"}));
    EXPECT_EQ(request.since, kZipEarliestDate);
    EXPECT_EQ(request.archive, "a.zip");
    EXPECT_EQ(request.patterns, (Args{"f1", "f2"}));
    EXPECT_EQ(request.includes, (Args{"*.a", "*.c"}));
    EXPECT_EQ(request.excludes, Args{"*.b"});

    // Without paths no directory entries; without a plain entry the patterns are dropped.
    zip.Password.clear();
    zip.Compression = 9;
    zip.UsePaths = false;
    zip.FilesToProcess = {">*.a", "<*.b"};
    ASSERT_TRUE(ParseZipArgs(zip.ZipArguments(), request));
    EXPECT_FALSE(request.encrypt || request.directoryEntries);
    EXPECT_TRUE(request.junkPaths);
    EXPECT_EQ(request.level, 9);
    EXPECT_TRUE(request.patterns.empty() && request.includes.empty() && request.excludes.empty());

    // Unzip knows only excludes: '>' entries stand as they are.
    zip.FilesToProcess = {">x", "<b*", "*.txt"};
    zip.ExtractDirectory = "out";
    TUnzipRequest unzip;
    for (const auto& [overwrite, mode] :
         {std::pair{xowNever, TZipOverwriteMode::zomNever}, {xowAlways, TZipOverwriteMode::zomAlways},
          {xowAsk, TZipOverwriteMode::zomAsk}}) {
        zip.Overwrite = overwrite;
        ASSERT_TRUE(ParseUnzipArgs(zip.UnzipArguments(), unzip));
        EXPECT_EQ(unzip.overwrite, mode);
    }
    EXPECT_EQ(unzip.first, 0);
    EXPECT_EQ(unzip.second, -1);
    EXPECT_TRUE(unzip.junkPaths && unzip.multidisk);
    EXPECT_EQ(unzip.archive, "a.zip");
    EXPECT_EQ(unzip.patterns, (Args{">x", "*.txt"}));
    EXPECT_EQ(unzip.excludes, Args{"b*"});
    EXPECT_EQ(unzip.extractDirectory, "out");
}

TEST(ZipArguments, EngineRefusesMalformedVectors) {
    TZipRequest request;
    EXPECT_FALSE(ParseZipArgs({}, request));                                      // no password
    EXPECT_FALSE(ParseZipArgs({"", "-6"}, request));                              // no archive
    EXPECT_FALSE(ParseZipArgs({"", "-q", "a.zip"}, request));                     // unknown option
    EXPECT_FALSE(ParseZipArgs({"", "-12", "a.zip"}, request));                    // level beyond 9
    EXPECT_FALSE(ParseZipArgs({"", "a.zip", "-b"}, request));                     // value missing
    EXPECT_FALSE(ParseZipArgs({"", "-t", "30021999", "a.zip"}, request));         // no 30 February
    EXPECT_FALSE(ParseZipArgs({"", "-t", "1011980", "a.zip"}, request));          // seven digits
    ASSERT_TRUE(ParseZipArgs({"", "-t", "29022000", "a.zip"}, request));          // leap day
    EXPECT_EQ(request.since, std::chrono::year{2000} / std::chrono::February / 29);

    TUnzipRequest unzip;
    EXPECT_FALSE(ParseUnzipArgs({"", "-1x", "a.zip"}, unzip));
    EXPECT_FALSE(ParseUnzipArgs({"", "-e", "a.zip"}, unzip));
    EXPECT_FALSE(ParseUnzipArgs({"", "a.zip", "-d"}, unzip));

    // The engine answers a refused vector, or another interface version, with 350.
    const auto engine = TZipEngine::Start(TZipEngineKind::zekZip);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->Run(kZipInterfaceVersion, {"", "-q", "a.zip"}, {}), kZipBadArguments);
    EXPECT_EQ(engine->Run(kZipInterfaceVersion + 1, {"", "a.zip", "f"}, {}), kZipBadArguments);
}

}  // namespace
}  // namespace cv
