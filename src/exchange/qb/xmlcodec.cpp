#include "exchange/qb/xmlcodec.h"

#include <QStringList>

#include "exchange/qb/libraryerror.h"
#include "exchange/qb/valuetext.h"

namespace tw::qb {
namespace {

const QString kDoRequests = QStringLiteral("DoRequests");

class XmlOut {
public:
    // Responses go out without indentation: they are read by a program, and
    // indentation doubles what the reader has to skip.
    explicit XmlOut(std::uint32_t failCode, bool indent = true) : failCode_(failCode), indent_(indent)
    {
        text_.reserve(4096);
    }

    void Open(const QString& name, const QString& attributes = {})
    {
        Indent();
        text_ += u'<';
        text_ += name;
        text_ += attributes;
        text_ += u">\n";
        ++depth_;
    }
    void Close(const QString& name)
    {
        --depth_;
        Indent();
        text_ += u"</";
        text_ += name;
        text_ += u">\n";
    }
    void Leaf(const QString& name, const QString& value)
    {
        Indent();
        text_ += u'<';
        text_ += name;
        text_ += u'>';
        AppendEscaped(value);
        text_ += u"</";
        text_ += name;
        text_ += u">\n";
    }
    void AppendEscaped(const QString& value)
    {
        bool plain = true;
        for (QChar c : value)
            if (c.unicode() < 0x20 || c == u'&' || c == u'<' || c == u'>' || c == u'"') {
                plain = false;
                break;
            }
        if (plain)
            text_ += value;
        else
            text_ += Escape(value);
    }
    QString Escape(const QString& value) const
    {
        QString out;
        out.reserve(value.size());
        for (QChar c : value) {
            switch (c.unicode()) {
            case u'&': out += u"&amp;"; break;
            case u'<': out += u"&lt;"; break;
            case u'>': out += u"&gt;"; break;
            case u'"': out += u"&quot;"; break;
            case u'\r': out += u"&#13;"; break;  // kept: a parser would fold a bare CR into LF
            default:
                if (c.unicode() < 0x20 && c != u'\n' && c != u'\t')
                    throw LibraryError(kDoRequests, failCode_,
                                       QStringLiteral("The text \"%1\" holds a control character that the "
                                                      "request format cannot carry")
                                           .arg(value.left(40)));
                out += c;
            }
        }
        return out;
    }
    QString& Text() { return text_; }

private:
    void Indent()
    {
        if (indent_)
            text_.append(QString(depth_ * 2, u' '));
    }
    QString text_;
    int depth_ = 0;
    std::uint32_t failCode_;
    bool indent_;
};

// Writes a record's elements in its visiting order.
struct WriteRecord {
    XmlOut& out;
    template <class T>
    void operator()(const char* name, T& member)
    {
        const QString n = QString::fromLatin1(name);
        if constexpr (IsOptional<T>::value) {
            if (!member)
                return;
            if constexpr (Record<typename IsOptional<T>::Inner>) {
                out.Open(n);
                member->Visit(*this);
                out.Close(n);
            } else {
                out.Leaf(n, ValueText(*member));
            }
        } else if constexpr (IsVector<T>::value) {
            for (auto& e : member) {
                if constexpr (Record<typename IsVector<T>::Inner>) {
                    out.Open(n);
                    e.Visit(*this);
                    out.Close(n);
                } else {
                    out.Leaf(n, ValueText(e));
                }
            }
        }
    }
};

// A parsed element: its name, attributes, text (leaves) and children.
// Names are views into the text being read, which outlives the nodes: an
// answer of thousands of records holds a great many of them.
struct Node {
    QStringView name;
    std::vector<std::pair<QStringView, QString>> attributes;
    QString text;
    std::vector<Node> children;

