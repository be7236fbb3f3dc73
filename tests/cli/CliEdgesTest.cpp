// The command-line tool at its edges, run as a process: numbers too large
// for a code, options of other commands, a standard input that fails or
// carries terminal escapes, and inputs and results far larger than usual.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "LoggerFileWriter.h"
#include "analysis/ShockEvents.h"
#include "files/LoggerFile.h"
#include "support/Sanitizers.h"
#include "support/SavedFiles.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> Words(const QStringList& list) {
  std::vector<std::string> words;
  for (const QString& word : list) words.push_back(word.toStdString());
  return words;
}

// A descriptor open for reading, closed with the object.
class OpenFile {
 public:
  explicit OpenFile(const std::string& path, int flags = O_RDONLY)
      : descriptor_(::open(path.c_str(), flags)) {}
  ~OpenFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int Descriptor() const { return descriptor_; }

 private:
  int descriptor_;
};

struct SmallFile : GeneratedLoggerFile {
  static loggen::LoggerFileOptions Options() {
    loggen::LoggerFileOptions options;
    options.blocks = 100;
    options.shocks = 2;
    return options;
  }
  SmallFile() : GeneratedLoggerFile(Options()) {}
};

}  // namespace

TEST(CliCodesFiles, AFieldTooLargeForACodeIsAConversionErrorInEveryCommand) {
  SmallFile f;
  const std::string huge = f.TempPath("huge.csv");
  saved::Put(huge, saved::Lines(10, "1e308;1e308;1e308"));
  const QString hugeFile = QString::fromStdString(huge);
  const std::vector<QStringList> commands = {{"info"}, {"params"},       {"events"},      {"psd"},
                                             {"srs"},  {"psd", "--csv"}, {"srs", "--csv"}};
  for (const QStringList& command : commands) {
    const CliResult r = RunCli(command + QStringList{hugeFile, f.file});
    const std::string what = command.join(' ').toStdString();
    EXPECT_EQ(r.exitCode, 1) << what;
    EXPECT_TRUE(r.err.contains("huge.csv: '1e308' is not a valid floating point value"))
        << what << ": " << r.err.toStdString();
    // The other file of the batch is still answered, and nothing of the refused one.
    for (const char* nonNumber : {"nan", "NAN", "inf", "INF"}) {
      EXPECT_FALSE(r.out.contains(nonNumber)) << what;
    }
    if (command.size() == 1) {
      ASSERT_EQ(r.objects().size(), 1u) << what;
      EXPECT_EQ(r.objects()[0]["file"].toString(), f.file) << what;
    } else {
      EXPECT_EQ(r.out.count("frequency_hz,"), 1) << what;
    }
  }
  const std::string out = f.TempPath("huge-converted.csv");
  const CliResult convert = RunCli({"convert", hugeFile, QString::fromStdString(out)});
  EXPECT_EQ(convert.exitCode, 1);
  EXPECT_TRUE(convert.err.contains("'1e308' is not a valid floating point value"));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
}

// Every option a command lists is taken, at the edges of its range too.
TEST(CliOptions, EachCommandTakesItsOwnOptions) {
  SmallFile f;
  const QString out = QString::fromStdString(f.TempPath("out.csv"));
  const QString pdf = QString::fromStdString(f.TempPath("out.pdf"));
  const QStringList accepted[] = {
      {"params", "--from", "0.5", "--to", "1.5", "--bound", "20", "--codes", "--invert", "--cutoff",
       "5", "--correct-speed", f.file},
      {"events", "--from", "0", "--to", "1", "--bound", "20", "--gap", "3", f.file},
      {"psd", "--from", "0", "--to", "1", "--segment", "64", "--band", "2:100", "--csv", f.file},
      {"srs", "--from", "0", "--to", "1", "--fmin", "2", "--fmax", "100", "--per-octave", "3",
       "--q", "5", "--csv", f.file},
      {"psd", "--segment", "8", f.file},
      {"srs", "--fmax", "499", "--q", "0.51", "--per-octave", "1", f.file},
      kLowpass + QStringList{"--f2", "20", "--ripple", "0.5", "--manual-reset", "--design"},
      {"export", "--from", "0", "--to", "1", "--units", "g", f.file, out},
      {"report",    "--from",  "0.5",          "--to",     "1.5",        "--bound",
       "20",        "--codes", "--invert",     "--cutoff", "5",          "--correct-speed",
       "--gap",     "3",       "--fall-level", "0.3",      "--min-fall", "50",
       "--segment", "64",      "--band",       "2:100",    "--fmin",     "2",
       "--fmax",    "100",     "--per-octave", "3",        "--q",        "5",
       f.file,      pdf}};
  for (const QStringList& arguments : accepted) {
    const CliResult r = RunCli(arguments);
    EXPECT_EQ(r.exitCode, 0) << arguments.join(' ').toStdString() << ": " << r.err.toStdString();
  }
}

