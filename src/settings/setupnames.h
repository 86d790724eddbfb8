#pragma once
// Small rules of the setup dialog's accounting page that need no window.

#include <QString>

#include <optional>

namespace tw::settings {

// The text after the file name's last full stop, in upper case: empty when
// the name ends with a full stop, the whole name when it has none.
QString FileExtensionUpper(const QString& name);

// The folder a search pattern ("/data/*.*") looks in: everything before the
// pattern's last "/*.*". The root pattern "/*.*" gives an empty folder, so
// that folder + "/" + name is always a full path.
QString SearchPatternFolder(const QString& pattern);

// The qbXML major version a session asks for with the edition of the
// accounting program (0 Canada, 1 US); other editions have none, and the
// access test refuses them before asking.
std::optional<int> QBXMLMajorVersion(int edition);

}  // namespace tw::settings
