#pragma once
// The parts of "write" that go beyond one card folder.

#include "cli/cli_context.h"

#include <QString>

namespace quillmar {

// write --all-cards: every card the cards command lists.
int RunWriteAllCards(const CliContext& ctx);
// write --eject, after a successful write to `root`.
int EjectAfterWrite(const CliContext& ctx, const QString& root);
// "/media/card/" -> "/media/card", as mount points are listed.
QString MountDirOfCardRoot(const QString& root);

}  // namespace quillmar
