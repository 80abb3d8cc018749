// The numbers of a BIFF8 workbook stream that the readers compare against: record types
// ([MS-XLS] 2.3 Record Enumeration), the BOF fields that tell the sub-streams and the file
// versions apart, the OBJ fields of an embedded chart, and the one formula token the sheet
// reader looks at itself.
#pragma once

#include <cstdint>

namespace tarnwick::xls {

namespace rt {

// Workbook globals and worksheets.
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
inline constexpr std::uint16_t MulBlank = 0x00BE;
inline constexpr std::uint16_t RString = 0x00D6;
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

// The BOF records of BIFF2, BIFF3 and BIFF4 streams (Excel 2.x to 4.0), which open a bare record
// stream rather than a compound file.
inline constexpr std::uint16_t Bof2 = 0x0009;
inline constexpr std::uint16_t Bof3 = 0x0209;
inline constexpr std::uint16_t Bof4 = 0x0409;

// Chart sub-streams.
inline constexpr std::uint16_t Chart = 0x1002;
inline constexpr std::uint16_t Series = 0x1003;
inline constexpr std::uint16_t DataFormat = 0x1006;
inline constexpr std::uint16_t LineFormat = 0x1007;
inline constexpr std::uint16_t MarkerFormat = 0x1009;
inline constexpr std::uint16_t PieFormat = 0x100B;
inline constexpr std::uint16_t SeriesText = 0x100D;
inline constexpr std::uint16_t ChartFormat = 0x1014;
inline constexpr std::uint16_t Bar = 0x1017;
inline constexpr std::uint16_t Line = 0x1018;
inline constexpr std::uint16_t Pie = 0x1019;
inline constexpr std::uint16_t Area = 0x101A;
inline constexpr std::uint16_t Scatter = 0x101B;
inline constexpr std::uint16_t Text = 0x1025;
inline constexpr std::uint16_t ObjectLink = 0x1027;
inline constexpr std::uint16_t Begin = 0x1033;
inline constexpr std::uint16_t End = 0x1034;
inline constexpr std::uint16_t Chart3d = 0x103A;
inline constexpr std::uint16_t Radar = 0x103E;
inline constexpr std::uint16_t Surf = 0x103F;
inline constexpr std::uint16_t RadarArea = 0x1040;
inline constexpr std::uint16_t AxisParent = 0x1041;
inline constexpr std::uint16_t SerToCrt = 0x1045;
inline constexpr std::uint16_t SerParent = 0x104A;
inline constexpr std::uint16_t Brai = 0x1051;
inline constexpr std::uint16_t SerFmt = 0x105D;
inline constexpr std::uint16_t Chart3DBarShape = 0x105F;
inline constexpr std::uint16_t BopPop = 0x1061;

}  // namespace rt

// [MS-XLS] 2.4.21 BOF: vers (the BIFF version) and dt (the kind of sub-stream).
namespace bof {
inline constexpr std::uint16_t Biff8 = 0x0600;
inline constexpr std::uint16_t Biff5 = 0x0500;  // Excel 5.0/95
inline constexpr std::uint16_t Globals = 0x0005;
inline constexpr std::uint16_t Worksheet = 0x0010;
inline constexpr std::uint16_t Chart = 0x0020;
}  // namespace bof

// [MS-XLS] 2.5.143 FtCmo, the first sub-record of an OBJ: ft and the object type ot.
namespace obj {
inline constexpr std::uint16_t FtCmo = 0x0015;
inline constexpr std::uint16_t OtChart = 0x0005;
}  // namespace obj

// [MS-XLS] 2.5.198.58 PtgExp: a formula that takes its tokens from a SHRFMLA or ARRAY record.
namespace ptg {
inline constexpr std::uint8_t Exp = 0x01;
}  // namespace ptg

}  // namespace tarnwick::xls
