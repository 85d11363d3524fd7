#pragma once
class QWidget;
class Trainer;

// Creates the cover page (the main menu) for the trainer; the caller shows it.
QWidget *createCoverWindow(Trainer &trainer);
