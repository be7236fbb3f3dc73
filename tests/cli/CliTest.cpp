// The command-line tool run as a process on generated files, its answers
// compared with the core's own results.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "CliProcess.h"
#include "LoggerFileWriter.h"
#include "analysis/DerivedData.h"
#include "analysis/Exceedance.h"
#include "analysis/Interval.h"
#include "analysis/IntervalParams.h"
#include "analysis/ShockEvents.h"
#include "analysis/VibroSpeed.h"
#include "dsp/dspIIRFilters.h"
#include "files/CodesTextFile.h"
#include "files/LoggerFile.h"
#include "support/ReferenceVibroSpeed.h"
#include "text/NumberText.h"

namespace {

using Result = CliResult;

// A logger file with shocks beyond ±25 m/s², and the recording it decodes to.
struct Fixture : GeneratedLoggerFile {
  Fixture() : GeneratedLoggerFile(ShockOptions()) {}
};

}  // namespace

TEST(Cli, InfoDescribesEachFileInTurn) {
  Fixture f;
  const Result r = RunCli({"info", QString::fromStdString(f.path), QString::fromStdString(f.path)});
  EXPECT_EQ(r.exitCode, 0);
  const auto objects = r.objects();
  ASSERT_EQ(objects.size(), 2u);
  const QJsonObject info = objects[0];
  EXPECT_EQ(info["samples"].toInt(), 10000);
  EXPECT_DOUBLE_EQ(info["duration_s"].toDouble(), 9999 * 0.001);
  const QJsonArray calibration = info["calibration"].toArray();
  EXPECT_EQ(calibration[0].toObject()["axis"].toString(), QStringLiteral("X"));
  EXPECT_EQ(calibration[0].toObject()["gain"].toDouble(), f.recording.Calibration[AxisX].Gain);
  EXPECT_EQ(calibration[2].toObject()["code0g"].toDouble(), 32768.0);
  EXPECT_DOUBLE_EQ(info["temperature"].toObject()["min"].toDouble(), 20.0);
}

TEST(Cli, ParamsMatchTheCore) {
  DecimalSeparatorScope point('.');
  Fixture f;
  const Result r = RunCli({"params", "--from", "1", "--to", "8.5", "--invert", "--cutoff", "499.9",
                           QString::fromStdString(f.path)});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject params = r.objects().at(0);
  EXPECT_EQ(params["interval"].toObject()["start"].toInt(), 1000);
  EXPECT_EQ(params["interval"].toObject()["stop"].toInt(), 8500);

  // The extended value of the typed text.
  const std::vector<double> vibro = ReferenceVibroSpeed(f.recording, 499.9L);
  std::copy(vibro.begin(), vibro.end(), f.recording.VibroSpeedX.get() + 1);
  ParamOptions options;
  options.Shown.fill(true);
  options.Settings.Inverted = true;
  const SampleInterval interval{1000, 8500};
  const QJsonArray rows = params["rows"].toArray();
  ASSERT_EQ(rows.size(), 5);
  for (int row = 0; row < 5; ++row) {
    const RowStatistics s = ParamRowStatistics(f.recording, row, interval, options);
    const QJsonObject json = rows[row].toObject();
    EXPECT_EQ(json["name"].toString(), QString::fromUtf8(ParamRows[row].Caption));
    EXPECT_EQ(json["min"].toDouble(), s.Min) << row;
    EXPECT_EQ(json["std"].toDouble(), s.StdDev) << row;
    EXPECT_EQ(json["texts"].toArray()[2].toString(),
              QString::fromStdString(ParamRowTexts(s, row, options)[2]));
  }
  const QJsonObject exceedances = params["exceedances"].toObject();
  EXPECT_EQ(exceedances["bound"].toDouble(), 25.0);
  for (const auto& [name, side] : {std::pair{"positive", ExceedanceSide::Positive},
                                   std::pair{"negative", ExceedanceSide::Negative}}) {
    const ExceedanceResult expected = FindExceedances(f.recording.CodesX.get(), interval,
                                                      f.recording.Calibration[AxisX], 25, side);
    const QJsonObject pass = exceedances[name].toObject();
    EXPECT_EQ(pass["exceeded"].toBool(), expected.Exceeded);
    ASSERT_EQ(pass["runs"].toArray().size(), static_cast<int>(expected.Runs.size()));
    for (std::size_t i = 0; i < expected.Runs.size(); ++i) {
      const QJsonObject run = pass["runs"].toArray()[static_cast<int>(i)].toObject();
      EXPECT_EQ(run["first"].toInt(), static_cast<int>(expected.Runs[i].First));
      EXPECT_DOUBLE_EQ(run["duration_s"].toDouble(),
                       (expected.Runs[i].Last - expected.Runs[i].First) * 0.001);
    }
  }
}

