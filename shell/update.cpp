#include "shell/update.h"

#include <QRegularExpression>
#include <QStringList>

namespace shell {

const QString kUpdateServer = QStringLiteral("http://update.dovrel-pos.invalid");

QString updateWebSite(const QString& server) {
  return server + QStringLiteral("/");
}

QString updateWhatsNewPage(const QString& server) {
  return server + QStringLiteral("/what's_new_FD.htm");
}

QString updateVersionFile(const QString& server) {
  return server + QStringLiteral("/DownloadHS/HSVer.ver");
}

QString updateNewsFile(const QString& server) {
  return server + QStringLiteral("/DownloadHS/HSnew.txt");
}

QString updateArchive(const QString& server) {
  return server + QStringLiteral("/DownloadHS/DovrelHS.zip");
}

namespace {

// The parts of a dotted number without leading zeros ("01.10" -> 1, 10), or
// nothing when the text is not one.
bool versionParts(const QString& text, QStringList* parts) {
  static const QRegularExpression dotted(QStringLiteral(R"(^\d+(\.\d+)*$)"));
  if (!dotted.match(text).hasMatch()) return false;
  *parts = text.split(QLatin1Char('.'));
  for (QString& p : *parts) {
    while (p.size() > 1 && p.startsWith(QLatin1Char('0'))) p.remove(0, 1);
  }
  return true;
}

// Two numbers as digit texts without leading zeros, of any length.
int compareNumbers(const QString& a, const QString& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

}  // namespace

VersionOrder compareVersions(const QString& fetched, const QString& own) {
  const QString text = fetched.trimmed();
  if (text.isEmpty()) return VersionOrder::Nothing;
  QStringList theirs, ours;
  if (!versionParts(text, &theirs) || !versionParts(own.trimmed(), &ours)) return VersionOrder::NotAVersion;
  for (qsizetype i = 0; i < std::max(theirs.size(), ours.size()); ++i) {
    const QString a = i < theirs.size() ? theirs[i] : QStringLiteral("0");
    const QString b = i < ours.size() ? ours[i] : QStringLiteral("0");
    const int c = compareNumbers(a, b);
    if (c != 0) return c > 0 ? VersionOrder::Newer : VersionOrder::NotNewer;
  }
  return VersionOrder::NotNewer;
}

QString updateTitle(const QString& server, const QString& own, const QString& newest) {
  return QStringLiteral("You can update from version. for more information please visit: ") +
         updateWhatsNewPage(server) + own + QStringLiteral(" to version ") + newest;
}

QString updateFailureText(const QString& server) {
  return QStringLiteral("An error has occured. Update failed.") + QLatin1Char('\n') +
         QStringLiteral("You must download new version of this application manually at ") +
         updateWebSite(server) + QStringLiteral(".");
}

QString upToDateText() {
  return QStringLiteral(
      "Your system is running the most recent version of Dovrel's POS. No update is available at this time.");
}

}  // namespace shell
