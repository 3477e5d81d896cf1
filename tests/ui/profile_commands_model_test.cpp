// Random runs of new / save / delete / select (and page changes) through
// the real buttons, list and dialog, checked after every step against a
// small model of what the profile commands should do.
//
// QUILLMAR_MODEL_SEED repeats a run; QUILLMAR_MODEL_STEPS sets its length.

#include "main_window_fixture.h"
#include "platform/ini_document.h"
#include "profiles/profile_files.h"
#include "profiles/profile_key_order.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <deque>

namespace {

using ui_test::Click;
using ui_test::DialogAnswer;
using ui_test::IsChecked;

using Values = QMap<QString, QString>;  // key -> stored text

QStringList ProfileKeys() {
    QStringList keys;
    for (const ProfileKey& pk : kProfileKeyOrder) keys << KeyName(pk.key.section, pk.key.key);
    return keys;
}

// The Mode page's radios per key, in option order.
const std::vector<std::vector<int>> kModeRadios = {{1007, 1008, 1009}, {1010, 1013, 1014}, {1016, 1017, 1018, 1019}};

bool SameSection(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// What list, store, file and pages should hold.
struct Model {
    QStringList names;
    QStringList sections;
    QString current;
    int selected = 0;
    std::vector<std::pair<QString, Values>> file;  // profile sections after "basic", in file order
    Values pages;

    Values* FileSection(const QString& name) {
        for (auto& [section, values] : file)
            if (SameSection(section, name)) return &values;
        return nullptr;
    }

    // Keys the section lacks read as option 0, a lacking clock as unticked.
    void Apply() {
        const Values* stored = FileSection(current);
        for (const ProfileKey& pk : kProfileKeyOrder) {
            const QString key = KeyName(pk.key.section, pk.key.key);
            const QString fallback = IsSyncClock(pk.key) ? QStringLiteral("FALSE") : OptionText(pk.key.section, pk.key.key, 0);
            pages[key] = stored ? stored->value(key, fallback) : fallback;
        }
    }

    QByteArray FileBytes() const {
        QByteArray bytes = "[basic]\r\nlast_cfg=default\r\n";
        for (const auto& [section, values] : file) {
            bytes += "[" + section.toUtf8() + "]\r\n";
            for (const QString& key : ProfileKeys())
                if (values.contains(key)) bytes += (key + u'=' + values[key]).toUtf8() + "\r\n";
        }
        return bytes;
    }

    // The box expected, if any.
    QString New(const QString& name) {
        const bool unstorable = name.contains(u'[') || name.contains(u']') || name.startsWith(u' ') ||
                                name.endsWith(u' ') || std::any_of(name.begin(), name.end(), [](QChar c) { return c < u' '; });
        if (unstorable) return QStringLiteral("<why>");
        const QString section = QStringLiteral("profile-") + name;
        if (names.contains(name) || FileSection(section) ||
            std::any_of(sections.begin(), sections.end(), [&](const QString& s) { return SameSection(s, section); }))
            return QStringLiteral("This name has be used !");
        names << name.left(16);
        sections << section;
        current = section;
        selected = int(names.size()) - 1;
        file.emplace_back(section, pages);
        return {};
    }

    void Save() {
        if (current.isEmpty()) return;
        if (Values* stored = FileSection(current))
            *stored = pages;
        else
            file.emplace_back(current, pages);
    }

    void Delete() {
        if (selected < 0) return;
        const QString gone = sections[selected];
        int next = selected;
        for (int i = int(sections.size()) - 1; i >= 0; --i) {
            if (!SameSection(sections[i], gone)) continue;
            names.removeAt(i);
            sections.removeAt(i);
            if (i < selected) --next;
        }
        std::erase_if(file, [&](const auto& s) { return SameSection(s.first, gone); });
        selected = std::min(next, int(sections.size()) - 1);
        current = selected < 0 ? QString() : sections[selected];
        if (selected >= 0) Apply();
    }

    void Select(int row) {
        if (row == selected) return;  // no change of selection, nothing reported
        selected = row;
        current = sections[row];
        Apply();
    }
};

// The first-use profile's values, edited.
Values DefaultsWith(std::initializer_list<std::pair<const char*, const char*>> changes) {
    const IniDocument first = IniDocument::Parse(profile_test::kFirstUseFile);
    Values values;
    for (const QString& key : ProfileKeys()) values[key] = first.Value(u"profile-default", key, {});
    for (const auto& [key, text] : changes) values[QString::fromLatin1(key)] = QString::fromLatin1(text);
    return values;
}

quint32 EnvNumber(const char* name, quint32 fallback) {
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

class ProfileCommandsModel : public ui_test::MainWindowFixture {
protected:
    // Empty when window and file agree with the model.
    std::string Disagreement() {
        std::string wrong;
        auto check = [&](bool ok, const std::string& what) { wrong += ok ? "" : what + "; "; };
        check(Items() == model.names, "list items");
        check(window->profileStore().profile_names == model.names, "profile_names");
        check(window->profileStore().profile_sections == model.sections, "profile_sections");
        check(window->profileStore().current_profile == model.current, "current_profile");
        check(SelectedRow() == model.selected, "selected row");
        const IniDocument doc = IniDocument::Parse(Cfg());
        QStringList sectionNames = {QStringLiteral("basic")};
        for (const auto& s : model.file) sectionNames << s.first;
        check(doc.SectionNames() == sectionNames, "file sections " + doc.SectionNames().join(u',').toStdString());
        for (const auto& [section, values] : model.file)
            for (const QString& key : ProfileKeys())
                check(doc.Value(section, key, QStringLiteral("<none>")) == values.value(key, QStringLiteral("<none>")),
                      (section + u'/' + key).toStdString());
        for (int k = 0; k < 3; ++k) {
            const QString text = model.pages[KeyName(kModeSection, k)];
            for (int option = 0; option < int(kModeRadios[k].size()); ++option)
                check(IsChecked(window->page(kModeTab), kModeRadios[k][option]) == (OptionText(kModeSection, k, option) == text),
                      "mode radio " + std::to_string(kModeRadios[k][option]));
        }
        check(boxes.calls.size() == (expectedBox.isEmpty() ? 0u : 1u), "number of boxes");
        if (!boxes.calls.empty() && !expectedBox.isEmpty()) {
            const MessageBoxCall& box = boxes.calls[0];
            check(box.caption == QStringLiteral("Notify") && box.style == MB_OK, "box caption and style");
            check(expectedBox == QStringLiteral("<why>") ? box.text != QStringLiteral("This name has be used !")
                                                       : box.text == expectedBox,
                  "box text " + box.text.toStdString());
        }
        boxes.calls.clear();
        return wrong;
    }

    // A name for "New Profile": a fresh one, an earlier one in any case, or
    // one of the start file's names and names the file cannot hold.
    QString PickName() {
        static const char* const kPool[] = {"night", "Night", "AVERYVERYVERYLONGNAME", "averyveryverylon",
                                            "sparse", "", "default", "a[b", "x]", "tab\tx", " lead", "trail "};
        const int kind = int(random.bounded(10));
        if (kind < 4) return QStringLiteral("n%1").arg(fresh++);
        if (kind < 7 && fresh > 0) {
            const QString earlier = QStringLiteral("n%1").arg(random.bounded(fresh));
            return random.bounded(2) ? earlier : earlier.toUpper();
        }
        return QString::fromLatin1(kPool[random.bounded(int(std::size(kPool)))]);
    }

    // Runs one random step on window and model; returns what it did.
    std::string Step() {
        expectedBox.clear();
        const int op = int(random.bounded(100));
        if (op < 30) {
            const QString name = PickName();
            const int way = int(random.bounded(10));
            const DialogAnswer answer = way < 7 ? DialogAnswer::kOk : DialogAnswer(way - 6);
            if (!NewProfile(name, answer)) return "no dialog";
            if (answer == DialogAnswer::kOk) expectedBox = model.New(name);
            return "new \"" + name.toStdString() + "\" answer " + std::to_string(int(answer));
        }
        if (op < 45) {
            Click(*window, 1004);
            model.Delete();
            return "delete";
        }
        if (op < 70) {
            if (model.names.isEmpty()) return "select in an empty list: nothing";
            const int row = int(random.bounded(int(model.names.size())));
            ClickItem(row);
            model.Select(row);
            return "select " + std::to_string(row);
        }
        if (op < 85) {
            Click(*window, 1062);
            model.Save();
            return "save";
        }
        const int key = int(random.bounded(3));
        const int option = int(random.bounded(int(kModeRadios[key].size())));
        Click(window->page(kModeTab), kModeRadios[key][option]);
        model.pages[KeyName(kModeSection, key)] = OptionText(kModeSection, key, option);
        return "mode_" + std::to_string(key + 1) + " option " + std::to_string(option);
    }

    Model model;
    QRandomGenerator random;
    int fresh = 0;
    QString expectedBox;
};

TEST_F(ProfileCommandsModel, RandomCommandsKeepListStoreAndFileInStep) {
    const quint32 seed = EnvNumber("QUILLMAR_MODEL_SEED", QRandomGenerator::global()->generate());
    const quint32 steps = EnvNumber("QUILLMAR_MODEL_STEPS", 500);
    random.seed(seed);
    model.file = {
        {QStringLiteral("profile-night"), DefaultsWith({{"mode_1", "2304x1296p 30"}, {"mode_2", "1280x720p 30"}})},
        {QStringLiteral("profile-averyveryverylongname"), DefaultsWith({{"mode_3", "5M"}})},
        {QStringLiteral("profile-sparse"), Values{{"mode_2", "1280x720p 60"}, {"osd", "on"}}},
        {QStringLiteral("profile-default"), DefaultsWith({})},
    };
    for (const auto& s : model.file) {
        model.sections << s.first;
        model.names << s.first.mid(8, 16);
    }
    model.current = model.sections[0];
    model.Apply();
    StartWith(model.FileBytes());
    ASSERT_EQ(Disagreement(), "") << "at start";

    std::deque<std::string> recent;
    for (quint32 step = 1; step <= steps; ++step) {
        recent.push_back(std::to_string(step) + ": " + Step());
        if (recent.size() > 8) recent.pop_front();
        const std::string wrong = Disagreement();
        if (wrong.empty()) continue;
        std::string log;
        for (const std::string& line : recent) log += "\n  " + line;
        FAIL() << "QUILLMAR_MODEL_SEED=" << seed << ", after step " << step << ": " << wrong << "\nlast steps:" << log;
    }
}

}  // namespace
