#pragma once
#include "platform/services.h"

#include <functional>

class QWidget;

namespace platform {

// Modal message boxes with the trainer's fixed texts. A box without its own
// title shows the application title given by titleSource.
class MessageBoxPrompter : public Prompter {
  public:
    explicit MessageBoxPrompter(std::function<QString()> titleSource) : m_title(std::move(titleSource)) {}
    Answer ask(const QString &text, Buttons buttons = Ok, Icon icon = NoIcon,
               const QString &title = QString(), Answer defaultAnswer = AnswerOk) override;

  private:
    std::function<QString()> m_title;
};

} // namespace platform
