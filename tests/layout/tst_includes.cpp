// The include structure of src/: every folder includes only the folders below
// it (platform -> start -> simulator -> panel and demo -> cover -> app; the update
// checker beside them on platform and start), and no files include each other in
// a loop. The rules are checked on small trees that break them, then on src/.
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// A small source tree: each file's path below src/ and its text.
using Tree = QHash<QString, QString>;

// Which folders each folder of src/ may include, its own always allowed.
const QHash<QString, QSet<QString>> &allowed() {
    static const QHash<QString, QSet<QString>> rules = {
        {QStringLiteral("platform"), {}},
        {QStringLiteral("start"), {QStringLiteral("platform")}},
        {QStringLiteral("simulator"), {QStringLiteral("start"), QStringLiteral("platform")}},
        {QStringLiteral("panel"),
         {QStringLiteral("simulator"), QStringLiteral("start"), QStringLiteral("platform")}},
        {QStringLiteral("demo"),
         {QStringLiteral("simulator"), QStringLiteral("start"), QStringLiteral("platform")}},
        {QStringLiteral("cover"),
         {QStringLiteral("panel"), QStringLiteral("demo"), QStringLiteral("simulator"),
          QStringLiteral("start"), QStringLiteral("platform")}},
        {QStringLiteral("app"),
         {QStringLiteral("cover"), QStringLiteral("panel"), QStringLiteral("demo"),
          QStringLiteral("simulator"), QStringLiteral("start"), QStringLiteral("platform")}},
        {QStringLiteral("refresher"), {QStringLiteral("start"), QStringLiteral("platform")}},
    };
    return rules;
}

// Each source file below root ("folder/file.h") with the project files it
// includes by their quoted path.
QHash<QString, QStringList> includeGraph(const QString &root) {
    static const QRegularExpression quoted(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""));
    QHash<QString, QStringList> graph;
    QDirIterator it(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        QStringList &includes = graph[QDir(root).relativeFilePath(path)];
        while (!f.atEnd()) {
            const auto m = quoted.match(QString::fromUtf8(f.readLine()));
            if (m.hasMatch())
                includes << m.captured(1);
        }
    }
    return graph;
}

QString folderOf(const QString &file) {
    const qsizetype slash = file.indexOf(u'/');
    return slash < 0 ? QString() : file.left(slash);
}

// "file: includes target" for every include that runs up the folder order or
// into a folder the rules do not know.
QStringList upwardIncludes(const QHash<QString, QStringList> &graph) {
    QStringList found;
    for (auto it = graph.cbegin(); it != graph.cend(); ++it) {
        const QString from = folderOf(it.key());
        for (const QString &target : it.value()) {
            const QString to = folderOf(target);
            if (to.isEmpty() || to == from || !graph.contains(target))
                continue; // a file of the same folder, or not one of ours (a generated header)
            if (!allowed().contains(from) || !allowed()[from].contains(to))
                found << it.key() + QStringLiteral(": includes ") + target;
        }
    }
    found.sort();
    return found;
}

// Every loop of includes, each as "a -> b -> ... -> a", found once.
QStringList includeLoops(const QHash<QString, QStringList> &graph) {
    enum Mark { Unseen, OnPath, Done };
    QHash<QString, Mark> mark;
    QStringList path, loops;
    std::function<void(const QString &)> visit = [&](const QString &file) {
        mark[file] = OnPath;
        path << file;
        for (const QString &target : graph.value(file)) {
            if (!graph.contains(target))
                continue;
            if (mark.value(target) == OnPath)
                loops << (path.mid(path.indexOf(target)) << target).join(QStringLiteral(" -> "));
            else if (mark.value(target) == Unseen)
                visit(target);
        }
        path.removeLast();
        mark[file] = Done;
    };
    QStringList files = graph.keys();
    files.sort();
    for (const QString &file : files)
        if (mark.value(file) == Unseen)
            visit(file);
    return loops;
}

// The same graph with a header and its source taken as one unit ("start/setfiles"
// for setfiles.h and setfiles.cpp): two units whose sources include each other's
// headers depend on each other, though no file includes itself through others.
QHash<QString, QStringList> unitGraph(const QHash<QString, QStringList> &graph) {
    const auto unitOf = [](const QString &file) { return file.left(file.lastIndexOf(u'.')); };
    QHash<QString, QStringList> units;
    for (auto it = graph.cbegin(); it != graph.cend(); ++it) {
        QStringList &targets = units[unitOf(it.key())];
        for (const QString &target : it.value())
            if (graph.contains(target) && unitOf(target) != unitOf(it.key()) &&
                !targets.contains(unitOf(target)))
                targets << unitOf(target);
    }
    return units;
}

void writeTree(const QString &root, const Tree &files) {
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = root + u'/' + it.key();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(it.value().toUtf8());
    }
}

} // namespace

