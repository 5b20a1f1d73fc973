// Extraction end to end over the directory machine: the notifications, the files on disk, and every
// way an extraction can fail.
#include "payload/payload_fixture.h"

#include "payload/payload_extractor.h"
#include "payload/placement.h"

namespace payload_test {
namespace {

using payload::notification;

const std::wstring install = L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7";
const std::wstring temp = L"C:\\Users\\User\\AppData\\Local\\Temp\\vendrel_{t}";

std::vector<file_spec> small_payload() {
    return {
        {L"<Temporary>", L"DSETUP.dll", 5, "dsetup bytes"},
        {L"<InstallPath>\\Lang", L"de.dll", 0, std::string(5000, 'd')},
        {L"<InstallPath>", L"empty.txt", 0, ""},
        {L"<CommonData>\\Vendrel & Vodoraru\\Materials", L"oak.mat", 3, "oak"},
        {L"<InstallPath>", L"Lignotek.exe", 1, std::string(9000, 'x')},
    };
}

using Extraction = machine_fixture;

TEST_F(Extraction, PlacesEveryFileAndReportsInOrder) {
    const auto files = small_payload();
    const auto raw = raw_archive(files);
    const auto table_size = payload::build_table_of_contents(records_of(files)).size();
    recorder r;
    ASSERT_TRUE(extract(compress(raw), r)) << r.last();

    const std::vector<std::string> expected = {
        "started",
        "begin " + recorder::narrow(temp) + "\\DSETUP.dll",
        "end " + recorder::narrow(temp) + "\\DSETUP.dll",
        "begin " + recorder::narrow(install) + "\\Lang\\de.dll",
        "end " + recorder::narrow(install) + "\\Lang\\de.dll",
        "begin " + recorder::narrow(install) + "\\empty.txt",
        "end " + recorder::narrow(install) + "\\empty.txt",
        "begin C:\\ProgramData\\Vendrel & Vodoraru\\Materials\\oak.mat",
        "end C:\\ProgramData\\Vendrel & Vodoraru\\Materials\\oak.mat",
        "begin " + recorder::narrow(install) + "\\Lignotek.exe",
        "end " + recorder::narrow(install) + "\\Lignotek.exe",
        "finished " + std::to_string(raw.size()) + " " + std::to_string(raw.size()),
    };
    EXPECT_EQ(r.events(), expected);
    // The first progress comes right after the table, before the first file.
    ASSERT_GE(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[1], "progress " + std::to_string(table_size) + "/" + std::to_string(raw.size()));

    for (const auto& f : files) {
        std::wstring folder = f.folder;
        if (folder.starts_with(L"<InstallPath>"))
            folder.replace(0, 13, install);
        else if (folder.starts_with(L"<Temporary>"))
            folder.replace(0, 11, temp);
        else
            folder.replace(0, 12, L"C:\\ProgramData");
        EXPECT_EQ(content(folder + L"\\" + f.name), f.content) << recorder::narrow(f.name);
    }
    // The shared folders below ProgramData got their rights once their first file arrived.
    EXPECT_EQ(grants_, (std::vector<std::wstring>{L"C:\\ProgramData\\Vendrel & Vodoraru 2032127/3",
                                                  L"C:\\ProgramData\\Vendrel & Vodoraru\\Materials 2032127/3"}));
}

// The same archive cut into chunks of every awkward size gives the same files and the same events.
TEST_F(Extraction, ChunkBoundariesDoNotMatter) {
    const auto files = small_payload();
    const auto raw = raw_archive(files);
    std::vector<std::string> reference;
    for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}, raw.size()}) {
        recorder r;
        {
            payload::payload_extractor x(ports(), inputs(), r.callback());
            for (std::size_t at = 0; at < raw.size();) {
                const std::size_t n = std::min(chunk, raw.size() - at);
                for (std::size_t done = 0; done < n;)
                    done += x.write(reinterpret_cast<const std::byte*>(raw.data()) + at + done, n - done);
                at += n;
            }
            x.finish();
            EXPECT_EQ(x.consumed(), x.total());
        }
        if (reference.empty()) reference = r.events();
        EXPECT_EQ(r.events(), reference) << "chunk " << chunk;
        EXPECT_EQ(content(install + L"\\Lignotek.exe"), files.back().content);
        EXPECT_EQ(content(install + L"\\empty.txt"), "");
    }
}

