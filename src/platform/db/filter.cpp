#include "platform/db/filter.h"

// A filter is parsed once into a flat vector of nodes with the field indices
// resolved and every literal already converted to the field's kind, so that
// evaluating it on a record is a walk over plain comparisons.
//
// The callers build long lists such as "(CHARTSID = 1) OR (CHARTSID = 2) OR
// ..." with hundreds of terms. AND and OR chains are parsed in loops and kept
// as one node with many children (never a chain of binary nodes), and the
// equality terms of one numeric field inside an OR become one hash-set test.
// Only parentheses nest, and their depth is capped, so neither parsing nor
// evaluation can run out of stack on any input.

#include <cctype>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"

namespace tw::db {

namespace {

// Deeper nesting than any caller writes; the cap keeps the recursive descent
// and the evaluation within a small, fixed stack.
constexpr int kMaxNesting = 100;

// OR lists with at least this many equality terms on one numeric field are
// tested through a hash set.
constexpr std::size_t kMinSetTerms = 4;

enum class CompareOp : std::uint8_t { Eq, Ne, Lt, Gt, Le, Ge };

enum class TokenKind { End, Name, Number, Text, LParen, RParen, Op, And, Or, Not, True, False };

struct Token {
    TokenKind kind = TokenKind::End;
    std::size_t pos = 0;     // byte offset in the text
    std::string_view raw;    // as written, quotes included
    std::string_view value;  // a quoted text without its quotes
    CompareOp op = CompareOp::Eq;
};

enum class NodeKind : std::uint8_t { And, Or, Not, Constant, Logical, Number, NumberSet, Text, Date };

struct Node {
    NodeKind kind = NodeKind::Constant;
    CompareOp op = CompareOp::Eq;
    bool constant = false;
    std::uint32_t field = 0;
    double number = 0.0;
    std::int32_t days = 0;
    std::string text;
    std::vector<std::uint32_t> children;
    std::unordered_set<double> numbers;
};

bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (std::toupper(x) != std::toupper(y))
            return false;
    }
    return true;
}

// Char fields are blank-padded on disk, so trailing blanks never count.
std::string_view WithoutTrailingBlanks(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

const char* OpText(CompareOp op)
{
    switch (op) {
    case CompareOp::Eq: return "=";
    case CompareOp::Ne: return "<>";
    case CompareOp::Lt: return "<";
    case CompareOp::Gt: return ">";
    case CompareOp::Le: return "<=";
    case CompareOp::Ge: return ">=";
    }
    return "?";
}

template <typename T>
bool Compare(CompareOp op, const T& a, const T& b)
{
    switch (op) {
    case CompareOp::Eq: return a == b;
    case CompareOp::Ne: return a != b;
    case CompareOp::Lt: return a < b;
    case CompareOp::Gt: return a > b;
    case CompareOp::Le: return a <= b;
    case CompareOp::Ge: return a >= b;
    }
    return false;
}

// Parses "-12", "3.25", ".5" completely; false for anything else.
bool ReadNumber(std::string_view s, double& out)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out, std::chars_format::fixed);
    return ec == std::errc() && end == s.data() + s.size() && std::isfinite(out);
}

class Parser {
public:
    Parser(std::string_view text, const std::vector<FieldDef>& fields) : text_(text), fields_(fields)
    {
        advance();
    }

    std::vector<Node> parse(std::uint32_t& root)
    {
        root = parseOr();
        if (token_.kind == TokenKind::RParen)
            fail(token_.pos, "')' without a matching '('");
        if (token_.kind != TokenKind::End)
            fail(token_.pos, "expected AND, OR or the end of the filter, found " + describe(token_));
        return std::move(nodes_);
    }

private:
    [[noreturn]] void fail(std::size_t offset, const std::string& what) const
    {
        throw DbError(ErrorCode::InvalidFilter,
                      "Invalid filter expression at position " + std::to_string(charPos(offset)) + ": "
                          + what);
    }

    static std::string describe(const Token& t)
    {
        switch (t.kind) {
        case TokenKind::End: return "the end of the filter";
        case TokenKind::Text: return "the quoted text " + std::string(t.raw);
        default: return "'" + std::string(t.raw) + "'";
        }
    }