    const QString* Attribute(QStringView attribute) const
    {
        for (const auto& a : attributes)
            if (a.first == attribute)
                return &a.second;
        return nullptr;
    }
};

constexpr int kMaxDepth = 32;

struct Parsed {
    Node root;
    QString qbxmlVersion;  // the data of <?qbxml ...?>, when there is one
};

// A reader for the XML the request format uses: elements, attributes, text,
// the five named entities and character references, CDATA, comments and
// processing instructions. A document type is refused (no entity expansion),
// and so is anything that is not well-formed. Written for speed: an answer
// of thousands of records is read while the user waits.
class XmlParser {
public:
    XmlParser(const QString& text, std::uint32_t failCode, const QString& what)
        : p_(text.constData()),
          end_(text.constData() + text.size()),
          failCode_(failCode),
          what_(what)
    {}

    Parsed Parse()
    {
        Parsed parsed;
        bool haveRoot = false;
        if (p_ != end_ && p_->unicode() == 0xFEFF)
            ++p_;  // a byte-order mark
        while (true) {
            SkipBlanks();
            if (p_ == end_)
                break;
            if (*p_ != u'<')
                Fail(QStringLiteral("text outside the root element"));
            if (Starts(u"<?")) {
                QString target, data;
                ProcessingInstruction(target, data);
                if (target == u"qbxml")
                    parsed.qbxmlVersion = data;
            } else if (Starts(u"<!--")) {
                Comment();
            } else if (Starts(u"<!")) {
                Fail(QStringLiteral("a document type declaration is not accepted"));
            } else {
                if (haveRoot)
                    Fail(QStringLiteral("more than one root element"));
                haveRoot = true;
                Element(parsed.root, 0);
            }
        }
        if (!haveRoot)
            Fail(QStringLiteral("no element"));
        return parsed;
    }

private:
    [[noreturn]] void Fail(const QString& why) const
    {
        throw LibraryError(kDoRequests, failCode_,
                           QStringLiteral("The %1 is not readable: %2").arg(what_, why));
    }
    bool Starts(QStringView s) const { return end_ - p_ >= s.size() && QStringView(p_, s.size()) == s; }
    static bool Blank(QChar c) { return c == u' ' || c == u'\n' || c == u'\t' || c == u'\r'; }
    void SkipBlanks()
    {
        while (p_ != end_ && Blank(*p_))
            ++p_;
    }
    static bool NameChar(QChar c)
    {
        return c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.' || c == u':';
    }
    QStringView Name()
    {
        const QChar* start = p_;
        while (p_ != end_ && NameChar(*p_))
            ++p_;
        if (p_ == start || start->isDigit() || *start == u'-' || *start == u'.')
            Fail(QStringLiteral("a name is missing or malformed"));
        return QStringView(start, p_ - start);
    }
    void Expect(QChar c)
    {
        if (p_ == end_ || *p_ != c)
            Fail(QStringLiteral("'%1' expected").arg(c));
        ++p_;
    }
    void ProcessingInstruction(QString& target, QString& data)
    {
        p_ += 2;
        target = Name().toString();
        const QChar* start = p_;
        while (p_ != end_ && !Starts(u"?>"))
            ++p_;
        if (p_ == end_)
            Fail(QStringLiteral("an unfinished processing instruction"));
        data = QString(start, p_ - start).trimmed();
        p_ += 2;
    }
    void Comment()
    {
        p_ += 4;
        while (p_ != end_ && !Starts(u"-->"))
            ++p_;
        if (p_ == end_)
            Fail(QStringLiteral("an unfinished comment"));
        p_ += 3;
    }
    // Appends the text up to stop (not taken), entities resolved and line ends normalized.
    void CharData(QString& out, QChar stop)
    {
        const QChar* run = p_;
        auto flush = [&] {
            if (p_ != run)
                out.append(run, p_ - run);
        };
        while (p_ != end_ && *p_ != stop) {
            const char16_t c = p_->unicode();
            if (c == u'&') {
                flush();
                Entity(out);
                run = p_;
            } else if (c == u'\r') {
                flush();
                out += u'\n';
                ++p_;
                if (p_ != end_ && *p_ == u'\n')
                    ++p_;
                run = p_;
            } else if (c == u'<') {
                Fail(QStringLiteral("'<' inside an attribute value"));
            } else {
                if (c < 0x20 && c != u'\n' && c != u'\t')
                    Fail(QStringLiteral("a control character"));
                ++p_;
            }
        }
        flush();
    }
    void Entity(QString& out)
    {
        ++p_;
        const QChar* start = p_;
        while (p_ != end_ && *p_ != u';' && p_ - start < 12)
            ++p_;
        if (p_ == end_ || *p_ != u';')
            Fail(QStringLiteral("an unfinished entity"));
        const QStringView name(start, p_ - start);
        ++p_;
        if (name == u"amp")
            out += u'&';
        else if (name == u"lt")
            out += u'<';
        else if (name == u"gt")
            out += u'>';
        else if (name == u"quot")
            out += u'"';
        else if (name == u"apos")
            out += u'\'';
        else if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.size() > 1 && (name[1] == u'x' || name[1] == u'X')
                ? name.mid(2).toUInt(&ok, 16)
                : name.mid(1).toUInt(&ok, 10);
            const bool allowed = code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF)
                || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
            if (!ok || !allowed)
                Fail(QStringLiteral("a character reference to no character"));
            const char32_t c32 = code;
            out += QString::fromUcs4(&c32, 1);
        } else {
            Fail(QStringLiteral("the unknown entity &%1;").arg(name.toString()));
        }
    }
    void Element(Node& node, int depth)
    {
        if (depth >= kMaxDepth)
            Fail(QStringLiteral("elements nested too deeply"));
        ++p_;  // '<'
        node.name = Name();
        while (true) {
            SkipBlanks();
            if (p_ == end_)
                Fail(QStringLiteral("an unfinished start tag"));
            if (*p_ == u'/') {
                ++p_;
                Expect(u'>');
                return;
            }
            if (*p_ == u'>') {
                ++p_;
                break;
            }
            const QStringView attribute = Name();
            SkipBlanks();
            Expect(u'=');
            SkipBlanks();
            if (p_ == end_ || (*p_ != u'"' && *p_ != u'\''))
                Fail(QStringLiteral("an attribute value without quotes"));
            const QChar quote = *p_++;
            QString value;
            CharData(value, quote);
            Expect(quote);
            if (node.Attribute(attribute))
                Fail(QStringLiteral("the attribute %1 given twice").arg(attribute));
            node.attributes.emplace_back(attribute, std::move(value));
        }
        // Content.
        while (true) {
            if (p_ == end_)
                Fail(QStringLiteral("%1 is not closed").arg(node.name));
            if (*p_ != u'<') {
                const QChar* start = p_;
                while (p_ != end_ && *p_ != u'<' && *p_ != u'&' && *p_ != u'\r' && p_->unicode() >= 0x20)
                    ++p_;
                node.text.append(start, p_ - start);
                if (p_ != end_ && *p_ != u'<') {
                    if (*p_ == u'&') {
                        Entity(node.text);
                    } else if (*p_ == u'\r') {
                        node.text += u'\n';
                        ++p_;
                        if (p_ != end_ && *p_ == u'\n')
                            ++p_;
                    } else if (*p_ == u'\n' || *p_ == u'\t') {
                        node.text += *p_++;
                    } else {
                        Fail(QStringLiteral("a control character"));
                    }
                }
            } else if (Starts(u"</")) {
                p_ += 2;
                const QStringView closing = Name();
                if (closing != node.name)
                    Fail(QStringLiteral("%1 is closed by %2").arg(node.name, closing));
                SkipBlanks();
                Expect(u'>');
                return;
            } else if (Starts(u"<!--")) {
                Comment();
            } else if (Starts(u"<![CDATA[")) {
                p_ += 9;
                const QChar* start = p_;
                while (p_ != end_ && !Starts(u"]]>"))
                    ++p_;
                if (p_ == end_)
                    Fail(QStringLiteral("an unfinished CDATA section"));
                node.text.append(start, p_ - start);
                p_ += 3;
            } else if (Starts(u"<?")) {
                QString target, data;
                ProcessingInstruction(target, data);
            } else if (Starts(u"<!")) {
                Fail(QStringLiteral("a declaration inside an element"));
            } else {
                node.children.emplace_back();
                Element(node.children.back(), depth + 1);
            }
        }
    }

