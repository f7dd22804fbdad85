#pragma once

#include <QDate>
#include <QString>

namespace zel::ui {

/// Text form of a date without time as the date editors and date columns show it:
/// "dd.MM.yyyy" under the input mask "##.##.####", the dots part of the text and
/// a blank standing for every position not typed yet.
namespace DateText {

/// The input mask of date editors and date columns (blank = empty position).
inline constexpr const char* inputMask = "00.00.0000; ";
/// The display format of a date.
inline constexpr const char* displayFormat = "dd.MM.yyyy";

/// The text of a date editor with nothing typed: "  .  .    ".
QString emptyMask();

/// True when text is exactly the empty mask.
bool isEmptyMask(const QString& text);

/// True when text has no digit at all (only blanks and dots, or nothing).
bool hasNoDigits(const QString& text);

/// "dd.MM.yyyy"; a null or invalid date gives the empty mask.
QString format(const QDate& date);

/// The date a complete "dd.MM.yyyy" text names; an invalid QDate for a text
/// that is partly typed or names no calendar day.
QDate parse(const QString& text);

}  // namespace DateText

}  // namespace zel::ui
