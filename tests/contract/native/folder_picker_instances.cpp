// The folder-picker contract on the scripted double.
#include "contract/folder_picker_contract.h"
#include "contract/folder_picker_contract_double.h"

namespace contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Double, FolderPickerContract, testing::Values(folder_picker_double_factory()), subject_name{});

}  // namespace
}  // namespace contract
