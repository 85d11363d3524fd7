#include "compiler.h"

#include "cursors.h"
#include "platform/textfile.h"
#include "simulator/bankreader.h"
#include "simulator/screenlayout.h"
#include "simulator/stepcode.h"
#include "simulator/steprecord.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace cadbank {

QString Problem::text() const {
    QString s = file;
    if (line > 0)
        s += u':' + QString::number(line);
    s += QStringLiteral(": ");
    if (!field.isEmpty())
        s += field + QStringLiteral(": ");
    return s + reason;
}

const QStringList &barTitles() {
    static const QStringList t(sim::cadMenuTitles().begin(), sim::cadMenuTitles().end());
    return t;
}

namespace {

QString plain(QString t) {
    t.remove(u'&');
    if (t.endsWith(QLatin1String("...")))
        t.chop(3);
    return t.trimmed();
}

// ---- menus -------------------------------------------------------------

struct Slot {
    bool sub;
    int group;
    int titleLine; // 1-based within block (submenus), 0 for direct
    int entryLine;
};
const Slot slots[9] = {{true, 1, 2, 3},   {false, 2, 0, 4},  {true, 3, 5, 6},
                       {false, 4, 0, 7},  {true, 5, 8, 9},   {false, 6, 0, 10},
                       {true, 7, 11, 12}, {true, 8, 13, 14}, {false, 9, 0, 15}};

} // namespace

bool packMenu(const MenuDef &m, MenuBlock &out, QString *why) {
    out.lines = QStringList(15, QStringLiteral("0"));
    out.lines[0] = m.name;
    out.where.clear();
    int slot = 0;
    int i = 0;
    auto remember = [&](const QString &path, int code) {
        out.where.insert(path, code);
        out.where.insert(plain(path), code);
    };
    while (i < m.items.size()) {
        const MenuItem &it = m.items.at(i);
        if (it.submenu) {
            while (slot < 9 && !slots[slot].sub)
                ++slot;
            if (slot >= 9) {
                *why =
                    QStringLiteral("menu “%1” has more submenus than its pop-up can hold here (submenu “%2”)")
                        .arg(m.name, it.text);
                return false;
            }
            if (it.entries.size() > 10) {
                *why = QStringLiteral("submenu “%1” has more than 10 entries").arg(it.text);
                return false;
            }
            out.lines[slots[slot].titleLine - 1] = it.text;
            out.lines[slots[slot].entryLine - 1] = it.entries.join(u'|');
            for (int k = 0; k < it.entries.size(); ++k)
                if (it.entries.at(k) != u"-")
                    remember(it.text + QStringLiteral(" > ") + it.entries.at(k), slots[slot].group * 10 + k);
            remember(it.text, -1);
            ++slot;
            ++i;
            continue;
        }
        while (slot < 9 && slots[slot].sub)
            ++slot;
        if (slot >= 9) {
            *why = QStringLiteral("menu “%1” has more entry groups than its pop-up can hold (at “%2”)")
                       .arg(m.name, it.text);
            return false;
        }
        QStringList run;
        while (i < m.items.size() && !m.items.at(i).submenu && run.size() < 10)
            run << m.items.at(i++).text;
        out.lines[slots[slot].entryLine - 1] = run.join(u'|');
        for (int k = 0; k < run.size(); ++k)
            if (run.at(k) != u"-")
                remember(run.at(k), slots[slot].group * 10 + k);
        ++slot;
    }
    return true;
}

namespace {

// ---- source reading ------------------------------------------------------

struct Reader {
    QVector<Problem> &problems;
    void fail(const SrcLine &at, const QString &reason) {
        problems.push_back({at.file, at.line, QString(), reason});
    }
    void fail(const QString &file, int line, const QString &reason) {
        problems.push_back({file, line, QString(), reason});
    }

    bool lines(const QString &folder, const QString &rel, QVector<SrcLine> &out) {
        if (rel.isEmpty() || QDir::isAbsolutePath(rel) || rel.split(u'/').contains(QStringLiteral(".."))) {
            fail(QStringLiteral("module.txt"), 0,
                 QStringLiteral("“%1” must be a path inside the source folder").arg(rel));
            return false;
        }
        QFile f(QDir(folder).filePath(rel));
        if (!f.open(QIODevice::ReadOnly)) {
            fail(rel, 0, QStringLiteral("cannot be read"));
            return false;
        }
        const QStringList all = QString::fromUtf8(f.readAll()).split(u'\n');
        for (int i = 0; i < all.size(); ++i) {
            QString t = all.at(i);
            if (t.endsWith(u'\r'))
                t.chop(1);
            if (t.trimmed().isEmpty() || t.trimmed().startsWith(u'#'))
                continue;
            out.push_back({rel, i + 1, t});
        }
        return true;
    }
};

QString word(const QString &t, QString *rest) {
    const QString s = t.trimmed();
    const int sp = s.indexOf(u' ');
    if (sp < 0) {
        *rest = QString();
        return s;
    }
    *rest = s.mid(sp + 1).trimmed();
    return s.left(sp);
}

// Takes "[key=value]" and "[key]" options out of a step line (anywhere in it).
QString takeOptions(QString rest, QMap<QString, QString> &opts) {
    static const QRegularExpression opt(QStringLiteral("\\s*\\[([a-z0-9]+)(?:=([^\\]]*))?\\]"));
    auto it = opt.globalMatch(rest);
    while (it.hasNext()) {
        const auto m = it.next();
        opts.insert(m.captured(1), m.captured(2));
    }
    rest.remove(opt);
    return rest.trimmed();
}

bool parseCodes(const QString &list, QVector<int> &codes, int unitCount, const QVector<int> &counts,
                QString *why) {
    for (const QString &tok : list.split(u' ', Qt::SkipEmptyParts)) {
        static const QRegularExpression re(QStringLiteral("^(\\d+)\\.(\\d+)(?:-(\\d+))?$"));
        const auto m = re.match(tok);
        if (!m.hasMatch()) {
            *why = QStringLiteral("“%1” is not a unit.question or unit.first-last reference").arg(tok);
            return false;
        }
        const int u = m.captured(1).toInt();
        const int a = m.captured(2).toInt();
        const int b = m.captured(3).isEmpty() ? a : m.captured(3).toInt();
        if (u < 1 || u > unitCount) {
            *why = QStringLiteral("unit %1 does not exist").arg(u);
            return false;
        }
        for (int q = a; q <= b; ++q) {
            if (q < 1 || q > counts.at(u - 1)) {
                *why = QStringLiteral("unit %1 has no question %2").arg(u).arg(q);
                return false;
            }
            codes << (u - 1) * 100 + q;
        }
    }
    return true;
}

} // namespace

