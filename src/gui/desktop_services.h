// The desktop's side of the handlers' services: message boxes and the file manager.
#pragma once

#include <QWidget>
#include <functional>

#include "shell/window_model.h"

namespace tarnwick::gui {

// Modal OK-only boxes captioned "Veltrace", without an icon.
class MessageBoxPrompter : public shell::Prompter {
public:
    // Called before each box: brings the windows up to date so that the box appears over what
    // the handler has done so far; returns the window that owns the box (may be null).
    std::function<QWidget*()> beforeBox;

    void info(std::string_view text) override;
};

// Opens the folder with the desktop's default handler (the file manager; xdg-open on Linux).
class DesktopFolderOpener : public shell::FolderOpener {
public:
    void openFolder(const std::filesystem::path& folder) override;
};

}  // namespace tarnwick::gui
