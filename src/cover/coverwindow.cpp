#include "cover/coverwindow.h"
#include "cover/frmfengmian.h"

#include <QCoreApplication>

QWidget *createCoverWindow(Trainer &trainer) {
    auto *form = new FrmFengmian(trainer);
    if (form->moduleMismatch()) {
        // the data folder belongs to another module: the program ends without a word
        delete form;
        QCoreApplication::exit(0);
        return nullptr;
    }
    return form;
}
