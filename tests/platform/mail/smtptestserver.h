#pragma once
// The real SMTP server of smtp_server.py, started for one test on a free port
// of 127.0.0.1 and stopped with it.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <stdexcept>

namespace tw::mail::test {

class SmtpTestServer {
public:
    explicit SmtpTestServer(const QStringList& options)
    {
        process_.setProgram(QStringLiteral("/usr/bin/python3"));
        process_.setArguments(
            QStringList{QStringLiteral(TW_SMTP_SERVER_SCRIPT), QStringLiteral("--dir"), dir_.path()}
            + options);
        process_.setStandardErrorFile(dir_.filePath(QStringLiteral("server.log")));
        process_.start();
        QByteArray line;
        while (!line.contains('\n') && process_.waitForReadyRead(30000))
            line += process_.readAll();
        if (!line.startsWith("PORT "))
            throw std::runtime_error("the SMTP test server did not start: " + line.toStdString());
        port_ = line.mid(5).trimmed().toInt();
    }
    ~SmtpTestServer()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }

    int Port() const { return port_; }
    QString Folder() const { return dir_.path(); }
    QString Certificate() const { return dir_.filePath(QStringLiteral("cert.pem")); }

    // The messages that arrived, as the email package parsed them.
    QList<QJsonObject> Messages() const
    {
        QList<QJsonObject> result;
        const QDir dir(dir_.path());
        for (int n = 1;; ++n) {
            QFile file(dir.filePath(QStringLiteral("msg-%1.json").arg(n)));
            if (!file.open(QIODevice::ReadOnly))
                break;
            result << QJsonDocument::fromJson(file.readAll()).object();
        }
        return result;
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

}  // namespace tw::mail::test
