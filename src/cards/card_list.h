#pragma once
// The card list: one row per removable drive (and per folder given on the
// command line), and the choice of the card that "Set" writes to.

#include "cards/card_list_view.h"
#include "cards/drive_source.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace quillmar {

class CardList {
public:
    // `folders` become rows after the removable drives.
    CardList(CardListView& view, DriveSource& drives, QStringList folders = {});

    // Rebuilds card_roots from the drives, then the rows.
    void RefreshCardList();
    // Rebuilds the rows from card_roots and selects row 0, which makes it the
    // target. With no rows nothing is selected and target_root stays.
    void FillCardList();
    // Refreshes on DBT_DEVICEARRIVAL and DBT_DEVICEREMOVECOMPLETE only;
    // `data` is not looked at. Always true.
    bool OnDeviceChange(quint32 event, quintptr data);
    // The view reports a change of `item` (selected, focused or their
    // opposites): that row's root becomes the target. -1 is ignored.
    void OnCardItemChanged(int item);

    const QStringList& CardRoots() const { return card_roots_; }
    // Empty until a row is first reported; never cleared afterwards.
    const QString& TargetRoot() const { return target_root_; }

private:
    CardListView& view_;
    DriveSource& drives_;
    QStringList folders_;
    QStringList card_roots_;
    QString target_root_;
};

// The root of a folder used as a card: absolute, cleaned, ending in "/".
QString FolderCardRoot(const QString& folder);

// The removable drives' roots followed by the folders' roots.
QStringList ListCardRoots(DriveSource& drives, const QStringList& folders);

}  // namespace quillmar
