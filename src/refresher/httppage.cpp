#include "refresher/httppage.h"
#include "platform/textfile.h"

#include <QNetworkReply>
#include <QRegularExpression>
#include <QStringDecoder>

namespace refresher {

HttpPage::HttpPage(int timeoutMs, QObject *parent) : QObject(parent), m_timeoutMs(timeoutMs) {
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this,
            [this] { fail(tr("服务器在 %1 秒内没有应答").arg(m_timeoutMs / 1000.0)); });
}

HttpPage::~HttpPage() {
    if (m_reply)
        m_reply->abort();
}

void HttpPage::start(const QString &url) {
    m_state = Pending;
    m_body.clear();
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = m_net.get(request);
    // the reply holds no more than one page beyond what has been read: a server
    // that pours out an endless body waits on the socket instead of filling the
    // memory while the window is busy
    m_reply->setReadBufferSize(MaxBytes + 1);
    connect(m_reply, &QNetworkReply::readyRead, this, [this] {
        if (!m_reply)
            return;
        m_body += m_reply->read(MaxBytes + 1 - m_body.size());
        if (m_body.size() > MaxBytes)
            fail(tr("版本页过大，不是版本号"));
    });
    connect(m_reply, &QNetworkReply::finished, this, &HttpPage::finished);
    m_deadline.start(m_timeoutMs + 500); // the whole fetch, however the server dribbles
}

void HttpPage::fail(const QString &reason) {
    if (m_state != Pending)
        return;
    m_state = Failed;
    m_reason = reason;
    m_deadline.stop();
    if (m_reply) {
        QNetworkReply *r = m_reply;
        m_reply = nullptr;
        r->abort();
        r->deleteLater();
    }
    Q_EMIT settled();
}

void HttpPage::finished() {
    QNetworkReply *r = m_reply;
    if (!r || m_state != Pending)
        return;
    if (r->isOpen())
        m_body += r->read(MaxBytes + 1 - m_body.size());
    const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_body.size() > MaxBytes)
        return fail(tr("版本页过大，不是版本号"));
    if (r->error() == QNetworkReply::OperationCanceledError || r->error() == QNetworkReply::TimeoutError)
        return fail(tr("服务器在 %1 秒内没有应答").arg(m_timeoutMs / 1000.0));
    if (status >= 400)
        return fail(tr("找不到版本页（HTTP %1）").arg(status));
    if (r->error() != QNetworkReply::NoError)
        return fail(tr("无法连接升级服务器：%1").arg(r->errorString()));
    m_text = bodyText(m_body, r->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    m_state = Done;
    m_deadline.stop();
    m_reply = nullptr;
    r->deleteLater();
    Q_EMIT settled();
}

QString HttpPage::bodyText(const QByteArray &bytes, const QByteArray &contentType) {
    QString text;
    const bool utf8Declared =
        contentType.toLower().contains("utf-8") || bytes.toLower().contains("charset=utf-8");
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(bytes);
    text = (utf8Declared || !utf8.hasError()) ? asUtf8 : platform::gbk::decode(bytes);
    static const QRegularExpression bodyOpen(QStringLiteral("<body[^>]*>"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto open = bodyOpen.match(text);
    if (open.hasMatch()) {
        text = text.mid(open.capturedEnd());
        const int close = text.indexOf(QLatin1String("</body"), 0, Qt::CaseInsensitive);
        if (close >= 0)
            text.truncate(close);
    }
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    text.remove(tag);
    text.replace(QLatin1String("&nbsp;"), QLatin1String(" "))
        .replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
    // the line breaks around the text are the page's layout, not its text
    while (!text.isEmpty() && (text.front() == u'\r' || text.front() == u'\n'))
        text.remove(0, 1);
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

} // namespace refresher
