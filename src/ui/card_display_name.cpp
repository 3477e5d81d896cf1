// The last component of a card's root, as the window names the card.
#include "ui/card_display_name.h"

namespace quillmar {

std::string CardDisplayName(const std::string& root) {
    std::string path = root;
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    const size_t cut = path.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return name.empty() ? root : name;
}

}  // namespace quillmar
