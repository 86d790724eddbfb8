#pragma once
// What the window tests read back as a user's other programs would: the
// text of the report the print dialog makes (poppler), and the records of a
// dBase table (python3-dbfread).

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "reports/printpreview.h"
#include "pdftools.h"
#include "support/december.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace tw::app::testing {

// The text of the report of that type over the fortnight from 7 December,
// made as the print dialog makes it for preview, print and e-mail. title,
// when given, receives the dialog's first title.
inline QString ChosenReportText(TMainScreen& window, int type, QString* title = nullptr)
{
    window.Features().Printing->Open({0, 14, 1, 14, fixtures::Day(7, 0), fixtures::Day(21, 0)});
    reports::TPrintPreview* print = window.Features().Printing->Dialog();
    EXPECT_NE(print, nullptr);
    if (!print)
        return {};
    print->SetChartTypeIndex(type);
    if (title)
        *title = print->Options().Title;
    const reports::PdfResult pdf = print->ChosenReportPdf();
    print->close();
    EXPECT_TRUE(pdf.Ok()) << pdf.Message.toStdString();
    return reports::testing::ReadPdf(pdf.Pdf).Text;
}

// One line per record of the table file: the fields named, trimmed, joined
// by '|'; numbers with two decimals (an empty number as 0.00).
inline std::string DbfRecords(const std::string& path, const QStringList& fields)
{
    QStringList arguments{QStringLiteral("-c"),
                          QStringLiteral("import sys, dbfread\n"
                                         "def text(v):\n"
                                         "    if isinstance(v, (int, float)) or v is None:\n"
                                         "        return '%.2f' % (v or 0)\n"
                                         "    return str(v).strip()\n"
                                         "for r in dbfread.DBF(sys.argv[1]):\n"
                                         "    print('|'.join(text(r[f]) for f in sys.argv[2:]))\n"),
                          QString::fromStdString(path)};
    arguments += fields;
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!reader.waitForFinished(60000))
        return {};
    return reader.readAllStandardOutput().toStdString() + reader.readAllStandardError().toStdString();
}

}  // namespace tw::app::testing
