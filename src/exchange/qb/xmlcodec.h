#pragma once
// The product's XML request format, both ways: what the program sends and
// what the product answers. The local company speaks it through a loopback
// transport; a real product would be another transport over the same texts.
//
// A request set:
//   <?xml version="1.0" encoding="utf-8"?>
//   <?qbxml version="3.0"?>              ("CA3.0" for a Canadian set)
//   <QBXML><QBXMLMsgsRq onError="stopOnError"><CustomerQueryRq>...</CustomerQueryRq></QBXMLMsgsRq></QBXML>
// Elements go out in the format's order whatever order the code set them;
// a response names its status in attributes and holds the ...Ret records.

#include <QString>

#include "exchange/qb/msgsetrequest.h"
#include "exchange/qb/requestformat.h"
#include "exchange/qb/responses.h"

namespace tw::qb {

// Throws LibraryError (call "DoRequests") when the set holds no request, an
// element the format does not know, or a character XML cannot carry.
QString EncodeRequestSet(const MsgSetRequest& set);

// What a request text says, before the product reads its values.
struct DecodedRequestSet {
    QString country;  // "US" or "CA"
    int major = 0;
    int minor = 0;
    std::optional<int> onError;
    QString requestName;
    FieldList fields;  // in the text's order
};
// Throws LibraryError(ParseError, "DoRequests") for text that is not a request set.
DecodedRequestSet DecodeRequestSet(const QString& xml);

QString EncodeResponseSet(const ResponseSet& responses);
// Unknown elements are skipped; text that is not a response set (malformed,
// a status that is not a number, a value of the wrong type) throws
// LibraryError(ResponseUnreadable, "DoRequests").
ResponseSet DecodeResponseSet(const QString& xml);

}  // namespace tw::qb
