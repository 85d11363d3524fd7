#pragma once
// What stepping through a question leaves in the learner's record: the step each
// question was left at, the pictures it showed, its score and mark when its
// closing record is reached, and the panel captions that follow from them. The
// step engine reports to a LearnerRecord; an engine given none (a demonstration
// stepping its own copy of the screen) leaves the learner's state untouched.

#include <QString>
#include <functional>
#include <optional>

struct ModData;

namespace sim {

// Captions the closing record gives the question panel (LblBiao, LblUnit); a
// caption left empty keeps the panel's text.
struct PanelCaptions {
    std::optional<QString> title;      // LblBiao
    std::optional<QString> unfinished; // LblUnit
};

class LearnerRecord {
  public:
    virtual ~LearnerRecord() = default;
    // The window opens: every question starts again at step 1.
    virtual void resetSteps() = 0;
    // Question q reached step `step` (SavedStep).
    virtual void stepReached(int q, int step) = 0;
    // Question q shows picture id in slot (0 the screen, 1-5 pictures 1-5).
    virtual void pictureShown(int q, int slot, const QString &id) = 0;
    // The closing record of question q was set up: the question is solved.
    virtual PanelCaptions questionSolved(int q) = 0;
    // An action on the closing record: the question counts as solved again.
    virtual void closingActedOn(int q) = 0;
};

// The learner's record kept in ModData (SavedStep, QuestionScreen, QuestionScore,
// QuestionMark), as the trainer keeps it for a run.
class ModDataRecord : public LearnerRecord {
  public:
    explicit ModDataRecord(ModData &data) : m_data(data) {}
    void resetSteps() override;
    void stepReached(int q, int step) override;
    void pictureShown(int q, int slot, const QString &id) override;
    PanelCaptions questionSolved(int q) override;
    void closingActedOn(int q) override;

    // Called once a question has newly become solved (its score and mark set),
    // so that the run can keep it on the disk at once; none by default.
    void setSolvedKeeper(std::function<void(int q)> keeper) { m_keeper = std::move(keeper); }

    // "未完成的题目" and the numbers of the questions still open: by mark ("F")
    // or by score (below 4).
    static QString unfinishedList(const ModData &d, bool byMark);

  private:
    ModData &m_data;
    std::function<void(int)> m_keeper;
};

} // namespace sim
