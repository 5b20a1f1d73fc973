// setup-tool ulog, run as the release engineer runs it: printing a log and writing it again.
#include "vd/utf16.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

std::string utf16(std::wstring_view text) {
    std::vector<std::byte> bytes{std::byte{0xFF}, std::byte{0xFE}};
    vd::append_utf16le(bytes, text);
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class UlogTool : public testing::Test {
protected:
    void SetUp() override {
        tool_ = fs::read_symlink("/proc/self/exe").parent_path() / "setup-tool";
        if (!fs::exists(tool_)) GTEST_SKIP() << "setup-tool is not built beside the tests";
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("lignotek-ulog-tool-" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    // Exit status and standard output of setup-tool with `args`.
    std::pair<int, std::string> run(const std::string& args) {
        const std::string command = "'" + tool_.string() + "' " + args + " 2>/dev/null";
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        char buffer[512];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
        const int status = ::pclose(pipe);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
    }
    void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path tool_;
    fs::path dir_;
};

const std::wstring log_text =
    L"// Uninstall Log File v1\r\n//\r\n// Install Lignotek 7.07 -- Update (Lignotek 7.06)\r\n"
    L"// Install Path : C:\\Program Files\\Caf\u00e9\r\n// Shortcut Path : C:\\Menu\r\n//--\r\n"
    L"0000:00ff:1 -- C:\\Program Files\\Caf\u00e9\r\n0001:0103:1 -- C:\\Shared\\a.dat\r\n"
    L"0002:0103:0 -- C:\\Shared\\a.dat\r\n0003:05ff:1 -- HKEY\r\n";

TEST_F(UlogTool, PrintsWhatTheReaderTookInFileOrder) {
    write(dir_ / "in.ulog", utf16(log_text + L"\r\n0004:00ff:1 -- after the blank line\r\n"));
    const auto [status, out] = run("ulog '" + (dir_ / "in.ulog").string() + "'");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out,
              "version 1\ntitle Lignotek 7.07\ninstall C:\\Program Files\\Caf\xc3\xa9\nshortcut C:\\Menu\n"
              "0\t-1\t1\tC:\\Program "
              "Files\\Caf\xc3\xa9\n1\t3\t1\tC:\\Shared\\a.dat\n1\t3\t0\tC:\\Shared\\a.dat\n5\t-1\t1\t\n");

    // Against a machine, folders that do not exist there are not taken.
    const auto [status2, out2] =
        run("ulog '" + (dir_ / "in.ulog").string() + "' --root '" + (dir_ / "machine").string() + "'");
    EXPECT_EQ(status2, 0);
    EXPECT_NE(out2.find("install \nshortcut \n"), std::string::npos);
}

TEST_F(UlogTool, WritesTheLogAgainMerged) {
    write(dir_ / "in.ulog", utf16(log_text));
    const auto [status, out] = run("ulog '" + (dir_ / "in.ulog").string() + "' --write '" +
                                   (dir_ / "out.ulog").string() + "' --install 'C:\\New' --shortcut 'C:\\M'");
    ASSERT_EQ(status, 0);
    EXPECT_EQ(read(dir_ / "out.ulog"),
              utf16(L"// Uninstall Log File v1\r\n"
                    L"// ############ WARNING: Do not delete or modify this file. ############\r\n"
                    L"// Install Lignotek 7.08r -- Update (Lignotek 7.07)\r\n"
                    L"// Install Path : C:\\New\r\n// Shortcut Path : C:\\M\r\n// " +
                    std::wstring(20, L'-') +
                    L"\r\n"
                    L"0000:00ff:1 -- C:\\Program Files\\Caf\u00e9\r\n0001:0103:0 -- C:\\Shared\\a.dat\r\n"
                    L"0002:05ff:1 -- "
                    L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lignotek 7\r\n"));
}

TEST_F(UlogTool, BadUseAndMissingFiles) {
    struct row {
        std::string args;
        int status;
    };
    const row rows[] = {
        {"ulog", 2},
        {"ulog '" + (dir_ / "missing.ulog").string() + "'", 1},
        {"ulog a b", 2},
        {"ulog a --write out", 2},  // a new log needs both folders
        {"ulog a --install \"$(printf '\\377')\"", 2},
    };
    for (const auto& r : rows) EXPECT_EQ(run(r.args).first, r.status) << r.args;
    write(dir_ / "in.ulog", utf16(log_text));
    EXPECT_EQ(run("ulog '" + (dir_ / "in.ulog").string() + "' --write '" + (dir_ / "no" / "out.ulog").string() +
                  "' --install x --shortcut y")
                  .first,
              1);
}

}  // namespace
