#include "../start/trainer.h"

#include <QMessageBox>

// Stand-in until the question panel exists: says which run would open.
void Trainer::openRun(const PanelEntry &entry)
{
    QMessageBox::information(nullptr, m_data.appTitle(), entry.LblBiao + QString::number(m_data.CurSet + 1));
}
