// The journal wrapper: record before placing, complete after, never leave a record pending.
#include "payload/payload_fixture.h"

#include "payload/extraction_journal.h"

namespace payload_test {
namespace {

class log_journal final : public payload::extraction_journal {
public:
    std::error_code record_file(std::wstring_view path, std::uint32_t kind, bool copy, std::wstring_view) override {
        lines.push_back("record " + recorder::narrow(std::wstring(path)) + " " + std::to_string(kind) +
                        (copy ? " copy" : ""));
        return {};
    }
    void complete_last(bool ok) override { lines.push_back(ok ? "complete true" : "complete false"); }
    std::vector<std::string> lines;
};

using JournaledExtraction = machine_fixture;

TEST_F(JournaledExtraction, RecordsEachPlacedFileAndCompletesIt) {
    const std::vector<file_spec> files = {{L"<Temporary>", L"DSetup.dll", 5, "t"},
                                          {L"<CommonData>\\Vendrel & Vodoraru", L"lib.lgl", 3, "s"},
                                          {L"<InstallPath>", L"skipped.dll", 0, "k"},
                                          {L"<InstallPath>", L"Lignotek.exe", 1, "m"}};
    log_journal journal;
    std::vector<std::wstring> temporary;
    recorder r;
    r.answer = [](const payload::notification& n) {
        auto* b = std::get_if<payload::notifications::file_begin>(&n);
        return b && b->entry->destination.ends_with(L"skipped.dll") ? payload::notification::result::skip
                                                                    : payload::notification::result::proceed;
    };
    std::istringstream in(archive(files));
    ASSERT_TRUE(
        payload::extract_payload(in, ports(), inputs(), payload::journaled_callback(journal, temporary, r.callback())));
    EXPECT_EQ(temporary, (std::vector<std::wstring>{inputs().temp_folder + L"\\DSetup.dll"}));
    EXPECT_EQ(journal.lines,
              (std::vector<std::string>{"record C:\\ProgramData\\Vendrel & Vodoraru\\lib.lgl 3 copy", "complete true",
                                        "record C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\\Lignotek.exe 1",
                                        "complete true"}));

    // A failure while a file is being written completes its record with false.
    log_journal failing;
    auto bad = files;
    bad[3].crc_override = 1;
    std::istringstream in2(archive(bad));
    recorder r2;
    EXPECT_FALSE(payload::extract_payload(in2, ports(), inputs(),
                                          payload::journaled_callback(failing, temporary, r2.callback())));
    ASSERT_GE(failing.lines.size(), 2u);
    EXPECT_EQ(failing.lines.back(), "complete false");
    EXPECT_EQ(failing.lines[failing.lines.size() - 2],
              "record C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\\Lignotek.exe 1");
}

}  // namespace
}  // namespace payload_test
