#pragma once
// Step records for test fixtures, built field by field.

#include "simulator/steprecord.h"

#include <QString>

// A step record built field by field.
struct Rec {
    sim::bank::StepRecord r = sim::bank::StepRecord::blank();
    explicit Rec(const QString &code) {
        r.setStepCode(code);
        r.setScreenPicture(sim::bank::KeepId);
    }
    Rec &screen(const QString &id) {
        r.setScreenPicture(id);
        return *this;
    }
    Rec &zone(int x, int y, int w, int h) {
        r.setZone1(x, y, w, h);
        return *this;
    }
    Rec &zone2(int x, int y, int w, int h, QChar click = u'1') {
        r.setZone2(x, y, w, h, QString(click));
        return *this;
    }
    Rec &lock() {
        r.setLocked(true);
        return *this;
    }
    Rec &box(int x, int y, int w, int h, int textLine, int answerLine) {
        r.setBox(x, y, w, h);
        r.setBoxTexts(textLine, answerLine);
        return *this;
    }
    Rec &answer(int line) {
        r.setAnswerLine(line);
        return *this;
    }
    Rec &pointer(const QString &shape) {
        r.setPointerSpec(shape);
        return *this;
    }
    Rec &hint(int x, int y, int line) {
        r.setHint(x, y, line);
        return *this;
    }
    Rec &menuBar(int x, int y) {
        r.setMenuBar(x, y);
        return *this;
    }
    Rec &back(const QString &marker, int x, int y) {
        r.set(sim::bank::Field::MenuBarX, marker);
        r.setTarget(x, y);
        return *this;
    }
    Rec &pic(int k, int x, int y, const QString &id) {
        r.setPicture(k, x, y, id);
        return *this;
    }
    Rec &target(int x, int y) {
        r.setTarget(x, y);
        return *this;
    }
    operator sim::bank::StepRecord() const { return r; }
};
