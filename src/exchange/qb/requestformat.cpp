#include "exchange/qb/requestformat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>
#include <mutex>

#include "exchange/qb/libraryerror.h"
#include "exchange/qb/valuetext.h"

namespace tw::qb {

extern const char* const kRequestFormatJson;

namespace {

QHash<QString, RequestRules> LoadRules()
{
    QHash<QString, RequestRules> all;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray(kRequestFormatJson)).object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!it->isObject() || !it->toObject().contains(u"order"))
            continue;
        const QJsonObject o = it->toObject();
        RequestRules r;
        r.name = it.key();
        r.wrapper = o.value(u"wrapper").toString();
        const QJsonObject types = o.value(u"types").toObject();
        const QJsonObject maxlen = o.value(u"maxlen").toObject();
        const QJsonObject since = o.value(u"since").toObject();
        const QJsonArray repeatable = o.value(u"repeatable").toArray();
        int position = 0;
        for (const QJsonValue& p : o.value(u"order").toArray()) {
            const QString path = p.toString();
            r.order.push_back(path);
            ElementRule e;
            e.position = position++;
            e.type = types.value(path).toString();
            e.maxLength = maxlen.value(path).toInt();
            e.since = since.value(path).toInt();
            e.repeatable = repeatable.contains(QJsonValue(path));
            r.elements.insert(path, e);
        }
        all.insert(r.name, std::move(r));
    }
    return all;
}

const QHash<QString, RequestRules>& AllRules()
{
    static const QHash<QString, RequestRules> rules = LoadRules();
    return rules;
}

QString Join(const QString& prefix, const char* name)
{
    return prefix.isEmpty() ? QString::fromLatin1(name) : prefix + u' ' + QLatin1String(name);
}

struct Flatten {
    FieldList& out;
    QString prefix;

    template <class T>
    void operator()(const char* name, T& member)
    {
        const QString path = Join(prefix, name);
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            if (!member)
                return;
            if constexpr (Record<Inner>) {
                Flatten sub{out, path};
                member->Visit(sub);
            } else {
                out.push_back({path, ValueText(*member)});
            }
        } else if constexpr (IsVector<T>::value) {
            for (auto& e : member) {
                if constexpr (Record<typename IsVector<T>::Inner>) {
                    Flatten sub{out, path};
                    e.Visit(sub);
                } else {
                    out.push_back({path, ValueText(e)});
                }
            }
        }
    }
};

}  // namespace

void RefuseRequest(const QString& text)
{
    throw LibraryError(QStringLiteral("DoRequests"), code::ParseError, text);
}

const RequestRules* RulesFor(const QString& requestName)
{
    const auto& all = AllRules();
    auto it = all.constFind(requestName);
    return it == all.constEnd() ? nullptr : &*it;
}

FieldList ToFields(const Request& request)
{
    FieldList out;
    std::visit(
        [&](const auto& r) {
            auto copy = r;  // Visit takes its members by reference for the readers' sake
            Flatten f{out, {}};
            copy.Visit(f);
        },
        request);
    return out;
}

FieldList InProductOrder(const QString& requestName, FieldList fields)
{
    const RequestRules* rules = RulesFor(requestName);
    if (!rules)
        RefuseRequest(QStringLiteral("%1 is not a request of this format").arg(requestName));
    std::vector<std::pair<int, Field>> keyed;
    keyed.reserve(fields.size());
    for (Field& f : fields) {
        const ElementRule* rule = rules->Rule(f.path);
        if (!rule)
            RefuseRequest(QStringLiteral("%1 has no element %2").arg(requestName, f.path));
        keyed.emplace_back(rule->position, std::move(f));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    FieldList out;
    out.reserve(keyed.size());
    for (auto& k : keyed)
        out.push_back(std::move(k.second));
    return out;
}

Request FromFields(const QString& requestName, const FieldList& fields)
{
    std::optional<Request> request = EmptyRequest(requestName);
    if (!request)
        RefuseRequest(QStringLiteral("%1 is not a request of this format").arg(requestName));
    std::map<QString, std::vector<QString>> values;
    for (const Field& f : fields)
        values[f.path].push_back(f.text);
    std::visit([&](auto& r) { ApplyFields(r, values, requestName); }, *request);
    if (!values.empty())
        RefuseRequest(QStringLiteral("%1 has no element %2").arg(requestName, values.begin()->first));
    return *request;
}

void CheckAgainstFormat(const QString& requestName, const FieldList& fields, int major, bool checkOrder)
{
    const RequestRules* rules = RulesFor(requestName);
    if (!rules)
        RefuseRequest(QStringLiteral("%1 is not a request of this format").arg(requestName));
    int last = -1;
    QString lastPath;
    for (const Field& f : fields) {
        const ElementRule* rule = rules->Rule(f.path);
        if (!rule)
            RefuseRequest(QStringLiteral("%1 has no element %2").arg(requestName, f.path));
        if (rule->since > major)
            RefuseRequest(QStringLiteral("%1 %2 needs qbXML %3.0; the request is %4.0")
                              .arg(requestName, f.path)
                              .arg(rule->since)
                              .arg(major));
        if (checkOrder) {
            if (rule->position < last || (rule->position == last && !rule->repeatable))
                RefuseRequest(QStringLiteral("%1: %2 stands after %3, out of the format's order")
                                  .arg(requestName, f.path, lastPath));
            last = rule->position;
            lastPath = f.path;
        }
    }
}

QString RequestName(const Request& request)
{
    static const char* const kNames[] = {"CustomerQueryRq",      "CustomerAddRq",    "CustomerModRq",
                                         "EmployeeQueryRq",      "ItemQueryRq",      "ItemServiceModRq",
                                         "ItemOtherChargeModRq", "DataExtDefQueryRq"};
    return QString::fromLatin1(kNames[request.index()]);
}

std::optional<Request> EmptyRequest(const QString& name)
{
    // Walk the alternatives in order so that the names above and the variant agree.
    std::optional<Request> found;
    auto tryOne = [&]<std::size_t I>(std::integral_constant<std::size_t, I>) {
        Request r{std::in_place_index<I>};
        if (!found && RequestName(r) == name)
            found = std::move(r);
    };
    [&]<std::size_t... I>(std::index_sequence<I...>)
    {
        (tryOne(std::integral_constant<std::size_t, I>{}), ...);
    }
    (std::make_index_sequence<std::variant_size_v<Request>>{});
    return found;
}

}  // namespace tw::qb