    const QChar* p_;
    const QChar* end_;
    std::uint32_t failCode_;
    QString what_;
};

// Throws LibraryError(failCode) for anything that is not well-formed XML with one root.
Parsed Parse(const QString& xml, std::uint32_t failCode, const QString& what)
{
    return XmlParser(xml, failCode, what).Parse();
}

const Node* Child(const Node& parent, QStringView name)
{
    for (const Node& c : parent.children)
        if (c.name == name)
            return &c;
    return nullptr;
}

// Reads a record from its element; elements the record does not know are skipped.
struct ReadRecord {
    const Node& node;
    std::size_t cursor = 0;  // the writer's order is the usual one: look there first

    const Node* Find(const char* name)
    {
        const QLatin1String n(name);
        for (std::size_t i = cursor; i < node.children.size(); ++i)
            if (node.children[i].name == n) {
                cursor = i + 1;
                return &node.children[i];
            }
        for (std::size_t i = 0; i < cursor && i < node.children.size(); ++i)
            if (node.children[i].name == n)
                return &node.children[i];
        return nullptr;
    }

    template <class V>
    V Parse(const Node& n)
    {
        if (!n.children.empty())
            throw LibraryError(kDoRequests, code::ResponseUnreadable,
                               QStringLiteral("%1 holds elements where a value belongs").arg(n.name));
        auto v = ValueFromText<V>(n.text);
        if (!v)
            throw LibraryError(
                kDoRequests, code::ResponseUnreadable,
                QStringLiteral("\"%1\" is not a valid value of %2").arg(n.text.left(60), n.name));
        return *v;
    }

