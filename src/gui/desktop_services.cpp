#include "gui/desktop_services.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <QAbstractButton>
#include <QIcon>
#include <QUrl>

#include "base/path_text.h"
#include "gui/controls.h"

namespace tarnwick::gui {

int captionRoom(const QFont& font, const QString& caption) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics fm(bold);
    const int button = fm.height() + 8;
    return fm.horizontalAdvance(caption) + 4 * button + 4 * fm.averageCharWidth();
}

namespace {

QString qPath(const std::filesystem::path& p) { return qText(utf8Of(p)); }

std::unique_ptr<QMessageBox> makeBox(QWidget* owner, std::string_view captionText, std::string_view text,
                                     QMessageBox::StandardButtons buttons) {
    const QString caption = qText(captionText);
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, caption, qText(text), buttons, owner,
                                             Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                 Qt::WindowCloseButtonHint);
    box->setObjectName(caption);
    const std::pair<QMessageBox::StandardButton, const char*> labels[] = {
        {QMessageBox::Ok, "确定"}, {QMessageBox::Yes, "是(&Y)"}, {QMessageBox::No, "否(&N)"}};
    for (const auto& [which, label] : labels)
        if (QAbstractButton* b = box->button(which)) {
            b->setText(QString::fromUtf8(label));
            b->setIcon(QIcon());
        }
    // QMessageBox sizes itself to its text; a row spanning the whole grid keeps it wide enough
    // for the caption too.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(captionRoom(box->font(), caption), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, std::string_view caption, std::string_view text) {
    return makeBox(owner, caption, text, QMessageBox::Ok);
}

std::unique_ptr<QMessageBox> makeYesNoBox(QWidget* owner, std::string_view caption, std::string_view text) {
    auto box = makeBox(owner, caption, text, QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    return box;
}

void MessageBoxPrompter::info(std::string_view text) {
    QWidget* owner = beforeBox ? beforeBox() : nullptr;
    makeMessageBox(owner, caption_, text)->exec();
}

bool MessageBoxPrompter::yesNo(std::string_view text) {
    QWidget* owner = beforeBox ? beforeBox() : nullptr;
    return makeYesNoBox(owner, caption_, text)->exec() == QMessageBox::Yes;
}

void DesktopFolderOpener::openFolder(const std::filesystem::path& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(qPath(folder)));  // a failure is ignored
}

void DesktopDocumentOpener::openDocument(const std::filesystem::path& document) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(qPath(document)));  // a failure is ignored
}

}  // namespace tarnwick::gui
