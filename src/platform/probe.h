// Is the office application of an exercise running? Asked before preparing and marking.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::platform {

enum class OfficeApp { Word, Excel, FrontPage };

class AppProbe {
public:
    virtual ~AppProbe() = default;
    virtual bool isRunning(OfficeApp app) const = 0;
};

// Outside Windows: whether a process named `comm` with these arguments is the student's office
// application of that kind. A LibreOffice started as a converter by another program (headless)
// is not.
bool officeProcessCounts(OfficeApp app, std::string_view comm, const std::vector<std::string>& args);

// The probe of this platform: on Windows the running-object table; elsewhere LibreOffice or WPS
// processes of the current user. No web editor is probed outside Windows.
std::unique_ptr<AppProbe> systemProbe();

}  // namespace tarnwick::platform
