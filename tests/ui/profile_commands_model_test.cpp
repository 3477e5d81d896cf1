// Random runs of new / save / delete / select and Mode page changes through
// the real buttons, list and dialog, checked after every step against a
// small model of what the profile commands should do.
//
// QUILLMAR_MODEL_SEED repeats a run.

#include "platform/ini_document.h"
#include "profiles/profile_key_order.h"
#include "ui_test_support.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

using ui_test::kInUse;
using Values = QMap<QString, QString>;  // key -> stored text
using Sections = std::vector<std::pair<QString, Values>>;

// The Mode page's radios per key, in option order.
const std::vector<std::vector<int>> kModeRadios = {{1007, 1008, 1009}, {1010, 1013, 1014}, {1016, 1017, 1018, 1019}};

bool SameSection(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The profile sections of a cfg.ini, in file order, with the keys they hold.
Sections ProfileSections(const QByteArray& bytes) {
    const IniDocument doc = IniDocument::Parse(bytes);
    Sections sections;
    for (const QString& section : doc.SectionNames().mid(1)) {
        Values& values = sections.emplace_back(section, Values{}).second;
        for (const ProfileKey& pk : kProfileKeyOrder) {
            const QString key = KeyName(pk.key.section, pk.key.key);
            const QString value = doc.Value(section, key, QStringLiteral("\n"));
            if (value != u'\n') values[key] = value;
        }
    }
    return sections;
}

// What list, store, file and pages should hold. The list never holds two
// sections that differ only in case ("New" refuses such names), and the
// selected item is the current profile.
struct Model {
    QStringList sections;
    int selected = -1;
    Sections file;
    Values pages;

    QStringList Names() const {
        QStringList names;
        for (const QString& section : sections) names << section.mid(8, 16);  // after "profile-"
        return names;
    }
    QString Current() const { return selected < 0 ? QString() : sections[selected]; }
    Values* Stored(const QString& section) {
        for (auto& [name, values] : file)
            if (SameSection(name, section)) return &values;
        return nullptr;
    }

    // Makes `row` current and applies it: keys the section lacks read as
    // option 0, a lacking clock as unticked.
    void Choose(int row) {
        selected = row;
        if (row < 0) return;
        const Values* stored = Stored(sections[row]);
        for (const ProfileKey& pk : kProfileKeyOrder) {
            const QString key = KeyName(pk.key.section, pk.key.key);
            const QString fallback =
                IsSyncClock(pk.key) ? QStringLiteral("FALSE") : OptionText(pk.key.section, pk.key.key, 0);
            pages[key] = stored ? stored->value(key, fallback) : fallback;
        }
    }

    // The box text expected, "?" for a name the file cannot hold.
    QString New(const QString& name) {
        if (name.contains(u'[') || name.contains(u']') || name != name.trimmed() ||
            std::any_of(name.begin(), name.end(), [](QChar c) { return c < u' '; }))
            return QStringLiteral("?");
        const QString section = QStringLiteral("profile-") + name;
        if (Names().contains(name) || Stored(section) ||
            std::any_of(sections.begin(), sections.end(), [&](const QString& s) { return SameSection(s, section); }))
            return kInUse;
        sections << section;
        file.emplace_back(section, pages);
        selected = int(sections.size()) - 1;
        return {};
    }

    void Save() {
        if (selected < 0) return;
        if (Values* stored = Stored(Current())) *stored = pages;
        else file.emplace_back(Current(), pages);
    }

    void Delete() {
        if (selected < 0) return;
        std::erase_if(file, [&](const auto& s) { return SameSection(s.first, Current()); });
        sections.removeAt(selected);
        Choose(std::min(selected, int(sections.size()) - 1));
    }
};

class ProfileCommandsModel : public ui_test::MainWindowFixture {
protected:
    // Empty when window and file agree with the model.
    std::string Disagreement() {
        std::string wrong;
        auto check = [&](bool ok, const std::string& what) { wrong += ok ? "" : what + "; "; };
        const ProfileStore& store = window->profileStore();
        check(Items() == model.Names() && store.profile_names == model.Names() && SelectedRow() == model.selected,
              "list");
        check(store.profile_sections == model.sections && store.current_profile == model.Current(), "sections");
        // What the pages show reaches the file at the next "New" or "Save".
        check(ProfileSections(Cfg()) == model.file, "file");
        check(boxes.size() == (expectedBox.isEmpty() ? 0u : 1u), "number of boxes");
        for (const MessageBoxCall& box : boxes)
            check(box.caption == QStringLiteral("Notify") && box.style == MB_OK &&
                      (expectedBox == u"?" ? box.text != kInUse : box.text == expectedBox),
                  "box " + box.text.toStdString());
        boxes.clear();
        return wrong;
    }

    // A name for "New Profile": a fresh one, an earlier one in any case, or
    // one of the start file's names and names the file cannot hold.
    QString PickName() {
        static const char* const kPool[] = {"night", "Night", "AVERYVERYVERYLONGNAME", "averyveryverylon",
                                            "sparse", "", "default", "a[b", "x]", "tab\tx", " lead", "trail "};
        const int kind = int(random.bounded(10));
        if (kind < 4 || fresh == 0) return QStringLiteral("n%1").arg(fresh++);
        const QString earlier = QStringLiteral("n%1").arg(random.bounded(fresh));
        if (kind < 7) return random.bounded(2) ? earlier : earlier.toUpper();
        return QString::fromLatin1(kPool[random.bounded(int(std::size(kPool)))]);
    }

    // Runs one random step on window and model; returns what it did.
    std::string Step() {
        expectedBox.clear();
        const int op = int(random.bounded(100));
        if (op < 30) {
            const QString name = PickName();
            const auto answer = ui_test::DialogAnswer(std::max(0, int(random.bounded(10)) - 6));
            if (!NewProfile(name, answer)) return "no dialog";
            if (answer == ui_test::DialogAnswer::kOk) expectedBox = model.New(name);
            return "new \"" + name.toStdString() + "\" answer " + std::to_string(int(answer));
        }
        if (op < 45) {
            ui_test::Click(*window, 1004);
            model.Delete();
            return "delete";
        }
        if (op < 70 && !model.sections.isEmpty()) {
            const int row = int(random.bounded(int(model.sections.size())));
            ClickItem(row);
            if (row != model.selected) model.Choose(row);  // no change, no report
            return "select " + std::to_string(row);
        }
        if (op < 85) {
            ui_test::Click(*window, 1062);
            model.Save();
            return "save";
        }
        const int key = int(random.bounded(3));
        const int option = int(random.bounded(int(kModeRadios[key].size())));
        ui_test::Click(window->page(kModeTab), kModeRadios[key][option]);
        model.pages[KeyName(kModeSection, key)] = OptionText(kModeSection, key, option);
        return "mode_" + std::to_string(key + 1) + " option " + std::to_string(option);
    }

    Model model;
    QRandomGenerator random;
    int fresh = 0;
    QString expectedBox;
};

TEST_F(ProfileCommandsModel, RandomCommandsKeepListStoreAndFileInStep) {
    bool given = false;
    quint32 seed = qEnvironmentVariable("QUILLMAR_MODEL_SEED").toUInt(&given);
    random.seed(seed = given ? seed : QRandomGenerator::global()->generate());
    // Three profiles with few keys, one named longer than the list shows,
    // and the full "default" last.
    QByteArray start = profile_test::kFirstUseFile;
    start.insert(start.indexOf("[profile-default]"),
                 "[profile-night]\r\nmode_1=2304x1296p 30\r\nmode_2=1280x720p 30\r\n[profile-averyveryverylongname]\r\n"
                 "mode_3=5M\r\n[profile-sparse]\r\nmode_2=1280x720p 60\r\nosd=on\r\n");
    model.file = ProfileSections(start);
    for (const auto& s : model.file) model.sections << s.first;
    model.Choose(0);
    StartWith(start);
    std::string log = "QUILLMAR_MODEL_SEED=" + std::to_string(seed);
    for (int step = 0; step <= 500; ++step) {
        if (step > 0) log += "\n" + std::to_string(step) + ": " + Step();
        ASSERT_EQ(Disagreement(), "") << log;
    }
}

}  // namespace
