#include "wine_host.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

namespace romwise::test {

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string hostPath(const std::string& path) {
    std::string windows = path;
    for (char& c : windows) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (!path.empty() && path[0] == '/') {
        windows = "Z:" + windows;
    }
    return windows;
}

ScratchFolder::ScratchFolder() {
    char temporary[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temporary);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "romwise-test-%lu-%u",
                      static_cast<unsigned long>(GetCurrentProcessId()), counter++);
        std::string candidate = std::string(temporary, length) + name;
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate + "\\";
            return;
        }
    }
    ADD_FAILURE() << "no scratch folder could be made in " << temporary;
}

std::vector<std::string> ScratchFolder::fileNames() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty()) {
        return;
    }
    for (const std::string& name : fileNames()) {
        const std::string path = path_ + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str())) {
            RemoveDirectoryA(path.c_str());
        }
    }
    RemoveDirectoryA(path_.c_str());
}

std::string readFileBytes(const std::string& path) {
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, count);
    }
    std::fclose(file);
    return bytes;
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

namespace {

// Reads a pipe to its end on a thread of its own, so that neither pipe can
// fill up while the program waits for the other to be read.
void drain(HANDLE pipe, std::string& into) {
    char chunk[4096];
    DWORD count = 0;
    while (ReadFile(pipe, chunk, sizeof chunk, &count, nullptr) && count > 0) {
        into.append(chunk, count);
    }
}

}  // namespace

ProgramRun runProgram(const std::string& commandLine) {
    ProgramRun run;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        ADD_FAILURE() << "no pipes";
        return run;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        ADD_FAILURE() << "could not start " << commandLine << ": error " << GetLastError();
        CloseHandle(outRead);
        CloseHandle(errRead);
        return run;
    }
    std::thread outReader(drain, outRead, std::ref(run.out));
    std::thread errReader(drain, errRead, std::ref(run.err));
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << commandLine << " did not end within a minute";
        TerminateProcess(process.hProcess, 99);
    }
    outReader.join();
    errReader.join();
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    run.exitCode = exitCode;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(outRead);
    CloseHandle(errRead);
    return run;
}

}  // namespace romwise::test
