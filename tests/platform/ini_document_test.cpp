// Where the INI engine puts a change, byte for byte, and which changes it
// refuses. How it reads, and that a change reads back and touches no other
// lookup, the reference test checks against its model.

#include "platform/ini_document.h"

#include <gtest/gtest.h>

namespace quillmar {

namespace {

enum class Utf16Order { kLittleEndian, kBigEndian };

// ASCII and Latin-1 `text` in UTF-16 with its byte-order mark.
std::string Utf16(Utf16Order order, std::u16string_view text) {
    const bool le = order == Utf16Order::kLittleEndian;
    std::string bytes = le ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t c : text)
        bytes += le ? std::string{char(c & 0xFF), char(c >> 8)} : std::string{char(c >> 8), char(c & 0xFF)};
    return bytes;
}

// UTF-16 `text` as UTF-8; enough for the names and values below.
std::string U8(const char16_t* text) {
    std::string out;
    for (; *text != 0; ++text)
        out += *text < 0x80 ? std::string(1, char(*text))
                            : std::string{char(0xC0 | (*text >> 6)), char(0x80 | (*text & 0x3F))};
    return out;
}

// A null value deletes the section. A refused change, or a delete that finds
// nothing, has an empty `after`.
void Check(const char* rule, const std::string& before, const char16_t* section, const char16_t* key,
           const char16_t* value, const std::string& after) {
    IniDocument doc = IniDocument::Parse(before);
    const WriteOutcome set = value ? doc.SetValue(U8(section), U8(key), U8(value)) : WriteOutcome::Success();
    const bool done = value ? bool(set) : doc.RemoveSection(U8(section)) > 0;
    EXPECT_EQ(done, !after.empty()) << rule;
    EXPECT_EQ(set.error.empty(), done || !value) << rule;
    EXPECT_EQ(doc.Serialize(), done ? after : before) << rule;
    EXPECT_EQ(doc.Modified(), done && before != after) << rule;
}

TEST(IniDocumentWrite, TouchesOnlyWhatItChangesAndRefusesWhatWouldNotReadBack) {
    const auto le = Utf16Order::kLittleEndian, be = Utf16Order::kBigEndian;
    Check("value replaced in place, key spelling and indent kept", "; c\n[A]\n\tMODE = old \n\nkeep\n", u"a", u"mode",
          u"new", "; c\n[A]\n\tMODE=new\n\nkeep\n");
    Check("new key after the last key, before blanks and comments", "[a]\nk=1\nodd\n\n;b\n[b]\n", u"a", u"j", u"2",
          "[a]\nk=1\nodd\nj=2\n\n;b\n[b]\n");
    Check("new section after a line break, in the file's style", "[a]\r\nk=1", u"b", u"j", u"2",
          "[a]\r\nk=1\r\n[b]\r\nj=2\r\n");
    Check("undecodable bytes survive", "[a]\n\xFF\xC0junk\nk=1\n", u"a", u"k", u"2", "[a]\n\xFF\xC0junk\nk=2\n");
    Check("UTF-16LE kept", Utf16(le, u"[a]\nk=1\n"), u"b", u"k", u"\u00FC", Utf16(le, u"[a]\nk=1\n[b]\nk=\u00FC\n"));
    Check("UTF-16BE kept, lone CR", Utf16(be, u"[a]\rk=1"), u"b", u"k", u"\u00FC",
          Utf16(be, u"[a]\rk=1\r[b]\rk=\u00FC\r"));
    Check("mixed line ends: the first one seen", "[a]\rk=1\r\n", u"a", u"j", u"2", "[a]\rk=1\r\nj=2\r");
    Check("key without = filled in place", "[a]\r\n  tvmode\x1A\r\ntvmode=pal\r\n", u"a", u"TVMODE", u"ntsc",
          "[a]\r\n  tvmode=ntsc\r\ntvmode=pal\r\n");
    Check("a final Ctrl-Z stays last", "[a]\r\nk=0\x1A", u"b", u"j", u"2", "[a]\r\nk=0\r\n[b]\r\nj=2\r\n\x1A");
    Check("[] is another section", "[]\nk=1\n", u"a", u"k", u"2", "[]\nk=1\n[a]\nk=2\n");
    Check("delete in a CR-only file", "[basic]\rlast_cfg=default\r[profile-x]\rk=1\r[b]\r", u"PROFILE-X", nullptr,
          nullptr, "[basic]\rlast_cfg=default\r[b]\r");
    Check("delete removes every same-named section, not the comment leading into the next one",
          "x=0\n[a]\nk=1\n\n;c\n[b]\n[ A ]\nk=3", u"a", nullptr, nullptr, "x=0\n;c\n[b]\n");
    Check("delete finds no empty name", "[]\nk=1\n", u" ", nullptr, nullptr, {});
    Check("empty section name", "[]\nk=1\n", u"", u"k", u"2", {});
    Check("empty key", "[a]\n", u"a", u" \x1A", u"2", {});
    Check("line break in a name", "[a]\n", u"a\nb", u"k", u"v", {});
    Check("line break in a value", "[a]\n", u"a", u"k", u"v\r", {});
}

}  // namespace

}  // namespace quillmar
