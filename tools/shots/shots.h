#pragma once
// The sub-commands of cadshots. Each takes the command line without its
// sub-command word: args[1] is the first argument after it.

#include <QStringList>

class QApplication;

int coverShots(const QStringList &args);
int panelShots(QApplication &app, const QStringList &args);
int screenShots(const QStringList &args);
int logonShots(const QStringList &args);
int demoShots(const QStringList &args);
int examShots(const QStringList &args);
