#include "platform/db/dbf_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/datetime/datetime.h"

namespace tw::db {

namespace {

constexpr std::int64_t kUnixToDayZero = 25569;  // days from 30 December 1899 (day 0) to 1 January 1970

std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
void Put32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
void Put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

[[noreturn]] void Corrupt(const std::string& file, const std::string& what)
{
    throw DbError(ErrorCode::CorruptFile, "Corrupt table " + file + ": " + what, file);
}

[[noreturn]] void DoesNotFit(const std::string& file, const FieldLayout& f, const std::string& what)
{
    throw DbError(ErrorCode::ValueDoesNotFit,
                  "Value does not fit field " + f.def.name + " of " + file + ": " + what, file);
}

// Code page 1252 bytes 0x80..0x9F; 0 = unassigned.
constexpr char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

bool TableLayout::hasMemoFields() const
{
    for (const auto& f : fields)
        if (f.def.type == FieldType::Memo || f.def.type == FieldType::Binary)
            return true;
    return false;
}

int TableLayout::fieldIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (EqualNoCase(fields[i].def.name, name))
            return static_cast<int>(i);
    return -1;
}

std::uint16_t HeaderLengthOf(const std::uint8_t* p)
{
    return Le16(p + 8);
}

HeaderState ParseHeaderState(const std::uint8_t* p)
{
    return HeaderState{Le32(p + kOffCount), Le32(p + kOffChangeCounter)};
}

void StoreHeaderState(std::uint8_t* p, const HeaderState& st)
{
    std::time_t now = std::time(nullptr);
    std::tm tmv{};
    localtime_r(&now, &tmv);
    p[1] = static_cast<std::uint8_t>(tmv.tm_year);  // years since 1900
    p[2] = static_cast<std::uint8_t>(tmv.tm_mon + 1);
    p[3] = static_cast<std::uint8_t>(tmv.tm_mday);
    Put32(p + kOffCount, st.recordCount);
    Put32(p + kOffChangeCounter, st.changeCounter);
}

TableLayout ParseLayout(const std::vector<std::uint8_t>& bytes, std::uint64_t fileSize,
                        const std::string& file)
{
    if (bytes.size() < kHeaderPrefix || fileSize < kHeaderPrefix)
        Corrupt(file, "the file is shorter than a header");
    TableLayout t;
    t.version = bytes[0];
    t.headerLength = Le16(bytes.data() + 8);
    t.recordLength = Le16(bytes.data() + 10);
    const std::uint32_t count = Le32(bytes.data() + kOffCount);
    if (t.headerLength < kHeaderPrefix + 1)
        Corrupt(file, "header length " + std::to_string(t.headerLength) + " is too small");
    if (t.headerLength > fileSize)
        Corrupt(file, "header length is past the end of the file");
    if (bytes.size() < t.headerLength)
        Corrupt(file, "the header is cut short");
    if (t.recordLength < 1)
        Corrupt(file, "record length 0");
    const std::uint64_t need =
        static_cast<std::uint64_t>(t.headerLength) + static_cast<std::uint64_t>(count) * t.recordLength;
    if (need > fileSize)
        Corrupt(file, "the header counts " + std::to_string(count) + " records but the file holds fewer");

    std::uint32_t offset = 1;
    for (std::size_t pos = kHeaderPrefix; pos + kDescriptorSize <= t.headerLength; pos += kDescriptorSize) {
        const std::uint8_t* d = bytes.data() + pos;
        if (d[0] == 0x0D)
            break;
        FieldLayout f;
        std::size_t n = 0;
        while (n < 11 && d[n] != 0)
            ++n;
        std::string name(reinterpret_cast<const char*>(d), n);
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (name.empty())
            Corrupt(file, "a field without a name");
        for (auto& c : name)
            c = Upper(c);
        f.def.name = name;
        f.dbfType = Upper(static_cast<char>(d[11]));
        f.def.width = d[16];
        f.def.decimals = d[17];
        if (f.def.width == 0)
            Corrupt(file, "field " + name + " has width 0");
        switch (f.dbfType) {
        case 'C':
            f.def.type = FieldType::Char;
            f.def.decimals = 0;
            break;
        case 'N':
        case 'F':
            f.def.type = (f.def.decimals == 0 && f.def.width <= 6) ? FieldType::Smallint : FieldType::Float;
            break;
        case 'D': f.def.type = FieldType::Date; break;
        case 'L': f.def.type = FieldType::Logical; break;
        case 'M': f.def.type = FieldType::Memo; break;
        case 'B':
        case 'G': f.def.type = FieldType::Binary; break;
        default: f.def.type = FieldType::Char; break;  // unknown types read as their raw text
        }
        f.offset = offset;
        offset += static_cast<std::uint32_t>(f.def.width);
        if (offset > t.recordLength)
            Corrupt(file, "the fields are longer than the record length");
        t.fields.push_back(std::move(f));
    }
    if (t.fields.empty())
        Corrupt(file, "no fields");
    if (t.version == kVersionDb3Memo)
        t.memo = MemoKind::Db3;
    else if (t.hasMemoFields())
        t.memo = MemoKind::Db4;
    return t;
}

FieldLayout MapField(const FieldDef& def)
{
    FieldLayout f;
    f.def = def;
    for (auto& c : f.def.name)
        c = Upper(c);
    switch (def.type) {
    case FieldType::Char:
        f.dbfType = 'C';
        f.def.decimals = 0;
        break;
    case FieldType::Float:
        f.dbfType = 'F';
        f.def.width = 20;
        f.def.decimals = 8;
        break;
    case FieldType::Smallint:
        f.dbfType = 'N';
        f.def.width = 6;
        f.def.decimals = 0;
        break;
    case FieldType::Date:
        f.dbfType = 'D';
        f.def.width = 8;
        f.def.decimals = 0;
        break;
    case FieldType::Logical:
        f.dbfType = 'L';
        f.def.width = 1;
        f.def.decimals = 0;
        break;
    case FieldType::Memo:
        f.dbfType = 'M';
        f.def.width = 10;
        f.def.decimals = 0;
        break;
    case FieldType::Binary:
        f.dbfType = 'B';
        f.def.width = 10;
        f.def.decimals = 0;
        break;
    }
    return f;
}

TableLayout MakeLayout(const std::vector<FieldDef>& fields, const std::string& file)
{
    TableLayout t;
    if (fields.empty())
        throw DbError(ErrorCode::InvalidArgument, "A table needs at least one field: " + file, file);
    if (fields.size() > 255)
        throw DbError(ErrorCode::InvalidArgument, "Too many fields for " + file, file);
    std::uint32_t offset = 1;
    for (const auto& def : fields) {
        FieldLayout f = MapField(def);
        if (f.def.name.empty() || f.def.name.size() > 10)
            throw DbError(ErrorCode::InvalidArgument, "Invalid field name \"" + def.name + "\" for " + file,
                          file);
        if (f.def.width < 1 || f.def.width > 254)
            throw DbError(ErrorCode::InvalidArgument, "Invalid width for field " + f.def.name + " of " + file,
                          file);
        f.offset = offset;
        offset += static_cast<std::uint32_t>(f.def.width);
        t.fields.push_back(std::move(f));
    }
    if (offset > 65535)
        throw DbError(ErrorCode::InvalidArgument, "Records too long for " + file, file);
    t.recordLength = static_cast<std::uint16_t>(offset);
    t.headerLength = static_cast<std::uint16_t>(kHeaderPrefix + kDescriptorSize * fields.size() + 1);
    t.memo = t.hasMemoFields() ? MemoKind::Db4 : MemoKind::None;
    t.version = t.memo == MemoKind::Db4 ? kVersionDb4Memo : kVersionDb3;
    return t;
}

std::vector<std::uint8_t> BuildHeader(const TableLayout& t, const HeaderState& st)
{
    std::vector<std::uint8_t> h(t.headerLength, 0);
    h[0] = t.version;
    StoreHeaderState(h.data(), st);
    Put16(h.data() + 8, t.headerLength);
    Put16(h.data() + 10, t.recordLength);
    h[kOffMdxFlag] = 0;  // never claims a production .mdx
    h[kOffLanguage] = kLanguageDriverAnsi;
    std::size_t pos = kHeaderPrefix;
    for (const auto& f : t.fields) {
        std::uint8_t* d = h.data() + pos;
        std::memcpy(d, f.def.name.data(), std::min<std::size_t>(f.def.name.size(), 10));
        d[11] = static_cast<std::uint8_t>(f.dbfType);
        d[16] = static_cast<std::uint8_t>(f.def.width);
        d[17] = static_cast<std::uint8_t>(f.def.decimals);
        pos += kDescriptorSize;
    }
    h[pos] = 0x0D;
    return h;
}

bool IsBlank(const FieldLayout& f, const std::uint8_t* record)
{
    const std::uint8_t* p = record + f.offset;
    for (int i = 0; i < f.def.width; ++i)
        if (p[i] != ' ' && p[i] != 0) {
            if (f.def.type == FieldType::Logical && p[i] == '?')
                continue;
            return false;
        }
    return true;
}

namespace {

// Up to 309 integer digits, a sign, a point and 255 decimals.
constexpr std::size_t kNumberTextSize = 600;

// The common text of a number field, "[-]digits[.digits]" with at most 15
// significant digits once the fraction's trailing zeros are dropped: the
// digits and the power of ten make two doubles that are exact, so their
// quotient is the correctly rounded value, the same that from_chars gives,
// at a fraction of its cost. False for any other text.
bool DecodePlainDecimal(const char* p, const char* e, double& out)
{
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = *p == '-';
    if (negative)
        ++p;
    const char* dot = std::find(p, e, '.');
    const char* last = e;
    if (dot != e) {
        while (last > dot + 1 && last[-1] == '0')
            --last;
        if (last == dot + 1)
            last = dot;  // "12." and "12.000" are whole
    }
    std::uint64_t digits = 0;
    int significant = 0;
    int decimals = 0;
    bool any = false;
    for (const char* q = p; q < last; ++q) {
        if (q == dot)
            continue;
        if (*q < '0' || *q > '9')
            return false;
        any = true;
        digits = digits * 10 + static_cast<unsigned>(*q - '0');
        if (digits != 0 && ++significant > 15)
            return false;
        if (q > dot && dot != e && ++decimals > 22)
            return false;
    }
    if (!any)
        return false;
    const double value = static_cast<double>(digits) / kPowersOfTen[decimals];
    out = negative ? -value : value;
    return true;
}

}  // namespace

bool DecodeNumber(const FieldLayout& f, const std::uint8_t* record, double& out)
{
    const char* p = reinterpret_cast<const char*>(record + f.offset);
    const char* e = p + f.def.width;
    while (p < e && (*p == ' ' || *p == 0))
        ++p;
    while (e > p && (e[-1] == ' ' || e[-1] == 0))
        --e;
    if (p == e)
        return false;
    if (*p == '+')
        ++p;
    if (p < e && DecodePlainDecimal(p, e, out))
        return true;
    // A decimal comma is not a number to any dBase reader: it is damage, and
    // reads as no number rather than as a value other programs cannot see.
    auto r = std::from_chars(p, e, out);
    return r.ec == std::errc() && r.ptr == e;
}

std::uint32_t DecodeMemoBlock(const FieldLayout& f, const std::uint8_t* record)
{
    const std::uint8_t* p = record + f.offset;
    if (f.def.width == 4)
        return Le32(p);
    std::uint64_t v = 0;
    bool any = false;
    for (int i = 0; i < f.def.width; ++i) {
        std::uint8_t c = p[i];
        if (c == ' ' || c == 0)
            continue;
        if (c < '0' || c > '9')
            return kBadMemoPointer;
        v = v * 10 + (c - '0');
        any = true;
        if (v >= kBadMemoPointer)
            return kBadMemoPointer;
    }
    return any ? static_cast<std::uint32_t>(v) : 0;
}

Value DecodeValue(const FieldLayout& f, const std::uint8_t* record)
{
    const std::uint8_t* p = record + f.offset;
    switch (f.def.type) {
    case FieldType::Char: {
        std::size_t n = static_cast<std::size_t>(f.def.width);
        while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == 0))
            --n;
        if (n == 0)
            return std::monostate{};
        return AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(p), n));
    }
    case FieldType::Float:
    case FieldType::Smallint: {
        double v;
        if (!DecodeNumber(f, record, v))
            return std::monostate{};
        return v;
    }
    case FieldType::Date: {
        if (IsBlank(f, record) || f.def.width < 8)
            return std::monostate{};
        int parts[3] = {0, 0, 0};
        const int lens[3] = {4, 2, 2};
        int pos = 0;
        for (int k = 0; k < 3; ++k) {
            for (int i = 0; i < lens[k]; ++i, ++pos) {
                if (p[pos] < '0' || p[pos] > '9')
                    return std::monostate{};
                parts[k] = parts[k] * 10 + (p[pos] - '0');
            }
        }
        if (parts[0] < 1 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1
            || parts[2] > tw::DaysInMonth(parts[0], parts[1]))
            return std::monostate{};
        return DateValue{
            static_cast<std::int32_t>(tw::DaysFromCivil(parts[0], parts[1], parts[2]) + kUnixToDayZero)};
    }
    case FieldType::Logical: {
        switch (p[0]) {
        case 'T':
        case 't':
        case 'Y':
        case 'y': return true;
        case 'F':
        case 'f':
        case 'N':
        case 'n': return false;
        default: return std::monostate{};
        }
    }
    case FieldType::Memo:
    case FieldType::Binary: {
        std::uint32_t b = DecodeMemoBlock(f, record);
        if (b == 0)
            return std::monostate{};
        return static_cast<double>(b);
    }
    }
    return std::monostate{};
}

