// Word's constants that the reads return or take.
#pragma once

namespace tarnwick::word::wd {

inline constexpr int Undefined = 9999999;            // wdUndefined: a number or flag that differs over a range
inline constexpr int ColorAutomatic = -16777216;     // wdColorAutomatic
inline constexpr int True = -1, False = 0;          // Bold, Italic
inline constexpr int OrientPortrait = 0, OrientLandscape = 1;
inline constexpr int AlignParagraphLeft = 0, AlignParagraphCenter = 1, AlignParagraphRight = 2,
                     AlignParagraphJustify = 3;
inline constexpr int AlignPageNumberLeft = 0, AlignPageNumberCenter = 1, AlignPageNumberRight = 2,
                     AlignPageNumberInside = 3, AlignPageNumberOutside = 4;
inline constexpr int HeaderFooterPrimary = 1, HeaderFooterFirstPage = 2, HeaderFooterEvenPages = 3;
inline constexpr int PrintView = 3;                  // wdPrintView
inline constexpr int SeekMainDocument = 0, SeekCurrentPageHeader = 9, SeekCurrentPageFooter = 10;

}  // namespace tarnwick::word::wd
