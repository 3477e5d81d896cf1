#include "ui/set_failure_message.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

struct FailureCase {
    int error;
    const char* plainWords;
};

class SetFailureMessage : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SetFailureMessage, SaysWhatWentWrongAndKeepsTheDetails) {
    const WriteOutcome outcome = WriteOutcome::Failure(QStringLiteral("Cannot write \"/media/CARD/camera.conf\": why"),
                                                       GetParam().error);
    const QString text = DescribeCameraConfFailure(QStringLiteral("/media/CARD/"), outcome);
    EXPECT_TRUE(text.contains(QStringLiteral("/media/CARD/"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(GetParam().plainWords))) << text.toStdString();
    EXPECT_TRUE(text.contains(outcome.error)) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Errors, SetFailureMessage,
                         ::testing::Values(FailureCase{EROFS, "write-protected"}, FailureCase{EACCES, "write-protected"},
                                           FailureCase{ENOSPC, "full"}, FailureCase{EFBIG, "full"},
                                           FailureCase{ENOENT, "no longer there"}, FailureCase{EIO, "no longer there"},
                                           FailureCase{EINVAL, "The system reports"},
                                           FailureCase{0, "The system reports"}));

}  // namespace