bool readSource(const QString &folder, Module &m, QVector<Problem> &problems) {
    Reader rd{problems};
    const int before = problems.size();
    QVector<SrcLine> lines;
    if (!rd.lines(folder, QStringLiteral("module.txt"), lines))
        return false;
    QVector<SrcLine> paperLines;
    for (const SrcLine &l : lines) {
        QString rest;
        const QString key = word(l.text, &rest);
        if (key == u"name")
            m.name = rest;
        else if (key == u"title")
            m.subtitle = rest;
        else if (key == u"folder") {
            if (!start::verfile::isSafeName(rest) ||
                rest.contains(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]"))))
                rd.fail(l, QStringLiteral("the data folder name must be plain ASCII letters and digits"));
            m.folder = rest;
        } else if (key == u"number")
            m.number = rest.toInt();
        else if (key == u"version")
            m.version = rest;
        else if (key == u"unit") {
            SrcUnit u;
            u.file = rest;
            m.units.push_back(u);
        } else if (key == u"paper")
            paperLines.push_back({l.file, l.line, rest});
        else if (key == u"menus" || key == u"pages") {
            QVector<SrcLine> sub;
            if (!rd.lines(folder, rest, sub))
                continue;
            if (key == u"pages") {
                for (const SrcLine &s : sub) {
                    QString r;
                    const QString k = word(s.text, &r);
                    if (k == u"page")
                        m.pages.push_back({r, {}, {}});
                    else if (m.pages.isEmpty())
                        rd.fail(s, QStringLiteral("text before the first page"));
                    else if (k == u"modules")
                        m.pages.last().modules = r.split(u'|');
                    else
                        m.pages.last().paragraphs << s.text.trimmed();
                }
                continue;
            }
            for (const SrcLine &s : sub) {
                const int indent =
                    s.text.size() - QString(s.text).remove(QRegularExpression(QStringLiteral("^ +"))).size();
                const QString t = s.text.trimmed();
                if (indent == 0) {
                    QString r;
                    const QString k = word(t, &r);
                    MenuDef def;
                    if (k == u"menu" || k == u"menu2") {
                        def.bank = k == u"menu" ? QStringLiteral("bar") : QStringLiteral("bar2");
                        def.number = barTitles().indexOf(r) + 1;
                        def.name = r;
                        if (def.number == 0)
                            rd.fail(s,
                                    QStringLiteral("“%1” is not one of the eleven menu-bar titles").arg(r));
                    } else if (k == u"context") {
                        QString name;
                        def.bank = QStringLiteral("context");
                        def.number = word(r, &name).toInt();
                        def.name = name;
                        if (def.number < 1 || def.number > 9)
                            rd.fail(s, QStringLiteral("context menus are numbered 1 to 9"));
                    } else {
                        rd.fail(s, QStringLiteral("expected “menu”, “menu2” or “context”"));
                        continue;
                    }
                    m.menus.push_back(def);
                } else if (m.menus.isEmpty()) {
                    rd.fail(s, QStringLiteral("entry before the first menu"));
                } else if (indent <= 2) {
                    MenuItem it;
                    if (t.startsWith(QLatin1String("> "))) {
                        it.submenu = true;
                        it.text = t.mid(2).trimmed();
                    } else {
                        it.text = t;
                    }
                    m.menus.last().items.push_back(it);
                } else {
                    if (m.menus.last().items.isEmpty() || !m.menus.last().items.last().submenu)
                        rd.fail(s, QStringLiteral("submenu entry without a submenu"));
                    else
                        m.menus.last().items.last().entries << t;
                }
            }
        } else
            rd.fail(l, QStringLiteral("unknown key “%1”").arg(key));
    }
    if (m.name.isEmpty() || m.folder.isEmpty() || m.number <= 0)
        rd.fail(QStringLiteral("module.txt"), 0, QStringLiteral("name, folder and number are required"));
    if (m.units.size() > 20)
        rd.fail(QStringLiteral("module.txt"), 0, QStringLiteral("a module has at most 20 units"));
    // units
    for (SrcUnit &u : m.units) {
        QVector<SrcLine> ul;
        if (!rd.lines(folder, u.file, ul))
            continue;
        for (const SrcLine &l : ul) {
            const QString t = l.text.trimmed();
            QString rest;
            const QString key = word(t, &rest);
            if (key == u"title") {
                u.title = rest;
            } else if (key == u"q") {
                SrcQuestion q;
                q.at = l;
                q.text = rest;
                u.questions.push_back(q);
            } else if (u.questions.isEmpty()) {
                rd.fail(l, QStringLiteral("step before the first question (“q ...”)"));
            } else if (key == u"pic") {
                u.questions.last().picture = true;
            } else if (t.startsWith(u'=')) {
                SrcQuestion &q = u.questions.last();
                const SrcLine eff{l.file, l.line, t.mid(1).trimmed()};
                if (q.steps.isEmpty())
                    q.start.push_back(eff);
                else
                    q.steps.last().effects.push_back(eff);
            } else {
                SrcStep st;
                st.at = l;
                st.verb = key;
                st.rest = takeOptions(rest, st.opts);
                u.questions.last().steps.push_back(st);
            }
        }
        if (u.questions.size() > 40)
            rd.fail(u.file, 0,
                    QStringLiteral("a unit has at most 40 questions (it has %1)").arg(u.questions.size()));
    }
    QVector<int> counts;
    for (const SrcUnit &u : m.units)
        counts << u.questions.size();
    for (const SrcLine &l : paperLines) {
        QVector<int> codes;
        QString why;
        if (!parseCodes(l.text, codes, m.units.size(), counts, &why))
            rd.fail(l, why);
        else if (codes.size() != 40)
            rd.fail(
                l,
                QStringLiteral("an exam paper has exactly 40 questions (this one has %1)").arg(codes.size()));
        m.papers.push_back(codes);
    }
    if (m.papers.size() > 14)
        rd.fail(QStringLiteral("module.txt"), 0, QStringLiteral("a module has at most 14 exam papers"));
    if (m.pages.size() != 17)
        rd.fail(QStringLiteral("pages"), 0,
                QStringLiteral("there must be exactly 17 information pages (found %1)").arg(m.pages.size()));
    return problems.size() == before;
}

namespace {

// ---- compiling -------------------------------------------------------------

constexpr int Tw = 15; // twips per pixel

struct Pictures {
    // id -> PNG bytes, in order of first use
    QStringList order;
    QHash<QString, QByteArray> bytes;
    QHash<QString, QString> byKey; // state key -> id
    QHash<QString, int> next;      // prefix -> counter
    struct Job {
        QString id;
        std::function<QImage()> draw;
    };
    QVector<Job> jobs;

    QString want(const QString &prefix, const QString &key, std::function<QImage()> draw) {
        const QString k = prefix + u'|' + key;
        auto it = byKey.constFind(k);
        if (it != byKey.cend())
            return *it;
        const int n = ++next[prefix];
        const QString id = prefix + QStringLiteral("%1").arg(n, 5, 10, QLatin1Char('0'));
        byKey.insert(k, id);
        order << id;
        jobs.push_back({id, std::move(draw)});
        return id;
    }
};

struct Texts {
    QStringList lines; // text n at index n-1
    QHash<QString, int> index;
    int add(const QString &t) {
        if (t.isEmpty())
            return 0;
        auto it = index.constFind(t);
        if (it != index.cend())
            return *it;
        lines << t;
        index.insert(t, lines.size());
        return lines.size();
    }
};

bool parsePoint(const QString &t, double &x, double &y) {
    const QStringList xy = t.split(u',');
    if (xy.size() != 2)
        return false;
    bool a = false, b = false;
    x = xy.at(0).toDouble(&a);
    y = xy.at(1).toDouble(&b);
    return a && b;
}

// Applies one effect line to the state.
bool applyEffect(ScreenState &s, const QString &line, QString *why) {
    QString rest;
    const QString key = word(line, &rest);
    static const QSet<QString> shapes = {
        QStringLiteral("line"),  QStringLiteral("circle"),  QStringLiteral("arc"),
        QStringLiteral("rect"),  QStringLiteral("ellipse"), QStringLiteral("polygon"),
        QStringLiteral("text"),  QStringLiteral("dim"),     QStringLiteral("dimr"),
        QStringLiteral("hatch"), QStringLiteral("point"),   QStringLiteral("insert")};
    if (shapes.contains(key)) {
        Entity e;
        e.kind = key;
        QStringList toks = rest.split(u' ', Qt::SkipEmptyParts);
        QStringList textParts;
        for (int i = 0; i < toks.size(); ++i) {
            const QString &t = toks.at(i);
            if (t.startsWith(QLatin1String("color="))) {
                e.color = t.mid(6);
                continue;
            }
            if (t == u"dashed") {
                e.dashed = true;
                continue;
            }
            if (key == u"text" && e.v.size() >= 3) {
                textParts << t;
                continue;
            }
            double x = 0, y = 0;
            if (parsePoint(t, x, y)) {
                e.v << x << y;
                continue;
            }
            bool ok = false;
            const double d = t.toDouble(&ok);
            if (!ok) {
                *why = QStringLiteral("“%1” is not a number or x,y point").arg(t);
                return false;
            }
            e.v << d;
        }
        e.text = textParts.join(u' ');
        static const QHash<QString, int> need = {
            {QStringLiteral("line"), 4},  {QStringLiteral("circle"), 3},  {QStringLiteral("arc"), 5},
            {QStringLiteral("rect"), 4},  {QStringLiteral("ellipse"), 4}, {QStringLiteral("polygon"), 4},
            {QStringLiteral("text"), 3},  {QStringLiteral("dim"), 5},     {QStringLiteral("dimr"), 4},
            {QStringLiteral("hatch"), 4}, {QStringLiteral("point"), 2},   {QStringLiteral("insert"), 3}};
        if (e.v.size() < need.value(key)) {
            *why = QStringLiteral("“%1” needs %2 numbers").arg(key).arg(need.value(key));
            return false;
        }
        s.entities.push_back(e);
        return true;
    }
    auto entityNo = [&](const QString &t, int *n) {
        bool ok = false;
        *n = t == u"last" ? int(s.entities.size()) : t.toInt(&ok);
        if (t == u"last")
            ok = true;
        if (!ok || *n < 1 || *n > s.entities.size()) {
            *why = QStringLiteral("the drawing has no object “%1”").arg(t);
            return false;
        }
        return true;
    };
    if (key == u"erase") {
        QVector<int> ns;
        for (const QString &t : rest.split(u' ', Qt::SkipEmptyParts)) {
            int n = 0;
            if (!entityNo(t, &n))
                return false;
            ns << n;
        }
        std::sort(ns.begin(), ns.end(), std::greater<int>());
        for (int n : ns)
            s.entities.remove(n - 1);
        s.selected.clear();
        return true;
    }
    if (key == u"clear") {
        s.entities.clear();
        s.selected.clear();
        return true;
    }
    if (key == u"move" || key == u"recolor" || key == u"restyle") {
        QString arg;
        const QString t = word(rest, &arg);
        int n = 0;
        if (!entityNo(t, &n))
            return false;
        Entity &e = s.entities[n - 1];
        if (key == u"recolor") {
            e.color = arg == u"white" ? QString() : arg;
            return true;
        }
        if (key == u"restyle") {
            e.dashed = arg == u"dashed";
            return true;
        }
        double dx = 0, dy = 0;
        if (!parsePoint(arg, dx, dy)) {
            *why = QStringLiteral("move needs an offset dx,dy");
            return false;
        }
        const int pairs = e.kind == u"line" || e.kind == u"rect" || e.kind == u"hatch" ? int(e.v.size()) / 2
                          : e.kind == u"dim"                                           ? 2
                                                                                       : 1;
        for (int i = 0; i < pairs; ++i) {
            e.v[2 * i] += dx;
            e.v[2 * i + 1] += dy;
        }
        return true;
    }
    if (key == u"select") {
        s.selected.clear();
        if (rest == u"none")
            return true;
        for (const QString &t : rest.split(u' ', Qt::SkipEmptyParts)) {
            int n = 0;
            if (!entityNo(t, &n))
                return false;
            s.selected << n;
        }
        return true;
    }
    if (key == u"prompt") {
        s.prompt = rest;
        return true;
    }
    if (key == u"echo") {
        s.history << rest;
        return true;
    }
    if (key == u"dialog") {
        if (rest == u"none") {
            s.dialog.clear();
            return true;
        }
        if (!dialogKnown(rest)) {
            *why = QStringLiteral("no dialog named “%1”").arg(rest);
            return false;
        }
        s.dialog = rest;
        return true;
    }
    if (key == u"set") {
        QString value;
        const QString k = word(rest, &value);
        if (value == u"-")
            s.values.remove(k);
        else
            s.values.insert(k, value);
        return true;
    }
    if (key == u"drop") {
        QString rows;
        const QString el = word(rest, &rows);
        if (el == u"none") {
            s.dropdown.clear();
            s.dropRows.clear();
            return true;
        }
        s.dropdown = el;
        s.dropRows = rows.split(u';');
        if (!element(s, el, why).ok)
            return false;
        return true;
    }
    if (key == u"status") {
        QString onOff;
        const QString name = word(rest, &onOff);
        s.statusOn.removeAll(name);
        if (onOff == u"on")
            s.statusOn << name;
        s.statusOn.sort();
        return true;
    }
    if (key == u"layer") {
        s.layer = rest;
        return true;
    }
    if (key == u"title") {
        s.title = rest;
        return true;
    }
    if (key == u"float") {
        QString pos;
        const QString name = word(rest, &pos);
        if (name == u"none") {
            s.floating.clear();
            s.floatPos = QPoint();
            return true;
        }
        double x = 0, y = 0;
        if (!pieceKnown(name) || !parsePoint(pos, x, y)) {
            *why = QStringLiteral("float needs a known picture and x,y");
            return false;
        }
        s.floating = name;
        s.floatPos = QPoint(int(x), int(y));
        return true;
    }
    if (key == u"tab") {
        s.tab = rest;
        return true;
    }
    *why = QStringLiteral("unknown effect “%1”").arg(key);
    return false;
}

struct KeyName {
    const char *name;
    int code;
};

int keyNumber(const QString &k) {
    static const QHash<QString, int> named = {
        {QStringLiteral("Enter"), 2}, {QStringLiteral("F2"), 3},     {QStringLiteral("F4"), 15},
        {QStringLiteral("F9"), 20},   {QStringLiteral("/"), 91},     {QStringLiteral("."), 99},
        {QStringLiteral("Esc"), 27},  {QStringLiteral("Space"), 32}, {QStringLiteral("Delete"), 46}};
    if (named.contains(k))
        return named.value(k);
    if (k.size() == 1 && ((k.at(0) >= u'A' && k.at(0) <= u'Z') || (k.at(0) >= u'0' && k.at(0) <= u'9')))
        return k.at(0).unicode();
    return -1;
}

QString keyLabel(const QString &k) {
    return k == u"Enter" ? QStringLiteral("回车") : k == u"Space" ? QStringLiteral("空格") : k;
}

// "Shift+Ctrl+X" -> modifier sum and the rest.
int modifiers(const QString &combo, QString *rest) {
    int k = 0;
    QStringList parts = combo.split(u'+');
    // a lone "+" key is not used; keep the last part as the key
    *rest = parts.takeLast();
    for (const QString &p : parts) {
        if (p == u"Shift")
            k += 1;
        else if (p == u"Ctrl")
            k += 2;
        else if (p == u"Alt")
            k += 4;
        else
            return -1;
    }
    return k;
}

QString modLabel(int k) {
    QStringList m;
    if (k & 2)
        m << QStringLiteral("Ctrl");
    if (k & 1)
        m << QStringLiteral("Shift");
    if (k & 4)
        m << QStringLiteral("Alt");
    return m.join(u'+');
}

struct Compiled {
    sim::bank::StepRecord rec;
    ScreenState after;
};

class Compiler {
  public:
    Compiler(Module &m, QVector<Problem> &p) : mod(m), problems(p) {}

    Module &mod;
    QVector<Problem> &problems;
    Pictures pics;
    Texts texts;
    QMap<QString, MenuBlock> blocks; // "bar:7", "bar2:1", "context:3"
    QHash<QString, int> contextByName;
    QStringList menuFile;
    QVector<QStringList> stepFiles, indexFiles;

    void fail(const SrcLine &at, const QString &reason) {
        problems.push_back({at.file, at.line, QString(), reason});
    }

    bool menus() {
        menuFile = QStringList(465, QStringLiteral("0"));
        for (const MenuDef &m : mod.menus) {
            MenuBlock b;
            QString why;
            if (!packMenu(m, b, &why)) {
                problems.push_back({QStringLiteral("menus"), 0, QString(), why});
                continue;
            }
            const int base = m.bank == u"bar" ? 0 : m.bank == u"context" ? 165 : 300;
            for (int i = 0; i < 15; ++i)
                menuFile[base + (m.number - 1) * 15 + i] = b.lines.at(i);
            blocks.insert(m.bank + u':' + QString::number(m.number), b);
            if (m.bank == u"context")
                contextByName.insert(m.name, m.number);
        }
        return true;
    }

    // Menu code digits for a path in a block: group*10+item, or -1.
    int menuSlot(const QString &blockKey, const QString &path) {
        const MenuBlock b = blocks.value(blockKey);
        QStringList parts = path.split(u'>');
        for (QString &p : parts)
            p = p.trimmed();
        const QString joined = parts.join(QStringLiteral(" > "));
        if (b.where.contains(joined))
            return b.where.value(joined);
        QStringList plainParts;
        for (const QString &p : parts)
            plainParts << plain(p);
        return b.where.value(plainParts.join(QStringLiteral(" > ")), -1);
    }

    static QRect tw(const QRect &px) {
        return QRect(px.x() * Tw, px.y() * Tw, px.width() * Tw, px.height() * Tw);
    }

    static void setZone1(sim::bank::StepRecord &r, const QRect &px) {
        const QRect t = tw(px);
        r.setZone1(t.x(), t.y(), t.width(), t.height());
    }
    static void setZone2(sim::bank::StepRecord &r, const QRect &px, bool clickCompletes) {
        const QRect t = tw(px);
        r.setZone2(t.x(), t.y(), t.width(), t.height(),
                   clickCompletes ? QStringLiteral("0") : QStringLiteral("1"));
    }
    static void setPic(sim::bank::StepRecord &r, int k, const QPoint &px, const QString &id) {
        r.setPicture(k, qMax(1, px.x() * Tw), qMax(1, px.y() * Tw), id);
    }

    Element need(const ScreenState &s, const QString &name, const SrcLine &at, bool *ok) {
        QString why;
        Element e = element(s, name.trimmed(), &why);
        if (!e.ok) {
            fail(at, why);
            *ok = false;
        }
        return e;
    }

    // What a step's verb asks for, before it is written into the record.
    struct Draft {
        Draft(const SrcStep &s, const ScreenState &sh) : st(s), shown(sh) {}
        const SrcStep &st;
        const ScreenState &shown;
        bool ok = true;         // false once an element could not be found
        QString text, in, then; // "TEXT in EL then EL2"
        QString code;
        QString hint;
        QString answer;
        QString boxInit;
        QRect zone1, zone2, box;
        bool zone2Click = false;
        bool barHidden = false;
        QString pointer;
        int slideTarget = -1;
        QPoint slideHome, slideTo;
        QString pieceId;
    };
    using Verb = bool (Compiler::*)(Draft &);

    // The verbs of a step line; each fills the draft or fails with a reason.
    static const QHash<QString, Verb> &verbs() {
        static const QHash<QString, Verb> table = {
            {QStringLiteral("click"), &Compiler::zone1Verb},
            {QStringLiteral("dblclick"), &Compiler::zone1Verb},
            {QStringLiteral("rclick"), &Compiler::zone1Verb},
            {QStringLiteral("rclick-enter"), &Compiler::zone1Verb},
            {QStringLiteral("hover"), &Compiler::zone1Verb},
            {QStringLiteral("press"), &Compiler::pressVerb},
            {QStringLiteral("key"), &Compiler::keyVerb},
            {QStringLiteral("type"), &Compiler::typeVerb},
            {QStringLiteral("typenow"), &Compiler::typeVerb},
            {QStringLiteral("edit"), &Compiler::typeVerb},
            {QStringLiteral("menu"), &Compiler::menuVerb},
            {QStringLiteral("menu2"), &Compiler::menuVerb},
            {QStringLiteral("window"), &Compiler::dragVerb},
            {QStringLiteral("drag"), &Compiler::dragVerb},
            {QStringLiteral("slide"), &Compiler::slideVerb},
            {QStringLiteral("wait"), &Compiler::waitVerb},
        };
        return table;
    }

    // click, dblclick, rclick, rclick-enter, hover ELEMENT; rclick ELEMENT -> MENU > ITEM
    bool zone1Verb(Draft &d) {
        const QString &v = d.st.verb;
        const QString &rest = d.st.rest;
        const int arrow = rest.indexOf(QStringLiteral("->"));
        if (v == u"rclick" && arrow >= 0) {
            // context menu
            const Element e = need(d.shown, rest.left(arrow).trimmed(), d.st.at, &d.ok);
            d.zone1 = e.rect;
            const QString path = rest.mid(arrow + 2).trimmed();
            const QString name = path.section(u'>', 0, 0).trimmed();
            const QString item = path.section(u'>', 1).trimmed();
            const int n = contextByName.value(name);
            const int slot = n ? menuSlot(QStringLiteral("context:%1").arg(n), item) : -1;
            if (!n)
                fail(d.st.at, QStringLiteral("no context menu named “%1”").arg(name));
            else if (slot < 0)
                fail(d.st.at, QStringLiteral("the context menu “%1” has no entry “%2”").arg(name, item));
            if (!n || slot < 0)
                return false;
            d.code =
                (d.st.opts.value(QStringLiteral("as")) == u"4" ? QStringLiteral("4") : QStringLiteral("3")) +
                QString::number(n) + QString::number(slot / 10) + QString::number(slot % 10);
            d.barHidden = true; // "00000": the demonstration opens it at the pointer
            d.hint =
                QStringLiteral("右击%1，在快捷菜单中选择“%2”").arg(e.label, plain(item.section(u'>', -1)));
            return true;
        }
        const Element e = need(d.shown, rest, d.st.at, &d.ok);
        d.zone1 = e.rect;
        if (e.inDrawing)
            d.pointer = QStringLiteral("M0001");
        d.code = v == u"click"      ? QStringLiteral("0001")
                 : v == u"dblclick" ? QStringLiteral("0002")
                 : v == u"rclick"   ? QStringLiteral("0003")
                 : v == u"hover"    ? QStringLiteral("0030")
                                    : QStringLiteral("2000");
        d.hint = (v == u"click"      ? QStringLiteral("单击")
                  : v == u"dblclick" ? QStringLiteral("双击")
                  : v == u"rclick"   ? QStringLiteral("右击")
                  : v == u"hover"    ? QStringLiteral("将鼠标指向")
                                     : QStringLiteral("按回车键或右击")) +
                 e.label;
        return true;
    }

    // press [Shift+|Ctrl+|Alt+]left|right|middle ELEMENT
    bool pressVerb(Draft &d) {
        QString rest2;
        const QString combo = word(d.st.rest, &rest2);
        QString button;
        const int k = modifiers(combo, &button);
        const int b = button == u"left" ? 1 : button == u"right" ? 2 : button == u"middle" ? 4 : -1;
        if (k < 0 || b < 0) {
            fail(d.st.at, QStringLiteral("press needs [Shift+|Ctrl+|Alt+]left|right|middle and an element"));
            return false;
        }
        const Element e = need(d.shown, rest2, d.st.at, &d.ok);
        d.zone1 = e.rect;
        d.pointer = e.inDrawing ? QStringLiteral("M0001") : QString();
        d.code = QStringLiteral("9%1%2").arg(k).arg(b, 2, 10, QLatin1Char('0'));
        d.hint = QStringLiteral("%1%2键单击%3")
                     .arg(k ? modLabel(k) + u'+' : QString(),
                          b == 1   ? QStringLiteral("左")
                          : b == 2 ? QStringLiteral("右")
                                   : QStringLiteral("中"),
                          e.label);
        return true;
    }

    // key [Shift+|Ctrl+|Alt+]KEY
    bool keyVerb(Draft &d) {
        QString keyName;
        const int k = modifiers(d.st.rest, &keyName);
        const int n = keyNumber(keyName);
        if (k < 0 || n < 0 || n > 99) {
            fail(d.st.at, QStringLiteral("“%1” is not a key the trainer can expect").arg(d.st.rest));
            return false;
        }
        d.code = QStringLiteral("6%1%2").arg(k).arg(n, 2, 10, QLatin1Char('0'));
        d.hint =
            QStringLiteral("按 %1 键").arg(k ? modLabel(k) + u'+' + keyLabel(keyName) : keyLabel(keyName));
        return true;
    }

    // type, typenow, edit TEXT [in ELEMENT] [then ELEMENT]
    bool typeVerb(Draft &d) {
        const QString &v = d.st.verb;
        const QString where = d.in.isEmpty() ? QStringLiteral("命令行") : d.in;
        d.box = need(d.shown, where, d.st.at, &d.ok).rect;
        d.answer = d.text;
        d.boxInit = d.st.opts.value(QStringLiteral("init"));
        if (v == u"typenow")
            d.code = QStringLiteral("0020");
        else if (v == u"edit")
            d.code = QStringLiteral("0021");
        else if (d.answer.isEmpty())
            d.code = d.st.opts.value(QStringLiteral("code"), QStringLiteral("0023"));
        else
            d.code = d.st.opts.value(QStringLiteral("code"), d.in.isEmpty() || d.in == u"命令行"
                                                                 ? QStringLiteral("A111")
                                                                 : QStringLiteral("0022"));
        d.hint = d.answer.isEmpty() ? QStringLiteral("直接按回车键") : d.answer;
        if (!d.answer.isEmpty() && d.code != u"A111" && d.code != u"0020" && d.code != u"0021")
            d.hint = QStringLiteral("输入“%1”并按回车键").arg(sim::bank::splitAnswer(d.answer).first);
        if (!d.then.isEmpty())
            d.zone1 = need(d.shown, d.then, d.st.at, &d.ok).rect;
        else if (d.code == u"0022" || d.code == u"0026")
            d.zone1 = d.box;
        return true;
    }

    // menu, menu2 TITLE > ENTRY [> ENTRY]
    bool menuVerb(Draft &d) {
        const QString &v = d.st.verb;
        const QString &rest = d.st.rest;
        const QString title = rest.section(u'>', 0, 0).trimmed();
        const QString path = rest.section(u'>', 1).trimmed();
        const int n = barTitles().indexOf(title) + 1;
        const QString bank = v == u"menu" ? QStringLiteral("bar") : QStringLiteral("bar2");
        const int slot = n ? menuSlot(bank + u':' + QString::number(n), path) : -1;
        if (!n || slot < 0) {
            fail(d.st.at, !n ? QStringLiteral("“%1” is not a menu-bar title").arg(title)
                             : QStringLiteral("the menu “%1” has no entry “%2”").arg(title, path));
            return false;
        }
        const QString letter = v == u"menu2" ? QStringLiteral("C")
                               : n > 9       ? QStringLiteral("B")
                                             : QStringLiteral("A");
        d.code = letter + QString::number(n > 9 ? n - 9 : n) + QString::number(slot / 10) +
                 QString::number(slot % 10);
        if (sim::decodeStepCode(d.code).commandLineTyping(true)) {
            fail(d.st.at, QStringLiteral(
                              "the first entry of the first group of 文件 cannot be expected as a menu step "
                              "(its code reads as command-line typing)"));
            return false;
        }
        QStringList shownPath;
        for (const QString &p : rest.split(u'>'))
            shownPath << QStringLiteral("“%1”").arg(plain(p));
        d.hint = QStringLiteral("选择菜单 %1").arg(shownPath.join(QStringLiteral(" → ")));
        if (d.st.opts.contains(QStringLiteral("or")))
            d.zone1 = need(d.shown, d.st.opts.value(QStringLiteral("or")), d.st.at, &d.ok).rect;
        return true;
    }

    // window, drag FROM -> TO [mod=Shift|Ctrl|Alt...]
    bool dragVerb(Draft &d) {
        const QString &v = d.st.verb;
        const QString &rest = d.st.rest;
        const int arrow = rest.indexOf(QStringLiteral("->"));
        if (arrow < 0) {
            fail(d.st.at, QStringLiteral("%1 needs FROM -> TO").arg(v));
            return false;
        }
        QString from = rest.left(arrow).trimmed();
        int k = 0;
        if (d.st.opts.contains(QStringLiteral("mod"))) {
            QString dummy;
            k = modifiers(d.st.opts.value(QStringLiteral("mod")) + QStringLiteral("+x"), &dummy);
        }
        const Element a = need(d.shown, from, d.st.at, &d.ok);
        const Element b = need(d.shown, rest.mid(arrow + 2).trimmed(), d.st.at, &d.ok);
        d.zone2 = a.rect;
        d.zone1 = b.rect;
        d.zone2Click = false;
        d.code = (v == u"window" ? QStringLiteral("004") : QStringLiteral("005")) + QString::number(k);
        d.pointer = v == u"window" ? QStringLiteral("M0002") : QStringLiteral("M0005");
        d.hint = v == u"window"
                     ? QStringLiteral("%1从%2拖动到%3，框选对象")
                           .arg(k ? QStringLiteral("按住 ") + modLabel(k) + QStringLiteral(" 键") : QString(),
                                a.label, b.label)
                     : QStringLiteral("将%1拖动到%2").arg(a.label, b.label);
        return true;
    }

    // slide PIECE x,y -> x,y (pixels)
    bool slideVerb(Draft &d) {
        QString rest2;
        const QString piece = word(d.st.rest, &rest2);
        const int arrow = rest2.indexOf(QStringLiteral("->"));
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!pieceKnown(piece) || arrow < 0 || !parsePoint(rest2.left(arrow).trimmed(), x1, y1) ||
            !parsePoint(rest2.mid(arrow + 2).trimmed(), x2, y2)) {
            fail(d.st.at, QStringLiteral("slide needs a known picture and x,y -> x,y"));
            return false;
        }
        d.slideHome = QPoint(int(x1), int(y1));
        d.slideTo = QPoint(int(x2), int(y2));
        const int dx = d.slideTo.x() - d.slideHome.x(), dy = d.slideTo.y() - d.slideHome.y();
        int c = 0;
        if (dy == 0)
            c = dx < 0 ? 8001 : 8002;
        else if (dx == 0)
            c = dy < 0 ? 8003 : 8004;
        else if (dy > 0)
            c = dx < 0 ? 8006 : 8007;
        else
            c = dx < 0 ? 8008 : 8009;
        d.code = QString::number(c);
        d.slideTarget = c;
        d.pieceId = pics.want(QStringLiteral("6"), piece, [piece] { return renderPiece(piece); });
        static const QHash<int, QString> dirs = {
            {8001, QStringLiteral("左")},   {8002, QStringLiteral("右")},   {8003, QStringLiteral("上")},
            {8004, QStringLiteral("下")},   {8006, QStringLiteral("左下")}, {8007, QStringLiteral("右下")},
            {8008, QStringLiteral("左上")}, {8009, QStringLiteral("右上")}};
        d.hint = QStringLiteral("将%1向%2拖动到指定位置")
                     .arg(piece == u"滑块" ? QStringLiteral("滑块") : QStringLiteral("“%1”").arg(piece),
                          dirs.value(c));
        return true;
    }

    // wait [HINT]
    bool waitVerb(Draft &d) {
        d.code = QStringLiteral("8888");
        d.hint = d.st.rest.isEmpty() ? QStringLiteral("请稍候……") : d.st.rest;
        return true;
    }

    // Compiles one step against the state it is shown in.
    bool step(const SrcStep &st, const ScreenState &shown, int stepNo, const QString &prefix,
              sim::bank::StepRecord &r, ScreenState &after) {
        r = sim::bank::StepRecord::blank();
        r.setPrefix(prefix);
        after = shown;
        Draft d(st, shown);
        // "TEXT in EL then EL2"
        {
            QString text = st.rest;
            const int t = text.lastIndexOf(QStringLiteral(" then "));
            if (t >= 0) {
                d.then = text.mid(t + 6).trimmed();
                text = text.left(t);
            }
            const int i = text.lastIndexOf(QStringLiteral(" in "));
            if (i >= 0) {
                d.in = text.mid(i + 4).trimmed();
                text = text.left(i);
            }
            text = text.trimmed();
            if (text == u"\"\"")
                text.clear();
            d.text = text;
        }
        const Verb verb = verbs().value(st.verb);
        if (!verb) {
            fail(st.at, QStringLiteral("unknown action “%1”").arg(st.verb));
            return false;
        }
        if (!(this->*verb)(d))
            return false;
        bool &ok = d.ok;
        const QString &v = st.verb;
        const QString &in = d.in;
        QString &code = d.code;
        QString &hint = d.hint;
        const QString &answer = d.answer;
        const QRect &zone1 = d.zone1, &zone2 = d.zone2, &box = d.box;
        bool &barHidden = d.barHidden;
        const int slideTarget = d.slideTarget;
        const QPoint &slideHome = d.slideHome, &slideTo = d.slideTo;
        const QString &boxInit = d.boxInit, &pointer = d.pointer, &pieceId = d.pieceId;
        const bool zone2Click = d.zone2Click;
        if (!ok)
            return false;
        if (st.opts.contains(QStringLiteral("hint")))
            hint = st.opts.value(QStringLiteral("hint"));
        if (st.opts.contains(QStringLiteral("code")) && v != u"type") {
            code = st.opts.value(QStringLiteral("code"));
        }
        r.setStepCode(code);
        if (st.opts.contains(QStringLiteral("lock")))
            r.setLocked(true);

        // back button and demonstration markers
        QString menuX = QStringLiteral("%1").arg(lay::MenuBarXTwips, 5, 10, QLatin1Char('0'));
        QString menuY = QStringLiteral("%1").arg(lay::MenuBarYTwips, 5, 10, QLatin1Char('0'));
        // The trainer's own menu titles carry the CAD captions only on menu steps;
        // elsewhere the bar is hidden and the picture shows the titles itself.
        const bool menuStep = sim::decodeStepCode(code).showsMenuBar(!box.isNull());
        if (!menuStep)
            barHidden = true;
        if (barHidden)
            menuX = menuY = QStringLiteral("00000");
        if (st.opts.contains(QStringLiteral("two"))) {
            menuX = QStringLiteral("00000");
            menuY = QStringLiteral("X0100");
            barHidden = true;
        }
        if (st.opts.contains(QStringLiteral("back"))) {
            const QString backTo = st.opts.value(QStringLiteral("back"));
            const int d = backTo.section(u'@', 0, 0).toInt();
            const Element e = need(shown, backTo.section(u'@', 1), st.at, &ok);
            if (!ok)
                return false;
            if (d < 1 || d > 9 || d >= stepNo) {
                fail(st.at, QStringLiteral("the back button may go back 1 to 9 steps and not before step 1"));
                return false;
            }
            if (slideTarget > 0) {
                fail(st.at, QStringLiteral("a picture drag and a back button cannot share a step"));
                return false;
            }
            menuX = QStringLiteral("Q000") + QString::number(d);
            r.setTarget(e.rect.x() * Tw, e.rect.y() * Tw);
            barHidden = true;
        }
        r.setMenuBarText(menuX, menuY);

        // the screen and its overlays as shown at this step
        ScreenState view = shown;
        view.menuTitles = barHidden;
        if (slideTarget > 0 && view.floating == st.rest.section(u' ', 0, 0)) {
            view.floating.clear();
            view.floatPos = QPoint();
        }
        r.setScreenPicture(
            pics.want(QStringLiteral("1"), view.screenKey(), [view] { return renderScreen(view); }));
        if (!shown.dialog.isEmpty()) {
            const ScreenState d = shown;
            setPic(
                r, 1, dialogRect(shown).topLeft(),
                pics.want(QStringLiteral("3"), d.dialog + u'|' + d.key(), [d] { return renderDialog(d); }));
        }
        if (!shown.dropdown.isEmpty()) {
            const ScreenState d = shown;
            setPic(r, 2, dropdownRect(shown).topLeft(),
                   pics.want(QStringLiteral("4"), d.dropdown + u'|' + d.dropRows.join(u';'),
                             [d] { return renderDropdown(d); }));
        }
        if (slideTarget > 0) {
            setPic(r, 5, slideHome, pieceId);
            r.setTarget(slideTo.x() * Tw, slideTo.y() * Tw);
        }
        if (!zone1.isNull())
            setZone1(r, zone1);
        if (!zone2.isNull())
            setZone2(r, zone2, zone2Click);
        if (!box.isNull()) {
            const QRect t = tw(box);
            r.setBox(t.x(), t.y(), t.width(), t.height());
            const int initLine = texts.add(boxInit);
            r.setBoxTexts(initLine, texts.add(answer));
        } else {
            r.setPointerSpec(st.opts.value(QStringLiteral("pointer"),
                                           pointer.isEmpty() ? QStringLiteral("00000") : pointer));
        }
        // hint beside the zone, the input box or the middle of the screen
        // keys and automatic steps: just above the command line
        const QRect anchor = !zone1.isNull() && box.isNull() ? zone1
                             : !box.isNull()                 ? box
                                                             : QRect(240, 440, 10, 10);
        const int hintW = qMin(780, int(hint.size()) * 14 + 10);
        int hx = qBound(2, anchor.left(), ScreenW - hintW - 2);
        int hy = anchor.bottom() + 6;
        if (hy + 22 > ScreenH - 4)
            hy = anchor.top() - 26;
        r.setHint(hx * Tw, qMax(1, hy) * Tw, texts.add(hint));

        // what the step leaves behind
        if (!box.isNull()) {
            const QString first = sim::bank::splitAnswer(answer).first;
            if (in.isEmpty() || in == u"命令行") {
                after.history << QString(shown.prompt + u' ' + first).trimmed();
                after.prompt = QStringLiteral("命令:");
            } else {
                after.values.insert(in, first);
            }
        }
        if (slideTarget > 0 && st.rest.section(u' ', 0, 0) != u"滑块") {
            after.floating = st.rest.section(u' ', 0, 0);
            after.floatPos = slideTo;
        }
        for (const SrcLine &e : st.effects) {
            QString why;
            if (!applyEffect(after, e.text, &why)) {
                fail(e, why);
                ok = false;
            }
        }
        return ok;
    }

    bool compile() {
        menus();
        for (int u = 0; u < mod.units.size(); ++u) {
            const SrcUnit &unit = mod.units.at(u);
            QStringList stepsOut, indexOut;
            for (int q = 0; q < unit.questions.size(); ++q) {
                const SrcQuestion &qu = unit.questions.at(q);
                ScreenState s;
                s.statusOn = {QStringLiteral("栅格")};
                for (const SrcLine &e : qu.start) {
                    QString why;
                    if (!applyEffect(s, e.text, &why))
                        fail(e, why);
                }
                if (qu.steps.isEmpty())
                    fail(qu.at, QStringLiteral("a question needs at least one step"));
                if (qu.steps.size() > 98)
                    fail(qu.at, QStringLiteral("a question has at most 98 steps before its closing record"));
                const QString prefix = QStringLiteral("%1%2")
                                           .arg(u, 2, 10, QLatin1Char('0'))
                                           .arg(q + 1, 2, 10, QLatin1Char('0'));
                int n = 0;
                for (const SrcStep &st : qu.steps) {
                    ++n;
                    sim::bank::StepRecord r;
                    ScreenState after;
                    if (step(st, s, n, prefix + QString::number(n % 10), r, after))
                        stepsOut << r.line;
                    s = after;
                }
                // closing record: the finished screen
                sim::bank::StepRecord done = sim::bank::StepRecord::blank();
                done.setPrefix(prefix + u'E');
                done.setStepCode(QStringLiteral("9999"));
                ScreenState fin = s;
                fin.menuTitles = true;
                done.setScreenPicture(
                    pics.want(QStringLiteral("1"), fin.screenKey(), [fin] { return renderScreen(fin); }));
                if (!fin.dialog.isEmpty())
                    setPic(done, 1, dialogRect(fin).topLeft(),
                           pics.want(QStringLiteral("3"), fin.dialog + u'|' + fin.key(),
                                     [fin] { return renderDialog(fin); }));
                stepsOut << done.line;
                QString text = qu.text;
                if (qu.picture) {
                    const QVector<Entity> ents = s.entities;
                    QStringList k;
                    ScreenState tmp;
                    tmp.entities = ents;
                    text = QStringLiteral("picture") + pics.want(QStringLiteral("5"), tmp.key(), [ents] {
                        return renderDrawing(ents);
                    }) + text;
                }
                indexOut << prefix + QStringLiteral("%1").arg(n + 1, 2, 10, QLatin1Char('0')) + text;
            }
            stepFiles << stepsOut;
            indexFiles << indexOut;
        }
        if (texts.lines.size() > 999)
            problems.push_back(
                {QStringLiteral("module.txt"), 0, QString(),
                 QStringLiteral("more than 999 distinct texts: the text table cannot number them")});
        return problems.isEmpty();
    }
};

QByteArray png(const QImage &img) {
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG", 80); // light compression: much faster, files a little larger
    return out;
}

} // namespace

