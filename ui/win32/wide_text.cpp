#include "ui/win32/wide_text.h"

#include <windows.h>

#include <climits>

#include "platform/encoding/text_encoding.h"

namespace romwise::ui::win32 {

namespace {

std::wstring wideFrom(UINT codePage, std::string_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), needed);
    return out;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view utf8) {
    return wideFrom(CP_UTF8, utf8);
}

std::wstring wideFromRecord(std::string_view windows1252) {
    return wideFromUtf8(windows1252ToUtf8(windows1252));
}

std::wstring wideFromAnsi(std::string_view ansi) {
    return wideFrom(CP_ACP, ansi);
}

std::string utf8FromWide(std::wstring_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

std::optional<std::string> ansiFromWide(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int length = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length,
                                           nullptr, 0, nullptr, &lossy);
    if (needed <= 0 || lossy) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(), needed,
                        nullptr, &lossy);
    if (lossy) {
        return std::nullopt;
    }
    return out;
}

}  // namespace romwise::ui::win32
