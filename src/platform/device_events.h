#pragma once
// Device-change events, numbered as the card list has always known them.

#include <cstdint>

namespace quillmar {

inline constexpr std::uint32_t DBT_DEVICEARRIVAL = 0x8000;         // a device (or volume) arrived
inline constexpr std::uint32_t DBT_DEVICEREMOVECOMPLETE = 0x8004;  // a device (or volume) has gone

}  // namespace quillmar
