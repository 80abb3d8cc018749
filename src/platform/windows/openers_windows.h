// Windows: folders and documents go to the shell (ShellExecuteW with the default verb), which
// opens a folder in Explorer and a document in the application registered for its extension
// (Excel, or WPS Office's spreadsheet for .xls when that is the one registered).
#pragma once

#include "platform/openers.h"

namespace tarnwick::platform {

class ShellFolderOpener final : public FolderOpener {
public:
    void openFolder(const std::filesystem::path& folder) override;
};

class ShellDocumentOpener final : public DocumentOpener {
public:
    void openDocument(const std::filesystem::path& document) override;
};

}  // namespace tarnwick::platform
