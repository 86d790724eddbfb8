#pragma once
// The local company: one JSON file (extension .qbw, so that the setup page's
// search finds it) that answers as the accounting product would. It holds
// the product's edition and the qbXML versions it supports, customers with
// their jobs and sub-jobs, employees with their earnings, custom-field
// definitions and values, items of every kind, and optionally a fault script.
//
//   {"format": "tarnwick-local-company", "formatVersion": 1,
//    "edition": "US", "versions": ["1.0", "2.0", "3.0"], "nextId": 12, "nextSequence": 40,
//    "customers": [{"ListID": "80000001-1200000000", "EditSequence": "1200000001",
//                   "Name": "Ashdown", "ParentRef": {"ListID": "..."}, "JobStatus": "Awarded", ...}],
//    "employees": [...], "customFields": [...], "items": [{"kind": "Service", ...}], "faults": [...]}
//
// Records are stored with the product's element names. A customer names its
// parent by ListID only; full names and levels follow from the hierarchy, so
// a rename reaches every descendant. Every change is saved at once through a
// temporary file renamed into place: a failed save leaves the file as it was.

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "exchange/qb/faultscript.h"
#include "exchange/qb/responses.h"

namespace tw::qb {

struct CompanyData {
    QString edition = QStringLiteral("US");  // "US" or "CA"
    QStringList versions{QStringLiteral("1.0"), QStringLiteral("2.0"), QStringLiteral("3.0")};
    qint64 nextId = 1;
    qint64 nextSequence = 1;
    std::vector<CustomerRet> customers;  // FullName, Sublevel and ParentRef FullName are not kept
    std::vector<EmployeeRet> employees;
    std::vector<DataExtDefRet> customFields;
    std::vector<ItemRet> items;
    FaultScript faults;
};

// Writes bytes to a new file at path (the temporary file of a save); false
// with a reason when it could not. Tests put a full disk in its place.
using CompanyFileWriter = std::function<bool(const QString& path, const QByteArray& bytes, QString* error)>;
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error);

class CompanyFile {
public:
    // The file's content; nothing, with a reason, for a file that is missing,
    // unreadable or damaged in any way (never a crash: the reader is a fuzz target).
    static std::optional<CompanyData> Read(const QString& path, QString* error);
    static std::optional<CompanyData> Parse(const QByteArray& bytes, QString* error);
    static QByteArray Serialize(const CompanyData& data);
    // Atomically replaces the file; false with a reason, the file unchanged.
    static bool Save(const QString& path, const CompanyData& data, QString* error,
                     const CompanyFileWriter& writer = WriteWholeFile);

    // The next identities, as the product hands them out (deterministic).
    static QString NewListID(CompanyData& data);
    static QString NewEditSequence(CompanyData& data);
};

}  // namespace tw::qb
