#pragma once
// The main window shown in a fresh working directory, with message boxes
// recorded instead of shown, and the user's ways to the profile commands.
// Shared by the window tests.

#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

// Failure messages show texts, not arrays of characters.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << QString::fromUtf8(bytes).replace(QLatin1String("\r\n"), QLatin1String("|")).toStdString() << '"';
}

namespace ui_test {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// How the user ends the new-profile dialog.
enum class DialogAnswer { kOk, kCancel, kEscape, kCloseBox };

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() {
        test_support::EnsureQtApplication();
        workDir = std::make_unique<ScopedWorkDir>();
    }

    // (Re)starts the window with the given command-line options.
    void Open(AppOptions options = {}) {
        window.reset();
        window = std::make_unique<CQuillmarVS2010Dlg>(std::move(options));
        window->CreateTopLevel();
        window->show();
    }

    // Writes cfg.ini and starts the window on it.
    void StartWith(const QByteArray& cfg) {
        QFile file(WorkFile(QStringLiteral("cfg.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(cfg) == cfg.size());
        file.close();
        Open();
    }

    QString WorkFile(const QString& name) const { return QDir(workDir->path()).filePath(name); }
    QByteArray Cfg() const { return ReadAll(WorkFile(QStringLiteral("cfg.ini"))); }
    QTabBar* tabs() const { return window->findChild<QTabBar*>(); }
    void ChooseTab(int tab) { QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(tab).center()); }

    QListWidget* profileList() const { return qobject_cast<QListWidget*>(window->GetDlgItem(1001)); }
    QStringList Items() const {
        QStringList items;
        for (int row = 0; row < profileList()->count(); ++row) items << profileList()->item(row)->text();
        return items;
    }
    int SelectedRow() const {
        const QList<QListWidgetItem*> selected = profileList()->selectedItems();
        return selected.isEmpty() ? -1 : profileList()->row(selected.first());
    }
    // Clicks an item of the profile list, scrolled into view first.
    void ClickItem(int row, Qt::KeyboardModifiers modifiers = {}) {
        QListWidgetItem* item = profileList()->item(row);
        profileList()->scrollToItem(item);
        QTest::mouseClick(profileList()->viewport(), Qt::LeftButton, modifiers,
                          profileList()->visualItemRect(item).center());
    }

    // Presses "New Profile", types `name` into the dialog and ends it with
    // `answer`. QTest types printable ASCII only; other names come in as a
    // paste brings them. False when no dialog opened.
    bool NewProfile(const QString& name, DialogAnswer answer = DialogAnswer::kOk) {
        bool opened = false;
        QTimer user;  // local, so nothing runs once this call has returned
        user.setSingleShot(true);
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto* dialog = dynamic_cast<CDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            opened = true;
            auto* edit = qobject_cast<QLineEdit*>(dialog->GetDlgItem(1063));
            if (std::all_of(name.begin(), name.end(), [](QChar c) { return c >= u' ' && c <= u'~'; }))
                QTest::keyClicks(edit, name);
            else
                edit->insert(name);
            switch (answer) {
            case DialogAnswer::kOk: Click(*dialog, IDOK); break;
            case DialogAnswer::kCancel: Click(*dialog, IDCANCEL); break;
            case DialogAnswer::kEscape: QTest::keyClick(edit, Qt::Key_Escape); break;
            case DialogAnswer::kCloseBox: dialog->close(); break;
            }
        });
        user.start(0);
        Click(*window, 1003);
        return opened;
    }

    std::unique_ptr<ScopedWorkDir> workDir;
    MessageBoxRecorder boxes;
    std::unique_ptr<CQuillmarVS2010Dlg> window;
};

}  // namespace ui_test