TEST_F(Extraction, OneWriteCallPerEntryWithinAChunk) {
    // A zero-size entry is completed by a call that consumes nothing; the rest of the chunk follows.
    const std::vector<file_spec> files = {
        {L"<InstallPath>", L"a", 0, "AA"}, {L"<InstallPath>", L"zero", 0, ""}, {L"<InstallPath>", L"b", 0, "BBB"}};
    const auto raw = raw_archive(files);
    const auto table_size = raw.size() - 5;
    recorder r;
    payload::payload_extractor x(ports(), inputs(), r.callback());
    const auto* p = reinterpret_cast<const std::byte*>(raw.data());
    std::size_t at = 0;
    while (at < table_size) at += x.write(p + at, raw.size() - at);
    ASSERT_EQ(at, table_size);
    EXPECT_EQ(x.write(p + table_size, 5), 2u);
    EXPECT_EQ(x.write(p + table_size + 2, 3), 0u);  // the empty file
    EXPECT_EQ(content(install + L"\\zero"), "");
    EXPECT_EQ(x.write(p + table_size + 2, 3), 3u);
    EXPECT_EQ(content(install + L"\\b"), "BBB");
}

TEST_F(Extraction, ZeroSizeEntriesAfterTheLastDataAreStillPlaced) {
    const std::vector<file_spec> files = {{L"<InstallPath>", L"data", 0, "D"},
                                          {L"<InstallPath>\\Logs", L"last.log", 0, ""}};
    recorder r;
    ASSERT_TRUE(extract(archive(files), r)) << r.last();
    EXPECT_EQ(content(install + L"\\Logs\\last.log"), "");
    EXPECT_EQ(r.events().at(r.events().size() - 2), "end " + recorder::narrow(install) + "\\Logs\\last.log");
}

TEST_F(Extraction, SkipLeavesTheExistingFileAndSendsNoEnd) {
    put(install + L"\\Lang\\de.dll", "keep me");
    recorder r;
    r.answer = [](const notification& n) {
        auto* b = std::get_if<payload::notifications::file_begin>(&n);
        return b && b->entry->destination.ends_with(L"de.dll") ? notification::result::skip
                                                               : notification::result::proceed;
    };
    ASSERT_TRUE(extract(archive(small_payload()), r)) << r.last();
    EXPECT_EQ(content(install + L"\\Lang\\de.dll"), "keep me");
    const auto events = r.events();
    auto begin = std::find(events.begin(), events.end(), "begin " + recorder::narrow(install) + "\\Lang\\de.dll");
    ASSERT_NE(begin, events.end());
    EXPECT_EQ(*(begin + 1), "begin " + recorder::narrow(install) + "\\empty.txt");
    EXPECT_EQ(content(install + L"\\Lignotek.exe"), std::string(9000, 'x'));
}

TEST_F(Extraction, AbortStopsWithInterrupted) {
    struct case_ {
        const char* name;
        std::size_t alternative;
        const char* expected_failed;
    };
    const case_ cases[] = {
        {"file_begin", 2, "failed 5 "},
        {"file_end", 3, "failed 5 "},
        {"progress", 4, "failed 5 "},
    };
    for (const auto& c : cases) {
        recorder r;
        r.answer = [&](const notification& n) {
            return n.index() == c.alternative ? notification::result::abort : notification::result::proceed;
        };
        EXPECT_FALSE(extract(archive(small_payload()), r)) << c.name;
        EXPECT_TRUE(r.last().starts_with(c.expected_failed)) << c.name << ": " << r.last();
        EXPECT_EQ(std::count_if(r.lines.begin(), r.lines.end(), [](auto& l) { return l.starts_with("finished"); }), 0);
    }
    // Answers to started, finished and failed are ignored.
    recorder r;
    r.answer = [](const notification& n) {
        return n.index() == 0 || n.index() == 1 ? notification::result::abort : notification::result::proceed;
    };
    EXPECT_TRUE(extract(archive(small_payload()), r));
}

