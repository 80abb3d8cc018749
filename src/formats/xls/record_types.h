// BIFF8 record type numbers used by the workbook reader.
#pragma once

#include <cstdint>

namespace tarnwick::xls::rt {

inline constexpr std::uint16_t Formula = 0x0006;
inline constexpr std::uint16_t Eof = 0x000A;
inline constexpr std::uint16_t ExternSheet = 0x0017;
inline constexpr std::uint16_t Name = 0x0018;
inline constexpr std::uint16_t DateMode = 0x0022;
inline constexpr std::uint16_t FilePass = 0x002F;
inline constexpr std::uint16_t Font = 0x0031;
inline constexpr std::uint16_t Continue = 0x003C;
inline constexpr std::uint16_t Window1 = 0x003D;
inline constexpr std::uint16_t CodePage = 0x0042;
inline constexpr std::uint16_t DefColWidth = 0x0055;
inline constexpr std::uint16_t Obj = 0x005D;
inline constexpr std::uint16_t ColInfo = 0x007D;
inline constexpr std::uint16_t BoundSheet = 0x0085;
inline constexpr std::uint16_t Palette = 0x0092;
inline constexpr std::uint16_t StandardWidth = 0x0099;
inline constexpr std::uint16_t MulRk = 0x00BD;
inline constexpr std::uint16_t RString = 0x00D6;
inline constexpr std::uint16_t MulBlank = 0x00BE;
inline constexpr std::uint16_t Xf = 0x00E0;
inline constexpr std::uint16_t MergedCells = 0x00E5;
inline constexpr std::uint16_t Sst = 0x00FC;
inline constexpr std::uint16_t LabelSst = 0x00FD;
inline constexpr std::uint16_t SupBook = 0x01AE;
inline constexpr std::uint16_t Dimensions = 0x0200;
inline constexpr std::uint16_t Blank = 0x0201;
inline constexpr std::uint16_t Number = 0x0203;
inline constexpr std::uint16_t Label = 0x0204;
inline constexpr std::uint16_t BoolErr = 0x0205;
inline constexpr std::uint16_t Str = 0x0207;
inline constexpr std::uint16_t Row = 0x0208;
inline constexpr std::uint16_t Array = 0x0221;
inline constexpr std::uint16_t DefaultRowHeight = 0x0225;
inline constexpr std::uint16_t Table = 0x0236;
inline constexpr std::uint16_t Rk = 0x027E;
inline constexpr std::uint16_t Style = 0x0293;
inline constexpr std::uint16_t Format = 0x041E;
inline constexpr std::uint16_t ShrFmla = 0x04BC;
inline constexpr std::uint16_t Bof = 0x0809;

}  // namespace tarnwick::xls::rt
