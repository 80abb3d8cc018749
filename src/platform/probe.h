// Is the office application of an exercise running? Asked before preparing and marking.
#pragma once

#include <memory>

namespace tarnwick::platform {

enum class OfficeApp { Word, Excel, FrontPage };

class AppProbe {
public:
    virtual ~AppProbe() = default;
    virtual bool isRunning(OfficeApp app) const = 0;
};

// The probe of this platform: on Windows the running-object table; elsewhere LibreOffice or WPS
// processes of the current user. No web editor is probed outside Windows.
std::unique_ptr<AppProbe> systemProbe();

}  // namespace tarnwick::platform
