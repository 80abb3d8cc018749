// The desktop's side of the handlers' services: message boxes and the file manager.
#pragma once

#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <memory>

#include "shell/window_model.h"

namespace tarnwick::gui {

// An OK-only box captioned "Veltrace" over `owner`, without an icon, its button reading 确定, and
// asking for a close box as its only title-bar button. It is never narrower than its caption needs
// (see captionRoom), so that a short text such as "恭喜你全部正确！" does not cut the caption.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, std::string_view text);

// The width a title bar needs to show `caption` whole: the caption in a bold face of the box's
// font, four squares of the title's height (window managers put the icon and up to three buttons
// there, whatever the window asks for: openbox keeps minimise and maximise) and the margins.
int captionRoom(const QFont& font, const QString& caption);

// Modal OK-only boxes made by makeMessageBox.
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
