#pragma once
// JSON as the tool prints it: four spaces of indent, keys in sorted order,
// an empty array or object opened and closed on lines of their own.

#include <nlohmann/json.hpp>

#include <string>

namespace quillmar {

// The text of `value`, ending in a line end.
std::string JsonText(const nlohmann::json& value);

}  // namespace quillmar
