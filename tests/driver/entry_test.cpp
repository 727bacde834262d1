#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cimp/text_file.h"
#include "cimport.h"

namespace {

void Collect(void* context, const char* text) { static_cast<std::vector<std::string>*>(context)->push_back(text); }

TEST(DoCImport, SendsTheOpeningLinesAndLeavesNoTemporaryFiles) {
    std::vector<std::string> messages;
    DoCImport(1, "no-such-file.h", 0, 0, 0, 0, nullptr, 0, 0, 1, Collect, &messages);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Importing C header file no-such-file.h...");
    EXPECT_EQ(messages[1], "");
    for (const char* f : {"cpre.tmp", "cprep.tmp", "errorfile.err", "out.tmp"}) EXPECT_FALSE(cimp::FileExists(f)) << f;
}

TEST(DoCImport, NullArgumentsAreSafe) {
    EXPECT_EQ(DoCImport(1, nullptr, 0, 0, 0, 0, nullptr, 0, 0, 0, nullptr, nullptr),
              DoCImport(1, nullptr, 0, 0, 0, 0, nullptr, 0, 0, 0, nullptr, nullptr));
    std::vector<std::string> messages;
    DoCImport(1, nullptr, 0, 0, 0, 0, nullptr, 0, 0, 0, Collect, &messages);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0], "Importing C header file ...");
}

// Two imports started at once never interleave: the second waits for the first.
struct SlowLog {
    std::mutex lock;
    std::vector<char> who;
};
struct Caller {
    SlowLog* log;
    char name;
};

void SlowCollect(void* context, const char*) {
    auto* caller = static_cast<Caller*>(context);
    {
        std::lock_guard<std::mutex> guard(caller->log->lock);
        caller->log->who.push_back(caller->name);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

TEST(DoCImport, ConcurrentCallsAreSerialised) {
    SlowLog log;
    Caller a{&log, 'a'};
    Caller b{&log, 'b'};
    std::thread first([&] { DoCImport(1, "a.h", 0, 0, 0, 0, nullptr, 0, 0, 1, SlowCollect, &a); });
    std::thread second([&] { DoCImport(1, "b.h", 0, 0, 0, 0, nullptr, 0, 0, 1, SlowCollect, &b); });
    first.join();
    second.join();
    ASSERT_GE(log.who.size(), 4u);
    int switches = 0;
    for (std::size_t i = 1; i < log.who.size(); ++i) switches += log.who[i] != log.who[i - 1];
    EXPECT_EQ(switches, 1) << std::string(log.who.begin(), log.who.end());
}

}  // namespace
