#pragma once
// Splitting and cutting of customer, person and QuickBooks names. Every
// splitter works on its argument without leading and trailing blanks.

#include <string>
#include <string_view>

namespace tw::data {

// "Customer:Kitchen:Tiling" -> "Customer"; the whole text without a colon.
std::string TextBeforeColon(std::string_view text);
// The customer part of a QuickBooks full name; the same as TextBeforeColon.
std::string FullNameFirstPart(std::string_view text);
// "Customer:Kitchen:Tiling" -> "Kitchen"; the whole text when that part is
// empty ("Customer", "Customer:", "A::B").
std::string FullNameSecondPart(std::string_view text);

// The depth of a QuickBooks full name: its colons (0 customer, 1 job, 2 and
// more sub-jobs).
int FullNameLevel(std::string_view text);
// Everything after the n-th colon ("A:B:C:D", 2 -> "C:D"); the whole text when
// it has fewer than n colons, and for n = 0.
std::string FullNamePart(int n, std::string_view text);

// "Last, First" -> first "First", last "Last"; without a comma the whole text
// is the last name. Both parts lose their surrounding blanks, so that names
// are stored and looked up alike; further commas are dropped.
void SplitPersonName(std::string_view text, std::string& firstName, std::string& lastName);

// Splits at the first comma: before gets what stands ahead of it, after what
// follows with every further comma dropped ("A,B,C" gives "A" and "BC");
// nothing is trimmed. Without a comma before is the whole text.
void SplitAtComma(std::string_view text, std::string& after, std::string& before);

// QuickBooks takes names of at most 41 characters; longer ones are cut
// (never inside a multi-byte character).
std::string CutToQuickBooksName(std::string_view text);

}  // namespace tw::data