double RoundForField(const FieldLayout& f, double v)
{
    if (!std::isfinite(v))
        return v;
    char buf[kNumberTextSize];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, f.def.decimals);
    if (r.ec != std::errc())
        return v;
    double out = v;
    std::from_chars(buf, r.ptr, out);
    return out;
}

void EncodeText(const FieldLayout& f, std::uint8_t* record, std::string_view utf8, const std::string& file)
{
    std::string ansi;
    if (!Utf8ToAnsi(utf8, ansi))
        DoesNotFit(file, f, "a character has no Windows ANSI code");
    while (!ansi.empty() && ansi.back() == ' ')
        ansi.pop_back();
    if (ansi.size() > static_cast<std::size_t>(f.def.width))
        DoesNotFit(file, f,
                   std::to_string(ansi.size()) + " characters, the field holds "
                       + std::to_string(f.def.width));
    std::uint8_t* p = record + f.offset;
    std::memset(p, ' ', static_cast<std::size_t>(f.def.width));
    std::memcpy(p, ansi.data(), ansi.size());
}

void EncodeNumber(const FieldLayout& f, std::uint8_t* record, double v, const std::string& file)
{
    if (!std::isfinite(v))
        DoesNotFit(file, f, "not a finite number");
    if (f.def.type == FieldType::Smallint) {
        double r = std::nearbyint(v);
        if (r < -32768 || r > 32767)
            DoesNotFit(file, f, "outside the small integer range");
    }
    // to_chars, not printf: the desktop's locale (a decimal comma) must never
    // reach the file, which every dBase reader parses with a point.
    char buf[kNumberTextSize];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, f.def.decimals);
    if (r.ec != std::errc())
        DoesNotFit(file, f, "too many digits for width " + std::to_string(f.def.width));
    // Never store a negative zero.
    if (std::none_of(buf, r.ptr, [](char c) { return c >= '1' && c <= '9'; }))
        r = std::to_chars(buf, buf + sizeof buf, 0.0, std::chars_format::fixed, f.def.decimals);
    const auto n = static_cast<std::size_t>(r.ptr - buf);
    if (n > static_cast<std::size_t>(f.def.width))
        DoesNotFit(file, f, "too many digits for width " + std::to_string(f.def.width));
    // Right-aligned in the field's width.
    std::uint8_t* p = record + f.offset;
    const std::size_t pad = static_cast<std::size_t>(f.def.width) - n;
    std::memset(p, ' ', pad);
    std::memcpy(p + pad, buf, n);
}

