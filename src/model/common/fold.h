// A property of a range is the fold of the property over the range's parts (cells of a block,
// characters of a text): the common value when every part has the same one, the object model's
// mixed value when they differ (Excel: Null; Word: "" for a name, 9999999 for a number or a
// flag). A part that cannot be read makes the whole read fail.
#pragma once

#include <utility>

#include "model/common/variant.h"

namespace tarnwick::model {

class Fold {
public:
    explicit Fold(Variant mixed) : mixed_(std::move(mixed).asMixed()) {}

    // Adds one part's value. Returns false once the result can no longer change (a failed read,
    // or two different values), so callers can stop early.
    bool add(Variant v) {
        if (decided_) return false;
        if (v.isFailed()) {
            result_ = std::move(v);
            decided_ = true;
        } else if (empty_) {
            result_ = std::move(v);
            empty_ = false;
        } else if (!result_.sameAs(v)) {
            result_ = mixed_;
            decided_ = true;
        }
        return !decided_;
    }

    bool empty() const { return empty_; }
    // The fold so far; Empty when nothing was added.
    const Variant& result() const { return result_; }

private:
    Variant mixed_;
    Variant result_;
    bool empty_ = true;
    bool decided_ = false;
};

}  // namespace tarnwick::model
