#pragma once
// Pieces the four reports share: the company line of the footer, the
// customer's address block of the header, the page footer, money and hours
// texts, the labour charge, and the resources of the tasks read once per run.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <QString>

#include "reports/bandwriter.h"
#include "reports/reportinputs.h"

namespace tw::reports {

// Money: currency values scaled by 10,000, as the tables' rates are.
using Money = std::int64_t;
Money ToMoney(double amount);
// hours × rate to four decimals: round(hours × 10,000) × rate / 10,000,
// the remainder dropped.
Money LaborCharge(float hours, Money rate);
// The locale's currency text with two decimals, no surrounding blanks.
QString MoneyText(Money amount);
// Hours with two decimals, no surrounding blanks.
QString HoursText(double hours);
QString Trimmed(const std::string& text);

// The letterhead line from the company record: company, address, city,
// state and phone, each after two blanks (address lines joined the same way).
QString CompanyLine(db::Table& myCompany);

// The single-customer test: the report heads its pages with the current
// customer's address only when no restriction other than the customer is
// ticked, "Show all" is not, and no custom-field search is in force.
bool ForOneCustomer(const SelectionState& selection);

struct AddressBlock {
    QString Contact;  // CustomerAddr1
    QString Street;   // CustomerAddr2
    QString City;     // CustomerAddr3
};
AddressBlock CustomerAddress(db::Table& customers, const SelectionState& selection);

// The header's title, address lines and first rule, shared by every report.
void AddTitleBlock(Band& band, const TextMeasure& measure, double width, const QString& title,
                   const AddressBlock& address);
// The page footer: a rule, the company line, "Page n" five units before the
// right-aligned "of  N".
Band PageFooterBand(const TextMeasure& measure, double width, const QString& company, int pageNumber,
                    const QString& pageOf);

// The resources of the tasks, read in one pass over the assignment rows and
// the resources: what the resource lines under a task print.
class ResourceDirectory {
public:
    struct Resource {
        std::int32_t Id = 0;
        QString Description;
        QString Notes;
        Money Rate = 0;
        int Rank = 0;  // place in the resources' description order
    };
    ResourceDirectory(db::Table& assignments, db::Table& resources);
    // Assigned resources of a task, in description order, each once.
    std::vector<const Resource*> ResourcesOf(std::int32_t chartsId) const;
    // Every assignment row's resource of the task, in the rows' order.
    const std::vector<std::int32_t>& AssignmentsOf(std::int32_t chartsId) const;
    const Resource* Find(std::int32_t id) const;

private:
    std::map<std::int32_t, std::vector<std::int32_t>> assignments_;
    std::map<std::int32_t, Resource> resources_;
};

// Walks a table from its first record; the table's filter and index stay.
template <typename F>
void ForEachRecord(db::Table& table, F&& f)
{
    for (table.first(); !table.eof(); table.next())
        f();
}

}  // namespace tw::reports
