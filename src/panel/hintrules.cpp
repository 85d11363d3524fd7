#include "panel/hintrules.h"

#include <QCoreApplication>

#include <algorithm>

namespace panel {

namespace hint {

QString title() {
    return QCoreApplication::translate("panel::hint", "操作提示");
}
QString warning() {
    return QCoreApplication::translate("panel::hint", "请注意!!!");
}
QString explanation() {
    return QCoreApplication::translate(
        "panel::hint", "1.正式考试时不能看答案。\r\n\r\n"
                       "2.如果有不会做的题目，在结束考试后，可以点“本次错题复习”或者“本次考题复习”，"
                       "这时，所有试题都可以查看答案（手把手教和操作演示都可以）。\r\n\r\n"
                       "3.如果你等不及了，可以点“我想立即看答案”。");
}
QString selfCaption() {
    return QCoreApplication::translate("panel::hint", "我先独立完成");
}
QString answerCaption() {
    return QCoreApplication::translate("panel::hint", "我想立即看答案");
}
QString confirmTitle() {
    return QCoreApplication::translate("panel::hint", "不建议您立即看答案");
}
QString confirmText() {
    return QCoreApplication::translate(
        "panel::hint",
        "立即看答案将不能测试您的实际水平，如果你坚持现在看答案，成绩将不记入本次练习记录！\r\n"
        "您现在就要看答案吗？");
}

} // namespace hint

namespace inputmenu {

int32_t Menu::handle(int entry) const {
    if (entry == 0)
        return engHandle;
    if (entry < 1 || entry > CnEntries)
        return 0;
    return cnHandle[entry - 1];
}

int Menu::shownEntries() const {
    return 1 + int(std::count(cnVisible.begin(), cnVisible.end(), true));
}

Menu build(const QList<platform::InstalledLayout> &layouts) {
    Menu m;
    m.engCaption = QCoreApplication::translate("panel::inputmenu", "英语（美国）");
    for (int k = 1; k <= CnEntries; ++k)
        m.cnCaption[k - 1] = QCoreApplication::translate("panel::inputmenu", "中文%1").arg(k);
    m.count = 1;
    const qsizetype n = std::min<qsizetype>(layouts.size(), platform::KeyboardLayout::MaxLayouts);
    for (qsizetype i = 0; i < n; ++i) {
        QString d = layouts[i].description;
        const qsizetype nul = d.indexOf(QChar(0));
        if (nul >= 0)
            d.truncate(nul);
        d = d.trimmed();
        if (d.isEmpty()) {
            if (m.engHandle == 0)
                m.engHandle = layouts[i].handle;
            continue;
        }
        if (m.count <= CnEntries) {
            m.cnCaption[m.count - 1] = d;
            m.cnHandle[m.count - 1] = layouts[i].handle;
        }
        ++m.count;
    }
    for (int k = 1; k <= CnEntries; ++k)
        m.cnVisible[k - 1] = k == 1 || k < m.count;
    return m;
}

QPoint popupCorner(int indicatorLeft, int indicatorTop, int frameTop, int count) {
    return QPoint(indicatorLeft, indicatorTop - count * 300 + frameTop);
}

} // namespace inputmenu

} // namespace panel
