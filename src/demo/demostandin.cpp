#include "demo/demostandin.h"
#include "platform/fonts.h"
#include "platform/screenplace.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace demo {

DemoStandIn::DemoStandIn(int question, bool slow, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmYanShi"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("操作演示"));
    auto *lay = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral("第%1题的操作演示（%2）")
                                .arg(question)
                                .arg(slow ? QStringLiteral("慢速") : QStringLiteral("正常速度")),
                            this);
    QFont f = platform::fonts::ui(10.5, true);
    f.setStyleStrategy(QFont::PreferAntialias);
    text->setFont(f);
    lay->addWidget(text);
    auto *back = new QPushButton(QStringLiteral("结束演示"), this);
    lay->addWidget(back);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    resize(280, 90);
    platform::centreOnScreen(this);
}

DemoStandIn::~DemoStandIn() {
    Q_EMIT finished();
}

} // namespace demo
