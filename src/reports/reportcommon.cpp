#include "reports/reportcommon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/services/estimatedata.h"
#include "data/textroutines.h"

namespace tw::reports {

Money ToMoney(double amount)
{
    return static_cast<Money>(std::llround(amount * 10000.0));
}

Money LaborCharge(float hours, Money rate)
{
    const Money scaledHours = static_cast<Money>(std::llround(static_cast<double>(hours) * 10000.0));
    return scaledHours * rate / 10000;
}

QString MoneyText(Money amount)
{
    return QString::fromStdString(data::MoneyText(static_cast<double>(amount) / 10000.0));
}

QString HoursText(double hours)
{
    char text[64];
    std::snprintf(text, sizeof text, "%15.2f", hours);
    return QString::fromLatin1(text).trimmed();
}

QString Trimmed(const std::string& text)
{
    return QString::fromStdString(data::TrimBlanks(text));
}

namespace {

QString FieldText(db::Table& table, const char* name)
{
    auto field = table.findField(name);
    return field ? Trimmed(field->asString()) : QString();
}

QString JoinNonEmpty(const QString& a, const QString& b, const QString& separator)
{
    if (!a.isEmpty() && !b.isEmpty())
        return a + separator + b;
    return a.isEmpty() ? b : a;
}

}  // namespace

QString CompanyLine(db::Table& myCompany)
{
    if (!myCompany.active() || myCompany.isEmpty())
        return QString();
    const QString two = QStringLiteral("  ");
    const QString address =
        JoinNonEmpty(FieldText(myCompany, "MYADDR1"), FieldText(myCompany, "MYADDR2"), two);
    return FieldText(myCompany, "MYCOMPY") + two + address + two + FieldText(myCompany, "MYCITY") + two
        + FieldText(myCompany, "MYSTATE") + two + FieldText(myCompany, "MYPHONE");
}

bool ForOneCustomer(const SelectionState& s)
{
    if (s.RestrictToActive)
        return false;
    const bool otherRestriction = s.RestrictTasksToCrew || s.RestrictByDate || s.RestrictToSelectedStatus;
    if (otherRestriction && !s.RestrictToCustomer)
        return false;
    return !(s.CustomerSearchActive || s.ResourceSearchActive || s.TaskSearchActive);
}

AddressBlock CustomerAddress(db::Table& customers, const SelectionState& selection)
{
    AddressBlock block;
    if (!ForOneCustomer(selection) || !customers.active() || customers.eof() || customers.isEmpty())
        return block;
    const bool alt = customers.fieldByName("USEALT").asBoolean();
    auto f = [&](const char* main, const char* other) { return FieldText(customers, alt ? other : main); };
    const QString contact = f("CONTACT1", "CONTACT2"), street1 = f("ADDR1", "ADDR3"),
                  street2 = f("ADDR2", "ADDR4"), phone = f("PHONE1", "PHONE2"), fax = f("FAX", "FAX2"),
                  email = f("EMAIL1", "EMAIL2"), city = f("CITY", "CITY2"), state = f("STATE", "STATE2"),
                  country = f("COUNTRY", "COUNTRY2"), postal = f("POSTAL", "POSTAL2");

    QStringList parts;
    if (!contact.isEmpty())
        parts << QStringLiteral("Contact: ") + contact;
    if (!phone.isEmpty())
        parts << QStringLiteral("Phone: ") + phone;
    if (!fax.isEmpty())
        parts << QStringLiteral("Fax: ") + fax;
    if (!email.isEmpty())
        parts << QStringLiteral("E-Mail: ") + email;
    block.Contact = parts.join(QStringLiteral("   "));
    block.Street = JoinNonEmpty(street1, street2, QStringLiteral(", "));
    const QString cityState = !city.isEmpty() && !state.isEmpty() ? city + QStringLiteral(",  ") + state
                                                                  : city + QStringLiteral("  ") + state;
    block.City = cityState + QStringLiteral("  ") + postal + QStringLiteral("  ") + country;
    return block;
}

void AddTitleBlock(Band& band, const TextMeasure& m, double width, const QString& title,
                   const AddressBlock& a)
{
    band.Label(m, QStringLiteral("ProjectDesc"), 0, 0, width, 20, title, {10, true, true}, Qt::AlignHCenter,
               true);
    band.Label(m, QStringLiteral("CustomerAddr1"), 0, 24, width, 17, a.Contact, {}, Qt::AlignHCenter);
    band.Label(m, QStringLiteral("CustomerAddr2"), 0, 42, width, 17, a.Street, {10, true}, Qt::AlignHCenter);
    // The city line's parts keep their blanks; only its ends are trimmed.
    band.Label(m, QStringLiteral("CustomerAddr3"), 0, 60, width, 17, a.City.trimmed(), {10, true},
               Qt::AlignHCenter);
    band.Line(QStringLiteral("TopLine1"), 0, 94, width, 2);
}

Band PageFooterBand(const TextMeasure& m, double width, const QString& company, int pageNumber,
                    const QString& pageOf)
{
    Band band;
    band.Line(QStringLiteral("BottomLine"), 0, 1, width);
    band.AutoLabel(m, QStringLiteral("MyCompany"), 0, 8, company, {10, true, true});
    const double ofWidth = std::ceil(m.Width(pageOf, {}));
    band.Label(m, QStringLiteral("PageOf"), width - ofWidth, 8, ofWidth, m.LineHeight({}), pageOf, {},
               Qt::AlignRight | Qt::AlignTop);
    const QString number = QStringLiteral("Page ") + QString::number(pageNumber);
    const double numberWidth = std::ceil(m.Width(number, {}));
    band.Label(m, QStringLiteral("PageNumber"), width - ofWidth - numberWidth - 5, 8, numberWidth,
               m.LineHeight({}), number);
    band.Height = 28;
    return band;
}

ResourceDirectory::ResourceDirectory(db::Table& assignments, db::Table& resources)
{
    if (assignments.active()) {
        db::Field chartsId = assignments.fieldByName("CHARTSID"), crewId = assignments.fieldByName("CREWID");
        ForEachRecord(assignments, [&] {
            assignments_[static_cast<std::int32_t>(chartsId.asFloat())].push_back(
                static_cast<std::int32_t>(crewId.asFloat()));
        });
    }
    if (resources.active()) {
        db::Field id = resources.fieldByName("CREWID"), desc = resources.fieldByName("DESC"),
                  notes = resources.fieldByName("NOTES"), rate = resources.fieldByName("RATE");
        int rank = 0;
        ForEachRecord(resources, [&] {
            Resource r;
            r.Id = static_cast<std::int32_t>(id.asFloat());
            r.Description = Trimmed(desc.asString());
            r.Notes = Trimmed(notes.asString());
            r.Rate = ToMoney(rate.asCurrency());
            r.Rank = rank++;
            resources_.emplace(r.Id, r);
        });
    }
}

std::vector<const ResourceDirectory::Resource*> ResourceDirectory::ResourcesOf(std::int32_t chartsId) const
{
    std::vector<const Resource*> list;
    for (std::int32_t id : AssignmentsOf(chartsId)) {
        const Resource* r = Find(id);
        if (r && std::find(list.begin(), list.end(), r) == list.end())
            list.push_back(r);
    }
    std::sort(list.begin(), list.end(),
              [](const Resource* a, const Resource* b) { return a->Rank < b->Rank; });
    return list;
}

const std::vector<std::int32_t>& ResourceDirectory::AssignmentsOf(std::int32_t chartsId) const
{
    static const std::vector<std::int32_t> none;
    const auto found = assignments_.find(chartsId);
    return found == assignments_.end() ? none : found->second;
}

const ResourceDirectory::Resource* ResourceDirectory::Find(std::int32_t id) const
{
    const auto found = resources_.find(id);
    return found == resources_.end() ? nullptr : &found->second;
}

}  // namespace tw::reports