void EncodeDate(const FieldLayout& f, std::uint8_t* record, std::int64_t days, const std::string& file)
{
    DateFields d = tw::CivilFromDays(days - kUnixToDayZero);
    if (d.year < 1 || d.year > 9999)
        DoesNotFit(file, f, "date outside the years 1 to 9999");
    // A foreign file may declare a date field of another width.
    if (f.def.width < 8)
        DoesNotFit(file, f, "the date field is narrower than 8 characters");
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
    std::memset(record + f.offset, ' ', static_cast<std::size_t>(f.def.width));
    std::memcpy(record + f.offset, buf, 8);
}

void EncodeLogical(const FieldLayout& f, std::uint8_t* record, bool v)
{
    record[f.offset] = v ? 'T' : 'F';
}

void EncodeMemoBlock(const FieldLayout& f, std::uint8_t* record, std::uint32_t block, const std::string& file)
{
    std::uint8_t* p = record + f.offset;
    if (f.def.width == 4) {
        Put32(p, block);
        return;
    }
    std::memset(p, ' ', static_cast<std::size_t>(f.def.width));
    if (block == 0)
        return;
    // Right-aligned with leading zeros over the field's whole width, whatever
    // width a foreign file gave it.
    char digits[16];
    const int n = std::snprintf(digits, sizeof digits, "%u", block);
    if (n > f.def.width)
        DoesNotFit(file, f,
                   "memo block " + std::string(digits, static_cast<std::size_t>(n))
                       + " has more digits than the field's width " + std::to_string(f.def.width));
    std::memset(p, '0', static_cast<std::size_t>(f.def.width - n));
    std::memcpy(p + (f.def.width - n), digits, static_cast<std::size_t>(n));
}

