// The print job on a metafile device: the report's lines in order, each at
// x = 0 with its baseline at k times the default font's pitch, on a page
// whose logical units are device pixels and whose text sits on its baseline;
// and the Print button running the job on the printer it is given.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "model/control_ids.h"
#include "report/printed_report.h"
#include "ui/win32/report_printing.h"
#include "ui/win32/wide_text.h"
#include "window_fixtures.h"

namespace romwise::ui::win32 {
namespace {

struct Recorded {
    std::vector<std::pair<POINT, std::wstring>> lines;
    DWORD mapMode = 0;
    DWORD textAlign = ~0u;
    SIZE viewportExtent = {};
};

int CALLBACK record(HDC, HANDLETABLE*, const ENHMETARECORD* entry, int, LPARAM data) {
    auto* recorded = reinterpret_cast<Recorded*>(data);
    switch (entry->iType) {
        case EMR_EXTTEXTOUTW: {
            const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(entry);
            const auto* chars = reinterpret_cast<const wchar_t*>(
                reinterpret_cast<const BYTE*>(entry) + text->emrtext.offString);
            recorded->lines.push_back({{text->emrtext.ptlReference.x, text->emrtext.ptlReference.y},
                                       std::wstring(chars, text->emrtext.nChars)});
            break;
        }
        case EMR_SETMAPMODE:
            recorded->mapMode = reinterpret_cast<const EMRSETMAPMODE*>(entry)->iMode;
            break;
        case EMR_SETTEXTALIGN:
            recorded->textAlign = reinterpret_cast<const EMRSETTEXTALIGN*>(entry)->iMode;
            break;
        case EMR_SETVIEWPORTEXTEX:
            recorded->viewportExtent =
                reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(entry)->szlExtent;
            break;
        default:
            break;
    }
    return 1;
}

int pitchOf(HDC dc) {
    TEXTMETRICW metrics = {};
    EXPECT_TRUE(GetTextMetricsW(dc, &metrics));
    return metrics.tmHeight + metrics.tmExternalLeading;
}

Recorded playBack(HDC metafile) {
    HENHMETAFILE played = CloseEnhMetaFile(metafile);
    Recorded recorded;
    EnumEnhMetaFile(nullptr, played, record, &recorded, nullptr);
    DeleteEnhMetaFile(played);
    return recorded;
}

void expectThePrintedReport(const Recorded& recorded, const DetectionResults& results, int pitch) {
    EXPECT_EQ(recorded.mapMode, static_cast<DWORD>(MM_ANISOTROPIC));
    EXPECT_EQ(recorded.textAlign, static_cast<DWORD>(TA_BASELINE));
    EXPECT_EQ(recorded.viewportExtent.cx, 1);
    EXPECT_EQ(recorded.viewportExtent.cy, 1);
    const std::vector<PrintedLine> expected = printedReportLines(results, pitch);
    ASSERT_EQ(recorded.lines.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(expected[k].text);
        EXPECT_EQ(recorded.lines[k].first.x, 0);
        EXPECT_EQ(recorded.lines[k].first.y, static_cast<LONG>((k + 1) * pitch));
        EXPECT_EQ(recorded.lines[k].second, wideFromRecord(expected[k].text));
    }
}

TEST(PrintJob, DrawsTheReportLinesOnePitchApartOnTheirBaselines) {
    testing::SampleWindow window("many-slots.json");
    testing::click(window.control(control::kGetBiosInfo));
    ASSERT_EQ(window.results->runState, RunState::Completed);
    window.results->cpuLine.assign("Intel\xAE Pentium\xAE III");

    HDC screen = GetDC(nullptr);
    HDC metafile = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(metafile, nullptr);
    // Wine's metafile device has no text metrics until a font is chosen; a
    // printer's device context starts with its default font.
    SelectObject(metafile, GetStockObject(DEVICE_DEFAULT_FONT));
    const int pitch = pitchOf(metafile);
    ASSERT_GT(pitch, 0);
    printReport(metafile, *window.results);
    const Recorded recorded = playBack(metafile);
    expectThePrintedReport(recorded, *window.results, pitch);
    bool registered = false;
    for (const auto& line : recorded.lines) {
        registered = registered || line.second == L"CPU:       Intel\x00AE Pentium\x00AE III";
    }
    EXPECT_TRUE(registered) << "Windows-1252 bytes drawn as their characters";
}

TEST(PrintButton, PrintsOnThePrinterItIsGivenAndNothingWhenTheChoiceIsCancelled) {
    testing::SampleWindow window("award-440bx.json");
    testing::click(window.control(control::kGetBiosInfo));
    HDC handed = nullptr;
    int asked = 0;
    window.window.setPrinterChooser([&](HWND owner) {
        ++asked;
        EXPECT_EQ(owner, window.window.handle());
        return handed;
    });
    testing::ModalScript script;
    testing::click(window.control(control::kPrint));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(script.seen().empty()) << "a cancelled choice says nothing";

    // A white page in memory as the printer: the window draws on it and then
    // lets go of the device context; the page stays.
    constexpr int kPage = 600;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, kPage, -kPage, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP page = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(page, nullptr);
    std::fill_n(static_cast<std::uint32_t*>(bits), kPage * kPage, 0xFFFFFFu);
    handed = CreateCompatibleDC(nullptr);
    SelectObject(handed, page);
    const int pitch = pitchOf(handed);
    testing::click(window.control(control::kPrint));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(GetObjectType(handed), 0u) << "the device context was let go";
    // Ink on the first line's band, above its baseline, and none above it.
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    auto inkIn = [&](int top, int bottom) {
        for (int y = std::max(top, 0); y < bottom; ++y) {
            for (int x = 0; x < kPage; ++x) {
                if ((pixels[y * kPage + x] & 0xFFFFFF) != 0xFFFFFF) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(inkIn(0, pitch));
    EXPECT_TRUE(inkIn(pitch, 2 * pitch));
    DeleteObject(page);
}

}  // namespace
}  // namespace romwise::ui::win32
