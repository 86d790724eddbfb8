#pragma once
// Scripted faults of the local company, so that every failure the product can
// show is reachable: a result code for a session call, a versions list, a
// status and message for a request kind, a thrown error, no request set, an
// append that gives none, no response set. Each fault is used once; a call
// takes the first fault still unused that applies to it, so faults of one
// call are consumed in the order given.
//
// A company file may carry a script ("faults", the JSON form below); tests
// build one with tests/support/qbfaults.h.
//   {"call": "OpenConnection", "code": "0x80040418"}
//   {"call": "QBXMLVersionsForSession", "versions": ["2.0"]}
//   {"request": "CustomerQueryRq", "status": 500, "message": "..."}
//   {"call": "DoRequests", "throw": "0x80040400", "message": "..."}
//   {"call": "CreateMsgSetRequest", "none": true}
//   {"call": "Append", "none": true}
//   {"call": "DoRequests", "none": true}

#include <QJsonArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace tw::qb {

struct Fault {
    enum class Kind { Code, Versions, Status, Throw, NoSet, NoAppend, NoResponse };
    Kind kind = Kind::Code;
    QString call;            // the session call, or the request kind for Status
    std::uint32_t code = 0;  // Code and Throw
    QStringList versions;    // Versions
    int status = 0;          // Status
    QString message;         // Status and Throw
};

class FaultScript {
public:
    void Add(Fault f) { faults_.push_back({std::move(f), false}); }
    // The other script's unused faults, after this one's.
    void Append(const FaultScript& other)
    {
        for (const Entry& e : other.faults_)
            if (!e.used)
                faults_.push_back(e);
    }
    // The first unused fault of that kind for that call, now used.
    std::optional<Fault> Take(Fault::Kind kind, const QString& call);
    // The first unused fault of any of the kinds for that call, now used.
    std::optional<Fault> TakeAny(std::initializer_list<Fault::Kind> kinds, const QString& call);
    bool Empty() const;

    // The JSON form; false with a reason for an entry it does not understand.
    static std::optional<FaultScript> FromJson(const QJsonArray& array, QString* error);
    QJsonArray ToJson() const;

private:
    struct Entry {
        Fault fault;
        bool used;
    };
    std::vector<Entry> faults_;
};

}  // namespace tw::qb
