#pragma once
// The product's request format, as facts read from its schema (requests.json
// beside this file, compiled in): for each request kind the element order,
// value types, longest texts, repeatable elements and the format version that
// brought each element. The codec writes in this order and the local company
// refuses what the product refuses by these rules.

#include <QHash>
#include <QString>

#include <map>
#include <optional>
#include <vector>

#include "exchange/qb/requests.h"
#include "exchange/qb/valuetext.h"

namespace tw::qb {

struct ElementRule {
    int position = 0;   // in the product's order
    QString type;       // STRTYPE, IDTYPE, DATETYPE, AMTTYPE, PRICETYPE, BOOLTYPE, ENUMTYPE, INTTYPE ...
    int maxLength = 0;  // 0: no limit
    bool repeatable = false;
    int since = 0;  // the major format version that introduced it; 0: the first
};

struct RequestRules {
    QString name;     // "CustomerAddRq"
    QString wrapper;  // "CustomerAdd", empty for queries
    std::vector<QString> order;
    QHash<QString, ElementRule> elements;  // by path, "BillAddress City"
    const ElementRule* Rule(const QString& path) const
    {
        auto it = elements.constFind(path);
        return it == elements.constEnd() ? nullptr : &*it;
    }
};

// The rules of a request kind; nullptr for a kind the format does not know.
const RequestRules* RulesFor(const QString& requestName);

// One element of a request with its text, by path.
struct Field {
    QString path;
    QString text;
    bool operator==(const Field&) const = default;
};
using FieldList = std::vector<Field>;

// The elements a request sets, in the order the code visits them.
FieldList ToFields(const Request& request);
// The same, in the product's order (repeated elements keep theirs). Throws
// LibraryError (call "DoRequests") for an element the format does not know.
FieldList InProductOrder(const QString& requestName, FieldList fields);
// A request of that kind from its elements. Throws LibraryError (ParseError,
// call "DoRequests") for an unknown element, a value of the wrong type or a
// second value of an element that does not repeat.
Request FromFields(const QString& requestName, const FieldList& fields);

// Throws LibraryError(ParseError, "DoRequests") with the text.
[[noreturn]] void RefuseRequest(const QString& text);

namespace detail {

inline QString JoinPath(const QString& prefix, const char* name)
{
    return prefix.isEmpty() ? QString::fromLatin1(name) : prefix + u' ' + QLatin1String(name);
}

// Sets a record's members from element paths, erasing each entry it uses.
struct FieldReader {
    const QString& request;
    std::map<QString, std::vector<QString>>& values;
    QString prefix;

    template <class T>
    void operator()(const char* name, T& member)
    {
        const QString path = JoinPath(prefix, name);
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            if constexpr (Record<Inner>) {
                const std::size_t before = values.size();
                Inner sub = member ? *member : Inner{};
                FieldReader inner{request, values, path};
                sub.Visit(inner);
                if (values.size() != before)
                    member = std::move(sub);
            } else {
                auto it = values.find(path);
                if (it == values.end())
                    return;
                if (it->second.size() > 1)
                    RefuseRequest(QStringLiteral("%1 occurs more than once in %2").arg(path, request));
                member = Parse<Inner>(path, it->second.front());
                values.erase(it);
            }
        } else if constexpr (IsVector<T>::value && !Record<typename IsVector<T>::Inner>) {
            auto it = values.find(path);
            if (it == values.end())
                return;
            for (const QString& text : it->second)
                member.push_back(Parse<typename IsVector<T>::Inner>(path, text));
            values.erase(it);
        }
    }

    template <class V>
    V Parse(const QString& path, const QString& text)
    {
        auto v = ValueFromText<V>(text);
        if (!v)
            RefuseRequest(QStringLiteral("\"%1\" is not a valid value of %2 in %3").arg(text, path, request));
        return *v;
    }
};

}  // namespace detail

// Sets the record's elements from paths; a group the record has keeps what
// the paths leave alone. Entries used are erased from values.
template <class Rec>
void ApplyFields(Rec& record, std::map<QString, std::vector<QString>>& values, const QString& request)
{
    detail::FieldReader reader{request, values, {}};
    record.Visit(reader);
}

// The product's own checks of a request set's elements before it reads them:
// order (when checkOrder), and the format version each element came in.
// Throws LibraryError(ParseError) naming the element.
void CheckAgainstFormat(const QString& requestName, const FieldList& fields, int major, bool checkOrder);

}  // namespace tw::qb
