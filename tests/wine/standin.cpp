// A Windows console program that stands in for the game, the scene program and the import tool
// when the launcher's tests run real Windows programs through Wine. Whatever its name, it records
// what Windows handed it in "<its own path>.record", as UTF-8:
//   line=<GetCommandLineW>
//   ansi=<GetCommandLineA, decoded from the ANSI code page>
//   folder=<the current folder>
//   arg=<one line per argv word from the C runtime's parse, argv[0] first>
// The record is written aside and renamed into place, so whoever polls for it reads it whole.
//
// Named impbig*, it also does an import tool's work: "impbig /i <archive> <script> <entry>"
// appends the script to the existing archive as one record ("ENTR", the entry's name, a line
// break, the size in decimal, a line break, the bytes). TAVORIN_IMPBIG_SLEEP_MS makes it wait
// before it writes and TAVORIN_IMPBIG_EXIT chooses its exit code.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string utf8(const std::wstring& text)
{
    const int size
        = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring fromAnsi(const char* text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(size > 0 ? size - 1 : 0);
    return wide;
}

std::wstring ownPath()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
    return path;
}

std::wstring currentFolder()
{
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(DWORD(folder.size()), folder.data()));
    return folder;
}

bool writeWhole(const std::wstring& path, const std::string& bytes)
{
    const std::wstring part = path + L".part";
    std::FILE* file = _wfopen(part.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written
        && MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

int numberFromEnvironment(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value ? int(std::wcstol(value, nullptr, 10)) : 0;
}

bool isImportTool(const std::wstring& path)
{
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    return _wcsnicmp(name.c_str(), L"impbig", 6) == 0;
}

int import(int argc, wchar_t** argv)
{
    if (argc != 5 || std::wcscmp(argv[1], L"/i") != 0)
        return 2;
    std::FILE* script = _wfopen(argv[3], L"rb");
    if (!script)
        return 1;
    std::string bytes;
    char buffer[4096];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, script)) > 0;)
        bytes.append(buffer, read);
    std::fclose(script);

    Sleep(DWORD(numberFromEnvironment(L"TAVORIN_IMPBIG_SLEEP_MS")));
    // An archive that is not there is an error, not one to make.
    std::FILE* archive = _wfopen(argv[2], L"r+b");
    if (!archive)
        return 1;
    std::fseek(archive, 0, SEEK_END);
    const std::string record = "ENTR" + utf8(argv[4]) + "\n" + std::to_string(bytes.size()) + "\n" + bytes;
    const bool written = std::fwrite(record.data(), 1, record.size(), archive) == record.size();
    return std::fclose(archive) == 0 && written ? numberFromEnvironment(L"TAVORIN_IMPBIG_EXIT") : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring self = ownPath();
    std::string record = "line=" + utf8(GetCommandLineW()) + "\nansi=" + utf8(fromAnsi(GetCommandLineA()))
        + "\nfolder=" + utf8(currentFolder()) + "\n";
    for (int i = 0; i < argc; ++i)
        record += "arg=" + utf8(argv[i]) + "\n";
    if (!writeWhole(self + L".record", record))
        return 3;
    return isImportTool(self) ? import(argc, argv) : 0;
}
