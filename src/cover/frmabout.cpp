#include "cover/frmabout.h"
#include "cover/coverart.h"
#include "cover/covermodel.h"
#include "panel/panelart.h"
#include "platform/clicklabel.h"
#include "platform/desktopshortcut.h"
#include "platform/fonts.h"
#include "platform/pixelratio.h"
#include "platform/plaintext.h"
#include "platform/services.h"
#include "start/moddata.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

namespace cover {

FrmAbout::FrmAbout(const ModData &data, platform::Prompter &prompter, platform::Launcher *launcher,
                   QString program, QString desktop, QWidget *parent)
    : QDialog(parent), m_data(data), m_prompter(prompter), m_launcher(launcher),
      m_program(std::move(program)), m_desktop(std::move(desktop)) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(tr("柏川云学全国专业技术人员计算机应用能力考试练习系统"));
    setModal(true);
    setFixedSize(480, 290);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, coverart::Paper);
    setPalette(pal);
    setAutoFillBackground(true);

    Image1 = platform::plainLabel(this);
    QPixmap logo = coverart::emblemTile(qRound(64 * platform::pixelRatio()));
    logo.setDevicePixelRatio(platform::pixelRatio());
    Image1->setPixmap(logo);
    Image1->setGeometry(20, 20, 64, 64);

    const QString title = tr("全国专业技术人员计算机应用能力考试练习系统\r\n\r\n── ") + data.ModuleTitle;
    const QFont big = platform::fonts::uiPixels(16, true);
    // Label1(2) is the shadow: the same text 15 twips (one pixel) up and left
    for (int i : {2, 1}) {
        auto *l =
            platform::plainLabel(this, QString(title).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        l->setObjectName(QStringLiteral("Label1_%1").arg(i));
        l->setFont(big);
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, i == 2 ? coverart::Line : coverart::Navy);
        l->setPalette(lp);
        const int x = i == 1 ? 49 : 48, y = i == 1 ? 9 : 8; // 735, 135 and 720, 120 twips
        l->setGeometry(x + 50, y + 14, 360, 90);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Label1[i] = l;
    }
    Label1[0] = platform::plainLabel(this, tr("软件版本: ") + versionText());
    Label1[0]->setObjectName(QStringLiteral("Label1_0"));
    Label1[0]->setGeometry(100, 120, 360, 22);
    // the folder line is a button: the mouse's release is taken by the event filter,
    // Space or Enter by the label
    auto *folder = new platform::ClickLabel(this);
    folder->setText(tr("系统工作目录: ") + QDir::toNativeSeparators(data.AppPath));
    folder->setAccessibleName(tr("打开系统工作目录"));
    folder->setFocusMark(coverart::Blue, 3);
    connect(folder, &platform::ClickLabel::clicked, this, &FrmAbout::workingFolderClicked);
    Label1[3] = folder;
    Label1[3]->setObjectName(QStringLiteral("Label1_3"));
    Label1[3]->setGeometry(100, 146, 360, 40);
    Label1[3]->setWordWrap(true);
    Label1[3]->setCursor(Qt::PointingHandCursor);
    Label1[3]->setToolTip(tr("打开工作目录，并可在桌面上放一个启动图标"));
    Label1[3]->installEventFilter(this);
    QPalette link = Label1[3]->palette();
    link.setColor(QPalette::WindowText, coverart::Blue);
    Label1[3]->setPalette(link);

    // the records may lie in a per-user folder, not beside the program
    LblRecords = platform::plainLabel(this, tr("学习记录目录: ") +
                                                QDir::toNativeSeparators(QDir::cleanPath(data.recordDir())));
    LblRecords->setObjectName(QStringLiteral("LblRecords"));
    LblRecords->setGeometry(100, 190, 360, 40);
    LblRecords->setWordWrap(true);
    LblRecords->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Command1 = new QPushButton(tr("确定"), this);
    Command1->setGeometry(380, 244, 80, 28);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

QString FrmAbout::launcherFile() const {
    return m_desktop + u'/' + m_data.ModuleName + QStringLiteral("模块.desktop");
}

void FrmAbout::workingFolderClicked() {
    const QString folder = QDir::toNativeSeparators(m_data.AppPath);
    if (m_launcher && !m_launcher->openUrl(QUrl::fromLocalFile(m_data.AppPath).toString()))
        m_prompter.ask(tr("请在文件管理器中打开 %1").arg(folder), platform::Prompter::Ok,
                       platform::Prompter::Critical, tr("不能自动打开"));
    // the desktop is the learner's: nothing is put there unasked
    if (m_prompter.ask(tr("要在桌面上放一个“%1模块”的启动图标吗？").arg(m_data.ModuleName),
                       platform::Prompter::YesNo, platform::Prompter::Question, QString(),
                       platform::Prompter::AnswerNo) != platform::Prompter::AnswerYes)
        return;
    // a launcher that cannot be written is a convenience lost, nothing more
    platform::shortcut::write(m_desktop, {m_data.ModuleName + QStringLiteral("模块"), m_program,
                                          m_data.AppPath, QStringLiteral("caddrill")});
}

bool FrmAbout::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Label1[3] && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        workingFolderClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmAbout::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton)
        accept(); // a click on the background closes the box
}

} // namespace cover
