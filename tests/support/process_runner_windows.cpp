#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <stdexcept>
#include <thread>
#include <utility>

#include "process_runner.h"

namespace kestrel::test {
namespace {

class Handle {
  public:
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }

    HANDLE get() const { return handle_; }
    HANDLE* put() {
        close();
        return &handle_;
    }
    void close() {
        if (handle_) CloseHandle(std::exchange(handle_, nullptr));
    }

  private:
    HANDLE handle_ = nullptr;
};

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring result(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.data(),
                        static_cast<int>(result.size()));
    return result;
}

// Quotes one argument so that the C runtime's command-line parser gives it back unchanged.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring result = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        result.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        result += c;
    }
    result.append(2 * backslashes, L'\\');
    return result + L"\"";
}

std::wstring nameOf(const std::wstring& entry) {
    // Entries such as "=C:=C:\dir" start with "=": their name runs to the second one.
    std::wstring name = entry.substr(0, entry.find(L'=', 1));
    std::transform(name.begin(), name.end(), name.begin(), std::towupper);
    return name;
}

// This process's environment with `extra` replacing or adding entries, as CreateProcessW
// takes it: each entry ends in a NUL, and one more NUL ends the block.
std::wstring environmentBlock(const std::vector<std::string>& extra) {
    std::vector<std::wstring> entries;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* e = current; *e; e += wcslen(e) + 1) entries.emplace_back(e);
    FreeEnvironmentStringsW(current);
    for (const std::string& utf8 : extra) {
        const std::wstring entry = wide(utf8);
        std::erase_if(entries, [&](const std::wstring& e) { return nameOf(e) == nameOf(entry); });
        entries.push_back(entry);
    }
    std::wstring block;
    for (const std::wstring& e : entries) block += e + L'\0';
    return block + L'\0';
}

std::string readAll(HANDLE pipe) {
    std::string result;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        result.append(buffer, read);
    }
    return result;
}

}  // namespace

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnvironment) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(outRead.put(), outWrite.put(), &inheritable, 0) ||
        !CreatePipe(errRead.put(), errWrite.put(), &inheritable, 0)) {
        throw std::runtime_error("CreatePipe failed");
    }
    // Only the child's ends are inherited, so the pipes close when the child exits.
    SetHandleInformation(outRead.get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead.get(), HANDLE_FLAG_INHERIT, 0);

    std::wstring commandLine = quoted(wide(program));
    for (const std::string& arg : args) commandLine += L' ' + quoted(wide(arg));
    std::wstring environment = environmentBlock(extraEnvironment);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite.get();
    startup.hStdError = errWrite.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(wide(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(), nullptr,
                        &startup, &process)) {
        throw std::runtime_error("cannot start " + program);
    }
    Handle processHandle, threadHandle;
    *processHandle.put() = process.hProcess;
    *threadHandle.put() = process.hThread;
    outWrite.close();
    errWrite.close();

    ProcessResult result;
    std::thread errReader([&] { result.err = readAll(errRead.get()); });
    result.out = readAll(outRead.get());
    errReader.join();
    WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle.get(), &exitCode);
    result.exitCode = static_cast<int>(exitCode);
    return result;
}

}  // namespace kestrel::test
