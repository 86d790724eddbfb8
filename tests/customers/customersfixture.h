#pragma once
// A new installation with every table open, and helpers that put customers,
// resources, tasks and jobs into it.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "customers/customfieldrules.h"
#include "platform/datetime/localetexts.h"
#include "scratchinstallation.h"

namespace tw::customers::testing {

class CustomersTest : public ::testing::Test, protected data::testing::ScratchInstallation {
protected:
    void SetUp() override
    {
        tw::locale::PinLocale("en_US");
        ops_->OpenAllTables(true);
        ASSERT_TRUE(state_.TablesOpen);
        ASSERT_TRUE(ui_.Messages.empty()) << ui_.Messages.front().text;
        state_.FirstRun = false;
    }

    data::TEstimateData& D() { return *data_; }
    customers::CustomFieldTables FieldTables()
    {
        data::TEstimateData& d = D();
        return {d.CustomersTable,    d.CustomersTable2,    d.CrewsTable,
                d.CrewsTable2,       d.ChartsTable,        d.ChartsTable2,
                d.CustomFieldsTable, d.CustomFieldsTable2, d.CustomFieldsTable3};
    }

    std::int32_t AddCustomer(const std::string& last, const std::string& first = "", bool inactive = false)
    {
        db::Table& t = D().CustomersTable2;
        const std::int32_t cid = ++lastKey_;
        t.append();
        t.fieldByName("CID").setAsInteger(cid);
        t.fieldByName("LAST").setAsString(last);
        t.fieldByName("FIRST").setAsString(first);
        t.fieldByName("NAME").setAsString(first.empty() ? last : last + ", " + first);
        t.fieldByName("S1").setAsBoolean(inactive);
        t.post();
        D().CustomersTable.refresh();
        return cid;
    }

    std::int32_t AddResource(const std::string& desc)
    {
        db::Table& t = D().CrewsTable2;
        const std::int32_t id = ++lastKey_;
        t.append();
        t.fieldByName("CREWID").setAsInteger(id);
        t.fieldByName("DESC").setAsString(desc);
        t.post();
        D().CrewsTable.refresh();
        return id;
    }

    std::int32_t AddTask(const std::string& desc, std::int32_t cid = 0)
    {
        db::Table& t = D().ChartsTable2;
        const std::int32_t id = ++lastKey_;
        t.append();
        t.fieldByName("CHARTSID").setAsInteger(id);
        t.fieldByName("DESC").setAsString(desc);
        t.fieldByName("CID").setAsInteger(cid);
        t.fieldByName("UPDATE").setAsFloat(5);
        t.post();
        D().ChartsTable.refresh();
        return id;
    }

    std::int32_t AddJob(std::int32_t cid, const std::string& desc)
    {
        db::Table& t = D().JobsTable2;
        const std::int32_t id = ++lastKey_;
        t.append();
        t.fieldByName("JID").setAsInteger(id);
        t.fieldByName("CID").setAsInteger(cid);
        t.fieldByName("DESC").setAsString(desc);
        t.post();
        return id;
    }

    // One field of the record with that key, read through a fresh look-up.
    std::string FieldOf(db::Table& t, const char* keyField, std::int32_t key, const char* field)
    {
        t.refresh();
        if (!t.locate(keyField, db::Value(static_cast<double>(key))))
            return "<missing>";
        return t.fieldByName(field).asString();
    }
    bool BoolOf(db::Table& t, const char* keyField, std::int32_t key, const char* field)
    {
        t.refresh();
        return t.locate(keyField, db::Value(static_cast<double>(key))) && t.fieldByName(field).asBoolean();
    }

    void SetField(db::Table& t, const char* keyField, std::int32_t key, const char* field,
                  const std::string& v)
    {
        ASSERT_TRUE(t.locate(keyField, db::Value(static_cast<double>(key))));
        t.edit();
        t.fieldByName(field).setAsString(v);
        t.post();
    }

    std::int32_t lastKey_ = 1000;
};

}  // namespace tw::customers::testing
