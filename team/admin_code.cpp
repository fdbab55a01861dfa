#include "team/admin_code.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QRandomGenerator>

#include "core/base/ini_file.h"

namespace cv {
namespace {

constexpr char kSection[] = "Admin";
constexpr char kSaltKey[] = "CodeSalt";
constexpr char kHashKey[] = "CodeHash";
constexpr int kSaltWords = 4;  // 128 bits

std::string Digest(const std::string& saltHex, const std::string& code) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::fromHex(QByteArray::fromStdString(saltHex)));
    hash.addData(QByteArray::fromStdString(code));
    return hash.result().toHex().toStdString();
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
    quint32 salt[kSaltWords];
    QRandomGenerator::system()->fillRange(salt);
    const std::string saltHex =
        QByteArray(reinterpret_cast<const char*>(salt), sizeof salt).toHex().toStdString();
    settings.WriteString(kSection, kSaltKey, saltHex);
    settings.WriteString(kSection, kHashKey, Digest(saltHex, code));
}

bool AdminCodeMatches(const TIniFile& settings, const std::string& code) {
    const std::string saltHex = settings.ReadString(kSection, kSaltKey, "");
    const std::string stored = settings.ReadString(kSection, kHashKey, "");
    if (saltHex.empty() || stored.empty()) return false;
    return SameDigest(Digest(saltHex, code), stored);
}

}  // namespace cv
