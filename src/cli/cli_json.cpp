// Printing JSON in the layout scripts have always received from the tool.
#include "cli/cli_json.h"

namespace quillmar {

namespace {

// Text that is not UTF-8 (a label read from a card) must not stop the listing.
std::string Scalar(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void Append(const nlohmann::json& value, int depth, std::string& text) {
    if (!value.is_object() && !value.is_array()) {
        text += Scalar(value);
        return;
    }
    const std::string indent(4 * static_cast<size_t>(depth), ' ');
    text += value.is_object() ? "{\n" : "[\n";
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        text += first ? "" : ",\n";
        first = false;
        text += indent + "    ";
        if (value.is_object()) text += Scalar(it.key()) + ": ";
        Append(it.value(), depth + 1, text);
    }
    text += (first ? "" : "\n") + indent + (value.is_object() ? "}" : "]");
}

}  // namespace

std::string JsonText(const nlohmann::json& value) {
    std::string text;
    Append(value, 0, text);
    return text + '\n';
}

}  // namespace quillmar
