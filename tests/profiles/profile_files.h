#pragma once
// cfg.ini as the store writes it at first use, for the tests on Qt.

#include "profiles/profile_test_files.h"
#include "support/test_files.h"

namespace quillmar::profile_test {

using test_support::ReadAll;
using test_support::WriteRaw;

inline const QByteArray kFirstUseFile = QByteArray::fromStdString(kFirstUseText);

}  // namespace quillmar::profile_test
