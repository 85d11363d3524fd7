#pragma once
// The update checker's rules, free of any window: the module codes, the two
// addresses of the maker's site, reading a version text and comparing two.
//
// A version is a year 20dd followed by at least one dot-separated number
// ("2013.0.0.7", "2026.12.1"); a four-digit word alone ("5003", "2026") is no
// version. Two versions compare number by number, a missing number counting
// as 0. Where two versions of the old form differ only in their last number
// this is the same verdict as comparing that last number.

#include <QList>
#include <QString>
#include <optional>

namespace refresher {

// The site built in at compile time; `--site URL` overrides it.
QString defaultSite();

// The module code of a module number (0 .. 21) sent to the download page; some
// modules have a second code, used when the module's name (in lower case) is
// exactly that code. An unknown number gives "".
QString moduleCode(int moduleNo, const QString &moduleName);
inline constexpr int ModuleCodes = 22;

// site + "/ver/km" + the two-digit module number + ".htm"
QString versionPageUrl(const QString &site, int moduleNo);
// site + "/updown.asp?km=" + the module code
QString downloadUrl(const QString &site, const QString &code);
// The host name of the site, for the message that asks the learner to go there.
QString siteHost(const QString &site);

// The name of the hand-off file of a module: "bc" + the module's name + ".txt".
// A module name that could not stand as part of one file name in one folder (a
// separator, "..", a control character, or a name too long for a file name)
// gives "": no hand-off file is written for it.
QString handOffName(const QString &moduleName);

// The numbers of a version text (blanks around it ignored, the first word only);
// nothing when it is not a version.
std::optional<QList<int>> parseVersion(const QString &text);

// -1 when a is older than b, 0 when equal, 1 when newer.
int compareVersions(const QList<int> &a, const QList<int> &b);

// What a fetched page says.
struct Verdict {
    enum Kind {
        NotAVersion,     // the page holds no version text
        Current,         // the installed bank is as new as the site's
        Newer,           // the site has a newer bank
        InstalledUnknown // the installed version text cannot be read: any site version is offered
    };
    Kind kind = NotAVersion;
    QString siteVersion; // the page's text as shown ("" for NotAVersion)
};
Verdict judge(const QString &installed, const QString &page);

} // namespace refresher
