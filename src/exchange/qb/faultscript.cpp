#include "exchange/qb/faultscript.h"

#include <QJsonObject>

namespace tw::qb {
namespace {

std::optional<std::uint32_t> CodeFrom(const QJsonValue& v)
{
    if (v.isDouble())
        return static_cast<std::uint32_t>(v.toDouble());
    QString t = v.toString();
    bool ok = false;
    std::uint32_t c = t.startsWith(u"0x") || t.startsWith(u"0X") ? t.mid(2).toUInt(&ok, 16) : t.toUInt(&ok);
    return ok ? std::optional<std::uint32_t>(c) : std::nullopt;
}

QString CodeText(std::uint32_t code)
{
    return QStringLiteral("0x") + QString::number(code, 16).toUpper();
}

}  // namespace

std::optional<Fault> FaultScript::Take(Fault::Kind kind, const QString& call)
{
    return TakeAny({kind}, call);
}

std::optional<Fault> FaultScript::TakeAny(std::initializer_list<Fault::Kind> kinds, const QString& call)
{
    for (Entry& e : faults_) {
        if (e.used || e.fault.call != call)
            continue;
        for (Fault::Kind k : kinds)
            if (e.fault.kind == k) {
                e.used = true;
                return e.fault;
            }
    }
    return std::nullopt;
}

bool FaultScript::Empty() const
{
    for (const Entry& e : faults_)
        if (!e.used)
            return false;
    return true;
}

std::optional<FaultScript> FaultScript::FromJson(const QJsonArray& array, QString* error)
{
    FaultScript script;
    int index = 0;
    for (const QJsonValue& v : array) {
        const QJsonObject o = v.toObject();
        Fault f;
        auto bad = [&](const QString& why) {
            if (error)
                *error = QStringLiteral("fault %1: %2").arg(index).arg(why);
            return std::nullopt;
        };
        if (o.contains(u"request")) {
            f.kind = Fault::Kind::Status;
            f.call = o.value(u"request").toString();
            if (!o.value(u"status").isDouble())
                return bad(QStringLiteral("a request fault needs a numeric status"));
            f.status = o.value(u"status").toInt();
            f.message = o.value(u"message").toString();
        } else {
            f.call = o.value(u"call").toString();
            if (f.call.isEmpty())
                return bad(QStringLiteral("names neither a call nor a request"));
            if (o.value(u"none").toBool()) {
                if (f.call == u"CreateMsgSetRequest")
                    f.kind = Fault::Kind::NoSet;
                else if (f.call == u"Append")
                    f.kind = Fault::Kind::NoAppend;
                else if (f.call == u"DoRequests")
                    f.kind = Fault::Kind::NoResponse;
                else
                    return bad(QStringLiteral("%1 cannot give none").arg(f.call));
            } else if (o.contains(u"versions")) {
                f.kind = Fault::Kind::Versions;
                for (const QJsonValue& s : o.value(u"versions").toArray())
                    f.versions << s.toString();
            } else if (o.contains(u"throw")) {
                f.kind = Fault::Kind::Throw;
                auto c = CodeFrom(o.value(u"throw"));
                if (!c)
                    return bad(QStringLiteral("the thrown code is not a number"));
                f.code = *c;
                f.message = o.value(u"message").toString();
            } else {
                f.kind = Fault::Kind::Code;
                auto c = CodeFrom(o.value(u"code"));
                if (!c)
                    return bad(QStringLiteral("the code is not a number"));
                f.code = *c;
            }
        }
        script.Add(std::move(f));
        ++index;
    }
    return script;
}

QJsonArray FaultScript::ToJson() const
{
    QJsonArray out;
    for (const Entry& e : faults_) {
        const Fault& f = e.fault;
        QJsonObject o;
        switch (f.kind) {
        case Fault::Kind::Status:
            o[u"request"] = f.call;
            o[u"status"] = f.status;
            o[u"message"] = f.message;
            break;
        case Fault::Kind::Code:
            o[u"call"] = f.call;
            o[u"code"] = CodeText(f.code);
            break;
        case Fault::Kind::Versions:
            o[u"call"] = f.call;
            o[u"versions"] = QJsonArray::fromStringList(f.versions);
            break;
        case Fault::Kind::Throw:
            o[u"call"] = f.call;
            o[u"throw"] = CodeText(f.code);
            o[u"message"] = f.message;
            break;
        case Fault::Kind::NoSet:
        case Fault::Kind::NoAppend:
        case Fault::Kind::NoResponse:
            o[u"call"] = f.call;
            o[u"none"] = true;
            break;
        }
        out.append(o);
    }
    return out;
}

}  // namespace tw::qb
