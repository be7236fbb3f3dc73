#include "files/CodesTextFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "files/FileAccess.h"
#include "text/NumberText.h"

namespace {

constexpr std::size_t kFieldLength = 15;
constexpr std::uint64_t kMinimumLines = 7;
// A text of 15 characters holds no larger whole number; anything beyond is
// as unusable as letters (1e308 would turn every statistic into NaN).
constexpr double kLargestCode = 1e15;
constexpr std::size_t kFilePiece = 1 << 20;

// The line ends of a piece. The sums run in bytes over 255 bytes at a time,
// which the compiler turns into a loop over whole vector registers: counting
// the lines of a file of gigabytes takes about as long as reading it.
std::uint64_t CountLineEnds(std::string_view piece) {
  std::uint64_t total = 0;
  while (!piece.empty()) {
    const std::size_t length = std::min<std::size_t>(piece.size(), 255);
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) sum += piece[i] == '\n' ? 1 : 0;
    total += sum;
    piece.remove_prefix(length);
  }
  return total;
}

// An empty field leaves 0; nothing for a field that is no usable code.
std::optional<double> FieldValue(std::string_view field) {
  if (field.empty()) return 0.0;
  const auto value = TryStrToFloat(field);
  if (!value || !(std::fabs(static_cast<double>(*value)) < kLargestCode)) return std::nullopt;
  return static_cast<double>(*value);
}

// The codes read so far, X, Y, Z of each line: as 16-bit whole numbers while
// every code is one (a logger's codes always are), which holds a full
// recording in 9 MB beside the recording it will replace; as doubles from
// the first code that is not.
class CodesBuffer {
 public:
  explicit CodesBuffer(std::size_t capacity) : capacity_(capacity) {
    narrow_.reserve(capacity);  // address space only, touched as it fills
  }
  std::size_t Size() const { return wide_ ? wideCodes_.size() : narrow_.size(); }
  double operator[](std::size_t i) const { return wide_ ? wideCodes_[i] : narrow_[i]; }
  void Push(double code) {
    if (!wide_ && !std::signbit(code) && code <= 65535 && code == std::floor(code)) {
      narrow_.push_back(static_cast<std::uint16_t>(code));
      return;
    }
    if (!wide_) {
      wideCodes_.reserve(capacity_);
      wideCodes_.assign(narrow_.begin(), narrow_.end());
      narrow_ = {};
      wide_ = true;
    }
    wideCodes_.push_back(code);
  }

 private:
  std::size_t capacity_;
  bool wide_ = false;
  std::vector<std::uint16_t> narrow_;
  std::vector<double> wideCodes_;
};

// Reads the text as it arrives, piece by piece, the way the file was always
// read: the first two fields run to the next ";" (across line ends, should a
// line lack one), the third to the end of its line; each keeps at most 15
// characters. Every line counts, an empty one too, and a last line without its
// line end as well. Lines beyond the capacity are only counted, so memory
// stays bounded whatever the text's size; a field's value is settled by its
// first 15 characters, so a bad one ends the reading of fields at once.
class CodesTextReader {
 public:
  explicit CodesTextReader(std::uint64_t capacity)
      : capacity_(capacity), codes_(static_cast<std::size_t>(capacity) * 3) {}

  // Throws ConversionError as soon as a bad field is known to lie in a file
  // long enough to be read at all.
  void Feed(std::string_view piece) {
    if (piece.empty()) return;
    newlines_ += CountLineEnds(piece);
    lastLineOpen_ = piece.back() != '\n';
    while (!piece.empty() && Parsing()) piece = Consume(piece);
    if (badField_ && newlines_ >= kMinimumLines) throw ConversionError(*badField_);
  }

  // Once no more fields are read, zero bytes (a hole of a sparse file) hold
  // no line end and need not be read.
  bool OnlyCounting() const { return !Parsing(); }
  void PassZeros(std::uint64_t count) {
    if (count > 0) lastLineOpen_ = true;
  }

  // The outcome once the whole text was fed; the codes are written only
  // when every field of the lines to be loaded is a number.
  CodesTextResult Finish(Recording& recording) {
    if (inRecord_ && Parsing()) {
      while (inRecord_) EndField();  // the text's end closes every open field
    }
    CodesTextResult result;
    result.linesInFile = newlines_ + (lastLineOpen_ ? 1 : 0);
    if (result.linesInFile < kMinimumLines) return result;
    if (badField_) throw ConversionError(*badField_);
    const std::uint64_t lines = std::min(result.linesInFile, capacity_);
    std::fill_n(recording.CodesX.get(), lines, 0.0);
    std::fill_n(recording.CodesY.get(), lines, 0.0);
    std::fill_n(recording.CodesZ.get(), lines, 0.0);
    std::fill_n(recording.Temperature.get(), lines, 0.0);
    for (std::size_t i = 0; i < codes_.Size() / 3; ++i) {
      recording.CodesX[i] = codes_[3 * i];
      recording.CodesY[i] = codes_[3 * i + 1];
      recording.CodesZ[i] = codes_[3 * i + 2];
    }
    recording.SampleCount = static_cast<std::uint32_t>(lines);
    result.status = CodesTextStatus::Loaded;
    result.loadedSamples = lines;
    return result;
  }

