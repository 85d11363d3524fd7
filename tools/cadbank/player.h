#pragma once
// Playing a bank's stored solutions through the trainer's own step engine: each
// step is solved by the core's solver (the learner's actions the window lets
// through) and its actions applied. A step no action can complete, a zone another
// control covers, and a question that does not reach its closing record one
// action per step are reported.

#include "compiler.h"

#include "start/moddata.h"

#include <QVector>

namespace cadbank {

// Plays every question of unit u (0-based) of the bank described by base (read
// from ver.txt). stepRel names the unit's step file in problems; counts are the
// index's step counts of its questions. Returns how many questions reached
// their closing record, marked solved, with one action per step.
int playUnit(const ModData &base, int u, const QString &stepRel, const QVector<int> &counts,
             QVector<Problem> &out);

} // namespace cadbank

namespace cadbank {
// The check decodes hundreds of 800 x 600 pictures one after another. Keeping
// freed picture buffers on the heap, instead of handing each back to the system
// and mapping fresh pages for the next, makes it about a quarter faster. Called
// once by the tool's main().
void keepPictureBuffers();
} // namespace cadbank
