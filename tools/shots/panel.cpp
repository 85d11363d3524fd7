// cadshots panel: opens a unit practice of twelve questions
// beside the simulated window, in a folder of its own, so the panel can be looked
// at (and grabbed) without going through the cover page.
//   cadshots panel MODULE_FOLDER [OUT.png] [chooser|minimised|candidate|teaching|hint|ime]
// hint and ime are exam runs: the hint dialog open, or the input-method menu
// open with two input methods listed.
// MODULE_FOLDER holds cad2004/ with unit 0 (for example as cadfixture writes it).
#include "app/trainer.h"
#include "panel/frmtm.h"
#include "panel/panelentry.h"
#include "panel/simwindow.h"
#include "platform/fonts.h"
#include "platform/keyboardlayout.h"
#include "platform/messagebox.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "shots.h"
#include "start/setfiles.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

namespace {
class NoLock : public platform::InstanceLock {
  public:
    bool acquire() override { return true; }
};
} // namespace

int panelShots(QApplication &app, const QStringList &args) {
    QApplication::setFont(platform::fonts::ui(9));
    const QString module = args.value(1);
    const QString out = args.value(2);
    const QString look = args.value(3);

    // A copy of the module folder, so the picture question added below stays ours.
    QTemporaryDir dir;
    ModData d;
    d.AppPath = dir.path();
    d.DataDir = dir.path() + QStringLiteral("/cad2004/");
    QDir().mkpath(d.DataDir);
    QDir().mkpath(d.recordDir());
    d.ModuleName = QStringLiteral("AutoCAD 2004");
    const QString source = module.isEmpty() ? QString() : module + QStringLiteral("/cad2004/");
    for (const QString &f : QDir(source).entryList(QDir::Files))
        QFile::copy(source + f, d.DataDir + f);
    QStringList index;
    platform::textfile::readLines(d.DataDir + QStringLiteral("288870.rar"), index);
    // question 3 refers to a drawing of our own
    if (index.size() >= 3)
        index[2] = index[2].left(6) + QStringLiteral("picture288801") +
                   QStringLiteral("按照图示尺寸绘制一个矩形，并对其四个角进行半径为10的圆角。");
    platform::textfile::writeLinesAtomic(d.DataDir + QStringLiteral("288870.rar"), index);
    QImage drawing(300, 200, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    {
        QPainter p(&drawing);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 2));
        p.drawRoundedRect(QRectF(50, 50, 200, 100), 10, 10);
        p.setPen(QPen(QColor(0, 90, 200), 1));
        p.drawLine(50, 170, 250, 170);
        p.drawText(QRect(50, 172, 200, 20), Qt::AlignCenter, QStringLiteral("200"));
        p.drawLine(270, 50, 270, 150);
        p.drawText(QRect(272, 90, 30, 20), Qt::AlignLeft, QStringLiteral("100"));
        p.drawText(QRect(60, 20, 100, 20), Qt::AlignLeft, QStringLiteral("R10"));
    }
    drawing.save(d.DataDir + QStringLiteral("288801.rar"), "PNG");
    d.SetBase = SetBaseUnit;
    d.CurSet = 0;
    d.WorkMode = WorkPractice;
    d.UnitCount = 1;
    d.QuestionCount = Integer(std::min<int>(index.size(), MaxQuestions));
    start::setfiles::nameSetFiles(d);
    start::setfiles::readQuestionOffsets(d);
    d.CurQuestion = 3;
    d.CurStep = 1;
    d.ExamMinutesLeft = 50;
    d.IndexFile = d.DataDir + QStringLiteral("288870.rar");
    for (int q = 1; q <= d.QuestionCount; ++q)
        d.QuestionMark[q] = (q == 1 || q == 2 || q == 5) ? QStringLiteral("T") : QStringLiteral("F");
    d.QuestionScore[1] = 5;
    d.QuestionScore[2] = 7;
    d.QuestionScore[4] = 1;
    d.QuestionScore[6] = 2;
    const bool exam = look == QStringLiteral("candidate") || look == QStringLiteral("hint") ||
                      look == QStringLiteral("ime");
    if (exam) {
        d.SetBase = SetBaseExamPaper;
        d.WorkMode = WorkExam;
        d.CandidateName = QStringLiteral("柏川1");
        d.SeatNo = QStringLiteral("08");
        d.ShiftNo = QStringLiteral("18");
        d.ArchiveNo = QStringLiteral("888888");
        d.IdCardNo = QStringLiteral("110101199001011234");
        d.ExamMinutesLeft = 37;
    }

    platform::MessageBoxPrompter prompter([&d] { return d.appTitle(); });
    platform::SystemClock clock;
    NoLock lock;
    platform::NullKeyboardLayout keyboard;
    keyboard.layouts = {
        {1, QString()}, {2, QStringLiteral("拼音输入法")}, {3, QStringLiteral("五笔字型输入法")}};
    Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, &lock, &keyboard}, QStringLiteral("caddrill"));
    if (exam)
        trainer.openRun({panel::RunKind::Exam, QString(), std::nullopt});
    else
        trainer.openRun({panel::RunKind::Practice, QStringLiteral("单元练习-"), std::nullopt});
    FrmTm *tm = trainer.panel();
    QTimer::singleShot(400, [&] {
        if (look == QStringLiteral("chooser"))
            tm->CmdSelect_Click();
        else if (look == QStringLiteral("minimised"))
            tm->minimise();
        else if (look == QStringLiteral("candidate"))
            tm->CmdCZTS_Click();
        else if (look == QStringLiteral("hint"))
            tm->Command1_Click();
        else if (look == QStringLiteral("ime"))
            tm->LblIME_Click();
        else if (look == QStringLiteral("teaching")) {
            tm->CmTNO_Click(1);
            QTimer::singleShot(300, tm, [tm] { tm->CmdCZTS_Click(); });
        } else {
            tm->CmdGN_MouseMove(1);
            tm->Image2_Click();
        }
    });
    if (!out.isEmpty())
        QTimer::singleShot(1500, [&] {
            // the screen as it stands: simulated window, panel and picture window
            QPixmap shot(QGuiApplication::primaryScreen()->size());
            shot.fill(QColor(0x3a, 0x4a, 0x5c));
            QPainter p(&shot);
            // bottom to top: the simulated window, the panel and the picture
            // window, then dialogs and pop-up menus
            auto layer = [tm](QWidget *w) {
                if (w->windowType() == Qt::Popup || w->windowType() == Qt::Dialog)
                    return 2;
                return (w == tm || w->objectName() == QStringLiteral("FrmPicture")) ? 1 : 0;
            };
            for (int level = 0; level <= 2; ++level)
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (w->isVisible() && layer(w) == level)
                        p.drawPixmap(w->geometry().topLeft(), w->grab());
            p.end();
            shot.save(out);
            QCoreApplication::exit(0); // quit() would ask the panel, which refuses in an exam
        });
    return app.exec();
}
