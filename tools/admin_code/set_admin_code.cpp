// set_admin_code: stores the administrator code that signs the teams' loan
// and budget-change requests in a program's settings file.
//
//   set_admin_code <settings file> <code>
//
// Only a random salt and the SHA-256 of salt + code are written (section
// "Admin"); the rest of the file is kept.
#include <iostream>

#include "core/base/ini_file.h"
#include "core/team/admin_code.h"

int main(int argc, char** argv) {
    if (argc != 3 || argv[2][0] == '\0') {
        std::cerr << "usage: set_admin_code <settings file> <code>\n";
        return 2;
    }
    try {
        cv::TIniFile settings(argv[1]);
        cv::StoreAdminCode(settings, argv[2]);
    } catch (const cv::EIniFileError& error) {
        std::cerr << "set_admin_code: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
