#include "platform/mail/curlsmtpengine.h"

#include <curl/curl.h>

#include <QDateTime>
#include <QFileInfo>

#include <memory>
#include <mutex>

#include "platform/mail/mailtexts.h"

namespace tw::mail {

namespace {

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

void Append(Slist& list, const QByteArray& text)
{
    curl_slist* grown = curl_slist_append(list.get(), text.constData());
    if (grown) {
        (void)list.release();
        list.reset(grown);
    }
}

QString Limited(const QString& text)
{
    return text.left(kErrorTextLimit);
}

}  // namespace

struct CurlSmtpEngine::Transfer {
    CURL* curl = nullptr;
    curl_mime* mime = nullptr;
    Slist recipients, headers;
    char error[CURL_ERROR_SIZE] = {};
    QByteArray lastReply;  // the server's last refusal
    QByteArray url, user, password, caFile, from;

    ~Transfer()
    {
        if (mime)
            curl_mime_free(mime);
        if (curl)
            curl_easy_cleanup(curl);
    }

    static int Trace(CURL*, curl_infotype type, char* data, size_t size, void* self)
    {
        if (type == CURLINFO_HEADER_IN) {
            QByteArray line(data, static_cast<qsizetype>(size));
            line = line.trimmed();
            // The goodbye after a refusal must not hide the refusal.
            if (line.startsWith('4') || line.startsWith('5'))
                static_cast<Transfer*>(self)->lastReply = line;
        }
        return 0;
    }
    static size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

    // The reply the server refused with when it refused, else curl's own words.
    QString Failure(CURLcode code) const
    {
        long response = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response);
        if (response >= 400 && !lastReply.isEmpty())
            return QString::fromUtf8(lastReply);
        if (error[0])
            return QString::fromUtf8(error);
        return QString::fromUtf8(curl_easy_strerror(code));
    }
};

CurlSmtpEngine::CurlSmtpEngine()
{
    GlobalInit();
}
CurlSmtpEngine::~CurlSmtpEngine() = default;

int CurlSmtpEngine::Attach()
{
    attached_ = true;
    return 0;
}

int CurlSmtpEngine::SetAuthentication(const QString& user, const QString& password)
{
    authenticate_ = true;
    user_ = user;
    password_ = password;
    return 0;
}

int CurlSmtpEngine::SetPort(int port)
{
    if (port <= 0 || port > 65535)
        return Fail(QStringLiteral("Invalid SMTP port %1").arg(port));
    port_ = port;
    return 0;
}

int CurlSmtpEngine::Fail(const QString& text)
{
    const int code = nextError_--;
    errors_[code] = Limited(text);
    // Only the last few texts can still be asked for.
    while (errors_.size() > 16)
        errors_.erase(std::prev(errors_.end()));
    return code;
}

QString CurlSmtpEngine::ErrorText(int code)
{
    auto it = errors_.find(code);
    return it == errors_.end() ? QStringLiteral("Unknown error %1").arg(code) : it->second;
}

int CurlSmtpEngine::Release()
{
    attached_ = false;
    host_.clear();
    sender_.clear();
    authenticate_ = false;
    user_.clear();
    password_.clear();
    port_ = 25;
    return 0;
}

QString CurlSmtpEngine::Url() const
{
    const QString scheme = port_ == 465 ? QStringLiteral("smtps") : QStringLiteral("smtp");
    QString host = host_.trimmed();
    if (host.contains(u':') && !host.startsWith(u'['))
        host = u'[' + host + u']';
    // The path is the name given in EHLO.
    return QStringLiteral("%1://%2:%3/localhost").arg(scheme, host).arg(port_);
}

