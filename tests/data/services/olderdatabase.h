#pragma once
// A database written by an older release, for the tests and the benchmark of
// its first open: schedule tables in an older layout (a field since dropped)
// filled with records, and the real file system with every flush to disk
// counted.

#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "data/layouts/layouts.h"
#include "platform/db/fileio.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"

namespace tw::data::testing {

// The real file system with every flush to disk counted, file by file: a
// File::sync is one fdatasync, a folder sync one fsync of the folder.
class SyncCountingFs final : public db::FileSystem {
public:
    std::map<std::string, int> Syncs;
    int Total() const
    {
        int total = 0;
        for (const auto& [path, count] : Syncs)
            total += count;
        return total;
    }
    std::string Listing() const
    {
        std::ostringstream out;
        for (const auto& [path, count] : Syncs)
            out << count << "  " << path << "\n";
        return out.str();
    }

    std::unique_ptr<db::File> open(const std::string& p, db::OpenMode m) override
    {
        return std::make_unique<CountingFile>(db::RealFileSystem().open(p, m), *this);
    }
    bool exists(const std::string& p) override { return db::RealFileSystem().exists(p); }
    bool isDirectory(const std::string& p) override { return db::RealFileSystem().isDirectory(p); }
    std::vector<std::string> list(const std::string& f) override { return db::RealFileSystem().list(f); }
    void rename(const std::string& a, const std::string& b) override { db::RealFileSystem().rename(a, b); }
    void remove(const std::string& p) override { db::RealFileSystem().remove(p); }
    void syncFolder(const std::string& f) override
    {
        ++Syncs[f + "/"];
        db::RealFileSystem().syncFolder(f);
    }
    std::pair<std::uint64_t, std::uint64_t> identity(const std::string& p) override
    {
        return db::RealFileSystem().identity(p);
    }

private:
    class CountingFile final : public db::File {
    public:
        CountingFile(std::unique_ptr<db::File> inner, SyncCountingFs& fs)
            : File(inner->path()),
              inner_(std::move(inner)),
              fs_(fs)
        {}
        std::size_t readAt(std::uint64_t o, void* b, std::size_t n) override
        {
            return inner_->readAt(o, b, n);
        }
        void writeAt(std::uint64_t o, const void* b, std::size_t n) override { inner_->writeAt(o, b, n); }
        std::uint64_t size() override { return inner_->size(); }
        void truncate(std::uint64_t s) override { inner_->truncate(s); }
        void sync() override
        {
            ++fs_.Syncs[path()];
            inner_->sync();
        }
        bool lock(std::uint64_t o, std::uint64_t l, db::LockKind k, bool w) override
        {
            return inner_->lock(o, l, k, w);
        }
        void unlock(std::uint64_t o, std::uint64_t l) override { inner_->unlock(o, l); }
        bool writable() const override { return inner_->writable(); }
        std::pair<std::uint64_t, std::uint64_t> identity() override { return inner_->identity(); }

    private:
        std::unique_ptr<db::File> inner_;
        SyncCountingFs& fs_;
    };
};

// Writes the table `name` of the layout in an older layout (an extra field
// OLDFLAG), with `records` records: every number i + 1, every text the field
// name and i, resources 1 to `resources` in turn, no job rows.
inline void WriteOlder(const std::string& folder, Database database, const char* name, int records,
                       int resources = 5)
{
    const TableLayout* layout = FindLayout(database, name);
    if (!layout)
        throw std::runtime_error(std::string("no layout for ") + name);
    std::vector<db::FieldDef> fields = layout->fields;
    fields.push_back(MakeField("OLDFLAG", db::FieldType::Logical));
    db::CreateTable(folder, name, fields, layout->indexes, true);
    db::Table t;
    t.setFolder(folder);
    t.setTableName(name);
    t.open();
    db::WriteBatch batch;
    for (int i = 0; i < records; ++i) {
        t.append();
        for (int f = 0; f < t.fieldCount(); ++f) {
            db::Field field = t.field(f);
            if (field.type() == db::FieldType::Float)
                field.setAsFloat(i + 1);
            else if (field.type() == db::FieldType::Char)
                field.setAsString(field.name() + " " + std::to_string(i));
        }
        if (auto crew = t.findField("CREWID"))
            crew->setAsFloat(i % resources + 1);
        if (auto job = t.findField("JOB"))
            job->setAsBoolean(false);
        t.post();
    }
    batch.commit();
}

// The tables of a whole schedule database in their older layout: the
// resources, customers, jobs, the shared and the working copies of the
// schedule (`records` each). Opening them upgrades every one and rebuilds
// the assignment rows.
inline void WriteOlderDatabase(const std::string& program, const std::string& schedule, int records,
                               int resources = 5)
{
    WriteOlder(schedule, Database::Scheduler, "crews.dbf", resources, resources);
    for (const char* name : {"customers.dbf", "jobs.dbf", "ICharts.DBF", "ITasks.dbf"})
        WriteOlder(schedule, Database::Scheduler, name, records, resources);
    for (const char* name : {"Charts.DBF", "Tasks.DBF"})
        WriteOlder(program, Database::Parameters, name, records, resources);
}

}  // namespace tw::data::testing
