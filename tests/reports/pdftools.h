#pragma once
// poppler-utils on a PDF made by a test: its page count and size from
// pdfinfo, its words (and where they stand) from pdftotext, a page as
// pixels from pdftoppm.

#include <vector>

#include <QByteArray>
#include <QImage>
#include <QRectF>
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

// The PDF in a temporary file for the tools; empty name when it failed.
class PdfFile {
public:
    explicit PdfFile(const QByteArray& pdf) : file_(QStringLiteral("/tmp/twreportXXXXXX.pdf"))
    {
        if (file_.open()) {
            file_.write(pdf);
            file_.flush();
        }
    }
    QString Name() const { return file_.isOpen() ? file_.fileName() : QString(); }

private:
    QTemporaryFile file_;
};

// One page (from 1) as poppler draws it at the given resolution.
inline QImage RenderPage(const QByteArray& pdf, int page, int dpi)
{
    PdfFile file(pdf);
    QTemporaryFile out(QStringLiteral("/tmp/twreportXXXXXX.png"));
    if (file.Name().isEmpty() || !out.open())
        return QImage();
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                   QString::number(page), QStringLiteral("-l"), QString::number(page),
                   QStringLiteral("-singlefile"), file.Name(), out.fileName()});
    if (!process.waitForFinished(60000))
        return QImage();
    return QImage(out.fileName() + QStringLiteral(".png"));
}

// Every word of the PDF with its page (from 1) and box in points.
struct PdfWord {
    int Page = 0;
    QString Text;
    QRectF Box;
};

inline std::vector<PdfWord> ReadWords(const QByteArray& pdf)
{
    std::vector<PdfWord> words;
    PdfFile file(pdf);
    if (file.Name().isEmpty())
        return words;
    const QString html =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file.Name(), QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                 "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int page = 0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page "))) {
            ++page;
            continue;
        }
        words.push_back({page, m.captured(5),
                         QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

}  // namespace tw::reports::testing
