#pragma once
// Money as a whole number of ten-thousandths in 64 bits: rates, costs and
// totals add up exactly, and multiplying a rate by hours rounds once, half
// away from zero, instead of drifting the way binary fractions do.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;

    // The amount nearest to value, halves rounded away from zero.
    static Currency FromDouble(double value);
    static constexpr Currency FromRaw(std::int64_t tenThousandths)
    {
        Currency c;
        c.raw_ = tenThousandths;
        return c;
    }
    // A plain decimal text ("12", "-3.5", "0.12345"; blanks around it are
    // allowed, digits beyond the fourth decimal round half away from zero).
    // Anything else, or an amount outside the 64-bit range, gives nothing.
    static std::optional<Currency> FromText(std::string_view text);

    constexpr std::int64_t Raw() const { return raw_; }
    double ToDouble() const { return static_cast<double>(raw_) / Scale; }
    // Fixed-point text with the given number of decimals (0..4), rounded half
    // away from zero and with '.' as the separator: "1234.50" for 2.
    std::string ToText(int decimals = 4) const;

    // Rounded to a whole number of the given decimals (0..4), halves away from zero.
    Currency Rounded(int decimals) const;

    // The fixed-point rules of the accounting exchange, kept apart from the
    // operators (which round halves away from zero and which other callers rely
    // on): a float becomes the nearest count with halves going to the even
    // count; a product or a quotient of two amounts is truncated toward zero.
    // Products and quotients beyond the 64-bit range are clamped; a quotient by
    // zero gives nothing.
    static Currency FromDoubleHalfEven(double value);
    Currency TruncatedProduct(Currency other) const;
    std::optional<Currency> TruncatedQuotient(Currency divisor) const;

    // rate x hours, the product rounded once to four decimals.
    Currency operator*(double factor) const;
    // The exact product of two amounts, rounded to four decimals.
    Currency operator*(Currency other) const;

    constexpr Currency operator+(Currency o) const { return FromRaw(raw_ + o.raw_); }
    constexpr Currency operator-(Currency o) const { return FromRaw(raw_ - o.raw_); }
    constexpr Currency operator-() const { return FromRaw(-raw_); }
    Currency& operator+=(Currency o)
    {
        raw_ += o.raw_;
        return *this;
    }
    Currency& operator-=(Currency o)
    {
        raw_ -= o.raw_;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    std::int64_t raw_ = 0;
};

}  // namespace tw