void EncodeBlank(const FieldLayout& f, std::uint8_t* record)
{
    if (f.def.width == 4 && (f.def.type == FieldType::Memo || f.def.type == FieldType::Binary)) {
        Put32(record + f.offset, 0);
        return;
    }
    std::memset(record + f.offset, ' ', static_cast<std::size_t>(f.def.width));
}

std::string AnsiToUtf8(std::string_view ansi)
{
    bool ascii = true;
    for (char c : ansi)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return std::string(ansi);
    std::string out;
    out.reserve(ansi.size() + 8);
    for (char ch : ansi) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out.push_back(static_cast<char>(c));
        else if (c < 0xA0)
            AppendUtf8(out, kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : c);
        else
            AppendUtf8(out, c);
    }
    return out;
}

bool Utf8ToAnsi(std::string_view s, std::string& out)
{
    out.clear();
    out.reserve(s.size());
    bool ok = true;
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        std::uint32_t cp = 0;
        int len = 0;
        if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            len = 4;
        } else {
            out.push_back('?');
            ok = false;
            ++i;
            continue;
        }
        if (i + static_cast<std::size_t>(len) > s.size()) {
            out.push_back('?');
            ok = false;
            break;
        }
        for (int k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += static_cast<std::size_t>(len);
        if (cp >= 0xA0 && cp <= 0xFF) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        bool found = false;
        for (int k = 0; k < 32; ++k)
            if (kCp1252High[k] == cp && cp != 0) {
                out.push_back(static_cast<char>(0x80 + k));
                found = true;
                break;
            }
        if (!found) {
            out.push_back('?');
            ok = false;
        }
    }
    return ok;
}

