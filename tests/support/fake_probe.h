// A probe that answers "running" for the applications a test names, and notes what was asked.
#pragma once

#include <set>
#include <vector>

#include "platform/probe.h"

namespace tarnwick::test {

class FakeProbe : public platform::AppProbe {
public:
    std::set<platform::OfficeApp> running;
    mutable std::vector<platform::OfficeApp> asked;
    bool isRunning(platform::OfficeApp app) const override {
        asked.push_back(app);
        return running.count(app) > 0;
    }
};

}  // namespace tarnwick::test