int CurlSmtpEngine::Prepare(Transfer& t) const
{
    t.curl = curl_easy_init();
    if (!t.curl)
        return -1;
    t.url = Url().toUtf8();
    curl_easy_setopt(t.curl, CURLOPT_URL, t.url.constData());
    curl_easy_setopt(t.curl, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(t.curl, CURLOPT_ERRORBUFFER, t.error);
    curl_easy_setopt(t.curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(t.curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits_.ConnectSeconds));
    curl_easy_setopt(t.curl, CURLOPT_TIMEOUT, static_cast<long>(limits_.TotalSeconds));
    curl_easy_setopt(t.curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(t.curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits_.StallSeconds));
    curl_easy_setopt(t.curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(limits_.StallSeconds));
    if (port_ != 465)
        curl_easy_setopt(t.curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    if (!caFile_.isEmpty()) {
        t.caFile = caFile_.toLocal8Bit();
        curl_easy_setopt(t.curl, CURLOPT_CAINFO, t.caFile.constData());
    }
    if (authenticate_) {
        t.user = user_.toUtf8();
        t.password = password_.toUtf8();
        curl_easy_setopt(t.curl, CURLOPT_USERNAME, t.user.constData());
        curl_easy_setopt(t.curl, CURLOPT_PASSWORD, t.password.constData());
    }
    curl_easy_setopt(t.curl, CURLOPT_DEBUGFUNCTION, &Transfer::Trace);
    curl_easy_setopt(t.curl, CURLOPT_DEBUGDATA, &t);
    curl_easy_setopt(t.curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(t.curl, CURLOPT_WRITEFUNCTION, &Transfer::Discard);
    return 0;
}

int CurlSmtpEngine::Connect(const QString& host, const QString& sender, const QString& /*replyTo*/)
{
    if (!attached_)
        return Fail(QStringLiteral("Mail engine not attached"));
    host_ = host.trimmed();
    sender_ = sender;
    if (host_.isEmpty())
        return Fail(QStringLiteral("No SMTP server name in the e-mail settings"));
    Transfer t;
    if (Prepare(t) < 0)
        return Fail(QStringLiteral("Mail engine could not start"));
    // A harmless command after the greeting, STARTTLS and the login proves
    // that all three work.
    curl_easy_setopt(t.curl, CURLOPT_CUSTOMREQUEST, "NOOP");
    const CURLcode rc = curl_easy_perform(t.curl);
    if (rc != CURLE_OK)
        return Fail(t.Failure(rc));
    return 0;
}

int CurlSmtpEngine::Send(const QString& to, const QString& cc, const QString& bcc, const QString& subject,
                         const QString& message, const QString& attachment)
{
    if (!attached_)
        return Fail(QStringLiteral("Mail engine not attached"));
    if (host_.isEmpty())
        return Fail(QStringLiteral("No SMTP server name in the e-mail settings"));
    const QString from = RecipientAddresses(sender_).value(0);
    const AddressCheck sender = CheckAddress(from);
    if (!sender.Ok())
        return Fail(QStringLiteral("Sender: ") + sender.Error);
    QStringList toList = RecipientAddresses(to), ccList = RecipientAddresses(cc);
    QStringList all = toList + ccList + RecipientAddresses(bcc);
    if (all.isEmpty())
        return Fail(QStringLiteral("No mailing address"));
    for (const QString& a : all) {
        const AddressCheck check = CheckAddress(a);
        if (!check.Ok())
            return Fail(check.Error);
    }
    if (!attachment.isEmpty() && !QFileInfo(attachment).isFile())
        return Fail(QStringLiteral("Attachment not found: ") + attachment);

    Transfer t;
    if (Prepare(t) < 0)
        return Fail(QStringLiteral("Mail engine could not start"));
    t.from = "<" + sender.Address.toUtf8() + ">";
    curl_easy_setopt(t.curl, CURLOPT_MAIL_FROM, t.from.constData());
    for (const QString& a : all)
        Append(t.recipients, "<" + a.toUtf8() + ">");
    curl_easy_setopt(t.curl, CURLOPT_MAIL_RCPT, t.recipients.get());

    Append(t.headers, "Date: " + MailDateText(QDateTime::currentDateTimeUtc()));
    Append(t.headers, "From: <" + sender.Address.toUtf8() + ">");
    Append(t.headers, "To: " + ("<" + toList.join(QStringLiteral(">, <")) + ">").toUtf8());
    if (!ccList.isEmpty())
        Append(t.headers, "Cc: " + ("<" + ccList.join(QStringLiteral(">, <")) + ">").toUtf8());
    Append(t.headers, "Subject: " + EncodedHeaderText(subject));
    curl_easy_setopt(t.curl, CURLOPT_HTTPHEADER, t.headers.get());

    t.mime = curl_mime_init(t.curl);
    const QByteArray body = CrlfText(message);
    curl_mimepart* text = curl_mime_addpart(t.mime);
    curl_mime_data(text, body.constData(), static_cast<size_t>(body.size()));
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    if (!attachment.isEmpty()) {
        curl_mimepart* file = curl_mime_addpart(t.mime);
        const QByteArray path = attachment.toLocal8Bit();
        const QByteArray name = QFileInfo(attachment).fileName().toUtf8();
        curl_mime_filedata(file, path.constData());
        curl_mime_filename(file, name.constData());
        curl_mime_type(file, "application/pdf");
        curl_mime_encoder(file, "base64");
    }
    curl_easy_setopt(t.curl, CURLOPT_MIMEPOST, t.mime);

    const CURLcode rc = curl_easy_perform(t.curl);
    if (rc != CURLE_OK)
        return Fail(t.Failure(rc));
    return 0;
}

}  // namespace tw::mail
