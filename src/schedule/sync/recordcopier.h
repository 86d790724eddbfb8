#pragma once
// Copies one schedule record between the working copy and the shared tables,
// field by field by name, each through the accessor of its kind, and tells
// whether the target already holds what a copy would write.
//
// The synchronisation writes tens of thousands of records on every push;
// comparing first keeps an unchanged record from being rewritten, and above
// all keeps an unchanged memo from being written into fresh blocks of the
// memo file (a memo is never overwritten in place).

#include <vector>

#include "platform/db/table.h"

namespace tw::schedule {

class RecordCopier {
public:
    enum class Kind {
        Whole,  // a whole number; fractions are lost
        Float,
        Single,    // the change counter: rounded to single precision
        Currency,  // four decimal places
        Date,
        Logical,
        Text,
        Memo,
        Zero,     // written 0, whatever the source holds
        Generic,  // by the source field's own type; a blank stays blank
    };
    struct FieldCopy {
        int from = -1;  // -1 for Zero
        int to = -1;
        Kind kind = Kind::Generic;
        // Both fields are defined alike and the kind writes the value as it
        // reads it: equal stored bytes mean the target holds what the copy
        // would write, without decoding either.
        bool byBytes = false;
    };

    // A schedule item from Charts.DBF into ICharts.DBF: RESOURCE is left as
    // the shared record has it, UPDATE goes over as it is.
    static RecordCopier ChartToShared(db::Table& working, db::Table& shared);
    // A schedule item from ICharts.DBF into Charts.DBF: PTR and RESOURCE
    // become 0 (they name this workstation's bar and row), UPDATE is written
    // in single precision, S2 stays.
    static RecordCopier ChartToLocal(db::Table& shared, db::Table& working);
    // A task-list record: every field the target also has, by the source's
    // type; a field the target cannot hold is skipped. With singleUpdate the
    // change counter goes over in single precision (a pull).
    static RecordCopier TaskList(db::Table& source, db::Table& target, bool singleUpdate);

    // True when the target's current record holds what Copy would write.
    // besidesZeroed: the fields Copy writes 0 into are not compared.
    bool Same(db::Table& source, db::Table& target, bool besidesZeroed = false) const;
    // Writes into the target's current record, which the caller has put into
    // edit or append state; does not post. A memo that is already equal is
    // not written again.
    void Copy(db::Table& source, db::Table& target) const;

    const std::vector<FieldCopy>& Fields() const { return fields_; }

private:
    // Marks the fields whose stored bytes may be compared (FieldCopy::byBytes).
    void CompareBytesWherePossible(db::Table& source, db::Table& target);

    std::vector<FieldCopy> fields_;
    bool lenient_ = false;
};

}  // namespace tw::schedule
