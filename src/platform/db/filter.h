#pragma once
// Filter expressions in the engine's syntax, parsed once against a table's
// fields and then evaluated on every record the cursor passes.
//
//   CID = 12345
//   NOT S1
//   (SDD >= '12/1/2026') AND (EDD <= '12/31/2026')
//   (CHARTSID = 1) OR (CHARTSID = 2) OR ...
//
// Field names, numbers, quoted texts and dates, = <> < > <= >=, AND, OR, NOT,
// parentheses, and a bare logical field. Texts compare as texts, numbers by
// value, a quoted text against a Date field is read as a date in the locale's
// short date order.
//
// How values compare:
// - Field names and keywords (AND, OR, NOT, TRUE, FALSE) ignore letter case; a
//   name that a table repeats means its first field.
// - Float and Smallint fields take a number, or a quoted text that is one.
// - Char fields take a quoted text and compare exactly and case-sensitively,
//   byte by byte; trailing blanks count on neither side. A blank Char field is
//   the empty text ('').
// - Date fields take a quoted date; a Logical field is a condition by itself
//   or is compared (= or <>) with TRUE or FALSE; a blank Logical is false.
// - A blank number or date equals no literal: = and the orderings are false,
//   <> is true.
// - A literal of the wrong kind for its field, and memo fields, are refused
//   when the filter is parsed.

#include <memory>
#include <string_view>
#include <vector>

#include "platform/db/types.h"

namespace tw::db {

// What a filter reads of the record under test.
class RecordAccessor {
public:
    virtual ~RecordAccessor() = default;
    // The value of the field at this index of the table's field list.
    virtual Value fieldValue(std::size_t index) const = 0;
};

class Filter {
public:
    virtual ~Filter() = default;
    virtual bool matches(const RecordAccessor& record) const = 0;

    // Parses text against the fields (in file order). Throws DbError with
    // ErrorCode::InvalidFilter and a message naming the 1-based position for a
    // malformed expression or an unknown field. An empty or blank text gives
    // nullptr: no filter.
    static std::shared_ptr<const Filter> parse(std::string_view text, const std::vector<FieldDef>& fields);
};

}  // namespace tw::db
