#include "exchange/qb/companyfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <cstdio>
#include <unistd.h>

#include "exchange/qb/valuetext.h"

namespace tw::qb {
namespace {

const QString kFormat = QStringLiteral("tarnwick-local-company");
constexpr int kFormatVersion = 1;
constexpr int kMaxNesting = 100;  // deeper customer hierarchies are damage, not data

struct JsonWrite {
    QJsonObject& out;
    template <class T> void operator()(const char* name, T& member)
    {
        const QString key = QString::fromLatin1(name);
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            if (!member)
                return;
            if constexpr (Record<Inner>) {
                QJsonObject sub;
                JsonWrite w{sub};
                member->Visit(w);
                out.insert(key, sub);
            } else if constexpr (std::is_same_v<Inner, bool>) {
                out.insert(key, *member);
            } else if constexpr (std::is_same_v<Inner, int>) {
                out.insert(key, *member);
            } else {
                out.insert(key, ValueText(*member));
            }
        } else if constexpr (IsVector<T>::value) {
            QJsonArray array;
            for (auto& e : member) {
                if constexpr (Record<typename IsVector<T>::Inner>) {
                    QJsonObject sub;
                    JsonWrite w{sub};
                    e.Visit(w);
                    array.append(sub);
                } else {
                    array.append(ValueText(e));
                }
            }
            if (!array.isEmpty())
                out.insert(key, array);
        }
    }
};

struct JsonRead {
    const QJsonObject& in;
    QString& error;
    QString where;

    template <class V> std::optional<V> Value(const QString& key, const QJsonValue& v)
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
            error = QStringLiteral("%1 %2 has a value of the wrong kind").arg(where, key);
        return out;
    }

    template <class T> void operator()(const char* name, T& member)
    {
        const QString key = QString::fromLatin1(name);
        auto it = in.constFind(key);
        if (it == in.constEnd() || !error.isEmpty())
            return;
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            if constexpr (Record<Inner>) {
                if (!it->isObject()) {
                    error = QStringLiteral("%1 %2 is not an object").arg(where, key);
                    return;
                }
                const QJsonObject sub = it->toObject();
                Inner rec{};
                JsonRead r{sub, error, where + u' ' + key};
                rec.Visit(r);
                member = std::move(rec);
            } else {
                member = Value<Inner>(key, *it);
            }
        } else if constexpr (IsVector<T>::value) {
            using Inner = typename IsVector<T>::Inner;
            if (!it->isArray()) {
                error = QStringLiteral("%1 %2 is not a list").arg(where, key);
                return;
            }
            for (const QJsonValue& e : it->toArray()) {
                if constexpr (Record<Inner>) {
                    if (!e.isObject()) {
                        error = QStringLiteral("%1 %2 holds an entry that is not an object").arg(where, key);
                        return;
                    }
                    const QJsonObject sub = e.toObject();
                    Inner rec{};
                    JsonRead r{sub, error, where + u' ' + key};
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

template <class Rec> QJsonArray WriteList(const std::vector<Rec>& list)
{
    QJsonArray array;
    for (Rec rec : list) {
        QJsonObject o;
        if constexpr (std::is_same_v<Rec, ItemRet>)
            o.insert(QStringLiteral("kind"), EnumWord(rec.ortype));
        JsonWrite w{o};
        rec.Visit(w);
        array.append(o);
    }
    return array;
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
    for (const QJsonValue& e : v.toArray()) {
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
        JsonRead r{o, error, QStringLiteral("%1 entry %2").arg(QLatin1String(key)).arg(index)};
        rec.Visit(r);
        if (!error.isEmpty())
            return false;
        list.push_back(std::move(rec));
        ++index;
    }
    return true;
}

// Identities and the hierarchy: what the product itself guarantees.
template <class Rec> bool CheckIdentities(const std::vector<Rec>& list, const char* what, QSet<QString>& ids,
                                          QString& error)
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
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("The company file %1 cannot be opened: %2").arg(path, f.errorString());
        return std::nullopt;
    }
    return Parse(f.readAll(), error);
}

std::optional<CompanyData> CompanyFile::Parse(const QByteArray& bytes, QString* error)
{
    QString why;
    auto fail = [&](const QString& reason) -> std::optional<CompanyData> {
        if (error)
            *error = QStringLiteral("The company file is damaged: %1").arg(reason);
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
        return fail(QStringLiteral("format version %1 is not known").arg(root.value(u"formatVersion").toInt()));
    CompanyData d;
    d.edition = root.value(u"edition").toString();
    if (d.edition != u"US" && d.edition != u"CA")
        return fail(QStringLiteral("the edition must be US or CA"));
    d.versions.clear();
    for (const QJsonValue& v : root.value(u"versions").toArray())
        d.versions << v.toString();
    const QJsonValue nextId = root.value(u"nextId");
    const QJsonValue nextSequence = root.value(u"nextSequence");
    if (!nextId.isDouble() || !nextSequence.isDouble() || nextId.toDouble() < 1 || nextSequence.toDouble() < 1 ||
        nextId.toDouble() > 1e12 || nextSequence.toDouble() > 1e12)
        return fail(QStringLiteral("nextId and nextSequence must be counts"));
    d.nextId = static_cast<qint64>(nextId.toDouble());
    d.nextSequence = static_cast<qint64>(nextSequence.toDouble());
    if (!ReadList(root, "customers", d.customers, why) || !ReadList(root, "employees", d.employees, why) ||
        !ReadList(root, "customFields", d.customFields, why) || !ReadList(root, "items", d.items, why))
        return fail(why);
    QSet<QString> ids;
    if (!CheckIdentities(d.customers, "customer", ids, why) || !CheckIdentities(d.employees, "employee", ids, why) ||
        !CheckIdentities(d.items, "item", ids, why) || !CheckHierarchy(d.customers, why))
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

QByteArray CompanyFile::Serialize(const CompanyData& d)
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormat);
    root.insert(QStringLiteral("formatVersion"), kFormatVersion);
    root.insert(QStringLiteral("edition"), d.edition);
    root.insert(QStringLiteral("versions"), QJsonArray::fromStringList(d.versions));
    root.insert(QStringLiteral("nextId"), static_cast<double>(d.nextId));
    root.insert(QStringLiteral("nextSequence"), static_cast<double>(d.nextSequence));
    root.insert(QStringLiteral("customers"), WriteList(d.customers));
    root.insert(QStringLiteral("employees"), WriteList(d.employees));
    root.insert(QStringLiteral("customFields"), WriteList(d.customFields));
    root.insert(QStringLiteral("items"), WriteList(d.items));
    if (!d.faults.Empty())
        root.insert(QStringLiteral("faults"), d.faults.ToJson());
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
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
