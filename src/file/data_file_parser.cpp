#include "file/data_file_parser.h"

#include <algorithm>
#include <string>

#include "file/element_names.h"
#include "file/persist_list.h"
#include "text/codec.h"
#include "text/number_text.h"

namespace yobina {
namespace {

// No key of the file is longer; a longer one can only be unknown.
constexpr std::size_t kMaxKeyBytes = 32;

// Spaces and control characters, which the key loses at both ends. None of
// them can be the second byte of a two-byte character.
constexpr bool IsTrimmedByte(unsigned char byte) {
  return byte <= 0x20 || byte == 0x7F;
}

constexpr bool IsLineEnd(unsigned char byte) {
  return byte == '\r' || byte == '\n';
}

}  // namespace

void DataFileParser::Feed(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size() && state_ != State::Rejected && fault_.empty()) {
    // Lines that can no longer change anything are skipped to their end at once.
    const bool skipping = state_ == State::Comment || (state_ == State::Value && valueFull_);
    if (skipping && !afterCarriageReturn_) {
      const std::size_t end = bytes.find_first_of("\r\n", i);
      if (end == std::string_view::npos) return;
      i = end;
    }
    FeedByte(static_cast<unsigned char>(bytes[i]));
    ++i;
  }
}

LoadResult DataFileParser::Finish() {
  if (state_ != State::LineStart && state_ != State::Rejected) EndLine();
  return state_ == State::Rejected ? LoadResult::WrongVersion : LoadResult::Loaded;
}

void DataFileParser::FeedByte(unsigned char byte) {
  if (afterCarriageReturn_) {
    afterCarriageReturn_ = false;
    if (byte == '\n') return;  // CR LF is one line end
  }
  if (IsLineEnd(byte)) {
    afterCarriageReturn_ = byte == '\r';
    EndLine();
    return;
  }
  switch (state_) {
    case State::Header:
      if (header_.size() >= kDataFileHeader.size()) {
        state_ = State::Rejected;
      } else {
        header_.push_back(static_cast<char>(byte));
      }
      break;
    case State::LineStart:
      if (byte == ';') {
        state_ = State::Comment;
      } else {
        state_ = State::Key;
        KeyByte(byte);
      }
      break;
    case State::Key:
      KeyByte(byte);
      break;
    case State::Value:
      ValueByte(byte);
      break;
    case State::Comment:
    case State::Rejected:
      break;
  }
}

void DataFileParser::KeyByte(unsigned char byte) {
  if (byte == '=') {
    state_ = State::Value;
    return;
  }
  if (IsTrimmedByte(byte)) {
    if (!key_.empty()) blankAfterKey_ = true;
    return;
  }
  if (blankAfterKey_ || key_.size() >= kMaxKeyBytes) {
    state_ = State::Comment;  // no key can match: the rest of the line is of no use
    return;
  }
  key_.push_back(static_cast<char>(byte));
}

void DataFileParser::ValueByte(unsigned char byte) {
  if (valueFull_) return;
  if (inTrailByte_) {
    inTrailByte_ = false;
  } else if (IsLeadByte(byte)) {
    // Cut before a two-byte character that would not fit whole.
    if (value_.size() + 2 > kMaxValueBytes) {
      valueFull_ = true;
      return;
    }
    inTrailByte_ = true;
  }
  value_.push_back(static_cast<char>(byte));
  if (value_.size() >= kMaxValueBytes) valueFull_ = true;
}

void DataFileParser::EndLine() {
  if (!fault_.empty()) return;
  if (state_ == State::Header) {
    state_ = header_ == kDataFileHeader ? State::LineStart : State::Rejected;
    return;
  }
  if (state_ == State::Rejected) return;
  if (state_ == State::Value) ApplyLine();
  state_ = State::LineStart;
  key_.clear();
  blankAfterKey_ = false;
  value_.clear();
  valueFull_ = false;
  inTrailByte_ = false;
}

void DataFileParser::ApplyLine() {
  const PersistEntry* entry = FindPersistEntry(key_);
  if (entry == nullptr) return;
  switch (entry->Kind) {
    case PersistKind::Page:
      break;
    case PersistKind::TextField:
      page_.SetFieldText(entry->Field, value_);
      break;
    case PersistKind::ChoiceGroup: {
      const int32_t index = TextToInt(value_);
      const int last = page_.TrialItemCount() - 1;
      if (index < 0 || last < 0) {
        page_.SetTrialIndex(-1);
      } else {
        page_.SetTrialIndex(std::min(index, last));
      }
      break;
    }
    case PersistKind::Table:
      ApplyTableRow(entry->Grid);
      break;
  }
}

void DataFileParser::ApplyTableRow(GridId grid) {
  SplitFields(value_, fields_);
  const int32_t row = TextToInt(fields_[1]);
  if (row < 1 || row >= page_.RowCount(grid)) return;  // the end marker " -1" among them
  const int columns = page_.ColumnCount(grid);
  // A cell that held a comma when it was written comes back as two, and the
  // row with a value past its last cell: which comma was the cell's cannot
  // be told, so the row is refused rather than guessed at. Empty fields past
  // the last cell lose nothing and are let be.
  const char separator = value_.find('\t') != std::string::npos ? '\t' : ',';
  std::size_t extra = 0;
  for (int field = 1; field <= columns && extra != std::string::npos; ++field) {
    extra = value_.find(separator, extra);
    if (extra != std::string::npos) ++extra;
  }
  if (extra != std::string::npos &&
      value_.find_first_not_of(std::string{separator, ' '}, extra) != std::string::npos) {
    fault_ =
        Cp932ToUtf8(Cp932(ListName(grid)) + " " + std::to_string(row) + Cp932("行目") + QuotedValue(value_)) +
        "は長さと本数のほかにも値があるため、読み込めません。長さか本数に「,"
        "」が入っていないか確かめてください。";
    return;
  }
  for (int column = 1; column < columns; ++column) {
    const std::string empty;
    page_.SetCellText(grid, column, row, column + 1 <= kMaxFields ? fields_[column + 1] : empty);
  }
}

}  // namespace yobina
