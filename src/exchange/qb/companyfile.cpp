#include "exchange/qb/companyfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <fcntl.h>
#include <unistd.h>

#include "exchange/qb/requestformat.h"
#include "exchange/qb/valuetext.h"

namespace tw::qb {
namespace {

const QString kFormat = QStringLiteral("tarnwick-local-company");
constexpr int kFormatVersion = 1;
constexpr int kMaxNesting = 100;  // deeper customer hierarchies are damage, not data

// Writes the file's JSON text directly: a company of thousands of records is
// saved on every change, and building a document first would double the work.
class JsonText {
public:
    explicit JsonText(QByteArray& bytes) : out(bytes) {}
    QByteArray& out;
    int depth = 1;

    void Key(const char* name)
    {
        Separate();
        Raw("\"", 1);
        Raw(name, static_cast<qsizetype>(std::strlen(name)));
        Raw("\": ", 3);
    }
    // Appends within the reserved room: QByteArray's own appends go through a general insert.
    void Raw(const char* text, qsizetype length)
    {
        const qsizetype from = out.size();
        out.resize(from + length);
        std::memcpy(out.data() + from, text, static_cast<std::size_t>(length));
    }
    void String(const QString& value)
    {
        Raw("\"", 1);
        // Plain ASCII goes straight in; anything else through the UTF-8 encoder and the escapes.
        const qsizetype from = out.size();
        out.resize(from + value.size());
        char* dst = out.data() + from;
        bool plain = true;
        for (QChar c : value) {
            const char16_t u = c.unicode();
            if (u < 0x20 || u >= 0x80 || u == u'"' || u == u'\\') {
                plain = false;
                break;
            }
            *dst++ = static_cast<char>(u);
        }
        if (!plain) {
            out.truncate(from);
            Escaped(value.toUtf8());
        }
        Raw("\"", 1);
    }
    void Escaped(const QByteArray& utf8)
    {
        for (char ch : utf8) {
            const auto c = static_cast<unsigned char>(ch);
            if (c == '"' || c == '\\') {
                out += '\\';
                out += ch;
            } else if (c < 0x20) {
                static const char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else {
                out += ch;
            }
        }
    }
    void Open(char bracket)
    {
        Raw(&bracket, 1);
        first_.push_back(true);
        ++depth;
    }
    void Close(char bracket)
    {
        --depth;
        const bool empty = first_.back();
        first_.pop_back();
        if (!empty)
            NewLine();
        Raw(&bracket, 1);
    }
    // Before an array entry or an object member.
    void Separate()
    {
        if (!first_.empty()) {
            if (!first_.back())
                Raw(",", 1);
            first_.back() = false;
        }
        NewLine();
    }
    template <class Rec>
    void RecordValue(Rec& rec)
    {
        Open('{');
        rec.Visit(*this);
        Close('}');
    }

    template <class T>
    void operator()(const char* name, T& member)
    {
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            if (!member)
                return;
            Key(name);
            if constexpr (Record<Inner>)
                RecordValue(*member);
            else if constexpr (std::is_same_v<Inner, bool>)
                out += *member ? "true" : "false";
            else if constexpr (std::is_same_v<Inner, int>)
                out += QByteArray::number(*member);
            else if constexpr (std::is_same_v<Inner, QString>)
                String(*member);
            else
                String(ValueText(*member));
        } else if constexpr (IsVector<T>::value) {
            if (member.empty())
                return;
            Key(name);
            Open('[');
            for (auto& e : member) {
                Separate();
                if constexpr (Record<typename IsVector<T>::Inner>)
                    RecordValue(e);
                else
                    String(ValueText(e));
            }
            Close(']');
        }
    }

private:
    void NewLine()
    {
        static constexpr char kSpaces[] = "                                                                ";
        Raw("\n", 1);
        const qsizetype indent = depth > 1 ? std::min<qsizetype>((depth - 1) * 4, sizeof kSpaces - 1) : 0;
        Raw(kSpaces, indent);
    }
    std::vector<bool> first_;
};

struct JsonRead {
    // where: the record's place in the file, built only when there is an error to name it in.
    JsonRead(const QJsonObject& object, QString& error, std::function<QString()> where)
        : error(error),
          where(std::move(where))
    {
        // Once through the object: looking each member up in it would scan its keys every time.
        entries.reserve(static_cast<std::size_t>(object.size()));
        for (auto it = object.constBegin(); it != object.constEnd(); ++it)
            entries.emplace_back(it.key(), it.value());
    }

