#pragma once
class Trainer;

// Opens the simulated exam login for the paper in CurSet (WorkMode 3, SetBase 0
// already set by the cover page's exam entry).
void openLogon(Trainer &trainer);
