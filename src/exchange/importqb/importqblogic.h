#pragma once
// "Import from QuickBooks" without its window: the customer-job list, the
// import of one or every listed job, the customers, the employees as
// resources, and the custom fields of both.
//
// The record imports write everything of one run in one write batch: a
// Stop or a failure part-way leaves the tables as they were.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "data/recordkeys.h"
#include "data/services/estimatedata.h"
#include "exchange/importqb/importqbview.h"
#include "exchange/qbsessionframe.h"

namespace tw::exchange {

inline constexpr int kCustomerFieldKind = 1;
inline constexpr int kResourceFieldKind = 2;

// Where the window's controls go at a client size (the window's own size
// raised to at least 800 by 550).
struct ImportQBLayout {
    int windowWidth = 0, windowHeight = 0;
    int jobPanelWidth = 0, jobPanelHeight = 0;
    int listWidth = 0, listHeight = 0;
    int importAllTop = 0, otherPanelTop = 0, doneTop = 0, statusBarTop = 0;
    // Index, Customer name, Job, Task desc, Job status, Start, Projected end, Level.
    std::array<int, 8> columns{};
};
// indexWidth: the Index column keeps the width it has.
ImportQBLayout FormResize(int width, int height, int indexWidth);

// "12.5" in the locale's form with up to four decimals, and back (nothing
// for a text that is not an amount).
QString RateText(Currency rate);
std::optional<Currency> RateFromText(const QString& text);

// The text trimmed and cut to the field's width; a character the table's
// code page cannot hold becomes '?'.
void SetFieldText(db::Field field, const QString& text);

// The labour cost of a job: the hours at four decimals (halves to even)
// times the rate, truncated toward zero.
Currency JobCost(float hours, Currency rate);

class ImportQBLogic {
public:
    ImportQBLogic(data::TEstimateData& data, data::RecordKeys& keys, const ImportQBHosts& hosts,
                  ImportQBView& view);

    // Shows the window, or only restores it when it is open.
    void Open(int helpLevel);
    void FormClose();
    bool IsOpen() const { return isOpen_; }

    // The customer-job list, Index being the position in it.
    const std::vector<QBJobRow>& Rows() const { return rows_; }

    // The buttons.
    void ShowQBCustomersClick();
    void ImportQBJobClick();
    void ImportAllQBJobsClick();
    void ImportCustomersClick();
    void ImportEmployeesClick();
    void ImportCustomerFieldsClick();
    void ImportEmployeeFieldsClick();

    // One row by its Index: true when a task was added or saved in the editor.
    bool ImportQBJob(int index, std::int32_t& newTaskKey, QString& customerListId);
    // The customers (all, or the one of that ListID); the number appended.
    int OpenQBSessionForCustomers(const QString& onlyListId);
    // The definitions of that owner kind created.
    int OpenQBSessionForFieldDefs(int kind);
    // The values by name into the CFVn columns of the record being written.
    void MapCustomField(int kind, const QStringList& names, const QStringList& values);

private:
    struct Stopped {};
    ExchangeServices Services();
    // "Import employee list" follows the edition, which a session's edition check may have just set.
    void FollowEdition();
    void ListQBCustomerJobs(QbSession& session);
    int ImportQBCustomers(QbSession& session, bool isUS, const QString& onlyListId);
    void ImportEmployees(QbSession& session, int& added, int& updated);
    int ImportQBFieldDefs(QbSession& session, int kind);
    bool ImportDatedJob(const QBJobRow& row, std::int32_t& newTaskKey);
    bool ImportUndatedJob(const QBJobRow& row);
    void ClearLists();

    data::TEstimateData& d_;
    data::RecordKeys& keys_;
    ImportQBHosts hosts_;
    ImportQBView& view_;
    bool isOpen_ = false;
    int helpLevel_ = 0;
    bool stopAll_ = false;  // a row refused in a way that ends "Import all"
    // While "Import all" adds a run of dated rows: the adds push nothing
    // themselves and leave the customer grid alone; the run pushes them at once.
    bool gathering_ = false;
    QString importedReport_;  // "<customer>:<job> imported" of the last dated import
    std::vector<QBJobRow> rows_;
};

}  // namespace tw::exchange
