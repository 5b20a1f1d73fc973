// The single-instance mutex and the instance counter, across simulated processes of one machine.
#include "app/global_objects.h"
#include "app/instance_counter.h"
#include "app/named_mutex.h"
#include "os/native/kernel_objects_double.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::wstring_view Id = L"Lignotek7";
const std::wstring MutexName = L"Global\\Lignotek7.{5ead623c-dfcd-474d-8e3c-e6978cac039e}";
const std::wstring CounterName = L"Global\\Lignotek7.{a3526b56-ca7c-4e16-8a26-da7758a378fd}";

struct Machine {
    os::native::kernel_namespace names;
    std::unique_ptr<os::native::process_kernel_objects> process(std::uint32_t id) {
        return std::make_unique<os::native::process_kernel_objects>(names, id);
    }
};

TEST(GlobalObjects, NamesCarryTheApplicationIdAndTheirFixedSuffix) {
    EXPECT_EQ(app::SingleInstanceName(Id), MutexName.substr(7));
    EXPECT_EQ(app::InstanceCounterName(Id), CounterName.substr(7));
}

// The object's DACL holds exactly one entry: Everyone with `mask`.
void ExpectEveryoneOnly(const std::vector<std::byte>& descriptor, std::uint32_t mask) {
    vd::security::descriptor_dacl read;
    ASSERT_EQ(vd::security::read_descriptor_dacl(descriptor, read), 0);
    ASSERT_TRUE(read.dacl.has_value());
    ASSERT_EQ(read.dacl->entries.size(), 1u);
    const auto& entry = read.dacl->entries.front();
    EXPECT_EQ(entry.type, 0) << "access allowed";
    EXPECT_EQ(entry.mask, mask);
    EXPECT_EQ(vd::security::sid_to_string(entry.sid), L"S-1-1-0");
}

TEST(GlobalObjects, ObjectsAreCreatedInTheGlobalNamespaceForEveryoneOnly) {
    Machine machine;
    auto setup = machine.process(1);
    app::NamedMutex mutex(*setup, app::SingleInstanceName(Id), false, true);
    app::InstanceCounter counter(*setup, Id);
    counter.Start();
    ASSERT_NE(machine.names.find(MutexName), nullptr);
    ASSERT_NE(machine.names.find(CounterName), nullptr);
    ExpectEveryoneOnly(machine.names.find(MutexName)->security, 0x1F0001);
    ExpectEveryoneOnly(machine.names.find(CounterName)->security, 0x1F0003);
    EXPECT_EQ(machine.names.find(CounterName)->maximum, 0x7FFFFFFF);
}

TEST(NamedMutex, ASecondCopyCannotTakeTheMutexUntilTheFirstReleasesIt) {
    Machine machine;
    auto first = machine.process(1);
    auto second = machine.process(2);
    app::NamedMutex mine(*first, app::SingleInstanceName(Id), false, true);
    app::NamedMutex theirs(*second, app::SingleInstanceName(Id), false, true);
    EXPECT_FALSE(mine.owned()) << "opened at construction, not owned";
    EXPECT_TRUE(mine.TryLock());
    EXPECT_FALSE(theirs.TryLock());
    mine.Release();
    EXPECT_TRUE(theirs.TryLock());
    EXPECT_FALSE(mine.TryLock());
}

TEST(NamedMutex, AMutexAbandonedByAnEndedProcessCountsAsTaken) {
    Machine machine;
    auto second = machine.process(2);
    app::NamedMutex survivor(*second, app::SingleInstanceName(Id), false, true);
    {
        auto first = machine.process(1);
        app::NamedMutex crashed(*first, app::SingleInstanceName(Id), false, true);
        ASSERT_TRUE(crashed.TryLock());
        first->terminate();  // ends without releasing
    }
    EXPECT_TRUE(survivor.TryLock());
}

TEST(NamedMutex, AnInitialOwnerOfAnExistingMutexWaitsForIt) {
    Machine machine;
    auto first = machine.process(1);
    app::NamedMutex created(*first, L"Local", true, false);
    EXPECT_TRUE(created.owned());
    auto second = machine.process(2);
    // The mutex is owned by the first process, so the second's wait does not succeed here.
    app::NamedMutex opened(*second, L"Local", true, false);
    EXPECT_FALSE(opened.owned());
}

