#include "core/team/admin_code.h"

#include <random>

#include "core/base/ini_file.h"
#include "core/base/sha256.h"

namespace cv {
namespace {

constexpr char kSection[] = "Admin";
constexpr char kSaltKey[] = "CodeSalt";
constexpr char kHashKey[] = "CodeHash";
constexpr std::size_t kSaltBytes = 16;  // 128 bits

std::string Digest(const std::string& salt, const std::string& code) {
    const TSha256Digest digest = Sha256(salt + code);
    return HexText({reinterpret_cast<const char*>(digest.data()), digest.size()});
}

// Every byte is looked at, so the time taken does not tell how much matched.
bool SameDigest(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i) difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

}  // namespace

void StoreAdminCode(TIniFile& settings, const std::string& code) {
    std::random_device system;  // the kernel's random source
    std::string salt;
    while (salt.size() < kSaltBytes) {
        const unsigned int word = system();
        for (int shift = 0; shift < 32 && salt.size() < kSaltBytes; shift += 8)
            salt.push_back(static_cast<char>(word >> shift & 0xff));
    }
    settings.WriteString(kSection, kSaltKey, HexText(salt));
    settings.WriteString(kSection, kHashKey, Digest(salt, code));
}

bool AdminCodeMatches(const TIniFile& settings, const std::string& code) {
    const std::optional<std::string> salt = HexBytes(settings.ReadString(kSection, kSaltKey, ""));
    const std::string stored = settings.ReadString(kSection, kHashKey, "");
    if (!salt || salt->empty() || stored.empty()) return false;
    return SameDigest(Digest(*salt, code), stored);
}

}  // namespace cv