class TstIncludes : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Small trees that keep or break the rules, and what the checks report.
    void rules_data() {
        QTest::addColumn<Tree>("files");
        QTest::addColumn<QStringList>("upward");
        QTest::addColumn<QStringList>("loops");
        const QString inc = QStringLiteral("#include \"%1\"\n");
        QTest::newRow("downward only")
            << Tree{{QStringLiteral("panel/a.h"), inc.arg(QStringLiteral("start/b.h"))},
                    {QStringLiteral("start/b.h"), inc.arg(QStringLiteral("platform/c.h"))},
                    {QStringLiteral("platform/c.h"), QStringLiteral("#include <QString>\n")}}
            << QStringList() << QStringList();
        QTest::newRow("platform includes start")
            << Tree{{QStringLiteral("platform/c.cpp"), inc.arg(QStringLiteral("start/b.h"))},
                    {QStringLiteral("start/b.h"), QString()}}
            << QStringList{QStringLiteral("platform/c.cpp: includes start/b.h")} << QStringList();
        QTest::newRow("panel and demo stay apart")
            << Tree{{QStringLiteral("demo/d.cpp"), inc.arg(QStringLiteral("panel/p.h"))},
                    {QStringLiteral("panel/p.h"), QString()}}
            << QStringList{QStringLiteral("demo/d.cpp: includes panel/p.h")} << QStringList();
        QTest::newRow("nothing includes app")
            << Tree{{QStringLiteral("cover/f.cpp"), inc.arg(QStringLiteral("app/trainer.h"))},
                    {QStringLiteral("app/trainer.h"), QString()}}
            << QStringList{QStringLiteral("cover/f.cpp: includes app/trainer.h")} << QStringList();
        QTest::newRow("the update checker takes nothing of the forms")
            << Tree{{QStringLiteral("refresher/s.cpp"), inc.arg(QStringLiteral("cover/f.h"))},
                    {QStringLiteral("cover/f.h"), QString()}}
            << QStringList{QStringLiteral("refresher/s.cpp: includes cover/f.h")} << QStringList();
        QTest::newRow("a loop inside one folder")
            << Tree{{QStringLiteral("start/a.h"), inc.arg(QStringLiteral("start/b.h"))},
                    {QStringLiteral("start/b.h"), inc.arg(QStringLiteral("start/c.h"))},
                    {QStringLiteral("start/c.h"), inc.arg(QStringLiteral("start/a.h"))}}
            << QStringList()
            << QStringList{QStringLiteral("start/a.h -> start/b.h -> start/c.h -> start/a.h")};
        QTest::newRow("a file including itself")
            << Tree{{QStringLiteral("demo/a.h"), inc.arg(QStringLiteral("demo/a.h"))}} << QStringList()
            << QStringList{QStringLiteral("demo/a.h -> demo/a.h")};
    }
    void rules() {
        QFETCH(Tree, files);
        QFETCH(QStringList, upward);
        QFETCH(QStringList, loops);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        writeTree(root.path(), files);
        const auto graph = includeGraph(root.path());
        QCOMPARE(upwardIncludes(graph), upward);
        QCOMPARE(includeLoops(graph), loops);
    }

    // Units (a header with its source) that depend on each other through their
    // sources' includes.
    void unitLoops_data() {
        QTest::addColumn<Tree>("files");
        QTest::addColumn<QStringList>("loops");
        const QString inc = QStringLiteral("#include \"%1\"\n");
        QTest::newRow("a source includes its own header")
            << Tree{{QStringLiteral("start/a.cpp"), inc.arg(QStringLiteral("start/a.h"))},
                    {QStringLiteral("start/a.h"), QString()}}
            << QStringList();
        QTest::newRow("one way between two units")
            << Tree{{QStringLiteral("start/a.cpp"),
                     inc.arg(QStringLiteral("start/a.h")) + inc.arg(QStringLiteral("start/b.h"))},
                    {QStringLiteral("start/a.h"), QString()},
                    {QStringLiteral("start/b.cpp"), inc.arg(QStringLiteral("start/b.h"))},
                    {QStringLiteral("start/b.h"), QString()}}
            << QStringList();
        QTest::newRow("sources including each other's headers")
            << Tree{{QStringLiteral("start/a.cpp"),
                     inc.arg(QStringLiteral("start/a.h")) + inc.arg(QStringLiteral("start/b.h"))},
                    {QStringLiteral("start/a.h"), QString()},
                    {QStringLiteral("start/b.cpp"),
                     inc.arg(QStringLiteral("start/b.h")) + inc.arg(QStringLiteral("start/a.h"))},
                    {QStringLiteral("start/b.h"), QString()}}
            << QStringList{QStringLiteral("start/a -> start/b -> start/a")};
    }
    void unitLoops() {
        QFETCH(Tree, files);
        QFETCH(QStringList, loops);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        writeTree(root.path(), files);
        const auto graph = includeGraph(root.path());
        QCOMPARE(includeLoops(graph), QStringList());
        QCOMPARE(includeLoops(unitGraph(graph)), loops);
    }

    // The project's own sources.
    void sourceTree() {
        const auto graph = includeGraph(QStringLiteral(CADDRILL_SOURCE_DIR "/src"));
        QVERIFY2(graph.size() > 50, "the source tree was not found");
        for (const QString &file : graph.keys())
            QVERIFY2(allowed().contains(folderOf(file)),
                     qPrintable(file + QStringLiteral(": a folder without rules")));
        const QStringList upward = upwardIncludes(graph);
        QVERIFY2(upward.isEmpty(), qPrintable(upward.join(u'\n')));
        const QStringList loops = includeLoops(graph) + includeLoops(unitGraph(graph));
        QVERIFY2(loops.isEmpty(), qPrintable(loops.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TstIncludes)
#include "tst_includes.moc"
