// Message boxes as the handlers need them. The programs give each its own caption (the windows'
// program title); tests answer the boxes themselves.
#pragma once

#include <string_view>

namespace tarnwick::platform {

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal OK-only box; returns when it is dismissed.
    virtual void info(std::string_view text) = 0;
    // A modal box with 是 and 否; true for 是.
    virtual bool yesNo(std::string_view text) = 0;
};

// A program's services with `fallback` (its windows' own boxes) as the prompter when none is given.
template <class Services>
Services withPrompter(Services services, Prompter* fallback) {
    if (!services.prompter) services.prompter = fallback;
    return services;
}

}  // namespace tarnwick::platform
