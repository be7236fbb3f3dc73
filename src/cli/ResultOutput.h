// Results reach standard output only when every number in them is finite:
// a NaN or an infinity fails that file (exit 1, the others still run)
// instead of printing null, nan or inf as if it were a result.
#pragma once

#include <QJsonObject>
#include <QString>
#include <cstddef>
#include <functional>
#include <stdexcept>

class NonFiniteResult : public std::runtime_error {
 public:
  NonFiniteResult();
};

// Throws NonFiniteResult when a number anywhere in the value is not finite.
void RequireFinite(const QJsonValue& value);

// One compact line of JSON; nothing is written unless every number is finite.
void PrintJson(const QJsonObject& object);
// The same with the array `name` added, made of `count` objects that are
// produced and written one at a time, so the array is never held whole. The
// line reads exactly as PrintJson would write the whole object.
void PrintJsonWithArray(const QJsonObject& object, const QString& name, std::size_t count,
                        const std::function<QJsonObject(std::size_t)>& element);
