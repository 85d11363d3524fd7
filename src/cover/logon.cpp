#include "cover/logon.h"
#include "start/trainer.h"

// Stand-in until the exam login exists: says so and returns to a fresh cover page.
void openLogon(Trainer &trainer) {
    if (auto *prompter = trainer.services().prompter)
        prompter->ask(QStringLiteral("第 %1 套试卷的模拟考试登录尚未开放。").arg(trainer.data().CurSet + 1),
                      platform::Prompter::Ok, platform::Prompter::Information);
    trainer.showCover();
}
