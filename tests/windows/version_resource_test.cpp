// The version resource of both programs, read back from the built files the
// way Explorer's Properties read it: the product, its version, the maker, the
// About box's copyright line and each file's own name, in the language the
// resource announces.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "model/product_identity.h"
#include "ui/common/dialog_templates.h"
#include "wine_host.h"

namespace romwise {
namespace {

std::wstring wide(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        text.data(), length);
    return text;
}

class VersionResource {
  public:
    explicit VersionResource(const std::wstring& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size != 0) {
            block_.resize(size);
            if (!GetFileVersionInfoW(path.c_str(), 0, size, block_.data())) {
                block_.clear();
            }
        }
    }

    bool present() const { return !block_.empty(); }

    const VS_FIXEDFILEINFO* fixed() const {
        return static_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
    }

    // The first language and code page of the translation table.
    std::pair<WORD, WORD> translation() const {
        const auto* pair = static_cast<const WORD*>(value(L"\\VarFileInfo\\Translation"));
        return pair ? std::pair<WORD, WORD>{pair[0], pair[1]} : std::pair<WORD, WORD>{0, 0};
    }

    // A string of the StringFileInfo table of the announced translation.
    std::wstring text(const wchar_t* name) const {
        const auto [language, codePage] = translation();
        wchar_t path[64];
        std::swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", language, codePage, name);
        const auto* found = static_cast<const wchar_t*>(value(path));
        return found ? std::wstring(found) : std::wstring();
    }

  private:
    const void* value(const wchar_t* path) const {
        void* found = nullptr;
        UINT length = 0;
        auto* block = const_cast<unsigned char*>(block_.data());
        return VerQueryValueW(block, path, &found, &length) && length > 0 ? found : nullptr;
    }

    std::vector<unsigned char> block_;
};

// The About box's line that names the maker: the copyright line.
std::wstring aboutBoxLineStartingWith(const std::wstring& maker) {
    for (const ui::ControlTemplate& control : ui::kAboutBoxTemplate.controls) {
        const std::wstring text = wide(control.text);
        if (!maker.empty() && text.rfind(maker, 0) == 0) {
            return text;
        }
    }
    return {};
}

TEST(VersionResource, BothProgramsNameTheProductVersionMakerAndTheirOwnFile) {
    for (const std::string program : {ROMWISE_CLI_PROGRAM, ROMWISE_WINDOW_PROGRAM}) {
        SCOPED_TRACE(program);
        const std::string path = test::hostPath(program);
        const VersionResource resource(wide(path));
        ASSERT_TRUE(resource.present()) << "no version resource";

        const VS_FIXEDFILEINFO* fixed = resource.fixed();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
        EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
        wchar_t numbers[32];
        std::swprintf(numbers, 32, L"%u.%u", HIWORD(fixed->dwProductVersionMS),
                      LOWORD(fixed->dwProductVersionMS));

        EXPECT_EQ(resource.translation(), (std::pair<WORD, WORD>{0x0804, 1200}))
            << "Simplified Chinese, UTF-16, as the dialogs";
        const std::wstring version = resource.text(L"ProductVersion");
        EXPECT_EQ(L"Version " + version, wide(kVersionText)) << "the version the caption shows";
        EXPECT_EQ(resource.text(L"FileVersion"), version);
        EXPECT_EQ(std::wstring(numbers), version) << "the fixed part says the same";
        EXPECT_EQ(resource.text(L"ProductName"), wide(kApplicationTitle));

        const std::wstring maker = resource.text(L"CompanyName");
        const std::wstring copyright = aboutBoxLineStartingWith(maker);
        EXPECT_FALSE(copyright.empty()) << "the About box names the maker";
        EXPECT_EQ(resource.text(L"LegalCopyright"), copyright);

        const std::string fileName = path.substr(path.find_last_of('\\') + 1);
        EXPECT_EQ(resource.text(L"OriginalFilename"), wide(fileName));
        EXPECT_FALSE(resource.text(L"FileDescription").empty());
    }
}

}  // namespace
}  // namespace romwise
