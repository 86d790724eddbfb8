#include "exchange/qb/sessionfactory.h"

#include "platform/registry/registry.h"

namespace tw::qb {

std::unique_ptr<SessionManager> CreateSessionManager(registry::TRegistry& registry)
{
    registry.SetRootKey(registry::RootKey::LocalMachine);
    if (!registry.OpenKeyReadOnly(kLinkKey))
        return nullptr;
    const std::string link = registry.ReadString(kLinkValue);
    LocalSessionManager::Options options;
    options.openCompany = QString::fromStdString(registry.ReadString(kOpenCompanyValue));
    registry.CloseKey();
    if (link == "local")
        options.mode = LinkMode::Typed;
    else if (link == "local-xml")
        options.mode = LinkMode::Xml;
    else
        return nullptr;
    return std::make_unique<LocalSessionManager>(std::move(options));
}

}  // namespace tw::qb
