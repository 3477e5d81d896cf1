// cfg.ini as a shared file: links followed to their target, and the
// writers' lock.

#include "platform/file_lock.h"
#include "platform/ini_file.h"

#include "support/scratch_files.h"

namespace quillmar {

namespace {

using namespace test_support;
using Names = std::vector<std::string>;

// Chains of links, relative and absolute, end at the file that is replaced;
// every link stays, and no temporary is left in either folder. A dangling
// link is followed too: the file is created where it points.
TEST(IniFile, ALinkedFileIsReplacedWhereItPointsAndTheLinksStay) {
    const ScratchFolder home, dotfiles;
    const std::filesystem::path target = dotfiles.Path() / "cfg.ini", hop = home.Path() / "hop.ini",
                                link = home.Path() / "cfg.ini";
    const std::filesystem::path later = dotfiles.Path() / "later.ini", laterLink = home.Path() / "later.ini";
    ASSERT_TRUE(WriteBytes(target, "[profile-a]\nosd=on\n"));
    std::error_code noLinks;
    std::filesystem::create_symlink(target, hop, noLinks);
    if (noLinks) GTEST_SKIP() << "no symbolic links here: " << noLinks.message();
    std::filesystem::create_symlink("hop.ini", link);
    std::filesystem::create_symlink(later, laterLink);
    ASSERT_TRUE(IniWriteString(link, "profile-a", "osd", "off"));
    ASSERT_TRUE(IniWriteString(laterLink, "basic", "last_cfg", "default"));
    EXPECT_EQ(ReadBytes(target), "[profile-a]\nosd=off\n");
    EXPECT_EQ(ReadBytes(later), "[basic]\r\nlast_cfg=default\r\n");
    EXPECT_TRUE(is_symlink(symlink_status(link)) && is_symlink(symlink_status(hop)) &&
                is_symlink(symlink_status(laterLink)));
    EXPECT_EQ(FolderNames(home.Path()), (Names{"cfg.ini", "hop.ini", "later.ini"}));
    EXPECT_EQ(FolderNames(dotfiles.Path()), (Names{".cfg.ini.lock", ".later.ini.lock", "cfg.ini", "later.ini"}));
}

TEST(IniFile, AChangeNeedsTheLockAndWaitsForItABoundedTime) {
    const ScratchFolder dir;
    const std::filesystem::path path = dir.Path() / "cfg.ini";
    ASSERT_TRUE(WriteBytes(path, "[a]\nk=1\n"));
    IniFile looked(path);
    ASSERT_TRUE(looked.Load() && looked.Document().SetValue("a", "k", "2"));
    EXPECT_FALSE(looked.Commit()) << "a plain load is not for writing";

    FileLock holder, waiter;
    ASSERT_TRUE(holder.Acquire(path, 0));
    const WriteOutcome refused = waiter.Acquire(path, 200);
    EXPECT_TRUE(!refused && refused.error.find("another program") != std::string::npos &&
                refused.error.find(".cfg.ini.lock") != std::string::npos)
        << refused.error;
    holder.Release();
    EXPECT_TRUE(waiter.Acquire(path, 200));
    EXPECT_EQ(ReadBytes(path), "[a]\nk=1\n");
}

}  // namespace

}  // namespace quillmar
