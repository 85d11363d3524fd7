#pragma once
// The update checker's run, without a window: load (ver.txt and the installed
// bank version), then three timers as tick methods. Timer1 asks for the
// version page once, Timer2 polls the fetch every 100 ms and gives the verdict,
// Timer3 ends the program about 0.9 s after "already current". The window
// shows `view()` after every change and calls the ticks from its Qt timers.
//
//   Session s(source, prompter, launcher, site);
//   s.load(programFolder);           // LblVer, Label4, the timers
//   ... s.tickStart(); s.tickPoll() every 100 ms; s.tickClose() every 300 ms
//   s.download();                    // "马上下载新版本"

#include "platform/services.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>

namespace refresher {

// Where the version page comes from: the real one fetches it over HTTP.
class PageSource {
  public:
    enum State { Idle, Pending, Done, Failed };
    virtual ~PageSource() = default;
    virtual void start(const QString &url) = 0;
    virtual State state() const = 0;
    virtual QString text() const = 0;   // the page's text once Done
    virtual QString reason() const = 0; // what went wrong once Failed
};

struct View {
    QString lblVer; // the installed version
    QString label1 = QCoreApplication::translate("refresher::Session", "题库最新版本是：");
    QString label2 = QCoreApplication::translate("refresher::Session", "已是最新版本，无需升级");
    bool label2Visible = false;
    QString label4;               // the module's subtitle
    bool command2Visible = false; // "马上下载新版本"
    bool command3Visible = false; // "以后再说"
    bool timer1 = true, timer2 = true, timer3 = false;
    bool finished = false; // the program ends
};

class Session : public QObject {
    Q_OBJECT
  public:
    Session(PageSource &source, platform::Prompter &prompter, platform::Launcher &launcher, QString site,
            QObject *parent = nullptr);

    // Reads ver.txt and the bank version file of programFolder. A file that is
    // missing is named in the window and nothing is fetched; "确定" closes.
    void load(const QString &programFolder);

    void tickStart(); // Timer1
    void tickPoll();  // Timer2
    void tickClose(); // Timer3
    // "马上下载新版本": opens the download page, says what to do next, writes the
    // hand-off file and ends.
    void download();

    const View &view() const { return m_view; }
    int moduleNo() const { return m_moduleNo; }
    QString moduleName() const { return m_moduleName; }
    int pollCount() const { return m_pollCount; }

    // Where the hand-off file goes (one per-user file stands for both of the
    // drive-letter places the checker once wrote); "" when the module's name
    // cannot name a file inside that folder (see handOffName).
    QString handOffFile() const;
    void setHandOffFolder(const QString &folder) { m_handOffFolder = folder; }

    // Longest page text shown in the status line.
    static constexpr int ShownChars = 60;

  Q_SIGNALS:
    void changed();

  private:
    void finishSoon(int ticks);

    PageSource &m_source;
    platform::Prompter &m_prompter;
    platform::Launcher &m_launcher;
    QString m_site;
    QString m_programFolder;
    QString m_handOffFolder;
    int m_moduleNo = 0;
    QString m_moduleName;
    View m_view;
    int m_pollCount = 0;
    int m_closeCount = 0;
    int m_closeAfter = 2; // ticks of Timer3 before the end
    bool m_loaded = false;
};

} // namespace refresher
