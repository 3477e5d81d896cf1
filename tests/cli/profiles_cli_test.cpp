// quillmar-cli profiles / save / delete / print --profile against real files.
// (How the file's lines are kept is checked on the profile store.)

#include "profiles/profile_files.h"
#include "support/cli_runner.h"

#include <memory>

namespace quillmar {

namespace {

using namespace profile_test;

TEST(ProfilesCli, ListsPrintsSavesAndDeletesHandWrittenProfiles) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/cfg.ini";
    const auto run = [&](const QStringList& args) { return test_support::RunCli(args, dir.path()); };
    ASSERT_TRUE(WriteRaw(path, "[profile-night]\nmode_3=5M\n[profile-red\x1b[31m]\n[profile-tab\tbel\aend]\n"));
    EXPECT_EQ(run({"profiles"}).out, "night\nred\\x1b[31m\ntab\\tbel\\x07end\n");  // no control bytes printed
    const QByteArray night = run({"print", "--profile", "night", "--set", "osd=off", "--no-sync-clock"}).out;
    EXPECT_TRUE(night.contains("\r\nmode_3=5M\r\n") && night.contains("\r\nosd=off\r\n") &&
                !night.contains("sync_clock"))
        << night.toStdString();

    ASSERT_EQ(run({"save", "--profile", "night", "--set", "lightfreq=50Hz"}).exit_code, 0);
    ASSERT_EQ(run({"save", "--profile", "Fresh", "--set", "tvmode=pal"}).exit_code, 0);
    ASSERT_EQ(run({"delete", "--profile", "red\x1b[31m"}).exit_code, 0);
    EXPECT_EQ(run({"profiles"}).out, "night\ntab\\tbel\\x07end\nFresh\n");
    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(saved.startsWith("[profile-night]\nmode_3=5M\n") && saved.contains("\nlightfreq=50Hz\n"));
    QByteArray fresh = kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    EXPECT_TRUE(saved.endsWith("[profile-Fresh]\n" + fresh.replace("\r\n", "\n").replace("tvmode=ntsc", "tvmode=pal")))
        << saved.toStdString();
}

// Several quillmar-cli processes at once on one cfg.ini: each saves its own
// profile while one deletes "victim"; every change must survive.
// QUILLMAR_RACE_ROUNDS raises the number of rounds for a longer run by hand.
TEST(ProfilesCli, ConcurrentSavesAndADeleteAllKeepTheirChange) {
    const int asked = qEnvironmentVariableIntValue("QUILLMAR_RACE_ROUNDS");
    const char* const micVol[] = {"mute", "50%", "60%", "70%"};
    for (int round = 0; round < (asked > 0 ? asked : 5); ++round) {
        QTemporaryDir dir;
        QByteArray victim = kFirstUseFile.mid(kFirstUseFile.indexOf("[profile-default]"));
        ASSERT_TRUE(WriteRaw(dir.path() + "/cfg.ini", kFirstUseFile + victim.replace("-default", "-victim")));
        std::vector<std::unique_ptr<QProcess>> runs;
        for (int w = 0; w <= 4; ++w) {
            runs.push_back(std::make_unique<QProcess>());
            runs.back()->setWorkingDirectory(dir.path());
            runs.back()->start(QUILLMAR_CLI_PATH, w == 4 ? QStringList{"delete", "--profile", "victim"}
                                                         : QStringList{"save", "--profile", QString("p%1").arg(w),
                                                                       "--set", QString("mic_vol=") + micVol[w]});
        }
        for (auto& run : runs)
            EXPECT_TRUE(run->waitForFinished(30000) && run->exitStatus() == QProcess::NormalExit &&
                        run->exitCode() == 0)
                << run->arguments().join(' ').toStdString() << run->readAllStandardError().toStdString();
        const QByteArray file = ReadAll(dir.path() + "/cfg.ini");
        for (int w = 0; w < 4; ++w) {
            const qsizetype at = file.indexOf("[profile-p" + QByteArray::number(w) + "]");
            EXPECT_TRUE(at >= 0 && file.mid(at).contains(QByteArray("mic_vol=") + micVol[w])) << round << ' ' << w;
        }
        EXPECT_FALSE(file.contains("[profile-victim]")) << round;
    }
}

}  // namespace

}  // namespace quillmar
