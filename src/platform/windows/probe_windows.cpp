// Windows: an office application counts as running when the running-object table holds an
// instance of its ProgID. Nothing is started.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include "platform/probe.h"

namespace tarnwick::platform {
namespace {

const wchar_t* progIdOf(OfficeApp app) {
    switch (app) {
        case OfficeApp::Word: return L"Word.Application";
        case OfficeApp::Excel: return L"Excel.Application";
        case OfficeApp::FrontPage: return L"FrontPage.Application";  // ProgIDs ignore case
    }
    return L"";
}

class RunningObjectProbe final : public AppProbe {
public:
    RunningObjectProbe() {
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        initialized_ = SUCCEEDED(hr);  // S_FALSE (already initialised) needs its uninitialise too
    }
    ~RunningObjectProbe() override {
        if (initialized_) ::CoUninitialize();
    }
    RunningObjectProbe(const RunningObjectProbe&) = delete;
    RunningObjectProbe& operator=(const RunningObjectProbe&) = delete;

    bool isRunning(OfficeApp app) const override {
        CLSID clsid;
        if (FAILED(::CLSIDFromProgID(progIdOf(app), &clsid))) return false;  // not installed
        IUnknown* instance = nullptr;
        if (FAILED(::GetActiveObject(clsid, nullptr, &instance)) || !instance) return false;
        instance->Release();
        return true;
    }

private:
    bool initialized_ = false;
};

}  // namespace

std::unique_ptr<AppProbe> systemProbe() { return std::make_unique<RunningObjectProbe>(); }

}  // namespace tarnwick::platform