    std::vector<std::pair<QString, QJsonValue>> entries;
    std::size_t cursor = 0;  // written in visiting order, so usually the next entry
    QString& error;
    std::function<QString()> where;

    const QJsonValue* Find(QLatin1String key)
    {
        for (std::size_t i = cursor; i < entries.size(); ++i)
            if (entries[i].first == key) {
                cursor = i + 1;
                return &entries[i].second;
            }
        for (std::size_t i = 0; i < cursor && i < entries.size(); ++i)
            if (entries[i].first == key)
                return &entries[i].second;
        return nullptr;
    }

    template <class V>
    std::optional<V> Value(QLatin1String key, const QJsonValue& v)
    {
        std::optional<V> out;
        if constexpr (std::is_same_v<V, bool>) {
            if (v.isBool())
                out = v.toBool();
        } else if constexpr (std::is_same_v<V, int>) {
            if (v.isDouble() && v.toDouble() == static_cast<int>(v.toDouble()))
                out = static_cast<int>(v.toDouble());
        } else if (v.isString()) {
            out = ValueFromText<V>(v.toString());
        }
        if (!out && error.isEmpty())
            error = QStringLiteral("%1 %2 has a value of the wrong kind").arg(where(), key);
        return out;
    }

    template <class T>
    void operator()(const char* name, T& member)
    {
        const QLatin1String key(name);
        const QJsonValue* it = Find(key);
        if (!it || !error.isEmpty())
            return;
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            if constexpr (Record<Inner>) {
                if (!it->isObject()) {
                    error = QStringLiteral("%1 %2 is not an object").arg(where(), key);
                    return;
                }
                const QJsonObject sub = it->toObject();
                Inner rec{};
                JsonRead r{sub, error, [this, key] { return where() + u' ' + key; }};
                rec.Visit(r);
                member = std::move(rec);
            } else {
                member = Value<Inner>(key, *it);
            }
        } else if constexpr (IsVector<T>::value) {
            using Inner = typename IsVector<T>::Inner;
            if (!it->isArray()) {
                error = QStringLiteral("%1 %2 is not a list").arg(where(), key);
                return;
            }
            for (const QJsonValue& e : it->toArray()) {
                if constexpr (Record<Inner>) {
                    if (!e.isObject()) {
                        error =
                            QStringLiteral("%1 %2 holds an entry that is not an object").arg(where(), key);
                        return;
                    }
                    const QJsonObject sub = e.toObject();
                    Inner rec{};
                    JsonRead r{sub, error, [this, key] { return where() + u' ' + key; }};
                    rec.Visit(r);
                    member.push_back(std::move(rec));
                } else {
                    if (auto v = Value<Inner>(key, e))
                        member.push_back(*v);
                }
            }
        }
    }
};

template <class Rec>
void WriteList(JsonText& json, const char* key, const std::vector<Rec>& list)
{
    json.Key(key);
    json.Open('[');
    for (const Rec& rec : list) {
        json.Separate();
        json.Open('{');
        if constexpr (std::is_same_v<Rec, ItemRet>) {
            json.Key("kind");
            json.String(EnumWord(rec.ortype));
        }
        const_cast<Rec&>(rec).Visit(json);  // Visit lends its members; the writer only reads them
        json.Close('}');
    }
    json.Close(']');
}

template <class Rec>
bool ReadList(const QJsonObject& root, const char* key, std::vector<Rec>& list, QString& error)
{
    const QJsonValue v = root.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isArray()) {
        error = QStringLiteral("%1 is not a list").arg(QLatin1String(key));
        return false;
    }
    int index = 0;
    const QJsonArray array = v.toArray();
    list.reserve(static_cast<std::size_t>(array.size()));
    for (const QJsonValue& e : array) {
        if (!e.isObject()) {
            error = QStringLiteral("%1 entry %2 is not an object").arg(QLatin1String(key)).arg(index);
            return false;
        }
        const QJsonObject o = e.toObject();
        Rec rec{};
        if constexpr (std::is_same_v<Rec, ItemRet>) {
            auto kind = EnumFromWord<ENItemKind>(o.value(u"kind").toString());
            if (!kind) {
                error = QStringLiteral("items entry %1 has no known kind").arg(index);
                return false;
            }
            rec.ortype = *kind;
        }
        JsonRead r{o, error,
                   [key, index] { return QStringLiteral("%1 entry %2").arg(QLatin1String(key)).arg(index); }};
        rec.Visit(r);
        if (!error.isEmpty())
            return false;
        list.push_back(std::move(rec));
        ++index;
    }
    return true;
}

