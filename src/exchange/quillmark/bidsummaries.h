#pragma once
// The bid's section summaries in the Quillmark database: hourssum.DBF holds
// one row per labour rate of a bid, matssum.DBF one row per estimate section
// with its materials amount, labour amount and labour hours. The bid import
// rebuilds them and then makes one task per matssum row.
//
// Quillmark reads these tables too, so the rebuild (the bid's old rows
// deleted, the new rows, the SECTION of wo2 records) reaches the files as one
// write batch: a failure or a crash leaves the bid's old summaries whole.

#include <cstdint>

#include "data/currency.h"
#include "data/recordkeys.h"
#include "exchange/exchangeservices.h"
#include "exchange/quillmark/quillmarktables.h"

namespace tw::exchange::quillmark {

// Estimate line values are single-precision floats; an amount is the float
// made fixed point with halves going to the even count.
Currency FixedFromSingle(double value);

// The fields of one estimate part line that price it.
struct PartLine {
    int Type = 0;
    float Qty = 0, Feet = 0, Inches = 0, Meters = 0, WeightPer = 0, Price = 0;
};

// The materials amount of a part line: by length (feet and inches) or by
// metres, with or without weight, or quantity times price for other types.
Currency MaterialsAmount(const PartLine& line);

// The labour hours of a line (quantity times hours) and their amount at the
// line's rate (a truncated fixed-point product).
struct LabourAmount {
    Currency Hours;
    Currency Amount;
};
LabourAmount LabourOfLine(float qty, float hours, float rate);

// Narrows ProjectsTable3 to the projects linked to the bid in iproj.dbf and
// returns how many there are; 0 and nothing changed when a table is closed.
int FindBidProject(QuillmarkTables& tables, ExchangeBusyHooks& busy, std::int32_t bidId);

// Rebuilds the bid's rows of hourssum.DBF and matssum.DBF and writes the
// SECTION of the wo2 records of its lines, all in one write batch. Throws the
// engine's error when the batch cannot be written; nothing of it is then.
void SummariseBidSections(QuillmarkTables& tables, ExchangeBusyHooks& busy, data::RecordKeys& keys,
                          std::int32_t bidId);

}  // namespace tw::exchange::quillmark
