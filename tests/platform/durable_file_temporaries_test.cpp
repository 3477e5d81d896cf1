#include "platform/durable_file.h"
#include "platform/durable_file_temporaries.h"

#include "support/scratch_files.h"
#include "support/test_system.h"

namespace quillmar {

namespace {

using namespace test_support;

// The next write removes our own temporaries left over a minute ago beside
// the same file, whatever random number named them, and nothing else: not a
// younger one (a writer may still be at work), not a link or a folder, not
// another file's, not a look-alike. Where the system makes no links, the
// link is left out.
TEST(ReplaceFileDurably, RemovesOnlyOurStaleTemporaries) {
    const ScratchFolder dir;
    const std::filesystem::path& d = dir.Path();
    std::vector<std::string> expected = {".camera.conf.tmp",
                                         ".camera.conf.tmpabcdefgh",
                                         ".camera.conf.tmpK2V9",
                                         ".camera.conf.tmp-k2",
                                         "camera.conf.tmpk2v9",
                                         ".camera.conf.tmpk2v9~",
                                         "notes.txt",
                                         ".cfg.ini.tmpk2v9",
                                         ".camera.conf.tmpyoung",
                                         ".camera.conf.tmpdir",
                                         "camera.conf",
                                         ".camera.conf.tmplink"};
    for (size_t i = 0; i < 9; ++i) ASSERT_TRUE(WriteBytes(d / expected[i], "x"));
    ASSERT_TRUE(create_directory(d / expected[9]) && SetFileAge(d / expected[8], 5));
    std::error_code noLinks;
    create_symlink(d / "notes.txt", d / expected[11], noLinks);
    if (noLinks) expected.pop_back();
    for (const std::uint32_t random : {0u, 35u, 36u, 123456789u, 0xffffffffu})
        ASSERT_TRUE(WriteBytes(d / DurableTemporaryName("camera.conf", random), "x"));
    for (const std::string& name : FolderNames(d)) ASSERT_TRUE(name.ends_with("young") || SetFileAge(d / name, 120));

    ASSERT_TRUE(ReplaceFileDurably(d / "camera.conf", "new"));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderNames(d), expected);
    EXPECT_EQ(ReadBytes(d / "camera.conf") + ReadBytes(d / "notes.txt"), "newx");
}

}  // namespace

}  // namespace quillmar
