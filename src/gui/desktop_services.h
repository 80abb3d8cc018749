// The desktop's side of the handlers' services: message boxes, the file manager and the
// applications documents open with.
#pragma once

#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <memory>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/openers.h"
#include "platform/prompter.h"

namespace tarnwick::gui {

// An OK-only box captioned `caption` over `owner`, without an icon, its button reading 确定, and
// asking for a close box as its only title-bar button. It is never narrower than its caption needs
// (see captionRoom), so that a short text such as "恭喜你全部正确！" does not cut the caption.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, std::string_view caption, std::string_view text);
// The same with the buttons 是 and 否 (是 the default).
std::unique_ptr<QMessageBox> makeYesNoBox(QWidget* owner, std::string_view caption, std::string_view text);

// The width a title bar needs to show `caption` whole: the caption in a bold face of the box's
// font, four squares of the title's height (window managers put the icon and up to three buttons
// there, whatever the window asks for: openbox keeps minimise and maximise) and the margins.
int captionRoom(const QFont& font, const QString& caption);

// Modal boxes made by makeMessageBox and makeYesNoBox, all with the program's caption.
class MessageBoxPrompter : public platform::Prompter {
public:
    explicit MessageBoxPrompter(std::string caption) : caption_(std::move(caption)) {}

    // Called before each box: brings the windows up to date so that the box appears over what
    // the handler has done so far; returns the window that owns the box (may be null).
    std::function<QWidget*()> beforeBox;

    void info(std::string_view text) override;
    bool yesNo(std::string_view text) override;

private:
    std::string caption_;
};

// Opens the folder with the desktop's default handler (the file manager; xdg-open on Linux).
class DesktopFolderOpener : public platform::FolderOpener {
public:
    void openFolder(const std::filesystem::path& folder) override;
};

// Opens a document with the application the desktop opens its kind with.
class DesktopDocumentOpener : public platform::DocumentOpener {
public:
    void openDocument(const std::filesystem::path& document) override;
};

}  // namespace tarnwick::gui
