// One part of a building as a DSTV NC file gives it: the CAD's file for the
// saw and drill lines, one file a part. Only the header block (ST) is read.
//
// What the reader relies on:
//  - Text: ASCII, code page 932 or UTF-8 (a byte-order mark allowed), told
//    apart as for the parts list; lines end in LF, CR LF or CR.
//  - A line beginning "**" is a comment, wherever it stands.
//  - A block begins with a line holding its two-letter code in columns 1-2
//    (ST header, EN end, BO, AK, IK, SI, SC, KA, PR and others); the rest of
//    that line is not read. The first block must be ST; only blank lines and
//    comments may stand before it. Reading ends with ST: the other blocks are
//    skipped, and a file may end without EN.
//  - A data line begins with a blank (the standard writes two spaces); its
//    value is the rest, blanks trimmed. A line of blanks alone, or an empty
//    line, inside ST is a field without a value (editors strip trailing blanks).
//  - The ST block's data lines, in order:
//      1 order  2 drawing  3 phase  4 piece (mark)  5 steel quality (grade)
//      6 quantity  7 profile  8 code profile  9 length, or "length,saw length"
//      10 height  11 flange width  12 flange thickness  13 web thickness
//      14 radius  15 weight by metre  16 painting surface by metre (not read)
//      17-20 web start, web end, flange start, flange end cut (degrees; 0 square)
//      21-24 texts
//    Fields 1-15 must be there; 16-24 may be missing (files of earlier
//    editions end sooner). Text fields may be empty.
//  - Numbers are decimal with a point, mm, kg/m and degrees. Field 9 holds the
//    length, then optionally the saw length after a comma (or blanks); a saw
//    length of 0 is none. A length of 0 or none: the part has no length. A
//    weight by metre of 0 is unknown. An empty cut angle is 0.
//  - Code profile B is a plate.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yobina {

// The ST block's fields beyond the part's identity and count (code page 932, mm, kg/m, degrees).
struct DstvDetail {
  std::string Grade;    // steel quality, e.g. SN490B; may be empty
  std::string Profile;  // as written, e.g. H-400*200*8*13
  std::string Code;     // code profile: I, L, U, B, RU, RO, M, C, T or SO
  double Length = 0;    // 0: none given
  std::optional<double> SawLength;
  std::optional<double> Height, FlangeWidth, FlangeThickness, WebThickness, Radius;
  std::optional<double> UnitWeight;  // kg/m; none when 0
  // Web start, web end, flange start, flange end.
  std::array<double, 4> CutAngles{};
  std::array<std::string, 4> Texts;

  // A cut end that is not square: noted "斜め切断".
  bool SkewCut() const;
};

struct DstvPart {
  std::string Order;    // 工事番号
  std::string Drawing;  // 図面番号
  std::string Phase;    // 節 / 工区
  std::string Mark;     // piece
  int32_t Quantity = 0;
  DstvDetail Detail;
};

enum class DstvKind {
  Part,      // a part to plan
  Plate,     // code B: not planned
  NoLength,  // a length of 0 or none: not planned
  Bad        // not DSTV, a field missing or wrong: Reason says which
};

struct DstvRead {
  DstvKind Kind = DstvKind::Bad;
  DstvPart Part;       // complete for Part; as far as read otherwise
  std::string Reason;  // for Bad: whole sentences, code page 932
};

// The file's part; never throws for bad input.
DstvRead ReadDstvFile(std::string_view bytes);

}  // namespace yobina
