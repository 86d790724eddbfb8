#include "reports/pageformatcode.h"

#include "platform/db/table.h"

namespace tw::reports {

int DerivePageFormatCode(int sizeIndex, int orientationIndex, int previousCode)
{
    if (sizeIndex < 0 || sizeIndex > 2)
        return previousCode;
    return 2 * sizeIndex + (orientationIndex != 0 ? 1 : 0);
}

bool StorePageFormat(db::Table& params, int sizeIndex, int orientationIndex)
{
    if (!params.active())
        return false;
    params.first();
    if (params.eof())
        return false;
    params.edit();
    params.fieldByName("PAPERSZ").setAsInteger(sizeIndex);
    params.fieldByName("PAPERO").setAsInteger(orientationIndex);
    params.post();
    return true;
}

}  // namespace tw::reports
