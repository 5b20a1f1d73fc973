// The processes, modules and shell-links contracts on their native doubles.
#include "contract/install_port_doubles.h"

namespace contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Scripted, ProcessesContract,
                         testing::Values(processes_factory{
                             "Scripted", make_subject<scripted_processes_subject, processes_subject>}),
                         processes_factory_name);
INSTANTIATE_TEST_SUITE_P(Table, ModulesContract,
                         testing::Values(modules_factory{"Table", make_subject<module_table_subject, modules_subject>}),
                         modules_factory_name);
INSTANTIATE_TEST_SUITE_P(Files, ShellLinksContract,
                         testing::Values(shell_links_factory{"Files",
                                                             make_subject<file_links_subject, shell_links_subject>}),
                         shell_links_factory_name);

}  // namespace
}  // namespace contract
