// Handing a folder or a document to the desktop: the file manager, or the application the desktop
// opens that kind of document with. Failures are the desktop's to show; callers go on.
#pragma once

#include <filesystem>

namespace tarnwick::platform {

class FolderOpener {
public:
    virtual ~FolderOpener() = default;
    virtual void openFolder(const std::filesystem::path& folder) = 0;
};

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual void openDocument(const std::filesystem::path& document) = 0;
};

}  // namespace tarnwick::platform