    template <class T>
    void operator()(const char* name, T& member)
    {
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            const Node* n = Find(name);
            if (!n)
                return;
            if constexpr (Record<Inner>) {
                Inner sub{};
                ReadRecord r{*n};
                sub.Visit(r);
                member = std::move(sub);
            } else {
                member = Parse<Inner>(*n);
            }
        } else if constexpr (IsVector<T>::value) {
            using Inner = typename IsVector<T>::Inner;
            const QLatin1String n(name);
            for (const Node& c : node.children) {
                if (c.name != n)
                    continue;
                if constexpr (Record<Inner>) {
                    Inner sub{};
                    ReadRecord r{c};
                    sub.Visit(r);
                    member.push_back(std::move(sub));
                } else {
                    member.push_back(Parse<Inner>(c));
                }
            }
        }
    }
};

QString ResponseElement(const QString& requestName)
{
    return requestName.endsWith(u"Rq") ? requestName.chopped(2) + QStringLiteral("Rs") : requestName;
}

// The record element of a request kind's answer ("CustomerRet"); items vary by kind.
QString RecordElement(const QString& requestName)
{
    if (requestName.startsWith(u"Customer"))
        return QStringLiteral("CustomerRet");
    if (requestName.startsWith(u"Employee"))
        return QStringLiteral("EmployeeRet");
    if (requestName.startsWith(u"DataExtDef"))
        return QStringLiteral("DataExtDefRet");
    return {};
}

QString OnErrorWord(const std::optional<int>& onError)
{
    return onError && *onError == 0 ? QStringLiteral("continueOnError") : QStringLiteral("stopOnError");
}

void WriteFields(XmlOut& out, const FieldList& fields, std::size_t from, std::size_t to)
{
    QStringList open;
    for (std::size_t i = from; i < to; ++i) {
        QStringList parts = fields[i].path.split(u' ');
        const QString leaf = parts.takeLast();
        qsizetype common = 0;
        while (common < open.size() && common < parts.size() && open[common] == parts[common])
            ++common;
        while (open.size() > common)
            out.Close(open.takeLast());
        for (qsizetype p = common; p < parts.size(); ++p) {
            out.Open(parts[p]);
            open.push_back(parts[p]);
        }
        out.Leaf(leaf, fields[i].text);
    }
    while (!open.isEmpty())
        out.Close(open.takeLast());
}

void Flatten(const Node& node, const QString& prefix, FieldList& out, int depth)
{
    for (const Node& c : node.children) {
        const QString path = prefix.isEmpty() ? c.name.toString() : prefix + u' ' + c.name.toString();
        if (c.children.empty())
            out.push_back({path, c.text});
        else
            Flatten(c, path, out, depth + 1);
    }
}

}  // namespace

