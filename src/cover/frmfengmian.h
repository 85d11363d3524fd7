#pragma once
// FrmFengmian, the cover page: the trainer's main menu with the unit panel and
// the exam panel. Created anew every time it is shown; its lists are loaded from
// the data files in the constructor (cover::load). Entering a set unloads it.

#include "cover/coverart.h"
#include "cover/covermodel.h"
#include "cover/infopages.h"
#include "panel/panelentry.h"
#include "platform/clicklabel.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>
#include <utility>
#include <vector>

class QCheckBox;
class QFrame;
struct ModData;
namespace platform {
class Registry;
class Dragger;
class Launcher;
class Prompter;
} // namespace platform

class FrmFengmian : public QWidget {
    Q_OBJECT
  public:
    // data: the shared state the lists are read from and the entries set;
    // launcher starts the update checker (none: "题库升级" does nothing).
    FrmFengmian(ModData &data, platform::Prompter &prompter, platform::Launcher *launcher,
                QWidget *parent = nullptr);

    const cover::CoverState &state() const { return m_state; }
    bool moduleMismatch() const { return m_state.moduleMismatch; }
    // Why the page cannot be shown at all ("" when it can).
    QString fatalError() const { return m_state.fatal; }

    // Controls, by their names on the form.
    QLabel *LblCaption = nullptr;
    QLabel *LblKmMc = nullptr;
    QLabel *LblKmMc1 = nullptr;
    platform::ClickLabel *LblTiKu = nullptr;
    platform::ClickLabel *LblKaCH = nullptr;
    QLabel *ImgTiKu = nullptr, *ImgTiKu1 = nullptr, *ImgTiKu2 = nullptr;
    QLabel *ImgKaCH = nullptr, *ImgKaCH1 = nullptr, *ImgKaCH2 = nullptr;

    QWidget *PicTiKu = nullptr;
    std::array<QLabel *, cover::UnitSlots> ImgUnit{}, LblUnitNo{}, LblUnintSL{}, LblUnitWei{};
    // each unit's completion bar, named for assistive tools with its share
    std::array<QLabel *, cover::UnitSlots> ImgUnitBar{};
    std::array<platform::ClickLabel *, cover::UnitSlots> LblJinRuXX{};
    QLabel *ImgJinRuXXM = nullptr, *ImgJinRuXXD = nullptr;
    platform::ClickLabel *LblFanHui1 = nullptr, *LblExit1 = nullptr;

    QWidget *PicKaCH = nullptr;
    std::array<QLabel *, cover::PaperSlots> ImgShiJuan{}, LblShiJuanNo{}, LblKSInFo{};
    std::array<platform::ClickLabel *, cover::PaperSlots> LblStartKs{}, LblErr{};
    QLabel *ImgStartKsM = nullptr, *ImgStartKsD = nullptr;
    platform::ClickLabel *LblFanHui2 = nullptr, *LblExit2 = nullptr;

    platform::ClickLabel *LblClose = nullptr;
    QLabel *ImgClose = nullptr;
    platform::ClickLabel *LblExit = nullptr; // "题库升级"
    QCheckBox *Check1 = nullptr;
    QLabel *Label2 = nullptr; // "自动升级"
    platform::ClickLabel *LblAbout = nullptr;
    std::array<platform::ClickLabel *, 5> LblPro{}; // 1 .. 4
    QWidget *PicPro = nullptr;
    QLabel *PicProPage = nullptr; // the page picture inside PicPro
    platform::ClickLabel *LblLast = nullptr, *LblNext = nullptr;
    std::array<platform::ClickLabel *, cover::infopages::ModuleSlots> LblKmLj{};
    std::array<QFrame *, cover::infopages::ModuleSlots> ShapeKm{};
    platform::ClickLabel *LblWeb1 = nullptr, *LblWeb2 = nullptr, *LblQQ1 = nullptr, *LblQQ2 = nullptr;
    int InfoPage = 0;
    std::array<QString, cover::infopages::ModuleSlots> ModuleTarget;
    std::array<bool, cover::infopages::ModuleSlots> ModuleInstalled{};

    // Event handlers.
    void LblTiKu_Click();
    void LblKaCH_Click();
    void LblFanHui_Click();
    void LblJinRuXX_Click(int index);
    void LblStartKs_Click(int index);
    void LblErr_Click(int index);
    void LblExit12_Click();
    void LblClose_Click();
    void LblExit_Click();
    void Check1_Click();
    void LblPro_Click(int index);
    void LblLast_Click();
    void LblNext_Click();
    void LblKmLj_Click(int k);
    // Opens a link or a download page; tells the learner when nothing opened it.
    void openAddress(const QString &address);
    // Fills the module slots from the install records (the end of the load).
    void kmSetupYN(platform::Registry &registry);
    // Shows page InfoPage; the module slots only on the last page.
    void LoadProPic();

    // Builds the two panels and the information page (hidden); runs once, right
    // after the first paint or at the first use of a panel, whichever comes first.
    void buildPanels();

    // Restores the normal looks of the tabs and hides every hover image.
    void normalLooks();

    // The tab that opens the help window instead of a picture page ("使用说明").
    static constexpr int HelpTab = 3;

    // Where page pictures sit inside PicPro.
    static constexpr QPoint PageOrigin{10, 8};

  Q_SIGNALS:
    // A unit practice or the wrong-question review has been entered (the shared
    // state describes the set): the run opens with these captions. The page has
    // unloaded itself.
    void runRequested(const PanelEntry &entry);
    // An exam paper has been entered (CurSet, WorkMode, SetBase set): the login is next.
    void examRequested();
    // "关于本软件": the about box, modal over the page.
    void aboutRequested();

  protected:
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    // The arrow keys on a panel's buttons move in two dimensions, as they are laid out.
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void build();
    void buildUnitPanel();
    void buildExamPanel();
    void buildFooter();
    void fill();
    void fillPanels();
    void showModuleStates();
    void turnPage(const cover::infopages::Turn &t);
    void showTabLook(cover::coverart::Tab t, cover::coverart::Look look);
    // A panel or the information page opened or closed: the keyboard moves into
    // it (or back to the control that opened it) and leaves the covered page alone.
    void overlayChanged(QWidget *opener);
    bool confirmExit();
    void unload();
    platform::Prompter &prompter() { return m_prompter; }

    ModData &m_data;
    platform::Prompter &m_prompter;
    platform::Launcher *m_launcher;
    cover::CoverState m_state;
    QPixmap m_background;
    platform::Dragger *m_drag = nullptr; // the page is dragged by its background
    bool m_panelsBuilt = false;
    bool m_panelsQueued = false;
    std::vector<std::pair<QWidget *, Qt::FocusPolicy>> m_pageKeys; // the page's own focusable controls
    std::vector<QPointer<QWidget>> m_covered;                      // what the open panel hides
    QPointer<QWidget> m_opener;                                    // what opened the panel shown
};
