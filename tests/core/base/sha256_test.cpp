#include "core/base/sha256.h"

#include <gtest/gtest.h>

namespace cv {
namespace {

std::string DigestText(std::string_view bytes) {
    const TSha256Digest digest = Sha256(bytes);
    return HexText({reinterpret_cast<const char*>(digest.data()), digest.size()});
}

struct TDigestCase {
    std::string message;
    const char* digest;
};

// The first four are the standard's published examples; the lengths 55..65
// ("x" repeated) straddle the padding's block boundaries and were checked
// against the system's sha256sum.
TEST(Sha256Test, DigestsMatchTheStandardsExamplesAndEveryPaddingBoundary) {
    const TDigestCase cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {std::string(55, 'x'), "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
        {std::string(56, 'x'), "04c26261370ee7541549d16dee320c723e3fd14671e66a099afe0a377c16888e"},
        {std::string(63, 'x'), "75220b47218278e656f2013bb8f0c455a25eaf01e86c64924e9d48d89776d6f2"},
        {std::string(64, 'x'), "7ce100971f64e7001e8fe5a51973ecdfe1ced42befe7ee8d5fd6219506b5393c"},
        {std::string(65, 'x'), "9537c5fdf120482f7d58d25e9ed583f52c02b4e304ea814db1633ad565aed7e9"},
    };
    for (const TDigestCase& c : cases) EXPECT_EQ(DigestText(c.message), c.digest) << c.message.size() << " bytes";
}

TEST(Sha256Test, HexTextsReadBackAndMalformedOnesAreRefused) {
    const std::string bytes("\x00\x7f\x80\xff", 4);
    EXPECT_EQ(HexText(bytes), "007f80ff");
    EXPECT_EQ(HexBytes("007F80fF"), bytes);
    EXPECT_EQ(HexBytes(""), std::string());
    EXPECT_EQ(HexBytes("abc"), std::nullopt);
    EXPECT_EQ(HexBytes("0g"), std::nullopt);
    EXPECT_EQ(HexBytes("0 "), std::nullopt);
}

}  // namespace
}  // namespace cv
