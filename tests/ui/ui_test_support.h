#pragma once
// Helpers for the window tests: clicking controls by id, and the main window
// shown in a fresh working directory with message boxes recorded instead of
// shown.

#include "profiles/profile_files.h"
#include "support/qt_application.h"
#include "support/test_files.h"
#include "ui/dialog/message_box.h"
#include "ui/main_window.h"
#include "ui/resource_ids.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace quillmar {

// Failure messages show texts, not arrays of characters.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* os) { PrintTo(QString::fromUtf8(bytes), os); }

namespace ui_test {

// Clicks a button on its indicator, as a user does.
inline void Click(const CDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline bool IsChecked(const CDialog& dialog, int id) {
    return qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id))->isChecked();
}

// How the user ends the new-profile dialog.
enum class DialogAnswer { kOk, kCancel, kEscape, kCloseBox };

class MainWindowFixture : public ::testing::Test, private test_support::QtApplicationFirst {
protected:
    MainWindowFixture() {
        QDir::setCurrent(work_dir_.path());
        SetMessageBoxHandler([this](const MessageBoxCall& call) {
            boxes_.push_back(call);
            return IDOK;
        });
    }
    ~MainWindowFixture() override {
        SetMessageBoxHandler({});
        QDir::setCurrent(previous_dir_);
    }

    // (Re)starts the window with the given command-line options.
    void Open(AppOptions options = {}, SystemPaths paths = {}) {
        window_.reset(), window_ = std::make_unique<CQuillmarVS2010Dlg>(std::move(options), std::move(paths));
        window_->CreateTopLevel(), window_->show();
    }
    void StartWith(const QByteArray& cfg) {
        ASSERT_TRUE(test_support::WriteRaw(WorkFile("cfg.ini"), cfg));
        Open();
    }

    QString WorkFile(const char* name) const { return work_dir_.filePath(QString::fromLatin1(name)); }
    QByteArray Cfg() const { return test_support::ReadAll(WorkFile("cfg.ini")); }
    // The writers' lock file of cfg.ini, made on demand, is no stray file.
    QStringList FolderEntries() const {
        QStringList entries = test_support::Entries(work_dir_.path());
        entries.removeOne(QStringLiteral(".cfg.ini.lock"));
        return entries;
    }
    QString Status() const { return window_->Status()->isVisible() ? window_->Status()->Message() : QString(); }
    QTabBar* Tabs() const { return window_->findChild<QTabBar*>(); }
    void ChooseTab(int tab) { QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(tab).center()); }
    void ClickOn(int tab, int id) { ChooseTab(tab), Click(window_->Page(tab), id); }

    QListWidget* ProfileList() const { return qobject_cast<QListWidget*>(window_->GetDlgItem(IDC_PROFILE_LIST)); }
    QStringList Items() const {
        QStringList items;
        for (int row = 0; row < ProfileList()->count(); ++row) items << ProfileList()->item(row)->text();
        return items;
    }
    int SelectedRow() const {
        const auto selected = ProfileList()->selectedItems();
        return selected.isEmpty() ? -1 : ProfileList()->row(selected.first());
    }
    void ClickItem(int row, Qt::KeyboardModifiers modifiers = {}) {
        ProfileList()->scrollToItem(ProfileList()->item(row));
        QTest::mouseClick(ProfileList()->viewport(), Qt::LeftButton, modifiers,
                          ProfileList()->visualItemRect(ProfileList()->item(row)).center());
    }

    // Presses "New Profile", enters `name` into the dialog as a paste brings
    // it (QTest types printable ASCII only) and ends the dialog with
    // `answer`. False unless the dialog "New" opened with the focus in its
    // name field. A refused name must keep the dialog open with the name
    // selected for correcting (kept_for_correcting_); then it is cancelled.
    bool NewProfile(const QString& name, DialogAnswer answer = DialogAnswer::kOk) {
        bool opened = false;
        kept_for_correcting_ = false;
        QTimer user;  // local, so nothing runs once this call has returned
        user.setSingleShot(true);
        user.callOnTimeout([&] {
            auto* dialog = dynamic_cast<CDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            auto* edit = qobject_cast<QLineEdit*>(dialog->GetDlgItem(IDC_PROFILE_NAME));
            opened = dialog->windowTitle() == QStringLiteral("New") && dialog->focusWidget() == edit;
            edit->insert(name);
            if (answer == DialogAnswer::kEscape)
                QTest::keyClick(edit, Qt::Key_Escape);
            else if (answer == DialogAnswer::kCloseBox)
                dialog->close();
            else
                Click(*dialog, answer == DialogAnswer::kOk ? IDOK : IDCANCEL);
            if (!dialog->isVisible()) return;
            kept_for_correcting_ = dialog->focusWidget() == edit && edit->selectedText() == name;
            Click(*dialog, IDCANCEL);
        });
        user.start(0);
        Click(*window_, IDC_NEW_PROFILE);
        return opened;
    }

    const QString previous_dir_ = QDir::currentPath();
    QTemporaryDir work_dir_;
    std::vector<MessageBoxCall> boxes_;
    std::unique_ptr<CQuillmarVS2010Dlg> window_;
    bool kept_for_correcting_ = false;
};

}  // namespace ui_test

}  // namespace quillmar
