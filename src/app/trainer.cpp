#include "app/trainer.h"
#include "cover/frmabout.h"
#include "cover/frmfengmian.h"
#include "panel/frmend.h"
#include "panel/frmlogon.h"
#include "panel/frmtm.h"
#include "panel/logonrules.h"
#include "platform/desktopshortcut.h"
#include "platform/screenplace.h"
#include "platform/textfile.h"
#include "simulator/frmmain.h"
#include "start/frmstart.h"
#include "start/startup.h"
#include "start/verfile.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

Trainer::Trainer(ModData &data, TrainerServices services, QString exeName, QObject *parent)
    : QObject(parent), m_data(data), m_services(services), m_exeName(std::move(exeName)) {}

Trainer::~Trainer() {
    delete m_start;
    delete m_cover;
    delete m_logon;
    delete m_panel;
    delete m_main;
    delete m_handIn;
    delete m_report;
}

QWidget *Trainer::topWindow() const {
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (m_lastActive && m_lastActive->isVisible())
        return m_lastActive;
    for (QWidget *w : {static_cast<QWidget *>(m_main), static_cast<QWidget *>(m_panel), m_cover.data(),
                       static_cast<QWidget *>(m_start)}) {
        if (w && w->isVisible())
            return w;
    }
    return nullptr;
}

void Trainer::bringToFront() {
    QWidget *w = topWindow();
    if (!w)
        return;
    if (w->isMinimized())
        w->showNormal();
    w->raise();
    w->activateWindow();
    // the panel stays above the simulated window it belongs to
    if (w == m_main && m_panel && m_panel->isVisible())
        m_panel->raise();
}

bool Trainer::start() {
    // 1. one trainer at a time; nothing is read or written by a refused start
    if (m_services.instance && !m_services.instance->acquire()) {
        // the running trainer comes to the front; the refusal is still said
        m_services.instance->callRunning();
        m_services.prompter->ask(
            tr("考试练习系统已在运行。如果你没有找到，请关闭其它窗口和程序，或者注销或重启。"),
            platform::Prompter::Ok, platform::Prompter::Information, tr("系统提示"));
        return false;
    }
    if (m_services.instance)
        m_services.instance->whenCalled([this] { bringToFront(); });
    // the window the learner had last is the one a second start brings back
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *window) {
        if (!window)
            return;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->windowHandle() == window && !(w->windowFlags() & Qt::Popup) &&
                w->windowType() != Qt::ToolTip)
                m_lastActive = w;
        }
    });
    // 2. Qt lays out in device-independent pixels of 15 twips each
    m_data.ScaleX = 1.0;
    m_data.ScaleY = 1.0;
    // 3. readInfo: ver.txt, title, install record
    QString error;
    if (!start::verfile::readInfo(m_data, &error) ||
        !start::startup::recordInstall(m_data, *m_services.registry, m_exeName, &error)) {
        m_services.prompter->ask(error, platform::Prompter::Ok, platform::Prompter::Critical, tr("系统提示"));
        return false;
    }
    // a write cut off by a kill leaves its temporary file: this instance owns
    // the folder now, so whatever is left there is garbage
    for (const QString &folder : m_data.writtenFolders())
        platform::textfile::removeStaleTemporaries(folder);
    // the application title names the program: every form and every message
    // box without a title of its own shows ModData::appTitle()
    // 5. shared defaults
    m_data.CurSet = 0;
    m_data.DemoRunning = False;
    m_data.DataExt = QStringLiteral(".rar");
    m_data.CandidateName = QStringLiteral("柏川1");
    // 4, 6. the start picture, centred, with the hand-over armed
    m_start = new FrmStart(m_data);
    platform::centreOnScreen(m_start);
    connect(m_start, &FrmStart::handOver, this, &Trainer::handOver);
    m_start->show();
    m_start->arm();
    return true;
}

void Trainer::handOver() {
    if (m_start)
        m_start->close();
    showCover();
    start::startup::refresherExe(m_data, *m_services.launcher);
}

void Trainer::showCover() {
    if (m_cover && !m_cover->isVisible())
        m_cover = nullptr; // an unloaded page that is not deleted yet: every return gets a fresh one
    if (!m_cover)
        m_cover = createCover();
    if (!m_cover)
        return;
    m_cover->show();
    m_cover->raise();
    Q_EMIT coverShown();
}

QWidget *Trainer::createCover() {
    auto *form = new FrmFengmian(m_data, *m_services.prompter, m_services.launcher);
    if (!form->fatalError().isEmpty()) {
        const QString message = form->fatalError();
        delete form;
        m_services.prompter->ask(message, platform::Prompter::Ok, platform::Prompter::Critical,
                                 tr("系统提示"));
        QCoreApplication::exit(1);
        return nullptr;
    }
    if (form->moduleMismatch()) {
        // the data folder belongs to another module: the program ends without a word
        delete form;
        QCoreApplication::exit(0);
        return nullptr;
    }
    connect(form, &FrmFengmian::runRequested, this, &Trainer::openRun);
    connect(form, &FrmFengmian::examRequested, this, &Trainer::openLogon);
    connect(form, &FrmFengmian::aboutRequested, this, [this, form] {
        cover::FrmAbout about(m_data, *m_services.prompter, m_services.launcher,
                              QCoreApplication::applicationFilePath(), platform::shortcut::desktopFolder(),
                              form);
        about.exec();
    });
    // the other modules' slots, from their install records
    if (m_services.registry)
        form->kmSetupYN(*m_services.registry);
    return form;
}

void Trainer::openLogon() {
    // a paper that cannot be assembled is named before the learner types a
    // seat number; the login checks again when it assembles
    QString message;
    if (!panel::logon::checkInputs(m_data, &message)) {
        m_services.prompter->ask(message, platform::Prompter::Ok, platform::Prompter::Critical);
        showCover();
        return;
    }
    static platform::SystemClock systemClock;
    auto *form =
        new FrmLogon(m_data, *m_services.prompter, m_services.clock ? *m_services.clock : systemClock);
    m_logon = form;
    connect(form, &FrmLogon::left, this, &Trainer::showCover);
    connect(form, &FrmLogon::examStarted, this, [this] { openRun(panel::logon::examCaptions(m_data)); });
    form->show();
    form->raise();
}

FrmLogon *Trainer::logon() const {
    return m_logon;
}
