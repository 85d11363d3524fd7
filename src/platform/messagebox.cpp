#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

Prompter::Answer MessageBoxPrompter::ask(const QString &text, Buttons buttons, Icon icon,
                                         const QString &title, Answer defaultAnswer) {
    QMessageBox box;
    box.setWindowTitle(title.isEmpty() ? m_title() : title);
    box.setTextFormat(Qt::PlainText); // the texts name files and carry what files hold
    box.setText(text);
    switch (icon) {
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    default:
        break;
    }
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case Ok:
        set = QMessageBox::Ok;
        break;
    case OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        break;
    case YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    box.setStandardButtons(set);
    auto toButton = [](Answer a) {
        switch (a) {
        case AnswerCancel:
            return QMessageBox::Cancel;
        case AnswerYes:
            return QMessageBox::Yes;
        case AnswerNo:
            return QMessageBox::No;
        default:
            return QMessageBox::Ok;
        }
    };
    if (set.testFlag(toButton(defaultAnswer)))
        box.setDefaultButton(toButton(defaultAnswer));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return AnswerCancel;
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    default:
        return AnswerOk;
    }
}

} // namespace platform
