#include "text/numeric_text.h"

#include "text/failure.h"
#include "text/rounding.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace corvane {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Checks the grammar by hand: std::from_chars alone would also take "inf", "nan" and hex.
bool matchesNumberGrammar(QStringView s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(s[i])) { ++i; ++digits; }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && isDigit(s[i])) { ++i; ++digits; }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(s[i])) { ++i; ++exponentDigits; }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

QStringView trimmedBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.mid(begin, end - begin);
}

// Roughly the power of ten of a number that matched the grammar: positive for numbers of
// one or more, zero or negative for numbers below one.
long decimalMagnitude(const std::string& number)
{
    const std::size_t exponentAt = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, exponentAt);
    long exponent = 0;
    if (exponentAt != std::string::npos) {
        const std::string digits = number.substr(exponentAt + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        for (char c : digits) {
            if (c >= '0' && c <= '9' && exponent < 100000)
                exponent = exponent * 10 + (c - '0');
        }
        if (negative)
            exponent = -exponent;
    }
    const std::size_t point = mantissa.find('.');
    const std::string integerPart = mantissa.substr(0, point);
    const std::size_t firstNonZero = integerPart.find_first_of("123456789");
    if (firstNonZero != std::string::npos)
        return static_cast<long>(integerPart.size() - firstNonZero) + exponent;
    const std::string fraction = point == std::string::npos ? std::string() : mantissa.substr(point + 1);
    const std::size_t leadingZeros = fraction.find_first_of("123456789");
    return -static_cast<long>(leadingZeros == std::string::npos ? 0 : leadingZeros) + exponent;
}

template <typename Int>
Int toInteger(double value)
{
    const double rounded = roundHalfEven(value, 0);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<Int>::min()
        || rounded > std::numeric_limits<Int>::max())
        throw Failure(failure_text::overflow);
    return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> numericValue(QStringView text)
{
    const QStringView s = trimmedBlanks(text);
    if (!matchesNumberGrammar(s))
        return std::nullopt;
    // from_chars takes no leading "+" and is locale-independent.
    std::string ascii = s.toString().toStdString();
    if (!ascii.empty() && ascii.front() == '+')
        ascii.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small for a double reads as 0; too large is not a usable number.
        if (decimalMagnitude(ascii) <= 0)
            return 0.0;
        return std::nullopt;
    }
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

bool isNumericText(QStringView text) { return numericValue(text).has_value(); }

double valueOrZero(QStringView text) { return numericValue(text).value_or(0.0); }

double toNumber(QStringView text)
{
    const std::optional<double> value = numericValue(text);
    if (!value)
        throw Failure(failure_text::typeMismatch);
    return *value;
}

double divide(double a, double b)
{
    if (b == 0.0)
        throw Failure(failure_text::divisionByZero);
    return a / b;
}

qint16 toInteger16(double value) { return toInteger<qint16>(value); }
qint16 toInteger16(QStringView text) { return toInteger16(toNumber(text)); }
qint32 toInteger32(double value) { return toInteger<qint32>(value); }
qint32 toInteger32(QStringView text) { return toInteger32(toNumber(text)); }

}  // namespace corvane
