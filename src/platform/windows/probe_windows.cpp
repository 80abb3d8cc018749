// Windows: an office application counts as running when the running-object table holds an
// instance of one of its ProgIDs: Microsoft Office's, or WPS Office's, whose writer and
// spreadsheet register their own (a student with WPS open has not closed the application either).
// Nothing is started.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <span>

#include "platform/probe.h"

namespace tarnwick::platform {
namespace {

// ProgIDs ignore case. Newer WPS Office versions register KWps and KET, older ones wps and et.
constexpr const wchar_t* kWordIds[] = {L"Word.Application", L"KWps.Application", L"wps.Application"};
constexpr const wchar_t* kExcelIds[] = {L"Excel.Application", L"KET.Application", L"et.Application"};
constexpr const wchar_t* kFrontPageIds[] = {L"FrontPage.Application"};

std::span<const wchar_t* const> progIdsOf(OfficeApp app) {
    switch (app) {
        case OfficeApp::Word: return kWordIds;
        case OfficeApp::Excel: return kExcelIds;
        case OfficeApp::FrontPage: return kFrontPageIds;
    }
    return {};
}

bool hasRunningInstance(const wchar_t* progId) {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(progId, &clsid))) return false;  // not installed
    IUnknown* instance = nullptr;
    if (FAILED(::GetActiveObject(clsid, nullptr, &instance)) || !instance) return false;
    instance->Release();
    return true;
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
        for (const wchar_t* progId : progIdsOf(app))
            if (hasRunningInstance(progId)) return true;
        return false;
    }

private:
    bool initialized_ = false;
};

}  // namespace

std::unique_ptr<AppProbe> systemProbe() { return std::make_unique<RunningObjectProbe>(); }

}  // namespace tarnwick::platform
