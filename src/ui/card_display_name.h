#pragma once
// The name a card goes by in the window's texts.

#include <string>

namespace quillmar {

// The last component of a card's root: "CAMERA_SD" for
// "/media/user/CAMERA_SD/", "E:" for "E:\"; the root itself when it has
// none ("/"). UTF-8.
std::string CardDisplayName(const std::string& root);

}  // namespace quillmar
