#include <gtest/gtest.h>

#include "core/zip/xceed_zip.h"
#include "core/zip/zip_args.h"
#include "core/zip/zip_engine.h"
#include "core/zip/zip_errors.h"

namespace cv {
namespace {

using Args = std::vector<std::string>;

TEST(ZipArguments, InitialComponentGivesTheDocumentedZipVector) {
    TXceedZip zip;
    zip.ZipFileName = "BACKUP.ZIP";
    zip.FilesToProcess = {"IND.MTA", "", "IND.MRA"};
    // Empty password, level 6, stored extensions, the date 1 January 1980 as
    // ddmmyyyy, the archive, "-W", then the files (the empty entry skipped).
    EXPECT_EQ(zip.ZipArguments(), (Args{"", "-6", "-n", ".ZIP;.LZH;.ARC;.ARJ;.ZOO", "-t", "01011980", "BACKUP.ZIP",
                                        "-W", "IND.MTA", "IND.MRA"}));

    zip.Password = "pw";
    const Args withPassword = zip.ZipArguments();
    EXPECT_EQ(Args(withPassword.begin(), withPassword.begin() + 3), (Args{"pw", "-e", "-6"}));
}

TEST(ZipArguments, EveryZipOptionInItsPlace) {
    TXceedZip zip;
    zip.Password = "p";
    zip.Compression = 9;
    zip.MoveFiles = zip.IncludeHiddenFiles = zip.IncludeDirectoryEntries = zip.IncludeVolumeLabel = true;
    zip.Recurse = zip.MultidiskMode = zip.ClearDisks = true;
    zip.UseTempFile = false;
    zip.TempPath = "/tmp/work";
    zip.StoredExtensions = "";
    zip.ZipFileName = "a.zip";
    EXPECT_EQ(zip.ZipArguments(), (Args{"p", "-e", "-9", "-m", "-S", "-D", "-$", "-r", "-g", "-b", "/tmp/work", "-!",
                                        "-&", "-t", "01011980", "a.zip", "-W"}));
    // Without paths "-D" goes and "-j" comes.
    zip.UsePaths = false;
    EXPECT_EQ(zip.ZipArguments(), (Args{"p", "-e", "-9", "-m", "-S", "-$", "-r", "-j", "-g", "-b", "/tmp/work", "-!",
                                        "-&", "-t", "01011980", "a.zip", "-W"}));
}

TEST(ZipArguments, IncludeAndExcludePatternsFollowThePlainEntries) {
    TXceedZip zip;
    zip.StoredExtensions = "";
    zip.ZipFileName = "a.zip";
    zip.FilesToProcess = {">*.a", "f1", "<*.b", "f2", ">*.c"};
    EXPECT_EQ(zip.ZipArguments(),
              (Args{"", "-6", "-t", "01011980", "a.zip", "-W", "f1", "f2", "-i", "*.a", "*.c", "-x", "*.b"}));

    // Without a plain entry the patterns are dropped.
    zip.FilesToProcess = {">*.a", "<*.b"};
    EXPECT_EQ(zip.ZipArguments(), (Args{"", "-6", "-t", "01011980", "a.zip", "-W"}));

    // Unzip knows only excludes: '>' entries stand as they are; "-d" comes last.
    zip.FilesToProcess = {">x", "<*.b", "f1"};
    zip.ExtractDirectory = "/out";
    EXPECT_EQ(zip.UnzipArguments(), (Args{"", "-10", "-2-1", "a.zip", ">x", "f1", "-x", "*.b", "-d", "/out"}));
}

TEST(ZipArguments, UnzipVectorFollowsTheOverwriteAndPathSettings) {
    TXceedZip zip;
    zip.ZipFileName = "a.zip";
    // "-1" with 0 and "-2" with -1.
    EXPECT_EQ(zip.UnzipArguments(), (Args{"", "-10", "-2-1", "a.zip"}));
    zip.Password = "s";
    zip.UsePaths = false;
    zip.MultidiskMode = true;
    zip.Overwrite = xowNever;
    EXPECT_EQ(zip.UnzipArguments(), (Args{"s", "-10", "-2-1", "-j", "-!", "-n", "a.zip"}));
    zip.Overwrite = xowAlways;
    EXPECT_EQ(zip.UnzipArguments(), (Args{"s", "-10", "-2-1", "-j", "-!", "-o", "a.zip"}));
}

TEST(ZipArguments, EngineDecodesTheComponentsVectors) {
    TXceedZip zip;
    zip.Password = "-starts-like-an-option";
    zip.Compression = 0;
    zip.Recurse = true;
    zip.UseTempFile = false;
    zip.StoredExtensions = ".zip;.Lzh;;";
    zip.ZipFileName = "a.zip";
    zip.FilesToProcess = {"f1", ">*.txt", "f2", "<*.bak"};
    TZipRequest request;
    ASSERT_TRUE(ParseZipArgs(zip.ZipArguments(), request));
    EXPECT_EQ(request.password, "-starts-like-an-option");
    EXPECT_TRUE(request.encrypt);
    EXPECT_EQ(request.level, 0);
    EXPECT_TRUE(request.recurse);
    EXPECT_TRUE(request.noTempFile);
    EXPECT_FALSE(request.junkPaths);
    EXPECT_EQ(request.storedExtensions, (Args{".ZIP", ".LZH"}));
    EXPECT_EQ(request.since, kZipEarliestDate);
    EXPECT_EQ(request.archive, "a.zip");
    EXPECT_EQ(request.specs, (Args{"f1", "f2"}));
    EXPECT_EQ(request.includes, Args{"*.txt"});
    EXPECT_EQ(request.excludes, Args{"*.bak"});

    zip.FilesToProcess = {"*.txt", "<b*"};
    zip.ExtractDirectory = "out";
    zip.Overwrite = xowAlways;
    TUnzipRequest unzip;
    ASSERT_TRUE(ParseUnzipArgs(zip.UnzipArguments(), unzip));
    EXPECT_EQ(unzip.first, 0);
    EXPECT_EQ(unzip.second, -1);
    EXPECT_EQ(unzip.overwrite, TZipOverwriteMode::zomAlways);
    EXPECT_EQ(unzip.specs, Args{"*.txt"});
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
