// The folder-picker contract: the current directory, path qualification and folder tests agree
// with the file system; a picker opened through the port reports its selection, takes the
// selection, OK state and edit text its events give it, and returns what was chosen.
#include "contract/folder_picker_contract.h"

#include "os/shell_folders.h"
#include "vd/win_path.h"

namespace contract {
namespace {

constexpr std::uint32_t plain_flags =
    os::bif::return_only_fs_dirs | os::bif::return_fs_ancestors | os::bif::new_dialog_style;

// Puts the process's current directory back when the test ends.
class current_directory_guard {
public:
    explicit current_directory_guard(os::folder_picker& picker) : picker_(picker) {
        EXPECT_FALSE(picker_.current_directory(saved_));
    }
    ~current_directory_guard() { EXPECT_FALSE(picker_.set_current_directory(saved_)); }
    current_directory_guard(const current_directory_guard&) = delete;
    current_directory_guard& operator=(const current_directory_guard&) = delete;

private:
    os::folder_picker& picker_;
    std::wstring saved_;
};

bool same_folder(std::wstring_view a, std::wstring_view b) { return vd::path::equal_ignore_case_canonical(a, b); }

TEST_P(FolderPickerContract, TheCurrentDirectoryIsWhatWasSetAndAMissingFolderLeavesIt) {
    const current_directory_guard guard(picker());
    const std::wstring folder = subject().make_folder({}, L"current");

    ASSERT_FALSE(picker().set_current_directory(folder));
    std::wstring current;
    ASSERT_FALSE(picker().current_directory(current));
    EXPECT_TRUE(same_folder(current, folder)) << testing::PrintToString(current);

    const auto missing = picker().set_current_directory(folder + L"\\missing\\deeper");
    EXPECT_TRUE(missing.value() == 2 || missing.value() == 3) << missing.value();
    std::wstring after;
    ASSERT_FALSE(picker().current_directory(after));
    EXPECT_EQ(after, current);
}

TEST_P(FolderPickerContract, PathsAreQualifiedFromTheCurrentDirectory) {
    const current_directory_guard guard(picker());
    const std::wstring parent = subject().make_folder({}, L"qualify");
    const std::wstring folder = subject().make_folder(parent, L"here");
    ASSERT_FALSE(picker().set_current_directory(folder));
    const std::wstring drive = folder.substr(0, 2);

    struct qualify_case {
        std::wstring typed;
        std::wstring expected;
    };
    const qualify_case cases[] = {
        {L"lignotek-name", folder + L"\\lignotek-name"},
        {L"sub\\..\\lignotek-name", folder + L"\\lignotek-name"},
        {L"..\\lignotek-name", parent + L"\\lignotek-name"},
        {L"lignotek-name\\", folder + L"\\lignotek-name\\"},
        {L"lignotek-name.", folder + L"\\lignotek-name"},
        {L"lignotek-name  ", folder + L"\\lignotek-name"},
        {L"\\lignotek-top\\x", drive + L"\\lignotek-top\\x"},
        {drive + L"/lignotek-top/./x/../y", drive + L"\\lignotek-top\\y"},
        {drive + L"\\lignotek-top\\..\\..\\z", drive + L"\\z"},
    };
    for (const auto& [typed, expected] : cases) {
        std::wstring qualified;
        ASSERT_TRUE(picker().search_and_qualify(typed, qualified)) << testing::PrintToString(typed);
        EXPECT_TRUE(vd::path::equal_ignore_case(qualified, expected))
            << testing::PrintToString(typed) << " gave " << testing::PrintToString(qualified);
    }

    std::wstring unchanged = L"unchanged";
    EXPECT_FALSE(picker().search_and_qualify(L"", unchanged));
    EXPECT_EQ(unchanged, L"unchanged");
}

TEST_P(FolderPickerContract, OnlyExistingFoldersAreDirectories) {
    const current_directory_guard guard(picker());
    const std::wstring parent = subject().make_folder({}, L"directories");
    const std::wstring folder = subject().make_folder(parent, L"Existing Folder");

    EXPECT_TRUE(picker().is_directory(folder));
    EXPECT_TRUE(picker().is_directory(folder + L"\\"));
    EXPECT_TRUE(picker().is_directory(vd::path::folded(folder)));
    EXPECT_FALSE(picker().is_directory(folder + L"\\missing"));
    ASSERT_FALSE(picker().set_current_directory(parent));
    EXPECT_TRUE(picker().is_directory(L"Existing Folder"));
    EXPECT_FALSE(picker().is_directory(L"missing"));
}

TEST_P(FolderPickerContract, TheCommonProgramsRootIsAnExistingFolder) {
    std::wstring root;
    ASSERT_TRUE(picker().root_path(os::csidl::common_programs, root));
    EXPECT_TRUE(vd::path::is_drive_absolute(root)) << testing::PrintToString(root);
    EXPECT_TRUE(picker().is_directory(root));

    std::wstring unchanged = L"unchanged";
    EXPECT_FALSE(picker().root_path(0xFF, unchanged));
    EXPECT_EQ(unchanged, L"unchanged");
}

TEST_P(FolderPickerContract, ComIsInitialisedOncePerThreadAndCounted) {
    const os::com_scope first(picker());
    ASSERT_TRUE(first.initialised()) << std::hex << first.result();
    const os::com_scope second(picker());
    EXPECT_TRUE(second.initialised());
    EXPECT_EQ(second.result(), 1);  // S_FALSE: the thread has COM already
}

TEST_P(FolderPickerContract, OkReturnsTheFolderTheEventsSelected) {
    const std::wstring folder = subject().make_folder({}, L"Chosen Folder");
    const os::com_scope com(picker());
    recorded_events events;
    events.on_initialized = [&](os::window_handle window) {
        picker().set_selection(window, folder);
        picker().set_expanded(window, folder);
        subject().press_ok(window);
    };
    const auto chosen = picker().browse({os::window_handle::none, std::nullopt, L"Contract", plain_flags}, events);

    EXPECT_TRUE(events.initialised);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_TRUE(same_folder(*chosen, folder)) << testing::PrintToString(*chosen);
    ASSERT_FALSE(events.selections.empty());
    ASSERT_TRUE(events.selections.back().has_value());
    EXPECT_TRUE(same_folder(*events.selections.back(), folder));
}

TEST_P(FolderPickerContract, CancelReturnsNothing) {
    const os::com_scope com(picker());
    recorded_events events;
    events.on_initialized = [&](os::window_handle window) { subject().press_cancel(window); };
    EXPECT_FALSE(picker().browse({os::window_handle::none, std::nullopt, {}, plain_flags}, events).has_value());
}

TEST_P(FolderPickerContract, TheEditBoxShowsTheTextAllSelectedAndOkFollowsTheEvents) {
    const os::com_scope com(picker());
    recorded_events events;
    os::window_handle edit = os::window_handle::none;
    std::wstring shown;
    bool all_selected = false;
    bool ok_after_disable = true;
    bool ok_after_enable = false;
    events.on_initialized = [&](os::window_handle window) {
        edit = picker().find_edit_box(window);
        if (edit != os::window_handle::none) {
            picker().replace_edit_text(edit, L"D:\\Typed\\Lignotek 7");
            shown = subject().edit_text(edit);
            all_selected = subject().edit_text_all_selected(edit);
        }
        picker().enable_ok(window, false);
        ok_after_disable = subject().ok_enabled(window);
        picker().enable_ok(window, true);
        ok_after_enable = subject().ok_enabled(window);
        subject().press_cancel(window);
    };
    const os::browse_request request{os::window_handle::none, std::nullopt, L"Contract",
                                     plain_flags | os::bif::edit_box | os::bif::validate};
    EXPECT_FALSE(picker().browse(request, events).has_value());

    ASSERT_NE(edit, os::window_handle::none);
    EXPECT_EQ(shown, L"D:\\Typed\\Lignotek 7");
    EXPECT_TRUE(all_selected);
    EXPECT_FALSE(ok_after_disable);
    EXPECT_TRUE(ok_after_enable);
}

TEST_P(FolderPickerContract, ARootedPickerReturnsAFolderBelowItsRoot) {
    std::wstring root;
    ASSERT_TRUE(picker().root_path(os::csidl::common_programs, root));
    const std::wstring folder = subject().make_folder(root, L"Lignotek Contract");
    const os::com_scope com(picker());
    recorded_events events;
    events.on_initialized = [&](os::window_handle window) {
        picker().set_selection(window, folder);
        subject().press_ok(window);
    };
    const auto chosen = picker().browse({os::window_handle::none, os::csidl::common_programs, {}, plain_flags}, events);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_TRUE(same_folder(*chosen, folder))
        << testing::PrintToString(*chosen) << " after " << testing::PrintToString(events.selections);
}

TEST_P(FolderPickerContract, ATypedNameOfNoFolderIsReportedForValidation) {
    if (under_wine()) {
        GTEST_SKIP() << "Wine's picker does not implement BIF_VALIDATE: OK returns the selection without "
                        "reading the edit box";
    }
    const os::com_scope com(picker());
    recorded_events events;
    const std::wstring typed = subject().make_folder({}, L"validate") + L"\\Not There";
    events.on_initialized = [&](os::window_handle window) {
        picker().replace_edit_text(picker().find_edit_box(window), typed);
        subject().press_ok(window);
    };
    events.on_validation_failed = [&](os::window_handle window, std::wstring_view) {
        subject().press_cancel(window);
        return true;  // kept open until the cancel
    };
    const os::browse_request request{
        os::window_handle::none, std::nullopt, {}, plain_flags | os::bif::edit_box | os::bif::validate};
    EXPECT_FALSE(picker().browse(request, events).has_value());
    ASSERT_EQ(events.validations.size(), 1u);
    EXPECT_EQ(events.validations.front(), typed);
}

}  // namespace
}  // namespace contract
