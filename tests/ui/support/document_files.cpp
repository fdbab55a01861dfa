#include "tests/ui/support/document_files.h"

#include <QDir>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "tests/support/temp_dir.h"

namespace cv::test {

std::string RunCommand(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::array<char, 512> buffer{};
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
    return output;
}

std::string RunPython(const std::string& script, const std::string& argument) {
    TempDir dir;
    const std::string file = dir / "read_back.py";
    WriteFileBytes(file, script);
    return RunCommand("/usr/bin/python3 " + file + " '" + argument + "' 2>&1");
}

int PdfPageCount(const std::string& path) {
    const std::string info = RunCommand("pdfinfo '" + path + "' 2>/dev/null");
    const std::size_t pages = info.find("Pages:");
    return pages == std::string::npos ? 0 : std::stoi(info.substr(pages + 6));
}

QImage RenderPdfPage(const std::string& path, int page, const std::string& shotName) {
    QDir().mkpath(CV_SCREENSHOT_DIR);
    const std::string shot = std::string(CV_SCREENSHOT_DIR) + "/" + shotName;
    const std::string number = std::to_string(page);
    RunCommand("pdftoppm -r 70 -png -f " + number + " -l " + number + " '" + path + "' '" + shot + "'");
    // pdftoppm pads the page number to the width of the page count.
    for (const std::string& suffix : {number, "0" + number, "00" + number}) {
        const QImage image(QString::fromStdString(shot + "-" + suffix + ".png"));
        if (!image.isNull()) return image;
    }
    return {};
}

}  // namespace cv::test
