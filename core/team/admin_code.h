#pragma once
// The administrator code that signs loan and budget-change requests. The
// settings file keeps only a random salt and the SHA-256 of salt + code
// (section "Admin", keys "CodeSalt" and "CodeHash", hexadecimal); the code
// itself is never stored. tools/admin_code sets it.

#include <string>

namespace cv {

class TIniFile;

// Stores Code with a fresh salt; raises EIniFileError when the file cannot be written.
void StoreAdminCode(TIniFile& settings, const std::string& code);

// Whether Code is the stored one. With no code stored every code is refused.
// The digests are compared in full, whatever their first difference.
bool AdminCodeMatches(const TIniFile& settings, const std::string& code);

}  // namespace cv
