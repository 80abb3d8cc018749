#include "model/excel/column_width.h"

#include <cmath>
#include <string>

#include "base/utf.h"

namespace tarnwick::excel {
namespace {

// Faces known by two names: the Chinese name a Chinese Windows stores and the Latin one.
std::string_view latinName(std::string_view name) {
    struct Alias {
        const char* chinese;
        const char* latin;
    };
    static const Alias aliases[] = {{"微软雅黑", "Microsoft YaHei"}, {"宋体", "SimSun"}, {"新宋体", "NSimSun"},
                                    {"黑体", "SimHei"}, {"楷体", "KaiTi"}, {"仿宋", "FangSong"}};
    for (const Alias& a : aliases)
        if (name == a.chinese) return a.latin;
    return name;
}

bool isCjkFace(std::string_view name) {
    // Any non-ASCII face name (宋体, 楷体_GB2312, ...) or the Latin names of the Chinese system
    // faces: their digits are half an em wide. Microsoft YaHei is not among them: its digits are
    // proportional Latin ones.
    for (unsigned char c : name)
        if (c >= 0x80) return true;
    static const char* const latin[] = {"SimSun", "NSimSun", "SimHei", "KaiTi", "KaiTi_GB2312", "FangSong",
                                        "FangSong_GB2312", "LiSu", "YouYuan", "STSong", "STKaiti", "STFangsong"};
    for (const char* l : latin)
        if (equalsIgnoreAsciiCase(name, l)) return true;
    return false;
}

double latinDigitRatio(std::string_view name) {
    struct Face {
        const char* name;
        double ratio;  // advance width of the digits / em
    };
    static const Face faces[] = {
        {"Arial", 0.556},         {"Liberation Sans", 0.556}, {"Helvetica", 0.556}, {"Calibri", 0.507},
        {"Carlito", 0.507},       {"Times New Roman", 0.5},   {"Liberation Serif", 0.5},
        {"Courier New", 0.6},     {"Liberation Mono", 0.6},   {"Verdana", 0.636},   {"Tahoma", 0.546},
        {"Cambria", 0.556},       {"Microsoft YaHei", 0.58},
    };
    for (const Face& f : faces)
        if (equalsIgnoreAsciiCase(name, f.name)) return f.ratio;
    return 0.556;
}

}  // namespace

int maxDigitWidth(std::string_view face, std::uint16_t heightTwips) {
    const std::string_view fontName = latinName(face);
    // Pixel em at 96 dpi, as GDI rounds the requested height.
    const double points = heightTwips / 20.0;
    const int em = static_cast<int>(std::lround(points * 96.0 / 72.0));
    int width;
    if (isCjkFace(fontName))
        width = static_cast<int>(std::lround(em / 2.0));
    else
        width = static_cast<int>(std::floor(em * latinDigitRatio(fontName)));
    return width < 1 ? 1 : width;
}

int columnPadding(int digitWidth) { return 2 * ((digitWidth + 3) / 4) + 1; }

static double roundTo2(double v) { return std::round(v * 100.0) / 100.0; }

double columnWidthFromStored(std::uint32_t stored, int digitWidth) {
    const int pad = columnPadding(digitWidth);
    const double pixels = std::round(stored / 256.0 * digitWidth);
    if (pixels <= 0) return 0;
    if (pixels < digitWidth + pad) return roundTo2(pixels / (digitWidth + pad));
    return roundTo2((pixels - pad) / digitWidth);
}

double columnWidthFromStandard(std::uint32_t stored, int digitWidth) {
    const double pixels = std::round(stored / 256.0 * digitWidth);
    return roundTo2(pixels / digitWidth);
}

double columnWidthFromDefault(std::uint32_t characters, int digitWidth) {
    const int pad = columnPadding(digitWidth);
    const double raw = static_cast<double>(characters) * digitWidth + pad;
    const double pixels = std::ceil(raw / 8.0) * 8.0;
    return roundTo2((pixels - pad) / digitWidth);
}

std::uint32_t storedFromColumnWidth(double characters, int digitWidth) {
    const int pad = columnPadding(digitWidth);
    double pixels;
    if (characters < 1)
        pixels = std::trunc(characters * (digitWidth + pad) + 0.5);
    else
        pixels = std::trunc(characters * digitWidth + pad + 0.5);
    return static_cast<std::uint32_t>(std::trunc(pixels / digitWidth * 256.0));
}

}  // namespace tarnwick::excel
