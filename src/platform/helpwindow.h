#pragma once
// The help window: the trainer's instructions as text, with a find field that
// highlights every match and steps through them. One window serves the whole
// program; F1 on the cover page and on the question panel opens it.

#include <QList>
#include <QTextCursor>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;

namespace platform {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }
    QLineEdit *findField() const { return m_find; }
    QLabel *findStatus() const { return m_status; }

    // The matches of the find field's text, in document order, and the one shown
    // (-1 when there is none).
    int matchCount() const { return int(m_matches.size()); }
    int currentMatch() const { return m_current; }

    // The next or previous match, wrapping round at either end.
    void findNext();
    void findPrevious();

  protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

  private:
    void search(const QString &text);
    void showMatch(int index);
    void paintMatches();

    QTextBrowser *m_browser = nullptr;
    QLineEdit *m_find = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QLabel *m_status = nullptr;
    QList<QTextCursor> m_matches;
    int m_current = -1;
};

// The help text as shipped with the program (HTML, text and headings only).
QString helpHtml();

// Opens the help window, creating it on first use, and brings it to the front.
HelpWindow *showHelp();

} // namespace platform
