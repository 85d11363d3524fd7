#pragma once
// A question set written into a temporary program folder: step file, text table,
// pictures and sMenu.sys, with a ModData pointing at them.

#include "platform/textfile.h"
#include "records.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

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
        data.SetBase = SetBaseUnit;
        data.WorkMode = WorkPractice;
        data.CurQuestion = 1;
        data.CurStep = 1;
        for (int q = 1; q <= MaxQuestions; ++q) {
            data.QuestionMark[q] = QStringLiteral("F");
            data.SavedStep[q] = 1;
        }
    }

    // Questions one after the other; fills QuestionFirstStep and QuestionCount.
    void writeQuestions(const QList<QList<sim::bank::StepRecord>> &questions) {
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
        platform::textfile::writeLinesAtomic(data.StepFile, lines);
        platform::textfile::writeLinesAtomic(data.IndexFile, index);
    }
    void writeSteps(const QList<sim::bank::StepRecord> &steps) { writeQuestions({steps}); }

    // Text n is texts[n - 1].
    void writeTexts(const QStringList &texts) {
        QStringList lines;
        for (int i = 0; i < texts.size(); ++i)
            lines << QString::number(i + 1).rightJustified(3, u'0') + texts[i];
        platform::textfile::writeLinesAtomic(data.TextFile, lines);
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
        platform::textfile::writeLinesAtomic(data.programFile(QStringLiteral("sMenu.sys")), out);
    }
};
