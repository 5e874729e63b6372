#include "text/half_width.h"

#include <algorithm>
#include <array>

namespace yobina {

namespace {

constexpr unsigned char kKatakanaLead = 0x83;
constexpr unsigned char kKatakanaFirst = 0x40;  // ァ
constexpr unsigned char kKatakanaLast = 0x93;   // ン; ヴヵヶ after it stay full-width
constexpr unsigned char kSymbolLead = 0x81;
constexpr unsigned char kLatinLead = 0x82;

// Half-width forms of the katakana 0x83 0x40 .. 0x83 0x93 in code order; voiced
// and semi-voiced kana take the base kana and a sound mark. 0x83 0x7F holds no
// character and becomes "*".
constexpr std::array<std::string_view, kKatakanaLast - kKatakanaFirst + 1> kKatakana = {
    "\xA7",     "\xB1",     "\xA8",     "\xB2",     "\xA9",     "\xB3",     "\xAA",     "\xB4",
    "\xAB",     "\xB5",  // ァ..オ
    "\xB6",     "\xB6\xDE", "\xB7",     "\xB7\xDE", "\xB8",     "\xB8\xDE", "\xB9",     "\xB9\xDE",  // カ..ゲ
    "\xBA",     "\xBA\xDE", "\xBB",     "\xBB\xDE", "\xBC",     "\xBC\xDE", "\xBD",     "\xBD\xDE",  // コ..ズ
    "\xBE",     "\xBE\xDE", "\xBF",     "\xBF\xDE", "\xC0",     "\xC0\xDE", "\xC1",     "\xC1\xDE",  // セ..ヂ
    "\xAF",     "\xC2",     "\xC2\xDE", "\xC3",     "\xC3\xDE", "\xC4",     "\xC4\xDE",  // ッ..ド
    "\xC5",     "\xC6",     "\xC7",     "\xC8",     "\xC9",                              // ナ..ノ
    "\xCA",     "\xCA\xDE", "\xCA\xDF", "\xCB",     "\xCB\xDE", "\xCB\xDF", "\xCC",     "\xCC\xDE",  // ハ..ブ
    "\xCC\xDF", "\xCD",     "\xCD\xDE", "\xCD\xDF", "\xCE",     "\xCE\xDE", "\xCE\xDF",  // プ..ポ
    "\xCF",     "\xD0",     "*",        "\xD1",     "\xD2",     "\xD3",                  // マ..モ
    "\xAC",     "\xD4",     "\xAD",     "\xD5",     "\xAE",     "\xD6",                  // ャ..ヨ
    "\xD7",     "\xD8",     "\xD9",     "\xDA",     "\xDB",     "\xDC",     "\xDC",     "\xB2",
    "\xB4",     "\xA6",     "\xDD",  // ラ..ン
};

// One-byte forms of the punctuation with lead byte 0x81; empty when kept.
constexpr std::array<std::string_view, 256> MakeSymbolTable() {
  std::array<std::string_view, 256> table{};
  table[0x40] = " ";
  table[0x41] = "\xA4";  // 、
  table[0x42] = "\xA1";  // 。
  table[0x43] = ",";
  table[0x44] = ".";
  table[0x45] = "\xA5";  // ・
  table[0x46] = ":";
  table[0x47] = ";";
  table[0x48] = "?";
  table[0x49] = "!";
  table[0x4A] = "\xDE";  // ゛
  table[0x4B] = "\xDF";  // ゜
  table[0x4C] = "'";
  table[0x4D] = "'";
  table[0x4F] = "^";
  table[0x50] = "~";
  table[0x51] = "_";
  table[0x5B] = "-";  // the prolonged-sound mark becomes a hyphen, not the half-width mark
  table[0x5C] = "-";
  table[0x5D] = "-";
  table[0x5E] = "/";
  table[0x62] = "|";
  table[0x69] = "(";
  table[0x6A] = ")";
  table[0x6D] = "[";
  table[0x6E] = "]";
  table[0x6F] = "{";
  table[0x70] = "}";
  table[0x71] = "<";
  table[0x72] = ">";
  table[0x75] = "\xA2";  // 「
  table[0x76] = "\xA3";  // 」
  table[0x7B] = "+";
  table[0x7C] = "-";
  table[0x81] = "=";
  table[0x83] = "<";
  table[0x84] = ">";
  table[0x8B] = "\xDF";  // °
  table[0x8C] = "'";
  table[0x8D] = "\"";
  table[0x8F] = "\\";  // ￥: 0x5C is the yen sign of the one-byte set
  table[0x90] = "$";
  table[0x93] = "%";
  table[0x94] = "#";
  table[0x95] = "&";
  table[0x96] = "*";
  table[0x97] = "@";
  return table;
}
constexpr std::array<std::string_view, 256> kSymbols = MakeSymbolTable();

// Appends the half-width form of the two-byte character (lead, trail), or the
// two bytes themselves when it has none.
void AppendHalfWidth(unsigned char lead, unsigned char trail, std::string& out) {
  if (lead == kLatinLead) {
    if (trail >= 0x4F && trail <= 0x58) {
      out += static_cast<char>(trail - 0x4F + '0');
      return;
    }
    if (trail >= 0x60 && trail <= 0x79) {
      out += static_cast<char>(trail - 0x60 + 'A');
      return;
    }
    if (trail >= 0x81 && trail <= 0x9A) {
      out += static_cast<char>(trail - 0x81 + 'a');
      return;
    }
  } else if (lead == kKatakanaLead && trail >= kKatakanaFirst && trail <= kKatakanaLast) {
    out += kKatakana[trail - kKatakanaFirst];
    return;
  } else if (lead == kSymbolLead && !kSymbols[trail].empty()) {
    out += kSymbols[trail];
    return;
  }
  out += static_cast<char>(lead);
  out += static_cast<char>(trail);
}

}  // namespace

std::string ToHalfWidth(std::string_view text, unsigned char /*kana: reserved*/) {
  std::string result;
  result.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(byte)) {
      result += static_cast<char>(byte);
      ++i;
      continue;
    }
    // A lead byte that stands last pairs with the end mark "$" and keeps it.
    const auto trail =
        i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : static_cast<unsigned char>('$');
    AppendHalfWidth(byte, trail, result);
    i += 2;
  }
  return result;
}

void SplitFields(std::string_view text, FieldArray& fields) {
  const char separator = text.find('\t') != std::string_view::npos ? '\t' : ',';
  for (std::string& field : fields) field.clear();

  // Every field ends at a separator; the one after the last field is implied.
  const std::size_t length = text.size() + 1;
  const auto at = [text, separator](std::size_t p) { return p < text.size() ? text[p] : separator; };
  std::size_t start = 0;
  int field = 1;
  for (std::size_t p = 0; start + 1 < length && field <= kMaxFields; ++p) {
    if (at(p) == separator) {
      fields[static_cast<std::size_t>(field)].assign(text.substr(start, p - start));
      ++field;
      start = p + 1;
    }
  }
}

}  // namespace yobina
