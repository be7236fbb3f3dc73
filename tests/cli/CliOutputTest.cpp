// What the tool lets reach the terminal: results only with finite numbers,
// a streamed array exactly where the whole object would hold it, and text
// from files and input without raw control characters.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <cstdio>
#include <limits>

#include "cli/CliOutput.h"
#include "cli/ResultOutput.h"
#include "cli/TerminalText.h"
#include "support/TempDir.h"

namespace {

// Standard output into a file for the object's lifetime; Text() reads it.
class CapturedOutput {
 public:
  CapturedOutput() : file_(folder_.File("stdout")), saved_(::dup(1)) {
    std::fflush(stdout);
    std::freopen(file_.c_str(), "w", stdout);
  }
  ~CapturedOutput() { Restore(); }
  std::string Text() {
    Restore();
    std::FILE* in = std::fopen(file_.c_str(), "r");
    std::string text;
    for (int c; (c = std::fgetc(in)) != EOF;) text += static_cast<char>(c);
    std::fclose(in);
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stdout);
    ::dup2(saved_, 1);
    ::close(saved_);
    saved_ = -1;
  }
  TempDir folder_;
  std::string file_;
  int saved_;
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

TEST(ResultOutput, ANonFiniteNumberAnywhereIsNoResult) {
  const QJsonObject finite{{"a", 1.5}, {"none", QJsonValue()}, {"list", QJsonArray{1, 2}}};
  EXPECT_NO_THROW(RequireFinite(finite));
  for (const QJsonValue& bad :
       {QJsonValue(kNaN), QJsonValue(QJsonArray{1, QJsonObject{{"deep", -kInfinity}}}),
        QJsonValue(QJsonObject{{"x", QJsonObject{{"psd", QJsonArray{0.5, kInfinity}}}}})}) {
    EXPECT_THROW(RequireFinite(bad), NonFiniteResult);
    CapturedOutput output;
    EXPECT_THROW(PrintJson(QJsonObject{{"file", "f"}, {"value", bad}}), NonFiniteResult);
    EXPECT_EQ(output.Text(), "");
  }
}

TEST(ResultOutput, AStreamedArrayReadsAsTheWholeObject) {
  const QJsonObject head{{"bound", 25}, {"file", "a \"b\".csv"}, {"to_s", QJsonValue()}};
  const std::vector<QJsonObject> elements = {{{"peak", 1.25}, {"channel", "X"}},
                                             {{"delta_v", QJsonValue()}, {"first", 7}}};
  for (const QString name : {"events", "a", "zz"}) {  // between, before and after the members
    for (std::size_t count : {std::size_t{0}, elements.size()}) {
      QJsonObject whole = head;
      QJsonArray array;
      for (std::size_t i = 0; i < count; ++i) array.append(elements[i]);
      whole.insert(name, array);
      CapturedOutput output;
      PrintJsonWithArray(head, name, count, [&elements](std::size_t i) { return elements[i]; });
      EXPECT_EQ(output.Text(),
                QJsonDocument(whole).toJson(QJsonDocument::Compact).toStdString() + "\n");
    }
  }
  CapturedOutput output;
  EXPECT_THROW(PrintJsonWithArray(head, "events", 2,
                                  [](std::size_t i) {
                                    return QJsonObject{{"v", i ? kNaN : 1.0}};
                                  }),
               NonFiniteResult);
  EXPECT_EQ(output.Text(), "");  // not even the beginning of the line
}

TEST(TerminalText, ControlCharactersAreEscapedAndLongTextCut) {
  EXPECT_EQ(TerminalSafe("\x1b[2J\r\n\t\x7f ok"), "\\x1b[2J\\x0d\\x0a\\x09\\x7f ok");
  EXPECT_EQ(TerminalSafe("Файл неправильного формата"), "Файл неправильного формата");
  // C1 controls, bytes that are not UTF-8 and a cut sequence are escaped.
  EXPECT_EQ(TerminalSafe("a\xc2\x9b"
                         "b\xe9\xff\xd0"),
            "a\\xc2\\x9bb\\xe9\\xff\\xd0");
  EXPECT_EQ(TerminalSafe(std::string(41, 'x'), 40), std::string(40, 'x') + "…");
  EXPECT_EQ(TerminalSafe(std::string(40, 'x'), 40), std::string(40, 'x'));
  EXPECT_EQ(TerminalSafe("ЖЖЖ\x01", 3), "ЖЖЖ…");
}
