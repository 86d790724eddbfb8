#pragma once
// Where the program finds its accounting link: the registry's values under
// HKEY_LOCAL_MACHINE "Software\Fernhollow\TarnwickX\7.0".
//   "QB link"          "local" (typed) or "local-xml" (the same company
//                      through the request format); anything else: no link.
//   "QB open company"  the company file the product has open, or empty.

#include <memory>

#include "exchange/qb/localsessionmanager.h"

namespace tw::registry {
class TRegistry;
}

namespace tw::qb {

inline constexpr const char* kLinkKey = "Software\\Fernhollow\\TarnwickX\\7.0";
inline constexpr const char* kLinkValue = "QB link";
inline constexpr const char* kOpenCompanyValue = "QB open company";

// The session manager the registry names; nullptr when there is no link
// (the library "is not installed").
std::unique_ptr<SessionManager> CreateSessionManager(registry::TRegistry& registry);

}  // namespace tw::qb
