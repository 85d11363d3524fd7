#include "simulator/screenlayout.h"
#include "platform/textfile.h"
#include "simulator/bankreader.h"

#include <QCoreApplication>

#include <cmath>

namespace sim {

const std::array<QString, MenuTitles> &designMenuTitles() {
    static const std::array<QString, MenuTitles> t = {
        QStringLiteral("文件(&F)"), QStringLiteral("编辑(&E)"), QStringLiteral("查看(&V)"),
        QStringLiteral("收藏(&A)"), QStringLiteral("工具(&T)"), QStringLiteral("帮助(&H)"),
        QStringLiteral("转到(&T)"), QStringLiteral("文件(&F)"), QStringLiteral("文件(&F)"),
        QStringLiteral("帮助(&H)"), QStringLiteral("文件(&F)")};
    return t;
}

const std::array<QString, MenuTitles> &cadMenuTitles() {
    static const std::array<QString, MenuTitles> t = {
        QStringLiteral("文件(&F)"), QStringLiteral("编辑(&E)"), QStringLiteral("视图(&V)"),
        QStringLiteral("插入(&I)"), QStringLiteral("格式(&O)"), QStringLiteral("工具(&T)"),
        QStringLiteral("绘图(&D)"), QStringLiteral("标注(&N)"), QStringLiteral("修改(&M)"),
        QStringLiteral("窗口(&W)"), QStringLiteral("帮助(&H)")};
    return t;
}

QString typingPrompt(const QString &hint) {
    return QCoreApplication::translate("sim", "输入 %1").arg(sim::bank::hintPrompt(hint));
}

LayoutResult layoutStep(const LayoutInput &in, const ScreenModel &previous) {
    const sim::bank::StepRecord &r = in.record;
    auto sx = [&](int v) { return scaledPlace(v, in.scaleX); };
    auto sy = [&](int v) { return scaledPlace(v, in.scaleY); };
    // Texts laid out are cut at a length no bank reaches (a damaged table line of
    // megabytes would hold the window up at every step).
    auto text = [&](int n) {
        return (n > 0 && in.text) ? platform::textfile::shownText(in.text(n)) : QString();
    };

    LayoutResult out;
    ScreenModel &m = out.screen;
    m = previous;

    // 1, 4: success text hidden, selection window back to 1 x 1.
    m.successVisible = false;
    m.selection = {m.selection.x, m.selection.y, 1, 1};
    m.selectionVisible = false;

    // 5: the first step of a question starts from empty pictures.
    if (in.curStep == 1)
        for (int k = 1; k <= 5; ++k)
            m.pics[k].id.clear();

    // 7: screen picture.
    if (r.ScreenPicture() != sim::bank::KeepId) {
        m.background = r.ScreenPicture();
        out.backgroundLoaded = true;
    }

    // 8: pictures 1..5.
    for (int k = 1; k <= 5; ++k) {
        PictureState &p = m.pics[k];
        if (!r.picturePlaced(k)) {
            p.visible = false;
            continue;
        }
        p.x = sx(r.picX(k));
        p.y = sy(r.picY(k));
        if (r.PicId(k) != sim::bank::KeepId) {
            p.id = r.PicId(k);
            out.pictureLoaded[k] = true;
        }
        p.visible = true;
        if (k == 5) {
            m.picLeft = p.x;
            m.picTop = p.y;
        }
    }

    // 9: drag target of picture 5.
    m.picTargetX = r.targetX();
    m.picTargetY = r.targetY();

    // 10: zone 1 (an absent zone shrinks to 1 x 1 at its old place).
    if (r.zone1Present()) {
        m.zone1.x = sx(r.zoneX());
        m.zone1.y = sy(r.zoneY());
        m.zone1.w = sx(r.zoneW());
        if (r.zoneH() != 0) {
            m.zone1AutoSize = false;
            m.zone1.h = sy(r.zoneH());
        } else {
            m.zone1AutoSize = true;
            m.zone1.h = sy(AutoZoneHeight);
        }
    } else {
        m.zone1.w = sx(1);
        m.zone1.h = sy(1);
    }

    // 11: input box.
    if (r.boxPresent()) {
        m.boxVisible = true;
        m.box = {sx(r.boxX()), sy(r.boxY()), sx(r.boxW()), sy(r.boxH())};
        m.boxText = text(r.boxTextLine());
    } else {
        m.boxVisible = false;
        m.overlayVisible = false;
    }

    // 12: hint.
    if (r.hintPlaced()) {
        m.hintX = sx(r.hintX());
        m.hintY = sy(r.hintY());
        m.hintText = r.hintLine() == 0 ? QStringLiteral("  ") : text(r.hintLine());
    }

    // 13: guided teaching shows the hint and the outline of zone 1.
    const bool guided = in.workMode == 1;
    m.hintVisible = guided;
    m.outline1 = guided;

    // 14: menu bar (a back marker or any non-number hides it).
    if (r.menuBarShown()) {
        m.menuBarVisible = true;
        m.menuBarLeft = int16_t(r.menuBarX());
        m.menuBarTop = int16_t(r.menuBarY());
    } else {
        m.menuBarVisible = false;
    }

    // 15: step value; menu steps show the drawing program's menu titles.
    m.code = r.StepCode();
    m.stepValue = sim::bank::stepValue(m.code);
    const QChar c0 = m.code.isEmpty() ? QChar() : m.code.at(0);
    if (c0 == u'A' || c0 == u'B' || c0 == u'C')
        m.menuTitles = cadMenuTitles();

    // 17: back button.
    if (r.hasBackMarker()) {
        m.backSpec = r.MenuBarX();
        m.back = {sx(r.targetX()), sy(r.targetY()), sx(BackButtonW), sy(BackButtonH)};
    } else {
        m.backSpec = QStringLiteral("NONO");
        m.back.w = sx(1);
        m.back.h = sy(1);
    }

    // 18: zone 2 (absent: 1 x 1 twip just left of the window).
    if (r.zone2Present())
        m.zone2 = {sx(r.zone2X()), sy(r.zone2Y()), sx(r.zone2W()), sy(r.zone2H())};
    else
        m.zone2 = {-1, m.zone2.y, 1, 1};

    // 19: guided outlines.
    m.hintVisible = guided;
    m.outline1 = guided;
    m.outline4 = guided;

    // 20: the automatic step.
    m.timer3 = m.stepValue == 8888;

    // 21: the closing record.
    out.closing = r.isClosing();
    if (out.closing) {
        m.outline1 = false;
        if (in.workMode != 3) {
            m.successVisible = true;
            m.hintVisible = false;
        }
    } else {
        m.outline1 = m.hintVisible;
    }

    // 22: the overlay box takes Text1's place and text.
    if (m.code == QLatin1String("0021")) {
        m.outline1 = false;
        m.overlayText = m.boxText;
        m.overlay = m.box;
        m.overlayVisible = true;
        m.boxVisible = false;
    } else {
        m.overlayVisible = false;
    }

    // 23, 24: prompts of the typing steps.
    if (m.code == QLatin1String("0020") || m.code == QLatin1String("0021")) {
        m.outline1 = false;
        m.hintText = typingPrompt(m.hintText);
    }
    if (m.code == QLatin1String("A111"))
        m.hintText = QCoreApplication::translate("sim", "输入 %1并按回车键或空格键")
                         .arg(sim::bank::hintPrompt(m.hintText));

    return out;
}

} // namespace sim

namespace sim {
WindowPlacement windowPlacement(const QRect &screen, double scaleX, double scaleY) {
    WindowPlacement p;
    if (650.0 * scaleY >= screen.height()) {
        p.maximised = true;
        p.rect = screen;
        return p;
    }
    const int w = int(std::lround(800 * scaleX));
    const int h = int(std::lround(600 * scaleY));
    p.rect = QRect(screen.x() + (screen.width() - w) / 2, screen.y() + (screen.height() - h) / 2, w, h);
    return p;
}
} // namespace sim
