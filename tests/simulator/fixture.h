#pragma once
// A question set written into a temporary program folder: step file, text table,
// pictures and sMenu.sys, with a ModData pointing at them.

#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/textfile.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

// A step record built field by field.
struct Rec {
    bank::StepRecord r = bank::StepRecord::blank();
    explicit Rec(const QString &code) {
        r.setText(8, 4, code);
        r.setText(12, 6, bank::KeepId);
    }
    Rec &screen(const QString &id) {
        r.setText(12, 6, id);
        return *this;
    }
    Rec &zone(int x, int y, int w, int h) {
        r.setNum(66, 5, x);
        r.setNum(71, 5, y);
        r.setNum(76, 5, w);
        r.setNum(81, 5, h);
        return *this;
    }
    Rec &zone2(int x, int y, int w, int h, QChar click = u'1') {
        r.setNum(177, 5, x);
        r.setText(182, 1, QString(click));
        r.setNum(183, 4, y);
        r.setNum(187, 5, w);
        r.setNum(192, 5, h);
        return *this;
    }
    Rec &lock() {
        r.setText(6, 2, QStringLiteral("EE"));
        return *this;
    }
    Rec &box(int x, int y, int w, int h, int textLine, int answerLine) {
        r.setNum(86, 5, x);
        r.setNum(91, 5, y);
        r.setNum(96, 5, w);
        r.setNum(101, 5, h);
        r.setNum(106, 3, textLine);
        r.setNum(109, 3, answerLine);
        return *this;
    }
    Rec &answer(int line) {
        r.setNum(109, 3, line);
        return *this;
    }
    Rec &pointer(const QString &shape) {
        r.setText(101, 5, shape);
        return *this;
    }
    Rec &hint(int x, int y, int line) {
        r.setNum(112, 5, x);
        r.setNum(117, 5, y);
        r.setNum(122, 3, line);
        return *this;
    }
    Rec &menuBar(int x, int y) {
        r.setNum(125, 5, x);
        r.setNum(130, 5, y);
        return *this;
    }
    Rec &back(const QString &marker, int x, int y) {
        r.setText(125, 5, marker);
        r.setNum(167, 5, x);
        r.setNum(172, 5, y);
        return *this;
    }
    Rec &pic(int k, int x, int y, const QString &id) {
        static constexpr int xPos[6] = {0, 18, 34, 50, 135, 151};
        static constexpr int idPos[6] = {0, 28, 44, 60, 145, 161};
        r.setNum(xPos[k], 5, x);
        r.setNum(xPos[k] + 5, 5, y);
        r.setText(idPos[k], 6, id);
        return *this;
    }
    Rec &target(int x, int y) {
        r.setNum(167, 5, x);
        r.setNum(172, 5, y);
        return *this;
    }
    operator bank::StepRecord() const { return r; }
};

struct BankFixture {
    QTemporaryDir dir;
    ModData data;

    BankFixture() {
        data.AppPath = dir.path();
        data.DataDir = dir.path() + QStringLiteral("/cad2004/");
        QDir().mkpath(data.DataDir);
        data.StepFile = data.DataDir + QStringLiteral("288820.rar");
        data.IndexFile = data.DataDir + QStringLiteral("288870.rar");
        data.TextFile = data.DataDir + QStringLiteral("288890.rar");
        data.CurSet = 0;
        data.SetBase = 20;
        data.WorkMode = 2;
        data.CurQuestion = 1;
        data.CurStep = 1;
        for (int q = 1; q <= MaxQuestions; ++q) {
            data.QuestionMark[q] = QStringLiteral("F");
            data.SavedStep[q] = 1;
        }
    }

    // Questions one after the other; fills QuestionFirstStep and QuestionCount.
    void writeQuestions(const QList<QList<bank::StepRecord>> &questions) {
        QStringList lines;
        QStringList index;
        data.QuestionFirstStep[1] = 1;
        for (int q = 0; q < questions.size(); ++q) {
            for (const auto &r : questions[q])
                lines << r.line;
            data.QuestionFirstStep[q + 2] = Integer(data.QuestionFirstStep[q + 1] + questions[q].size());
            index << QStringLiteral("0000") + QString::number(questions[q].size()).rightJustified(2, u'0') +
                         QStringLiteral("题目") + QString::number(q + 1);
        }
        data.QuestionCount = Integer(questions.size());
        textfile::writeLinesAtomic(data.StepFile, lines);
        textfile::writeLinesAtomic(data.IndexFile, index);
    }
    void writeSteps(const QList<bank::StepRecord> &steps) { writeQuestions({steps}); }

    // Text n is texts[n - 1].
    void writeTexts(const QStringList &texts) {
        QStringList lines;
        for (int i = 0; i < texts.size(); ++i)
            lines << QString::number(i + 1).rightJustified(3, u'0') + texts[i];
        textfile::writeLinesAtomic(data.TextFile, lines);
    }

    void writePicture(const QString &id, int w = 40, int h = 30, QColor c = Qt::blue) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(c);
        img.save(data.DataDir + id + QStringLiteral(".rar"), "PNG");
    }

    // sMenu.sys: lines given by number (1-based); others "0".
    void writeMenu(const QMap<int, QString> &lines, int total = 465) {
        QStringList out;
        for (int i = 1; i <= total; ++i)
            out << lines.value(i, QStringLiteral("0"));
        textfile::writeLinesAtomic(data.programFile(QStringLiteral("sMenu.sys")), out);
    }
};
