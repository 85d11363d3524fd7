#pragma once
class QWidget;
class Trainer;

// Creates the cover page (the main menu) for the trainer; the caller shows it.
// Returns nullptr, and ends the program, when the data folder belongs to another
// module.
QWidget *createCoverWindow(Trainer &trainer);
