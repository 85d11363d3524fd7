#include "refresher/versioncheck.h"

#include <QRegularExpression>
#include <QUrl>

#ifndef CADDRILL_UPDATE_SITE
#define CADDRILL_UPDATE_SITE "http://update.caddrill.example"
#endif

namespace refresher {

namespace {

struct Code {
    const char *code;
    const char *alternative; // nullptr: none
};

// One code per module of the product line, by module number.
constexpr Code Codes[ModuleCodes] = {
    {"spare", nullptr},      {"winxp", nullptr},    {"word2003", "word"},  {"excel2003", "excel"},
    {"ppt2003", nullptr},    {"internet", nullptr}, {"access", nullptr},   {"fp2000", nullptr},
    {"ps", "photoshop"},     {"wps", nullptr},      {"project", nullptr},  {"dw", nullptr},
    {"cad2004", nullptr},    {"flash", nullptr},    {"vfp", nullptr},      {"yongyou", nullptr},
    {"authorware", nullptr}, {"outlook", nullptr},  {"word2007", nullptr}, {"excel2007", nullptr},
    {"ppt2007", nullptr},    {"win7", nullptr}};

} // namespace

QString defaultSite() {
    return QStringLiteral(CADDRILL_UPDATE_SITE);
}

QString moduleCode(int moduleNo, const QString &moduleName) {
    if (moduleNo < 0 || moduleNo >= ModuleCodes)
        return QString();
    const Code &c = Codes[moduleNo];
    if (c.alternative && moduleName.toLower() == QLatin1String(c.alternative))
        return QString::fromLatin1(c.alternative);
    return QString::fromLatin1(c.code);
}

QString versionPageUrl(const QString &site, int moduleNo) {
    const QString nn = QString::number(moduleNo).rightJustified(2, u'0').right(2);
    return site + QStringLiteral("/ver/km") + nn + QStringLiteral(".htm");
}

QString downloadUrl(const QString &site, const QString &code) {
    return site + QStringLiteral("/updown.asp?km=") + code;
}

QString siteHost(const QString &site) {
    const QString host = QUrl(site).host();
    return host.isEmpty() ? site : host;
}

QString handOffName(const QString &moduleName) {
    const QString name = QStringLiteral("bc") + moduleName + QStringLiteral(".txt");
    if (moduleName.contains(QLatin1String("..")))
        return QString();
    for (const QChar c : moduleName)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control ||
            c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return QString();
    // the longest file name the usual file systems take, in bytes
    if (name.toUtf8().size() > 255)
        return QString();
    return name;
}

std::optional<QList<int>> parseVersion(const QString &text) {
    const QString word = text.trimmed().section(QRegularExpression(QStringLiteral("\\s+")), 0, 0);
    static const QRegularExpression form(QStringLiteral("^20\\d{2}(\\.\\d{1,9})+$"));
    if (!form.match(word).hasMatch())
        return std::nullopt;
    QList<int> numbers;
    for (const QString &part : word.split(u'.'))
        numbers << part.toInt();
    return numbers;
}

int compareVersions(const QList<int> &a, const QList<int> &b) {
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const int x = a.value(i), y = b.value(i);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

Verdict judge(const QString &installed, const QString &page) {
    const auto site = parseVersion(page);
    if (!site)
        return {Verdict::NotAVersion, QString()};
    const auto mine = parseVersion(installed);
    if (!mine)
        return {Verdict::InstalledUnknown, page};
    return {compareVersions(*site, *mine) > 0 ? Verdict::Newer : Verdict::Current, page};
}

} // namespace refresher
