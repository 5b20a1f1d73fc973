// The processes, modules and shell-links contracts on their native doubles.
#include "contract/install_port_doubles.h"

namespace contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Scripted, ProcessesContract,
                         testing::Values(subject_factory<processes_subject>{
                             "Scripted", make_subject<scripted_processes_subject, processes_subject>}),
                         subject_name{});
INSTANTIATE_TEST_SUITE_P(Table, ModulesContract,
                         testing::Values(subject_factory<modules_subject>{
                             "Table", make_subject<module_table_subject, modules_subject>}),
                         subject_name{});
INSTANTIATE_TEST_SUITE_P(Files, ShellLinksContract,
                         testing::Values(subject_factory<shell_links_subject>{
                             "Files", make_subject<file_links_subject, shell_links_subject>}),
                         subject_name{});

}  // namespace
}  // namespace contract
