// A console program that stands in for the game, the scene program and the import tool in the
// launcher's tests: built for Windows (and run there or through Wine) and built for Linux, where
// a file that does not start with "MZ" is run directly. Whatever its name, it records how it was
// started in "<its own path>.record", as UTF-8:
//   line=<GetCommandLineW>                                    (Windows only)
//   ansi=<GetCommandLineA, decoded from the ANSI code page>   (Windows only)
//   folder=<the current folder>
//   arg=<one line per argv word from the C runtime's parse, argv[0] first>
// The record is written aside and renamed into place, so whoever polls for it reads it whole.
//
// Named impbig* in any capitals, it also does an import tool's work: "impbig /i <archive>
// <script> <entry>" appends the script to the existing archive as one record ("ENTR", the
// entry's name, a line break, the size in decimal, a line break, the bytes).
// TAVORIN_IMPBIG_SLEEP_MS makes it wait before it writes, TAVORIN_IMPBIG_EXIT chooses its exit
// code and TAVORIN_IMPBIG_REMOVE=1 makes it delete the script afterwards, as a tool that cleans
// up after itself would.
#ifdef _WIN32
#include <windows.h>
#endif

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& text)
{
    const auto bytes = text.u8string(); // of char before C++20, of char8_t since
    return { bytes.begin(), bytes.end() };
}

#ifdef _WIN32
std::wstring fromAnsi(const char* text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(size > 0 ? size - 1 : 0);
    return wide;
}

fs::path ownPath()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
    return path;
}
#else
fs::path ownPath()
{
    return fs::read_symlink("/proc/self/exe");
}
#endif

std::string lowered(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Windows finds a file of the current folder in any capitals; on Linux the stand-in does too.
fs::path inAnyCapitals(const fs::path& name)
{
    for (const fs::directory_entry& entry : fs::directory_iterator(".")) {
        if (lowered(utf8(entry.path().filename())) == lowered(utf8(name)))
            return entry.path();
    }
    return name;
}

bool writeWhole(const fs::path& path, const std::string& bytes)
{
    fs::path part = path;
    part += ".part";
    if (!(std::ofstream(part, std::ios::binary) << bytes))
        return false;
    std::error_code error;
    fs::rename(part, path, error);
    return !error;
}

int numberFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : 0;
}

int import(const std::vector<fs::path>& argv)
{
    if (argv.size() != 5 || utf8(argv[1]) != "/i")
        return 2;
    const fs::path scriptFile = inAnyCapitals(argv[3]);
    std::ifstream script(scriptFile, std::ios::binary);
    const std::string bytes { std::istreambuf_iterator<char>(script), {} };
    if (!script)
        return 1;
    script.close();
    std::this_thread::sleep_for(std::chrono::milliseconds(numberFromEnvironment("TAVORIN_IMPBIG_SLEEP_MS")));
    // An archive that is not there is an error, not one to make.
    std::fstream archive(
        inAnyCapitals(argv[2]), std::ios::binary | std::ios::in | std::ios::out | std::ios::ate);
    archive << "ENTR" << utf8(argv[4]) << "\n" << bytes.size() << "\n" << bytes;
    if (!archive.flush())
        return 1;
    if (numberFromEnvironment("TAVORIN_IMPBIG_REMOVE"))
        fs::remove(scriptFile);
    return numberFromEnvironment("TAVORIN_IMPBIG_EXIT");
}

int run(const std::vector<fs::path>& argv)
{
    const fs::path self = ownPath();
    std::string record = "folder=" + utf8(fs::current_path()) + "\n";
#ifdef _WIN32
    record
        = "line=" + utf8(GetCommandLineW()) + "\nansi=" + utf8(fromAnsi(GetCommandLineA())) + "\n" + record;
#endif
    for (const fs::path& word : argv)
        record += "arg=" + utf8(word) + "\n";
    if (!writeWhole(fs::path(self) += ".record", record))
        return 3;
    return lowered(utf8(self.filename())).rfind("impbig", 0) == 0 ? import(argv) : 0;
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    return run({ argv, argv + argc });
}
