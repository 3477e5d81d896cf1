// cfg.ini as the Windows tools and old editors leave it: lone CR line ends,
// UTF-16 big-endian, stray key lines without '=', "[]" headers and a final
// Ctrl-Z. The store lists and applies them as those tools read them, and a
// save keeps the file's encoding and line ends.

#include "profiles/profile_store.h"

#include "profile_test_files.h"
#include "profiles/profile_key_order.h"

namespace quillmar {

namespace {

using namespace profile_test;

// ASCII and Latin-1 text in UTF-16BE with its byte-order mark, and back.
std::string Utf16Be(std::u16string_view text) {
    std::string bytes = "\xFE\xFF";
    for (const char16_t c : text) bytes += {char(c >> 8), char(c & 0xFF)};
    return bytes;
}
std::u16string FromUtf16Be(const std::string& bytes) {
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += char16_t(uint8_t(bytes[i]) << 8 | uint8_t(bytes[i + 1]));
    return text;
}
std::u16string FromLatin1(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }

// Each file's profile gets tvmode flipped and is saved: every key goes into
// that section, in the file's encoding and its one line end.
TEST(ProfileStoreForeignFiles, ListsAppliesAndSavesInTheFilesOwnForm) {
    const struct {
        const char* form;
        std::string file;
        std::vector<std::string> names;
        int tvmode;  // applied option: 0 ntsc, 1 pal
        int osd;     // 0 off, 1 on
        const char16_t* line_end;
        const char16_t* saved;  // part of the saved text
    } cases[] = {
        {"lone CR",
         "[basic]\rlast_cfg=default\r[profile-night]\rtvmode=pal\rosd=on\r[profile-day]\r",
         {"night", "day"},
         1,
         1,
         u"\r",
         u"[profile-night]\rtvmode=ntsc\rosd=on\rmode_1="},
        {"UTF-16BE",
         Utf16Be(u"[profile-\u00FC]\r\ntvmode=pal\r\nosd=on\r\n"),
         {"\u00FC"},
         1,
         1,
         u"\r\n",
         u"[profile-\u00FC]\r\ntvmode=ntsc\r\nosd=on\r\nmode_1="},
        {"stray key line first, Ctrl-Z",
         "[profile-x]\r\ntvmode\r\ntvmode=pal\r\nosd=on\x1A",
         {"x"},
         0,
         1,
         u"\r\n",
         u"[profile-x]\r\ntvmode=pal\r\ntvmode=pal\r\nosd=on\r\nmode_1="},
        {"[] is no profile",
         "[]\nosd=on\n[profile-y]\ntvmode=pal\n",
         {"y"},
         1,
         0,
         u"\n",
         u"[]\nosd=on\n[profile-y]\ntvmode=ntsc\nmode_1="},
    };
    for (const auto& c : cases) {
        const test_support::ScratchFolder dir;
        const std::filesystem::path path = dir.Path() / "cfg.ini";
        ASSERT_TRUE(test_support::WriteBytes(path, c.file));
        SettingsSelection selection;
        ProfileStore store(PathText(path), selection);
        ASSERT_TRUE(store.LoadProfiles()) << c.form;
        EXPECT_EQ(store.ProfileNames(), c.names) << c.form;
        EXPECT_EQ(selection.At(keys::kTvmode), c.tvmode) << c.form;
        EXPECT_EQ(selection.At(keys::kOsd), c.osd) << c.form;
        EXPECT_EQ(test_support::ReadBytes(path), c.file) << c.form << ": loading wrote";

        selection.At(keys::kTvmode) = 1 - c.tvmode;
        ASSERT_TRUE(store.SaveProfile()) << c.form;
        const std::string saved = test_support::ReadBytes(path);
        const bool utf16 = c.file.starts_with("\xFE\xFF");
        ASSERT_EQ(saved.starts_with("\xFE\xFF"), utf16) << c.form;
        std::u16string text = utf16 ? FromUtf16Be(saved) : FromLatin1(saved);
        EXPECT_NE(text.find(c.saved), std::u16string::npos) << c.form << ": " << saved;
        for (size_t at; (at = text.find(c.line_end)) != std::u16string::npos;)
            text.erase(at, std::u16string_view(c.line_end).size());
        EXPECT_EQ(text.find_first_of(u"\r\n"), std::u16string::npos) << c.form << ": another line end";
    }
}

}  // namespace

}  // namespace quillmar
