// The card list: rows from the removable drives and the given folders, and the target "Set" writes to.
#include "cards/card_list.h"

#include "cards/card_entry.h"
#include "platform/device_events.h"

#include <QDir>
#include <QFileInfo>

namespace quillmar {

CardList::CardList(CardListView& view, DriveSource& drives, QStringList folders)
    : view_(view), drives_(drives), folders_(std::move(folders)) {}

void CardList::RefreshCardList() {
    card_roots_ = ListCardRoots(drives_, folders_);
    FillCardList();
}

void CardList::FillCardList() {
    while (view_.ItemCount() > 0 && view_.DeleteItem(0)) {
    }
    if (card_roots_.isEmpty()) return;

    // Rows go in one after another; a root the list refuses leaves no gap.
    int next = 0;
    for (const QString& root : card_roots_) {
        const int row = view_.InsertItem(next, root);
        if (row < 0) continue;
        ++next;
        const CardEntry entry = DescribeCard(drives_, root);
        view_.SetItemText(row, 1, entry.label);
        view_.SetItemText(row, 2, CapacityText(entry.free_mb, entry.total_mb));
        view_.SetItemText(row, 3, entry.version_text);
    }
    if (view_.ItemCount() > 0) view_.SelectAndFocusItem(0);
}

bool CardList::OnDeviceChange(quint32 event, quintptr data) {
    Q_UNUSED(data);
    if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) RefreshCardList();
    return true;
}

void CardList::OnCardItemChanged(int item) {
    // A row that does not exist would give an empty root, and "Set" would
    // then write into the working folder.
    if (item < 0 || item >= view_.ItemCount()) return;
    target_root_ = view_.ItemText(item, 0);
}

QString FolderCardRoot(const QString& folder) {
    QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
    return root;
}

QStringList ListCardRoots(DriveSource& drives, const QStringList& folders) {
    QStringList roots = drives.RemovableRoots();
    for (const QString& folder : folders) roots << FolderCardRoot(folder);
    return roots;
}

}  // namespace quillmar
