#include "support/cli_runner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using test_support::RunCli;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

TEST(CliPrint, DefaultsAre462BytesWithCrLfEverywhere) {
    const auto run = RunCli({"print"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.size(), 462);
    EXPECT_EQ(run.out.count("\r\n"), 29);
    EXPECT_EQ(run.out.count('\n'), 29);
    EXPECT_TRUE(run.out.startsWith("enable_cfg=true\r\nmode_1=1920x1080p 60\r\n"));
    EXPECT_TRUE(run.out.endsWith("op_beep=on\r\nformat=false\r\n"));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(CliPrint, OverridesAndClockMayStandBeforeOrAfterTheCommand) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC0"));
    for (const QStringList& args :
         {QStringList{"print", "--set", "image_wb=cloudy", "--set=mode_3=5M", "--sync-clock"},
          QStringList{"--sync-clock", "--set", "image_wb=cloudy", "print", "--set", "mode_3=5M"}}) {
        const auto run = RunCli(args, QString(), env);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("\r\nimage_wb=cloudy\r\n"));
        EXPECT_TRUE(run.out.contains("\r\nmode_3=5M\r\n"));
        EXPECT_EQ(run.out.size(), 462 + 32 + 2 - 1);  // clock line, "cloudy" for "auto", "5M" for "16M"
        const QByteArray lastLine = run.out.mid(run.out.lastIndexOf("sync_clock="));
        EXPECT_EQ(lastLine.size(), 32);
        EXPECT_TRUE(lastLine.endsWith("\r\n"));
    }
}

struct RefusalCase {
    QStringList args;
    const char* mentions[2];
};

TEST(CliRefusals, BadInputIsRefusedBeforeAnythingIsWritten) {
    QTemporaryDir card;
    const QString dir = card.path();
    const RefusalCase cases[] = {
        {{"write", "--card", dir, "--set", "colour=red"}, {"\"colour\"", "mode_1"}},
        {{"write", "--card", dir, "--set", "timelapse=Off"}, {"\"Off\"", "\"60s\""}},
        {{"write", "--card", dir, "--set", "image_wb"}, {"image_wb", "KEY=OPTION"}},
        {{"write", "--card", dir, "--set", "sync_clock=TRUE"}, {"sync_clock", "--sync-clock"}},
        {{"write"}, {"--card", "--card"}},
        {{"launch"}, {"\"launch\"", "--help"}},
        {{}, {"no command", "--help"}},
        {{"print", "--colour"}, {"colour", "--help"}},
        {{"print", "extra"}, {"\"extra\"", "unexpected"}},
    };
    for (const RefusalCase& c : cases) {
        const auto run = RunCli(c.args);
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, 2) << what;
        for (const char* m : c.mentions) EXPECT_TRUE(run.err.contains(m)) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_TRUE(QDir(dir).isEmpty()) << what;
    }
}

TEST(CliWrite, WritesThePrintedBytesToTheCard) {
    QTemporaryDir card;
    const QStringList settings{"--set", "mic_vol=mute", "--set", "image_ev=-1.7"};
    const auto printed = RunCli(QStringList{"print"} + settings);
    const auto written = RunCli(QStringList{"write", "--card", card.path()} + settings);
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(ReadAll(card.path() + QStringLiteral("/camera.conf")), printed.out);
    EXPECT_TRUE(printed.out.contains("\r\nmic_vol=mute\r\n"));
}

TEST(CliWrite, MissingCardFolderFailsWithAClearMessage) {
    QTemporaryDir parent;
    const auto run = RunCli({"write", "--card", parent.path() + QStringLiteral("/gone")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("No such file or directory")) << run.err.toStdString();
}

TEST(CliHelp, HelpAndVersionAnswer) {
    const auto help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("write --card DIR"));
    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.contains("quillmar-cli 1.0"));
}

}  // namespace