// Identities and the hierarchy: what the product itself guarantees.
template <class Rec>
bool CheckIdentities(const std::vector<Rec>& list, const char* what, QSet<QString>& ids, QString& error)
{
    for (const Rec& r : list) {
        if (!r.ListID || r.ListID->isEmpty() || r.ListID->size() > 25 || !r.EditSequence || !r.Name) {
            error = QStringLiteral("a %1 lacks its ListID, EditSequence or Name").arg(QLatin1String(what));
            return false;
        }
        if (ids.contains(*r.ListID)) {
            error = QStringLiteral("the ListID %1 is used twice").arg(*r.ListID);
            return false;
        }
        ids.insert(*r.ListID);
    }
    return true;
}

bool CheckHierarchy(const std::vector<CustomerRet>& customers, QString& error)
{
    QHash<QString, QString> parentOf;
    for (const CustomerRet& c : customers) {
        QString parent = c.ParentRef && c.ParentRef->ListID ? *c.ParentRef->ListID : QString();
        parentOf.insert(*c.ListID, parent);
    }
    for (const CustomerRet& c : customers) {
        QString at = parentOf.value(*c.ListID);
        int depth = 0;
        while (!at.isEmpty()) {
            if (!parentOf.contains(at)) {
                error = QStringLiteral("the parent %1 of %2 does not exist").arg(at, *c.Name);
                return false;
            }
            if (++depth > kMaxNesting) {
                error = QStringLiteral("the parents of %1 form a loop").arg(*c.Name);
                return false;
            }
            at = parentOf.value(at);
        }
    }
    return true;
}

// Texts longer than the product holds: no answer of the product carries one,
// so a file holding one is damaged. An element's longest length is the one the
// format gives it in the request that sets it (rules; element paths there may
// name the record's groups otherwise, renamed first), else the longest text
// the format takes anywhere.
class TextLengths {
public:
    TextLengths(const RequestRules* rules, std::function<QString(const QString&)> rename = {})
        : rules_(rules),
          rename_(std::move(rename))
    {}

    // False with the reason, naming the record (where) and the element, at the first text too long.
    template <class Rec>
    bool Check(Rec& record, const QString& where, QString& error)
    {
        where_ = where;
        error_ = &error;
        prefix_.clear();
        record.Visit(*this);
        return error.isEmpty();
    }

    template <class T>
    void operator()(const char* name, T& member)
    {
        if (!error_->isEmpty())
            return;
        const QString path =
            prefix_.isEmpty() ? QString::fromLatin1(name) : prefix_ + u' ' + QLatin1String(name);
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            if (!member)
                return;
            if constexpr (Record<Inner>)
                Within(path, *member);
            else if constexpr (std::is_same_v<Inner, QString>)
                Text(path, *member);
        } else if constexpr (IsVector<T>::value) {
            for (auto& e : member) {
                if constexpr (Record<typename IsVector<T>::Inner>)
                    Within(path, e);
                else if constexpr (std::is_same_v<typename IsVector<T>::Inner, QString>)
                    Text(path, e);
            }
        }
    }