bool buildModule(const QString &sourceFolder, const QString &programFolder, QVector<Problem> &problems,
                 const BuildOptions &options) {
    Module m;
    // compile even after source problems, so one run reports all of them
    readSource(sourceFolder, m, problems);
    Compiler c(m, problems);
    if (!c.compile())
        return false;

    const QString data = QDir(programFolder).filePath(m.folder);
    if (!QDir().mkpath(data) || !QDir().mkpath(QDir(programFolder).filePath(QStringLiteral("ksdata")))) {
        problems.push_back({programFolder, 0, QString(), QStringLiteral("cannot create the program folder")});
        return false;
    }
    auto put = [&](const QString &path, const QStringList &lines) {
        QString err;
        if (!platform::textfile::writeLinesAtomic(path, lines, &err))
            problems.push_back({path, 0, QString(), err});
    };
    auto putBytes = [&](const QString &path, const QByteArray &b) {
        QString err;
        if (!platform::textfile::writeBytesAtomic(path, b, &err))
            problems.push_back({path, 0, QString(), err});
    };
    auto d = [&](const QString &name) { return QDir(data).filePath(name + QStringLiteral(".rar")); };
    auto p = [&](const QString &name) { return QDir(programFolder).filePath(name); };

    // ver.txt
    QStringList ver = {m.name, m.subtitle, m.folder, QString::number(m.number)};
    for (const SrcUnit &u : m.units)
        ver << u.title;
    for (QString &l : ver)
        l = start::verfile::encodeLine(l);
    put(p(QStringLiteral("ver.txt")), ver);
    put(p(QStringLiteral("sMenu.sys")), c.menuFile);
    if (!QFileInfo::exists(p(QStringLiteral("refresher.txt"))))
        put(p(QStringLiteral("refresher.txt")), {QStringLiteral("0")});
    for (const CursorDef &cur : cursorDefs())
        putBytes(p(QStringLiteral("ico%1.CUR").arg(cur.number, 2, 10, QLatin1Char('0'))), cursorFile(cur));

    // set table
    QStringList table;
    table << QStringLiteral("%1%2")
                 .arg(m.papers.size(), 2, 10, QLatin1Char('0'))
                 .arg(m.units.size(), 2, 10, QLatin1Char('0'));
    QString counts;
    for (const SrcUnit &u : m.units)
        counts += QStringLiteral("%1").arg(u.questions.size(), 2, 10, QLatin1Char('0'));
    table << counts;
    for (const QVector<int> &paper : m.papers) {
        QString line;
        for (int code : paper)
            line += QStringLiteral("%1").arg(code, 4, 10, QLatin1Char('0'));
        table << line;
    }
    put(d(QStringLiteral("288891")), table);
    for (int u = 0; u < m.units.size(); ++u) {
        put(d(QStringLiteral("2888%1").arg(20 + u, 2, 10, QLatin1Char('0'))), c.stepFiles.at(u));
        put(d(QStringLiteral("2888%1").arg(70 + u, 2, 10, QLatin1Char('0'))), c.indexFiles.at(u));
    }
    QStringList textTable;
    for (int i = 0; i < c.texts.lines.size(); ++i)
        textTable << QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')) + c.texts.lines.at(i);
    if (textTable.isEmpty())
        textTable << QStringLiteral("001");
    put(d(QStringLiteral("288890")), textTable);
    put(d(QStringLiteral("288892")), {QStringLiteral("0")});
    put(d(QStringLiteral("288895")), {m.version});
    put(d(QStringLiteral("288897")), {QStringLiteral("0")});
    put(d(QStringLiteral("288899")), {QString::number(m.number)});

    // pictures
    const int total = c.pics.jobs.size() + m.pages.size();
    int done = 0;
    QSet<QString> written;
    for (const Pictures::Job &job : c.pics.jobs) {
        putBytes(d(job.id), png(job.draw()));
        written.insert(job.id + QStringLiteral(".rar"));
        if (options.progress)
            options.progress(++done, total);
    }
    for (int i = 0; i < m.pages.size(); ++i) {
        const SrcPage &pg = m.pages.at(i);
        putBytes(d(QStringLiteral("9l00%1").arg(i + 1, 2, 10, QLatin1Char('0'))),
                 png(renderPage(i + 1, pg.title, pg.paragraphs, pg.modules)));
        if (options.progress)
            options.progress(++done, total);
    }
    // pictures of earlier builds that nothing names any more
    static const QRegularExpression ours(QStringLiteral("^[13456]\\d{5}\\.rar$"));
    for (const QString &f : QDir(data).entryList(QDir::Files))
        if (ours.match(f).hasMatch() && !written.contains(f))
            QFile::remove(QDir(data).filePath(f));
    return problems.isEmpty();
}

} // namespace cadbank