TEST_F(Extraction, FailuresGiveTheirCodesAndTheFileBeingWritten) {
    auto files = small_payload();
    const auto raw = raw_archive(files);
    auto wrong_crc = files;
    wrong_crc[1].crc_override = 1234;
    auto unknown_token = files;
    unknown_token[3].folder = L"<commondata>\\x";
    auto climbing = files;
    climbing[2].folder = L"<InstallPath>\\..\\..\\Windows";
    auto bad_name = files;
    bad_name[1].name = L"";
    const std::string compressed = compress(raw);

    struct case_ {
        const char* name;
        std::string archive;
        std::string failed;
        bool nothing_written;
    };
    const case_ cases[] = {
        {"checksum", archive(wrong_crc), "failed 3 " + recorder::narrow(install) + "\\Lang\\de.dll", false},
        {"truncated data", compress(raw.substr(0, raw.size() - 10)),
         "failed 7 " + recorder::narrow(install) + "\\Lignotek.exe", false},
        {"data after the last entry", compress(raw + "extra"), "failed 7 ", false},
        {"unknown token", archive(unknown_token), "failed 7 ", true},
        {"climbing folder", archive(climbing), "failed 7 ", true},
        {"empty file name", archive(bad_name), "failed 7 ", true},
        {"truncated bzip2", compressed.substr(0, compressed.size() / 2), "failed 6 ", false},
        {"corrupt bzip2", std::string(compressed).replace(100, 8, "garbage!"), "failed 6 ", false},
        {"garbage after the stream", compressed + "junk", "failed 6 ", false},
        {"empty stream", "", "failed 6 ", true},
        {"not bzip2", raw, "failed 6 ", true},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        ports_.reset();
        recorder r;
        EXPECT_FALSE(extract(c.archive, r)) << c.name;
        EXPECT_EQ(r.last(), c.failed) << c.name;
        if (c.nothing_written) {
            EXPECT_EQ(content(temp + L"\\DSETUP.dll"), "<missing>") << c.name;
        }
    }
}

TEST_F(Extraction, MalformedTablesAreRejectedBeforeAnyFile) {
    const auto good = payload::build_table_of_contents(records_of(small_payload()));
    auto with_u32 = [&](std::size_t at, std::uint32_t v) {
        auto t = good;
        for (int i = 0; i < 4; ++i) t[at + i] = static_cast<std::byte>(v >> (8 * i));
        return std::string(reinterpret_cast<const char*>(t.data()), t.size());
    };
    auto with_offset = [&](std::uint64_t v) {
        auto t = good;
        for (int i = 0; i < 8; ++i) t[i] = static_cast<std::byte>(v >> (8 * i));
        return std::string(reinterpret_cast<const char*>(t.data()), t.size());
    };
    const std::pair<const char*, std::string> cases[] = {
        {"huge count", with_u32(8, 0xFFFFFFFFu)},
        {"count one too many", with_u32(8, 6)},
        {"source length past the table", with_u32(12, 0x7FFFFFFFu)},
        {"data_offset below the header", with_offset(11)},
        {"data_offset of 2^40", with_offset(std::uint64_t{1} << 40)},
        {"data_offset beyond the data", with_offset(good.size() + 100000)},
    };
    for (const auto& [name, table] : cases) {
        recorder r;
        EXPECT_FALSE(extract(compress(table + std::string(20000, 'x')), r)) << name;
        EXPECT_EQ(r.last(), "failed 7 ") << name;
        EXPECT_EQ(std::count_if(r.lines.begin(), r.lines.end(), [](auto& l) { return l.starts_with("begin"); }), 0)
            << name;
    }
}

