#pragma once
// What an opener of a run (a unit entry, the review entry, the exam login, the
// score report's reviews) sets on the question panel before it is shown: the
// kind of run, which gives the toolbar's captions and rules, and the first title.

#include "panel/panelrules.h"

#include <QString>
#include <optional>

struct PanelEntry {
    panel::RunKind kind = panel::RunKind::Practice;
    QString LblBiao;                // "单元练习-", "错题复习-", ...
    std::optional<QString> LblUnit; // set only when the opener sets it
};
