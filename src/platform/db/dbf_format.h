#pragma once
// The bytes of a .dbf header, its field descriptors and field values, and the
// .dbt memo file (dBase IV and dBase III layouts). No locking here: the table
// layer decides when these are called.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/fileio.h"
#include "platform/db/types.h"

namespace tw::db {

inline constexpr std::uint8_t kVersionDb3 = 0x03;
inline constexpr std::uint8_t kVersionDb3Memo = 0x83;
inline constexpr std::uint8_t kVersionDb4Memo = 0x8B;
inline constexpr std::uint8_t kLanguageDriverAnsi = 0x57;  // Windows ANSI (code page 1252)
inline constexpr int kHeaderPrefix = 32;
inline constexpr int kDescriptorSize = 32;
inline constexpr int kMemoBlock = 512;

// Byte offsets in the 32-byte header prefix.
inline constexpr int kOffCount = 4;
inline constexpr int kOffChangeCounter = 16;  // in the multi-user reserved bytes 16..27
inline constexpr int kOffMdxFlag = 28;
inline constexpr int kOffLanguage = 29;

struct FieldLayout {
    FieldDef def;
    char dbfType = 'C';        // the type letter in the file
    std::uint32_t offset = 0;  // in the record, after the deletion flag
};

enum class MemoKind { None, Db3, Db4 };

struct TableLayout {
    std::uint8_t version = kVersionDb3;
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::vector<FieldLayout> fields;
    MemoKind memo = MemoKind::None;
    bool hasMemoFields() const;
    int fieldIndex(std::string_view name) const;  // first match, case-insensitive; -1
};

struct HeaderState {
    std::uint32_t recordCount = 0;
    std::uint32_t changeCounter = 0;
};

// Parses a header read from a file of fileSize bytes; throws CorruptFile
// naming the file when the header lies.
TableLayout ParseLayout(const std::vector<std::uint8_t>& bytes, std::uint64_t fileSize,
                        const std::string& file);
// The header length given in the first 32 bytes (0 if too short).
std::uint16_t HeaderLengthOf(const std::uint8_t* prefix32);
HeaderState ParseHeaderState(const std::uint8_t* prefix32);
void StoreHeaderState(std::uint8_t* prefix32, const HeaderState& st);

// The type letter, width and decimals of a logical field (the fixed mapping).
FieldLayout MapField(const FieldDef& def);
// Builds the layout and the complete header bytes for a new table.
TableLayout MakeLayout(const std::vector<FieldDef>& fields, const std::string& file);
std::vector<std::uint8_t> BuildHeader(const TableLayout& layout, const HeaderState& st);

// Field values. Memo/Binary fields decode to their block number (0 = none,
// kBadMemoPointer when the field holds something else than a number).
inline constexpr std::uint32_t kBadMemoPointer = UINT32_MAX;
bool IsBlank(const FieldLayout& f, const std::uint8_t* record);
Value DecodeValue(const FieldLayout& f, const std::uint8_t* record);
std::uint32_t DecodeMemoBlock(const FieldLayout& f, const std::uint8_t* record);
// Parses a numeric field; false when blank or not a number.
bool DecodeNumber(const FieldLayout& f, const std::uint8_t* record, double& out);
// Encoders write into the record or throw ValueDoesNotFit naming file and field.
void EncodeText(const FieldLayout& f, std::uint8_t* record, std::string_view utf8, const std::string& file);
void EncodeNumber(const FieldLayout& f, std::uint8_t* record, double v, const std::string& file);
void EncodeDate(const FieldLayout& f, std::uint8_t* record, std::int64_t days, const std::string& file);
void EncodeLogical(const FieldLayout& f, std::uint8_t* record, bool v);
// Throws ValueDoesNotFit when the block number has more digits than the field.
void EncodeMemoBlock(const FieldLayout& f, std::uint8_t* record, std::uint32_t block,
                     const std::string& file);
void EncodeBlank(const FieldLayout& f, std::uint8_t* record);
// The text of a number as the field would store it (for by-value compares).
double RoundForField(const FieldLayout& f, double v);

// Text in the files is Windows ANSI (code page 1252); the program uses UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
// False when a character has no code page 1252 byte (then replaced by '?').
bool Utf8ToAnsi(std::string_view utf8, std::string& out);

// The .dbt memo file.
class MemoFile {
public:
    MemoFile(std::unique_ptr<File> file, MemoKind kind);
    // Writes an empty memo file at path, which must not exist yet.
    static void Create(const std::string& path, MemoKind kind, const std::string& tableBase);
    MemoKind kind() const { return kind_; }
    File& file() { return *file_; }
    // The memo at block (>0); throws MemoCorrupt naming the file when the
    // pointer lies past the end or the block is damaged.
    std::vector<std::uint8_t> read(std::uint32_t block);
    // Writes data into fresh blocks at the end and returns the first block;
    // the caller holds the memo lock. The old blocks are never overwritten.
    std::uint32_t append(const std::vector<std::uint8_t>& data);

private:
    std::unique_ptr<File> file_;
    MemoKind kind_;
};

}  // namespace tw::db
