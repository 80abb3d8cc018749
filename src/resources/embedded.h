// The exercise files compiled into the programs, keyed by resource type and name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tarnwick::resources {

struct Resource {
    std::string_view type;  // "DOC", "XLS", "HTM", "JPG", "GIF", "MID"
    std::string_view name;  // a name or a number, e.g. "Index1" or "101"
    std::span<const unsigned char> bytes;
};

std::span<const Resource> all();

// Looks a resource up by type and name, both without regard to case.
std::optional<std::span<const unsigned char>> find(std::string_view type, std::string_view name);

}  // namespace tarnwick::resources
