// Linux: a LibreOffice (soffice.bin, unless headless) or WPS (wps for documents, et for
// spreadsheets) process of the current user counts as the office application running.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/probe.h"

namespace tarnwick::platform {
namespace {

bool processOfUserRunning(OfficeApp app) {
    const uid_t me = getuid();
    std::error_code ec;
    std::filesystem::directory_iterator it("/proc", ec), end;
    int seen = 0;
    for (; !ec && it != end && seen < 100000; it.increment(ec), ++seen) {
        const std::string pid = it->path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        struct stat st {};
        if (::stat(it->path().c_str(), &st) != 0 || st.st_uid != me) continue;
        std::ifstream comm(it->path() / "comm");
        std::string name;
        if (!std::getline(comm, name)) continue;
        if (name != "soffice.bin" && name != "wps" && name != "et") continue;
        // The arguments, NUL-separated; a few kilobytes are more than any office start needs.
        std::ifstream cmdline(it->path() / "cmdline", std::ios::binary);
        std::vector<std::string> args;
        std::string arg;
        for (int k = 0; k < 256 && std::getline(cmdline, arg, '\0'); ++k) args.push_back(arg.substr(0, 4096));
        if (officeProcessCounts(app, name, args)) return true;
    }
    return false;
}

class PosixProbe final : public AppProbe {
public:
    bool isRunning(OfficeApp app) const override {
        if (app == OfficeApp::FrontPage) return false;  // no web editor is probed here
        return processOfUserRunning(app);
    }
};

}  // namespace

std::unique_ptr<AppProbe> systemProbe() { return std::make_unique<PosixProbe>(); }

}  // namespace tarnwick::platform
