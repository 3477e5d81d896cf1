// "write --card" never writes anywhere but a card: not the root folder for an
// empty value, not the computer's disk under a fixed mount point whose card
// was pulled.

#include "support/cli_runner.h"
#include "support/test_files.h"

namespace quillmar {

namespace {

using namespace test_support;

TEST(CliWriteCard, AnEmptyCardIsRefusedAsUsage) {
    QTemporaryDir dir;
    const bool before = QFile::exists("/camera.conf");
    const auto run = RunCli({"write", "--card", ""}, dir.path());
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(run.err.contains("--card")) << run.err.toStdString();
    EXPECT_EQ(QFile::exists("/camera.conf"), before);
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
}

// In a mount table of its own, the machine's /etc/fstab is replaced by one
// that names a fixed card folder; the folder is tried empty, then with a
// volume on it.
TEST(CliWriteCard, AFixedMountPointWithoutItsCardIsRefused) {
    if (!QFile::exists("/etc/fstab")) GTEST_SKIP() << "no /etc/fstab to stand in for";
    if (QProcess::execute("unshare", {"--mount", "true"}) != 0) GTEST_SKIP() << "no mount namespaces here";
    QTemporaryDir dir;
    const QString card = dir.path() + "/sd card", fstab = dir.path() + "/fstab";
    QByteArray escaped = QFile::encodeName(card);
    escaped.replace(" ", "\\040");
    ASSERT_TRUE(QDir().mkpath(card) &&
                WriteRaw(fstab, "UUID=1 / ext4 defaults 0 1\n/dev/sdz1 " + escaped + " vfat noauto,user 0 0\n"));
    // $1 fstab, $2 the tool, $3 the card folder, $4 "mount" to put a volume on it first.
    const QString script = R"(mount --bind "$1" /etc/fstab || exit 90
        if [ "$4" = mount ]; then mount -t tmpfs card "$3" || exit 91; fi
        "$2" write --card "$3"; rc=$?
        ls -A "$3"; exit $rc)";
    auto inNamespace = [&](const char* mount) {
        QProcess p;
        p.start("unshare", {"--mount", "--propagation", "private", "sh", "-c", script, "sh", fstab, QUILLMAR_CLI_PATH,
                            card, mount});
        p.waitForFinished(30000);
        return CliRun{p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    };

    const CliRun pulled = inNamespace("");
    EXPECT_EQ(pulled.exit_code, 1) << pulled.err.toStdString();
    EXPECT_TRUE(pulled.err.contains(QFile::encodeName(card)) && pulled.err.contains("mount"))
        << pulled.err.toStdString();
    EXPECT_TRUE(pulled.out.isEmpty()) << pulled.out.toStdString();
    EXPECT_TRUE(Entries(card).isEmpty());

    const CliRun present = inNamespace("mount");
    EXPECT_EQ(present.exit_code, 0) << present.err.toStdString();
    EXPECT_EQ(present.out, "camera.conf\n");
    EXPECT_TRUE(Entries(card).isEmpty());  // the volume went with the namespace
}

}  // namespace

}  // namespace quillmar
