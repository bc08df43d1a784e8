// The update check's rules: where the vendor's server is, how a fetched
// version compares with the program's own, and the texts it shows.
#pragma once

#include <QString>

namespace shell {

// The vendor's update server. Its host is this program's choice: shipped as a
// name under the reserved ".invalid" domain, which no station resolves, so no
// check ever reaches anybody's server until a vendor sets its own address.
extern const QString kUpdateServer;

// Addresses on a server: its web site (base + "/"), the what's-new page and
// the three files of the check.
QString updateWebSite(const QString& server);
QString updateWhatsNewPage(const QString& server);
QString updateVersionFile(const QString& server);
QString updateNewsFile(const QString& server);
QString updateArchive(const QString& server);

enum class VersionOrder {
  Nothing,      // an empty or blank text: nothing to say
  NotNewer,     // the same version or an older one
  Newer,        // a newer version is out
  NotAVersion,  // no dotted number (an error page, for instance)
};

// Compares a fetched version text with the program's own ("1.1"): blanks
// around it are dropped, then the dot-separated numbers are compared part by
// part as numbers, a missing part counting 0 ("1.10" is newer than "1.9",
// "1.1.0" is "1.1").
VersionOrder compareVersions(const QString& fetched, const QString& own);

// The title of the update prompt, joined as the program always did.
QString updateTitle(const QString& server, const QString& own, const QString& newest);
// The failure message.
QString updateFailureText(const QString& server);
// The message when no update is out.
QString upToDateText();

}  // namespace shell
