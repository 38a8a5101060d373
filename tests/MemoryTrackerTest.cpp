#include "core/MemoryTracker.h"
#include "core/Trackable.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Tracked : Trackable {
    char payload[24];
};

void* at(std::uintptr_t address) {
    return reinterpret_cast<void*>(address);
}

std::string reportOf(const MemoryTracker& tracker) {
    std::ostringstream out;
    tracker.reportAllocations(out);
    return out.str();
}

std::string lineFor(void* address, std::size_t size, int number) {
    std::ostringstream out;
    out << "address:" << address << " size:" << size << " num:" << number << "\n";
    return out.str();
}

// Makes a tracker current for the length of a test and clears it again.
class MemoryTrackerTest : public ::testing::Test {
  protected:
    void SetUp() override { currentMemoryTracker = &tracker; }
    void TearDown() override { currentMemoryTracker = nullptr; }
    MemoryTracker tracker;
};

} // namespace

TEST(MemoryTrackerReport, EmptyReportIsTheHeadingAlone) {
    MemoryTracker tracker;
    EXPECT_EQ(reportOf(tracker), "Current memory allocations:\n");
}

TEST(MemoryTrackerReport, ListsRecordsByAddressInTheExactFormat) {
    MemoryTracker tracker;
    const int first = MemoryTracker::nextAllocationNumber;
    tracker.addAllocation(at(0x3000), 16);
    tracker.addAllocation(at(0x1000), 8);
    tracker.addAllocation(at(0x2000), 4);
    EXPECT_EQ(reportOf(tracker),
              "Current memory allocations:\n" + lineFor(at(0x1000), 8, first + 1) +
                  lineFor(at(0x2000), 4, first + 2) + lineFor(at(0x3000), 16, first));
    for (std::uintptr_t a : {0x1000, 0x2000, 0x3000}) {
        tracker.removeAllocation(at(a));
    }
}

TEST(MemoryTrackerReport, DestructorAnnouncesItselfBeforeTheReport) {
    testing::internal::CaptureStdout();
    { MemoryTracker tracker; }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "MemoryTracker being deleted: final allocations follow:\n"
              "Current memory allocations:\n");
}

TEST(MemoryTrackerReport, DuplicateAddressKeepsTheFirstRecordAndUsesNoNumber) {
    MemoryTracker tracker;
    const int first = MemoryTracker::nextAllocationNumber;
    tracker.addAllocation(at(0x5000), 10);
    tracker.addAllocation(at(0x5000), 99);
    EXPECT_EQ(MemoryTracker::nextAllocationNumber, first + 1);
    EXPECT_EQ(reportOf(tracker), "Current memory allocations:\n" + lineFor(at(0x5000), 10, first));
    tracker.removeAllocation(at(0x9999)); // unknown: ignored
    tracker.removeAllocation(at(0x5000));
    EXPECT_EQ(reportOf(tracker), "Current memory allocations:\n");
}

TEST_F(MemoryTrackerTest, TrackableObjectsAreRecordedWithSizeAndRisingNumbers) {
    const int n = MemoryTracker::nextAllocationNumber;
    auto* a = new Tracked();
    auto* b = new Tracked();
    auto* c = new Tracked();
    delete b;
    auto* d = new Tracked();
    std::ostringstream expected;
    expected << "Current memory allocations:\n";
    // Numbers come from the shared counter: the replacement of b gets n+3, not n+1.
    std::map<std::uintptr_t, std::string> lines = {
        {reinterpret_cast<std::uintptr_t>(a), lineFor(a, sizeof(Tracked), n)},
        {reinterpret_cast<std::uintptr_t>(c), lineFor(c, sizeof(Tracked), n + 2)},
        {reinterpret_cast<std::uintptr_t>(d), lineFor(d, sizeof(Tracked), n + 3)},
    };
    for (const auto& [address, line] : lines) {
        expected << line;
    }
    EXPECT_EQ(reportOf(tracker), expected.str());
    delete a;
    delete c;
    delete d;
    EXPECT_EQ(reportOf(tracker), "Current memory allocations:\n");
}

TEST_F(MemoryTrackerTest, ObjectsMadeWithoutATrackerAreNeverRecorded) {
    currentMemoryTracker = nullptr;
    const int n = MemoryTracker::nextAllocationNumber;
    auto* untracked = new Tracked();
    currentMemoryTracker = &tracker;
    EXPECT_EQ(MemoryTracker::nextAllocationNumber, n);
    delete untracked; // no record: ignored, memory still freed (checked by the sanitizer build)
    auto* tracked = new Tracked();
    currentMemoryTracker = nullptr;
    delete tracked; // released with no tracker current: its record stays
    EXPECT_EQ(reportOf(tracker),
              "Current memory allocations:\n" + lineFor(tracked, sizeof(Tracked), n));
    tracker.removeAllocation(tracked);
}
