#include "platform/plaintext.h"

#include <QLabel>
#include <QTextDocument>

namespace platform {

QLabel *plainLabel(QWidget *parent, const QString &text) {
    auto *l = new QLabel(parent);
    showPlain(l);
    l->setText(text);
    return l;
}

void showPlain(QLabel *label) {
    label->setTextFormat(Qt::PlainText);
}

QString plainTip(const QString &text) {
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

} // namespace platform