TEST(CliFilter, ReadErrorsAreFailuresWithTheSystemsReason) {
  const TempDir folder;
  const std::string out = folder.File("out.txt");
  const OpenFile directory(folder.Path().string(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(directory.Descriptor(), 0);
  const MeasuredRun fromFolder = RunCliMeasured(Words(kLowpass), directory.Descriptor(), out);
  EXPECT_EQ(fromFolder.exitCode, 1);
  EXPECT_NE(
      fromFolder.err.find(std::string("cannot read the standard input: ") + std::strerror(EISDIR)),
      std::string::npos)
      << fromFolder.err;
  const MeasuredRun closed = RunCliMeasured(Words(kLowpass), -1, out);
  EXPECT_EQ(closed.exitCode, 1);
  EXPECT_NE(closed.err.find(std::strerror(EBADF)), std::string::npos) << closed.err;
  EXPECT_EQ(QFile(QString::fromStdString(out)).size(), 0);
}

TEST(CliFilter, BadLinesAreQuotedShortAndWithoutTerminalEscapes) {
  const std::pair<QByteArray, QByteArray> cases[] = {
      {"1\n\x1b[31mred\x07\n", "'\\x1b[31mred\\x07' is not a valid floating point value"},
      {"1\n\xc2\x9b"
       "2J\r\n",
       "'\\xc2\\x9b2J'"},  // the one-character CSI of UTF-8
      {"1\n" + QByteArray(50, 'x') + "\n", "'" + QByteArray(40, 'x') + "…'"},
      {"1\n" + QByteArray(1001, '7') + "\r\n",
       "line 2 is longer than 1000 characters: '" + QByteArray(40, '7') + "…'"}};
  for (const auto& [input, quoted] : cases) {
    const CliResult r = RunCli(kLowpass, input);
    EXPECT_EQ(r.exitCode, 1) << quoted.toStdString();
    EXPECT_TRUE(r.err.contains(quoted)) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains('\x1b'));
    EXPECT_FALSE(r.err.contains("\xc2\x9b"));
    EXPECT_EQ(r.out.count('\n'), 1);  // the good line before it
  }
  // A number of exactly 1000 characters is a line like any other.
  const CliResult longest = RunCli(kLowpass, "0." + QByteArray(997, '0') + "1\r\n");
  EXPECT_EQ(longest.exitCode, 0) << longest.err.toStdString();
  // A file's own escapes are shown as such in a batch's report too.
  const TempDir folder;
  const std::string escaped = folder.File("escaped.csv");
  saved::Put(escaped, saved::Lines(7, "1;2;3") + "4;\x1b[31mred\x07;6\r\n");
  const CliResult info = RunCli({"info", QString::fromStdString(escaped)});
  EXPECT_EQ(info.exitCode, 1);
  EXPECT_TRUE(info.err.contains("'\\x1b[31mred\\x07' is not")) << info.err.toStdString();
  EXPECT_FALSE(info.err.contains('\x1b'));
}

TEST(CliFilter, AnEndlessLineIsRefusedUnreadAndAnOverflowIsNoResult) {
  const TempDir folder;
  const std::string endless = folder.File("endless.txt");
  {
    const OpenFile file(endless, O_WRONLY | O_CREAT | O_TRUNC);
    ASSERT_EQ(::ftruncate(file.Descriptor(), 200 << 20), 0);  // 200 MB without a line end
  }
  const OpenFile input(endless);
  const MeasuredRun r = RunCliMeasured(Words(kLowpass), input.Descriptor(), folder.File("out"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("line 1 is longer than 1000 characters: '\\x00\\x00"), std::string::npos)
      << r.err;
  EXPECT_LT(r.peakKilobytes, 64 * 1024);
  // The file's offset is shared with the tool: it stopped after its first buffer.
  EXPECT_LE(::lseek(input.Descriptor(), 0, SEEK_CUR), 1 << 20);

  // A lowpass near Nyquist overshoots a step of the largest doubles.
  const CliResult overflow = RunCli({"filter", "--kind", "butterworth", "--response", "lowpass",
                                     "--order", "2", "--f1", "400", "--rate", "1000"},
                                    QByteArray(saved::Lines(400, "1.7e308", "\n").c_str()));
  EXPECT_EQ(overflow.exitCode, 1);
  EXPECT_TRUE(overflow.err.contains("the filtered value is not finite")) << overflow.err.data();
  EXPECT_GT(overflow.out.count('\n'), 0);
  EXPECT_FALSE(overflow.out.contains("inf"));
}

// A 3 GB file costs no disk: all but its first lines are a hole.
TEST(CliLimits, AThreeGigabyteCodesFileTakesBoundedMemoryAndTime) {
  const TempDir folder;
  constexpr off_t kSize = off_t{3} << 30;
  const std::string full = folder.File("full.csv");
  saved::Put(full, saved::Lines(Recording::kFullCapacity, "32768;32769;32770"));
  const std::string holes = folder.File("holes.csv");
  saved::Put(holes, "");
  for (const std::string& path : {full, holes}) ASSERT_EQ(::truncate(path.c_str(), kSize), 0);

  const OpenFile none("/dev/null");
  const MeasuredRun loaded = RunCliMeasured({"info", full}, none.Descriptor(), folder.File("out"));
  EXPECT_EQ(loaded.exitCode, 0) << loaded.err;
  EXPECT_NE(loaded.err.find("загружены первые 1500000 строк из 1500001"), std::string::npos)
      << loaded.err;
  QFile out(QString::fromStdString(folder.File("out")));
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  EXPECT_EQ(QJsonDocument::fromJson(out.readAll()).object()["samples"].toInt(), 1500000);
  const MeasuredRun refused = RunCliMeasured({"info", holes}, none.Descriptor(), folder.File("o"));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("Файл неправильного формата"), std::string::npos) << refused.err;
  for (const MeasuredRun& run : {loaded, refused}) {
    EXPECT_LT(run.peakKilobytes, 150 * 1024);
    EXPECT_LT(run.seconds, 30);
    std::printf("3 GB codes file: %.2f s, peak %ld kB\n", run.seconds, run.peakKilobytes);
  }
}

// Every sixth sample of X is a spike: an event on X and on the resultant.
TEST(CliLimits, HalfAMillionEventsAreWrittenAsTheyGo) {
  TORVIK_SKIP_UNDER_SANITIZERS("the bound is on the plain program's memory");
  const TempDir folder;
  const std::string path = folder.File("spikes.dat");
  loggen::LoggerFileBuilder builder;
  const auto [word, fraction] = loggen::EncodeTemperature(20);
  std::array<loggen::RawSample, loggen::kSamplesPerBlock> samples{};
  for (int block = 0; block < Recording::kFullCapacity / loggen::kSamplesPerBlock; ++block) {
    for (int i = 0; i < loggen::kSamplesPerBlock; ++i) {
      const int sample = block * loggen::kSamplesPerBlock + i;
      samples[static_cast<std::size_t>(i)].x = sample % 6 == 0 ? 42768 : 32768;
    }
    builder.Block(word, fraction, samples);
  }
  builder.Trailer({loggen::TrailerRecord{}, loggen::TrailerRecord{}, loggen::TrailerRecord{}});
  const auto bytes = builder.Bytes();
  loggen::WriteFile(path, bytes);

  const OpenFile none("/dev/null");
  const std::string out = folder.File("events.json");
  const MeasuredRun r =
      RunCliMeasured({"events", "--bound", "3", "--gap", "0", path}, none.Descriptor(), out);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_LT(r.peakKilobytes, 400 * 1024);
  std::printf("500,000 events: %.2f s, peak %ld kB\n", r.seconds, r.peakKilobytes);

  Recording recording;
  DecodeLoggerFile(bytes, recording);
  const auto expected =
      FindShockEvents(recording, {0, recording.SampleCount - 1}, ShockSettings{3, 0}).Events;
  ASSERT_EQ(expected.size(), 500000u);
  QFile file(QString::fromStdString(out));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  ASSERT_TRUE(text.startsWith("{\"baseline\":{\"X\":0,\"Y\":0,\"Z\":0},\"bound\":3,\"events\":[{"))
      << text.left(200).toStdString();
  ASSERT_TRUE(text.endsWith("\"to_s\":1499.999}\n")) << text.right(200).toStdString();
  EXPECT_EQ(text.count('\n'), 1);
  const qsizetype open = text.indexOf('[') + 1;
  const QList<QByteArray> events = text.mid(open, text.lastIndexOf(']') - open).split('}');
  ASSERT_EQ(events.size(), 500001);  // the last piece is empty
  for (std::size_t i = 0; i < expected.size(); ++i) {
    QByteArray piece = events[static_cast<qsizetype>(i)];
    if (piece.startsWith(',')) piece.remove(0, 1);
    const QJsonObject e = QJsonDocument::fromJson(piece + "}").object();
    ASSERT_EQ(e["first"].toInt(), static_cast<int>(expected[i].First)) << i;
    ASSERT_EQ(e["channel"].toString(), ShockChannelName(expected[i].Channel)) << i;
    ASSERT_EQ(e["peak"].toDouble(), expected[i].Peak) << i;
  }
}
