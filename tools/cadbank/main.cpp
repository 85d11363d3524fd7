// cadbank: the question-bank tool.
//   cadbank minimal PROGRAM_FOLDER   writes a one-question module so the trainer starts
#include "simulator/steprecord.h"
#include "start/textfile.h"
#include "start/verfile.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

static bool writeGbk(const QString &path, const QStringList &lines)
{
    QString err;
    if (!textfile::writeLinesAtomic(path, lines, &err)) {
        std::fprintf(stderr, "cadbank: %s\n", qPrintable(err));
        return false;
    }
    return true;
}

static int minimal(const QString &program)
{
    const QString data = program + QStringLiteral("/cad2004");
    QDir().mkpath(data);
    QDir().mkpath(program + QStringLiteral("/ksdata"));
    QStringList ver = {verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                       verfile::encodeLine(QStringLiteral("中文版")), verfile::encodeLine(QStringLiteral("cad2004")),
                       verfile::encodeLine(QStringLiteral("12")), verfile::encodeLine(QStringLiteral("绘图基础"))};
    bool ok = writeGbk(program + QStringLiteral("/ver.txt"), ver);
    ok &= writeGbk(program + QStringLiteral("/refresher.txt"), {QStringLiteral("0")});
    QStringList menu;
    for (int i = 0; i < 465; ++i)
        menu << QStringLiteral("0");
    ok &= writeGbk(program + QStringLiteral("/sMenu.sys"), menu);
    ok &= writeGbk(data + QStringLiteral("/288891.rar"), {QStringLiteral("0001"), QStringLiteral("01")});
    bank::StepRecord click = bank::StepRecord::blank();
    click.setText(1, 5, QStringLiteral("U0Q01"));
    click.setText(8, 4, QStringLiteral("0001"));
    click.setText(12, 6, QStringLiteral("888888"));
    click.setNum(66, 5, 1500);
    click.setNum(71, 5, 1500);
    click.setNum(76, 5, 600);
    click.setNum(81, 5, 600);
    bank::StepRecord done = bank::StepRecord::blank();
    done.setText(8, 4, QStringLiteral("9999"));
    done.setText(12, 6, QStringLiteral("888888"));
    ok &= writeGbk(data + QStringLiteral("/288820.rar"), {click.line, done.line});
    ok &= writeGbk(data + QStringLiteral("/288870.rar"), {QStringLiteral("000102单击绘图区域中的方框。")});
    ok &= writeGbk(data + QStringLiteral("/288890.rar"), {QStringLiteral("001")});
    ok &= writeGbk(data + QStringLiteral("/288892.rar"), {QStringLiteral("0")});
    ok &= writeGbk(data + QStringLiteral("/288897.rar"), {QStringLiteral("0")});
    ok &= writeGbk(data + QStringLiteral("/288895.rar"), {QStringLiteral("2026.12")});
    ok &= writeGbk(data + QStringLiteral("/288899.rar"), {QStringLiteral("12")});
    return ok ? 0 : 1;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("minimal"))
        return minimal(args.at(2));
    std::fputs("usage: cadbank minimal PROGRAM_FOLDER\n", stderr);
    return 2;
}
