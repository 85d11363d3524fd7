// cadharness: opens any question of a bank folder in the simulated window, with a
// small stand-in for the question panel, so that every step can be tried by hand.
//   cadharness BANK_PROGRAM_FOLDER [set] [question]
// set: a unit number from 1, or "p" and a paper number ("p2") for an exam paper
// (exam mode: no success text); question from 1. Defaults: unit 1, question 1.
#include "platform/cmdline.h"
#include "platform/fonts.h"
#include "platform/plaintext.h"
#include "simulator/frmmain.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

namespace {

// The stand-in panel: title, unfinished list, question text, previous/next.
class StandInPanel : public QWidget, public QuestionPanelPort {
  public:
    StandInPanel(ModData &data, FrmMain &window)
        : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint), m_data(data), m_window(window) {
        setWindowTitle(QStringLiteral("题目"));
        setFixedSize(300, 210);
        setStyleSheet(QStringLiteral(
            "QWidget { background: #eef2f8; } QLabel#title { color: #1a3f8f; font-weight: bold; }"));
        auto *v = new QVBoxLayout(this);
        v->setContentsMargins(6, 6, 6, 6);
        m_title = platform::plainLabel(this);
        m_title->setObjectName(QStringLiteral("title"));
        m_unit = platform::plainLabel(this);
        m_unit->setWordWrap(true);
        m_text = platform::plainLabel(this);
        m_text->setWordWrap(true);
        m_text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        auto *row = new QHBoxLayout;
        auto *prev = new QPushButton(QStringLiteral("上一题"), this);
        auto *next = new QPushButton(QStringLiteral("下一题"), this);
        auto *guided = new QCheckBox(QStringLiteral("手把手教"), this);
        row->addWidget(prev);
        row->addWidget(next);
        row->addWidget(guided);
        v->addWidget(m_title);
        v->addWidget(m_unit);
        v->addWidget(m_text, 1);
        v->addLayout(row);
        setFont(platform::fonts::ui(9));
        connect(prev, &QPushButton::clicked, this, [this] { go(m_data.CurQuestion - 1); });
        connect(next, &QPushButton::clicked, this, [this] { go(m_data.CurQuestion + 1); });
        connect(guided, &QCheckBox::toggled, this, [this](bool on) {
            m_window.setGuided(on);
            m_window.Timer2.start();
        });
    }

    void go(int q) {
        if (q < 1 || q > m_data.QuestionCount)
            return;
        m_data.CurQuestion = Integer(q);
        m_data.QuestionScore[q] = Integer(m_data.QuestionScore[q] | StatusVisited);
        sim::bank::BankReader reader(m_data);
        bool ok = false;
        const sim::bank::IndexEntry e = reader.index(q, &ok);
        m_text->setText(ok ? e.text : reader.lastError());
        m_title->setText(QStringLiteral("%1  第%2/%3题%4")
                             .arg(m_data.SetBase == SetBaseExamPaper
                                      ? QStringLiteral("试卷%1").arg(m_data.CurSet + 1)
                                      : QStringLiteral("第%1单元").arg(m_data.CurSet + 1))
                             .arg(q)
                             .arg(m_data.QuestionCount)
                             .arg(m_data.QuestionMark[q] == QLatin1String("T") ? QStringLiteral("（已完成）")
                                                                               : QString()));
        m_unit->setText(sim::StepEngine::unfinishedList(m_data, m_data.SetBase == SetBaseUnit));
        m_window.restoreQuestion(q);
        m_window.Timer2.start();
    }

    QSize panelSize() const override { return size(); }
    void movePanel(const QPoint &p) override { move(p); }
    void raisePanel() override { raise(); }
    void setTitle(const QString &t) override { m_title->setText(t); }
    void setUnfinished(const QString &t) override { m_unit->setText(t); }

  private:
    ModData &m_data;
    FrmMain &m_window;
    QLabel *m_title;
    QLabel *m_unit;
    QLabel *m_text;
};

} // namespace

int main(int argc, char **argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens any question of a bank in the simulated window, with a small stand-in panel."));
    parser.addPositionalArgument(QStringLiteral("BANK_PROGRAM_FOLDER"),
                                 QStringLiteral("the module's program folder"));
    parser.addPositionalArgument(QStringLiteral("set"),
                                 QStringLiteral("unit 1, 2, ... or paper p1, p2, ... (default 1)"),
                                 QStringLiteral("[set]"));
    parser.addPositionalArgument(QStringLiteral("question"), QStringLiteral("from 1 (default 1)"),
                                 QStringLiteral("[question]"));
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    const int given = int(parser.positionalArguments().size());
    if (given < 1 || given > 3)
        return platform::cmdline::refuse(QStringLiteral("cadharness"),
                                         QStringLiteral("expected BANK_PROGRAM_FOLDER [set] [question]"));
    QApplication app(argc, argv);
    const QStringList args = QStringList{app.arguments().value(0)} + parser.positionalArguments();
    ModData data;
    data.AppPath = QDir(args.at(1)).absolutePath();
    QString error;
    if (!start::verfile::readInfo(data, &error)) {
        std::fprintf(stderr, "cadharness: %s\n", qPrintable(error));
        return 1;
    }
    const QString set = args.size() > 2 ? args.at(2) : QStringLiteral("1");
    const bool paper = set.startsWith(u'p');
    const int number = qMax(1, (paper ? set.mid(1) : set).toInt());
    const int question = args.size() > 3 ? args.at(3).toInt() : 1;
    data.CurSet = Integer(number - 1);
    data.SetBase = paper ? SetBaseExamPaper : SetBaseUnit;
    data.WorkMode = paper ? WorkExam : WorkPractice;
    start::setfiles::nameSetFiles(data);
    const int count = start::setfiles::readQuestionOffsets(data, &error);
    if (count <= 0) {
        std::fprintf(stderr, "cadharness: %s\n",
                     qPrintable(count < 0 ? error : QStringLiteral("no questions in ") + data.IndexFile));
        return 1;
    }
    data.QuestionCount = Integer(qMin(count, int(MaxQuestions)));
    for (int q = 1; q <= MaxQuestions; ++q)
        data.QuestionMark[q] = QStringLiteral("F");

    FrmMain window(data);
    StandInPanel panel(data, window);
    window.showForm();
    panel.show();
    window.setPanel(&panel);
    panel.go(qBound(1, question, int(data.QuestionCount)));
    return app.exec();
}
