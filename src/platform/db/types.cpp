#include "platform/db/types.h"

namespace tw::db {

std::string ErrorText(ErrorCode code)
{
    switch (code) {
    case ErrorCode::None: return "No error";
    case ErrorCode::NotFound: return "Table, alias or folder not found";
    case ErrorCode::InvalidAlias: return "Unknown database name (alias)";
    case ErrorCode::CorruptFile: return "Corrupt table or header";
    case ErrorCode::MemoCorrupt: return "Corrupt memo file";
    case ErrorCode::FieldNotFound: return "Field not found";
    case ErrorCode::ValueDoesNotFit: return "Value does not fit the field";
    case ErrorCode::InvalidFilter: return "Invalid filter expression";
    case ErrorCode::Locked: return "Record locked by another user";
    case ErrorCode::TableInUse: return "Table is in use by another user";
    case ErrorCode::ReadOnly: return "Table is read only";
    case ErrorCode::NotEditing: return "Table is not in edit or insert mode";
    case ErrorCode::NoCurrentRecord: return "No current record";
    case ErrorCode::IoError: return "Input/output error";
    case ErrorCode::InvalidArgument: return "Invalid argument";
    case ErrorCode::IndexError: return "Index is out of date or damaged";
    }
    return "Unknown error";
}

}  // namespace tw::db
