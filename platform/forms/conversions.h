#pragma once

#include <QString>
#include <QtGlobal>

namespace platform::forms {

// Text to number. A number is optional blanks, an optional sign, digits with an optional
// fraction, an optional exponent and optional blanks; anything else is a Type mismatch.
// A value too large for a 64-bit float is an Overflow.
double toDouble(const QString& text);

// Text to a 16-bit integer: rounded half to even; outside -32768..32767 is an Overflow.
qint16 toInteger(const QString& text);

// A whole 64-bit float to a 32-bit integer; outside -2147483648..2147483647 is an Overflow.
qint32 toLong(double wholeValue);

// The result of float arithmetic, checked: infinity or not-a-number is a floating-point fault.
double checkedFloat(double value);

// Decimal digits, with a leading "-" when negative; no blanks, zeros or separators in front.
QString decimalText(qint64 value);

} // namespace platform::forms
