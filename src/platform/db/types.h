#pragma once
// Types shared by every part of the table engine: field and index
// definitions, field values and the engine's error.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace tw::db {

// The logical field types of the program's table layouts. Their fixed
// mapping onto dBase field types is documented in README.md ("Table files").
enum class FieldType {
    Char,      // C(n)
    Float,     // F(20,8); also read from N(w,d) unless it is a Smallint
    Smallint,  // N(6,0); N with no decimals and width up to 6 reads as Smallint
    Date,      // D(8)
    Logical,   // L(1)
    Memo,      // M(10), text in the memo file
    Binary,    // B(10), bytes in the memo file
};

struct FieldDef {
    std::string name;  // upper case, at most 10 characters
    FieldType type = FieldType::Char;
    int width = 0;  // in the record, in bytes
    int decimals = 0;
};

struct IndexDef {
    std::string name;        // tag name, e.g. "NAME"
    std::string expression;  // a field name or UPPER(field name)
    bool descending = false;
};

// A date field's value: whole days since 30 December 1899.
struct DateValue {
    std::int32_t days = 0;
    friend bool operator==(const DateValue&, const DateValue&) = default;
};

using Bytes = std::vector<std::uint8_t>;

// One field's value as read from a record. Blank fields read as std::monostate
// (a blank Logical reads false, a blank Char reads as the empty text).
using Value = std::variant<std::monostate, std::string, double, bool, DateValue, Bytes>;

enum class ErrorCode : std::uint16_t {
    None = 0,
    NotFound = 0x2701,  // table, alias or folder missing
    InvalidAlias = 0x2702,
    CorruptFile = 0x2703,  // header or record data that cannot be read
    MemoCorrupt = 0x2704,
    FieldNotFound = 0x2705,
    ValueDoesNotFit = 0x2706,
    InvalidFilter = 0x2707,
    Locked = 0x2708,      // record, header or table locked by another user
    TableInUse = 0x2709,  // an exclusive open refused, or refused because of one
    ReadOnly = 0x270A,
    NotEditing = 0x270B,
    NoCurrentRecord = 0x270C,
    IoError = 0x270D,
    InvalidArgument = 0x270E,
    IndexError = 0x270F,
};

// The engine's failure: a code, a text for the user that names the file, and
// the file concerned.
class DbError : public std::runtime_error {
public:
    DbError(ErrorCode code, const std::string& message, std::string file = {})
        : std::runtime_error(message),
          code_(code),
          file_(std::move(file))
    {}
    ErrorCode code() const { return code_; }
    const std::string& file() const { return file_; }

private:
    ErrorCode code_;
    std::string file_;
};

// The engine's own text for a code, as the "Dbi error" boxes show it.
std::string ErrorText(ErrorCode code);

}  // namespace tw::db