TEST(NamedMutex, WithoutAHandleTryLockFails) {
    Machine machine;
    auto setup = machine.process(1);
    setup->fail_next_create(5);
    app::NamedMutex mutex(*setup, app::SingleInstanceName(Id), false, true);
    EXPECT_EQ(mutex.handle(), 0u);
    EXPECT_FALSE(mutex.TryLock());
}

TEST(NamedMutex, DestructionReleasesAndClosesTheMutex) {
    Machine machine;
    auto first = machine.process(1);
    {
        app::NamedMutex mutex(*first, app::SingleInstanceName(Id), false, true);
        ASSERT_TRUE(mutex.TryLock());
    }
    EXPECT_EQ(first->open_handles(), 0u);
    EXPECT_EQ(machine.names.find(MutexName), nullptr);
}

TEST(InstanceCounter, CountsEveryRunningProcessOfTheApplication) {
    Machine machine;
    auto setup = machine.process(1);
    app::InstanceCounter counter(*setup, Id);
    counter.Start();
    EXPECT_EQ(counter.Count(), 1u);
    EXPECT_EQ(counter.Count(), 1u) << "Count takes its probe unit back";
    {
        auto product = machine.process(2);
        app::InstanceCounter other(*product, Id);
        other.Start();
        EXPECT_EQ(counter.Count(), 2u);
        EXPECT_EQ(other.Count(), 2u);
    }
    EXPECT_EQ(counter.Count(), 1u) << "the ended process took its unit back";
}

TEST(InstanceCounter, WithoutASemaphoreNothingIsCounted) {
    Machine machine;
    auto setup = machine.process(1);
    setup->fail_next_create(5);
    app::InstanceCounter counter(*setup, Id);
    counter.Start();
    EXPECT_EQ(counter.ownUnits(), 0);
    EXPECT_EQ(counter.Count(), 0u);
}

TEST(InstanceCounter, ARefusedReleaseLeavesTheOwnUnitsUnchanged) {
    Machine machine;
    auto other = machine.process(2);
    os::kernel_handle full = 0;
    bool existed = false;
    ASSERT_FALSE(other->create_semaphore(CounterName, 1, 1, {}, full, existed));
    auto setup = machine.process(1);
    app::InstanceCounter counter(*setup, Id);
    counter.Start();
    EXPECT_EQ(counter.ownUnits(), 0);
    EXPECT_EQ(counter.Count(), 0u) << "a count at its maximum cannot be probed";
}

// Giving units back at the end: all of them, or none when some cannot be taken.
struct GiveBackCase {
    int starts;         // units this process added
    int takenByOthers;  // units other processes took from the count meanwhile
    std::int32_t countAfter;
};

class InstanceCounterGiveBack : public ::testing::TestWithParam<GiveBackCase> {};

TEST_P(InstanceCounterGiveBack, LeavesTheCountAsExpected) {
    const auto& c = GetParam();
    Machine machine;
    auto observer = machine.process(9);
    os::kernel_handle handle = 0;
    bool existed = false;
    ASSERT_FALSE(observer->create_semaphore(CounterName, 0, 0x7FFFFFFF, {}, handle, existed));
    {
        auto setup = machine.process(1);
        app::InstanceCounter counter(*setup, Id);
        for (int i = 0; i < c.starts; ++i) counter.Start();
        for (int i = 0; i < c.takenByOthers; ++i) ASSERT_EQ(observer->wait(handle, 0), os::wait_result::signaled);
    }
    EXPECT_EQ(machine.names.find(CounterName)->count, c.countAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, InstanceCounterGiveBack,
                         ::testing::Values(GiveBackCase{1, 0, 0}, GiveBackCase{2, 0, 0},
                                           GiveBackCase{2, 1, 1},    // one taken back, then given back again
                                           GiveBackCase{1, 1, 0}));  // nothing left to take

}  // namespace
