// Which of a run's fonts Word shows for one character: Word keeps an ASCII font, an East Asian
// font and an "other" font on every run and picks one per character by its script.
#pragma once

#include <cstdint>

#include "formats/doc/properties.h"

namespace tarnwick::word {

enum class FontSlot : std::uint8_t { Ascii = 0, EastAsian = 1, Other = 2 };

// Han, kana, hangul, CJK symbols and punctuation, full-width forms.
bool isEastAsianCharacter(char32_t c);

// The font of `c` in a run with these properties:
// - East Asian characters take the East Asian font, ASCII letters, digits and punctuation
//   (U+0021..U+007E) the ASCII font;
// - every other character (space, the paragraph mark and other control characters, the middle
//   dot, curly quotes, Latin-1 letters ...) is neutral: it takes the East Asian font when the run
//   says so (the East Asian script hint, or an East Asian language for its East Asian text, as
//   every run of a document typed in Chinese Word or WPS has), else the ASCII font for a space or
//   control character and the other font for the rest.
FontSlot fontSlotOf(char32_t c, const doc::Chp& chp);

// Whether a language id is Chinese, Japanese or Korean.
bool isEastAsianLanguage(std::uint16_t lid);

}  // namespace tarnwick::word
