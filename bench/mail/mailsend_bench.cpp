// One send of a 1 MB schedule PDF to an SMTP server on 127.0.0.1, plain and
// over STARTTLS with a login: the time the user waits after "Send E-Mail".
#include <benchmark/benchmark.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "platform/mail/curlsmtpengine.h"
#include "smtptestserver.h"

namespace {

using tw::mail::CurlSmtpEngine;
using tw::mail::test::SmtpTestServer;

void SendMegabytePdf(benchmark::State& state, bool secure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("schedule.pdf"));
    {
        // Random bytes do not compress, as a PDF's streams mostly do not.
        QByteArray bytes(1024 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        bytes.replace(0, 8, "%PDF-1.4");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QStringList options;
    if (secure)
        options << QStringLiteral("--starttls") << QStringLiteral("--auth") << QStringLiteral("clerk")
                << QStringLiteral("pw");
    SmtpTestServer server(options);
    CurlSmtpEngine engine;
    engine.SetCertificateFile(server.Certificate());
    engine.Attach();
    if (secure)
        engine.SetAuthentication(QStringLiteral("clerk"), QStringLiteral("pw"));
    engine.SetPort(server.Port());
    const QString sender = QStringLiteral("<office@example.com>");
    if (engine.Connect(QStringLiteral("127.0.0.1"), sender, sender) < 0) {
        state.SkipWithError("no connection to the local SMTP server");
        return;
    }
    for (auto _ : state) {
        const int rc = engine.Send(QStringLiteral("<ann@example.com>"), {}, {}, QStringLiteral("Schedule"),
                                   QStringLiteral("\nschedule.pdf is attached"), path);
        if (rc < 0) {
            state.SkipWithError(engine.ErrorText(rc).toStdString().c_str());
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * 1024 * 1024);
}

void BM_SendMegabytePdf(benchmark::State& state)
{
    SendMegabytePdf(state, false);
}
void BM_SendMegabytePdfStartTlsLogin(benchmark::State& state)
{
    SendMegabytePdf(state, true);
}

BENCHMARK(BM_SendMegabytePdf)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SendMegabytePdfStartTlsLogin)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
