#include "files/CodesTextFile.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "files/FileAccess.h"
#include "text/NumberText.h"

namespace {

constexpr std::size_t kFieldLength = 15;
constexpr std::uint64_t kMinimumLines = 7;

// Every line counts, an empty one too; a last line without its line end as well.
std::uint64_t CountLines(std::string_view text) {
  const auto ends = static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
  return ends + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// Reads the fields the way the file was always read: the first two run to the
// next ";" (across line ends, should a line lack one), the third to the end of
// its line; each keeps at most 15 characters.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return position_ >= text_.size(); }

  std::array<std::string_view, 3> NextLine() {
    std::array<std::string_view, 3> fields;
    fields[0] = UpTo(text_.find(';', position_), 1);
    fields[1] = UpTo(text_.find(';', position_), 1);
    const std::size_t lineEnd = text_.find('\n', position_);
    std::string_view rest = UpTo(lineEnd, 1);
    if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    fields[2] = rest.substr(0, kFieldLength);
    return fields;
  }

 private:
  // The text up to `end` (or the end of the text), skipping `skip` more characters after it.
  std::string_view UpTo(std::size_t end, std::size_t skip) {
    end = std::min(end, text_.size());
    const std::string_view field = text_.substr(position_, end - position_);
    position_ = std::min(text_.size(), end + skip);
    return field.substr(0, kFieldLength);
  }

  std::string_view text_;
  std::size_t position_ = 0;
};

// An empty field leaves 0. A value too large for a code (1e999) is as
// unusable as letters: it would turn every statistic into NaN.
double FieldValue(std::string_view field) {
  if (field.empty()) return 0.0;
  const auto value = static_cast<double>(StrToFloat(field));
  if (!std::isfinite(value)) throw ConversionError(field);
  return value;
}

// Calls `use(index, x, y, z)` for each of the first `lines` lines.
template <typename Use>
void ForEachLine(std::string_view text, std::uint64_t lines, Use use) {
  FieldReader reader(text);
  for (std::uint64_t i = 0; i < lines && !reader.AtEnd(); ++i) {
    const auto fields = reader.NextLine();
    use(i, FieldValue(fields[0]), FieldValue(fields[1]), FieldValue(fields[2]));
  }
}

}  // namespace

CodesTextResult ReadCodesText(std::string_view text, Recording& recording) {
  CodesTextResult result;
  result.linesInFile = CountLines(text);
  if (result.linesInFile < kMinimumLines) return result;
  const std::uint64_t lines =
      std::min<std::uint64_t>(result.linesInFile, static_cast<std::uint64_t>(recording.Capacity));
  ForEachLine(text, lines, [](std::uint64_t, double, double, double) {});  // throws on a bad field

  std::fill_n(recording.CodesX.get(), lines, 0.0);
  std::fill_n(recording.CodesY.get(), lines, 0.0);
  std::fill_n(recording.CodesZ.get(), lines, 0.0);
  std::fill_n(recording.Temperature.get(), lines, 0.0);
  ForEachLine(text, lines, [&recording](std::uint64_t i, double x, double y, double z) {
    recording.CodesX[i] = x;
    recording.CodesY[i] = y;
    recording.CodesZ[i] = z;
  });
  recording.SampleCount = static_cast<std::uint32_t>(lines);
  result.status = CodesTextStatus::Loaded;
  result.loadedSamples = lines;
  return result;
}

std::string CodesText(const Recording& recording) {
  std::string text;
  text.reserve(static_cast<std::size_t>(recording.SampleCount) * 20);
  for (std::uint32_t i = 0; i < recording.SampleCount; ++i) {
    text += FormatFixed(recording.CodesX[i], 15, 0);
    text += ';';
    text += FormatFixed(recording.CodesY[i], 15, 0);
    text += ';';
    text += FormatFixed(recording.CodesZ[i], 15, 0);
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
