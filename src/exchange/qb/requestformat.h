#pragma once
// The product's request format, as facts read from its schema (requests.json
// beside this file, compiled in): for each request kind the element order,
// value types, longest texts, repeatable elements and the format version that
// brought each element. The codec writes in this order and the local company
// refuses what the product refuses by these rules.

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

#include "exchange/qb/requests.h"

namespace tw::qb {

struct ElementRule {
    int position = 0;  // in the product's order
    QString type;      // STRTYPE, IDTYPE, DATETYPE, AMTTYPE, PRICETYPE, BOOLTYPE, ENUMTYPE, INTTYPE ...
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

// The product's own checks of a request set's elements before it reads them:
// order (when checkOrder), and the format version each element came in.
// Throws LibraryError(ParseError) naming the element.
void CheckAgainstFormat(const QString& requestName, const FieldList& fields, int major, bool checkOrder);

}  // namespace tw::qb
