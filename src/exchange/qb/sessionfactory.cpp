#include "exchange/qb/sessionfactory.h"

#include "platform/registry/registry.h"

namespace tw::qb {

std::unique_ptr<SessionManager> CreateSessionManager(registry::TRegistry& registry)
{
    const registry::RootKey root = registry.GetRootKey();
    registry.SetRootKey(registry::RootKey::LocalMachine);
    std::string link, openCompany;
    if (registry.OpenKeyReadOnly(kLinkKey)) {
        link = registry.ReadString(kLinkValue);
        openCompany = registry.ReadString(kOpenCompanyValue);
        registry.CloseKey();
    }
    registry.SetRootKey(root);
    LocalSessionManager::Options options;
    options.openCompany = QString::fromStdString(openCompany);
    if (link == "local")
        options.mode = LinkMode::Typed;
    else if (link == "local-xml")
        options.mode = LinkMode::Xml;
    else
        return nullptr;
    return std::make_unique<LocalSessionManager>(std::move(options));
}

}  // namespace tw::qb
