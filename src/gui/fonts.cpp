#include "gui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tarnwick::gui {
namespace {

struct Substitute {
    const char* face;
    QStringList standIns;
};

}  // namespace

void installFontSubstitutes() {
    const Substitute table[] = {
        {kSong, {"SimSun", "NSimSun", "AR PL UMing CN", "AR PL UMing TW", "AR PL SungtiL GB", "Noto Serif CJK SC"}},
        {kKai, {"KaiTi_GB2312", "KaiTi", "楷体", "AR PL UKai CN", "AR PL UKai TW", "AR PL KaitiM GB"}},
        {kHei, {"SimHei", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Noto Sans CJK SC"}},
    };
    const QStringList installed = QFontDatabase::families();
    for (const Substitute& s : table) {
        const QString face = QString::fromUtf8(s.face);
        if (installed.contains(face, Qt::CaseInsensitive)) continue;
        QStringList present;
        for (const QString& standIn : s.standIns)
            if (installed.contains(standIn, Qt::CaseInsensitive)) present << standIn;
        if (!present.isEmpty()) QFont::insertSubstitutions(face, present);
    }
}

QFont faceFont(const char* face, double points, bool bold) {
    QFont font(QString::fromUtf8(face));
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont windowFont() { return faceFont(kSong, 9); }

}  // namespace tarnwick::gui
