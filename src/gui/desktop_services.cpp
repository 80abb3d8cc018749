#include "gui/desktop_services.h"

#include <QDesktopServices>
#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>
#include <QUrl>

namespace tarnwick::gui {

void MessageBoxPrompter::info(std::string_view text) {
    QWidget* owner = beforeBox ? beforeBox() : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(shell::kProgramTitle.data(),
                                                           static_cast<qsizetype>(shell::kProgramTitle.size())),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, owner);
    box.setObjectName("Veltrace");
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
        ok->setText(QString::fromUtf8("确定"));
        ok->setIcon(QIcon());
    }
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void DesktopFolderOpener::openFolder(const std::filesystem::path& folder) {
    const std::u8string u8 = folder.u8string();
    const QString path = QString::fromUtf8(reinterpret_cast<const char*>(u8.data()), static_cast<qsizetype>(u8.size()));
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));  // a failure is ignored
}

}  // namespace tarnwick::gui
