#include "cli/ResultOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <string>

#include "cli/CliOutput.h"

namespace {

// The object as compact JSON text without its braces.
std::string Members(const QJsonObject& object) {
  const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
  return text.mid(1, text.size() - 2).toStdString();
}

}  // namespace

NonFiniteResult::NonFiniteResult()
    : std::runtime_error(
          "the result holds a number that is not finite (NaN or infinity); it is not printed") {}

void RequireFinite(const QJsonValue& value) {
  if (value.isDouble() && !std::isfinite(value.toDouble())) throw NonFiniteResult();
  if (value.isArray()) {
    for (const QJsonValue& item : value.toArray()) RequireFinite(item);
  } else if (value.isObject()) {
    for (const QJsonValue& member : value.toObject()) RequireFinite(member);
  }
}

void PrintJson(const QJsonObject& object) {
  RequireFinite(object);
  WriteOut(QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + '\n');
}

void PrintJsonWithArray(const QJsonObject& object, const QString& name, std::size_t count,
                        const std::function<QJsonObject(std::size_t)>& element) {
  RequireFinite(object);
  for (std::size_t i = 0; i < count; ++i) RequireFinite(element(i));
  // The object's members keep their order by name, the array in its place.
  QJsonObject before, after;
  for (auto member = object.begin(); member != object.end(); ++member) {
    (member.key() < name ? before : after).insert(member.key(), member.value());
  }
  std::string opening = Members(QJsonObject{{name, QJsonArray()}});
  opening.pop_back();  // the array's "]"
  WriteOut("{");
  WriteOut(Members(before));
  if (!before.isEmpty()) WriteOut(",");
  WriteOut(opening);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) WriteOut(",");
    const QByteArray text = QJsonDocument(element(i)).toJson(QJsonDocument::Compact);
    WriteOut(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  }
  WriteOut("]");
  if (!after.isEmpty()) WriteOut(",");
  WriteOut(Members(after));
  WriteOut("}\n");
}