// ---------------------------------------------------------------- memo file

MemoFile::MemoFile(std::unique_ptr<File> file, MemoKind kind) : file_(std::move(file)), kind_(kind) {}

void MemoFile::Create(const std::string& path, MemoKind kind, const std::string& tableBase)
{
    std::vector<std::uint8_t> h(kMemoBlock, 0);
    Put32(h.data(), 1);
    if (kind == MemoKind::Db4) {
        for (std::size_t i = 0; i < 8 && i < tableBase.size(); ++i)
            h[8 + i] = static_cast<std::uint8_t>(Upper(tableBase[i]));
        h[18] = 0x02;
        h[19] = 0x01;
        Put16(h.data() + 20, kMemoBlock);
    } else {
        h[16] = 0x03;
    }
    auto f = Fs().open(path, OpenMode::CreateNew);
    f->writeAt(0, h.data(), h.size());
}

std::vector<std::uint8_t> MemoFile::read(std::uint32_t block)
{
    std::vector<std::uint8_t> out;
    if (block == 0)
        return out;
    const std::string& name = file_->path();
    const std::uint64_t size = file_->size();
    const std::uint64_t off = static_cast<std::uint64_t>(block) * kMemoBlock;
    if (block == kBadMemoPointer)
        throw DbError(ErrorCode::MemoCorrupt,
                      "Damaged memo pointer for " + name + ": it is not a block number", name);
    if (off + 8 > size)
        throw DbError(ErrorCode::MemoCorrupt,
                      "Memo pointer " + std::to_string(block) + " lies past the end of " + name, name);
    std::uint8_t head[8];
    file_->readAt(off, head, 8);
    if (head[0] == 0xFF && head[1] == 0xFF && head[2] == 0x08 && head[3] == 0x00) {
        std::uint32_t len = Le32(head + 4);
        if (len < 8 || off + len > size)
            throw DbError(ErrorCode::MemoCorrupt,
                          "Damaged memo block " + std::to_string(block) + " in " + name, name);
        out.resize(len - 8);
        if (file_->readAt(off + 8, out.data(), out.size()) != out.size())
            throw DbError(ErrorCode::MemoCorrupt, "Memo cut short in " + name, name);
        return out;
    }
    // dBase III: text up to the 0x1A end mark.
    std::vector<std::uint8_t> chunk(kMemoBlock);
    std::uint64_t pos = off;
    while (pos < size) {
        std::size_t n = file_->readAt(pos, chunk.data(), chunk.size());
        if (n == 0)
            break;
        for (std::size_t i = 0; i < n; ++i) {
            if (chunk[i] == 0x1A) {
                out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(i));
                return out;
            }
        }
        out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
        pos += n;
    }
    return out;
}

