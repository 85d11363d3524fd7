// panelshot: developer harness that opens a unit practice of twelve questions
// beside the simulated window, in a folder of its own, so the panel can be looked
// at (and grabbed) without going through the cover page.
//   panelshot [OUT.png] [chooser|teaching|minimised|candidate]
#include "panel/frmtm.h"
#include "panel/panelentry.h"
#include "panel/simwindow.h"
#include "platform/messagebox.h"
#include "platform/services.h"
#include "start/textfile.h"
#include "start/trainer.h"

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

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    const QStringList args = app.arguments();
    const QString out = args.value(1);
    const QString look = args.value(2);

    QTemporaryDir dir;
    ModData d;
    d.AppPath = dir.path();
    d.DataDir = dir.path() + QStringLiteral("/cad2004/");
    QDir().mkpath(d.DataDir);
    QDir().mkpath(d.recordDir());
    d.ModuleName = QStringLiteral("AutoCAD 2004");
    const QStringList texts = {
        QStringLiteral("利用“直线”命令，以点(100,100)为起点绘制一条长度为200的水平直线。"),
        QStringLiteral("将当前图层设置为“轮廓线”层，并把该层的颜色改为红色。"),
        QStringLiteral("picture288801按照图示尺寸绘制一个矩形，并对其四个角进行半径为10的圆角。"),
        QStringLiteral("使用“偏移”命令，将图中的圆向外偏移15个单位。"),
        QStringLiteral("打开“标注样式管理器”，新建名为“机械”的标注样式。"),
        QStringLiteral("将图形文件另存为“练习.dwg”。"),
        QStringLiteral("用“修剪”命令剪去两条直线交点右侧的部分。"),
        QStringLiteral("设置对象捕捉模式为“端点”和“中点”。"),
        QStringLiteral("在图中插入名为“螺栓”的图块，比例为2。"),
        QStringLiteral("使用“阵列”命令将小圆环形阵列6个。"),
        QStringLiteral("将选中的文字高度修改为5。"),
        QStringLiteral("利用“图案填充”对封闭区域填充ANSI31图案。")};
    QStringList index;
    for (int i = 0; i < texts.size(); ++i)
        index << QStringLiteral("%1%2").arg(i + 1, 4, 10, QLatin1Char('0')).arg(3, 2, 10, QLatin1Char('0')) + texts[i];
    textfile::writeLinesAtomic(d.DataDir + QStringLiteral("288870.rar"), index);
    d.SetBase = 20;
    d.CurSet = 0;
    d.WorkMode = 2;
    d.UnitCount = 1;
    d.QuestionCount = 12;
    d.CurQuestion = 3;
    d.CurStep = 1;
    d.ExamMinutesLeft = 50;
    d.IndexFile = d.DataDir + QStringLiteral("288870.rar");
    for (int q = 1; q <= 12; ++q)
        d.QuestionMark[q] = (q == 1 || q == 2 || q == 5) ? QStringLiteral("T") : QStringLiteral("F");
    d.QuestionScore[1] = 5;
    d.QuestionScore[2] = 7;
    d.QuestionScore[4] = 1;
    d.QuestionScore[6] = 2;
    if (look == QStringLiteral("candidate")) {
        d.SetBase = 0;
        d.WorkMode = 3;
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
    Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, &lock}, QStringLiteral("caddrill"));
    if (look == QStringLiteral("candidate"))
        trainer.openRun({QStringLiteral("考生信息"), QStringLiteral("操作提示"), QStringLiteral("结束考试"), false,
                         QString(), std::nullopt});
    else
        trainer.openRun({QStringLiteral("手把手教"), QStringLiteral("操作演示"), QStringLiteral("结束练习"), true,
                         QStringLiteral("单元练习-"), std::nullopt});
    FrmTm *tm = trainer.panel();
    QTimer::singleShot(400, [&] {
        if (look == QStringLiteral("chooser"))
            tm->CmdSelect_Click();
        else if (look == QStringLiteral("minimised"))
            tm->minimise();
        else if (look == QStringLiteral("candidate"))
            tm->CmdCZTS_Click();
        else {
            tm->CmdGN_MouseMove(1);
            tm->Image2_Click();
        }
    });
    if (!out.isEmpty())
        QTimer::singleShot(1200, [&] {
            QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
            shot.save(out);
            app.quit();
        });
    return app.exec();
}
