// Names of enumeration values as the applications' dialogs show them, looked up in a short table.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

namespace tarnwick::model {

// The name `names` gives `value`, or "" when it gives none (values are whole numbers as the object
// models return them, as doubles).
inline std::string nameIn(std::initializer_list<std::pair<int, const char*>> names, double value) {
    for (const auto& [v, name] : names)
        if (value == v) return name;
    return {};
}

}  // namespace tarnwick::model
