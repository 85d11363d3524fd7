#pragma once
// What an opener of a run (a unit entry, the review entry, the exam login, the
// score report's reviews) sets on the question panel before it is shown.

#include <QString>
#include <optional>

struct PanelEntry {
    QString CmdCZTS;  // "手把手教" in practice and review
    QString Command1; // "操作演示"
    QString CmdEnd;   // "结束练习", "结束复习", ...
    bool PicUnitVisible = true;
    QString LblBiao;                // "单元练习-", "错题复习-", ...
    std::optional<QString> LblUnit; // set only when the opener sets it
};