QString EncodeRequestSet(const MsgSetRequest& set)
{
    if (!set.Request())
        throw LibraryError(kDoRequests, code::ParseError, QStringLiteral("The request set holds no request"));
    const QString name = RequestName(*set.Request());
    const RequestRules* rules = RulesFor(name);
    FieldList fields = InProductOrder(name, ToFields(*set.Request()));
    XmlOut out(code::ParseError);
    out.Text() += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"%1\"?>\n")
                      .arg(set.VersionText());
    out.Open(QStringLiteral("QBXML"));
    out.Open(QStringLiteral("QBXMLMsgsRq"), QStringLiteral(" onError=\"%1\"").arg(OnErrorWord(set.OnError)));
    out.Open(name);
    // IncludeRetElement stands after the wrapper, not inside it.
    std::size_t inside = fields.size();
    while (inside > 0 && fields[inside - 1].path == u"IncludeRetElement")
        --inside;
    if (!rules->wrapper.isEmpty()) {
        out.Open(rules->wrapper);
        WriteFields(out, fields, 0, inside);
        out.Close(rules->wrapper);
        WriteFields(out, fields, inside, fields.size());
    } else {
        WriteFields(out, fields, 0, fields.size());
    }
    out.Close(name);
    out.Close(QStringLiteral("QBXMLMsgsRq"));
    out.Close(QStringLiteral("QBXML"));
    return out.Text();
}

DecodedRequestSet DecodeRequestSet(const QString& xml)
{
    auto refuse = [](const QString& why) -> LibraryError {
        return LibraryError(kDoRequests, code::ParseError, why);
    };
    Parsed parsed = Parse(xml, code::ParseError, QStringLiteral("request"));
    DecodedRequestSet d;
    // version="3.0" or version="CA3.0"
    const QString pi = parsed.qbxmlVersion.trimmed();
    if (!pi.startsWith(u"version=\"") || !pi.endsWith(u'"'))
        throw refuse(QStringLiteral("The request names no qbXML version"));
    QString version = pi.mid(9).chopped(1);
    d.country = QStringLiteral("US");
    if (version.startsWith(u"CA")) {
        d.country = QStringLiteral("CA");
        version.remove(0, 2);
    }
    const QStringList parts = version.split(u'.');
    bool okMajor = false, okMinor = false;
    if (parts.size() == 2) {
        d.major = parts[0].toInt(&okMajor);
        d.minor = parts[1].toInt(&okMinor);
    }
    if (!okMajor || !okMinor)
        throw refuse(QStringLiteral("\"%1\" is not a qbXML version").arg(version));
    if (parsed.root.name != u"QBXML")
        throw refuse(QStringLiteral("The request's root is not QBXML"));
    const Node* msgs = Child(parsed.root, u"QBXMLMsgsRq");
    if (!msgs || parsed.root.children.size() != 1)
        throw refuse(QStringLiteral("The request holds no QBXMLMsgsRq"));
    if (const QString* onError = msgs->Attribute(u"onError")) {
        if (*onError == u"continueOnError")
            d.onError = 0;
        else if (*onError == u"stopOnError")
            d.onError = 1;
        else
            throw refuse(QStringLiteral("\"%1\" is not an onError value").arg(*onError));
    }
    if (msgs->children.size() != 1)
        throw refuse(QStringLiteral("The request set must hold exactly one request"));
    const Node& rq = msgs->children.front();
    d.requestName = rq.name.toString();
    const RequestRules* rules = RulesFor(d.requestName);
    if (!rules)
        throw refuse(QStringLiteral("%1 is not a request of this format").arg(rq.name));
    if (!rules->wrapper.isEmpty()) {
        bool seenWrapper = false;
        for (const Node& c : rq.children) {
            if (c.name == rules->wrapper && !seenWrapper) {
                seenWrapper = true;
                Flatten(c, {}, d.fields, 0);
            } else if (c.name == u"IncludeRetElement" && seenWrapper && c.children.empty()) {
                d.fields.push_back({c.name.toString(), c.text});
            } else {
                throw refuse(QStringLiteral("%1 may not stand where it does in %2").arg(c.name, rq.name));
            }
        }
        if (!seenWrapper)
            throw refuse(QStringLiteral("%1 holds no %2").arg(rq.name, rules->wrapper));
    } else {
        Flatten(rq, {}, d.fields, 0);
    }
    return d;
}

