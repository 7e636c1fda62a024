// Printing to a PDF file, read back with pdftotext: the report's lines in
// order, one pitch apart at the left edge; a cancelled dialog prints nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <map>

#include "modal_script.h"
#include "model/control_ids.h"
#include "platform/encoding/text_encoding.h"
#include "report/printed_report.h"
#include "window_fixtures.h"

namespace romwise::ui {
namespace {

using testing::SampleWindow;

QString normalised(QString text) {
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

struct PrintedWord {
    double xMin;
    double yMax;
};

// pdftotext's lines, with the leftmost word of each printed line (words
// grouped by their baseline, top to bottom).
struct ReadBack {
    QStringList lines;
    std::vector<PrintedWord> firstWords;
};

ReadBack readPdf(const QString& path) {
    ReadBack out;
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!text.waitForFinished(30000)) {
        return out;
    }
    for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split('\n')) {
        if (!normalised(line).isEmpty() && normalised(line) != QStringLiteral("\f")) {
            out.lines << normalised(line);
        }
    }
    QProcess boxes;
    boxes.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-bbox-layout"), path, QStringLiteral("-")});
    if (!boxes.waitForFinished(30000)) {
        return out;
    }
    QXmlStreamReader xml(boxes.readAllStandardOutput());
    std::map<long, PrintedWord> byBaseline;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("word")) {
            const auto attributes = xml.attributes();
            const PrintedWord word{attributes.value(QStringLiteral("xMin")).toDouble(),
                                   attributes.value(QStringLiteral("yMax")).toDouble()};
            const long key = std::lround(word.yMax * 4);
            auto [place, added] = byBaseline.emplace(key, word);
            if (!added && word.xMin < place->second.xMin) {
                place->second = word;
            }
        }
    }
    for (const auto& [key, word] : byBaseline) {
        out.firstWords.push_back(word);
    }
    return out;
}

class Printing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(directory.isValid());
        pdf = directory.filePath(QStringLiteral("report.pdf"));
        window.control<QPushButton>(control::kGetBiosInfo)->click();
        ASSERT_EQ(window.results->runState, RunState::Completed);
    }

    void printWith(bool choose) {
        window.dialog.setPrinterChooser([this, choose](QPrinter& printer, QWidget*) {
            fromPage = printer.fromPage();
            toPage = printer.toPage();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return choose;
        });
        window.control<QPushButton>(control::kPrint)->click();
    }

    QTemporaryDir directory;
    QString pdf;
    int fromPage = 0;
    int toPage = 0;
    SampleWindow window{"award-440bx.json"};
};

TEST_F(Printing, ThePdfHoldsTheReportLinesInOrderOnePitchApartAtTheLeftEdge) {
    printWith(true);
    EXPECT_EQ(fromPage, 1);
    EXPECT_EQ(toPage, 1);
    ASSERT_TRUE(QFile::exists(pdf));
    const ReadBack printed = readPdf(pdf);

    QStringList expected;
    for (const PrintedLine& line : printedReportLines(*window.results, 10)) {
        const QString text = normalised(QString::fromStdString(windows1252ToUtf8(line.text)));
        if (!text.isEmpty()) {
            expected << text;
        }
    }
    ASSERT_GE(expected.size(), 10);
    EXPECT_EQ(expected.front(), QStringLiteral("Program: Quorvel Romwise Version 3.54"));
    EXPECT_EQ(printed.lines, expected);

    // Every line starts at the same x; baselines are equally spaced. The
    // single-space line leaves one empty pitch before the maker's lines.
    ASSERT_EQ(printed.firstWords.size(), static_cast<size_t>(expected.size()));
    const double pitch = printed.firstWords[1].yMax - printed.firstWords[0].yMax;
    EXPECT_GT(pitch, 0.0);
    for (size_t i = 1; i < printed.firstWords.size(); ++i) {
        EXPECT_NEAR(printed.firstWords[i].xMin, printed.firstWords[0].xMin, 0.5) << i;
        const double step = printed.firstWords[i].yMax - printed.firstWords[i - 1].yMax;
        const bool onePitch = std::abs(step - pitch) < 0.5;
        const bool twoPitches = std::abs(step - 2 * pitch) < 0.5;
        EXPECT_TRUE(onePitch || (twoPitches && expected[static_cast<int>(i)].startsWith("Quorvel")))
            << i << ": " << step;
    }
}

TEST_F(Printing, CancellingThePrintDialogPrintsNothing) {
    printWith(false);
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
}  // namespace romwise::ui
