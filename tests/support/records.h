#pragma once
// Step records for test fixtures, built field by field.

#include "simulator/steprecord.h"

#include <QString>

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
