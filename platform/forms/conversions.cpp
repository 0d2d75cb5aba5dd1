#include "platform/forms/conversions.h"

#include "platform/forms/runtimeerror.h"

#include <cmath>

namespace platform::forms {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Skips a run of digits from `pos`; returns how many there were.
qsizetype skipDigits(const QString& text, qsizetype& pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && isAsciiDigit(text[pos]))
        ++pos;
    return pos - start;
}

// The number's own characters, without the blanks around it, or an empty string when the
// text is not a number.
QString numberPart(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QString body = text.mid(begin, end - begin);

    qsizetype pos = 0;
    if (pos < body.size() && (body[pos] == u'+' || body[pos] == u'-'))
        ++pos;
    qsizetype digits = skipDigits(body, pos);
    if (pos < body.size() && body[pos] == u'.') {
        ++pos;
        digits += skipDigits(body, pos);
    }
    if (digits == 0)
        return {};
    if (pos < body.size() && (body[pos] == u'e' || body[pos] == u'E')) {
        ++pos;
        if (pos < body.size() && (body[pos] == u'+' || body[pos] == u'-'))
            ++pos;
        if (skipDigits(body, pos) == 0)
            return {};
    }
    if (pos != body.size())
        return {};
    return body;
}

} // namespace

double toDouble(const QString& text)
{
    const QString number = numberPart(text);
    if (number.isEmpty())
        throw RuntimeError::typeMismatch();
    // QString reads numbers the same way whatever the user's locale. It reports both overflow
    // (as infinity) and underflow (as zero) as failures; only overflow is one for us.
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (std::isinf(value))
        throw RuntimeError::overflow();
    return ok ? value : 0.0;
}

qint16 toInteger(const QString& text)
{
    // nearbyint rounds in the current mode, which is to nearest with ties to even.
    const double rounded = std::nearbyint(toDouble(text));
    if (rounded < -32768.0 || rounded > 32767.0)
        throw RuntimeError::overflow();
    return static_cast<qint16>(rounded);
}

qint32 toLong(double wholeValue)
{
    if (!(wholeValue >= -2147483648.0 && wholeValue <= 2147483647.0))
        throw RuntimeError::overflow();
    return static_cast<qint32>(wholeValue);
}

double checkedFloat(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError::floatFault();
    return value;
}

QString decimalText(qint64 value)
{
    return QString::number(value);
}

} // namespace platform::forms