private:
    template <class Rec>
    void Within(const QString& path, Rec& record)
    {
        const QString outer = prefix_;
        prefix_ = path;
        record.Visit(*this);
        prefix_ = outer;
    }
    void Text(const QString& path, const QString& text)
    {
        const ElementRule* rule = rules_ ? rules_->Rule(rename_ ? rename_(path) : path) : nullptr;
        const qsizetype longest = rule && rule->maxLength > 0 ? rule->maxLength : LongestAnywhere();
        if (text.size() > longest)
            *error_ = QStringLiteral("%1 %2 holds %3 characters, more than the %4 QuickBooks holds")
                          .arg(where_, path)
                          .arg(text.size())
                          .arg(longest);
    }
    static qsizetype LongestAnywhere()
    {
        static const qsizetype longest = [] {
            int most = 0;
            for (const char* request :
                 {"CustomerAddRq", "CustomerModRq", "ItemServiceModRq", "ItemOtherChargeModRq"})
                if (const RequestRules* rules = RulesFor(QString::fromLatin1(request)))
                    for (const ElementRule& rule : rules->elements)
                        most = std::max(most, rule.maxLength);
            return static_cast<qsizetype>(most);
        }();
        return longest;
    }

    const RequestRules* rules_;
    std::function<QString(const QString&)> rename_;
    QString where_, prefix_;
    QString* error_ = nullptr;
};

template <class Rec>
bool CheckTextLengths(std::vector<Rec>& list, const char* key, TextLengths lengths, QString& error)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!lengths.Check(list[i], QStringLiteral("%1 entry %2").arg(QLatin1String(key)).arg(i), error))
            return false;
    return true;
}

// The file's content, or what is damaged in it.
std::optional<CompanyData> ParseCompany(const QByteArray& bytes, QString& damage);

}  // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size() || !f.flush() || ::fsync(f.handle()) != 0) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

std::optional<CompanyData> CompanyFile::Read(const QString& path, QString* error)
{
    // The user set this file up once and may have forgotten it: the text names it.
    const auto unreadable = [&](const QString& reason) -> std::optional<CompanyData> {
        if (error)
            *error =
                QStringLiteral("The QuickBooks company file \"%1\" could not be read: %2").arg(path, reason);
        return std::nullopt;
    };
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return unreadable(f.errorString());
    QString damage;
    auto data = ParseCompany(f.readAll(), damage);
    if (!data)
        return unreadable(QStringLiteral("it is damaged (%1)").arg(damage));
    return data;
}

std::optional<CompanyData> CompanyFile::Parse(const QByteArray& bytes, QString* error)
{
    QString damage;
    auto data = ParseCompany(bytes, damage);
    if (!data && error)
        *error = QStringLiteral("The company file is damaged: %1").arg(damage);
    return data;
}