std::uint32_t MemoFile::append(const std::vector<std::uint8_t>& data)
{
    const std::string& name = file_->path();
    std::uint8_t h[4] = {0, 0, 0, 0};
    file_->readAt(0, h, 4);
    std::uint64_t next = Le32(h);
    const std::uint64_t size = file_->size();
    const std::uint64_t endBlock = (size + kMemoBlock - 1) / kMemoBlock;
    // The pointer may lag behind the file (blocks written by a process that
    // died before it moved the pointer) but never run ahead of it: a pointer
    // past the end is damage, and trusting it would grow the file by up to
    // terabytes of holes that every copy and backup then reads.
    if (next > endBlock)
        throw DbError(ErrorCode::MemoCorrupt,
                      "Damaged memo file " + name + ": its next free block " + std::to_string(next)
                          + " lies past the end of the file (" + std::to_string(endBlock) + " blocks)",
                      name);
    if (next < endBlock || next == 0)
        next = std::max<std::uint64_t>(endBlock, 1);
    std::vector<std::uint8_t> payload;
    // One allocation: a page image is megabytes, and every regrowth copies it.
    payload.reserve((data.size() + 10 + kMemoBlock - 1) / kMemoBlock * kMemoBlock);
    if (kind_ == MemoKind::Db3) {
        payload = data;
        payload.push_back(0x1A);
        payload.push_back(0x1A);
    } else {
        if (data.size() > 0xFFFFFF00u)
            throw DbError(ErrorCode::ValueDoesNotFit, "Memo too large for " + name, name);
        payload.resize(8);
        payload[0] = 0xFF;
        payload[1] = 0xFF;
        payload[2] = 0x08;
        payload[3] = 0x00;
        Put32(payload.data() + 4, static_cast<std::uint32_t>(data.size() + 8));
        payload.insert(payload.end(), data.begin(), data.end());
        payload.push_back(0x1F);  // the end mark dBase IV readers look for
        payload.push_back(0x1F);
    }
    const std::uint64_t blocks = (payload.size() + kMemoBlock - 1) / kMemoBlock;
    payload.resize(blocks * kMemoBlock, 0);
    if (next + blocks > UINT32_MAX)
        throw DbError(ErrorCode::ValueDoesNotFit, "Memo file full: " + name, name);
    file_->writeAt(next * kMemoBlock, payload.data(), payload.size());
    std::uint8_t nh[4];
    Put32(nh, static_cast<std::uint32_t>(next + blocks));
    file_->writeAt(0, nh, 4);
    return static_cast<std::uint32_t>(next);
}

}  // namespace tw::db