 private:
  bool Parsing() const { return !badField_ && codes_.Size() < capacity_ * 3; }

  // Takes the piece up to the end of the current field, or all of it.
  std::string_view Consume(std::string_view piece) {
    inRecord_ = true;
    const std::size_t stop = piece.find(field_ < 2 ? ';' : '\n');
    const std::string_view part = piece.substr(0, stop);
    kept_.append(part.substr(0, std::min(part.size(), kFieldLength - kept_.size())));
    if (stop == std::string_view::npos) {
      if (kept_.size() == kFieldLength && !FieldValue(Field())) badField_ = std::string(Field());
      return {};
    }
    EndField();
    return piece.substr(stop + 1);
  }

  // The field as converted; the third is the rest of its line (at most 15
  // characters) without the CR of a CR LF.
  std::string_view Field() const {
    std::string_view field = kept_;
    if (field_ == 2 && field.ends_with('\r')) field.remove_suffix(1);
    return field;
  }

  void EndField() {
    const std::string_view field = Field();
    const std::optional<double> value = FieldValue(field);
    if (!value) badField_ = std::string(field);
    codes_.Push(value.value_or(0.0));
    kept_.clear();
    if (++field_ == 3) {
      field_ = 0;
      inRecord_ = false;
    }
  }

  const std::uint64_t capacity_;
  CodesBuffer codes_;
  int field_ = 0;  // 0, 1 or 2: X, Y or Z
  bool inRecord_ = false;
  std::string kept_;  // the field's first 15 characters
  std::optional<std::string> badField_;
  std::uint64_t newlines_ = 0;
  bool lastLineOpen_ = false;  // text after the last line end
};

}  // namespace

CodesTextResult ReadCodesText(std::string_view text, Recording& recording) {
  CodesTextReader reader(static_cast<std::uint64_t>(recording.Capacity));
  reader.Feed(text);
  return reader.Finish(recording);
}

CodesTextFileRead ReadCodesTextFile(const std::string& path, Recording& recording) {
  CodesTextFileRead read;
  const ReadOnlyFile file(path);
  read.status = file.Status();
  if (read.status != FileReadStatus::Ok) return read;
  CodesTextReader reader(static_cast<std::uint64_t>(recording.Capacity));
  std::vector<std::uint8_t> piece(
      static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), kFilePiece)));
  for (std::uint64_t offset = 0; offset < file.Size(); offset += piece.size()) {
    if (reader.OnlyCounting()) {
      const std::uint64_t data = file.DataFrom(offset);
      reader.PassZeros(data - offset);
      offset = data;
      if (offset == file.Size()) break;
    }
    piece.resize(
        static_cast<std::size_t>(std::min<std::uint64_t>(kFilePiece, file.Size() - offset)));
    if (!file.ReadAt(offset, piece)) {
      read.status = FileReadStatus::CannotOpen;
      return read;
    }
    reader.Feed({reinterpret_cast<const char*>(piece.data()), piece.size()});
  }
  read.result = reader.Finish(recording);
  return read;
}

namespace {

// A whole number below 1e15 in magnitude is its own digits: FormatFixed with
// 15 significant digits and no decimals writes exactly those (-0 as "0"),
// without its 80-bit digit string. Anything else takes FormatFixed itself.
void AppendCode(std::string& text, double code) {
  if (std::fabs(code) < kLargestCode && code == std::trunc(code)) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(code));
    text.append(digits, end.ptr);
  } else {
    text += FormatFixed(code, 15, 0);
  }
}

}  // namespace

std::string CodesText(const Recording& recording) {
  std::string text;
  text.reserve(static_cast<std::size_t>(recording.SampleCount) * 20);
  for (std::uint32_t i = 0; i < recording.SampleCount; ++i) {
    AppendCode(text, recording.CodesX[i]);
    text += ';';
    AppendCode(text, recording.CodesY[i]);
    text += ';';
    AppendCode(text, recording.CodesZ[i]);
    text += "\r\n";
  }
  return text;
}

void WriteCodesTextFile(const std::string& path, const Recording& recording) {
  ReplaceFile(path, CodesText(recording));
}

std::string CodesTextMessage(const CodesTextResult& result) {
  if (result.status == CodesTextStatus::TooFewLines) return "Файл неправильного формата";
  if (!result.truncated()) return {};
  return "Файл длиннее, чем помещается в программу: загружены первые " +
         std::to_string(result.loadedSamples) + " строк из " + std::to_string(result.linesInFile) +
         ".";
}