TEST(Cli, ARejectedFileAmongGoodOnes) {
  Fixture f;
  const std::string bad = f.TempPath("bad.dat");
  loggen::WriteFile(bad, std::vector<std::uint8_t>(300, 0x11));
  const Result r = RunCli({"info", QString::fromStdString(f.path), QString::fromStdString(bad),
                           "/nonexistent/file.dat", QString::fromStdString(f.path)});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.objects().size(), 2u);
  EXPECT_TRUE(QString::fromUtf8(r.err).contains(QStringLiteral("неправильный формат данных")));
  EXPECT_TRUE(QString::fromUtf8(r.err).contains(QStringLiteral("Указанный файл не найден")));
}

TEST(Cli, ConvertWritesTheCodesTextFile) {
  Fixture f;
  const std::string out = f.TempPath("convert.csv");
  const Result r = RunCli({"convert", QString::fromStdString(f.path), QString::fromStdString(out)});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const FileReadResult written = ReadWholeFile(out);
  EXPECT_EQ(std::string(written.bytes.begin(), written.bytes.end()), CodesText(f.recording));
  // The text file reads back through the same tool.
  const Result info = RunCli({"info", QString::fromStdString(out)});
  EXPECT_EQ(info.objects().at(0)["samples"].toInt(), 10000);
}

TEST(Cli, FilterDesignAndStream) {
  const QStringList settings = {"filter",   "--kind",  "butterworth", "--response",
                                "highpass", "--order", "5",           "--f1",
                                "10",       "--rate",  "1000"};
  const Result design = RunCli(settings + QStringList{"--design"});
  ASSERT_EQ(design.exitCode, 0) << design.err.toStdString();
  const QJsonObject json = design.objects().at(0);
  EXPECT_EQ(json["taps"].toInt(), 5);
  EXPECT_NEAR(json["input_scale"].toDouble(), 0.903314275, 1e-9);
  EXPECT_EQ(json["zplane_poles"].toArray().size(), 5);
  EXPECT_EQ(json["b"].toArray()[0].toDouble(), -1.0);

  const Result stream = RunCli(settings, "1\n1\n0.5\n");
  ASSERT_EQ(stream.exitCode, 0);
  TdspIIRFilter filter(nullptr);
  filter.SetSampleRate(1000);
  filter.SetResponse(ftHighpass);
  filter.SetOrder(5);
  filter.SetFrequency1(10);
  const QList<QByteArray> lines = stream.out.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 3);
  for (int i = 0; i < 3; ++i) {
    const double x = i < 2 ? 1.0 : 0.5;
    EXPECT_EQ(lines[i].toDouble(), static_cast<double>(filter.Filter(x))) << i;
  }
}

