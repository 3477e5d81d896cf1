// Prints the card rows and the reason for every drive letter, one line each,
// for the drive-letter end-to-end test while quillmar-cli has no Windows build.
#include "cards/card_entry.h"

#include <cstdio>

using namespace quillmar;

int main() {
    const std::unique_ptr<DriveSource> drives = OpenSystemDrives();
    for (const std::string& root : drives->RemovableRoots()) {
        const CardEntry c = DescribeCard(*drives, root);
        std::string version;
        for (const char ch : c.version_text) version += ch == '\r' ? "\\r" : ch == '\n' ? "\\n" : std::string(1, ch);
        std::printf("card|%s|%s|%u|%u|%s\n", c.root.c_str(), c.label.c_str(), c.free_mb, c.total_mb, version.c_str());
    }
    for (const DriveExplanation& d : ExplainSystemDrives())
        std::printf("drive|%s|%s|%s\n", d.folder.c_str(), d.type.c_str(), d.code.c_str());
    return 0;
}
