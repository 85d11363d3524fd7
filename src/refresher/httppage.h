#pragma once
// The version page fetched over HTTP: the text of its body, bounded in time and
// size so that no server can keep the checker waiting or fill its memory.

#include "refresher/session.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QNetworkReply;

namespace refresher {

class HttpPage : public QObject, public PageSource {
    Q_OBJECT
  public:
    explicit HttpPage(int timeoutMs = 10000, QObject *parent = nullptr);
    ~HttpPage() override;
    void start(const QString &url) override;
    State state() const override { return m_state; }
    QString text() const override { return m_text; }
    QString reason() const override { return m_reason; }

    // A page longer than this is no version page.
    static constexpr qint64 MaxBytes = 64 * 1024;

    // The text of an HTML page's body (tags dropped, the common entities
    // decoded); a page without tags is its own text.
    static QString bodyText(const QByteArray &bytes, const QByteArray &contentType);

  Q_SIGNALS:
    void settled();

  private:
    void fail(const QString &reason);
    void finished();

    QNetworkAccessManager m_net;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    State m_state = Idle;
    QString m_text, m_reason;
    int m_timeoutMs;
};

} // namespace refresher
