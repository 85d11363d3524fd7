#pragma once
// Text from files, the learner and the update site is shown as it stands, never
// laid out as markup: a first line holding a tag would otherwise be read as a
// page, and a picture tag in it would load whatever file it names.
//
//   auto *l = platform::plainLabel(parent);   // a label for any text
//   platform::showPlain(existingLabel);       // the same for a label made elsewhere
//   w->setToolTip(platform::plainTip(text));  // a tooltip that shows text literally
//
// Labels are told their format. Tooltips cannot be: the tooltip window guesses
// (Qt::mightBeRichText), so a text it would take for markup is handed to it as
// markup that spells the text out, and every other text is left as it is.

#include <QString>

class QLabel;
class QWidget;

namespace platform {

// A label whose text is plain text.
QLabel *plainLabel(QWidget *parent = nullptr, const QString &text = QString());

// Makes label show its text (now and later) as plain text.
void showPlain(QLabel *label);

// The tooltip that shows text literally: text itself when the tooltip would not
// take it for markup, else the text escaped inside one paragraph that keeps its
// blanks and line ends.
QString plainTip(const QString &text);

} // namespace platform
