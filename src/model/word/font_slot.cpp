#include "model/word/font_slot.h"

namespace tarnwick::word {

bool isEastAsianCharacter(char32_t c) {
    return (c >= 0x1100 && c <= 0x11FF) ||    // Hangul Jamo
           (c >= 0x2E80 && c <= 0x2FDF) ||    // CJK radicals, Kangxi radicals
           (c >= 0x2FF0 && c <= 0x303F) ||    // ideographic description, CJK symbols and punctuation
           (c >= 0x3040 && c <= 0x31FF) ||    // kana, bopomofo, Hangul compatibility, kanbun, strokes
           (c >= 0x3200 && c <= 0x4DBF) ||    // enclosed CJK, CJK compatibility, extension A
           (c >= 0x4E00 && c <= 0x9FFF) ||    // CJK unified ideographs
           (c >= 0xA000 && c <= 0xA4CF) ||    // Yi
           (c >= 0xAC00 && c <= 0xD7AF) ||    // Hangul syllables
           (c >= 0xF900 && c <= 0xFAFF) ||    // CJK compatibility ideographs
           (c >= 0xFE30 && c <= 0xFE4F) ||    // CJK compatibility forms
           (c >= 0xFF00 && c <= 0xFFEF) ||    // half-width and full-width forms
           (c >= 0x20000 && c <= 0x3FFFF);    // supplementary ideographs
}

bool isEastAsianLanguage(std::uint16_t lid) {
    switch (lid & 0x03FF) {  // the primary language
        case 0x04:  // Chinese
        case 0x11:  // Japanese
        case 0x12:  // Korean
            return true;
        default: return false;
    }
}

FontSlot fontSlotOf(char32_t c, const doc::Chp& chp) {
    if (isEastAsianCharacter(c)) return FontSlot::EastAsian;
    if (c >= 0x21 && c <= 0x7E) return FontSlot::Ascii;
    // sprmCIdctHint: 1 is the East Asian hint ([MS-DOC] 2.6.1, ECMA-376 w:hint="eastAsia").
    if (chp.idctHint == 1 || isEastAsianLanguage(chp.lidFE)) return FontSlot::EastAsian;
    return c < 0x80 ? FontSlot::Ascii : FontSlot::Other;
}

}  // namespace tarnwick::word
