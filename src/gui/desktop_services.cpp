#include "gui/desktop_services.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <QAbstractButton>
#include <QIcon>
#include <QUrl>

namespace tarnwick::gui {

int captionRoom(const QFont& font, const QString& caption) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics fm(bold);
    const int button = fm.height() + 8;
    return fm.horizontalAdvance(caption) + 4 * button + 4 * fm.averageCharWidth();
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, std::string_view text) {
    const QString caption =
        QString::fromUtf8(shell::kProgramTitle.data(), static_cast<qsizetype>(shell::kProgramTitle.size()));
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, caption,
                                             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                             QMessageBox::Ok, owner,
                                             Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                 Qt::WindowCloseButtonHint);
    box->setObjectName("Veltrace");
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->setText(QString::fromUtf8("确定"));
        ok->setIcon(QIcon());
    }
    // QMessageBox sizes itself to its text; a row spanning the whole grid keeps it wide enough
    // for the caption too.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(captionRoom(box->font(), caption), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void MessageBoxPrompter::info(std::string_view text) {
    QWidget* owner = beforeBox ? beforeBox() : nullptr;
    makeMessageBox(owner, text)->exec();
}

void DesktopFolderOpener::openFolder(const std::filesystem::path& folder) {
    const std::u8string u8 = folder.u8string();
    const QString path = QString::fromUtf8(reinterpret_cast<const char*>(u8.data()), static_cast<qsizetype>(u8.size()));
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));  // a failure is ignored
}

}  // namespace tarnwick::gui
