#include "text/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace corvane {
namespace {

// General form keeps this many significant digits, the most a double holds reliably.
constexpr int kGeneralDigits = 15;

struct PatternShape {
    int minIntegerDigits = 0;   // "0" places before the point
    int decimals = 0;           // places after the point
    int requiredDecimals = 0;   // "0" places after the point
};

PatternShape shapeOf(QStringView pattern)
{
    PatternShape shape;
    const qsizetype point = pattern.indexOf(u'.');
    const QStringView integerPart = point < 0 ? pattern : pattern.left(point);
    const QStringView fractionPart = point < 0 ? QStringView() : pattern.mid(point + 1);
    shape.minIntegerDigits = static_cast<int>(integerPart.count(u'0'));
    for (QChar c : fractionPart) {
        if (c == u'0' || c == u'#') {
            ++shape.decimals;
            if (c == u'0')
                shape.requiredDecimals = shape.decimals;
        }
    }
    return shape;
}

// The digits of |value| in its shortest round-trip decimal form, split at the point.
void shortestDigits(double value, std::string& integerDigits, std::string& fractionDigits)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                      std::chars_format::fixed);
    const std::string text(buffer, result.ptr);
    const std::size_t point = text.find('.');
    integerDigits = text.substr(0, point);
    fractionDigits = point == std::string::npos ? std::string() : text.substr(point + 1);
}

// Adds one to a string of decimal digits; returns false when a carry is left over.
bool incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

}  // namespace

QString formatPattern(double value, QStringView pattern)
{
    if (!std::isfinite(value))
        return generalNumberText(value);
    const PatternShape shape = shapeOf(pattern);

    std::string integerDigits;
    std::string fractionDigits;
    shortestDigits(value, integerDigits, fractionDigits);

    // Round half away from zero on the decimal digits themselves.
    const bool roundUp = fractionDigits.size() > static_cast<std::size_t>(shape.decimals)
                         && fractionDigits[shape.decimals] >= '5';
    fractionDigits.resize(shape.decimals, '0');
    if (roundUp && !incrementDigits(fractionDigits) && !incrementDigits(integerDigits))
        integerDigits.insert(integerDigits.begin(), '1');

    while (fractionDigits.size() > static_cast<std::size_t>(shape.requiredDecimals)
           && fractionDigits.back() == '0')
        fractionDigits.pop_back();

    const std::size_t firstSignificant = integerDigits.find_first_not_of('0');
    integerDigits = firstSignificant == std::string::npos ? std::string()
                                                          : integerDigits.substr(firstSignificant);
    if (integerDigits.size() < static_cast<std::size_t>(shape.minIntegerDigits))
        integerDigits.insert(0, shape.minIntegerDigits - integerDigits.size(), '0');

    const bool isZero = integerDigits.find_first_not_of('0') == std::string::npos
                        && fractionDigits.find_first_not_of('0') == std::string::npos;
    std::string text = (value < 0 && !isZero) ? "-" : "";
    text += integerDigits;
    if (shape.decimals > 0 && (!fractionDigits.empty() || shape.requiredDecimals > 0))
        text += "." + fractionDigits;
    return QString::fromStdString(text);
}

QString generalNumberText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    char buffer[64];
    if (!std::isfinite(value)) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return QString::fromLatin1(buffer, result.ptr - buffer);
    }
    // Fifteen significant digits, as "d.dddddddddddddde+XX".
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                      std::chars_format::scientific, kGeneralDigits - 1);
    const std::string scientific(buffer, result.ptr);
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::stoi(scientific.substr(e + 1));
    digits.erase(digits.find_last_not_of('0') + 1);
    const int length = static_cast<int>(digits.size());

    // The digits the plain form needs after its leading "0." or up to its units.
    const int places = exponent >= 0 ? std::max(exponent + 1, length) : length - exponent - 1;
    std::string text = value < 0 ? "-" : "";
    if (places > kGeneralDigits) {
        text += digits.substr(0, 1);
        if (length > 1)
            text += "." + digits.substr(1);
        text += scientific.substr(e);
    } else if (exponent < 0) {
        text += "0." + std::string(-exponent - 1, '0') + digits;
    } else if (length <= exponent + 1) {
        text += digits + std::string(exponent + 1 - length, '0');
    } else {
        text += digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    }
    return QString::fromStdString(text);
}

}  // namespace corvane
