#include "data/currency.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace tw {
namespace {

constexpr std::int64_t kPowers[] = {1, 10, 100, 1000, 10000};

// Division of a signed amount with halves rounded away from zero.
std::int64_t DivideRounded(std::int64_t value, std::int64_t divisor)
{
    std::int64_t q = value / divisor;
    std::int64_t r = value % divisor;
    if (2 * (r < 0 ? -r : r) >= divisor)
        q += value < 0 ? -1 : 1;
    return q;
}

std::int64_t ClampToRaw(long double scaled)
{
    constexpr long double kMax = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
    if (std::isnan(scaled))
        return 0;
    if (scaled >= kMax)
        return std::numeric_limits<std::int64_t>::max();
    if (scaled <= -kMax)
        return -std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(std::round(scaled));  // std::round: halves away from zero
}

std::int64_t ClampWide(__int128 value)
{
    constexpr __int128 kMax = std::numeric_limits<std::int64_t>::max();
    if (value > kMax)
        return static_cast<std::int64_t>(kMax);
    if (value < -kMax)
        return static_cast<std::int64_t>(-kMax);
    return static_cast<std::int64_t>(value);
}

}  // namespace

Currency Currency::FromDoubleHalfEven(double value)
{
    // The binary value itself is rounded, as the accounting side does it:
    // 2.00005 is a hair below the half and goes down, 0.5 of a count goes to even.
    long double scaled = static_cast<long double>(value) * Scale;
    if (std::isnan(scaled))
        return FromRaw(0);
    constexpr long double kMax = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
    if (scaled >= kMax)
        return FromRaw(std::numeric_limits<std::int64_t>::max());
    if (scaled <= -kMax)
        return FromRaw(-std::numeric_limits<std::int64_t>::max());
    return FromRaw(static_cast<std::int64_t>(std::nearbyintl(scaled)));  // default mode: halves to even
}

Currency Currency::TruncatedProduct(Currency other) const
{
    __int128 product = static_cast<__int128>(raw_) * other.raw_;
    return FromRaw(ClampWide(product / Scale));  // C++ division truncates toward zero
}

std::optional<Currency> Currency::TruncatedQuotient(Currency divisor) const
{
    if (divisor.raw_ == 0)
        return std::nullopt;
    __int128 dividend = static_cast<__int128>(raw_) * Scale;
    return FromRaw(ClampWide(dividend / divisor.raw_));
}

Currency Currency::FromDouble(double value)
{
    // Through the shortest decimal text first so that 0.00005 (stored a hair
    // below the half) still rounds up as the user typed it.
    char buffer[64];
    int n = std::snprintf(buffer, sizeof buffer, "%.15g", value);
    if (n > 0 && n < static_cast<int>(sizeof buffer)) {
        if (auto parsed = FromText(std::string_view(buffer, static_cast<std::size_t>(n))))
            return *parsed;
    }
    return FromRaw(ClampToRaw(static_cast<long double>(value) * Scale));
}

std::optional<Currency> Currency::FromText(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Exponent forms come from %g of very small or large doubles.
    int exponent = 0;
    if (auto e = text.find_first_of("eE"); e != std::string_view::npos) {
        std::string_view expText = text.substr(e + 1);
        text = text.substr(0, e);
        bool expNegative = false;
        if (!expText.empty() && (expText.front() == '-' || expText.front() == '+')) {
            expNegative = expText.front() == '-';
            expText.remove_prefix(1);
        }
        if (expText.empty() || expText.size() > 4)
            return std::nullopt;
        for (char c : expText) {
            if (c < '0' || c > '9')
                return std::nullopt;
            exponent = exponent * 10 + (c - '0');
        }
        if (expNegative)
            exponent = -exponent;
    }
    std::string digits;
    int fractionDigits = 0;
    bool seenPoint = false;
    for (char c : text) {
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            digits += c;
            if (seenPoint)
                ++fractionDigits;
        } else {
            return std::nullopt;
        }
    }
    if (digits.empty())
        return std::nullopt;
    // value = digits x 10^(exponent - fractionDigits); we want it x 10^4.
    int shift = exponent - fractionDigits + 4;
    std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return FromRaw(0);
    digits = digits.substr(firstNonZero);
    if (shift > 0) {
        if (digits.size() + static_cast<std::size_t>(shift) > 19)
            return std::nullopt;
        digits.append(static_cast<std::size_t>(shift), '0');
        shift = 0;
    }
    // Drop the digits below a ten-thousandth, remembering the first for rounding.
    bool roundUp = false;
    if (shift < 0) {
        std::size_t drop = static_cast<std::size_t>(-shift);
        if (drop > digits.size()) {
            digits = "0";
        } else {
            roundUp = digits[digits.size() - drop] >= '5';
            digits.resize(digits.size() - drop);
            if (digits.empty())
                digits = "0";
        }
    }
    if (digits.size() > 19)
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (char c : digits)
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
    if (roundUp)
        ++magnitude;
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
    auto raw = static_cast<std::int64_t>(magnitude);
    return FromRaw(negative ? -raw : raw);
}

Currency Currency::Rounded(int decimals) const
{
    if (decimals < 0)
        decimals = 0;
    if (decimals >= 4)
        return *this;
    std::int64_t unit = kPowers[4 - decimals];
    return FromRaw(DivideRounded(raw_, unit) * unit);
}

std::string Currency::ToText(int decimals) const
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 4)
        decimals = 4;
    std::int64_t scaled = DivideRounded(raw_, kPowers[4 - decimals]);
    bool negative = scaled < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::uint64_t unit = static_cast<std::uint64_t>(kPowers[decimals]);
    std::string text = std::to_string(magnitude / unit);
    if (decimals > 0) {
        std::string fraction = std::to_string(magnitude % unit);
        text += '.';
        text.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
        text += fraction;
    }
    return negative ? "-" + text : text;
}

Currency Currency::operator*(double factor) const
{
    // Hours come as doubles; the factor is brought to ten-thousandths as typed
    // and the exact product rounded once.
    return *this * FromDouble(factor);
}

Currency Currency::operator*(Currency other) const
{
    __int128 product = static_cast<__int128>(raw_) * other.raw_;
    __int128 q = product / Scale;
    __int128 r = product % Scale;
    if (2 * (r < 0 ? -r : r) >= Scale)
        q += product < 0 ? -1 : 1;
    constexpr __int128 kMax = std::numeric_limits<std::int64_t>::max();
    if (q > kMax)
        q = kMax;
    if (q < -kMax)
        q = -kMax;
    return FromRaw(static_cast<std::int64_t>(q));
}

}  // namespace tw
