#include "platform/probe.h"

namespace tarnwick::platform {

bool officeProcessCounts(OfficeApp app, std::string_view comm, const std::vector<std::string>& args) {
    if (app == OfficeApp::FrontPage) return false;
    if (comm == "soffice.bin") {
        // --headless, and the options that imply it, start LibreOffice without any window.
        for (const std::string& a : args) {
            std::string_view v = a;
            if (v.starts_with("--")) v.remove_prefix(2);
            else if (v.starts_with("-")) v.remove_prefix(1);
            else continue;
            if (v == "headless" || v.starts_with("convert-to") || v == "cat" || v.starts_with("print-to-file"))
                return false;
        }
        return true;
    }
    if (app == OfficeApp::Word) return comm == "wps";
    return comm == "et";
}

}  // namespace tarnwick::platform
