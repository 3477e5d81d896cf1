// The two small dialogs: the new-profile name and the About box.

#include "ui/about_dlg.h"
#include "ui/new_cfg_dlg.h"
#include "ui/templates/dialog_templates.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Runs `user` once the dialog's modal loop is running.
int RunModal(CDialog& dialog, std::function<void(CDialog&)> user) {
    QTimer::singleShot(0, [&dialog, user] { user(dialog); });
    return dialog.DoModal();
}

class NewProfileDialogTest : public ::testing::Test {
protected:
    NewProfileDialogTest() { test_support::EnsureQtApplication(); }
};

TEST_F(NewProfileDialogTest, TypedNameIsReadAfterOk) {
    CDlgNewCFG dialog;
    QWidget* focused = nullptr;
    const int result = RunModal(dialog, [&](CDialog& d) {
        focused = d.focusWidget();
        QTest::keyClicks(d.GetDlgItem(1063), QStringLiteral(" night shots "));
        QTest::keyClick(d.GetDlgItem(1063), Qt::Key_Return);
    });
    EXPECT_EQ(focused, dialog.GetDlgItem(1063));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.typedName(), QStringLiteral(" night shots "));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New"));
}

TEST_F(NewProfileDialogTest, OkButtonTakesAnEmptyName) {
    CDlgNewCFG dialog;
    const int result = RunModal(dialog, [](CDialog& d) { ui_test::Click(d, IDOK); });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(dialog.typedName().isEmpty());
}

TEST_F(NewProfileDialogTest, CancelEscapeAndCloseAllCancel) {
    const std::function<void(CDialog&)> ways[] = {
        [](CDialog& d) { ui_test::Click(d, IDCANCEL); },
        [](CDialog& d) { QTest::keyClick(d.GetDlgItem(1063), Qt::Key_Escape); },
        [](CDialog& d) { d.close(); },
    };
    for (const auto& way : ways) {
        CDlgNewCFG dialog;
        EXPECT_EQ(RunModal(dialog, [&](CDialog& d) {
                      QTest::keyClicks(d.GetDlgItem(1063), QStringLiteral("x"));
                      way(d);
                  }),
                  IDCANCEL);
    }
}

TEST_F(NewProfileDialogTest, AboutBoxEndsWithItsOkButton) {
    CAboutDlg about;
    EXPECT_EQ(RunModal(about, [](CDialog& d) { ui_test::Click(d, IDOK); }), IDOK);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quillmar"));
}

}  // namespace
