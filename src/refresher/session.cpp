#include "refresher/session.h"
#include "platform/places.h"
#include "platform/textfile.h"
#include "refresher/versioncheck.h"
#include "start/moddata.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QDir>

namespace refresher {

Session::Session(PageSource &source, platform::Prompter &prompter, platform::Launcher &launcher, QString site,
                 QObject *parent)
    : QObject(parent), m_source(source), m_prompter(prompter), m_launcher(launcher), m_site(std::move(site)) {
}

void Session::load(const QString &programFolder) {
    m_programFolder = programFolder;
    m_view = View{};
    ModData d;
    d.AppPath = programFolder;
    d.Places = platform::RecordPlaces::decide(programFolder);
    QString error;
    if (!start::verfile::readInfo(d, &error)) {
        // nothing to compare: say which file is missing and wait for "确定"
        m_view.label1 = error;
        m_view.timer1 = m_view.timer2 = false;
        Q_EMIT changed();
        return;
    }
    m_moduleNo = d.ModuleNo;
    m_moduleName = d.ModuleName;
    m_view.label4 = d.ModuleTitle;
    bool read = false;
    const QString versionFile = d.dataFile(QStringLiteral("288895.rar"));
    m_view.lblVer = platform::textfile::firstLine(versionFile, &read).left(ShownChars);
    if (!read) {
        m_view.label1 = platform::textfile::ReadError{versionFile, QStringLiteral("missing")}.message();
        m_view.timer1 = m_view.timer2 = false;
        Q_EMIT changed();
        return;
    }
    m_loaded = true;
    Q_EMIT changed();
}

void Session::tickStart() {
    if (!m_view.timer1)
        return;
    m_view.timer1 = false;
    m_source.start(versionPageUrl(m_site, m_moduleNo));
    m_view.timer2 = true;
    Q_EMIT changed();
}

void Session::finishSoon(int ticks) {
    m_view.timer2 = false;
    m_view.timer3 = true;
    m_closeCount = 0;
    m_closeAfter = ticks;
}

void Session::tickPoll() {
    if (!m_view.timer2 || !m_loaded)
        return;
    ++m_pollCount;
    const PageSource::State state = m_source.state();
    if (state == PageSource::Idle || state == PageSource::Pending) {
        m_view.label1 = tr("正在检测新版本，请稍候……");
        Q_EMIT changed();
        return;
    }
    const Verdict v = state == PageSource::Done ? judge(m_view.lblVer, m_source.text()) : Verdict{};
    if (v.kind == Verdict::NotAVersion) {
        m_view.label1 = tr("暂时无法检测新版本，请稍候重试。");
        // what went wrong stays readable for a few seconds before the end
        m_view.label2 = state == PageSource::Failed ? m_source.reason() : tr("版本页的内容不是版本号");
        m_view.label2Visible = true;
        if (m_pollCount > 5)
            finishSoon(9);
        Q_EMIT changed();
        return;
    }
    m_view.label1 = tr("题库最新版本是：%1").arg(v.siteVersion.left(ShownChars));
    if (v.kind == Verdict::Current) {
        m_view.label2 = tr("已是最新版本，无需升级");
        m_view.label2Visible = true;
        m_view.command2Visible = false;
        finishSoon(2);
    } else {
        m_view.command2Visible = m_view.command3Visible = true;
        m_view.label2 = QStringLiteral(" ");
        m_view.label2Visible = true;
        m_view.timer2 = false;
    }
    Q_EMIT changed();
}

void Session::tickClose() {
    if (!m_view.timer3)
        return;
    ++m_closeCount;
    if (m_closeCount > m_closeAfter) {
        m_view.timer3 = false;
        m_view.finished = true;
        Q_EMIT changed();
    }
}

QString Session::handOffFile() const {
    const QString name = handOffName(m_moduleName);
    if (name.isEmpty())
        return QString();
    QString folder = m_handOffFolder;
    if (folder.isEmpty())
        folder = platform::RecordPlaces::handOffFolder();
    return folder + u'/' + name;
}

void Session::download() {
    m_view.timer1 = m_view.timer2 = false;
    const bool opened = m_launcher.openUrl(downloadUrl(m_site, moduleCode(m_moduleNo, m_moduleName)));
    m_prompter.ask(tr("注意：\r\n1.将要进行下载新版本，请关闭你正在运行的模块，才能成功升级！\r\n"
                      "2.下载好新版本后，直接双击运行就可以升级。"),
                   platform::Prompter::Ok, platform::Prompter::Information, tr("请仔细阅读下列说明"));
    if (!opened)
        m_prompter.ask(tr("请打开网页 %1 进行下载！").arg(siteHost(m_site)), platform::Prompter::Ok,
                       platform::Prompter::Critical, tr("不能自动打开"));
    // the hand-off file: this program's folder and name; a failure (or a module
    // name that names no file of the folder) is ignored
    const QString file = handOffFile();
    if (!file.isEmpty()) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        platform::textfile::writeLinesAtomic(
            file, {QDir::toNativeSeparators(m_programFolder), QStringLiteral("refresher")});
    }
    m_view.finished = true;
    Q_EMIT changed();
}

} // namespace refresher
