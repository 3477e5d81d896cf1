// "write --card" never writes onto the computer's disk under a fixed mount
// point whose card was pulled. (An empty --card is refused in cli_test.cpp.)

#include "support/cli_runner.h"
#include "support/test_files.h"

namespace quillmar {

namespace {

using namespace test_support;

// In a mount table of its own, the machine's /etc/fstab is replaced by one
// that names a fixed card folder, tried without its volume. Found with its
// volume, the folder is a card: checked on the rule itself in mounts_test.cpp.
TEST(CliWriteCard, AFixedMountPointWithoutItsCardIsRefused) {
    if (!QFile::exists("/etc/fstab")) GTEST_SKIP() << "no /etc/fstab to stand in for";
    if (QProcess::execute("unshare", {"--mount", "true"}) != 0) GTEST_SKIP() << "no mount namespaces here";
    QTemporaryDir dir;
    const QString card = dir.path() + "/sd card", fstab = dir.path() + "/fstab";
    QByteArray escaped = QFile::encodeName(card);
    escaped.replace(" ", "\\040");
    ASSERT_TRUE(QDir().mkpath(card) &&
                WriteRaw(fstab, "UUID=1 / ext4 defaults 0 1\n/dev/sdz1 " + escaped + " vfat noauto,user 0 0\n"));
    // $1 fstab, $2 the tool, $3 the card folder.
    QProcess p;
    p.start("unshare", {"--mount", "--propagation", "private", "sh", "-c",
                        R"(mount --bind "$1" /etc/fstab || exit 90; exec "$2" write --card "$3")", "sh", fstab,
                        QUILLMAR_CLI_PATH, card});
    p.waitForFinished(30000);
    const CliRun pulled{p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    EXPECT_EQ(pulled.exit_code, 1) << pulled.err.toStdString();
    EXPECT_TRUE(pulled.err.contains(QFile::encodeName(card)) && pulled.err.contains("mount"))
        << pulled.err.toStdString();
    EXPECT_TRUE(pulled.out.isEmpty()) << pulled.out.toStdString();
    EXPECT_TRUE(Entries(card).isEmpty());
}

}  // namespace

}  // namespace quillmar
