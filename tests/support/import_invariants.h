// What every import leaves behind, whatever the header and whatever the
// repository refused: a summary whose counts agree with the messages, a
// repository holding exactly what the messages say was created and not
// deleted, and no reference to an object that is gone.  Read through the
// repository's own calls; problems are described in one line of text.
#pragma once

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tksbeapi.h"

namespace test_support {

using Messages = std::vector<std::string>;
// Object names by kind (103, 104, 107), as many times as they occur.
using Census = std::map<int32_t, std::multiset<std::string>>;

inline std::string RecordName(TKSHandle object) {
    ElementDetails record{};  // the largest record; every record starts with the name
    TKSGetDetails(object, 0, &record, sizeof record);
    return std::string(record.name, strnlen(record.name, sizeof record.name));
}

// The repository's objects by name; dangling references are added to problems.
inline Census TakeCensus(TKSHandle repository, std::string& problems) {
    std::map<int32_t, std::set<TKSHandle>> objects;
    Census census;
    for (const int32_t kind : {TKS_KIND_ELEMENT, TKS_KIND_TYPE, TKS_KIND_LENGTH}) {
        TKSHandle h = 0;
        for (TKSGetFirstDefinition(repository, kind, &h, 0); h != 0;
             TKSGetNextDefinition(h, 0, &h, 1, 0)) {
            objects[kind].insert(h);
            census[kind].insert(RecordName(h));
        }
    }
    auto refers = [&](int32_t kind, TKSHandle h, const std::string& from) {
        if (h != 0 && objects[kind].count(h) == 0) problems += from + " refers to a lost object; ";
    };
    for (const TKSHandle element : objects[TKS_KIND_ELEMENT]) {
        ElementDetails e{};
        TKSGetDetails(element, 0, &e, sizeof e);
        refers(TKS_KIND_TYPE, static_cast<TKSHandle>(e.typeHandle),
               "Element " + RecordName(element));
        refers(TKS_KIND_LENGTH, static_cast<TKSHandle>(e.lengthHandle),
               "Element " + RecordName(element));
    }
    for (const TKSHandle type : objects[TKS_KIND_TYPE]) {
        TKSHandle m = 0;
        for (int32_t rc = TKSGetNextDefinition(type, 0, &m, 3, 1);
             rc == 0 && m != 0 && m != TKS_LAST_MEMBER;
             rc = TKSGetNextDefinition(m, type, &m, 1, 1)) {
            MemberDetails details{};
            refers(TKS_KIND_ELEMENT, m, "a member of Type " + RecordName(type));
            if (TKSGetMemberDetails(type, m, &details, sizeof details) != 0)
                problems += "a lost member; ";
        }
    }
    return census;
}

// Errors, Types, Elements and Lengths.
using Tally = std::vector<int>;

inline bool Starts(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }

// The counts the messages show; the objects they say were created are added
// to census and the Elements deleted again taken out.
inline Tally CountMessages(const Messages& messages, Census& census) {
    static const struct {
        const char* start;
        int32_t kind;
        int count;
    } kCreations[] = {
        {"Created Type ", TKS_KIND_TYPE, 1},
        {"Created Element ", TKS_KIND_ELEMENT, 2},
        {"Created Length ", TKS_KIND_LENGTH, 3},
        {"Warning: Duplicate Type found. ", TKS_KIND_TYPE, 1},
        {"Warning: Duplicate Element found. ", TKS_KIND_ELEMENT, 2},
        {"Warning: Duplicate Length found. ", TKS_KIND_LENGTH, 3},
    };
    // Errors the import reports without counting them.
    static const char* const kUncounted[] = {"Error: Invalid C: ", "Error: Simple Type ",
                                             "Error: Default char Length "};
    Tally tally(4);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const std::string& m = messages[i];
        const std::string name = m.substr(0, m.size() - 1);  // without the final "."
        for (const auto& c : kCreations) {
            if (!Starts(m, c.start)) continue;
            ++tally[c.count];
            census[c.kind].insert(
                name.substr(c.start[0] == 'C' ? std::strlen(c.start) : m.rfind(" to ") + 4));
        }
        const bool refused =
            i + 1 < messages.size() && Starts(messages[i + 1], "Error: Failed to delete");
        if (Starts(m, "Deleting Element ") && !refused) {
            --tally[2];
            auto& elements = census[TKS_KIND_ELEMENT];
            if (elements.count(name.substr(17)) != 0)
                elements.erase(elements.find(name.substr(17)));
        }
        bool counted = Starts(m, "Error: ");
        for (const char* start : kUncounted) counted = counted && !Starts(m, start);
        tally[0] += counted ? 1 : 0;
    }
    return tally;
}

// The problems of one import (empty: none).  before: the census taken before
// it; kept: whether its unit of work was kept (else the repository must be as
// before); silentErrors: errors counted without a message (a Length's default
// record that could not be read).
inline std::string CheckImport(TKSHandle repository, const Census& before, const Messages& messages,
                               bool kept, int silentErrors = 0) {
    std::string problems;
    Census after = TakeCensus(repository, problems), expected = before;
    Tally shown = CountMessages(messages, expected), summary(4);
    shown[0] += silentErrors;
    for (const std::string& m : messages)
        if (std::sscanf(m.c_str(),
                        "Summary: \r\nNo. of Errors:\t\t\t%d\r\nNo. of Types created:\t\t%d\r\n"
                        "No. of Elements created:\t%d\r\nNo. of Lengths created:\t\t%d",
                        &summary[0], &summary[1], &summary[2], &summary[3]) == 4 &&
            summary != shown)
            problems += "the summary's counts differ from the messages'; ";
    if (!kept) expected = before;
    for (const int32_t kind : {TKS_KIND_ELEMENT, TKS_KIND_TYPE, TKS_KIND_LENGTH})
        if (after[kind] != expected[kind])
            problems += "objects of kind " + std::to_string(kind) + " differ from the messages; ";
    return problems;
}

}  // namespace test_support
