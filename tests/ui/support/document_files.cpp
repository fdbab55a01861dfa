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

const char kSumFormulasCheck[] = R"(
from openpyxl.utils import range_boundaries
sums=0; wrong=[]
for row in ws.iter_rows():
  for c in row:
    m=re.fullmatch(r'=SUM\((\w+):(\w+)\)', str(c.value))
    if not m: continue
    sums+=1
    c1,r1,c2,r2=range_boundaries(m.group(1)+':'+m.group(2))
    total=sum(vs.cell(r,k).value or 0 for r in range(r1,r2+1) for k in range(c1,c2+1) if isinstance(vs.cell(r,k).value,(int,float)))
    if abs(total-vs[c.coordinate].value)>1e-6: wrong.append(c.coordinate)
print('sums', sums>0, wrong)
)";

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

QImage RenderPdfPage(const std::string& path, int page, const std::string& shotName, int dpi) {
    QDir().mkpath(CV_SCREENSHOT_DIR);
    const std::string shot = std::string(CV_SCREENSHOT_DIR) + "/" + shotName;
    const std::string number = std::to_string(page);
    RunCommand("pdftoppm -r " + std::to_string(dpi) + " -png -f " + number + " -l " + number + " '" + path + "' '" +
               shot + "'");
    // pdftoppm pads the page number to the width of the page count.
    for (const std::string& suffix : {number, "0" + number, "00" + number}) {
        const QImage image(QString::fromStdString(shot + "-" + suffix + ".png"));
        if (!image.isNull()) return image;
    }
    return {};
}

}  // namespace cv::test
