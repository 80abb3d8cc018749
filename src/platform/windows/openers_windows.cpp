#include "platform/windows/openers_windows.h"

#include <windows.h>
#include <shellapi.h>

namespace tarnwick::platform {
namespace {

// The default verb, as a double click in Explorer. Without SEE_MASK_FLAG_NO_UI the shell itself
// tells the student when nothing can open the file (its "open with" choice); the handler goes on.
void shellOpen(const std::filesystem::path& target) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    ::ShellExecuteExW(&info);
}

}  // namespace

void ShellFolderOpener::openFolder(const std::filesystem::path& folder) { shellOpen(folder); }

void ShellDocumentOpener::openDocument(const std::filesystem::path& document) { shellOpen(document); }

}  // namespace tarnwick::platform
