// A box for one number setting of an analysis window. It takes any typed
// text; when the typing ends (Enter, or the focus leaves the box) a number
// its rule accepts becomes the value in force, and anything else gives way
// to the value in force while the user is told what the setting accepts.
// Nothing is ever cut to fit.
#pragma once

#include <QLineEdit>
#include <QString>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>

class QHBoxLayout;
class UserDialogs;

class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  struct Rule {
    QString Caption;                      // names the setting in the refusal
    std::function<bool(double)> Accepts;  // asked of finite numbers only
    std::function<QString()> Range;       // what Accepts takes, in words
  };

  NumberEdit(Rule rule, double value, UserDialogs& dialogs, QWidget* parent);

  double Value() const { return value_; }
  // Shows `value` as the value in force; no signal.
  void SetValue(double value);

 signals:
  // A typed value was accepted and is now in force.
  void ValueAccepted(double value);

 private:
  void TypingEnded();

  Rule rule_;
  double value_;
  UserDialogs& dialogs_;
};

// A box for one member of `options` (a settings record of the core, which
// outlives the box): a typed value is accepted when the core's check `error`
// passes it with the other members in force, and is then set into `options`.
template <typename Options>
NumberEdit* OptionEdit(Options& options, std::optional<std::string> (*error)(const Options&),
                       double (*get)(const Options&), void (*set)(Options&, double),
                       const QString& caption, std::function<QString()> range, UserDialogs& dialogs,
                       QWidget* parent) {
  NumberEdit::Rule rule{caption,
                        [&options, error, set](double value) {
                          Options candidate = options;
                          set(candidate, value);
                          return !error(candidate);
                        },
                        std::move(range)};
  auto* edit = new NumberEdit(std::move(rule), get(options), dialogs, parent);
  QObject::connect(edit, &NumberEdit::ValueAccepted, edit,
                   [&options, set](double value) { set(options, value); });
  return edit;
}

// `value` as a whole number from 0 to `most`, or nothing when it is not one:
// a count a box may be typed with.
inline std::optional<std::uint64_t> WholeWithin(double value, std::uint64_t most) {
  if (value != std::floor(value) || value < 0 || value > static_cast<double>(most)) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(value);
}

// A line of boxes, each after its caption and as wide as ten digits.
using LabelledEdit = std::pair<const char*, NumberEdit*>;
QHBoxLayout* LabelledEdits(std::span<const LabelledEdit> fields, QWidget* parent);
