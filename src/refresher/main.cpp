// The question-bank update checker. It shares only files with the trainer.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QLabel w(QStringLiteral("题库升级检查程序\n\n此程序检查已安装题库的版本并打开下载页面。"));
    w.setWindowTitle(QStringLiteral("题库升级"));
    w.setAlignment(Qt::AlignCenter);
    w.setWindowFlag(Qt::WindowStaysOnTopHint);
    w.resize(360, 160);
    w.show();
    return app.exec();
}
