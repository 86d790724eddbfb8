#pragma once
// poppler-utils on a PDF made by a test: its page count and size from
// pdfinfo, its words from pdftotext.

#include <QByteArray>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryFile>

namespace tw::reports::testing {

struct PdfFacts {
    int Pages = -1;
    QString PageSize;  // as pdfinfo gives it: "612 x 792 pts (letter)"
    QString Text;
};

inline QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline PdfFacts ReadPdf(const QByteArray& pdf)
{
    PdfFacts facts;
    QTemporaryFile file(QStringLiteral("/tmp/twreportXXXXXX.pdf"));
    if (!file.open())
        return facts;
    file.write(pdf);
    file.flush();
    const QString info = RunTool(QStringLiteral("pdfinfo"), {file.fileName()});
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    if (pages.hasMatch())
        facts.Pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([^\\n]+)")).match(info);
    if (size.hasMatch())
        facts.PageSize = size.captured(1).trimmed();
    facts.Text = RunTool(QStringLiteral("pdftotext"),
                         {QStringLiteral("-layout"), file.fileName(), QStringLiteral("-")});
    return facts;
}

}  // namespace tw::reports::testing
