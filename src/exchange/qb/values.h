#pragma once
// The value kinds that cross the accounting link, and the enumerations the
// program passes as numbers. Each record type (request or returned record)
// lists its elements once, in a member template Visit(v), calling
// v("Name", member) for each; readers and writers of every format (typed
// paths, XML, the company file's JSON) are visitors over that one list.
//
// Members are std::optional: "set to an empty text" and "not set" differ.

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "data/currency.h"

namespace tw::qb {

enum class ENActiveStatus { ActiveOnly = 0, InactiveOnly = 1, All = 2 };
enum class ENMatchCriterion { StartsWith = 0, Contains = 1, EndsWith = 2 };
// The same numbering as the schedule's job status numbers.
enum class ENJobStatus { Awarded = 0, Closed = 1, InProgress = 2, None = 3, NotAwarded = 4, Pending = 5 };
// An item's kind (its ortype); 0 and 2 are the two the program modifies.
enum class ENItemKind {
    Service = 0,
    NonInventory = 1,
    OtherCharge = 2,
    Inventory = 3,
    InventoryAssembly = 4,
    FixedAsset = 5,
    Subtotal = 6,
    Discount = 7,
    Payment = 8,
    SalesTax = 9,
    SalesTaxGroup = 10,
    Group = 11,
};

// The words of an enumeration, indexed by its number.
inline constexpr std::array<std::string_view, 3> kActiveStatusWords{"ActiveOnly", "InactiveOnly", "All"};
inline constexpr std::array<std::string_view, 3> kMatchCriterionWords{"StartsWith", "Contains", "EndsWith"};
inline constexpr std::array<std::string_view, 6> kJobStatusWords{"Awarded", "Closed",     "InProgress",
                                                                 "None",    "NotAwarded", "Pending"};
inline constexpr std::array<std::string_view, 12> kItemKindWords{
    "Service",  "NonInventory", "OtherCharge", "Inventory", "InventoryAssembly", "FixedAsset",
    "Subtotal", "Discount",     "Payment",     "SalesTax",  "SalesTaxGroup",     "Group"};

template <class E>
struct EnumWords;
template <>
struct EnumWords<ENActiveStatus> {
    static constexpr const auto& words = kActiveStatusWords;
};
template <>
struct EnumWords<ENMatchCriterion> {
    static constexpr const auto& words = kMatchCriterionWords;
};
template <>
struct EnumWords<ENJobStatus> {
    static constexpr const auto& words = kJobStatusWords;
};
template <>
struct EnumWords<ENItemKind> {
    static constexpr const auto& words = kItemKindWords;
};

template <class E>
QString EnumWord(E value)
{
    const auto& words = EnumWords<E>::words;
    auto i = static_cast<std::size_t>(value);
    return i < words.size() ? QString::fromLatin1(words[i].data(), static_cast<int>(words[i].size()))
                            : QString();
}
template <class E>
std::optional<E> EnumFromWord(const QString& word)
{
    const auto& words = EnumWords<E>::words;
    for (std::size_t i = 0; i < words.size(); ++i)
        if (word == QLatin1String(words[i].data(), static_cast<int>(words[i].size())))
            return static_cast<E>(i);
    return std::nullopt;
}

// Kinds of member a visitor meets.
template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {
    using Inner = T;
};
template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {
    using Inner = T;
};
// A record type: a struct with the member template Visit.
template <class T>
concept Record = requires(T& t)
{
    t.kIsRecord;
};

// Dates and amounts as the product writes them: 2026-03-31, 1234.50.
QString DateText(const QDate& date);
std::optional<QDate> DateFromText(const QString& text);
// Exact from the count: at least two decimals, further ones only when set.
QString AmountText(Currency amount);
std::optional<Currency> AmountFromText(const QString& text);

}  // namespace tw::qb