    void advance()
    {
        std::size_t i = pos_;
        while (i < text_.size() && std::isspace(static_cast<unsigned char>(text_[i])))
            ++i;
        Token t;
        t.pos = i;
        if (i == text_.size()) {
            t.kind = TokenKind::End;
            pos_ = i;
            token_ = t;
            return;
        }
        const char c = text_[i];
        std::size_t end = i + 1;
        auto next = [&](std::size_t k) { return k < text_.size() ? text_[k] : '\0'; };
        if (c == '(') {
            t.kind = TokenKind::LParen;
        } else if (c == ')') {
            t.kind = TokenKind::RParen;
        } else if (c == '=') {
            t.kind = TokenKind::Op;
            t.op = CompareOp::Eq;
        } else if (c == '<') {
            t.kind = TokenKind::Op;
            t.op = CompareOp::Lt;
            if (next(end) == '>') {
                t.op = CompareOp::Ne;
                ++end;
            } else if (next(end) == '=') {
                t.op = CompareOp::Le;
                ++end;
            }
        } else if (c == '>') {
            t.kind = TokenKind::Op;
            t.op = CompareOp::Gt;
            if (next(end) == '=') {
                t.op = CompareOp::Ge;
                ++end;
            }
        } else if (c == '\'' || c == '"') {
            const std::size_t close = text_.find(c, i + 1);
            if (close == std::string_view::npos)
                fail(i, std::string("unterminated quoted text: no closing ") + c);
            t.kind = TokenKind::Text;
            t.value = text_.substr(i + 1, close - i - 1);
            end = close + 1;
        } else if (IsDigit(c)
                   || ((c == '-' || c == '+' || c == '.')
                       && (IsDigit(next(end)) || (next(end) == '.' && IsDigit(next(end + 1)))))) {
            t.kind = TokenKind::Number;
            bool dot = c == '.';
            while (end < text_.size() && (IsDigit(text_[end]) || (text_[end] == '.' && !dot))) {
                dot = dot || text_[end] == '.';
                ++end;
            }
        } else if (IsNameStart(c)) {
            while (end < text_.size() && IsNameChar(text_[end]))
                ++end;
            const std::string_view word = text_.substr(i, end - i);
            if (EqualsIgnoringCase(word, "AND"))
                t.kind = TokenKind::And;
            else if (EqualsIgnoringCase(word, "OR"))
                t.kind = TokenKind::Or;
            else if (EqualsIgnoringCase(word, "NOT"))
                t.kind = TokenKind::Not;
            else if (EqualsIgnoringCase(word, "TRUE"))
                t.kind = TokenKind::True;
            else if (EqualsIgnoringCase(word, "FALSE"))
                t.kind = TokenKind::False;
            else
                t.kind = TokenKind::Name;
        } else {
            fail(i, "unexpected character '" + std::string(1, c) + "'");
        }
        t.raw = text_.substr(i, end - i);
        pos_ = end;
        token_ = t;
    }

    std::uint32_t add(Node node)
    {
        nodes_.push_back(std::move(node));
        return static_cast<std::uint32_t>(nodes_.size() - 1);
    }

    // One node for a whole AND or OR chain; parenthesised chains of the same
    // kind are spliced in, so "(a OR b) OR c" is one list of three.
    std::uint32_t chain(NodeKind kind, const std::vector<std::uint32_t>& parts)
    {
        if (parts.size() == 1)
            return parts.front();
        Node node;
        node.kind = kind;
        for (std::uint32_t p : parts) {
            if (nodes_[p].kind == kind) {
                const auto inner = nodes_[p].children;
                node.children.insert(node.children.end(), inner.begin(), inner.end());
            } else {
                node.children.push_back(p);
            }
        }
        if (kind == NodeKind::Or)
            groupEqualities(node);
        return add(std::move(node));
    }

    void groupEqualities(Node& orNode)
    {
        std::unordered_map<std::uint32_t, std::size_t> perField;
        for (std::uint32_t c : orNode.children) {
            const Node& n = nodes_[c];
            if (n.kind == NodeKind::Number && n.op == CompareOp::Eq)
                ++perField[n.field];
        }
        std::unordered_map<std::uint32_t, std::uint32_t> setOfField;
        std::vector<std::uint32_t> kept;
        for (std::uint32_t c : orNode.children) {
            const Node& n = nodes_[c];
            if (n.kind != NodeKind::Number || n.op != CompareOp::Eq || perField[n.field] < kMinSetTerms) {
                kept.push_back(c);
                continue;
            }
            auto it = setOfField.find(n.field);
            if (it == setOfField.end()) {
                Node set;
                set.kind = NodeKind::NumberSet;
                set.field = n.field;
                const std::uint32_t index = add(std::move(set));
                it = setOfField.emplace(nodes_[c].field, index).first;
                kept.push_back(index);
            }
            nodes_[it->second].numbers.insert(nodes_[c].number);
        }
        orNode.children = std::move(kept);
    }

