// cfg.ini as the Windows tools and old editors leave it: lone CR line ends,
// UTF-16 big-endian, stray key lines without '=', "[]" headers and a final
// Ctrl-Z. The store lists and applies them as those tools read them, and a
// save keeps the file's encoding and line ends.

#include "profiles/profile_store.h"

#include "platform/path_text.h"
#include "support/scratch_files.h"

#include <cstring>

namespace quillmar {

namespace {

using namespace test_support;

// Latin-1 text in UTF-16 big-endian, with its byte-order mark.
std::string Utf16Be(std::string_view latin1) {
    std::string bytes = "\xFE\xFF";
    for (const char c : latin1) bytes += {'\0', c};
    return bytes;
}

// Each file's profile gets tvmode flipped and is saved: every key goes into
// that section, in the file's encoding and its one line end.
TEST(ProfileStoreForeignFiles, ListsAppliesAndSavesInTheFilesOwnForm) {
    const struct {
        std::string file;
        const char* names;  // joined by '|'
        int tvmode, osd;    // applied: 0 ntsc or off, 1 pal or on
        const char* saved;  // part of the saved text (Latin-1), which has no other line end
    } cases[] = {
        {"[basic]\rlast_cfg=default\r[profile-night]\rtvmode=pal\rosd=on\r[profile-day]\r", "night|day", 1, 1,
         "[profile-night]\rtvmode=ntsc\rosd=on\rmode_1="},
        {Utf16Be("[profile-\xFC]\r\ntvmode=pal\r\nosd=on\r\n"), "\u00FC", 1, 1,
         "[profile-\xFC]\r\ntvmode=ntsc\r\nosd=on\r\nmode_1="},
        // A stray key line first; a final Ctrl-Z.
        {"[profile-x]\r\ntvmode\r\ntvmode=pal\r\nosd=on\x1A", "x", 0, 1,
         "[profile-x]\r\ntvmode=pal\r\ntvmode=pal\r\nosd=on\r\nmode_1="},
        {"[]\nosd=on\n[profile-y]\ntvmode=pal\n", "y", 1, 0, "[]\nosd=on\n[profile-y]\ntvmode=ntsc\nmode_1="},
    };
    for (const auto& c : cases) {
        const ScratchFolder dir;
        const std::filesystem::path path = dir.path / "cfg.ini";
        ASSERT_TRUE(WriteBytes(path, c.file));
        SettingsSelection selection;
        ProfileStore store(PathText(path), selection);
        ASSERT_TRUE(store.LoadProfiles()) << c.names;
        std::string names;
        for (const std::string& name : store.ProfileNames()) names += (names.empty() ? "" : "|") + name;
        EXPECT_EQ(names, c.names);
        EXPECT_TRUE(selection.At(keys::kTvmode) == c.tvmode && selection.At(keys::kOsd) == c.osd) << c.names;
        EXPECT_EQ(ReadBytes(path), c.file) << c.names << ": loading wrote";

        selection.At(keys::kTvmode) = 1 - c.tvmode;
        ASSERT_TRUE(store.SaveProfile()) << c.names;
        std::string saved = ReadBytes(path);
        const bool utf16 = c.file.starts_with("\xFE\xFF");
        ASSERT_EQ(saved.starts_with("\xFE\xFF"), utf16) << c.names;
        const std::string part = utf16 ? Utf16Be(c.saved).substr(2) : c.saved;
        EXPECT_NE(saved.find(part), std::string::npos) << c.names << ": " << saved;
        const char* end = std::strchr(c.saved, '\n') ? std::strchr(c.saved, '\r') ? "\r\n" : "\n" : "\r";
        const std::string ends = utf16 ? Utf16Be(end).substr(2) : end;
        for (size_t at; (at = saved.find(ends)) != std::string::npos;) saved.erase(at, ends.size());
        EXPECT_EQ(saved.find_first_of("\r\n"), std::string::npos) << c.names << ": another line end";
    }
}

}  // namespace

}  // namespace quillmar