namespace {

std::optional<CompanyData> ParseCompany(const QByteArray& bytes, QString& damage)
{
    QString why;
    auto fail = [&](const QString& reason) -> std::optional<CompanyData> {
        damage = reason;
        return std::nullopt;
    };
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &pe);
    if (pe.error != QJsonParseError::NoError)
        return fail(pe.errorString());
    if (!doc.isObject())
        return fail(QStringLiteral("it is not a company"));
    const QJsonObject root = doc.object();
    if (root.value(u"format").toString() != kFormat)
        return fail(QStringLiteral("it is not a local company file"));
    if (root.value(u"formatVersion").toInt() != kFormatVersion)
        return fail(
            QStringLiteral("format version %1 is not known").arg(root.value(u"formatVersion").toInt()));
    CompanyData d;
    d.edition = root.value(u"edition").toString();
    if (d.edition != u"US" && d.edition != u"CA")
        return fail(QStringLiteral("the edition must be US or CA"));
    d.versions.clear();
    for (const QJsonValue& v : root.value(u"versions").toArray())
        d.versions << v.toString();
    const QJsonValue nextId = root.value(u"nextId");
    const QJsonValue nextSequence = root.value(u"nextSequence");
    if (!nextId.isDouble() || !nextSequence.isDouble() || nextId.toDouble() < 1 || nextSequence.toDouble() < 1
        || nextId.toDouble() > 1e12 || nextSequence.toDouble() > 1e12)
        return fail(QStringLiteral("nextId and nextSequence must be counts"));
    d.nextId = static_cast<qint64>(nextId.toDouble());
    d.nextSequence = static_cast<qint64>(nextSequence.toDouble());
    if (!ReadList(root, "customers", d.customers, why) || !ReadList(root, "employees", d.employees, why)
        || !ReadList(root, "customFields", d.customFields, why) || !ReadList(root, "items", d.items, why))
        return fail(why);
    QSet<QString> ids;
    if (!CheckIdentities(d.customers, "customer", ids, why)
        || !CheckIdentities(d.employees, "employee", ids, why) || !CheckIdentities(d.items, "item", ids, why)
        || !CheckHierarchy(d.customers, why))
        return fail(why);
    // An item's price groups are set by the modify's groups of the same form.
    const auto itemPath = [](const QString& path) {
        if (path.startsWith(u"SalesOrPurchase ") || path.startsWith(u"SalesAndPurchase "))
            return QString(path).insert(path.indexOf(u' '), QStringLiteral("Mod"));
        return path;
    };
    if (!CheckTextLengths(d.customers, "customers", TextLengths(RulesFor(QStringLiteral("CustomerAddRq"))),
                          why)
        || !CheckTextLengths(d.employees, "employees", TextLengths(nullptr), why)
        || !CheckTextLengths(d.customFields, "customFields", TextLengths(nullptr), why)
        || !CheckTextLengths(d.items, "items",
                             TextLengths(RulesFor(QStringLiteral("ItemServiceModRq")), itemPath), why))
        return fail(why);
    for (CustomerRet& c : d.customers) {
        // Derived from the hierarchy; a stored copy would go stale on a rename.
        c.FullName.reset();
        c.Sublevel.reset();
        if (c.ParentRef)
            c.ParentRef->FullName.reset();
    }
    if (root.contains(u"faults")) {
        auto faults = FaultScript::FromJson(root.value(u"faults").toArray(), &why);
        if (!faults)
            return fail(why);
        d.faults = std::move(*faults);
    }
    return d;
}

}  // namespace

QByteArray CompanyFile::Serialize(const CompanyData& d)
{
    QByteArray out;
    // About what a record takes, so that the text is not moved while it grows.
    out.reserve(static_cast<qsizetype>(
        4096 + 640 * (d.customers.size() + d.employees.size() + d.customFields.size() + d.items.size())));
    JsonText json(out);
    json.Open('{');
    json.Key("format");
    json.String(kFormat);
    json.Key("formatVersion");
    out += QByteArray::number(kFormatVersion);
    json.Key("edition");
    json.String(d.edition);
    json.Key("versions");
    json.Open('[');
    for (const QString& v : d.versions) {
        json.Separate();
        json.String(v);
    }
    json.Close(']');
    json.Key("nextId");
    out += QByteArray::number(d.nextId);
    json.Key("nextSequence");
    out += QByteArray::number(d.nextSequence);
    WriteList(json, "customers", d.customers);
    WriteList(json, "employees", d.employees);
    WriteList(json, "customFields", d.customFields);
    WriteList(json, "items", d.items);
    if (!d.faults.Empty()) {
        json.Key("faults");
        out += QJsonDocument(d.faults.ToJson()).toJson(QJsonDocument::Compact);
    }
    json.Close('}');
    out += '\n';
    return out;
}

bool CompanyFile::Save(const QString& path, const CompanyData& data, QString* error,
                       const CompanyFileWriter& writer)
{
    const QString temp = path + QStringLiteral(".saving");
    QString why;
    if (!writer(temp, Serialize(data), &why)) {
        QFile::remove(temp);
        if (error)
            *error = QStringLiteral("The company file %1 could not be saved: %2").arg(path, why);
        return false;
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temp);
        if (error)
            *error = QStringLiteral("The company file %1 could not be replaced").arg(path);
        return false;
    }
    // The rename itself lasts only once the folder is on disk.
    const int dir =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

QString CompanyFile::NewListID(CompanyData& data)
{
    // The product's shape: eight hex digits, a dash, a ten-digit stamp.
    const qint64 n = data.nextId++;
    return QStringLiteral("%1-1200000000").arg(0x80000000LL + n, 8, 16, QChar(u'0')).toUpper();
}

QString CompanyFile::NewEditSequence(CompanyData& data)
{
    return QString::number(1200000000LL + data.nextSequence++);
}

}  // namespace tw::qb
