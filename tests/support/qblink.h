#pragma once
// Points the program's accounting link at a local company file, as the
// product having that file open: the registry's "QB link" and "QB open company".

#include <QString>

#include "exchange/qb/sessionfactory.h"
#include "platform/registry/registry.h"

namespace tw::test {

// False when the registry could not be written.
inline bool LinkLocalCompany(const QString& companyFile)
{
    registry::TRegistry reg;
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (!reg.OpenKey(qb::kLinkKey, true))
        return false;
    reg.WriteString(qb::kLinkValue, "local");
    reg.WriteString(qb::kOpenCompanyValue, companyFile.toStdString());
    reg.CloseKey();
    return true;
}

}  // namespace tw::test
