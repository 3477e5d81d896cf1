#pragma once
// Helpers for the window tests: clicking controls by id, and the main window
// shown in a fresh working directory with message boxes recorded instead of
// shown.

#include "platform/mounted_drive_source.h"
#include "platform/qt_text_bridge.h"
#include "profiles/profile_files.h"
#include "support/qt_application.h"
#include "support/test_files.h"
#include "ui/dialog/message_box.h"
#include "ui/dialog/native_dialog_qt.h"
#include "ui/main_window.h"
#include "ui/resource_ids.h"
#include "ui/status_area.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace quillmar {

// Failure messages show texts, not arrays of characters.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* os) { PrintTo(QString::fromUtf8(bytes), os); }

namespace ui_test {

using test_support::ReadAll, test_support::WriteRaw;
inline const QByteArray kFirstUseFile = QByteArray::fromStdString(profile_test::kFirstUseFile);

// Clicks a button on its indicator, as a user does.
inline void Click(const CDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline bool IsChecked(const CDialog& dialog, int id) {
    return qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id))->isChecked();
}

// A message box as the tests read it.
struct Box {
    CDialog* owner = nullptr;
    QString text, caption;
    unsigned style = 0;
};

// The window menu, which opens where no card row's menu does.
inline bool IsWindowMenu(const QWidget* popup) { return popup && popup->objectName() == "windowMenu"; }

class MainWindowTest : public ::testing::Test, private test_support::QtApplicationFirst {
protected:
    MainWindowTest() {
        QDir::setCurrent(work_dir_.path());
        SetMessageBoxHandler([this](const MessageBoxCall& call) {
            return boxes_.push_back({call.owner, FromUtf8(call.text), FromUtf8(call.caption), call.style}), IDOK;
        });
    }
    ~MainWindowTest() override {
        SetMessageBoxHandler({});
        QDir::setCurrent(previous_dir_);
    }

    // (Re)starts the window with the given --card folders.
    void Open(QStringList cards = {}, SystemPaths paths = {}) {
        AppOptions options;
        for (const QString& card : cards) options.card_folders.push_back(ToUtf8(card));
        window_.reset(), window_ = std::make_unique<CQuillmarVS2010Dlg>(
                             options, std::make_unique<MountedDriveSource>(std::move(paths)));
        window_->CreateTopLevel(), window_->ShowWindow(true);
    }
    void StartWith(const QByteArray& cfg, QStringList cards = {}) { WriteRaw(WorkFile("cfg.ini"), cfg), Open(cards); }

    QString WorkFile(const char* name) const { return work_dir_.filePath(QString::fromLatin1(name)); }
    QByteArray Cfg() const { return ReadAll(WorkFile("cfg.ini")); }
    // Nothing but cfg.ini (and its writers' lock, made on demand) in the working folder.
    bool OnlyCfgWritten() const {
        QStringList entries = test_support::Entries(work_dir_.path());
        entries.removeOne(QStringLiteral(".cfg.ini.lock"));
        return entries == QStringList{"cfg.ini"};
    }
    QWidget* Shown() const { return window_->Window(); }
    QString Status() const { return FromUtf8(window_->Status()->Message()); }
    QTabBar* Tabs() const { return Shown()->findChild<QTabBar*>(); }
    void ChooseTab(int tab) { QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(tab).center()); }
    void ClickOn(int tab, int id) { ChooseTab(tab), Click(window_->Page(tab), id); }
    QWidget* Item(int tab, int id) const { return window_->Page(tab).GetDlgItem(id); }
    bool Checked(int tab, int id) const { return IsChecked(window_->Page(tab), id); }
    QTableWidget* Cards() const { return qobject_cast<QTableWidget*>(window_->GetDlgItem(IDC_CARD_LIST)); }

    QListWidget* ProfileList() const { return qobject_cast<QListWidget*>(window_->GetDlgItem(IDC_PROFILE_LIST)); }
    QStringList Items() const {
        QStringList items;
        for (int row = 0; row < ProfileList()->count(); ++row) items << ProfileList()->item(row)->text();
        return items;
    }
    int SelectedRow() const { return ProfileList()->selectionModel()->selectedIndexes().value(0).row(); }
    void ClickItem(int row) {
        QTest::mouseClick(ProfileList()->viewport(), Qt::LeftButton, {},
                          ProfileList()->visualItemRect(ProfileList()->item(row)).center());
    }

    // Runs `trigger`; once the event loop runs (in the window or menu it
    // opened), gives `user` the popup or modal window up, or null.
    void WhileOpen(const std::function<void()>& trigger, const std::function<void(QWidget*)>& user) {
        QTimer timer;  // local, so nothing runs once this call has returned
        timer.setSingleShot(true);
        timer.callOnTimeout([&] {
            QWidget* popup = QApplication::activePopupWidget();
            user(popup ? popup : QApplication::activeModalWidget());
        });
        timer.start(0);
        trigger();
    }

    // Presses "New Profile", enters `name` into the dialog as a paste brings
    // it (QTest types printable ASCII only) and ends the dialog with the key
    // `answer`. False unless the dialog "New" opened with the focus in its
    // name field. A refused name must keep the dialog open with the name
    // selected for correcting (kept_for_correcting_); then it is cancelled.
    bool NewProfile(const QString& name, Qt::Key answer = Qt::Key_Return) {
        bool opened = false;
        kept_for_correcting_ = false;
        WhileOpen([&] { Click(*window_, IDC_NEW_PROFILE); },
                  [&](QWidget* up) {
                      auto* dialog = dynamic_cast<NativeDialog*>(up);
                      if (!dialog) return;
                      auto* edit = qobject_cast<QLineEdit*>(dialog->Control(IDC_PROFILE_NAME));
                      opened = dialog->windowTitle() == QStringLiteral("New") && dialog->focusWidget() == edit;
                      edit->insert(name);
                      QTest::keyClick(edit, answer);
                      if (!dialog->isVisible()) return;
                      kept_for_correcting_ = dialog->focusWidget() == edit && edit->selectedText() == name;
                      Click(dialog->Dialog(), IDCANCEL);
                  });
        return opened;
    }

    const QString previous_dir_ = QDir::currentPath();
    QTemporaryDir work_dir_;
    std::vector<Box> boxes_;
    std::unique_ptr<CQuillmarVS2010Dlg> window_;
    bool kept_for_correcting_ = false;
};

}  // namespace ui_test

}  // namespace quillmar