    std::uint32_t parseOr() { return parseChain(TokenKind::Or, NodeKind::Or, &Parser::parseAnd); }
    std::uint32_t parseAnd() { return parseChain(TokenKind::And, NodeKind::And, &Parser::parseNot); }

    std::uint32_t parseChain(TokenKind joiner, NodeKind kind, std::uint32_t (Parser::*parsePart)())
    {
        std::vector<std::uint32_t> parts{(this->*parsePart)()};
        while (token_.kind == joiner) {
            advance();
            parts.push_back((this->*parsePart)());
        }
        return chain(kind, parts);
    }

    std::uint32_t parseNot()
    {
        bool negate = false;
        while (token_.kind == TokenKind::Not) {
            negate = !negate;
            advance();
        }
        const std::uint32_t operand = parsePrimary();
        if (!negate)
            return operand;
        Node node;
        node.kind = NodeKind::Not;
        node.children.push_back(operand);
        return add(std::move(node));
    }

    std::uint32_t parsePrimary()
    {
        const Token t = token_;
        switch (t.kind) {
        case TokenKind::LParen: {
            if (++depth_ > kMaxNesting)
                fail(t.pos, "parentheses nested more than " + std::to_string(kMaxNesting) + " deep");
            advance();
            if (token_.kind == TokenKind::RParen)
                fail(token_.pos, "expected a condition inside the parentheses, found ')'");
            const std::uint32_t inner = parseOr();
            if (token_.kind != TokenKind::RParen)
                fail(token_.pos,
                     "expected ')' to close the '(' at position " + std::to_string(charPos(t.pos))
                         + ", found " + describe(token_));
            advance();
            --depth_;
            return inner;
        }
        case TokenKind::True:
        case TokenKind::False: {
            advance();
            Node node;
            node.kind = NodeKind::Constant;
            node.constant = t.kind == TokenKind::True;
            return add(std::move(node));
        }
        case TokenKind::Name: advance(); return parseCondition(t);
        default: fail(t.pos, "expected a field name, NOT or '(', found " + describe(t));
        }
    }

    // Counts characters, not bytes, so that a quoted UTF-8 text does not
    // shift the position the user is told about.
    std::size_t charPos(std::size_t offset) const
    {
        std::size_t position = 1;
        for (std::size_t i = 0; i < offset; ++i) {
            if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80)
                ++position;
        }
        return position;
    }

    std::uint32_t resolveField(const Token& name) const
    {
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (EqualsIgnoringCase(fields_[i].name, name.raw))
                return static_cast<std::uint32_t>(i);
        }
        fail(name.pos, "unknown field '" + std::string(name.raw) + "'");
    }

    std::uint32_t parseCondition(const Token& name)
    {
        Node node;
        node.field = resolveField(name);
        const FieldDef& def = fields_[node.field];
        if (def.type == FieldType::Memo || def.type == FieldType::Binary)
            fail(name.pos, "the memo field " + def.name + " cannot be used in a filter");

        if (token_.kind != TokenKind::Op) {
            if (def.type == FieldType::Logical) {
                node.kind = NodeKind::Logical;
                node.op = CompareOp::Eq;
                node.constant = true;
                return add(std::move(node));
            }
            fail(token_.pos,
                 "expected a comparison operator after " + def.name + ", found " + describe(token_));
        }
        node.op = token_.op;
        const std::string opText = OpText(node.op);
        advance();
        const Token lit = token_;
        auto expected = [&](const std::string& what) {
            fail(lit.pos,
                 "expected " + what + " after '" + opText + "' for the field " + def.name + ", found "
                     + describe(lit));
        };

        switch (def.type) {
        case FieldType::Float:
        case FieldType::Smallint:
            node.kind = NodeKind::Number;
            if (lit.kind == TokenKind::Number) {
                if (!ReadNumber(lit.raw, node.number))
                    expected("a number");
            } else if (lit.kind != TokenKind::Text || !ReadNumber(lit.value, node.number)) {
                expected("a number");
            }
            break;
        case FieldType::Char:
            if (lit.kind != TokenKind::Text)
                expected("a quoted text");
            node.kind = NodeKind::Text;
            node.text = std::string(WithoutTrailingBlanks(lit.value));
            break;
        case FieldType::Date: {
            TDateTime date = 0;
            if (lit.kind != TokenKind::Text)
                expected("a quoted date");
            if (!locale::TryStrToDate(lit.value, date))
                fail(lit.pos,
                     "invalid date " + std::string(lit.raw) + " for the field " + def.name
                         + " (expected the short date format " + locale::Formats().shortDateFormat + ")");
            node.kind = NodeKind::Date;
            node.days = static_cast<std::int32_t>(std::floor(date));
            break;
        }
        case FieldType::Logical:
            if (node.op != CompareOp::Eq && node.op != CompareOp::Ne)
                fail(name.pos, "the logical field " + def.name + " can only be compared with = or <>");
            if (lit.kind != TokenKind::True && lit.kind != TokenKind::False)
                expected("TRUE or FALSE");
            node.kind = NodeKind::Logical;
            node.constant = lit.kind == TokenKind::True;
            break;
        case FieldType::Memo:
        case FieldType::Binary: break;
        }
        advance();
        return add(std::move(node));
    }

    std::string_view text_;
    const std::vector<FieldDef>& fields_;
    std::size_t pos_ = 0;
    Token token_;
    int depth_ = 0;
    std::vector<Node> nodes_;
};

