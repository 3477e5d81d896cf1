#pragma once
// A store on cfg.ini in a fresh temporary folder.

#include "profiles/profile_store.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace profile_test {

class ProfileStoreFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/cfg.ini");
    SettingsSelection selection;
    ProfileStore store{selection};
    void SetUp() override { store.cfg_path = path; }
};

}  // namespace profile_test