QString EncodeResponseSet(const ResponseSet& responses)
{
    XmlOut out(code::ResponseUnreadable, false);
    out.Text() += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
    out.Open(QStringLiteral("QBXML"));
    out.Open(QStringLiteral("QBXMLMsgsRs"));
    for (const Response& r : responses.ResponseList) {
        const QString element = ResponseElement(r.RequestName);
        QString attributes = QStringLiteral(" statusCode=\"%1\"").arg(r.StatusCode);
        if (r.StatusSeverity)
            attributes += QStringLiteral(" statusSeverity=\"%1\"").arg(out.Escape(*r.StatusSeverity));
        if (r.StatusMessage)
            attributes += QStringLiteral(" statusMessage=\"%1\"").arg(out.Escape(*r.StatusMessage));
        out.Open(element, attributes);
        if (r.Detail) {
            WriteRecord w{out};
            std::visit(
                [&](const auto& list) {
                    for (auto record : list) {
                        QString tag;
                        if constexpr (std::is_same_v<std::decay_t<decltype(record)>, ItemRet>)
                            tag = ItemRetElement(record.ortype);
                        else
                            tag = RecordElement(r.RequestName);
                        out.Open(tag);
                        record.Visit(w);
                        out.Close(tag);
                    }
                },
                *r.Detail);
        }
        out.Close(element);
    }
    out.Close(QStringLiteral("QBXMLMsgsRs"));
    out.Close(QStringLiteral("QBXML"));
    return out.Text();
}

ResponseSet DecodeResponseSet(const QString& xml)
{
    auto unreadable = [](const QString& why) -> LibraryError {
        return LibraryError(kDoRequests, code::ResponseUnreadable, why);
    };
    Parsed parsed = Parse(xml, code::ResponseUnreadable, QStringLiteral("response"));
    if (parsed.root.name != u"QBXML")
        throw unreadable(QStringLiteral("The response's root is not QBXML"));
    const Node* msgs = Child(parsed.root, u"QBXMLMsgsRs");
    if (!msgs)
        throw unreadable(QStringLiteral("The response holds no QBXMLMsgsRs"));
    ResponseSet set;
    for (const Node& rs : msgs->children) {
        if (!rs.name.endsWith(u"Rs"))
            continue;
        Response r;
        r.RequestName = rs.name.chopped(2).toString() + QStringLiteral("Rq");
        bool ok = false;
        const QString* status = rs.Attribute(u"statusCode");
        if (status)
            r.StatusCode = status->toInt(&ok);
        if (!ok)
            throw unreadable(QStringLiteral("%1 has no numeric statusCode").arg(rs.name));
        if (const QString* severity = rs.Attribute(u"statusSeverity"))
            r.StatusSeverity = *severity;
        if (const QString* message = rs.Attribute(u"statusMessage"))
            r.StatusMessage = *message;
        RetList list = EmptyRetList(r.RequestName);
        const QString recordElement = RecordElement(r.RequestName);
        bool any = false;
        std::visit(
            [&](auto& records) {
                using Rec = typename std::decay_t<decltype(records)>::value_type;
                for (const Node& c : rs.children) {
                    Rec rec{};
                    if constexpr (std::is_same_v<Rec, ItemRet>) {
                        auto kind = ItemKindFromElement(c.name.toString());
                        if (!kind)
                            continue;
                        rec.ortype = *kind;
                    } else if (c.name != recordElement) {
                        continue;
                    }
                    ReadRecord reader{c};
                    rec.Visit(reader);
                    records.push_back(std::move(rec));
                    any = true;
                }
            },
            list);
        if (any)
            r.Detail = std::move(list);
        set.ResponseList.push_back(std::move(r));
    }
    return set;
}

}  // namespace tw::qb
