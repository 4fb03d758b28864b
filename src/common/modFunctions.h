#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Whole seconds: slider positions, the selection, the encoder's start and length.
using WholeSeconds = std::int32_t;

// The program's rounding rule: to the nearest integer, halves to the even neighbour
// (12.5 -> 12, 13.5 -> 14).
double RoundHalfEven(double dValue);

// RoundHalfEven into a signed 32-bit or 16-bit integer; a result outside the range throws the
// overflow RunTimeError.
std::int32_t RoundToInt(double dValue);
std::int16_t RoundToShort(double dValue);

// Text to a whole number as the program's conversions read it: blanks around the number are
// allowed, a decimal point is rounded by the rounding rule. Empty or non-numeric text throws the
// type-mismatch RunTimeError; a number outside the range throws the overflow one.
std::int32_t TextToInt(const QString &sText);
std::int16_t TextToShort(const QString &sText);

// The leading number of a text, "." as the decimal point, reading up to the first character that
// cannot continue the number; 0 when the text does not begin with one ("22.05 KHz" -> 22.05).
double LeadingNumber(const QString &sText);

// 32-bit arithmetic that throws the overflow RunTimeError instead of wrapping.
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);
std::int32_t CheckedSub(std::int32_t a, std::int32_t b);
std::int32_t CheckedMul(std::int32_t a, std::int32_t b);

// Whole seconds as "HH:MM:SS", at least two digits each (100 hours read "100:00:00").
QString FormatTime(WholeSeconds s);

// Text at the operating system's boundary: the locale's encoding.
QByteArray ToSystemText(const QString &sText);
QString FromSystemText(const QByteArray &bytes);