class CompiledFilter final : public Filter {
public:
    CompiledFilter(std::vector<Node> nodes, std::uint32_t root) : nodes_(std::move(nodes)), root_(root) {}

    bool matches(const RecordAccessor& record) const override { return evaluate(root_, record); }

private:
    bool evaluate(std::uint32_t index, const RecordAccessor& record) const
    {
        const Node& n = nodes_[index];
        switch (n.kind) {
        case NodeKind::And:
            for (std::uint32_t c : n.children) {
                if (!evaluate(c, record))
                    return false;
            }
            return true;
        case NodeKind::Or:
            for (std::uint32_t c : n.children) {
                if (evaluate(c, record))
                    return true;
            }
            return false;
        case NodeKind::Not: return !evaluate(n.children.front(), record);
        case NodeKind::Constant: return n.constant;
        case NodeKind::Logical: {
            const Value v = record.fieldValue(n.field);
            const bool* b = std::get_if<bool>(&v);
            const bool value = b != nullptr && *b;  // a blank logical reads false
            return (value == n.constant) == (n.op == CompareOp::Eq);
        }
        case NodeKind::Number: {
            const Value v = record.fieldValue(n.field);
            const double* d = std::get_if<double>(&v);
            if (d == nullptr)
                return n.op == CompareOp::Ne;
            return Compare(n.op, *d, n.number);
        }
        case NodeKind::NumberSet: {
            const Value v = record.fieldValue(n.field);
            const double* d = std::get_if<double>(&v);
            return d != nullptr && n.numbers.contains(*d);
        }
        case NodeKind::Text: {
            const Value v = record.fieldValue(n.field);
            const std::string* s = std::get_if<std::string>(&v);
            const std::string_view value = s != nullptr ? WithoutTrailingBlanks(*s) : std::string_view();
            return Compare(n.op, value, std::string_view(n.text));
        }
        case NodeKind::Date: {
            const Value v = record.fieldValue(n.field);
            const DateValue* d = std::get_if<DateValue>(&v);
            if (d == nullptr)
                return n.op == CompareOp::Ne;
            return Compare(n.op, d->days, n.days);
        }
        }
        return false;
    }

    std::vector<Node> nodes_;
    std::uint32_t root_;
};

}  // namespace

std::shared_ptr<const Filter> Filter::parse(std::string_view text, const std::vector<FieldDef>& fields)
{
    bool blank = true;
    for (char c : text)
        blank = blank && std::isspace(static_cast<unsigned char>(c));
    if (blank)
        return nullptr;
    std::uint32_t root = 0;
    std::vector<Node> nodes = Parser(text, fields).parse(root);
    return std::make_shared<CompiledFilter>(std::move(nodes), root);
}

}  // namespace tw::db