TEST_F(Extraction, ExistingReadOnlyFileIsOverwritten) {
    put(install + L"\\Lignotek.exe", "previous version");
    ASSERT_FALSE(machine_->set_attributes(install + L"\\Lignotek.exe", os::file_attribute::readonly));
    recorder r;
    ASSERT_TRUE(extract(archive(small_payload()), r)) << r.last();
    EXPECT_EQ(content(install + L"\\Lignotek.exe"), std::string(9000, 'x'));
}

TEST_F(Extraction, FileSystemErrorsCarryTheWindowsCode) {
    // The main program is held open by another process; a file stands where a folder must go.
    std::unique_ptr<os::file> held;
    put(install + L"\\Lignotek.exe", "running");
    ASSERT_FALSE(machine_->open(install + L"\\Lignotek.exe", os::file_access::read, os::file_disposition::open_existing,
                                os::file_share::read, held));
    recorder r;
    EXPECT_FALSE(extract(archive(small_payload()), r));
    EXPECT_EQ(r.last(), "failed 1:00000020 " + recorder::narrow(install) + "\\Lignotek.exe");
    held.reset();

    TearDown();
    SetUp();
    ports_.reset();
    put(install + L"\\Lang", "a file, not a folder");
    recorder r2;
    EXPECT_FALSE(extract(archive(small_payload()), r2));
    EXPECT_EQ(r2.last(), "failed 1:00000003 " + recorder::narrow(install) + "\\Lang\\de.dll");
    EXPECT_EQ(content(temp + L"\\DSETUP.dll"), "dsetup bytes") << "files before the failure stay";
}

TEST_F(Extraction, ReadBackRetriesWhileAnotherProcessHoldsTheFile) {
    const std::vector<file_spec> files = {{L"<InstallPath>", L"scanned.dll", 0, "bytes"}};
    for (int release_after : {2, 99}) {
        std::unique_ptr<os::file> scanner;
        machine_->set_open_hook([&](std::wstring_view path, os::file_access access) {
            if (access == os::file_access::read && path.ends_with(L"scanned.dll") && !scanner && waits_ == 0)
                (void)machine_->open(path, os::file_access::read, os::file_disposition::open_existing,
                                     os::file_share::none, scanner);
        });
        waits_ = 0;
        on_wait_ = [&] {
            if (waits_ == release_after) scanner.reset();
        };
        recorder r;
        const bool ok = extract(archive(files), r);
        if (release_after == 2) {
            EXPECT_TRUE(ok) << r.last();
            EXPECT_EQ(waits_, 2);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(waits_, 3) << "three more attempts after the first";
            EXPECT_EQ(r.last(), "failed 1:00000020 " + recorder::narrow(install) + "\\scanned.dll");
        }
        machine_->set_open_hook({});
        scanner.reset();
    }
}

TEST_F(Extraction, ACallbackThatThrowsEndsInFailed) {
    recorder r;
    r.answer = [](const notification& n) -> notification::result {
        if (n.index() == 0) throw std::runtime_error("from started");
        return notification::result::proceed;
    };
    EXPECT_FALSE(extract(archive(small_payload()), r));
    EXPECT_EQ(r.events(), (std::vector<std::string>{"started", "failed 7 "}));
}

TEST(CheckPayload, DecodesWholeStreamsWithoutWriting) {
    const auto raw = raw_archive(small_payload());
    const auto compressed = compress(raw);
    const std::pair<std::string, std::error_code> cases[] = {
        {compressed, {}},
        {compress(raw.substr(0, 40)) + compress(raw.substr(40)), {}},  // concatenated streams are one archive
        {compress(raw.substr(0, raw.size() - 1)), payload::compress_errc::unexpected_error},
        {compress(raw + "x"), payload::compress_errc::unexpected_error},
        {compressed + "x", payload::compress_errc::bzip2_failure},
        {"", payload::compress_errc::bzip2_failure},
    };
    for (const auto& [bytes, expected] : cases) {
        std::istringstream in(bytes);
        EXPECT_EQ(payload::check_payload(in), expected) << bytes.size();
    }
}

}  // namespace
}  // namespace payload_test