// Every refused command line is a usage error that names its reason and
// prints nothing on standard output.
TEST(CliOptions, RefusedCommandLinesAreUsageErrorsWithNothingPrinted) {
  Fixture f;
  const QString& file = f.file;
  const QString out = QString::fromStdString(f.TempPath("out.csv"));
  const QString pdf = QString::fromStdString(f.TempPath("out.pdf"));
  const QStringList filter = {"filter",  "--kind", "butterworth", "--response",
                              "lowpass", "--f1",   "10"};
  const std::pair<QStringList, const char*> refused[] = {
      {{}, "no command given"},
      {{"nonsense", "x"}, "unknown command nonsense"},
      {{"info"}, "no file given"},
      {{"info", "--no-such-option", "x.dat"}, "unknown option --no-such-option"},
      {{"convert", "x.dat"}, "convert takes FILE.dat and OUT.csv"},
      {{"filter", "--kind", "elliptic", "--response", "lowpass", "--order", "2", "--f1", "10",
        "--rate", "100"},
       "--kind is missing or unknown"},
      // Numbers must be finite and in range.
      {{"params", "--bound", "abc", "x.dat"}, "--bound 'abc'"},
      {{"params", "--from", "abc", file}, "--from 'abc'"},
      {{"params", "--from", "1,5", file}, "--from '1,5'"},
      {{"params", "--to", "", file}, "--to ''"},
      {{"params", "--to", "1e999", file}, "not a finite number"},
      {{"params", "--bound", "nan", file}, "--bound 'nan'"},
      {filter + QStringList{"--order", "0", "--rate", "1000"}, "from 1 to 8"},
      {filter + QStringList{"--order", "9", "--rate", "1000"}, "from 1 to 8"},
      {filter + QStringList{"--order", "2.5", "--rate", "1000"}, "from 1 to 8"},
      {filter + QStringList{"--order", "1e999", "--rate", "1000"}, "--order '1e999'"},
      {filter + QStringList{"--order", "2", "--rate", "0"}, "--rate '0': must be above 0"},
      {filter + QStringList{"--order", "2", "--rate", "-5"}, "--rate '-5'"},
      {{"events", "--bound", "0", file}, "--bound '0'"},
      {{"events", "--bound", "-3", file}, "--bound '-3'"},
      {{"events", "--bound", "x", file}, "--bound 'x'"},
      {{"events", "--gap", "-1", file}, "--gap '-1'"},
      {{"events", "--gap", "2.5", file}, "--gap '2.5'"},
      {{"drops", "--fall-level", "0", file}, "above 0 and below 1"},
      {{"drops", "--fall-level", "-0.2", file}, "above 0 and below 1"},
      {{"drops", "--fall-level", "1", file}, "above 0 and below 1"},
      {{"drops", "--fall-level", "1.5", file}, "above 0 and below 1"},
      {{"drops", "--fall-level", "0,3", file}, "--fall-level '0,3'"},
      {{"drops", "--min-fall", "0.99", file}, "at least 1 ms"},
      {{"drops", "--min-fall", "-50", file}, "at least 1 ms"},
      {{"drops", "--min-fall", "1e999", file}, "not a finite number"},
      {{"psd", "--segment", "7", file}, "the segment must be at least 8 samples"},
      {{"psd", "--segment", "10.5", file}, "--segment '10.5'"},
      {{"psd", "--band", "300:20", file}, "the band must be LO:HI with LO <= HI"},
      {{"psd", "--band", "20", file}, "--band '20'"},
      {{"srs", "--q", "0.5", file}, "Q must be above 0.5"},
      {{"srs", "--per-octave", "0.9", file}, "from 1 to 96 frequencies per octave"},
      {{"srs", "--fmin", "0", file}, "fmin must be from 0.01 Hz up to fmax"},
      // The shock spectrum asks for bounded work only.
      {{"srs", "--fmin", "4.9e-324", "--fmax", "1e-300", file}, "fmin must be from 0.01 Hz"},
      {{"srs", "--fmin", "0.0099", file}, "fmin must be from 0.01 Hz"},
      {{"srs", "--per-octave", "1e9", file}, "from 1 to 96 frequencies per octave"},
      {{"srs", "--per-octave", "1e300", "--fmin", "1", "--fmax", "2", file}, "from 1 to 96"},
      {{"srs", "--per-octave", "96.5", "--csv", file}, "from 1 to 96"},
      {{"srs", "--fmax", "500", file}, "fmax must be below 500 Hz"},
      // Each command takes only its own options.
      {{"info", "--from", "abc", file}, "--from is not an option of info"},
      {{"psd", "--q", "-5", "--gap", "-3", file}, "--q is not an option of psd"},
      {{"params", "--segment", "64", file}, "--segment is not an option of params"},
      {{"events", "--codes", file}, "--codes is not an option of events"},
      {{"srs", "--band=1:2", file}, "--band is not an option of srs"},
      {{"convert", "--csv", file, out}, "--csv is not an option of convert"},
      {kLowpass + QStringList{"--from", "1"}, "--from is not an option of filter"},
      {{"info", "--design", file}, "--design is not an option of info"},
      {{"drops", "--bound", "25", file}, "--bound is not an option of drops"},
      {{"drops", "--gap", "3", file}, "--gap is not an option of drops"},
      {{"export", "--bound", "20", file, out}, "--bound is not an option of export"},
      {{"export", "--units", "kg", file, out}, "--units 'kg': takes ms2 (m/s^2) or g"},
      {{"export", file, pdf}, "export writes OUT.csv or OUT.xlsx: the extension is the format"},
      {{"export", file}, "export takes FILE.dat and OUT.csv or OUT.xlsx"},
      {{"report", "--csv", file, pdf}, "--csv is not an option of report"},
      {{"report", "--bound", "0", file, pdf}, "--bound '0': must be above 0"},
      {{"report", file}, "report takes FILE.dat and OUT.pdf"}};
  for (const auto& [arguments, why] : refused) {
    const Result r = RunCli(arguments, "1\n");
    SCOPED_TRACE(arguments.join(' ').toStdString());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(why)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("usage:")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
}

TEST(CliOptions, AReplacedIntervalIsReported) {
  Fixture f;  // 10000 samples, 0 … 9.999 s
  const QString file = QString::fromStdString(f.path);
  for (const QStringList& interval : {QStringList{"--from", "5", "--to", "1"},
                                      QStringList{"--from", "-1"}, QStringList{"--to", "10.5"}}) {
    const Result r = RunCli(QStringList{"params"} + interval + QStringList{file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject used = r.objects().at(0)["interval"].toObject();
    EXPECT_EQ(used["first"].toInt(), 0);
    EXPECT_EQ(used["last"].toInt(), 9999);
    EXPECT_EQ(used["from_s"].toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(used["to_s"].toDouble(), 9.999);
    EXPECT_TRUE(used["replaced"].toBool());
    EXPECT_TRUE(r.err.contains("the whole recording (0 … 9.999 s) is used instead"))
        << r.err.toStdString();
  }
  const Result kept = RunCli({"params", "--from", "2", "--to", "3.5", file});
  const QJsonObject used = kept.objects().at(0)["interval"].toObject();
  EXPECT_EQ(used["first"].toInt(), 2000);
  EXPECT_EQ(used["last"].toInt(), 3500);
  EXPECT_DOUBLE_EQ(used["to_s"].toDouble(), 3.5);
  EXPECT_FALSE(used["replaced"].toBool());
  EXPECT_TRUE(kept.err.isEmpty());
}

// A cut-off above the stable range is lowered to its top, as the window
// does: the rows are those of 499.9 Hz, the JSON names the cut-off used and
// stderr says it was lowered; within the range stderr stays silent.
TEST(CliOptions, ACutOffAboveTheStableRangeIsLoweredTo499_9) {
  Fixture f;
  const Result typed = RunCli({"params", "--cutoff", "499.9", QString::fromStdString(f.path)});
  ASSERT_EQ(typed.exitCode, 0) << typed.err.toStdString();
  EXPECT_TRUE(typed.err.isEmpty()) << typed.err.toStdString();
  const QJsonArray typedRows = typed.objects().at(0)["rows"].toArray();
  const char* const kSaid =
      ": the vibration-speed filter is unstable above 499.9 Hz; 499.9 Hz is used";
  for (const char* cutoff : {"500", "800", "-499.99"}) {
    SCOPED_TRACE(cutoff);
    const Result r = RunCli({"params", "--cutoff", cutoff, QString::fromStdString(f.path)});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QByteArray("--cutoff ") + cutoff + kSaid)) << r.err.toStdString();
    ASSERT_EQ(r.objects().size(), 1u);
    EXPECT_EQ(r.objects().at(0)["cutoff"].toDouble(), 499.9);
    EXPECT_EQ(r.objects().at(0)["rows"].toArray(), typedRows);
  }
  const Result low = RunCli({"params", "--cutoff", "0.5", QString::fromStdString(f.path)});
  EXPECT_EQ(low.objects().at(0)["cutoff"].toDouble(), 1.0);
  EXPECT_TRUE(low.err.isEmpty());
}

TEST(CliOptions, HelpAndVersionGoToStandardOutput) {
  for (const char* option : {"--help", "-h"}) {
    const Result r = RunCli({option});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.isEmpty());
    for (const char* text : {"--cutoff HZ", "default 10", "--bound L", "m/s^2", "--order N",
                             "one number per line on stdin", "--ripple DB", "Exit status"}) {
      EXPECT_TRUE(r.out.contains(text)) << option << " lacks " << text;
    }
  }
  const Result version = RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(version.out.startsWith("torvik-cli 1.")) << version.out.toStdString();
}

TEST(CliFiles, PipesFoldersAndOddNamesDoNotStopTheBatch) {
  Fixture f;
  const std::string fifo = f.TempPath("fifo.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // A name that is not UTF-8 is still the file's name.
  const std::string latin1 = f.TempPath("lat1_\xe9t\xe9.dat");
  std::filesystem::copy_file(f.path, latin1, std::filesystem::copy_options::overwrite_existing);
  QProcess process;
  process.start(TORVIK_CLI_PATH,
                {"info", QString::fromStdString(fifo), f.folder.path(), "/dev/zero"});
  ASSERT_TRUE(process.waitForFinished(5000)) << "blocked on a pipe";
  EXPECT_EQ(process.exitCode(), 1);
  EXPECT_EQ(process.readAllStandardError().count("Не удалось получить доступ к файлу"), 3);
  // QProcess would re-encode the name, so the shell passes its bytes.
  const std::string command = std::string("'") + TORVIK_CLI_PATH + "' info '" + latin1 + "' '" +
                              f.path + "' > " + f.TempPath("latin1.out") + " 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  const FileReadResult out = ReadWholeFile(f.TempPath("latin1.out"));
  EXPECT_EQ(std::count(out.bytes.begin(), out.bytes.end(), '\n'), 2);
  EXPECT_EQ(std::string(out.bytes.begin(), out.bytes.end()).find("не найден"), std::string::npos);
}

TEST(CliFiles, AFailedWriteIsAFailure) {
  Fixture f;
  const QString file = QString::fromStdString(f.path);
  for (const QStringList& arguments :
       {QStringList{"info", file}, QStringList{"params", file},
        QStringList{"filter", "--kind", "bessel", "--response", "lowpass", "--order", "3", "--f1",
                    "10", "--rate", "1000"}}) {
    const Result r = RunCli(arguments, "1\n2\n", "/dev/full");
    EXPECT_EQ(r.exitCode, 1) << arguments.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains("cannot write the output")) << r.err.toStdString();
  }
}

TEST(CliFilter, StreamsCrLfRejectsNonFiniteAndUnstableDesigns) {
  const Result crlf = RunCli(kLowpass, "1\r\n0.5\r\n");
  EXPECT_EQ(crlf.exitCode, 0) << crlf.err.toStdString();
  const Result lf = RunCli(kLowpass, "1\n0.5\n");
  EXPECT_EQ(crlf.out, lf.out);
  EXPECT_EQ(lf.out.count('\n'), 2);

  const Result huge = RunCli(kLowpass, "1\n1e999\n");
  EXPECT_EQ(huge.exitCode, 1);
  EXPECT_TRUE(huge.err.contains("'1e999' is not a valid floating point value"));

  const Result ripple = RunCli({"filter", "--kind", "chebyshev", "--response", "lowpass", "--order",
                                "4", "--f1", "100", "--rate", "1000", "--ripple", "1000"},
                               "1\n0\n");
  EXPECT_EQ(ripple.exitCode, 1);
  EXPECT_TRUE(ripple.out.isEmpty());
  EXPECT_TRUE(ripple.err.contains("unit circle")) << ripple.err.toStdString();
}

// A file written by the generator with shocks on Y and Z, its events read
// back through the command and checked against the shocks and the core.
TEST(Cli, EventsListTheGeneratedShocksAsTheCoreFindsThem) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const std::string path = QFile::encodeName(folder.filePath("events.dat")).toStdString();
  QProcess generator;
  generator.start(TORVIK_MAKE_LOGGER_PATH,
                  {"--blocks", "500", "--noise", "0", "--shock", "Y:54:12:3", "--shock",
                   "Z:-45:8:6.5", "--output", QString::fromStdString(path)});
  ASSERT_TRUE(generator.waitForFinished(60000));
  ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

  const Result r = RunCli({"events", QString::fromStdString(path)});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject json = r.objects().at(0);
  EXPECT_EQ(json["file"].toString(), QString::fromStdString(path));
  EXPECT_EQ(json["from_s"].toDouble(), 0.0);
  EXPECT_DOUBLE_EQ(json["to_s"].toDouble(), 9.999);
  EXPECT_EQ(json["bound"].toDouble(), 25.0);
  EXPECT_EQ(json["gap"].toInt(), 10);
  const QJsonArray events = json["events"].toArray();
  // Each shock on its axis and on the resultant; gravity on Z is no event.
  ASSERT_EQ(events.size(), 4);
  const QJsonObject y = events[0].toObject();
  EXPECT_EQ(y["channel"].toString(), "Y");
  EXPECT_EQ(events[1].toObject()["channel"].toString(), "R");
  EXPECT_TRUE(events[1].toObject()["delta_v"].isNull());
  // Less the shock's share of the mean, to the nearest code.
  EXPECT_NEAR(y["peak"].toDouble(), 54, 0.05);
  EXPECT_DOUBLE_EQ(y["peak_s"].toDouble(), 3.006);
  EXPECT_NEAR(y["delta_v"].toDouble(), 2 * 54 * 0.012 / 3.14159265358979, 54 * 0.001);
  const QJsonObject z = events[2].toObject();
  EXPECT_EQ(z["channel"].toString(), "Z");
  EXPECT_NEAR(z["peak"].toDouble(), -45, 0.05);
  EXPECT_LT(z["delta_v"].toDouble(), 0);

  Recording recording;
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  DecodeLoggerFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), recording);
  const auto expected = FindShockEvents(recording, {0, 9999}, ShockSettings{}).Events;
  ASSERT_EQ(events.size(), static_cast<int>(expected.size()));
  for (int i = 0; i < events.size(); ++i) {
    const QJsonObject e = events[i].toObject();
    const ShockEvent& want = expected[static_cast<std::size_t>(i)];
    EXPECT_EQ(e["first"].toInt(), static_cast<int>(want.First));
    EXPECT_EQ(e["last"].toInt(), static_cast<int>(want.Last));
    EXPECT_EQ(e["start_s"].toDouble(), want.StartSeconds());
    EXPECT_EQ(e["duration_s"].toDouble(), want.DurationSeconds());
    EXPECT_EQ(e["peak"].toDouble(), want.Peak);
    EXPECT_EQ(e["delta_v"].toDouble(), want.DeltaV.value_or(0.0));
  }

  // The interval and the options follow the params rules.
  const Result part = RunCli({"events", "--from", "5", "--to", "9", "--bound", "40", "--gap", "0",
                              QString::fromStdString(path)});
  ASSERT_EQ(part.exitCode, 0);
  const QJsonObject partJson = part.objects().at(0);
  EXPECT_EQ(partJson["from_s"].toDouble(), 5.0);
  EXPECT_EQ(partJson["gap"].toInt(), 0);
  ASSERT_EQ(partJson["events"].toArray().size(), 2);  // Z and R; the Y shock lies before 5 s
  const Result reversed =
      RunCli({"events", "--from", "9", "--to", "5", QString::fromStdString(path)});
  EXPECT_EQ(reversed.objects().at(0)["to_s"].toDouble(), 9.999);  // the whole recording
  const Result missing = RunCli({"events", "/nonexistent/none.dat", QString::fromStdString(path)});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.objects().size(), 1u);  // the readable file is still answered
}
